#include "model/EquacaoIdf.h"

#include "platform/Erros.h"
#include "platform/PontoFlutuante.h"

double CoeficienteIdf(double K, double a, double tr) {
    if (!(tr > 0)) throw EInvalidOp("Invalid floating point operation");
    return Verifica(static_cast<double>(VerificaL(K * PotenciaL(tr, a))));
}

double IntensidadeIdf(double coeficiente, double b, double c, double t) {
    const long double potencia = ExpL(c * LnL(static_cast<long double>(t) + b));
    return Verifica(static_cast<double>(DivideL(coeficiente, potencia)));
}

double PrecipitacaoIdf(double intensidade, double t) {
    return Verifica(static_cast<double>(VerificaL(intensidade * (static_cast<long double>(t) / 60))));
}

TValoresDeProjeto ValoresDeProjeto(double K, double a, double b, double c, double tr, double t) {
    const double i = IntensidadeIdf(CoeficienteIdf(K, a, tr), b, c, t);
    return {i, PrecipitacaoIdf(i, t)};
}
