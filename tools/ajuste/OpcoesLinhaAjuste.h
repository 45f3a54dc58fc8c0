#pragma once
// Command line of tormel21-ajuste.
#include <optional>
#include <string>
#include <vector>

#include "DialetoCsv.h"
#include "ajuste/Ajuste.h"

struct TOpcoesLinhaAjuste {
    std::string Registro;
    std::string Estacao;           // --estacao: one station of a Hidroweb file
    TOpcoesAjuste Ajuste;
    std::string Desagregacao;      // "" or "cetesb": CETESB; else a file
    std::string Saida;             // -o
    bool Json = false;
    TDialetoCsv Dialeto = TDialetoCsv::Brasileiro();
    // --estacao-csv: the station row appended to the data builder's CSV
    std::string EstacaoCsv, Nome, Uf;
    std::optional<double> Latitude, Longitude;
    int AnoDaCitacao = 0;          // 0: this year
    bool Ajuda = false, Versao = false;

    // EUso with the reason for a command line that cannot be understood.
    static TOpcoesLinhaAjuste Le(const std::vector<std::string>& argumentos);
    static std::string TextoAjuda();
};
