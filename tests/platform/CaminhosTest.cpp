#include <gtest/gtest.h>

#include <cstdlib>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {
// Sets or removes an environment variable for one test and puts it back.
class TVariavel {
public:
    TVariavel(const char* nome, const char* valor) : nome_(nome) {
        if (const char* v = std::getenv(nome)) antes_ = v, tinha_ = true;
        valor ? ::setenv(nome, valor, 1) : ::unsetenv(nome);
    }
    ~TVariavel() { tinha_ ? ::setenv(nome_, antes_.c_str(), 1) : ::unsetenv(nome_); }

private:
    const char* nome_;
    std::string antes_;
    bool tinha_ = false;
};
}  // namespace

TEST(Caminhos, UserSettingsFolderIsXdgConfigHomeWhenAbsoluteElseHomeConfig) {
    struct Caso {
        const char* xdg;
        const char* home;
        const char* esperado;
    };
    for (const Caso& c : {Caso{"/x/cfg", "/h", "/x/cfg/"}, Caso{"/x/cfg/", "/h", "/x/cfg/"},
                          Caso{"relativo/cfg", "/h", "/h/.config/"}, Caso{"", "/h/", "/h/.config/"},
                          Caso{nullptr, "/casa/ana", "/casa/ana/.config/"}}) {
        const TVariavel xdg("XDG_CONFIG_HOME", c.xdg), home("HOME", c.home);
        EXPECT_EQ(PastaDeConfiguracaoDoUsuario(), c.esperado) << (c.xdg ? c.xdg : "(none)");
    }
    // Without HOME the home folder comes from the user database.
    const TVariavel xdg("XDG_CONFIG_HOME", nullptr), home("HOME", nullptr);
    const std::string pasta = PastaDeConfiguracaoDoUsuario();
    if (const passwd* u = ::getpwuid(::geteuid()); u && u->pw_dir && u->pw_dir[0] == '/')
        EXPECT_EQ(pasta, std::string(u->pw_dir) + (std::string(u->pw_dir).back() == '/' ? "" : "/") + ".config/");
}

TEST(Caminhos, FolderCreationMakesPrivateParentsAndNamesTheFolderOnFailure) {
    const TPastaTemporaria temporaria("tormel_caminhos_");
    const std::string nova = temporaria.Caminho("a/b/tormel21/");
    EXPECT_FALSE(PastaGravavel(nova));
    CriaPasta(nova);
    CriaPasta(nova);   // already there: nothing to do
    EXPECT_TRUE(PastaGravavel(nova));
    for (const std::string& p : {temporaria.Caminho("a"), temporaria.Caminho("a/b"), nova}) {
        struct stat st {};
        ASSERT_EQ(::stat(p.c_str(), &st), 0) << p;
        EXPECT_EQ(st.st_mode & 0777, 0700u) << p;
    }
    const std::string arquivo = temporaria.Grava("arquivo", "x");
    EXPECT_FALSE(PastaGravavel(arquivo));
    for (const std::string& p : {arquivo + "/sub/", arquivo}) {
        try {
            CriaPasta(p);
            ADD_FAILURE() << p;
        } catch (const EInOutError& e) {
            EXPECT_NE(e.Message().find("criar a pasta \"" + p + "\""), std::string::npos) << e.what();
        }
    }
    // Permission bits bind only a user other than root (the program's test
    // covers a read-only program folder as an unprivileged user).
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(temporaria.Caminho("a").c_str(), 0500), 0);
        EXPECT_FALSE(PastaGravavel(temporaria.Caminho("a")));
        ::chmod(temporaria.Caminho("a").c_str(), 0700);
    }
}
