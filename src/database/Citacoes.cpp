#include "database/Citacoes.h"
