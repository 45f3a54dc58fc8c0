#include "ajuste/Distribuicoes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

#include "ajuste/ErrosAjuste.h"
#include "platform/Cp1252.h"

namespace {

constexpr double kEuler = 0.57721566490153286;

std::vector<double> Ordena(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v;
}

// Nelder-Mead minimisation, small and deterministic; returns the best point.
template <std::size_t N>
std::array<double, N> NelderMead(const std::function<double(const std::array<double, N>&)>& f,
                                 std::array<double, N> inicio, const std::array<double, N>& passo, int maxIter,
                                 bool& convergiu) {
    std::array<std::array<double, N>, N + 1> s;
    std::array<double, N + 1> v;
    s[0] = inicio;
    for (std::size_t i = 0; i < N; ++i) { s[i + 1] = inicio; s[i + 1][i] += passo[i]; }
    for (std::size_t i = 0; i <= N; ++i) v[i] = f(s[i]);
    convergiu = false;
    for (int it = 0; it < maxIter; ++it) {
        std::array<std::size_t, N + 1> o;
        for (std::size_t i = 0; i <= N; ++i) o[i] = i;
        std::sort(o.begin(), o.end(), [&](std::size_t a, std::size_t b) { return v[a] < v[b]; });
        const std::size_t melhor = o[0], pior = o[N], segundo = o[N - 1];
        if (std::abs(v[pior] - v[melhor]) <= 1e-10 * (std::abs(v[melhor]) + 1e-10)) { convergiu = true; break; }
        std::array<double, N> c{};
        for (std::size_t i = 0; i <= N; ++i)
            if (i != pior) for (std::size_t k = 0; k < N; ++k) c[k] += s[i][k] / N;
        auto ponto = [&](double t) {
            std::array<double, N> p;
            for (std::size_t k = 0; k < N; ++k) p[k] = c[k] + t * (s[pior][k] - c[k]);
            return p;
        };
        const auto r = ponto(-1);
        const double fr = f(r);
        if (fr < v[melhor]) {
            const auto e = ponto(-2);
            const double fe = f(e);
            if (fe < fr) { s[pior] = e; v[pior] = fe; } else { s[pior] = r; v[pior] = fr; }
        } else if (fr < v[segundo]) {
            s[pior] = r; v[pior] = fr;
        } else {
            const auto k = fr < v[pior] ? ponto(-0.5) : ponto(0.5);
            const double fk = f(k);
            if (fk < std::min(fr, v[pior])) { s[pior] = k; v[pior] = fk; }
            else {
                for (std::size_t i = 0; i <= N; ++i) {
                    if (i == melhor) continue;
                    for (std::size_t q = 0; q < N; ++q) s[i][q] = s[melhor][q] + 0.5 * (s[i][q] - s[melhor][q]);
                    v[i] = f(s[i]);
                }
            }
        }
    }
    const std::size_t melhor = static_cast<std::size_t>(std::min_element(v.begin(), v.end()) - v.begin());
    return s[melhor];
}

// Negative log-likelihood of the GEV (xi = 0: Gumbel); +inf outside the support.
double MenosLogVerossimilhanca(const std::vector<double>& x, double mu, double sigma, double xi) {
    if (!(sigma > 0)) return std::numeric_limits<double>::infinity();
    double soma = x.size() * std::log(sigma);
    for (double v : x) {
        const double z = (v - mu) / sigma;
        if (std::abs(xi) < 1e-9) {
            soma += z + std::exp(-z);
        } else {
            const double t = 1 + xi * z;
            if (!(t > 0)) return std::numeric_limits<double>::infinity();
            const double lt = std::log(t);
            soma += (1 + 1 / xi) * lt + std::exp(-lt / xi);
        }
    }
    return std::isfinite(soma) ? soma : std::numeric_limits<double>::infinity();
}

[[noreturn]] void SemAjuste(const std::string& utf8) { throw ESemAjuste(Ansi(utf8)); }

TParametros GumbelLMomentos(const TLMomentos& l) {
    TParametros p;
    p.Escala = l.L2 / std::numbers::ln2;
    p.Posicao = l.L1 - kEuler * p.Escala;
    return p;
}

TParametros GevLMomentos(const TLMomentos& l) {
    const double c = 2 / (3 + l.T3) - std::numbers::ln2 / std::log(3.0);
    const double k = 7.8590 * c + 2.9554 * c * c;   // Hosking's k = -xi
    TParametros p;
    p.Dist = Distribuicao::Gev;
    if (std::abs(k) < 1e-8) {
        p = GumbelLMomentos(l);
        p.Dist = Distribuicao::Gev;
        return p;
    }
    const double g = std::tgamma(1 + k);
    p.Escala = l.L2 * k / ((1 - std::pow(2.0, -k)) * g);
    p.Posicao = l.L1 - p.Escala * (1 - g) / k;
    p.Forma = -k;
    return p;
}

}  // namespace

AnsiString NomeDistribuicao(Distribuicao d) { return d == Distribuicao::Gumbel ? "Gumbel" : "GEV"; }

AnsiString NomeMetodo(Metodo m) {
    switch (m) {
    case Metodo::Momentos: return Ansi("momentos");
    case Metodo::LMomentos: return Ansi("momentos-L");
    default: return Ansi("máxima verossimilhança");
    }
}

bool MetodoValido(Distribuicao d, Metodo m) { return !(d == Distribuicao::Gev && m == Metodo::Momentos); }

double Fda(const TParametros& p, double x) {
    const double z = (x - p.Posicao) / p.Escala;
    if (p.Forma == 0) return std::exp(-std::exp(-z));
    const double t = 1 + p.Forma * z;
    if (!(t > 0)) return p.Forma > 0 ? 0.0 : 1.0;
    return std::exp(-std::pow(t, -1 / p.Forma));
}

double Quantil(const TParametros& p, double f) {
    const double y = -std::log(f);   // > 0
    if (p.Forma == 0) return p.Posicao - p.Escala * std::log(y);
    return p.Posicao + p.Escala * (std::pow(y, -p.Forma) - 1) / p.Forma;
}

double QuantilTr(const TParametros& p, double tr) { return Quantil(p, 1 - 1 / tr); }

TLMomentos LMomentos(const std::vector<double>& x) {
    const double n = static_cast<double>(x.size());
    double b0 = 0, b1 = 0, b2 = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double j = static_cast<double>(i);   // i - 1 in one-based terms
        b0 += x[i];
        b1 += x[i] * j / (n - 1);
        b2 += x[i] * j * (j - 1) / ((n - 1) * (n - 2));
    }
    b0 /= n; b1 /= n; b2 /= n;
    TLMomentos l;
    l.L1 = b0;
    l.L2 = 2 * b1 - b0;
    l.L3 = 6 * b2 - 6 * b1 + b0;
    l.T3 = l.L2 > 0 ? l.L3 / l.L2 : 0;
    return l;
}

TParametros Ajusta(Distribuicao d, Metodo m, const std::vector<double>& amostra) {
    if (!MetodoValido(d, m)) SemAjuste("a GEV não é ajustada pelo método dos momentos; use momentos-L ou máxima verossimilhança.");
    if (amostra.size() < 3) SemAjuste("são precisos pelo menos 3 valores para ajustar uma distribuição.");
    const std::vector<double> x = Ordena(amostra);
    if (x.front() == x.back()) SemAjuste("os máximos anuais não variam; não há distribuição a ajustar.");
    const TLMomentos l = LMomentos(x);
    TParametros p;
    if (d == Distribuicao::Gumbel && m == Metodo::Momentos) {
        double media = 0, s2 = 0;
        for (double v : x) media += v;
        media /= x.size();
        for (double v : x) s2 += (v - media) * (v - media);
        p.Escala = std::sqrt(s2 / (x.size() - 1)) * std::sqrt(6.0) / std::numbers::pi;
        p.Posicao = media - kEuler * p.Escala;
    } else if (m == Metodo::LMomentos || m == Metodo::MaximaVerossimilhanca) {
        p = d == Distribuicao::Gumbel ? GumbelLMomentos(l) : GevLMomentos(l);
    }
    if (m == Metodo::MaximaVerossimilhanca) {
        bool convergiu = false;
        if (d == Distribuicao::Gumbel) {
            const auto r = NelderMead<2>(
                [&](const std::array<double, 2>& q) { return MenosLogVerossimilhanca(x, q[0], std::exp(q[1]), 0); },
                {p.Posicao, std::log(p.Escala)}, {0.1 * p.Escala, 0.1}, 2000, convergiu);
            p.Posicao = r[0];
            p.Escala = std::exp(r[1]);
        } else {
            // xi = 0.5 tanh(theta) keeps the shape inside its bounds.
            const double xi0 = std::clamp(p.Forma, -0.49, 0.49);
            TParametros inicio = p;
            inicio.Forma = xi0;
            if (!std::isfinite(MenosLogVerossimilhanca(x, inicio.Posicao, inicio.Escala, xi0))) {
                inicio = GumbelLMomentos(l);   // the L-moment GEV leaves a value outside its support
                inicio.Forma = 0;
            }
            const auto r = NelderMead<3>(
                [&](const std::array<double, 3>& q) {
                    return MenosLogVerossimilhanca(x, q[0], std::exp(q[1]), FormaMaximaMv * std::tanh(q[2]));
                },
                {inicio.Posicao, std::log(inicio.Escala), std::atanh(inicio.Forma / FormaMaximaMv)},
                {0.1 * inicio.Escala, 0.1, 0.1}, 3000, convergiu);
            p.Posicao = r[0];
            p.Escala = std::exp(r[1]);
            p.Forma = FormaMaximaMv * std::tanh(r[2]);
        }
        if (!convergiu) SemAjuste("a máxima verossimilhança não convergiu.");
    }
    p.Dist = d;
    p.Met = m;
    if (d == Distribuicao::Gumbel) p.Forma = 0;
    if (!(p.Escala > 0) || !std::isfinite(p.Posicao) || !std::isfinite(p.Forma))
        SemAjuste("a distribuição " + Utf8(NomeDistribuicao(d)) + " não se ajusta a estes máximos (" + Utf8(NomeMetodo(m)) + ").");
    return p;
}

double EstatisticaKs(const TParametros& p, const std::vector<double>& x) {
    const double n = static_cast<double>(x.size());
    double d = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double f = Fda(p, x[i]);
        d = std::max({d, (i + 1) / n - f, f - i / n});
    }
    return d;
}

double EstatisticaAd(const TParametros& p, const std::vector<double>& x) {
    const std::size_t n = x.size();
    constexpr double minimo = 1e-300;
    double soma = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double fi = std::clamp(Fda(p, x[i]), minimo, 1.0);
        const double fj = std::clamp(Fda(p, x[n - 1 - i]), 0.0, 1 - 1e-16);
        soma += (2.0 * i + 1) * (std::log(fi) + std::log1p(-fj));
    }
    return -static_cast<double>(n) - soma / n;
}

double Uniforme(std::mt19937_64& g) { return ((g() >> 11) + 0.5) * 0x1.0p-53; }

TAderencia Aderencia(const TParametros& p, const std::vector<double>& amostra, int replicas, std::mt19937_64& g) {
    const std::vector<double> x = Ordena(amostra);
    TAderencia a;
    a.Ks = EstatisticaKs(p, x);
    a.Ad = EstatisticaAd(p, x);
    int maioresKs = 0, maioresAd = 0;
    std::vector<double> sim(x.size());
    for (int b = 0; b < replicas; ++b) {
        for (double& v : sim) v = Quantil(p, Uniforme(g));
        std::sort(sim.begin(), sim.end());
        TParametros q;
        try {
            q = Ajusta(p.Dist, p.Met, sim);
        } catch (const ESemAjuste&) {
            continue;
        }
        ++a.Replicas;
        maioresKs += EstatisticaKs(q, sim) >= a.Ks;
        maioresAd += EstatisticaAd(q, sim) >= a.Ad;
    }
    a.PKs = (maioresKs + 1.0) / (a.Replicas + 1.0);
    a.PAd = (maioresAd + 1.0) / (a.Replicas + 1.0);
    return a;
}
