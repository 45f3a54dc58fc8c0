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
