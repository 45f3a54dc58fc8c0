#include "database/Colacao.h"
