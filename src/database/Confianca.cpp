#include "database/Confianca.h"

#include <GeographicLib/Constants.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/NormalGravity.hpp>

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>

#include "database/Coordenadas.h"
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

// Andrew's monotone chain.
TEnvoltoriaConvexa::TEnvoltoriaConvexa(std::vector<TPonto> p) {
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
    if (!Longe && !ForaDaEnvoltoria) return {};
    const AnsiString km = std::to_string(std::lround(MaisProxima() ? MaisProxima()->DistanciaKm : 0));
    AnsiString frase = "Aten\xE7\xE3o: ";
    if (ForaDaEnvoltoria && Longe)
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
        } catch (const EConvertError&) {
            posicoes_[i] = {0, 0, false};
        }
    }
    envoltoria_ = TEnvoltoriaConvexa(std::move(pontos));
}

TConfianca TAvaliadorConfianca::Avalia(const AnsiString& latitude, const AnsiString& longitude,
                                       TPoolInterpolacao::TExigencia exigencia) const {
    const std::vector<TPoolInterpolacao::TContribuicao> contribuicoes =
        pool_.Contribuicoes(latitude, longitude, exigencia);
    const double lat = ParseDms(latitude), lon = ParseDms(longitude);
    std::unordered_map<const TEstacao*, double> parcelas;
    for (const auto& c : contribuicoes) parcelas.emplace(c.Estacao, c.Parcela);

    TConfianca r;
    r.DistanciaDeAviso = distanciaDeAviso_;
    std::vector<TEstacaoContribuinte> todas;
    todas.reserve(pool_.Tamanho());
    for (std::size_t i = 0; i < pool_.Tamanho(); ++i) {
        if (!posicoes_[i].Legivel) continue;
        const TEstacao& e = pool_.Estacao(i);
        TEstacaoContribuinte c{&e, estados_[i], DistanciaGeodesicaKm(lat, lon, posicoes_[i].Lat, posicoes_[i].Lon), 0, {}};
        if (const auto p = parcelas.find(&e); p != parcelas.end()) c.Parcela = p->second;
        if (c.DistanciaKm <= 25) ++r.Ate25Km;
        if (c.DistanciaKm <= 50) ++r.Ate50Km;
        todas.push_back(c);
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
