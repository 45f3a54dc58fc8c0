// Coordinate texts: ParseDms with either decimal separator, ParseDmsL beside
// it, and FormatDms of what was read.
#include <cmath>
#include <string>

#include "Alvos.h"
#include "ViolacaoDeInvariante.h"
#include "database/Coordenadas.h"
#include "platform/Erros.h"

namespace {

void Exige(bool condicao, const std::string& oque, const AnsiString& texto) {
    if (!condicao) throw ViolacaoDeInvariante("ParseDms(\"" + texto + "\"): " + oque);
}

bool Digito(char c) { return c >= '0' && c <= '9'; }

// DD?MM?SS with digits at the six number positions.
bool Canonico(const AnsiString& t) {
    return t.size() >= 8 && Digito(t[0]) && Digito(t[1]) && Digito(t[3]) && Digito(t[4]) && Digito(t[6]) &&
           Digito(t[7]);
}

int DoisDigitos(const AnsiString& t, std::size_t p) { return (t[p] - '0') * 10 + (t[p + 1] - '0'); }

void Verifica(const AnsiString& texto, char decSep) {
    double v = 0;
    try {
        v = ParseDms(texto, decSep);
    } catch (const EConvertError& e) {
        Exige(!Canonico(texto), std::string("a text with six digits was refused: ") + e.what(), texto);
        Exige(e.Message().find(" is not a valid floating point value") != AnsiString::npos,
              std::string("unexpected message: ") + e.what(), texto);
        return;
    } catch (const Exception& e) {
        Exige(false, std::string("raised ") + e.ClassName() + ": " + e.what(), texto);
    }
    Exige(std::isfinite(v), "non-finite result", texto);
    const long double vl = ParseDmsL(texto, decSep);
    Exige(std::fabs(static_cast<double>(vl) - v) <= 1e-12 * (1 + std::fabs(v)), "ParseDmsL disagrees", texto);

    if (!Canonico(texto)) return;
    const int d = DoisDigitos(texto, 0), m = DoisDigitos(texto, 3), s = DoisDigitos(texto, 6);
    Exige(v == ((s / 60.0) + m) / 60 + d, "wrong value", texto);
    if (m >= 60 || s >= 60) return;

    // What FormatDms writes reads back at most one second below the value.
    const AnsiString f = FormatDms(v);
    Exige(f.size() == 9 && Canonico(f) && f[2] == '\xB0' && f[5] == '\'' && f[8] == '"', "FormatDms gave " + f, texto);
    const double w = ParseDms(f, decSep);
    Exige(w <= v && v - w < 1.0 / 3600 + 1e-9, "FormatDms(" + std::to_string(v) + ") = " + f, texto);
}

}  // namespace

int AlvoParseDms(const uint8_t* dados, std::size_t tamanho) {
    const AnsiString texto(reinterpret_cast<const char*>(dados), tamanho);
    Verifica(texto, '.');
    Verifica(texto, ',');
    return 0;
}
