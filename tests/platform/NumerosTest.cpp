#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/Erros.h"
#include "platform/Numeros.h"

namespace {
// The same expectation with a point and with a comma as decimal separator.
void Ambos(const char* pattern, double v, const std::string& comPonto) {
    std::string comVirgula = comPonto;
    for (char& ch : comVirgula)
        if (ch == '.') ch = ',';
    EXPECT_EQ(FormatFloat(pattern, v, '.'), comPonto) << pattern << " " << v;
    EXPECT_EQ(FormatFloat(pattern, v, ','), comVirgula) << pattern << " " << v;
}
void AmbosGeral(double v, const std::string& comPonto) {
    std::string comVirgula = comPonto;
    for (char& ch : comVirgula)
        if (ch == '.') ch = ',';
    EXPECT_EQ(FloatToStr(v, '.'), comPonto) << v;
    EXPECT_EQ(FloatToStr(v, ','), comVirgula) << v;
}
}  // namespace

TEST(FormatFloat, FixedPatternsAndLeadingZeros) {
    Ambos("0.000", 0.0625, "0.063");        // exact half rounds away from zero
    Ambos("0.000", 0.0615, "0.061");        // the double lies below the half
    Ambos("0.000", 1.0005, "1.000");        // 1.000499999... as a double
    Ambos("0.000", 2.5, "2.500");
    Ambos("0.000", 0, "0.000");
    Ambos("0.0000", 0.74999, "0.7500");
    Ambos("0.0000", 0.00005, "0.0001");
    Ambos("##.000", 12345.6, "12345.600");   // more digits than placeholders
    Ambos("####.000", 0.75, ".750");         // '#' prints no leading zero
    Ambos("####.000", 0, ".000");
    Ambos("####.000", 1234.5678, "1234.568");
    Ambos("#0.000", 0.75, "0.750");
    Ambos("###0.000", 0.0004, "0.000");
    Ambos("###0.000", 999.9996, "1000.000"); // carry into a new integer digit
    Ambos("#0.000", 9.9995, "9.999");        // 9.99949999... as a double
    Ambos("0.000", -1.25, "-1.250");
    Ambos("0.000", -0.0001, "0.000");        // never "-0.000"
    Ambos("####.000", -0.0004, ".000");
}

TEST(FloatToStr, GeneralFormat) {
    AmbosGeral(0.1 + 0.2, "0.3");
    AmbosGeral(1234.5, "1234.5");
    AmbosGeral(2, "2");
    AmbosGeral(-2.75, "-2.75");
    AmbosGeral(0, "0");
    AmbosGeral(1234567890123456.0, "1.23456789012346E15");
    AmbosGeral(999999999999999.0, "999999999999999");
    AmbosGeral(1e100, "1E100");
    AmbosGeral(4.42615029219009e-5, "4.42615029219009E-5");
    AmbosGeral(0.0001, "0.0001");
    AmbosGeral(0.00001, "1E-5");
    AmbosGeral(1.0 / 3.0, "0.333333333333333");
    AmbosGeral(2.0 / 3.0, "0.666666666666667");
    AmbosGeral(-1.5e-300, "-1.5E-300");
    AmbosGeral(1500.0, "1500");
}

TEST(StrToFloat, AcceptsTheLocaleSeparatorAndBlanksAround) {
    EXPECT_DOUBLE_EQ(StrToFloat("  1.5 ", '.'), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("1,5", ','), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-0,25", ','), -0.25);
    EXPECT_DOUBLE_EQ(StrToFloat("+3", '.'), 3);
    EXPECT_DOUBLE_EQ(StrToFloat(".5", '.'), 0.5);
    EXPECT_DOUBLE_EQ(StrToFloat("5.", '.'), 5);
    EXPECT_DOUBLE_EQ(StrToFloat("1,5E3", ','), 1500);
    EXPECT_DOUBLE_EQ(StrToFloat("4.42615029219009E-5", '.'), 4.42615029219009e-5);
    EXPECT_DOUBLE_EQ(StrToFloat("07", '.'), 7);
    EXPECT_EQ(StrToFloat("1e-400", '.'), 0.0);   // underflow is silent
}

TEST(StrToFloat, RejectsEverythingElseQuotingTheWholeText) {
    const char* ruins[] = {"", "   ", "1.5.", "1,,5", "abc", "1e", "1e+", "--1", "1 2", "1.5x", "\xB0",
                           "1e400", "inf", "nan", "0x10", "1.000,5", ".", ",", "1.5,5", "\t1"};
    for (char sep : {'.', ','}) {
        for (const char* t : ruins) {
            double v = 0;
            EXPECT_FALSE(TryStrToFloat(t, sep, v)) << t << " sep " << sep;
        }
    }
    EXPECT_FALSE([] { double v; return TryStrToFloat("0.8", ',', v); }());
    EXPECT_FALSE([] { double v; return TryStrToFloat("0,8", '.', v); }());
    try {
        StrToFloat(" 0.8 ", ',');
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "' 0.8 ' is not a valid floating point value");
    }
    try {
        StrToFloat("", '.');
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'' is not a valid floating point value");
    }
}

TEST(Numeros, FormattedTextsParseBack) {
    const double valores[] = {0.0625, 1234.5678, 12345.6, 0.1 + 0.2, 1.0 / 3.0, 1e-7, 1e20, 47.9};
    for (char sep : {'.', ','}) {
        for (double v : valores) {
            EXPECT_NEAR(StrToFloat(FormatFloat("###0.000", v, sep), sep), v, 0.0005 + v * 1e-15);
            const double g = StrToFloat(FloatToStr(v, sep), sep);
            EXPECT_NEAR(g, v, std::fabs(v) * 1e-14) << v;
        }
    }
}

TEST(TryStrToInt, WholeDecimal32BitIntegersOnly) {
    int v = 99;
    EXPECT_TRUE(TryStrToInt("12", v));
    EXPECT_EQ(v, 12);
    EXPECT_TRUE(TryStrToInt("-1", v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(TryStrToInt("+65535", v));
    EXPECT_EQ(v, 65535);
    EXPECT_TRUE(TryStrToInt("2147483647", v));
    EXPECT_EQ(v, 2147483647);
    EXPECT_TRUE(TryStrToInt("-2147483648", v));
    EXPECT_EQ(v, -2147483647 - 1);
    v = 5;
    for (const char* t : {"", "-", "2147483648", "-2147483649", "1.0", "12a", "0x10", "99999999999999999999"})
        EXPECT_FALSE(TryStrToInt(t, v)) << t;
    EXPECT_EQ(v, 5);
}
