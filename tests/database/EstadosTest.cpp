#include <gtest/gtest.h>

#include "database/Estados.h"
#include "database/Registros.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

TEST(Estados, TableInIndexOrderWithCp1252Names) {
    EXPECT_EQ(NomesEstados[0], "Acre");
    EXPECT_EQ(NomesEstados[2], "Amap\xE1");
    EXPECT_EQ(NomesEstados[14], Ansi("Paraíba"));
    EXPECT_EQ(NomesEstados[24], Ansi("São Paulo"));
    EXPECT_EQ(NomesEstados[26], "Tocantins");
    EXPECT_EQ(SiglasEstados[3], "AM");
    EXPECT_EQ(SiglasEstados[12], "MG");
    EXPECT_EQ(SiglasEstados[21], "RO");
    EXPECT_EQ(SiglasEstados[25], "SE");
}

TEST(Estados, SetIndiceAcceptsTheRangeAndRejectsTheRestKeepingTheIndex) {
    TEstado estado;
    EXPECT_EQ(estado.Indice, 0);
    EXPECT_EQ(estado.Nome(), "Acre");
    estado.SetIndice(26);
    EXPECT_EQ(estado.Nome(), "Tocantins");
    estado.SetIndice(12);
    for (int ruim : {27, -1}) {
        try {
            estado.SetIndice(ruim);
            FAIL() << ruim;
        } catch (const ENumeroEstado& e) {
            EXPECT_EQ(e.Message(), Ansi(" Não existe estado com índice igual a ") + std::to_string(ruim));
        }
        EXPECT_EQ(estado.Indice, 12);
    }
    EXPECT_THROW(estado.SetIndice(65536), ENumeroEstado);   // not truncated to 16 bits
    EXPECT_EQ(estado.Nome(), "Minas Gerais");
}

TEST(Registros, FixedTextsAndTrailingBlanks) {
    TextoFixo<9> t;
    EXPECT_EQ(t.Text(), "");
    t.Assign("20\xB0" "45'48\"xyz");   // cut to the capacity
    EXPECT_EQ(t.Len, 9);
    EXPECT_EQ(t.Text(), "20\xB0" "45'48\"");
    t.Len = 200;                        // a corrupt length byte never reads past the field
    EXPECT_EQ(t.Text().size(), 9u);
    EXPECT_EQ(TiraBrancosFinais("Belo Horizonte   "), "Belo Horizonte");
    EXPECT_EQ(TiraBrancosFinais("  a\t "), "  a\t");
    EXPECT_EQ(TiraBrancosFinais("   "), "");
}
