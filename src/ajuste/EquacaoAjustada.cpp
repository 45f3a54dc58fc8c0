#include "ajuste/EquacaoAjustada.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <Eigen/Dense>
#include <unsupported/Eigen/LevenbergMarquardt>

#include "ajuste/ErrosAjuste.h"
#include "platform/Cp1252.h"

namespace {

// Residuals of x = (ln K, a, b, c): fitted minus table intensity.
struct TResiduos : Eigen::DenseFunctor<double> {
    explicit TResiduos(const std::vector<TPontoIdf>& pontos)
        : Eigen::DenseFunctor<double>(4, static_cast<int>(pontos.size())), Pontos(pontos) {}
    const std::vector<TPontoIdf>& Pontos;

    int operator()(const Eigen::VectorXd& x, Eigen::VectorXd& f) const {
        for (std::size_t j = 0; j < Pontos.size(); ++j) {
            const TPontoIdf& p = Pontos[j];
            const double tb = p.T + x[2];
            f[j] = tb > 0 ? std::exp(x[0] + x[1] * std::log(p.Tr) - x[3] * std::log(tb)) - p.I : 1e10;
        }
        return 0;
    }
    int df(const Eigen::VectorXd& x, Eigen::MatrixXd& jac) const {
        for (std::size_t j = 0; j < Pontos.size(); ++j) {
            const TPontoIdf& p = Pontos[j];
            const double tb = std::max(p.T + x[2], 1e-9);
            const double v = std::exp(x[0] + x[1] * std::log(p.Tr) - x[3] * std::log(tb));
            jac(j, 0) = v;
            jac(j, 1) = v * std::log(p.Tr);
            jac(j, 2) = -x[3] * v / tb;
            jac(j, 3) = -v * std::log(tb);
        }
        return 0;
    }
};

// Linear least squares of ln i on (1, ln Tr, -ln(t+b)) for one b; the sum of squares in logs.
double FitLinear(const std::vector<TPontoIdf>& pts, double b, TEquacao& e) {
    Eigen::MatrixXd A(pts.size(), 3);
    Eigen::VectorXd y(pts.size());
    for (std::size_t j = 0; j < pts.size(); ++j) {
        A(j, 0) = 1;
        A(j, 1) = std::log(pts[j].Tr);
        A(j, 2) = -std::log(pts[j].T + b);
        y[j] = std::log(pts[j].I);
    }
    const Eigen::Vector3d s = A.colPivHouseholderQr().solve(y);
    e = {std::exp(s[0]), s[1], b, s[2]};
    return (A * s - y).squaredNorm();
}

[[noreturn]] void NaoConvergiu(const std::string& porque) {
    throw ESemAjuste(Ansi("O ajuste de K, a, b, c não convergiu (" + porque + "); nenhuma equação foi escrita."));
}

}  // namespace

double TEquacao::Intensidade(double tr, double t) const { return K * std::pow(tr, a) / std::pow(t + b, c); }

TEquacao EstimativaLinearizada(const std::vector<TPontoIdf>& pts) {
    for (const TPontoIdf& p : pts)
        if (!(p.I > 0) || !(p.Tr > 0) || !(p.T > 0)) NaoConvergiu("há intensidades nulas na tabela");
    TEquacao melhor;
    double menor = std::numeric_limits<double>::infinity();
    for (double b = 0; b <= 60; b += 0.5) {
        TEquacao e;
        const double s = FitLinear(pts, b, e);
        if (s < menor) { menor = s; melhor = e; }
    }
    return melhor;
}

TEquacao AjustaEquacao(const std::vector<TPontoIdf>& pts, const TEquacao& inicio) {
    if (pts.size() < 4) NaoConvergiu("são precisos pelo menos 4 pontos na tabela");
    TResiduos r(pts);
    Eigen::LevenbergMarquardt<TResiduos> lm(r);
    lm.setMaxfev(400);
    Eigen::VectorXd x(4);
    x << std::log(inicio.K), inicio.a, inicio.b, inicio.c;
    const auto estado = lm.minimize(x);
    using namespace Eigen::LevenbergMarquardtSpace;
    if (estado == ImproperInputParameters || estado == TooManyFunctionEvaluation || estado == UserAsked)
        NaoConvergiu(estado == TooManyFunctionEvaluation ? "limite de iterações" : "parâmetros iniciais impróprios");
    double menorT = pts[0].T;
    for (const TPontoIdf& p : pts) menorT = std::min(menorT, p.T);
    if (!x.allFinite() || !(menorT + x[2] > 0)) NaoConvergiu("o resultado sai do domínio da equação");
    return {std::exp(x[0]), x[1], x[2], x[3]};
}

TEquacao AjustaEquacao(const std::vector<TPontoIdf>& pts) { return AjustaEquacao(pts, EstimativaLinearizada(pts)); }

TQualidade Qualidade(const TEquacao& e, const std::vector<TPontoIdf>& pts) {
    double media = 0;
    for (const TPontoIdf& p : pts) media += p.I;
    media /= pts.size();
    double ssr = 0, sst = 0;
    TQualidade q;
    for (const TPontoIdf& p : pts) {
        const double ajustada = e.Intensidade(p.Tr, p.T);
        ssr += (ajustada - p.I) * (ajustada - p.I);
        sst += (p.I - media) * (p.I - media);
        q.ErroRelativoMaximo = std::max(q.ErroRelativoMaximo, std::abs(ajustada - p.I) / p.I);
    }
    q.R2 = sst > 0 ? 1 - ssr / sst : 0;
    q.Rmse = std::sqrt(ssr / pts.size());
    return q;
}
