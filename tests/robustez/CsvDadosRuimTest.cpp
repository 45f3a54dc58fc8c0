// The data builder's import on rows the fuzzer made: every bad row is one
// collected error naming file, line and field, never an exception and never
// a record.
#include <gtest/gtest.h>

#include <string>

#include "database/Importador.h"

namespace {

const std::string kCabecalho = "uf,nome,K,a,b,c,citacao,latitude,longitude\n";

std::string Linha(const std::string& citacao) {
    return "BA,Salvador,1200.5,0.18,20,0.9," + citacao + ",\"12\xC2\xB0" "58'16\"\"\",\"38\xC2\xB0" "30'39\"\"\"\n";
}

TEST(CsvDadosRuim, CitationKeyFollowedByANulIsRefusedWhole) {
    // A known key, then a NUL and more: either valid UTF-8 or not.
    for (const std::string resto : {std::string("XYZ"), std::string("\xC1\x80", 2)}) {
        const std::string citacao = std::string("FULANO et al. (1999)") + '\0' + resto;
        TImportador imp;
        ASSERT_NO_THROW(imp.LeEstacoes(kCabecalho + Linha(citacao), "estacoes.csv"));
        ASSERT_EQ(imp.Erros().size(), 1u);
        EXPECT_EQ(imp.Erros()[0].Linha, 2);
        EXPECT_EQ(imp.Erros()[0].Campo, "citacao");
        for (const auto& bloco : imp.Estacoes()) EXPECT_TRUE(bloco.empty());
    }
    // The key alone is accepted.
    TImportador imp;
    imp.LeEstacoes(kCabecalho + Linha("FULANO et al. (1999)"), "estacoes.csv");
    EXPECT_TRUE(imp.Erros().empty()) << imp.Erros()[0].Texto();
    EXPECT_EQ(imp.Estacoes()[4].size(), 1u);
}

}  // namespace
