#include "database/Confianca.h"

#include <GeographicLib/Constants.hpp>
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/NormalGravity.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "database/ContornosEstados.h"
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

// Andrew's monotone chain, after the points that cannot be vertices are
// set aside: on half a million stations only a few thousand are left to sort.
TEnvoltoriaConvexa::TEnvoltoriaConvexa(std::vector<TPonto> p) {
    if (p.size() > 64) {
        TCandidatasEnvoltoria candidatas;
        for (const TPonto& t : p) candidatas.Inclui(t);
        p = candidatas.Guardadas();
    }
    std::sort(p.begin(), p.end(), [](TPonto a, TPonto b) { return a.X < b.X || (a.X == b.X && a.Y < b.Y); });
    p.erase(std::unique(p.begin(), p.end(), [](TPonto a, TPonto b) { return a.X == b.X && a.Y == b.Y; }), p.end());
    Cadeia(p);
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

// A new extreme is kept, and the polygon redrawn.
void TCandidatasEnvoltoria::NovoExtremo(TPonto p) {
    const double s = p.X + p.Y, d = p.X - p.Y;
    const std::array<double, 4> chave = {p.X, s, p.Y, d};
    // Counter-clockwise order of the outward directions: least X, least
    // X+Y, least Y, greatest X-Y, greatest X, greatest X+Y, greatest Y,
    // least X-Y.
    constexpr int kMenor[4] = {0, 1, 2, 7}, kMaior[4] = {4, 5, 6, 3};
    for (std::size_t k = 0; k < 4; ++k) {
        if (chave[k] < menor_[k]) {
            menor_[k] = chave[k];
            extremos_[static_cast<std::size_t>(kMenor[k])] = p;
        }
        if (chave[k] > maior_[k]) {
            maior_[k] = chave[k];
            extremos_[static_cast<std::size_t>(kMaior[k])] = p;
        }
    }
    Refaz();
    Guarda(p);
}

void TCandidatasEnvoltoria::Guarda(TPonto p) {
    guardadas_.push_back(p);
    if (guardadas_.size() < revisaoEm_) return;
    guardadas_.erase(std::remove_if(guardadas_.begin(), guardadas_.end(), [&](TPonto q) { return DentroDosLados(q); }),
                     guardadas_.end());
    revisaoEm_ = std::max<std::size_t>(4096, 2 * guardadas_.size());
}

bool TCandidatasEnvoltoria::DentroDosLados(TPonto p) const {
    if (nLados_ < 3) return false;
    for (int k = 0; k < nLados_; ++k) {
        const TLado& l = lados_[static_cast<std::size_t>(k)];
        const double a = l.A * (p.X - l.X0), b = l.B * (p.Y - l.Y0);
        if (!(a + b > 1e-12 * (std::abs(a) + std::abs(b)))) return false;
    }
    return true;
}

void TCandidatasEnvoltoria::Junta(const TCandidatasEnvoltoria& outras) {
    for (const TPonto& p : outras.guardadas_) Inclui(p);
}

// The sides between the distinct extremes (fewer than three make no
// polygon), and the largest box about the middle of the extremes, in steps,
// whose corners are inside.
void TCandidatasEnvoltoria::Refaz() {
    std::array<TPonto, 8> v{};
    int n = 0;
    for (const TPonto& e : extremos_)
        if (n == 0 || e.X != v[static_cast<std::size_t>(n - 1)].X || e.Y != v[static_cast<std::size_t>(n - 1)].Y)
            v[static_cast<std::size_t>(n++)] = e;
    while (n > 1 && v[0].X == v[static_cast<std::size_t>(n - 1)].X && v[0].Y == v[static_cast<std::size_t>(n - 1)].Y) --n;
    nLados_ = n < 3 ? 0 : n;
    for (int k = 0; k < nLados_; ++k) {
        const TPonto o = v[static_cast<std::size_t>(k)], d = v[static_cast<std::size_t>((k + 1) % n)];
        lados_[static_cast<std::size_t>(k)] = {o.Y - d.Y, d.X - o.X, o.X, o.Y};
    }
    caixa_ = {kInfinito, kInfinito, -kInfinito, -kInfinito};
    const double cx = (menor_[0] + maior_[0]) / 2, cy = (menor_[2] + maior_[2]) / 2;
    const double rx = (maior_[0] - menor_[0]) / 2, ry = (maior_[2] - menor_[2]) / 2;
    for (double f = 0.95; f > 0.2; f -= 0.15) {
        const std::array<double, 4> c = {cx - f * rx, cy - f * ry, cx + f * rx, cy + f * ry};
        if (DentroDosLados({c[0], c[1]}) && DentroDosLados({c[2], c[1]}) && DentroDosLados({c[2], c[3]}) &&
            DentroDosLados({c[0], c[3]})) {
            caixa_ = c;
            break;
        }
    }
}

AnsiString NomesDosEstadosDaInterpolacao() {
    AnsiString s;
    for (std::size_t k = 0; k < EstadosInterpolacao.size(); ++k)
        s += (k == 0 ? "" : k + 1 == EstadosInterpolacao.size() ? " e " : ", ") +
             NomesEstados[static_cast<std::size_t>(EstadosInterpolacao[k])];
    return s;
}

int EstadoDoPonto(const TContornosEstados& contornos, double latitude, double longitude) {
    // Inside an outline, else within 10 km of one (the outlines are
    // simplified: a town on a lagoon's shore may fall just outside).
    for (double tolerancia : {0.0, 10.0})
        for (int s = 0; s < NumEstados; ++s)
            if (contornos.Contem(s, latitude, longitude, tolerancia)) return s;
    return -1;
}

void MarcaEstadoForaDaInterpolacao(TConfianca& c, const TContornosEstados* contornos, bool poolNacional,
                                   const AnsiString& latitude, const AnsiString& longitude) {
    if (!contornos || poolNacional) return;
    const int s = EstadoDoPonto(*contornos, ParseDms(latitude), ParseDms(longitude));
    if (s >= 0 && std::find(EstadosInterpolacao.begin(), EstadosInterpolacao.end(), s) == EstadosInterpolacao.end())
        c.EstadoForaDaInterpolacao = s;
}

AnsiString TConfianca::Aviso() const {
    AnsiString fora;
    if (EstadoForaDaInterpolacao >= 0)
        fora = Ansi("o ponto fica em ") + NomesEstados[static_cast<std::size_t>(EstadoForaDaInterpolacao)] +
               Ansi(", fora dos oito estados da interpolação (") + NomesDosEstadosDaInterpolacao() +
               Ansi("): os valores vêm das estações desses estados, não das do próprio estado; a interpolação "
                    "nacional (opção --nacional) usa as estações dos 27 estados");
    if (!Longe && !ForaDaEnvoltoria && !ForaDoBrasil)
        return fora.empty() ? AnsiString() : Ansi("Atenção: ") + fora + ".";
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
    return frase + Ansi("; os valores interpolados podem ser pouco confiáveis") + (fora.empty() ? AnsiString(".") : "; " + fora + ".");
}

double TVizinhos::KmPorGrau(double graus) {
    return 110.5 * std::cos(std::min(85.0, graus + 5) * 3.14159265358979323846 / 180);
}

TVizinhos::TVizinhos(double lat, double lon) : lat_(lat), lon_(lon), alatAlvo_(std::abs(lat)), quadrantes_(lat, lon) {
    for (std::size_t g = 0; g < kmPorGrau_.size(); ++g) kmPorGrau_[g] = KmPorGrau(static_cast<double>(g));
}

void TVizinhos::Insere(const TVista& v) {
    if (n_ == perto_.size() && !(v < perto_.back())) return;
    std::size_t k = std::min(n_, perto_.size() - 1);
    for (; k > 0 && v < perto_[k - 1]; --k) perto_[k] = perto_[k - 1];
    perto_[k] = v;
    n_ = std::min(n_ + 1, perto_.size());
    if (n_ == perto_.size()) {
        // The five nearest so far are at most this far in kilometres, and so
        // are the five nearest at the end.
        const double g = 1.01 * std::max(50.0, 111.7 * std::sqrt(perto_.back().D2));
        alcance2_ = g * g;
    }
}

void TVizinhos::Junta(const TVizinhos& outra) {
    for (std::size_t k = 0; k < outra.n_; ++k) Insere(outra.perto_[k]);
    maiorLatitude_ = std::max(maiorLatitude_, outra.maiorLatitude_);
    quadrantes_.Junta(outra.quadrantes_);
    guardadas_.insert(guardadas_.end(), outra.guardadas_.begin(), outra.guardadas_.end());
}

void TVizinhos::Fecha() {
    // The five nearest in the plane are at most G km away: so are the five
    // nearest in kilometres, and every station within G km (and within 50 km)
    // lies within G/kmPorGrau degrees.
    double g = 50;
    for (std::size_t k = 0; k < n_; ++k) g = std::max(g, DistanciaGeodesicaKm(lat_, lon_, perto_[k].Lat, perto_[k].Lon));
    const double raio = g / KmPorGrau(std::max(maiorLatitude_, alatAlvo_)) * (1 + 1e-9);
    alcance_ = g;
    raio2_ = raio * raio;
}

std::vector<TVizinhos::TListada> TVizinhos::Listadas() const {
    // Those within the planar radius, then in scan order (parts may have
    // come in any order), then within the reach.
    std::vector<TVista> dentro;
    for (const TVista& v : guardadas_) {
        const double dy = v.Lat - lat_, dx = v.Lon - lon_;
        if (dx * dx + dy * dy <= raio2_) dentro.push_back(v);
    }
    std::sort(dentro.begin(), dentro.end(), [](const TVista& a, const TVista& b) { return a.Indice < b.Indice; });
    std::vector<TListada> lista;
    for (const TVista& v : dentro) {
        const double km = DistanciaGeodesicaKm(lat_, lon_, v.Lat, v.Lon);
        if (km <= alcance_) lista.push_back({v.Indice, km});
    }
    return lista;
}

TAvaliadorConfianca::TAvaliadorConfianca(const TPoolInterpolacao& pool, double distanciaDeAviso)
    : pool_(&pool), distanciaDeAviso_(distanciaDeAviso), envoltoria_(std::vector<TEnvoltoriaConvexa::TPonto>{}) {
    posicoes_.resize(pool.Tamanho());
    TCandidatasEnvoltoria candidatas;
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
            if (pool.AoNorte(i)) posicoes_[i].Lat = -posicoes_[i].Lat;   // degrees south here
            candidatas.Inclui({posicoes_[i].Lon, posicoes_[i].Lat});
        } catch (const EConvertError&) {
            posicoes_[i] = {std::nan(""), std::nan("")};
        }
    }
    envoltoria_ = candidatas.Envoltoria();
}

const TAvaliadorConfianca::TBloco& TAvaliadorConfianca::Bloco(std::size_t i) const {
    return *(std::upper_bound(blocos_.begin(), blocos_.end(), i,
                              [](std::size_t x, const TBloco& b) { return x < b.Inicio; }) -
             1);
}

TConfianca TAvaliadorConfianca::Avalia(const AnsiString& latitude, const AnsiString& longitude,
                                       TPoolInterpolacao::TExigencia exigencia) const {
    const std::vector<TPoolInterpolacao::TContribuicao> contribuicoes =
        pool_->Contribuicoes(latitude, longitude, exigencia, TPoolInterpolacao::TOrdem::DaVarredura);
    const double lat = ParseDms(latitude), lon = ParseDms(longitude);
    std::vector<TEstacaoContribuinte> todas;
    todas.reserve(posicoes_.size());
    TQuadrantes quadrantes(lat, lon);
    for (std::size_t i = 0; i < posicoes_.size(); ++i)
        if (posicoes_[i].Legivel()) {
            quadrantes.Ve(posicoes_[i].Lat, posicoes_[i].Lon);
            todas.push_back({Estacao(i), Bloco(i).Estado,
                             DistanciaGeodesicaKm(lat, lon, posicoes_[i].Lat, posicoes_[i].Lon),
                             Parcela(contribuicoes, i), {}});
        }
    return ConcluiConfianca(std::move(todas), lat, lon, Unica(contribuicoes),
                            [&] { return !quadrantes.Cercado() && !envoltoria_.Contem({lon, lat}); }, distanciaDeAviso_);
}

TConfianca TAvaliadorConfianca::Resumo(const AnsiString& latitude, const AnsiString& longitude,
                                       TPoolInterpolacao::TExigencia exigencia) const {
    const std::vector<TPoolInterpolacao::TContribuicao> contribuicoes =
        pool_->Contribuicoes(latitude, longitude, exigencia, TPoolInterpolacao::TOrdem::DaVarredura);
    const double lat = ParseDms(latitude), lon = ParseDms(longitude);
    TVizinhos vizinhos(lat, lon);
    for (std::size_t i = 0; i < posicoes_.size(); ++i)
        if (posicoes_[i].Legivel()) vizinhos.Ve(i, posicoes_[i].Lat, posicoes_[i].Lon);
    vizinhos.Fecha();
    const std::vector<TVizinhos::TListada> listadas = vizinhos.Listadas();
    std::vector<TEstacaoContribuinte> lista;
    for (const TVizinhos::TListada& l : listadas)
        lista.push_back({Estacao(l.Indice), Bloco(l.Indice).Estado, l.Km, Parcela(contribuicoes, l.Indice), {}});
    return ConcluiConfianca(std::move(lista), lat, lon, Unica(contribuicoes),
                            [&] { return !vizinhos.Cercado() && !envoltoria_.Contem({lon, lat}); }, distanciaDeAviso_);
}

// The share of pool index i in the pool's contributions in scan order (an
// exact match holds one station: the others have none).
double TAvaliadorConfianca::Parcela(const std::vector<TPoolInterpolacao::TContribuicao>& contribuicoes,
                                    std::size_t i) const {
    if (contribuicoes.size() == posicoes_.size()) return contribuicoes[i].Parcela;
    return contribuicoes.size() == 1 && contribuicoes[0].Estacao == Estacao(i) ? 1.0 : 0.0;
}

TConfianca ConcluiConfianca(std::vector<TEstacaoContribuinte> todas, double lat, double lon, const TEstacao* unica,
                            const std::function<bool()>& foraDaEnvoltoria, double distanciaDeAviso) {
    TConfianca r;
    r.DistanciaDeAviso = distanciaDeAviso;
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
    if (const TEstacaoContribuinte* perto = r.MaisProxima()) r.Longe = perto->DistanciaKm > distanciaDeAviso;
    r.ForaDaEnvoltoria = foraDaEnvoltoria();
    return r;
}
