#pragma once
// Tables and curves of design values of one set of K, a, b, c: the lists of
// durations and return periods a user types, the table of i(Tr, t) and
// P(Tr, t) over them, and the durations at which a curve is drawn.
#include <string>
#include <vector>

#include "model/EquacaoIdf.h"

// A list of positive numbers typed by a user: separated by ";" or blanks,
// with a decimal comma or point ("5; 10 15,5"). Sorted ascending, repeats
// dropped. An entry that is not a finite number above 0 and at most `maximo`,
// an empty list or one of more than `maximoDeItens` entries raises Exception
// with a Portuguese message that names the entry; `item` names the kind of
// entry in it ("Duração", "Período de retorno"), cp1252, and `limite` says
// the limit to an entry above `maximo` ("duração até 10.080 min").
std::vector<double> LeListaDeValores(const std::string& texto, const std::string& item, double maximo,
                                     std::size_t maximoDeItens = 100, const std::string& limite = {});

// "<item> inválida" or "<item> inválido", as the item's first word asks
// ("Duração inválida", "Período de retorno inválido"); cp1252.
std::string ItemInvalido(const std::string& item);

// One number typed by a user, with a decimal comma or point; raises Exception
// naming `item` and the text when it is not a finite number.
double LeValor(const std::string& texto, const std::string& item);

// The list written back as LeListaDeValores reads it, "; " between entries and
// decSep as the decimal separator (up to 15 significant digits).
std::string EscreveListaDeValores(const std::vector<double>& valores, char decSep);

struct TParametrosIdf {
    double K = 0, a = 0, b = 0, c = 0;
};

// Design values for every duration (rows) and return period (columns).
struct TTabelaIdf {
    std::vector<double> Duracoes, Periodos;
    std::vector<std::vector<TValoresDeProjeto>> Valores;   // [duração][período]
};
TTabelaIdf CalculaTabelaIdf(const TParametrosIdf& p, const std::vector<double>& duracoes,
                            const std::vector<double>& periodos);

// Durations at which a smooth curve over [primeira, ultima] minutes is drawn
// on a logarithmic axis: `pontos` durations evenly spaced in log t, together
// with every duration of `extras` within the range, ascending.
std::vector<double> DuracoesDaCurva(double primeira, double ultima, int pontos, const std::vector<double>& extras);
