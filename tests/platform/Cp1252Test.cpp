#include <gtest/gtest.h>

#include <string>

#include "platform/Cp1252.h"
#include "platform/Erros.h"

TEST(Cp1252, PortugueseLettersAndSymbolsRoundTrip) {
    const std::string utf8 = "São Paulo, Goiás, Espírito Santo, ção, 20°45'48\" ºª €…";
    const AnsiString ansi = Utf8ToCp1252(utf8);
    EXPECT_EQ(ansi, "S\xE3o Paulo, Goi\xE1s, Esp\xEDrito Santo, \xE7\xE3o, 20\xB0" "45'48\" \xBA\xAA \x80\x85");
    EXPECT_EQ(Cp1252ToUtf8(ansi), utf8);
    EXPECT_EQ(Ansi("não"), "n\xE3o");
    EXPECT_EQ(Ansi("não").size(), 3u);
}

TEST(Cp1252, EveryDefinedByteRoundTripsAndUndefinedOnesReadAsReplacement) {
    const unsigned char indefinidos[] = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = Cp1252ToUtf8(byte);
        bool indefinido = false;
        for (unsigned char u : indefinidos) indefinido |= (u == b);
        if (indefinido) {
            EXPECT_EQ(utf8, "\xEF\xBF\xBD") << b;   // U+FFFD
            EXPECT_THROW(Utf8ToCp1252(utf8), ECodificacao);
        } else {
            EXPECT_EQ(Utf8ToCp1252(utf8), byte) << b;
        }
        // UTF-16 gives the same character: every one of them is a single unit.
        char16_t unidade = 0;
        Cp1252ParaUtf16(byte, &unidade);
        const unsigned u = unidade;
        const std::string emUtf8 =
            u < 0x80 ? std::string(1, static_cast<char>(u))
            : u < 0x800 ? std::string{static_cast<char>(0xC0 | (u >> 6)), static_cast<char>(0x80 | (u & 0x3F))}
                        : std::string{static_cast<char>(0xE0 | (u >> 12)), static_cast<char>(0x80 | ((u >> 6) & 0x3F)),
                                      static_cast<char>(0x80 | (u & 0x3F))};
        EXPECT_EQ(emUtf8, utf8) << b;
    }
}

TEST(Cp1252, CharactersOutsideTheTableRaiseNamingTheCharacter) {
    try {
        Utf8ToCp1252("Kraków → Łódź");
        FAIL() << "no error";
    } catch (const ECodificacao& e) {
        EXPECT_NE(std::string(e.what()).find("U+2192"), std::string::npos) << e.what();
    }
    EXPECT_THROW(Utf8ToCp1252("\xE2\x80"), ECodificacao);        // truncated sequence
    EXPECT_THROW(Utf8ToCp1252("\xC0\xAF"), ECodificacao);        // overlong
    EXPECT_THROW(Utf8ToCp1252("\xED\xA0\x80"), ECodificacao);    // surrogate
    EXPECT_THROW(Utf8ToCp1252("\xC2\x81"), ECodificacao);        // U+0081 has no cp1252 byte
    EXPECT_FALSE(IsCp1252Representable("日本"));
    EXPECT_TRUE(IsCp1252Representable("Açaí"));
}

TEST(Erros, MessagesAreCp1252AndWhatIsUtf8) {
    const EArquivoNaoExiste e(Ansi("O arquivo x não existe."), 7);
    EXPECT_EQ(e.Message(), "O arquivo x n\xE3o existe.");
    EXPECT_STREQ(e.what(), "O arquivo x não existe.");
    EXPECT_EQ(e.HelpContext(), 7);
    EXPECT_STREQ(e.ClassName(), "EArquivoNaoExiste");
    const Exception& base = e;
    EXPECT_STREQ(base.ClassName(), "EArquivoNaoExiste");
    EXPECT_STREQ(EZeroDivide("x").ClassName(), "EZeroDivide");

    try {
        RaiseConvertError(" 1,5 ");
        FAIL();
    } catch (const EConvertError& c) {
        EXPECT_EQ(c.Message(), "' 1,5 ' is not a valid floating point value");
    }
}
