#pragma once
// Number texts as the user sees them. The decimal separator is always passed
// in: the interface gives the user's locale's, the settings file its own.
#include <string>
#include <string_view>

// Pattern formatting: "0.000", "0.0000", "####.000", "##.000", "#0.000", "###0.000".
// '0' always printed, '#' only when significant, '.' replaced by decSep,
// more integer digits than placeholders are still printed, rounding half away
// from zero on the decimal expansion of the value, never "-0.000".
std::string FormatFloat(std::string_view pattern, double value, char decSep);

// General format: at most 15 significant digits, trailing zeros dropped,
// fixed notation for magnitudes in [1e-4, 1e15) after rounding, otherwise
// "1.5E15", "4.42615029219009E-5" (no plus sign, no leading zeros).
std::string FloatToStr(double value, char decSep);

// Blanks around allowed, optional sign, digits, decSep, digits, optional
// exponent. Anything else raises EConvertError quoting the whole text.
double StrToFloat(std::string_view text, char decSep);
bool TryStrToFloat(std::string_view text, char decSep, double& out);

// Whole decimal integer, optionally signed, fitting 32 bits; false otherwise.
bool TryStrToInt(std::string_view text, int& out);
