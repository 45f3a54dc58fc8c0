#pragma once
// K, a, b, c of i = K·Tr^a/(t+b)^c fitted to a table of intensities (mm/h,
// t in minutes, Tr in years) by nonlinear least squares on the intensities
// (Eigen's Levenberg-Marquardt), started from the linearised fit
// ln i = ln K + a ln Tr - c ln(t+b) at the best b of a grid.
#include <vector>

struct TPontoIdf {
    double Tr = 0;   // years
    double T = 0;    // minutes
    double I = 0;    // mm/h
};

struct TEquacao {
    double K = 0, a = 0, b = 0, c = 0;
    double Intensidade(double tr, double t) const;
};

struct TQualidade {
    double R2 = 0;
    double Rmse = 0;                // mm/h
    double ErroRelativoMaximo = 0;  // |fitted - table| / table, largest
};

TEquacao EstimativaLinearizada(const std::vector<TPontoIdf>& pontos);
// ESemAjuste when the solver does not converge or ends where t + b <= 0.
TEquacao AjustaEquacao(const std::vector<TPontoIdf>& pontos, const TEquacao& inicio);
TEquacao AjustaEquacao(const std::vector<TPontoIdf>& pontos);
TQualidade Qualidade(const TEquacao& e, const std::vector<TPontoIdf>& pontos);
