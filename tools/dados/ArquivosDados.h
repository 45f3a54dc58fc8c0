#pragma once
// Writes the two binary data files: one leading byte, then for each of the
// 27 states in index order an unsigned 16-bit little-endian count and the
// packed records of the block.
#include <string>

#include "Importador.h"

class TArquivosDados {
public:
    static constexpr const char* NomeEstacoes = "Estados_Tor21.bin";
    static constexpr const char* NomeLocalidades = "Localidades_Tor21.bin";

    // EDadosInvalidos when a block holds more than 65535 records.
    static std::string Estacoes(const TBlocosEstacoes& blocos);
    static std::string Localidades(const TBlocosLocalidades& blocos);
    // Writes through a temporary file renamed over the target; EInOutError
    // naming the file when it cannot be written.
    static void Grava(const std::string& caminho, const std::string& bytes);
};
