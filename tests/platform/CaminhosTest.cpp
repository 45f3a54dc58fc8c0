#include <gtest/gtest.h>

#include <string>

#include "platform/Caminhos.h"
#include "platform/Erros.h"
#include "suporte/ArquivosDeTeste.h"

TEST(Caminhos, ProgramFolderIsAbsoluteWithTrailingSeparator) {
    const std::string pasta = PastaDoPrograma();
    ASSERT_FALSE(pasta.empty());
    EXPECT_EQ(pasta.front(), '/');
    EXPECT_EQ(pasta.back(), '/');
    EXPECT_TRUE(PastaExiste(pasta));
    EXPECT_TRUE(ArquivoExiste(pasta + "test_platform"));
}

TEST(Caminhos, FilesAndFoldersAreToldApartAndReadWhole) {
    const TPastaTemporaria temporaria("tormel_caminhos_");
    const std::string pasta = temporaria.Caminho();
    const std::string conteudo("\0\xFF\x01 abc\r\n", 8);
    const std::string arquivo = temporaria.Grava("dados.bin", conteudo);

    EXPECT_TRUE(PastaExiste(pasta));
    EXPECT_FALSE(ArquivoExiste(pasta));
    EXPECT_TRUE(ArquivoExiste(arquivo));
    EXPECT_FALSE(PastaExiste(arquivo));
    EXPECT_FALSE(ArquivoExiste(pasta + "falta.bin"));
    EXPECT_EQ(LeArquivo(arquivo), conteudo);
    temporaria.Grava("vazio.bin", "");
    EXPECT_EQ(LeArquivo(pasta + "vazio.bin"), "");
    try {
        LeArquivo(pasta + "falta.bin");
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_NE(e.Message().find("falta.bin"), std::string::npos);
    }
}
