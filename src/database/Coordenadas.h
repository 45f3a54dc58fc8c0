#pragma once
// Coordinate text DD°MM'SS" (9 cp1252 characters, no sign: latitude south,
// longitude west) and decimal degrees.
#include "platform/AnsiString.h"

// "00°00'00\"" in cp1252.
extern const AnsiString TextoCoordenadaZero;
// The empty masked-edit text: two blanks, °, two blanks, ', two blanks, ".
extern const AnsiString TextoCoordenadaVazio;

// Characters 1-2, 4-5, 7-8 read by StrToFloat (decSep); ((s/60)+m)/60+d.
// Shorter than 8 characters or a piece that is not a number: EConvertError.
double ParseDms(const AnsiString& text, char decSep = '.');
// The same reading with the arithmetic in extended precision.
long double ParseDmsL(const AnsiString& text, char decSep = '.');
// Each part truncated, two digits (cut to two characters).
AnsiString FormatDms(double v);

// Decimal degrees (the magnitude: south and west are the caller's sign rule)
// as a coordinate text, the true decimal value truncated to the whole second
// below it. The product with 3600 is taken in extended precision and a value
// within 1e-6 s below a whole second counts as that second, so that 22.9
// (stored as 22.899999999999998578...) gives 22°54'00" and the decimal degrees
// of any text give that text back. Not finite, negative or 100° and more (two
// digits of degrees): EConvertError.
AnsiString TextoDeGrausDecimais(double graus);
// The same truncation for a position already in seconds of arc.
AnsiString TextoDeSegundos(long double segundos);
// Signed decimal degrees of a coordinate text (south and west negative).
double GrausDecimaisComSinal(const AnsiString& texto);
