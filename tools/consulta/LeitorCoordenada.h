#pragma once
// Reads a latitude or longitude typed by the user (UTF-8) and gives the
// coordinate text DD°MM'SS" (cp1252) that the interpolation works on.
//
// Two forms are read:
//  - a coordinate text, DD°MM'SS" (the masculine ordinal º is taken for the
//    degree sign): used exactly as written, so a station's own texts are an
//    exact match;
//  - decimal degrees, with '.' or ',' as decimal separator: turned into the
//    text by the core's TextoDeGrausDecimais, which truncates the true decimal
//    value to the whole second (19.9258 becomes 19°55'32", 22.9 22°54'00").
// Decimal degrees are south and west positive by default; with
// Convencao::Negativos they are signed as GIS tools write them (south and west
// negative), and a north latitude or east longitude is refused: the
// coordinate text has no sign and cannot hold it.
#include <string>
#include <string_view>

#include "platform/AnsiString.h"

class TLeitorCoordenada {
public:
    enum class Convencao { Positivos, Negativos };

    explicit TLeitorCoordenada(Convencao convencao = Convencao::Positivos) : convencao_(convencao) {}

    // EConvertError with a Portuguese message naming the input when the text
    // is neither form, or lies outside what a coordinate text can hold.
    AnsiString Texto(std::string_view entrada, bool latitude) const;
    // The position the input stands for, in decimal degrees with south and
    // west negative (for an input Texto has taken).
    double Graus(std::string_view entrada) const;
    // A value already in decimal degrees (a number from a program, not a
    // text): the same rules and messages, the value written in them with the
    // fewest digits that read back as it.
    AnsiString TextoDeGraus(double valor, bool latitude) const;

private:
    AnsiString DeTexto(std::string_view entrada, std::string_view original, bool latitude) const;
    AnsiString DeDecimal(double valor, std::string_view original, bool latitude) const;

    Convencao convencao_;
};

// User text for a message: cp1252 when it fits, its bytes otherwise.
AnsiString AnsiDaEntrada(std::string_view utf8);

// An error whose UTF-8 message (what()) is `utf8` as written, whatever
// characters of the user's it quotes; its cp1252 message is AnsiDaEntrada's.
template <class TErro>
[[noreturn]] void LancaUtf8(const std::string& utf8) {
    throw TErro(AnsiDaEntrada(utf8), utf8);
}
