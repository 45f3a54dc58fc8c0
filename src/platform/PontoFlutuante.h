#pragma once
// Floating-point operations that raise the system's math errors instead of
// producing NaN or infinity. Invalid operation -> EInvalidOp, division by zero
// -> EZeroDivide, overflow -> EOverflow; underflow and inexact stay silent.
// Explicit checks only: no trapping FPU modes, no signals.

// Raises EInvalidOp for NaN and EOverflow for an infinite result.
double Verifica(double x);
long double VerificaL(long double x);

double Divide(double a, double b);                 // b == 0 -> EZeroDivide (0/0 -> EInvalidOp)
long double DivideL(long double a, long double b);
long double LnL(long double x);                    // x < 0 or NaN -> EInvalidOp, x == 0 -> EZeroDivide
long double ExpL(long double x);                   // overflow -> EOverflow
long double PotenciaL(long double base, long double expoente);  // exp(expoente * ln(base)), base must be > 0
long double RaizL(long double x);                  // x < 0 -> EInvalidOp

// Real to integer: nearest, halves to even (never std::round).
long long Arredonda(double x);
