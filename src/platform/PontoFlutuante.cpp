#include "platform/PontoFlutuante.h"

#include <cmath>

#include "platform/Erros.h"

namespace {
[[noreturn]] void InvalidOp() { throw EInvalidOp("Invalid floating point operation"); }
[[noreturn]] void ZeroDivide() { throw EZeroDivide("Floating point division by zero"); }
[[noreturn]] void Overflow() { throw EOverflow("Floating point overflow"); }
}  // namespace

double Verifica(double x) {
    if (std::isnan(x)) InvalidOp();
    if (std::isinf(x)) Overflow();
    return x;
}

long double VerificaL(long double x) {
    if (std::isnan(x)) InvalidOp();
    if (std::isinf(x)) Overflow();
    return x;
}

double Divide(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) InvalidOp();
    if (b == 0) {
        if (a == 0) InvalidOp();
        ZeroDivide();
    }
    return Verifica(a / b);
}

long double DivideL(long double a, long double b) {
    if (std::isnan(a) || std::isnan(b)) InvalidOp();
    if (b == 0) {
        if (a == 0) InvalidOp();
        ZeroDivide();
    }
    return VerificaL(a / b);
}

long double LnL(long double x) {
    if (std::isnan(x) || x < 0) InvalidOp();
    if (x == 0) ZeroDivide();
    return VerificaL(std::log(x));
}

long double ExpL(long double x) {
    if (std::isnan(x)) InvalidOp();
    return VerificaL(std::exp(x));   // underflow to 0 is silent
}

long double PotenciaL(long double base, long double expoente) {
    if (std::isnan(base) || std::isnan(expoente)) InvalidOp();
    if (expoente == 0) return 1.0L;
    if (base == 0) {
        if (expoente > 0) return 0.0L;
        ZeroDivide();
    }
    if (base < 0) InvalidOp();
    return ExpL(expoente * LnL(base));
}

long double RaizL(long double x) {
    if (std::isnan(x) || x < 0) InvalidOp();
    return std::sqrt(x);
}

long long Arredonda(double x) {
    // nearbyint rounds halves to even under the default rounding mode.
    const double r = std::nearbyint(x);
    if (std::isnan(r) || r < -9223372036854775808.0 || r >= 9223372036854775808.0) InvalidOp();
    return static_cast<long long>(r);
}
