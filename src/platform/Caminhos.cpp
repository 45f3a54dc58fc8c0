#include "platform/Caminhos.h"
