#pragma once
// The fitting window's charts (Qt Charts), filled from a TResultadoAjuste:
// the annual maxima over time, the probability plot on the Gumbel reduced
// variate (observed maxima at Weibull plotting positions, one line per
// candidate distribution, return periods on the top axis), and the fitted
// curves over the table's points with the 90% band.
#include <cstddef>

class QChart;
struct TResultadoAjuste;

QChart* GraficoMaximosAnuais(const TResultadoAjuste& r);
// The probability plot of one series (a duration of a sub-daily record).
QChart* GraficoProbabilidade(const TResultadoAjuste& r, std::size_t serie = 0);
QChart* GraficoEquacaoAjustada(const TResultadoAjuste& r);

// Gumbel reduced variate of a non-exceedance probability: -ln(-ln p).
double VariavelReduzida(double probabilidade);
