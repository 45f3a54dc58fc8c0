#include "LeitorCoordenada.h"

#include <charconv>
#include <cmath>
#include <string>

#include "database/Coordenadas.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

AnsiString AnsiDaEntrada(std::string_view utf8) {
    return IsCp1252Representable(utf8) ? Utf8ToCp1252(utf8) : AnsiString(utf8);
}

namespace {

std::string_view SemBrancos(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool Digito(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void Recusa(std::string_view original, bool latitude, const char* motivoUtf8) {
    LancaUtf8<EConvertError>(std::string(latitude ? "Latitude \"" : "Longitude \"") + std::string(original) +
                             "\" inválida: " + motivoUtf8 + ".");
}

}  // namespace

AnsiString TLeitorCoordenada::Texto(std::string_view entrada, bool latitude) const {
    const std::string_view s = SemBrancos(entrada);
    if (s.empty()) Recusa(entrada, latitude, "campo vazio");
    // The degree sign (U+00B0) or the masculine ordinal (U+00BA) marks the text form.
    if (s.find("\xC2\xB0") != std::string_view::npos || s.find("\xC2\xBA") != std::string_view::npos)
        return DeTexto(s, entrada, latitude);

    double valor = 0;
    if (!TryStrToFloat(s, '.', valor) && !TryStrToFloat(s, ',', valor))
        Recusa(entrada, latitude, "use DD°MM'SS\" ou graus decimais");
    return DeDecimal(valor, entrada, latitude);
}

double TLeitorCoordenada::Graus(std::string_view entrada) const {
    const std::string_view s = SemBrancos(entrada);
    if (s.find("\xC2\xB0") != std::string_view::npos || s.find("\xC2\xBA") != std::string_view::npos) {
        const int graus = (s[0] - '0') * 10 + (s[1] - '0'), minutos = (s[4] - '0') * 10 + (s[5] - '0'),
                  segundos = (s[7] - '0') * 10 + (s[8] - '0');
        return -(graus + minutos / 60.0 + segundos / 3600.0);
    }
    double valor = 0;
    if (!TryStrToFloat(s, '.', valor)) TryStrToFloat(s, ',', valor);
    return convencao_ == Convencao::Positivos ? -std::fabs(valor) : valor;
}

AnsiString TLeitorCoordenada::TextoDeGraus(double valor, bool latitude) const {
    char texto[32];
    const auto r = std::to_chars(texto, texto + sizeof texto, valor);
    return DeDecimal(valor, std::string_view(texto, static_cast<std::size_t>(r.ptr - texto)), latitude);
}

AnsiString TLeitorCoordenada::DeTexto(std::string_view s, std::string_view original, bool latitude) const {
    // DD, degree sign (two UTF-8 bytes), MM, ', SS, ".
    if (s.size() != 10 || !Digito(s[0]) || !Digito(s[1]) || s[2] != '\xC2' ||
        (s[3] != '\xB0' && s[3] != '\xBA') || !Digito(s[4]) || !Digito(s[5]) || s[6] != '\'' ||
        !Digito(s[7]) || !Digito(s[8]) || s[9] != '"')
        Recusa(original, latitude, "use DD°MM'SS\" com dois algarismos em cada parte");
    const int graus = (s[0] - '0') * 10 + (s[1] - '0');
    const int minutos = (s[4] - '0') * 10 + (s[5] - '0');
    const int segundos = (s[7] - '0') * 10 + (s[8] - '0');
    if (minutos > 59) Recusa(original, latitude, "minutos acima de 59");
    if (segundos > 59) Recusa(original, latitude, "segundos acima de 59");
    if (latitude && graus * 3600 + minutos * 60 + segundos > 90 * 3600)
        Recusa(original, latitude, "acima de 90 graus");
    AnsiString texto;
    texto += s.substr(0, 2);
    texto += '\xB0';
    texto += s.substr(4, 2);
    texto += '\'';
    texto += s.substr(7, 2);
    texto += '"';
    return texto;
}

AnsiString TLeitorCoordenada::DeDecimal(double valor, std::string_view original, bool latitude) const {
    if (!std::isfinite(valor)) Recusa(original, latitude, "valor não finito");
    if (convencao_ == Convencao::Positivos) {
        if (valor < 0)
            Recusa(original, latitude,
                   "valor negativo (graus decimais são positivos para sul e oeste; para sul e oeste "
                   "negativos use --negativos)");
    } else {
        if (valor > 0)
            Recusa(original, latitude,
                   latitude ? "latitude norte (com --negativos, sul é negativo; o texto de coordenada "
                              "só guarda latitudes sul)"
                            : "longitude leste (com --negativos, oeste é negativo; o texto de coordenada "
                              "só guarda longitudes oeste)");
        valor = -valor;
    }
    valor = std::fabs(valor);   // -0 as 0
    if (latitude && valor > 90) Recusa(original, latitude, "acima de 90 graus");
    // FormatDms keeps two digits of degrees: 100 or more would be cut.
    if (valor >= 100) Recusa(original, latitude, "100 graus ou mais não cabem no texto de coordenada");
    return TextoDeGrausDecimais(valor);
}
