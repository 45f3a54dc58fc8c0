#include "platform/PontoFlutuante.h"
