#pragma once
// Extreme-value distributions of the annual maxima: Gumbel (moments,
// L-moments, maximum likelihood) and GEV (L-moments by Hosking's
// approximation, maximum likelihood started from them with the shape kept in
// |xi| <= 0.5). GEV: F(x) = exp(-(1 + xi (x - mu)/sigma)^(-1/xi)); Gumbel is
// xi = 0. Goodness of fit by Kolmogorov-Smirnov and Anderson-Darling, with
// p-values by parametric bootstrap (refitting each simulated sample by the
// same method, since the parameters come from the data).
#include <cstdint>
#include <random>
#include <vector>

#include "platform/AnsiString.h"

enum class Distribuicao { Gumbel, Gev };
enum class Metodo { Momentos, LMomentos, MaximaVerossimilhanca };

constexpr double FormaMaximaMv = 0.5;

struct TParametros {
    Distribuicao Dist = Distribuicao::Gumbel;
    Metodo Met = Metodo::LMomentos;
    double Posicao = 0;   // mu, mm
    double Escala = 1;    // sigma, mm
    double Forma = 0;     // xi (0 for Gumbel)
};

AnsiString NomeDistribuicao(Distribuicao d);   // "Gumbel", "GEV"
AnsiString NomeMetodo(Metodo m);               // "momentos", "momentos-L", "máxima verossimilhança"
bool MetodoValido(Distribuicao d, Metodo m);   // GEV has no method of moments here

double Fda(const TParametros& p, double x);
double Quantil(const TParametros& p, double probabilidade);
// Depth of return period tr years: the quantile of 1 - 1/tr.
double QuantilTr(const TParametros& p, double tr);

struct TLMomentos { double L1 = 0, L2 = 0, L3 = 0, T3 = 0; };
// Sample L-moments of ascending values (unbiased probability-weighted moments).
TLMomentos LMomentos(const std::vector<double>& ascendente);

// Fits the distribution by the method. ESemAjuste when the sample cannot give
// one (no spread, no convergence). The sample need not be sorted.
TParametros Ajusta(Distribuicao d, Metodo m, const std::vector<double>& amostra);

// Statistics on ascending values.
double EstatisticaKs(const TParametros& p, const std::vector<double>& ascendente);
double EstatisticaAd(const TParametros& p, const std::vector<double>& ascendente);

struct TAderencia {
    double Ks = 0, Ad = 0;       // statistics
    double PKs = 1, PAd = 1;     // bootstrap p-values
    int Replicas = 0;            // replicates that refitted
};

// Uniform on (0, 1), the same numbers on every platform for a seed.
double Uniforme(std::mt19937_64& gerador);

TAderencia Aderencia(const TParametros& p, const std::vector<double>& amostra, int replicas,
                     std::mt19937_64& gerador);
