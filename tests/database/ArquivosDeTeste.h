#pragma once
// The bad-data tests (tests/robustez) include the data-file helpers by this
// path and under this name of the temporary folder.
#include "../suporte/ArquivosDeTeste.h"

using PastaTemporaria = TPastaTemporaria;
