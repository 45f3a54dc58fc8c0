#pragma once
// The frame of both data files walked on its own, without the loader: one
// leading byte, then 27 blocks of a little-endian 16-bit count and that many
// records. The targets compare the loader's work against it.
#include <cstddef>
#include <cstdint>
#include <vector>

struct TBlocoMoldura {
    std::size_t Inicio = 0;   // offset of the block's first record
    uint16_t Contagem = 0;
};

struct TMoldura {
    std::vector<TBlocoMoldura> Blocos;   // the blocks wholly present, in order
    bool Completa = false;               // all 27 blocks are there
    int BlocoIncompleto = -1;            // the first block whose data ran out
};

TMoldura LeMoldura(const uint8_t* dados, std::size_t tamanho, std::size_t tamanhoRegistro, int blocos = 27);
