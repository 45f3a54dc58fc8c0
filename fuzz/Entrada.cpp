// libFuzzer entry: TORMEL_ALVO names the entry function of Alvos.h.
#include "Alvos.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, std::size_t tamanho) {
    return TORMEL_ALVO(dados, tamanho);
}
