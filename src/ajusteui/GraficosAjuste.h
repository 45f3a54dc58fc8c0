#pragma once
// The fitting window's charts (Qt Charts), filled from a TResultadoAjuste:
// the annual maxima over time, the probability plot on the Gumbel reduced
// variate (observed maxima at Weibull plotting positions, one line per
// candidate distribution, return periods on the top axis), and the fitted
// curves over the table's points with the 90% band.
class QChart;
struct TResultadoAjuste;

QChart* GraficoMaximosAnuais(const TResultadoAjuste& r);
QChart* GraficoProbabilidade(const TResultadoAjuste& r);
QChart* GraficoEquacaoAjustada(const TResultadoAjuste& r);

// Gumbel reduced variate of a non-exceedance probability: -ln(-ln p).
double VariavelReduzida(double probabilidade);
