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
    Cadeia(p);
}

TEnvoltoriaConvexa TEnvoltoriaConvexa::DeOrdenados(const std::vector<TPonto>& ordenados) {
    TEnvoltoriaConvexa h;
    h.Cadeia(ordenados);
    return h;
}

// The lower and upper chains over points sorted by X, then Y, without repeats.
void TEnvoltoriaConvexa::Cadeia(const std::vector<TPonto>& p) {
    if (p.size() < 3) {
        vertices_ = p;
        return;
    }
    // Only as much memory as the hull takes is touched.
    std::vector<TPonto>& h = vertices_;
    h.clear();
    auto poe = [&](std::size_t piso, TPonto q) {
        while (h.size() >= piso && Cruzado(h[h.size() - 2], h.back(), q) <= 0) h.pop_back();
        h.push_back(q);
    };
    for (std::size_t i = 0; i < p.size(); ++i) poe(2, p[i]);
    const std::size_t t = h.size() + 1;
    for (std::size_t i = p.size() - 1; i-- > 0;) poe(t, p[i]);
    h.pop_back();
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
    : pool_(&pool), distanciaDeAviso_(distanciaDeAviso), envoltoria_(std::vector<TEnvoltoriaConvexa::TPonto>{}) {
    posicoes_.resize(pool.Tamanho());
    const TEstacao* anterior = nullptr;
    for (std::size_t i = 0; i < pool.Tamanho(); ++i) {
        const TEstacao& e = pool.Estacao(i);
        const int estado = pool.EstadoDaEstacao(i);
        if (i == 0 || estado != blocos_.back().Estado || &e != anterior + 1) blocos_.push_back({i, &e, estado});
        anterior = &e;
        // A station whose texts do not read is never reached by an answer
        // (the pool raises first); it stands nowhere.
        try {
            posicoes_[i] = {ParseDms(e.Latitude.Text()), ParseDms(e.Longitude.Text())};
        } catch (const EConvertError&) {
            posicoes_[i] = {std::nan(""), std::nan("")};
        }
    }
    Prepara(true);
}

TAvaliadorConfianca::TAvaliadorConfianca(std::vector<TBloco> blocos, TPosicoes posicoes,
                                         TEnvoltoriaConvexa envoltoria, double distanciaDeAviso)
    : blocos_(std::move(blocos)),
      distanciaDeAviso_(distanciaDeAviso),
      posicoes_(std::move(posicoes)),
      envoltoria_(std::move(envoltoria)) {
    Prepara(false);
}

const TAvaliadorConfianca::TBloco& TAvaliadorConfianca::Bloco(std::size_t i) const {
    return *(std::upper_bound(blocos_.begin(), blocos_.end(), i,
                              [](std::size_t x, const TBloco& b) { return x < b.Inicio; }) -
             1);
}

// The largest latitude of the legible stations, and their hull.
void TAvaliadorConfianca::Prepara(bool comEnvoltoria) {
    std::vector<TEnvoltoriaConvexa::TPonto> pontos;
    if (comEnvoltoria) pontos.reserve(posicoes_.size());
    for (const TPosicao& p : posicoes_)
        if (p.Legivel()) {
            if (comEnvoltoria) pontos.push_back({p.Lon, p.Lat});
            maiorLatitude_ = std::max(maiorLatitude_, std::abs(p.Lat));
        }
    if (comEnvoltoria) envoltoria_ = TEnvoltoriaConvexa(std::move(pontos));
}

TConfianca TAvaliadorConfianca::Avalia(const AnsiString& latitude, const AnsiString& longitude,
                                       TPoolInterpolacao::TExigencia exigencia) const {
    const std::vector<TPoolInterpolacao::TContribuicao> contribuicoes =
        pool_->Contribuicoes(latitude, longitude, exigencia, TPoolInterpolacao::TOrdem::DaVarredura);
    const double lat = ParseDms(latitude), lon = ParseDms(longitude);
    std::vector<TEstacaoContribuinte> todas;
    todas.reserve(posicoes_.size());
    for (std::size_t i = 0; i < posicoes_.size(); ++i)
        if (posicoes_[i].Legivel())
            todas.push_back({Estacao(i), Bloco(i).Estado,
                             DistanciaGeodesicaKm(lat, lon, posicoes_[i].Lat, posicoes_[i].Lon),
                             Parcela(contribuicoes, i), {}});
    return Conclui(std::move(todas), lat, lon, Unica(contribuicoes));
}

TConfianca TAvaliadorConfianca::Resumo(const AnsiString& latitude, const AnsiString& longitude,
                                       TPoolInterpolacao::TExigencia exigencia) const {
    const std::vector<TPoolInterpolacao::TContribuicao> contribuicoes =
        pool_->Contribuicoes(latitude, longitude, exigencia, TPoolInterpolacao::TOrdem::DaVarredura);
    return ResumoDe(ParseDms(latitude), ParseDms(longitude), Unica(contribuicoes),
                    [&](std::size_t i) { return Parcela(contribuicoes, i); });
}

TConfianca TAvaliadorConfianca::ResumoDe(double lat, double lon, const TEstacao* unica,
                                         const std::function<double(std::size_t)>& parcela) const {
    // A lower bound of the kilometres in a degree of the plane, in any
    // direction, between latitudes up to L: a degree of meridian is at least
    // 110.57 km, a degree of parallel 111.32·cos(L) km. The 5 degrees of
    // margin cover the poleward bow of a long geodesic.
    const double limite = std::min(85.0, std::max(maiorLatitude_, std::abs(lat)) + 5);
    const double kmPorGrau = 110.5 * std::cos(limite * 3.14159265358979323846 / 180);

    auto plana = [&](const TPosicao& p) {   // squared planar distance
        const double dy = p.Lat - lat, dx = p.Lon - lon;
        return dx * dx + dy * dy;
    };
    // The five nearest in the plane (ties in scan order), kept as the scan goes.
    std::array<std::pair<double, std::size_t>, 5> perto{};
    std::size_t n = 0;
    for (std::size_t i = 0; i < posicoes_.size(); ++i) {
        if (!posicoes_[i].Legivel()) continue;
        const std::pair<double, std::size_t> x(plana(posicoes_[i]), i);
        if (n == perto.size() && !(x < perto.back())) continue;
        std::size_t k = std::min(n, perto.size() - 1);
        for (; k > 0 && x < perto[k - 1]; --k) perto[k] = perto[k - 1];
        perto[k] = x;
        n = std::min(n + 1, perto.size());
    }
    // The five nearest in the plane are at most G km away: so are the five
    // nearest in kilometres, and every station within G km (and within 50 km)
    // lies within G/kmPorGrau degrees.
    double g = 50;
    for (std::size_t k = 0; k < n; ++k) {
        const TPosicao& p = posicoes_[perto[k].second];
        g = std::max(g, DistanciaGeodesicaKm(lat, lon, p.Lat, p.Lon));
    }
    const double raio = g / kmPorGrau * (1 + 1e-9);
    std::vector<std::size_t> candidatas;   // in scan order, for ties
    for (std::size_t i = 0; i < posicoes_.size(); ++i)
        if (posicoes_[i].Legivel() && plana(posicoes_[i]) <= raio * raio) candidatas.push_back(i);
    std::vector<TEstacaoContribuinte> lista;
    lista.reserve(candidatas.size());
    // Only those within G km: a candidate farther off could be preceded by a
    // station outside the radius.
    for (std::size_t i : candidatas) {
        const double km = DistanciaGeodesicaKm(lat, lon, posicoes_[i].Lat, posicoes_[i].Lon);
        if (km <= g) lista.push_back({Estacao(i), Bloco(i).Estado, km, parcela(i), {}});
    }
    return Conclui(std::move(lista), lat, lon, unica);
}

// The share of pool index i in the pool's contributions in scan order (an
// exact match holds one station: the others have none).
double TAvaliadorConfianca::Parcela(const std::vector<TPoolInterpolacao::TContribuicao>& contribuicoes,
                                    std::size_t i) const {
    if (contribuicoes.size() == posicoes_.size()) return contribuicoes[i].Parcela;
    return contribuicoes.size() == 1 && contribuicoes[0].Estacao == Estacao(i) ? 1.0 : 0.0;
}

// The list (in scan order, with kilometres and shares) sorted nearest first,
// with the counts, the spread, the exact match and the warnings.
TConfianca TAvaliadorConfianca::Conclui(std::vector<TEstacaoContribuinte> todas, double lat, double lon,
                                        const TEstacao* unica) const {
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
    if (unica) {
        const auto propria = std::find_if(todas.begin(), todas.end(), [&](const TEstacaoContribuinte& c) {
            return c.Estacao == unica;
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
            return c.Estacao == unica;
        });
        if (propria != todas.end()) r.Estacoes.assign(propria, propria + 1);
        else r.Estacoes.push_back({unica, 0, 0, 0, {}});
        r.Estacoes[0].Parcela = 1;
        return r;
    }
    r.Estacoes = std::move(todas);
    if (const TEstacaoContribuinte* perto = r.MaisProxima()) r.Longe = perto->DistanciaKm > distanciaDeAviso_;
    r.ForaDaEnvoltoria = !envoltoria_.Contem({lon, lat});
    return r;
}
