#include "database/Estados.h"
