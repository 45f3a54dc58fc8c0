#pragma once
// How far to trust an answer of the interpolation: the stations behind it
// with their distances in kilometres, and the rules that warn about a point
// far from every station or outside the area the stations surround. One
// implementation for the windows and the command-line tool.
//
// Kilometres are geodesic distances on the GRS80 ellipsoid (SIRGAS 2000);
// they are for people. The weights and the hull stay on the planar degrees
// of the interpolation.
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "database/PoolInterpolacao.h"
#include "database/Registros.h"
#include "platform/AnsiString.h"
#include "platform/MemoriaGrande.h"

// Geodesic distance in km between two points given in degrees south and
// west, both positive (the stations' convention).
double DistanciaGeodesicaKm(double lat1, double lon1, double lat2, double lon2);

// Convex hull of points in the plane of the degrees.
class TEnvoltoriaConvexa {
public:
    struct TPonto {
        double X, Y;
    };
    explicit TEnvoltoriaConvexa(std::vector<TPonto> pontos);
    // The same hull from points already sorted by X, then Y, without
    // repeats, among which every vertex is (for each X, the lowest and the
    // highest Y of a larger set are enough): no sorting.
    static TEnvoltoriaConvexa DeOrdenados(const std::vector<TPonto>& ordenados);
    // Inside or on the boundary (a point on an edge or a vertex is inside).
    bool Contem(TPonto p) const;
    // Counter-clockwise, collinear points dropped.
    const std::vector<TPonto>& Vertices() const { return vertices_; }

private:
    TEnvoltoriaConvexa() = default;
    void Cadeia(const std::vector<TPonto>& p);
    std::vector<TPonto> vertices_;
};

// Return period and duration of the intensity the tables compare stations by.
inline constexpr double TrComparacao = 10, DuracaoComparacao = 60;
inline constexpr double DistanciaDeAvisoPadrao = 50;   // km

struct TEstacaoContribuinte {
    const TEstacao* Estacao;
    int EstadoIndice;               // state block of the station
    double DistanciaKm;
    double Parcela;                 // share of the weight, 0 to 1
    std::optional<double> I10_60;   // i(10, 60) in mm/h; empty when the equation has no value there
};

struct TConfianca {
    // The point is a station (its texts or its position): the values are
    // the station's own, and the list holds only that station.
    bool Exata = false;
    std::vector<TEstacaoContribuinte> Estacoes;   // nearest first (kilometres; ties in scan order)
    int Ate25Km = 0, Ate50Km = 0;                 // stations of the pool within 25 and 50 km
    // Lowest and highest i(10, 60) over the five nearest stations (those with a value).
    std::optional<double> MenorI, MaiorI;
    bool Longe = false;            // nearest station farther than the warning distance
    bool ForaDaEnvoltoria = false; // outside the convex hull of the pool's stations
    bool ForaDoBrasil = false;     // outside Brazil's extent (ExtensaoBrasil.h)
    double DistanciaDeAviso = DistanciaDeAvisoPadrao;

    const TEstacaoContribuinte* MaisProxima() const { return Estacoes.empty() ? nullptr : &Estacoes.front(); }
    // One plain sentence when a warning applies, else empty (cp1252).
    AnsiString Aviso() const;
};

// Built once over a pool (the hull of its stations); Avalia may run on
// several threads.
class TAvaliadorConfianca {
public:
    // Where a station stands, in degrees south and west; NaN when its texts
    // do not read (it stands nowhere).
    struct TPosicao {
        double Lat, Lon;
        bool Legivel() const { return Lat == Lat; }
    };
    // Stations that lie one after another in memory, from pool index Inicio on.
    struct TBloco {
        std::size_t Inicio;
        const TEstacao* Primeira;
        int Estado;
    };
    TAvaliadorConfianca(const TPoolInterpolacao& pool, double distanciaDeAviso = DistanciaDeAvisoPadrao);
    // Over stations already read, in scan order (each position as ParseDms
    // reads its texts), and their hull, for an answer made without a pool:
    // only ResumoDe serves it.
    using TPosicoes = std::vector<TPosicao, TAlocadorGrande<TPosicao>>;
    TAvaliadorConfianca(std::vector<TBloco> blocos, TPosicoes posicoes, TEnvoltoriaConvexa envoltoria,
                        double distanciaDeAviso = DistanciaDeAvisoPadrao);
    // The texts and the exigencia as TPoolInterpolacao::Contribuicoes takes
    // them (same errors).
    TConfianca Avalia(const AnsiString& latitude, const AnsiString& longitude,
                      TPoolInterpolacao::TExigencia exigencia = TPoolInterpolacao::TExigencia::TextosLegiveis) const;
    // The same answer, but Estacoes holds only the nearest stations that the
    // counts, the spread and the warning need (all within 50 km and the five
    // nearest, at least: a prefix of Avalia's list). Geodesic distances are worked out only for the
    // stations that the planar degrees cannot rule out, so it costs little
    // more than the interpolation itself on the largest pool: for a hint on
    // every click and for each row of a batch.
    TConfianca Resumo(const AnsiString& latitude, const AnsiString& longitude,
                      TPoolInterpolacao::TExigencia exigencia = TPoolInterpolacao::TExigencia::TextosLegiveis) const;
    // Resumo once the interpolation has answered: unica is the one station
    // it answered with (an exact match, or a pool of one), else null;
    // parcela(i) the share of the i-th station in scan order.
    TConfianca ResumoDe(double lat, double lon, const TEstacao* unica,
                        const std::function<double(std::size_t)>& parcela) const;
    const TEnvoltoriaConvexa& Envoltoria() const { return envoltoria_; }

private:
    void Prepara(bool comEnvoltoria);
    const TEstacao* Estacao(std::size_t i) const { return &Bloco(i).Primeira[i - Bloco(i).Inicio]; }
    const TBloco& Bloco(std::size_t i) const;
    double Parcela(const std::vector<TPoolInterpolacao::TContribuicao>& contribuicoes, std::size_t i) const;
    static const TEstacao* Unica(const std::vector<TPoolInterpolacao::TContribuicao>& contribuicoes) {
        return contribuicoes.size() == 1 ? contribuicoes[0].Estacao : nullptr;
    }
    TConfianca Conclui(std::vector<TEstacaoContribuinte> lista, double lat, double lon, const TEstacao* unica) const;
    const TPoolInterpolacao* pool_ = nullptr;   // null when built from stations already read
    std::vector<TBloco> blocos_;
    double distanciaDeAviso_;
    TPosicoes posicoes_;               // by pool index
    double maiorLatitude_ = 0;         // of the legible stations, degrees
    TEnvoltoriaConvexa envoltoria_;
};
