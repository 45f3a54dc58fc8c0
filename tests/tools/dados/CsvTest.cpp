// The comma-separated text reader and writer of the data builder.
#include <gtest/gtest.h>

#include "database/Csv.h"

TEST(Csv, CamposComAspasVirgulasEQuebras) {
    std::vector<TErroCsv> erros;
    auto l = TCsv::Le("a,\"b,c\",\"d\"\"e\"\r\n# comment\n\n\"x\ny\",,z\n", erros);
    ASSERT_TRUE(erros.empty());
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].Numero, 1);
    EXPECT_EQ(l[0].Campos, (std::vector<std::string>{"a", "b,c", "d\"e"}));
    EXPECT_EQ(l[1].Numero, 4);   // after the comment and the blank line
    EXPECT_EQ(l[1].Campos, (std::vector<std::string>{"x\ny", "", "z"}));
}

TEST(Csv, NumeroDeLinhaContaQuebrasDentroDeAspas) {
    std::vector<TErroCsv> erros;
    auto l = TCsv::Le("\"a\nb\nc\",1\nsecond,2", erros);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[1].Numero, 4);
    EXPECT_EQ(l[1].Campos.back(), "2");   // last line without a line break
}

TEST(Csv, EscritaELeituraDevolvemOsMesmosCampos) {
    std::vector<std::string> campos = {"SP", "São Paulo, capital", "12°30'00\"", "#not a comment", "", "plain"};
    std::string linha = TCsv::Linha(campos);
    std::vector<TErroCsv> erros;
    auto l = TCsv::Le(linha, erros);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].Campos, campos);
    EXPECT_EQ(TCsv::Campo("12°30'00\""), "\"12°30'00\"\"\"");
    EXPECT_EQ(TCsv::Campo("plain"), "plain");
}

TEST(Csv, AspasNaoFechadas) {
    std::vector<TErroCsv> erros;
    auto l = TCsv::Le("ok,1\n\"open,2\nmore\n", erros);
    ASSERT_EQ(erros.size(), 1u);
    EXPECT_EQ(erros[0].Linha, 2);
    EXPECT_EQ(l.size(), 1u);
}
