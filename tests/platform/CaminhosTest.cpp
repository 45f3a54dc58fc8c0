#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Caminhos.h"
#include "platform/Erros.h"

namespace fs = std::filesystem;

TEST(Caminhos, ProgramFolderIsAbsoluteWithTrailingSeparator) {
    const std::string pasta = PastaDoPrograma();
    ASSERT_FALSE(pasta.empty());
    EXPECT_EQ(pasta.front(), '/');
    EXPECT_EQ(pasta.back(), '/');
    EXPECT_TRUE(PastaExiste(pasta));
    EXPECT_TRUE(ArquivoExiste(pasta + "test_platform"));
}

TEST(Caminhos, FilesAndFoldersAreToldApartAndReadWhole) {
    std::string modelo = (fs::temp_directory_path() / "tormel_caminhos_XXXXXX").string();
    ASSERT_NE(mkdtemp(modelo.data()), nullptr);
    const std::string pasta = modelo + "/";
    const std::string arquivo = pasta + "dados.bin";
    const std::string conteudo("\0\xFF\x01 abc\r\n", 8);
    std::ofstream(arquivo, std::ios::binary) << conteudo;

    EXPECT_TRUE(PastaExiste(pasta));
    EXPECT_FALSE(ArquivoExiste(pasta));
    EXPECT_TRUE(ArquivoExiste(arquivo));
    EXPECT_FALSE(PastaExiste(arquivo));
    EXPECT_FALSE(ArquivoExiste(pasta + "falta.bin"));
    EXPECT_EQ(LeArquivo(arquivo), conteudo);
    std::ofstream(pasta + "vazio.bin", std::ios::binary);
    EXPECT_EQ(LeArquivo(pasta + "vazio.bin"), "");
    try {
        LeArquivo(pasta + "falta.bin");
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_NE(e.Message().find("falta.bin"), std::string::npos);
    }
    fs::remove_all(modelo);
}
