#include "database/Coordenadas.h"

#include <cmath>
#include <cstdio>

#include "platform/Erros.h"
#include "platform/Numeros.h"

const AnsiString TextoCoordenadaZero = "00\xB0" "00'00\"";
const AnsiString TextoCoordenadaVazio = "  \xB0  '  \"";

namespace {
// Two digits, the usual piece, are read directly: StrToFloat gives the same
// whole number for them.
double Peca(std::string_view peca, char decSep) {
    if (peca[0] >= '0' && peca[0] <= '9' && peca[1] >= '0' && peca[1] <= '9')
        return (peca[0] - '0') * 10 + (peca[1] - '0');
    return StrToFloat(peca, decSep);
}

template <typename Real>
Real LeDms(const AnsiString& text, char decSep) {
    // The three pieces sit at fixed positions; a shorter text has no seconds.
    if (text.size() < 8) RaiseConvertError(text);
    const Real graus = Peca(std::string_view(text).substr(0, 2), decSep);
    const Real minutos = Peca(std::string_view(text).substr(3, 2), decSep);
    const Real segundos = Peca(std::string_view(text).substr(6, 2), decSep);
    return ((segundos / 60) + minutos) / 60 + graus;
}
}  // namespace

double ParseDms(const AnsiString& text, char decSep) { return LeDms<double>(text, decSep); }
long double ParseDmsL(const AnsiString& text, char decSep) { return LeDms<long double>(text, decSep); }

namespace {
// Whole part toward zero; a value without one (NaN, infinite, huge) is an
// invalid operation.
long long Trunca(double x) {
    if (!std::isfinite(x) || std::fabs(x) >= 9.2e18) throw EInvalidOp("Invalid floating point operation");
    return static_cast<long long>(x);
}

AnsiString DoisDigitos(long long n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02lld", n);
    return AnsiString(buf).substr(0, 2);
}
}  // namespace

AnsiString FormatDms(double v) {
    const long long graus = Trunca(v);
    const double fracGraus = v - static_cast<double>(graus);
    const double emMinutos = fracGraus * 60;
    const long long minutos = Trunca(emMinutos);
    const double emSegundos = (emMinutos - static_cast<double>(minutos)) * 60;
    const long long segundos = Trunca(emSegundos);
    return DoisDigitos(graus) + "\xB0" + DoisDigitos(minutos) + "'" + DoisDigitos(segundos) + "\"";
}

AnsiString TextoDeGrausDecimais(double graus) {
    return TextoDeSegundos(static_cast<long double>(graus) * 3600.0L);
}

AnsiString TextoDeSegundos(long double emSegundos) {
    if (!std::isfinite(emSegundos) || emSegundos < 0)
        throw EConvertError(AnsiString("Graus decimais inv\xE1lidos para um texto de coordenada."));
    const long double segundos = std::floor(emSegundos + 1e-6L);
    if (segundos >= 100.0L * 3600.0L)
        throw EConvertError(AnsiString("100 graus ou mais n\xE3o cabem no texto de coordenada."));
    const long long s = static_cast<long long>(segundos);
    return DoisDigitos(s / 3600) + "\xB0" + DoisDigitos(s / 60 % 60) + "'" + DoisDigitos(s % 60) + "\"";
}

double GrausDecimaisComSinal(const AnsiString& texto) { return -ParseDms(texto); }
