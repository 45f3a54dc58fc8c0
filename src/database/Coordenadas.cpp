#include "database/Coordenadas.h"
