#include "model/PrecipitacaoExponencialNegativa.h"
