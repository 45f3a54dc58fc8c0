#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "database/Colacao.h"
#include "platform/Cp1252.h"

TEST(Colacao, PortugueseNamesSortIgnoringAccentsAndCaseFirst) {
    std::vector<AnsiString> nomes = {Ansi("Arapiraca"), Ansi("Água Boa"), Ansi("Abaeté"), Ansi("Óbidos"),
                                     Ansi("Ouro Preto"), Ansi("itabira"), Ansi("Ibiá"), Ansi("Campos"),
                                     Ansi("Caçapava"), Ansi("Cabo Frio"), Ansi("São Paulo"), Ansi("Santos"),
                                     Ansi("Rio de Janeiro"), Ansi("Rio Grande"), Ansi("Rio"), Ansi("Rio 2")};
    std::sort(nomes.begin(), nomes.end(), NomeAntes);
    const std::vector<AnsiString> esperado = {
        Ansi("Abaeté"), Ansi("Água Boa"), Ansi("Arapiraca"), Ansi("Cabo Frio"), Ansi("Caçapava"),
        Ansi("Campos"), Ansi("Ibiá"), Ansi("itabira"), Ansi("Óbidos"), Ansi("Ouro Preto"), Ansi("Rio"),
        Ansi("Rio 2"), Ansi("Rio de Janeiro"), Ansi("Rio Grande"), Ansi("Santos"), Ansi("São Paulo")};
    EXPECT_EQ(nomes, esperado);
}

TEST(Colacao, TiesAreBrokenByAccentThenCaseThenBytesSoTheOrderIsTotal) {
    EXPECT_LT(ComparaNomes(Ansi("são"), Ansi("São")), 0);      // lower case first
    EXPECT_GT(ComparaNomes(Ansi("São"), Ansi("são")), 0);
    EXPECT_LT(ComparaNomes(Ansi("Sao"), Ansi("São")), 0);      // plain letter before accented
    EXPECT_LT(ComparaNomes(Ansi("sÃo"), Ansi("São")), 0);      // accents decide before case
    EXPECT_LT(ComparaNomes(Ansi("Pará"), Ansi("Paraná")), 0);
    EXPECT_EQ(ComparaNomes(Ansi("Maringá"), Ansi("Maringá")), 0);
    EXPECT_NE(ComparaNomes("a\x81", "a\x8D"), 0);               // different bytes never tie
    // Antisymmetric and consistent over every pair of a small mixed set.
    const std::vector<AnsiString> v = {Ansi("e"), Ansi("é"), Ansi("E"), Ansi("É"), Ansi("ê"), "e ", "e-", "e1",
                                       Ansi("f"), ""};
    for (const auto& a : v)
        for (const auto& b : v) {
            EXPECT_EQ(ComparaNomes(a, b), -ComparaNomes(b, a)) << a << "|" << b;
            EXPECT_EQ(ComparaNomes(a, b) == 0, a == b);
            for (const auto& c : v)
                if (ComparaNomes(a, b) < 0 && ComparaNomes(b, c) < 0) EXPECT_LT(ComparaNomes(a, c), 0);
        }
}

// Searching by name: accents and case ignored, the text at the start of the
// name (0) or of a later word (1), never inside a word.
TEST(Colacao, ProcuraNoNomeIgnoraAcentosECaixaNoInicioDasPalavras) {
    const struct {
        const char* nome;
        const char* procura;
        int esperado;
    } casos[] = {
        {"São José dos Campos", "sao jose", 0},  {"São José dos Campos", "SÃO JOSÉ", 0},
        {"São José dos Campos", "  sao  ", 0},   {"São José dos Campos", "campos", 1},
        {"São José dos Campos", "jose dos", 1},  {"São José dos Campos", "ose", -1},
        {"São José dos Campos", "sao jose dos campos e", -1},
        {"São José dos Campos", "", -1},         {"São José dos Campos", "   ", -1},
        {"Sant'Ana do Livramento", "ana", 1},    {"Água Boa", "agua b", 0},
        {"Itaú de Minas", "itau", 0},            {"Conceição", "conceicao", 0},
        {"Guarujá", "guaruja ", 0},              {"Rio 2", "2", 1},
        {"Paraná", "parana", 0},                 {"Pará", "parana", -1},
    };
    for (const auto& c : casos)
        EXPECT_EQ(ProcuraNoNome(Ansi(c.nome), Ansi(c.procura)), c.esperado) << c.nome << " / " << c.procura;
}
