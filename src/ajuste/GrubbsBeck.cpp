#include "ajuste/GrubbsBeck.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <random>

#include "ajuste/Ajuste.h"

namespace {

constexpr int kAmostras = 20000;
constexpr std::uint64_t kSemente = 17;

// w_k for k = 1 .. n/2 of ascending values (logs).
void Estatisticas(const std::vector<double>& x, std::vector<double>& w) {
    const std::size_t n = x.size(), metade = n / 2;
    w.assign(metade, 0);
    // Sums of the values above each k, from the top down.
    double soma = 0, soma2 = 0;
    std::vector<double> s(n + 1, 0), s2(n + 1, 0);
    for (std::size_t i = n; i-- > 0;) {
        soma += x[i];
        soma2 += x[i] * x[i];
        s[i] = soma;
        s2[i] = soma2;
    }
    for (std::size_t k = 1; k <= metade; ++k) {
        const double m = static_cast<double>(n - k);
        const double media = s[k] / m;
        const double var = std::max(0.0, (s2[k] - m * media * media) / (m - 1));
        w[k - 1] = var > 0 ? (x[k - 1] - media) / std::sqrt(var) : 0;
    }
}

TQuantisGrubbsBeck Simula(std::size_t n) {
    std::mt19937_64 g(kSemente * 1000003 + n);
    const std::size_t metade = n / 2;
    std::vector<std::vector<double>> porK(metade, std::vector<double>(kAmostras));
    std::vector<double> x(n), w;
    for (int a = 0; a < kAmostras; ++a) {
        // Box-Muller on the platform-independent uniforms of the fitting.
        for (std::size_t i = 0; i < n; i += 2) {
            const double u1 = Uniforme(g), u2 = Uniforme(g);
            const double r = std::sqrt(-2 * std::log(u1));
            x[i] = r * std::cos(2 * M_PI * u2);
            if (i + 1 < n) x[i + 1] = r * std::sin(2 * M_PI * u2);
        }
        std::sort(x.begin(), x.end());
        Estatisticas(x, w);
        for (std::size_t k = 0; k < metade; ++k) porK[k][a] = w[k];
    }
    TQuantisGrubbsBeck q;
    for (auto& v : porK) {
        q.Q005.push_back(Percentil(v, 0.005));
        q.Q10.push_back(Percentil(v, 0.10));
    }
    return q;
}

std::vector<double> Logs(const std::vector<double>& valores) {
    std::vector<double> x;
    for (double v : valores) x.push_back(std::log10(v));
    std::sort(x.begin(), x.end());
    return x;
}

}  // namespace

const TQuantisGrubbsBeck& QuantisGrubbsBeck(std::size_t n) {
    static std::mutex trava;
    static std::map<std::size_t, std::unique_ptr<TQuantisGrubbsBeck>> feitos;
    std::lock_guard<std::mutex> l(trava);
    auto& q = feitos[n];
    if (!q) q = std::make_unique<TQuantisGrubbsBeck>(Simula(n));
    return *q;
}

TTesteBaixos GrubbsBeckMultiplo(const std::vector<double>& valores) {
    TTesteBaixos t;
    if (valores.size() < 5) return t;
    const std::vector<double> x = Logs(valores);
    std::vector<double> w;
    Estatisticas(x, w);
    const TQuantisGrubbsBeck& q = QuantisGrubbsBeck(x.size());
    std::size_t j1 = 0, j2 = 0;
    for (std::size_t k = 1; k <= w.size(); ++k) {
        if (w[k - 1] < q.Q005[k - 1]) j1 = j2 = k;           // outward sweep
        else if (w[k - 1] < q.Q10[k - 1] && j2 == k - 1) j2 = k;   // inward sweep
    }
    t.Quantos = std::max(j1, j2);
    if (t.Quantos > 0) t.Limiar = std::pow(10.0, x[t.Quantos]);
    return t;
}

double LimiarAltoGrubbsBeck(const std::vector<double>& valores) {
    const std::size_t n = valores.size();
    if (n < 5) return std::numeric_limits<double>::infinity();
    const std::vector<double> x = Logs(valores);
    double media = 0, var = 0;
    for (double v : x) media += v;
    media /= static_cast<double>(n);
    for (double v : x) var += (v - media) * (v - media);
    var /= static_cast<double>(n - 1);
    const double l = std::log10(static_cast<double>(n));
    const double kn = -0.9043 + 3.345 * std::sqrt(l) - 0.4046 * l;
    return std::pow(10.0, media + kn * std::sqrt(var));
}
