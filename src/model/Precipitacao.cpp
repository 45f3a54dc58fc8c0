#include "model/Precipitacao.h"
