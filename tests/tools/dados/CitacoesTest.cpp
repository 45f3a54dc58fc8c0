// The program's citation table: the forms of its keys, and that each key
// can be stored in the 30-byte citation field of a station record.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "database/Citacoes.h"
#include "platform/Cp1252.h"

namespace {
std::string Ano(const char* chave) {
    std::string s = chave;
    return s.size() > 6 ? s.substr(s.size() - 6) : s;
}
}  // namespace

TEST(Citacoes, FormasEAnosDasDezLinhas) {
    const std::regex etAl(R"([A-Z]+ et al\. \(\d{4}\))"), dois(R"([A-Z]+ e [A-Z]+ \(\d{4}\))"),
        um(R"([A-Z]+ \(\d{4}\))");
    const char* anos[] = {"(1999)", "(2002)", "(2003)", "(2001)", "(1999)", "(2001)", "(1992)", "(1998)", "(1982)", "(2005)"};
    for (size_t i = 0; i < Citacoes.size(); ++i) EXPECT_EQ(Ano(Citacoes[i].Chave), anos[i]) << "row " << i + 1;
    EXPECT_TRUE(std::regex_match(Citacoes[0].Chave, etAl));
    EXPECT_TRUE(std::regex_match(Citacoes[1].Chave, etAl));
    EXPECT_TRUE(std::regex_match(Citacoes[2].Chave, etAl));
    EXPECT_TRUE(std::regex_match(Citacoes[3].Chave, um));   // agency acronym
    EXPECT_TRUE(std::regex_match(Citacoes[4].Chave, um));
    EXPECT_TRUE(std::regex_match(Citacoes[5].Chave, etAl));
    EXPECT_TRUE(std::regex_match(Citacoes[6].Chave, dois));
    EXPECT_TRUE(std::regex_match(Citacoes[7].Chave, um));
    EXPECT_TRUE(std::regex_match(Citacoes[8].Chave, dois));
    EXPECT_TRUE(std::regex_match(Citacoes[9].Chave, etAl));
    // Rows 1-3: one surname; rows 2 and 3 by the same authors.
    auto sobrenome = [](const char* k) { return std::string(k).substr(0, std::string(k).find(' ')); };
    EXPECT_EQ(sobrenome(Citacoes[1].Chave), sobrenome(Citacoes[2].Chave));
    EXPECT_STREQ(Citacoes[1].Autores, Citacoes[2].Autores);
    EXPECT_STRNE(Citacoes[1].Titulo, Citacoes[2].Titulo);
    EXPECT_STRNE(Citacoes[1].Publicacao, Citacoes[2].Publicacao);
}

TEST(Citacoes, ChavesCabemNoCampoEUnicas) {
    std::set<std::string> vistas;
    for (const auto& c : Citacoes) {
        AnsiString k = Utf8ToCp1252(c.Chave);
        EXPECT_LE(k.size(), 30u) << c.Chave;
        EXPECT_EQ(k.find_last_not_of(' '), k.size() - 1) << "trailing blank in " << c.Chave;
        EXPECT_TRUE(vistas.insert(c.Chave).second) << c.Chave;
        // The other texts are shown by the dialog: cp1252 and not empty.
        for (const char* t : {c.Autores, c.Titulo, c.Publicacao}) {
            EXPECT_TRUE(IsCp1252Representable(t)) << t;
            EXPECT_GT(std::string(t).size(), 5u);
        }
    }
}

TEST(Citacoes, IndicePelaChaveExata) {
    for (size_t i = 0; i < Citacoes.size(); ++i) EXPECT_EQ(IndiceCitacao(Citacoes[i].Chave), static_cast<int>(i));
    EXPECT_EQ(IndiceCitacao("Interpolação"), -1);
    EXPECT_EQ(IndiceCitacao((std::string(Citacoes[0].Chave) + " ").c_str()), -1);
    EXPECT_EQ(IndiceCitacao(""), -1);
    EXPECT_EQ(IndiceCitacao(nullptr), -1);
}

TEST(Citacoes, SaoReferenciasDeDemonstracao) {
    for (const auto& c : Citacoes) {
        std::string tudo = std::string(c.Autores) + c.Titulo + c.Publicacao;
        EXPECT_NE(tudo.find("demonstração"), std::string::npos) << c.Chave;
    }
}

// The data builder's own citations: which texts name a fitted data set.
TEST(Citacoes, DosConjuntosAjustados) {
    const struct { const char* chave; const TCitacao* fonte; } casos[] = {
        {"ANA 02345006, 41 anos", &FonteRedeNacional},
        {"ANA 00047002, 125 anos", &FonteRedeNacional},
        {"ANA 2345006, 41 anos", nullptr},       // seven digits
        {"ANA 02345006, 041 anos", nullptr},
        {"ANA 02345006 41 anos", nullptr},
        {"Alerta Rio Copacabana", &FonteAlertaRio},
        {"Alerta Rio Jacarepaguá/Cidade", &FonteAlertaRio},
        {"Alerta Rio Recreio dos Bandeirantes", nullptr},   // beyond 30 bytes
        {"Alerta Rio ", nullptr},
        {"Ajuste ANA 01943011 (2026)", nullptr},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(FonteDaCitacao(c.chave), c.fonte) << c.chave;
        EXPECT_EQ(CitacaoComDescricao(c.chave), c.fonte != nullptr || CitacaoDeAjuste(c.chave)) << c.chave;
    }
}
