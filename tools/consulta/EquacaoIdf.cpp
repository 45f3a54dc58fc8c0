#include "EquacaoIdf.h"

#include <cmath>

#include "platform/Erros.h"
#include "platform/PontoFlutuante.h"

double TEquacaoIdf::Coeficiente(double tr) const {
    if (!(tr > 0)) throw EInvalidOp("Invalid floating point operation");
    return Verifica(static_cast<double>(VerificaL(K_ * PotenciaL(tr, a_))));
}

double TEquacaoIdf::Intensidade(double tr, double t) const {
    const long double potencia = ExpL(static_cast<long double>(c_) * LnL(static_cast<long double>(t) + b_));
    return Verifica(static_cast<double>(DivideL(Coeficiente(tr), potencia)));
}

double TEquacaoIdf::PrecipitacaoDaDuracao(double tr, double t) const {
    const long double i = Intensidade(tr, t);
    return Verifica(static_cast<double>(VerificaL(i * (static_cast<long double>(t) / 60))));
}
