#pragma once
// How far to trust an answer of the interpolation: the stations behind it
// with their distances in kilometres, and the rules that warn about a point
// far from every station or outside the area the stations surround. One
// implementation for the windows and the command-line tool.
//
// Kilometres are geodesic distances on the GRS80 ellipsoid (SIRGAS 2000);
// they are for people. The weights and the hull stay on the planar degrees
// of the interpolation.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <functional>
#include <limits>
#include <optional>
#include <utility>
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
    void Cadeia(const std::vector<TPonto>& p);
    std::vector<TPonto> vertices_;
};

// The points that may be vertices of a hull, kept as they come: a point
// well inside the polygon of the extreme points seen so far (least and
// greatest X, Y, X+Y and X-Y) cannot be one and is dropped, when it comes
// or later. Of half a million stations a few thousand are kept, in any
// order, and no point set is held.
class TCandidatasEnvoltoria {
public:
    using TPonto = TEnvoltoriaConvexa::TPonto;
    void Inclui(TPonto p) {
        if (p.X > caixa_[0] && p.X < caixa_[2] && p.Y > caixa_[1] && p.Y < caixa_[3]) return;
        const double s = p.X + p.Y, d = p.X - p.Y;
        if ((p.X < menor_[0]) | (s < menor_[1]) | (p.Y < menor_[2]) | (d < menor_[3]) | (p.X > maior_[0]) |
            (s > maior_[1]) | (p.Y > maior_[2]) | (d > maior_[3]))
            NovoExtremo(p);
        else if (!DentroDosLados(p))
            Guarda(p);
    }
    // The points another part of the same set kept.
    void Junta(const TCandidatasEnvoltoria& outras);
    // The hull of every point included (that of the kept ones).
    TEnvoltoriaConvexa Envoltoria() const { return TEnvoltoriaConvexa(guardadas_); }
    const std::vector<TPonto>& Guardadas() const { return guardadas_; }

private:
    static constexpr double kInfinito = std::numeric_limits<double>::infinity();
    void NovoExtremo(TPonto p);
    // Kept; when the kept ones have doubled, those that the polygon has
    // since come to surround are dropped (points that come in order, row by
    // row, are each on the edge when they come).
    void Guarda(TPonto p);
    void Refaz();
    // Inside every side by more than the rounding of the products can
    // account for: strictly inside a polygon of points of the set.
    bool DentroDosLados(TPonto p) const;
    struct TLado {   // inside when A·(x − X0) + B·(y − Y0) is clearly positive
        double A, B, X0, Y0;
    };
    // Least and greatest X, X+Y, Y and X-Y so far, and the points that give them.
    std::array<double, 4> menor_{kInfinito, kInfinito, kInfinito, kInfinito};
    std::array<double, 4> maior_{-kInfinito, -kInfinito, -kInfinito, -kInfinito};
    std::array<TPonto, 8> extremos_{};
    std::array<TLado, 8> lados_{};
    int nLados_ = 0;   // under 3: no polygon yet, every point is kept
    // A box inside the polygon (X0, Y0, X1, Y1): a point in it is neither
    // an extreme nor near a side.
    std::array<double, 4> caixa_{kInfinito, kInfinito, -kInfinito, -kInfinito};
    std::vector<TPonto> guardadas_;
    std::size_t revisaoEm_ = 4096;
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
    // The state that holds the point when it is not one of the interpolation
    // pool's (-1: one of them, none, or a pool of every state).
    int EstadoForaDaInterpolacao = -1;
    double DistanciaDeAviso = DistanciaDeAvisoPadrao;

    const TEstacaoContribuinte* MaisProxima() const { return Estacoes.empty() ? nullptr : &Estacoes.front(); }
    // One plain sentence when a warning applies, else empty (cp1252).
    AnsiString Aviso() const;
};

// Whether stations stand in each of the four open quadrants about a point:
// then no line through the point has them all on one side, the point lies
// inside their hull, and the hull need not be consulted.
class TContornosEstados;
// The state whose outline holds the point (degrees south and west), -1 when none.
int EstadoDoPonto(const TContornosEstados& contornos, double latitude, double longitude);
// Marks c.EstadoForaDaInterpolacao for a point of a state outside the pool
// (of a pool of the eight states; nothing without outlines).
void MarcaEstadoForaDaInterpolacao(TConfianca& c, const TContornosEstados* contornos, bool poolNacional,
                                   const AnsiString& latitude, const AnsiString& longitude);
// "Bahia, Espírito Santo, ... e Tocantins" (cp1252).
AnsiString NomesDosEstadosDaInterpolacao();

class TQuadrantes {
public:
    TQuadrantes(double lat, double lon) : lat_(lat), lon_(lon) {}
    void Ve(double lat, double lon) {
        const bool norte = lat > lat_, sul = lat < lat_, leste = lon > lon_, oeste = lon < lon_;
        bits_ |= static_cast<unsigned>(norte & leste) | static_cast<unsigned>(norte & oeste) << 1 |
                 static_cast<unsigned>(sul & oeste) << 2 | static_cast<unsigned>(sul & leste) << 3;
    }
    void Junta(const TQuadrantes& outro) { bits_ |= outro.bits_; }
    bool Cercado() const { return bits_ == 15; }

private:
    double lat_, lon_;
    unsigned bits_ = 0;
};

// The stations a confidence summary lists (all within 50 km and the five
// nearest, at least), found in one pass over the stations without keeping
// every station's position. The five nearest in the plane bound the reach
// G, the kilometres of the five nearest (a planar degree is at most 111.7
// km); a station whose planar degrees, at the fewest kilometres a degree
// has at its latitude, already exceed the reach so far cannot be listed and
// is not kept. Geodesic distances are worked out only for the kept stations
// that the planar degrees cannot rule out once the pass is over. Parts of
// one scan may take the pass apart, in any order, and be joined.
class TVizinhos {
public:
    TVizinhos(double lat, double lon);
    // The i-th station (scan order) stands at (lat, lon), in degrees.
    void Ve(std::size_t i, double lat, double lon) {
        const double dy = lat - lat_, dx = lon - lon_, d2 = dx * dx + dy * dy;
        const double alat = std::abs(lat);
        quadrantes_.Ve(lat, lon);
        maiorLatitude_ = std::max(maiorLatitude_, alat);
        if (n_ < perto_.size() || d2 <= perto_.back().D2) Insere({d2, i, lat, lon});
        const double k = KmPorGrauAte(std::max(alat, alatAlvo_));
        if (d2 * k * k <= alcance2_) guardadas_.push_back({d2, i, lat, lon});
    }
    // Another part of the scan.
    void Junta(const TVizinhos& outra);
    // After the pass.
    void Fecha();
    // Stations all around the point (TQuadrantes).
    bool Cercado() const { return quadrantes_.Cercado(); }
    struct TListada {
        std::size_t Indice;
        double Km;
    };
    // In scan order.
    std::vector<TListada> Listadas() const;

private:
    struct TVista {
        double D2;   // squared degrees in the plane
        std::size_t Indice;
        double Lat, Lon;
        bool operator<(const TVista& o) const { return D2 < o.D2 || (D2 == o.D2 && Indice < o.Indice); }
    };
    // A lower bound of the kilometres in a degree of the plane, in any
    // direction, on a geodesic between latitudes up to L: a degree of
    // meridian is at least 110.57 km, a degree of parallel 111.32·cos(L)
    // km; the 5 degrees of margin cover the poleward bow of a long geodesic.
    static double KmPorGrau(double graus);
    double KmPorGrauAte(double graus) const {
        return kmPorGrau_[static_cast<std::size_t>(graus < 90 ? graus : 90.0) + 1];   // a whole degree beyond
    }
    void Insere(const TVista& v);   // among the five nearest
    double lat_, lon_, alatAlvo_;
    std::array<double, 92> kmPorGrau_;   // KmPorGrau of each whole degree
    std::array<TVista, 5> perto_{};
    std::size_t n_ = 0;
    double maiorLatitude_ = 0;
    TQuadrantes quadrantes_;
    double alcance2_ = std::numeric_limits<double>::infinity();   // the reach so far, squared, with a margin
    std::vector<TVista> guardadas_;
    double alcance_ = 0, raio2_ = -1;   // km, squared degrees
};

// The list (in scan order, with kilometres and shares) sorted nearest first,
// with the counts, the spread, the exact match and the warnings: unica is
// the one station the interpolation answered with (an exact match, or a
// pool of one), else null; foraDaEnvoltoria is asked only when the answer
// is not exact.
TConfianca ConcluiConfianca(std::vector<TEstacaoContribuinte> lista, double lat, double lon, const TEstacao* unica,
                            const std::function<bool()>& foraDaEnvoltoria, double distanciaDeAviso);

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
    // counts, the spread and the warning need (TVizinhos: a prefix of
    // Avalia's list). It costs little more than the interpolation itself on
    // the largest pool: for a hint on every click and for each row of a batch.
    TConfianca Resumo(const AnsiString& latitude, const AnsiString& longitude,
                      TPoolInterpolacao::TExigencia exigencia = TPoolInterpolacao::TExigencia::TextosLegiveis) const;
    const TEnvoltoriaConvexa& Envoltoria() const { return envoltoria_; }

private:
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
    const TEstacao* Estacao(std::size_t i) const { return &Bloco(i).Primeira[i - Bloco(i).Inicio]; }
    const TBloco& Bloco(std::size_t i) const;
    double Parcela(const std::vector<TPoolInterpolacao::TContribuicao>& contribuicoes, std::size_t i) const;
    static const TEstacao* Unica(const std::vector<TPoolInterpolacao::TContribuicao>& contribuicoes) {
        return contribuicoes.size() == 1 ? contribuicoes[0].Estacao : nullptr;
    }
    const TPoolInterpolacao* pool_;
    std::vector<TBloco> blocos_;
    double distanciaDeAviso_;
    std::vector<TPosicao> posicoes_;   // by pool index
    TEnvoltoriaConvexa envoltoria_;
};
