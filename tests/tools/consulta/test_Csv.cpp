// CSV lines in and out: quoting, the coordinate text's own quote, bad lines
// that do not spoil the next ones, line numbers.
#include <gtest/gtest.h>

#include <sstream>

#include "EscritorCsv.h"
#include "LeitorCsv.h"

using V = std::vector<std::string>;

TEST(Csv, ReadsQuotedUnquotedAndBadLinesWithTheirNumbers) {
    std::istringstream in("\xEF\xBB\xBFP1;19°55'30\";43°56'15\"\r\n"
                          "\n   \n"
                          "\"P;2\";\"19°55'30\"\"\";\r\n"
                          "a;\"aberto;1\nb;\"x\"y;2\nc;\xB0;3\nd;1;2");
    TLeitorCsv leitor(in, ';');
    std::vector<TLinhaCsvPontos> l(7);
    std::size_t n = 0;
    while (n < l.size() && leitor.Proxima(l[n])) ++n;
    ASSERT_EQ(6u, n);
    EXPECT_EQ((V{"P1", "19°55'30\"", "43°56'15\""}), l[0].Campos);
    EXPECT_EQ((V{"P;2", "19°55'30\"", ""}), l[1].Campos);
    EXPECT_EQ(4, l[1].Numero);
    EXPECT_NE("", l[2].Erro);   // quote never closed
    EXPECT_NE("", l[3].Erro);   // text after the closing quote
    EXPECT_NE("", l[4].Erro);   // not UTF-8 (a cp1252 degree sign)
    EXPECT_EQ("", l[5].Erro);
    EXPECT_EQ(8, l[5].Numero);
    EXPECT_EQ((V{"d", "1", "2"}), l[5].Campos);
}

TEST(Csv, WritesQuotesOnlyWhereNeededAndReadsBack) {
    const V campos = {"id \"x\"", "19°55'30\"", "a;b,c", "", "1234,5"};
    for (char sep : {';', ','}) {
        std::ostringstream out;
        TEscritorCsv(out, sep).Linha(campos);
        EXPECT_EQ(sep == ';' ? "\"id \"\"x\"\"\";\"19°55'30\"\"\";\"a;b,c\";;1234,5\n"
                             : "\"id \"\"x\"\"\",\"19°55'30\"\"\",\"a;b,c\",,\"1234,5\"\n",
                  out.str());
        std::istringstream in(out.str());
        TLinhaCsvPontos l;
        ASSERT_TRUE(TLeitorCsv(in, sep).Proxima(l));
        EXPECT_EQ(campos, l.Campos);
    }
}
