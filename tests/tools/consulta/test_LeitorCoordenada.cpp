// Coordinates typed by the user: coordinate texts as written, decimal
// degrees through FormatDms, the sign conventions and what cannot be held.
#include <gtest/gtest.h>

#include "LeitorCoordenada.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {
using C = TLeitorCoordenada::Convencao;
std::string Le(std::string_view entrada, bool latitude, C convencao = C::Positivos) {
    return Utf8(TLeitorCoordenada(convencao).Texto(entrada, latitude));
}
}  // namespace

TEST(LeitorCoordenada, TextsAsWrittenAndMalformedOnesRefused) {
    EXPECT_EQ(Ansi("19°55'30\""), TLeitorCoordenada().Texto("19°55'30\"", true));
    EXPECT_EQ("05°10'30\"", Le("  05°10'30\" ", true, C::Negativos));
    EXPECT_EQ("43°56'59\"", Le("43º56'59\"", false));   // masculine ordinal for the degree sign
    EXPECT_EQ("95°00'00\"", Le("95°00'00\"", false));   // longitudes go past 90
    for (const char* ruim : {"19°55'30", "9°55'30\"", "19°55’30\"", "19°60'00\"", "19°55'60\"", "90°00'01\"",
                             "1a°55'30\"", "", "abc", "19.5.3", "19,5,3"})
        EXPECT_THROW(Le(ruim, true), EConvertError) << ruim;
    try {
        Le("19°75'00\"", false);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ("Longitude \"19°75'00\"\" inválida: minutos acima de 59.", e.what());
    }
}

TEST(LeitorCoordenada, DecimalDegreesTruncatedAndSigned) {
    EXPECT_EQ("19°55'30\"", Le("19,925", true));
    EXPECT_EQ("19°55'32\"", Le("19.9258", true));
    EXPECT_EQ("05°10'30\"", Le("5.175", true));   // stored just below 5.175: the true value counts
    EXPECT_THROW(Le("-19.925", true), EConvertError);
    EXPECT_EQ("19°55'30\"", Le("-19.925", true, C::Negativos));
    EXPECT_EQ("43°56'15\"", Le("-43.9375", false, C::Negativos));
    EXPECT_EQ("00°00'00\"", Le("-0", true, C::Negativos));
    EXPECT_THROW(Le("2.5", true, C::Negativos), EConvertError);     // north
    EXPECT_THROW(Le("34.8", false, C::Negativos), EConvertError);   // east
    EXPECT_THROW(Le("90.5", true), EConvertError);
    EXPECT_EQ("99°59'59\"", Le("99.99999", false));
    for (const char* ruim : {"100", "1e300", "nan", "inf"}) EXPECT_THROW(Le(ruim, false), EConvertError) << ruim;
}
