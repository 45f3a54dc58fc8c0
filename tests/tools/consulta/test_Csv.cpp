// CSV lines in and out: quoting, the coordinate text's own quote, bad lines
// that do not spoil the next ones, line numbers.
#include <gtest/gtest.h>

#include <sstream>

#include "EscritorCsv.h"
#include "LeitorCsv.h"

namespace {
std::vector<TLinhaCsv> LeTudo(const std::string& texto, char sep) {
    std::istringstream in(texto);
    TLeitorCsv leitor(in, sep);
    std::vector<TLinhaCsv> linhas;
    TLinhaCsv l;
    while (leitor.Proxima(l)) linhas.push_back(l);
    return linhas;
}
using V = std::vector<std::string>;
}  // namespace

TEST(LeitorCsv, FieldsQuotedAndUnquoted) {
    const auto l = LeTudo("\xEF\xBB\xBFP1;19°55'30\";43°56'15\"\r\n"
                          "\"P;2\";\"19°55'30\"\"\";\"\"\r\n"
                          "P3;;\n",
                          ';');
    ASSERT_EQ(3u, l.size());
    EXPECT_EQ((V{"P1", "19°55'30\"", "43°56'15\""}), l[0].Campos);
    EXPECT_EQ((V{"P;2", "19°55'30\"", ""}), l[1].Campos);
    EXPECT_EQ((V{"P3", "", ""}), l[2].Campos);
    for (const auto& x : l) EXPECT_EQ("", x.Erro);
}

TEST(LeitorCsv, LineNumbersCountBlankLines) {
    const auto l = LeTudo("a,1,2\n\n   \nb,3,4\nc,5,6", ',');
    ASSERT_EQ(3u, l.size());
    EXPECT_EQ(1, l[0].Numero);
    EXPECT_EQ(4, l[1].Numero);
    EXPECT_EQ(5, l[2].Numero);
    EXPECT_EQ((V{"c", "5", "6"}), l[2].Campos);
}

TEST(LeitorCsv, BadLineStaysAlone) {
    const auto l = LeTudo("a;\"aberto;1\nb;\"x\"y;2\nc;\xB0;3\nd;1;2\n", ';');
    ASSERT_EQ(4u, l.size());
    EXPECT_NE("", l[0].Erro);   // quote never closed
    EXPECT_NE("", l[1].Erro);   // text after the closing quote
    EXPECT_NE("", l[2].Erro);   // not UTF-8 (a cp1252 degree sign)
    EXPECT_EQ("", l[3].Erro);
    EXPECT_EQ(4, l[3].Numero);
    EXPECT_EQ((V{"d", "1", "2"}), l[3].Campos);
}

TEST(EscritorCsv, QuotesOnlyWhatNeedsIt) {
    std::ostringstream out;
    TEscritorCsv br(out, ';');
    br.Linha({"P1", "19°55'30\"", "1234,5", "a;b", ""});
    TEscritorCsv in(out, ',');
    in.Linha({"P1", "1234.5", "1234,5"});
    EXPECT_EQ("P1;\"19°55'30\"\"\";1234,5;\"a;b\";\n"
              "P1,1234.5,\"1234,5\"\n",
              out.str());
}

TEST(EscritorCsv, WhatIsWrittenReadsBack) {
    const V campos = {"id \"x\"", "19°55'30\"", "a;b,c", "", " blank "};
    for (char sep : {';', ','}) {
        std::ostringstream out;
        TEscritorCsv(out, sep).Linha(campos);
        const auto l = LeTudo(out.str(), sep);
        ASSERT_EQ(1u, l.size());
        EXPECT_EQ(campos, l[0].Campos);
    }
}
