#pragma once
// Design storms beside the alternating blocks (model/ChuvaDeProjeto): the
// Chicago storm of Keifer and Chu (1957) and the median curves of Huff's
// four quartiles. Each gives a THietograma of blocks of length dt over D with
// the alternating blocks' refusals (BlocosDaChuvaDeProjeto), its depth P(Tr, D)
// from the one evaluation of the equation (ValoresDeProjeto).
#include <array>
#include <string>

#include "model/ChuvaDeProjeto.h"

enum class TMetodoChuva { BlocosAlternados, Chicago, Huff1, Huff2, Huff3, Huff4 };
inline constexpr int MetodosDeChuva = 6;

// Name shown in windows and outputs (cp1252): "Blocos alternados", "Chicago
// (Keifer e Chu)", "Huff, 1º quartil" ...
std::string NomeDoMetodo(TMetodoChuva metodo);
// Short name of the command line: "blocos", "chicago", "huff1" ... "huff4";
// false when the text is none of them.
bool MetodoDoNome(const std::string& nome, TMetodoChuva& metodo);
// Huff's methods only: 1 to 4; 0 otherwise.
int QuartilDeHuff(TMetodoChuva metodo);

// The storm by the method; r is the peak's position for the alternating
// blocks and Chicago (Huff's curves fix their own shape and ignore it).
THietograma CalculaChuva(TMetodoChuva metodo, const TParametrosIdf& p, double tr, double duracao, double passo,
                         double r = 0.5);

// Chicago: the intensity before the peak, at tb minutes before it, is
// i(tb/r) and after it, at ta minutes after it, i(ta/(1-r)), where
// i(t) = d(P(t))/dt·60 = K·Tr^a·((1-c)·t + b)/(t + b)^(1+c) is the
// instantaneous intensity of the equation. Integrated, the depth between the
// storm's start and t is r·(P(D) - P((tp - t)/r)) before the peak tp = r·D and
// r·P(D) + (1-r)·P((t - tp)/(1-r)) after it, so that any interval of length d
// holding the peak split as r to 1-r receives P(Tr, d). Blocks are those
// depths over each dt.
THietograma CalculaHietogramaChicago(const TParametrosIdf& p, double tr, double duracao, double passo, double r);

// Huff: P(Tr, D) distributed by the median (50 %) cumulative curve of the
// quartile (1 to 4), linear between the published ordinates.
THietograma CalculaHietogramaHuff(const TParametrosIdf& p, double tr, double duracao, double passo, int quartil);

// The ordinates taken: cumulative fraction of the storm's depth at
// 0, 5 %, ..., 100 % of its duration, for each quartile (index 0 to 3).
// Median curves of Huff (1967) as tabulated at 5 % steps in "Dimensionless
// Huff Storm Coefficients" (Engenious Systems, Illinois practice).
const std::array<double, 21>& OrdenadasDeHuff(int quartil);
// The cumulative fraction of the quartile's curve at a fraction of the
// duration (0 to 1), linear between the ordinates.
double FracaoAcumuladaDeHuff(int quartil, double fracaoDoTempo);
