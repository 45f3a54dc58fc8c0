// The lists a user types for the design-value table, and the durations of a
// drawn curve.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/TabelaIdf.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

struct TCasoLista {
    const char* Texto;
    std::vector<double> Valores;
};

class LeLista : public testing::TestWithParam<TCasoLista> {};

TEST_P(LeLista, ReadsSortedWithoutRepeats) {
    EXPECT_EQ(GetParam().Valores, LeListaDeValores(GetParam().Texto, "Duração", 10080));
}

INSTANTIATE_TEST_SUITE_P(Listas, LeLista,
                         testing::Values(TCasoLista{"5; 10 15,5", {5, 10, 15.5}},
                                         TCasoLista{"  60;;10\t10.0 ; 5 ", {5, 10, 60}},
                                         TCasoLista{"1e2", {100}}, TCasoLista{"10080", {10080}}));

class RecusaLista : public testing::TestWithParam<std::pair<const char*, const char*>> {};

// The message names the entry that is wrong.
TEST_P(RecusaLista, NamesTheBadEntry) {
    try {
        LeListaDeValores(GetParam().first, Ansi("Duração"), 10080);
        FAIL() << GetParam().first;
    } catch (const Exception& e) {
        EXPECT_NE(std::string::npos, e.Message().find(GetParam().second)) << Cp1252ToUtf8(e.Message());
    }
}

INSTANTIATE_TEST_SUITE_P(Listas, RecusaLista,
                         testing::Values(std::pair{"5; 1O; 60", "\"1O\""}, std::pair{"5;10x", "\"10x\""},
                                         std::pair{"0", "\"0\""}, std::pair{"-5", "\"-5\""},
                                         std::pair{"10081", "\"10081\""}, std::pair{"nan", "\"nan\""},
                                         std::pair{"1e400", "\"1e400\""}, std::pair{" ; ", "Nenhum valor"}));

TEST(LeLista, AtMostTheGivenNumberOfEntries) {
    EXPECT_EQ(3u, LeListaDeValores("1 2 3", "t", 10, 3).size());
    EXPECT_THROW(LeListaDeValores("1 2 3 4", "t", 10, 3), Exception);
}

TEST(EscreveLista, ReadsBackAsWritten) {
    const std::vector<double> v{2, 2.33, 100};
    EXPECT_EQ("2; 2,33; 100", EscreveListaDeValores(v, ','));
    EXPECT_EQ(v, LeListaDeValores(EscreveListaDeValores(v, ','), "Tr", 1000));
}

TEST(DuracoesDaCurva, SpansTheRangeAndKeepsTheListed) {
    const std::vector<double> t = DuracoesDaCurva(5, 1440, 50, {5, 7.5, 60, 2000});
    EXPECT_EQ(5, t.front());
    EXPECT_EQ(1440, t.back());
    EXPECT_TRUE(std::is_sorted(t.begin(), t.end()));
    EXPECT_NE(t.end(), std::find(t.begin(), t.end(), 7.5));
    EXPECT_EQ(t.end(), std::find(t.begin(), t.end(), 2000));
}
