#pragma once
#include <array>
#include <string>
#include <vector>

#include "database/Estados.h"
#include "database/Registros.h"

// Path rule: program folder + "../Arquivos Comuns/" (text used unchanged).
std::string PastaDados(const std::string& pastaDoPrograma);

// States of the interpolation pool, in scan order.
extern const std::array<int, 8> EstadosInterpolacao;

class TBDPrecipitacao {
public:
    // pastaDados ends with a separator; data file paths are pastaDados + name.
    explicit TBDPrecipitacao(std::string pastaDados);

    std::array<std::vector<TEstacao>, NumEstados> Estacoes;
    std::vector<TLocalidade> Localidades;

    std::string CaminhoEstacoes() const;     // pastaDados + "Estados_Tor21.bin"
    std::string CaminhoLocalidades() const;  // pastaDados + "Localidades_Tor21.bin"

    // Missing file: EArquivoNaoExiste "O arquivo <path> não existe.".
    // A file shorter than its counts: EDadosInvalidos naming file and state
    // block; the arrays keep their previous content.
    void CarregaEstacoes();
    void CarregaLocalidades(int estado);
    // Every state's block of the locality file, in file order, for a search
    // over all states; Localidades is left as it is. Same errors as
    // CarregaLocalidades; a file shorter than its counts gives nothing.
    std::array<std::vector<TLocalidade>, NumEstados> LeTodasLocalidades() const;
    TEstacao Interpola(const AnsiString& latitude, const AnsiString& longitude) const;

private:
    std::string pastaDados_;
};
