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
    // The stations north of the equator, whose latitude texts (without a
    // hemisphere) are degrees north: "uf,posicao,nome" (position in the
    // state's block from 0, name as a check), UTF-8. Absent: none.
    static constexpr const char* NomeAoNorte = "EstacoesAoNorte_Tor21.csv";

    // EDadosInvalidos when a block holds more than 65535 records.
    static std::string Estacoes(const TBlocosEstacoes& blocos);
    static std::string Localidades(const TBlocosLocalidades& blocos);
    static std::string AoNorte(const TBlocosEstacoes& blocos,
                               const std::array<std::set<AnsiString>, NumEstados>& nomesAoNorte);
    // Writes through a temporary file renamed over the target; EInOutError
    // naming the file and the system's reason when it cannot be written.
    static void Grava(const std::string& caminho, const std::string& bytes);
    // Both files of a data folder (`pasta` ends with '/'): each is written
    // whole under a temporary name, and only when both are complete are they
    // renamed over the old pair. A failure leaves the old pair as it was and
    // no temporary file behind.
    static void GravaPar(const std::string& pasta, const std::string& estacoes, const std::string& localidades);
};
