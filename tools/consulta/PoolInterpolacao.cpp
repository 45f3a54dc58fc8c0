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

}  // namespace

TPoolInterpolacao::TPoolInterpolacao(const TBDPrecipitacao& bd) {
    for (int s : EstadosInterpolacao)
        for (const TEstacao& e : bd.Estacoes[static_cast<std::size_t>(s)]) estacoes_.push_back(&e);
    const std::size_t n = estacoes_.size();
    primeiraInvalida_ = n;
    posicoes_.assign(n, {0, 0});
    parametros_.resize(n);
    porTexto_.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const TEstacao& e = *estacoes_[i];
        parametros_[i] = {e.K, e.a, e.b, e.c};
        porTexto_.emplace(Chave(e.Latitude.Text(), e.Longitude.Text()), i);   // keeps the first
        if (primeiraInvalida_ < n) continue;
        try {
            posicoes_[i] = {ParseDmsL(e.Latitude.Text()), ParseDmsL(e.Longitude.Text())};
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
    const TPosicao* pos = posicoes_.data();
    long double* w = pesos.data();
    for (std::size_t i = 0; i < limite; ++i) {
        const long double dLat = pos[i].Lat - lat;
        const long double dLon = pos[i].Lon - lon;
        const long double d2 = dLat * dLat + dLon * dLon;
        if (d2 == 0) return i;
        const long double peso = 1.0L / (d2 * d2 * std::sqrt(d2));
        w[i] = peso;
        total += peso;
    }
    if (igual < primeiraInvalida_) return igual;
    if (primeiraInvalida_ < n) throw EConvertError(erroInvalida_);
    // Weights and their sum are finite for any two-digit coordinate texts
    // (the smallest non-zero distance is a fraction of a second); checked
    // once here instead of after every addition.
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
        const long double dLat = posicoes_[i].Lat - lat;
        const long double dLon = posicoes_[i].Lon - lon;
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
