#pragma once
// The interpolation pool prepared once for many points: the stations of the
// pool states in scan order, their coordinates parsed once, and an index of
// their coordinate texts for the exact match.
//
// Interpola gives the same record as TBDPrecipitacao::Interpola for the same
// texts, bit for bit: the same exact-match rule (first station in scan order
// whose texts are equal or whose position is the same), the station
// coordinates in long double, the same weights 1/(d²·d²·√d²) in long double
// and the same second pass (quotient and product in long double, the sum
// stored as a double after each station, in scan order). What it saves is
// the parsing of every station's texts at every point.
//
// The object is read-only once built: one object serves several threads,
// each with its own weight buffer.
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "database/BDPrecipitacao.h"
#include "database/Registros.h"

class TPoolInterpolacao {
public:
    struct TContribuicao {
        const TEstacao* Estacao;
        double Distancia;   // degrees, as the weights use it
        double Parcela;     // share of the total weight, 0 to 1
    };

    // bd must outlive the pool and its station arrays must not change.
    explicit TPoolInterpolacao(const TBDPrecipitacao& bd);

    std::size_t Tamanho() const { return estacoes_.size(); }

    // pesos is working storage of the caller (one per thread).
    TEstacao Interpola(const AnsiString& latitude, const AnsiString& longitude,
                       std::vector<long double>& pesos) const;

    // Every station with its distance and share of the weight, nearest first
    // (ties in scan order). On an exact match only that station, share 1.
    std::vector<TContribuicao> Contribuicoes(const AnsiString& latitude, const AnsiString& longitude) const;

private:
    struct TParametros {
        double K, a, b, c;
    };
    // Index of the station that is the answer without weighting (equal texts
    // or same position), or Tamanho() when the point is interpolated; fills
    // pesos and soma in that case. Raises the conversion error of the first
    // station whose texts do not read, as the core does when it reaches it.
    std::size_t PrimeiraPassagem(const AnsiString& latitude, const AnsiString& longitude,
                                 std::vector<long double>& pesos, long double& soma) const;

    std::vector<const TEstacao*> estacoes_;
    struct TPosicao {
        long double Lat, Lon;
    };
    std::vector<TPosicao> posicoes_;
    std::vector<TParametros> parametros_;
    std::unordered_map<std::string, std::size_t> porTexto_;   // first station with those texts
    std::size_t primeiraInvalida_;                            // Tamanho() when every text reads
    AnsiString erroInvalida_;
};
