#pragma once
// The data notes of a data set fitted from the national network: sources and
// terms, method and screening rules, stations per state, the stations left
// out and the values removed or flagged with their reasons, the builder's
// warnings, and i(10, 60) of every station beside the national grid's cell.
#include <string>
#include <vector>

#include "ajuste/RedeNacional.h"

class TGradeNacional;

// One station's i(10, 60) beside the grid's (CETESB disaggregation).
struct TComparacaoGrade {
    std::string Codigo, Uf, Nome;
    double Estacao = 0, Grade = 0;     // mm/h
    double Razao() const { return Estacao / Grade; }
};
// Stations without a cell with parameters are left out.
std::vector<TComparacaoGrade> ComparaComGrade(const TRedeAjustada& rede, const TGradeNacional& grade);

// Markdown, UTF-8. grade may be null (no comparison then).
std::string NotasDaRede(const TRedeAjustada& rede, const TOpcoesRede& opcoes,
                        const std::vector<TErroImportacao>& avisosDaMontagem, const TGradeNacional* grade,
                        const std::vector<TPluviografoRede>& pluviografos = {});
