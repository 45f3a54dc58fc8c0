#include "platform/Erros.h"
