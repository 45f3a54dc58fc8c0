#pragma once
// The IDF equation i = K·Tr^a/(t+b)^c evaluated in one place, for the model
// TPrecipitacaoExponencialNegativa and for every caller that shows design
// values: the coefficient K·Tr^a is stored as a double, the power (t+b)^c is
// e^(c·ln(t+b)) in long double, so that t+b <= 0 is an error (EInvalidOp /
// EZeroDivide) even when c is 0, and the depth is i·(t/60). Errors are the
// system's math errors, never NaN or infinity.

// K·Tr^a; Tr > 0 (EInvalidOp otherwise). K·Tr^0 is K and 0·Tr^a is 0.
double CoeficienteIdf(double K, double a, double tr);
// coeficiente/(t+b)^c, mm/h.
double IntensidadeIdf(double coeficiente, double b, double c, double t);
// i·(t/60), mm.
double PrecipitacaoIdf(double intensidade, double t);

struct TValoresDeProjeto {
    double Intensidade;    // i(Tr, t), mm/h
    double Precipitacao;   // P(Tr, t), mm
};

// Average intensity and depth for return period tr (years) and duration t
// (minutes). For K, a, Tr > 0 these are the model's numbers; where the model's
// coefficient is -1 (K or a equal to 0) K·Tr^a is taken as it is.
TValoresDeProjeto ValoresDeProjeto(double K, double a, double b, double c, double tr, double t);
