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
#include <optional>
#include <vector>

#include "database/PoolInterpolacao.h"
#include "database/Registros.h"
#include "platform/AnsiString.h"

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
    // Inside or on the boundary (a point on an edge or a vertex is inside).
    bool Contem(TPonto p) const;
    // Counter-clockwise, collinear points dropped.
    const std::vector<TPonto>& Vertices() const { return vertices_; }

private:
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
    TAvaliadorConfianca(const TPoolInterpolacao& pool, double distanciaDeAviso = DistanciaDeAvisoPadrao);
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
    const TEnvoltoriaConvexa& Envoltoria() const { return envoltoria_; }

private:
    double Parcela(const std::vector<TPoolInterpolacao::TContribuicao>& contribuicoes, std::size_t i) const;
    TConfianca Conclui(std::vector<TEstacaoContribuinte> lista, double lat, double lon,
                       const std::vector<TPoolInterpolacao::TContribuicao>& contribuicoes) const;
    struct TPosicao {
        double Lat, Lon;
        bool Legivel;
    };
    const TPoolInterpolacao& pool_;
    double distanciaDeAviso_;
    std::vector<TPosicao> posicoes_;   // by pool index
    std::vector<int> estados_;         // state of each pool index
    double maiorLatitude_ = 0;         // of the legible stations, degrees
    TEnvoltoriaConvexa envoltoria_;
};
