#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "database/Coordenadas.h"
#include "platform/Erros.h"

namespace {
AnsiString Dms(const char* ddmmss) {   // "195530" -> 19°55'30"
    const std::string s(ddmmss);
    return s.substr(0, 2) + "\xB0" + s.substr(2, 2) + "'" + s.substr(4, 2) + "\"";
}
}  // namespace

TEST(ParseDms, ReadsTheThreePieces) {
    EXPECT_DOUBLE_EQ(ParseDms(Dms("195530")), 19.925);
    EXPECT_EQ(ParseDms(Dms("051030")), 5.175);
    EXPECT_EQ(ParseDms(TextoCoordenadaZero), 0.0);
    // The extended reading keeps digits that a double loses.
    EXPECT_LT(std::fabs(ParseDmsL(Dms("195530")) - 19.925L), 1e-17L);
    EXPECT_GT(std::fabs(static_cast<long double>(ParseDms(Dms("195530"))) - 19.925L), 1e-17L);
    EXPECT_DOUBLE_EQ(ParseDms(Dms("009999")), 99.0 / 60 + 99.0 / 3600);   // above 59 accepted
    EXPECT_DOUBLE_EQ(ParseDms(Dms("4030 5")), 40.5 + 5.0 / 3600);         // blanks around a number
    EXPECT_DOUBLE_EQ(ParseDms("12\xB0" "30'00"), 12.5);                   // 8 characters suffice
    EXPECT_EQ(TextoCoordenadaZero.size(), 9u);
    EXPECT_EQ(TextoCoordenadaVazio, "  \xB0  '  \"");
}

TEST(ParseDms, ShortTextsAndNonNumbersRaiseTheConversionError) {
    EXPECT_THROW(ParseDms(TextoCoordenadaVazio), EConvertError);
    EXPECT_THROW(ParseDms(""), EConvertError);
    EXPECT_THROW(ParseDms("12\xB0" "30'0"), EConvertError);
    EXPECT_THROW(ParseDms(Dms("12ab00")), EConvertError);
    EXPECT_THROW(ParseDms(Dms("1,3000"), '.'), EConvertError);   // the other separator
    EXPECT_DOUBLE_EQ(ParseDms(Dms("1,3000"), ','), 1.5);
    try {
        ParseDms(Dms("12 x00"));
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "' x' is not a valid floating point value");
    }
}

TEST(FormatDms, TruncatesEveryPart) {
    EXPECT_EQ(FormatDms(37.339722), Dms("372022"));
    EXPECT_EQ(FormatDms(5.175), Dms("051029"));
    EXPECT_EQ(FormatDms(8.532272), Dms("083156"));
    EXPECT_EQ(FormatDms(46.629028), Dms("463744"));
    EXPECT_EQ(FormatDms(0), TextoCoordenadaZero);
    EXPECT_EQ(FormatDms(123.5), Dms("123000"));   // three-digit degrees cut to two characters
    EXPECT_THROW(FormatDms(1e300), EInvalidOp);
}

// Every whole second from 0° to 99°59'59" (so every station's own position):
// its decimal degrees, as the double nearest the text's value and as that
// double printed at full precision, give the text back; a hair below the
// next second stays in this one.
TEST(TextoDeGrausDecimais, EveryWholeSecondComesBack) {
    long errados = 0;
    char buf[40];
    for (long s = 0; s < 100L * 3600; ++s) {
        char texto[12];
        std::snprintf(texto, sizeof texto, "%02ld\xB0%02ld'%02ld\"", s / 3600, s / 60 % 60, s % 60);
        const double graus = ParseDms(texto);
        std::snprintf(buf, sizeof buf, "%.17g", graus);
        if (TextoDeGrausDecimais(graus) != texto || TextoDeGrausDecimais(std::strtod(buf, nullptr)) != texto ||
            TextoDeGrausDecimais((s + 0.9999) / 3600.0) != texto)
            ++errados;
    }
    EXPECT_EQ(errados, 0);
}

TEST(TextoDeGrausDecimais, DecimalsAsTypedAndRefusals) {
    const struct { double graus; const char* dms; } casos[] = {
        {22.9, "225400"}, {43.2, "431200"}, {19.9, "195400"}, {22.7, "224200"},
        {15.6, "153600"}, {10.35, "102100"}, {21.15, "210900"}, {19.9258, "195532"}, {0, "000000"}};
    for (const auto& c : casos) EXPECT_EQ(TextoDeGrausDecimais(c.graus), Dms(c.dms)) << c.graus;
    for (double ruim : {-0.5, 100.0, std::nan(""), HUGE_VAL}) EXPECT_THROW(TextoDeGrausDecimais(ruim), EConvertError);
}
