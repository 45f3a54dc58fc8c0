#include "database/BDPrecipitacao.h"
