#pragma once
// A latitude and a longitude pasted from anywhere (a GPS, a web map, a
// spreadsheet) read into the coordinate texts DD°MM'SS" of the program.
//
// The text is taken as it comes from the clipboard or a typed field: UTF-8.
// Forms read:
//  - decimal degrees, point or comma as decimal separator, the two values
//    apart by a comma, a semicolon or blanks: "-23.5505, -46.6333",
//    "-23,5505 -46,6333";
//  - degrees, minutes and seconds with the signs ° ' " (or º ′ ″ ’ ”) or
//    apart by blanks, seconds (or the last part given) may have decimals:
//    "23°33'02\"S 46°38'00\"W", "23 33 02 S, 46 38 00 W";
//  - a hemisphere letter after (or before) each value: N or S for the
//    latitude, E/L or W/O for the longitude, in either order.
// Signs: with hemisphere letters, the letters say it; otherwise a value with
// "-" is south or west, and once one value carries a sign the other one
// without it is north or east (the signed form of GPS and web maps). With no
// sign and no letter at all, both are south and west, as the program writes
// them. North latitudes and east longitudes are refused: the coordinate text
// holds only south and west.
// Decimal degrees become a text through TextoDeGrausDecimais, degrees,
// minutes and seconds through TextoDeSegundos: the one truncation to the
// whole second of the core.
#include <string_view>

#include "platform/AnsiString.h"

struct TCoordenadasColadas {
    AnsiString Latitude, Longitude;   // DD°MM'SS" (cp1252)
};

// EConvertError with a Portuguese message (cp1252) that says why the text
// was not read ("Coordenadas não reconhecidas: ...").
TCoordenadasColadas LeCoordenadasColadas(std::string_view textoUtf8);

// Whether a text typed in a search field looks like coordinates rather than
// a place's name: after blanks it starts with a digit or a sign, or a
// hemisphere letter followed by a digit.
bool PareceCoordenada(std::string_view textoUtf8);
