#include "database/Confianca.h"

#include <GeographicLib/Constants.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/NormalGravity.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "database/Coordenadas.h"
#include "database/ExtensaoBrasil.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "model/EquacaoIdf.h"

double DistanciaGeodesicaKm(double lat1, double lon1, double lat2, double lon2) {
    using GeographicLib::Constants;
    // GRS80 is defined by a, GM, J2 and omega; its flattening follows from them.
    static const GeographicLib::Geodesic grs80(
        Constants::GRS80_a(), GeographicLib::NormalGravity::J2ToFlattening(Constants::GRS80_a(), Constants::GRS80_GM(),
                                                                          Constants::GRS80_omega(), Constants::GRS80_J2()));
    double metros = 0;
    grs80.Inverse(-lat1, -lon1, -lat2, -lon2, metros);
    return metros / 1000.0;
}

namespace {

using TPonto = TEnvoltoriaConvexa::TPonto;

// Twice the signed area of o, a, b: positive when b lies to the left of o→a.
double Cruzado(TPonto o, TPonto a, TPonto b) { return (a.X - o.X) * (b.Y - o.Y) - (a.Y - o.Y) * (b.X - o.X); }

}  // namespace

// Andrew's monotone chain, after the points strictly inside the
// quadrilateral of the four extreme points are set aside (they cannot be
// vertices of the hull): on half a million stations only a few thousand are
// left to sort.
TEnvoltoriaConvexa::TEnvoltoriaConvexa(std::vector<TPonto> p) {
    if (p.size() > 64) {
        std::array<TPonto, 4> q = {p[0], p[0], p[0], p[0]};   // min x, min y, max x, max y
        for (const TPonto& t : p) {
            if (t.X < q[0].X) q[0] = t;
            if (t.Y < q[1].Y) q[1] = t;
            if (t.X > q[2].X) q[2] = t;
            if (t.Y > q[3].Y) q[3] = t;
        }
        // Counter-clockwise order min x, min y, max x, max y: inside is to
        // the left of every edge; kept when on or outside any edge.
        auto dentro = [&](const TPonto& t) {
            for (int k = 0; k < 4; ++k)
                if (!(Cruzado(q[k], q[(k + 1) % 4], t) > 0)) return false;
            return true;
        };
        p.erase(std::remove_if(p.begin(), p.end(), dentro), p.end());
    }
    std::sort(p.begin(), p.end(), [](TPonto a, TPonto b) { return a.X < b.X || (a.X == b.X && a.Y < b.Y); });
    p.erase(std::unique(p.begin(), p.end(), [](TPonto a, TPonto b) { return a.X == b.X && a.Y == b.Y; }), p.end());
    if (p.size() < 3) {
        vertices_ = p;
        return;
    }
    std::vector<TPonto> h(2 * p.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        while (k >= 2 && Cruzado(h[k - 2], h[k - 1], p[i]) <= 0) --k;
        h[k++] = p[i];
    }
    for (std::size_t i = p.size() - 1, t = k + 1; i-- > 0;) {
        while (k >= t && Cruzado(h[k - 2], h[k - 1], p[i]) <= 0) --k;
        h[k++] = p[i];
    }
    h.resize(k - 1);
    vertices_ = std::move(h);
}

bool TEnvoltoriaConvexa::Contem(TPonto p) const {
    const std::vector<TPonto>& v = vertices_;
    if (v.empty()) return false;
    // Rounding of the products must not put a point on an edge outside.
    constexpr double kTolerancia = 1e-12;
    if (v.size() == 1) return p.X == v[0].X && p.Y == v[0].Y;
    if (v.size() == 2) {
        // All points on one segment: inside only on it.
        return std::abs(Cruzado(v[0], v[1], p)) <= kTolerancia && p.X >= v[0].X && p.X <= v[1].X &&
               p.Y >= std::min(v[0].Y, v[1].Y) && p.Y <= std::max(v[0].Y, v[1].Y);
    }
    for (std::size_t i = 0; i < v.size(); ++i)
        if (Cruzado(v[i], v[(i + 1) % v.size()], p) < -kTolerancia) return false;
    return true;
}

AnsiString TConfianca::Aviso() const {
    if (!Longe && !ForaDaEnvoltoria && !ForaDoBrasil) return {};
    const AnsiString km = std::to_string(std::lround(MaisProxima() ? MaisProxima()->DistanciaKm : 0));
    AnsiString frase = "Aten\xE7\xE3o: ";
    if (ForaDoBrasil)
        frase += Ansi("o ponto fica fora do Brasil") +
                 (MaisProxima() ? Ansi(" e a estação mais próxima está a ") + km + " km" : AnsiString());
    else if (ForaDaEnvoltoria && Longe)
        frase += Ansi("o ponto fica fora da área cercada pelas estações e a estação mais próxima está a ") + km + " km";
    else if (ForaDaEnvoltoria)
        frase += Ansi("o ponto fica fora da área cercada pelas estações");
    else
        frase += Ansi("a estação mais próxima está a ") + km + " km";
    return frase + Ansi("; os valores interpolados podem ser pouco confiáveis.");
}

TAvaliadorConfianca::TAvaliadorConfianca(const TPoolInterpolacao& pool, double distanciaDeAviso)
    : pool_(pool), distanciaDeAviso_(distanciaDeAviso), envoltoria_({}) {
    std::vector<TEnvoltoriaConvexa::TPonto> pontos;
    posicoes_.resize(pool.Tamanho());
    estados_.resize(pool.Tamanho());
    for (std::size_t i = 0; i < pool.Tamanho(); ++i) {
        const TEstacao& e = pool.Estacao(i);
        estados_[i] = pool.EstadoDaEstacao(i);
        // A station whose texts do not read is never reached by an answer
        // (the pool raises first); it stands nowhere.
        try {
            posicoes_[i] = {ParseDms(e.Latitude.Text()), ParseDms(e.Longitude.Text()), true};
            pontos.push_back({posicoes_[i].Lon, posicoes_[i].Lat});
            maiorLatitude_ = std::max(maiorLatitude_, std::abs(posicoes_[i].Lat));
        } catch (const EConvertError&) {
            posicoes_[i] = {0, 0, false};
        }
    }
    envoltoria_ = TEnvoltoriaConvexa(std::move(pontos));
}

TConfianca TAvaliadorConfianca::Avalia(const AnsiString& latitude, const AnsiString& longitude,
                                       TPoolInterpolacao::TExigencia exigencia) const {
    const std::vector<TPoolInterpolacao::TContribuicao> contribuicoes =
        pool_.Contribuicoes(latitude, longitude, exigencia, TPoolInterpolacao::TOrdem::DaVarredura);
    const double lat = ParseDms(latitude), lon = ParseDms(longitude);
    std::vector<TEstacaoContribuinte> todas;
    todas.reserve(pool_.Tamanho());
    for (std::size_t i = 0; i < pool_.Tamanho(); ++i)
        if (posicoes_[i].Legivel)
            todas.push_back({&pool_.Estacao(i), estados_[i],
                             DistanciaGeodesicaKm(lat, lon, posicoes_[i].Lat, posicoes_[i].Lon),
                             Parcela(contribuicoes, i), {}});
    return Conclui(std::move(todas), lat, lon, contribuicoes);
}

TConfianca TAvaliadorConfianca::Resumo(const AnsiString& latitude, const AnsiString& longitude,
                                       TPoolInterpolacao::TExigencia exigencia) const {
    const std::vector<TPoolInterpolacao::TContribuicao> contribuicoes =
        pool_.Contribuicoes(latitude, longitude, exigencia, TPoolInterpolacao::TOrdem::DaVarredura);
    const double lat = ParseDms(latitude), lon = ParseDms(longitude);
    // A lower bound of the kilometres in a degree of the plane, in any
    // direction, between latitudes up to L: a degree of meridian is at least
    // 110.57 km, a degree of parallel 111.32·cos(L) km. The 5 degrees of
    // margin cover the poleward bow of a long geodesic.
    const double limite = std::min(85.0, std::max(maiorLatitude_, std::abs(lat)) + 5);
    const double kmPorGrau = 110.5 * std::cos(limite * 3.14159265358979323846 / 180);

    std::vector<std::pair<double, std::size_t>> planas;   // squared planar distance, pool index
    planas.reserve(pool_.Tamanho());
    for (std::size_t i = 0; i < pool_.Tamanho(); ++i)
        if (posicoes_[i].Legivel) {
            const double dy = posicoes_[i].Lat - lat, dx = posicoes_[i].Lon - lon;
            planas.emplace_back(dx * dx + dy * dy, i);
        }
    // The five nearest in the plane are at most G km away: so are the five
    // nearest in kilometres, and every station within G km (and within 50 km)
    // lies within G/kmPorGrau degrees.
    const std::size_t n = std::min<std::size_t>(5, planas.size());
    std::partial_sort(planas.begin(), planas.begin() + static_cast<long>(n), planas.end());
    double g = 50;
    for (std::size_t k = 0; k < n; ++k) {
        const TPosicao& p = posicoes_[planas[k].second];
        g = std::max(g, DistanciaGeodesicaKm(lat, lon, p.Lat, p.Lon));
    }
    const double raio = g / kmPorGrau * (1 + 1e-9);
    std::vector<std::size_t> candidatas;
    for (const auto& [d2, i] : planas)
        if (d2 <= raio * raio) candidatas.push_back(i);
    std::sort(candidatas.begin(), candidatas.end());   // scan order, for ties
    std::vector<TEstacaoContribuinte> lista;
    lista.reserve(candidatas.size());
    // Only those within G km: a candidate farther off could be preceded by a
    // station outside the radius.
    for (std::size_t i : candidatas) {
        const double km = DistanciaGeodesicaKm(lat, lon, posicoes_[i].Lat, posicoes_[i].Lon);
        if (km <= g) lista.push_back({&pool_.Estacao(i), estados_[i], km, Parcela(contribuicoes, i), {}});
    }
    return Conclui(std::move(lista), lat, lon, contribuicoes);
}

// The share of pool index i in the pool's contributions in scan order (an
// exact match holds one station: the others have none).
double TAvaliadorConfianca::Parcela(const std::vector<TPoolInterpolacao::TContribuicao>& contribuicoes,
                                    std::size_t i) const {
    if (contribuicoes.size() == pool_.Tamanho()) return contribuicoes[i].Parcela;
    return contribuicoes.size() == 1 && contribuicoes[0].Estacao == &pool_.Estacao(i) ? 1.0 : 0.0;
}

// The list (in scan order, with kilometres and shares) sorted nearest first,
// with the counts, the spread, the exact match and the warnings.
TConfianca TAvaliadorConfianca::Conclui(std::vector<TEstacaoContribuinte> todas, double lat, double lon,
                                        const std::vector<TPoolInterpolacao::TContribuicao>& contribuicoes) const {
    TConfianca r;
    r.DistanciaDeAviso = distanciaDeAviso_;
    r.ForaDoBrasil = ForaDaExtensaoDoBrasil(lat, lon);
    for (const auto& c : todas) {
        if (c.DistanciaKm <= 25) ++r.Ate25Km;
        if (c.DistanciaKm <= 50) ++r.Ate50Km;
    }
    // Scan order is kept among equal distances.
    std::stable_sort(todas.begin(), todas.end(), [](const TEstacaoContribuinte& x, const TEstacaoContribuinte& y) {
        return x.DistanciaKm < y.DistanciaKm;
    });
    // The pool answers with one station only when the point is that station
    // (or when it holds one station): its texts, or its position, give 0 km.
    // (The pool's own distance mixes precisions and need not be exactly 0.)
    if (contribuicoes.size() == 1) {
        const auto propria = std::find_if(todas.begin(), todas.end(), [&](const TEstacaoContribuinte& c) {
            return c.Estacao == contribuicoes[0].Estacao;
        });
        r.Exata = propria != todas.end() && propria->DistanciaKm == 0;
    }
    for (auto& c : todas) {
        const TEstacao& e = *c.Estacao;
        try {
            c.I10_60 = ValoresDeProjeto(e.K, e.a, e.b, e.c, TrComparacao, DuracaoComparacao).Intensidade;
        } catch (const Exception&) {
            c.I10_60.reset();
        }
    }
    for (std::size_t i = 0; i < std::min<std::size_t>(5, todas.size()); ++i) {
        if (!todas[i].I10_60) continue;
        const double v = *todas[i].I10_60;
        r.MenorI = r.MenorI ? std::min(*r.MenorI, v) : v;
        r.MaiorI = r.MaiorI ? std::max(*r.MaiorI, v) : v;
    }
    if (r.Exata) {
        const auto propria = std::find_if(todas.begin(), todas.end(), [&](const TEstacaoContribuinte& c) {
            return c.Estacao == contribuicoes[0].Estacao;
        });
        if (propria != todas.end()) r.Estacoes.assign(propria, propria + 1);
        else r.Estacoes.push_back({contribuicoes[0].Estacao, 0, 0, 0, {}});
        r.Estacoes[0].Parcela = 1;
        return r;
    }
    r.Estacoes = std::move(todas);
    if (const TEstacaoContribuinte* perto = r.MaisProxima()) r.Longe = perto->DistanciaKm > distanciaDeAviso_;
    r.ForaDaEnvoltoria = !envoltoria_.Contem({lon, lat});
    return r;
}
