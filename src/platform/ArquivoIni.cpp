#include "platform/ArquivoIni.h"
