#include "platform/Numeros.h"
