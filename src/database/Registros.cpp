#include "database/Registros.h"
