// Coordinate texts as the masked edits hand them over: a digit position left
// empty is a blank. A wholly empty piece is the conversion error quoting it;
// a piece with one digit reads as that digit (blanks around a number are
// allowed); anything shorter than the pieces' positions quotes the whole text.
#include <gtest/gtest.h>

#include <string>

#include "database/Coordenadas.h"
#include "platform/Erros.h"

namespace {

const std::string kCheio = "12\xB0" "34'56\"";
const int kPosicoes[6] = {0, 1, 3, 4, 6, 7};

std::string ComBrancos(unsigned mascara) {
    std::string t = kCheio;
    for (int i = 0; i < 6; ++i)
        if (mascara & (1u << i)) t[static_cast<std::size_t>(kPosicoes[i])] = ' ';
    return t;
}

TEST(CoordenadaDigitada, EveryPatternOfEmptyDigitPositions) {
    for (unsigned mascara = 0; mascara < 64; ++mascara) {
        const std::string t = ComBrancos(mascara);
        // The first wholly blank piece, in reading order, is the one quoted.
        std::string pecaVazia;
        for (int p = 0; p < 3 && pecaVazia.empty(); ++p)
            if (((mascara >> (2 * p)) & 3u) == 3u) pecaVazia = "  ";
        if (!pecaVazia.empty()) {
            try {
                (void)ParseDms(t);
                ADD_FAILURE() << "accepted \"" << t << "\"";
            } catch (const EConvertError& e) {
                EXPECT_EQ(e.Message(), "'  ' is not a valid floating point value") << t;
            }
            continue;
        }
        // Every piece keeps at least one digit: the digits left are read.
        auto peca = [&](int p) {
            const std::string s = t.substr(static_cast<std::size_t>(kPosicoes[2 * p]), 2);
            return s[0] == ' ' ? s[1] - '0' : s[1] == ' ' ? s[0] - '0' : (s[0] - '0') * 10 + (s[1] - '0');
        };
        EXPECT_DOUBLE_EQ(ParseDms(t), ((peca(2) / 60.0) + peca(1)) / 60 + peca(0)) << t;
    }
}

TEST(CoordenadaDigitada, TextsTooShortForThePiecesQuoteTheWholeText) {
    for (const std::string t : {std::string(), std::string("1"), std::string("12\xB0" "34'5"), std::string("\xB0'\"")}) {
        try {
            (void)ParseDms(t);
            ADD_FAILURE() << "accepted \"" << t << "\"";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + t + "' is not a valid floating point value");
        }
    }
}

}  // namespace
