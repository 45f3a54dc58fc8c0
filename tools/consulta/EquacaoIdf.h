#pragma once
// Average intensity and depth of the IDF equation i = K·Tr^a/(t+b)^c for a
// return period Tr (years) and a duration t (minutes), with the evaluation
// rules of the model TPrecipitacaoExponencialNegativa: the coefficient K·Tr^a
// is stored as a double, the power (t+b)^c is e^(c·ln(t+b)) in long double so
// that t+b <= 0 is an error (EInvalidOp / EZeroDivide) even when c is 0,
// and the depth is i·(t/60).
//
// The model itself cannot serve here: its Tr has no setter (only loading a
// settings file writes it), and its coefficient is -1 whenever K or a is 0,
// which would give a negative intensity. Here a = 0 gives K·Tr^0 = K and
// K = 0 gives 0, as the equation says; for K, Tr, a > 0 the numbers are the
// model's.
class TEquacaoIdf {
public:
    TEquacaoIdf(double K, double a, double b, double c) : K_(K), a_(a), b_(b), c_(c) {}

    // Tr > 0; EInvalidOp otherwise.
    double Coeficiente(double tr) const;
    double Intensidade(double tr, double t) const;            // mm/h
    double PrecipitacaoDaDuracao(double tr, double t) const;  // mm

private:
    double K_, a_, b_, c_;
};
