#include "PoolInterpolacao.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "database/Coordenadas.h"
#include "platform/Erros.h"
#include "platform/PontoFlutuante.h"

namespace {

std::string Chave(const AnsiString& latitude, const AnsiString& longitude) {
    std::string chave = latitude;
    chave += '\0';
    chave += longitude;
    return chave;
}

// Exact product a·b = p + e (Dekker's split for the 64-bit significand).
inline void ProdutoExato(long double a, long double b, long double& p, long double& e) {
    const long double divisor = 4294967297.0L;   // 2^32 + 1
    long double t = divisor * a;
    const long double ah = t - (t - a), al = a - ah;
    t = divisor * b;
    const long double bh = t - (t - b), bl = b - bh;
    p = a * b;
    e = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}

}  // namespace

long double TPoolInterpolacao::QuintaPotencia(long double d2) {
    // √(d²) with its remainder, (d²)² exactly, then the product with the
    // small terms added last.
    const long double s = std::sqrt(d2);
    long double ss, se;
    ProdutoExato(s, s, ss, se);
    const long double ds = ((d2 - ss) - se) / (2 * s);
    long double h, l;
    ProdutoExato(d2, d2, h, l);
    long double p, e;
    ProdutoExato(h, s, p, e);
    return p + (e + (h * ds + l * s));
}

TPoolInterpolacao::TPoolInterpolacao(const TBDPrecipitacao& bd) {
    for (int s : EstadosInterpolacao)
        for (const TEstacao& e : bd.Estacoes[static_cast<std::size_t>(s)]) estacoes_.push_back(&e);
    const std::size_t n = estacoes_.size();
    primeiraInvalida_ = n;
    lat_.assign(n, 0);
    lon_.assign(n, 0);
    parametros_.resize(n);
    porTexto_.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const TEstacao& e = *estacoes_[i];
        parametros_[i] = {e.K, e.a, e.b, e.c};
        porTexto_.emplace(Chave(e.Latitude.Text(), e.Longitude.Text()), i);   // keeps the first
        if (primeiraInvalida_ < n) continue;
        try {
            lat_[i] = ParseDms(e.Latitude.Text());
            lon_[i] = ParseDms(e.Longitude.Text());
        } catch (const EConvertError& erro) {
            primeiraInvalida_ = i;
            erroInvalida_ = erro.Message();
        }
    }
}

std::size_t TPoolInterpolacao::PrimeiraPassagem(const AnsiString& latitude, const AnsiString& longitude,
                                                std::vector<long double>& pesos, long double& soma) const {
    const double lat = ParseDms(latitude);
    const double lon = ParseDms(longitude);
    const std::size_t n = estacoes_.size();
    const auto achada = porTexto_.find(Chave(latitude, longitude));
    const std::size_t igual = achada == porTexto_.end() ? n : achada->second;
    const std::size_t limite = std::min(igual, primeiraInvalida_);

    pesos.resize(n);
    long double total = 0;
    const double* la = lat_.data();
    const double* lo = lon_.data();
    long double* w = pesos.data();
    for (std::size_t i = 0; i < limite; ++i) {
        const long double dLat = static_cast<long double>(la[i]) - lat;
        const long double dLon = static_cast<long double>(lo[i]) - lon;
        const long double d2 = dLat * dLat + dLon * dLon;
        if (d2 == 0) return i;
        const long double peso = 1.0L / QuintaPotencia(d2);
        w[i] = peso;
        total += peso;
    }
    if (igual < primeiraInvalida_) return igual;
    if (primeiraInvalida_ < n) throw EConvertError(erroInvalida_);
    // Nothing in the ranges of the coordinates can overflow; checked once here
    // instead of after every addition.
    soma = VerificaL(total);
    return n;
}

TEstacao TPoolInterpolacao::Interpola(const AnsiString& latitude, const AnsiString& longitude,
                                      std::vector<long double>& pesos) const {
    long double soma = 0;
    const std::size_t n = estacoes_.size();
    const std::size_t achada = PrimeiraPassagem(latitude, longitude, pesos, soma);
    if (achada < n) return *estacoes_[achada];

    double K = 0, a = 0, b = 0, c = 0;
    const long double* w = pesos.data();
    const TParametros* p = parametros_.data();
    for (std::size_t i = 0; i < n; ++i) {
        const long double fator = w[i] / soma;
        K = static_cast<double>(K + fator * p[i].K);
        a = static_cast<double>(a + fator * p[i].a);
        b = static_cast<double>(b + fator * p[i].b);
        c = static_cast<double>(c + fator * p[i].c);
    }
    TEstacao r;
    r.K = K;
    r.a = a;
    r.b = b;
    r.c = c;
    r.Nome.Assign("");
    r.Autor.Assign("Interpola\xE7\xE3o");
    r.Latitude.Assign(latitude);
    r.Longitude.Assign(longitude);
    return r;
}

std::vector<TPoolInterpolacao::TContribuicao> TPoolInterpolacao::Contribuicoes(
    const AnsiString& latitude, const AnsiString& longitude) const {
    std::vector<long double> pesos;
    long double soma = 0;
    const std::size_t n = estacoes_.size();
    const std::size_t achada = PrimeiraPassagem(latitude, longitude, pesos, soma);
    const double lat = ParseDms(latitude);
    const double lon = ParseDms(longitude);
    auto distancia = [&](std::size_t i) {
        const long double dLat = static_cast<long double>(lat_[i]) - lat;
        const long double dLon = static_cast<long double>(lon_[i]) - lon;
        return static_cast<double>(std::sqrt(dLat * dLat + dLon * dLon));
    };
    if (achada < n) return {{estacoes_[achada], distancia(achada), 1.0}};

    std::vector<TContribuicao> lista;
    lista.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        lista.push_back({estacoes_[i], distancia(i), static_cast<double>(pesos[i] / soma)});
    std::stable_sort(lista.begin(), lista.end(),
                     [](const TContribuicao& x, const TContribuicao& y) { return x.Distancia < y.Distancia; });
    return lista;
}
