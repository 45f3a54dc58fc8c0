#include "Moldura.h"

TMoldura LeMoldura(const uint8_t* dados, std::size_t tamanho, std::size_t tamanhoRegistro, int blocos) {
    TMoldura m;
    if (tamanho == 0) {
        m.BlocoIncompleto = 0;
        return m;
    }
    std::size_t pos = 1;
    for (int s = 0; s < blocos; ++s) {
        if (tamanho - pos < 2) {
            m.BlocoIncompleto = s;
            return m;
        }
        const uint16_t n = static_cast<uint16_t>(dados[pos] | (dados[pos + 1] << 8));
        pos += 2;
        if ((tamanho - pos) / tamanhoRegistro < n) {
            m.BlocoIncompleto = s;
            return m;
        }
        m.Blocos.push_back({pos, n});
        pos += tamanhoRegistro * n;
    }
    m.Completa = true;
    return m;
}
