#pragma once
// The interpolation engine: the stations of the pool states in scan order,
// prepared once for every point (coordinates parsed, parameters side by side,
// an index of the coordinate texts for the exact match).
//
// Interpola follows this order of operations, on which its results depend to
// the last bit: the target's texts read as doubles; the first station in scan
// order whose two texts equal the target's, or whose position is the target's
// (distance 0), is the answer; otherwise every station weighs
// 1/(d²·d²·√d²) in long double (station coordinates in long double), and
// each parameter is summed in scan order as double(sum + (w/W)·value), the
// quotient and product in long double.
//
// The object is read-only once built: one pool serves several threads, each
// with its own weight buffer. It points into the station arrays it was built
// from, which must outlive it unchanged.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "database/Estados.h"
#include "database/Registros.h"

using TEstacoesPorEstado = std::array<std::vector<TEstacao>, NumEstados>;

// States of the interpolation pool, in scan order.
inline constexpr std::array<int, 8> EstadosInterpolacao = {4, 7, 8, 12, 15, 18, 24, 26};

// The steps of that order of operations, shared by the pool and by the
// answer read straight from the file (database/PontoDireto).
namespace passos_interpolacao {
// Squared distance of a station (long double) from the target (double).
inline long double Distancia2(long double latEstacao, long double lonEstacao, double lat, double lon) {
    const long double dLat = latEstacao - lat;
    const long double dLon = lonEstacao - lon;
    return dLat * dLat + dLon * dLon;
}
// (d²)^2.5 as d²·d²·√d²: the same power as powl to within an extended ulp
// or two, at a fraction of its cost.
inline long double Peso(long double d2) { return 1.0L / (d2 * d2 * std::sqrt(d2)); }
// One station's share added to the four sums, each rounded to double.
inline void Soma(double (&soma)[4], long double fator, double K, double a, double b, double c) {
    soma[0] = static_cast<double>(soma[0] + fator * K);
    soma[1] = static_cast<double>(soma[1] + fator * a);
    soma[2] = static_cast<double>(soma[2] + fator * b);
    soma[3] = static_cast<double>(soma[3] + fator * c);
}
// The answer for an interpolated point: the four sums, no name, the
// source "Interpolação" and the point's own texts.
TEstacao Interpolada(const double (&soma)[4], const AnsiString& latitude, const AnsiString& longitude);
}  // namespace passos_interpolacao

// A station record as the pool checks it: its texts read in long double,
// and its first defect (a text longer than its capacity or that does not
// read, a parameter that is not a number) in the words of the messages.
struct TExameEstacao {
    long double Lat = 0, Lon = 0;
    bool Legivel = true;      // both texts read
    AnsiString ErroLeitura;   // the reading's message when they do not
    AnsiString Defeito;       // empty when the record is whole
};
TExameEstacao ExaminaEstacao(const TEstacao& e);
// "estação "<name>", registro <n> do bloco do estado <s> (<name>)"; posicaoNoBloco from 0.
AnsiString DescreveRegistro(const TEstacao& e, int estado, std::size_t posicaoNoBloco);
// The message of EDadosInvalidos for a record that is not whole.
AnsiString MensagemRegistroCorrompido(const AnsiString& arquivo, const AnsiString& registro, const AnsiString& defeito);

class TPoolInterpolacao {
public:
    struct TContribuicao {
        const TEstacao* Estacao;
        double Distancia;   // degrees, as the weights use it
        double Parcela;     // share of the total weight, 0 to 1
    };

    // What a station must be for an answer that depends on it.
    enum class TExigencia {
        // Its coordinate texts read (otherwise EConvertError, as a station's
        // text that does not read has always been reported to the window).
        TextosLegiveis,
        // Also coordinate texts no longer than their capacity and finite
        // parameters (otherwise EDadosInvalidos): the command-line tool,
        // whose answers are only numbers.
        RegistroIntegro,
    };

    // arquivo names the station file in the messages about its records.
    // Without aoNorte, the pool of the eight states above; with it, the
    // national pool: every state in index order, the stations it marks north
    // of the equator at their true position (and never an exact match of
    // texts, which have no hemisphere).
    TPoolInterpolacao(const TEstacoesPorEstado& estacoes, const AnsiString& arquivo,
                      const std::array<std::vector<bool>, NumEstados>* aoNorte = nullptr);
    bool Nacional() const { return nacional_; }
    bool AoNorte(std::size_t i) const { return !norte_.empty() && norte_[i]; }

    std::size_t Tamanho() const { return estacoes_.size(); }
    // The i-th station in scan order.
    const TEstacao& Estacao(std::size_t i) const { return *estacoes_[i]; }
    // State index of the block that holds the i-th station.
    int EstadoDaEstacao(std::size_t i) const;

    // pesos is working storage of the caller (one per thread). A target text
    // that does not read raises EConvertError; a station that fails the
    // exigencia raises once the scan reaches it (not when an earlier station
    // is the answer), naming the file, the state block, its position there
    // and its name.
    TEstacao Interpola(const AnsiString& latitude, const AnsiString& longitude, std::vector<long double>& pesos,
                       TExigencia exigencia = TExigencia::TextosLegiveis) const;

    // Every station with its distance and share of the weight, nearest first
    // (ties in scan order), or in scan order (the i-th is Estacao(i)), which
    // spares sorting half a million of them. On an exact match only that
    // station, share 1.
    enum class TOrdem { MaisProximaPrimeiro, DaVarredura };
    std::vector<TContribuicao> Contribuicoes(const AnsiString& latitude, const AnsiString& longitude,
                                             TExigencia exigencia = TExigencia::TextosLegiveis,
                                             TOrdem ordem = TOrdem::MaisProximaPrimeiro) const;

private:
    struct TPosicao {
        long double Lat, Lon;
    };
    struct TParametros {
        double K, a, b, c;
    };
    struct TFalha {
        std::size_t Indice;   // Tamanho() when no station fails
        AnsiString Mensagem;
    };

    void Indexa(std::size_t i, uint64_t espalhamento);
    void Verifica(std::size_t i);
    std::size_t ProcuraTextos(const AnsiString& latitude, const AnsiString& longitude) const;
    // Index of the station that is the answer without weighting, or
    // Tamanho() when the point is interpolated; then fills pesos and soma.
    std::size_t PrimeiraPassagem(const AnsiString& latitude, const AnsiString& longitude,
                                 std::vector<long double>& pesos, long double& soma, TExigencia exigencia) const;
    AnsiString Registro(std::size_t i) const;

    AnsiString arquivo_;
    std::vector<const TEstacao*> estacoes_;
    std::vector<int> estados_;                   // the pool's states in scan order
    std::vector<std::size_t> inicioEstado_;      // pool index of each state's first, and the end
    bool nacional_ = false;
    std::vector<bool> norte_;                    // national pool: stations north of the equator
    std::vector<TPosicao> posicoes_;
    std::vector<TParametros> parametros_;
    // Open addressing on the hash of both texts, whose high half is kept as
    // a mark, so that a probe reads a station only when the marks agree.
    struct TEntrada {
        uint32_t Indice, Marca;
    };
    std::vector<TEntrada> porTexto_;   // first station with those texts
    TFalha ilegivel_;                  // first station whose texts do not read
    TFalha corrompida_;                // first station that is not whole (at or before ilegivel_)
};
