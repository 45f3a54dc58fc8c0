// Bad settings files: the start-up's five reads never fail (a key that cannot
// be used takes its default), and the write at a "&Fechar" close changes only
// the five keys' lines, or, when the file cannot be written, raises an error
// naming it and leaves it as it was.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "suporte/ArquivosDeTeste.h"
#include "platform/ArquivoIni.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace fs = std::filesystem;

namespace {

// What the start-up takes from the file (integers by their low 16 bits).
struct TSelecao {
    int16_t Estado = 0, Estacao = 0, Localidade = 0;
    AnsiString Latitude, Longitude;
    bool operator==(const TSelecao&) const = default;
};

TSelecao LeSelecao(const TArquivoIni& ini) {
    TSelecao s;
    s.Estado = static_cast<int16_t>(ini.ReadInteger("PRINCIPAL", "IndEstado", 0));
    s.Estacao = static_cast<int16_t>(ini.ReadInteger("PRINCIPAL", "IndEstacao", 0));
    s.Localidade = static_cast<int16_t>(ini.ReadInteger("PRINCIPAL", "IndLocalidade", 0));
    s.Latitude = ini.ReadString("PRINCIPAL", "Latitude", "");
    s.Longitude = ini.ReadString("PRINCIPAL", "Longitude", "");
    return s;
}

const TSelecao kNova{12, -1, 3, "19\xB0" "55'00\"", "43\xB0" "56'00\""};

void GravaSelecao(TArquivoIni& ini, const TSelecao& s) {
    ini.EmLote([&] {
        ini.WriteInteger("PRINCIPAL", "IndEstado", s.Estado);
        ini.WriteInteger("PRINCIPAL", "IndEstacao", s.Estacao);
        ini.WriteInteger("PRINCIPAL", "IndLocalidade", s.Localidade);
        ini.WriteString("PRINCIPAL", "Latitude", s.Latitude);
        ini.WriteString("PRINCIPAL", "Longitude", s.Longitude);
    });
}

class ArquivoIniRuim : public testing::Test {
protected:
    void Escreve(const std::string& texto) { GravaArquivo(caminho, texto); }

    TPastaTemporaria pasta;
    const std::string caminho = pasta.Caminho() + "Tormel21.ini";
    TArquivoIni ini{caminho};
};

TEST_F(ArquivoIniRuim, BinaryGarbageReadsAsDefaultsAndIsKeptByTheWrite) {
    std::string lixo;
    uint32_t x = 12345;
    for (int i = 0; i < 4096; ++i) {
        x = x * 1103515245u + 12345u;
        const char c = static_cast<char>(x >> 24);
        lixo += c == '[' ? '\0' : c;   // no section header can form
    }
    Escreve(lixo);
    EXPECT_EQ(LeSelecao(ini), TSelecao{});

    GravaSelecao(ini, kNova);
    const std::string depois = ConteudoDoArquivo(caminho);
    ASSERT_EQ(depois.substr(0, lixo.size()), lixo);   // byte for byte
    EXPECT_EQ(LeSelecao(ini), kNova);
    // At most a line end between the garbage and the new section.
    EXPECT_LE(depois.find("[PRINCIPAL]", lixo.size()), lixo.size() + 2);
}

TEST_F(ArquivoIniRuim, VeryLongLinesAreReadAndKept) {
    const std::string comentario = "; " + std::string(1 << 20, 'x');
    const std::string latitude = "19\xB0" "55'00\"" + std::string(100000, ' ') + "fim";
    Escreve(comentario + "\r\n[PRINCIPAL]\r\nIndEstado=4\r\nLatitude=" + latitude + "\r\nOutra=" +
            std::string(200000, 'y') + "\r\n");
    TSelecao esperada;
    esperada.Estado = 4;
    esperada.Latitude = latitude;
    EXPECT_EQ(LeSelecao(ini), esperada);

    GravaSelecao(ini, kNova);
    EXPECT_EQ(LeSelecao(ini), kNova);
    EXPECT_EQ(ConteudoDoArquivo(caminho), comentario + "\r\n[PRINCIPAL]\r\nIndEstado=12\r\nLatitude=19\xB0" "55'00\"\r\nOutra=" +
                               std::string(200000, 'y') +
                               "\r\nIndEstacao=-1\r\nIndLocalidade=3\r\nLongitude=43\xB0" "56'00\"\r\n");
}

TEST_F(ArquivoIniRuim, ZeroLengthFileReadsAsDefaultsAndGetsTheSection) {
    Escreve("");
    EXPECT_EQ(LeSelecao(ini), TSelecao{});
    GravaSelecao(ini, kNova);
    EXPECT_EQ(ConteudoDoArquivo(caminho), "[PRINCIPAL]\r\nIndEstado=12\r\nIndEstacao=-1\r\nIndLocalidade=3\r\n"
                           "Latitude=19\xB0" "55'00\"\r\nLongitude=43\xB0" "56'00\"\r\n");
}

TEST_F(ArquivoIniRuim, KeysWithoutASectionAreNotTheProgramsAndStay) {
    const std::string antes = "IndEstado=5\nLatitude=10\xB0" "00'00\"\n";
    Escreve(antes);
    EXPECT_EQ(LeSelecao(ini), TSelecao{});
    GravaSelecao(ini, kNova);
    EXPECT_EQ(ConteudoDoArquivo(caminho), antes + "[PRINCIPAL]\nIndEstado=12\nIndEstacao=-1\nIndLocalidade=3\nLatitude=19\xB0"
                                   "55'00\"\nLongitude=43\xB0" "56'00\"\n");
}

TEST_F(ArquivoIniRuim, DuplicateKeysAndSectionsTheFirstCountsAndOnlyItIsReplaced) {
    const std::string antes =
        "[PRINCIPAL]\r\nIndEstado=7\r\nindestado=9\r\nLatitude=\r\n[principal]\r\nIndEstacao=4\r\n";
    Escreve(antes);
    TSelecao esperada;
    esperada.Estado = 7;
    EXPECT_EQ(LeSelecao(ini), esperada);   // IndEstacao of the second section does not count

    GravaSelecao(ini, kNova);
    EXPECT_EQ(ConteudoDoArquivo(caminho), "[PRINCIPAL]\r\nIndEstado=12\r\nindestado=9\r\nLatitude=19\xB0" "55'00\"\r\n"
                           "IndEstacao=-1\r\nIndLocalidade=3\r\nLongitude=43\xB0" "56'00\"\r\n"
                           "[principal]\r\nIndEstacao=4\r\n");
    EXPECT_EQ(LeSelecao(ini), kNova);
}

TEST_F(ArquivoIniRuim, FileCutInsideItsLastLineEndKeepsEveryKeyWritten) {
    // The last CRLF cut after its CR: that CR ends the line, and a key added
    // after it must not join it (it would then be lost, and the line's value
    // changed).
    Escreve("[PRINCIPAL]\r\nIndEstado=3\r");
    TSelecao esperada;
    esperada.Estado = 3;
    EXPECT_EQ(LeSelecao(ini), esperada);
    GravaSelecao(ini, kNova);
    EXPECT_EQ(LeSelecao(ini), kNova);
    EXPECT_EQ(ConteudoDoArquivo(caminho), "[PRINCIPAL]\r\nIndEstado=12\rIndEstacao=-1\r\nIndLocalidade=3\r\n"
                           "Latitude=19\xB0" "55'00\"\r\nLongitude=43\xB0" "56'00\"\r\n");

    // The same with another key last, and the new key in its section.
    Escreve("[PRINCIPAL]\nOutra=x\r");
    ini.WriteString("PRINCIPAL", "Latitude", kNova.Latitude);
    EXPECT_EQ(ini.ReadString("PRINCIPAL", "Outra", ""), "x");
    EXPECT_EQ(ini.ReadString("PRINCIPAL", "Latitude", ""), kNova.Latitude);
}

TEST_F(ArquivoIniRuim, LatitudeOf200CharactersIsReadWhole) {
    // Whether it can be used is the start-up's question; the file layer
    // neither cuts nor loses it, and the write replaces it whole.
    const std::string longa = "19\xB0" "55'00\"" + std::string(191, '9');
    ASSERT_EQ(longa.size(), 200u);
    Escreve("[PRINCIPAL]\r\nIndEstado=12\r\nLatitude=" + longa + "\r\n");
    EXPECT_EQ(LeSelecao(ini).Latitude, longa);
    GravaSelecao(ini, kNova);
    EXPECT_EQ(ConteudoDoArquivo(caminho), "[PRINCIPAL]\r\nIndEstado=12\r\nLatitude=19\xB0" "55'00\"\r\nIndEstacao=-1\r\n"
                           "IndLocalidade=3\r\nLongitude=43\xB0" "56'00\"\r\n");
}

TEST_F(ArquivoIniRuim, SettingsFileThatIsAFolder) {
    fs::create_directory(caminho);
    EXPECT_EQ(LeSelecao(ini), TSelecao{});
    try {
        GravaSelecao(ini, kNova);
        FAIL() << "no error raised";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message(), Ansi("Não foi possível ler o arquivo \"") + caminho + Ansi("\": não é um arquivo"));
    }
    EXPECT_TRUE(fs::is_directory(caminho));
}

// A folder the program may not write into. Root writes anywhere, so the
// write then runs in a child process that has given up root first.
TEST_F(ArquivoIniRuim, FolderThatCannotBeWrittenRaisesNamingTheFileAndKeepsIt) {
    const std::string antes = "[PRINCIPAL]\r\nIndEstado=4\r\n; comentário\r\n";
    Escreve(antes);
    ASSERT_EQ(::chmod(pasta.Caminho().c_str(), 0555), 0);
    const std::string esperada =
        Ansi("Não foi possível gravar o arquivo \"") + caminho + "\": " + std::strerror(EACCES);

    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(3);
            TArquivoIni filho(caminho);
            int status = 10;
            try {
                GravaSelecao(filho, kNova);
            } catch (const EInOutError& e) {
                status = e.Message() == esperada ? 0 : 11;
                if (status) std::fprintf(stderr, "message: %s\n", e.what());
            }
            if (status == 0 && ConteudoDoArquivo(caminho) != antes) status = 12;
            std::_Exit(status);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(ConteudoDoArquivo(caminho), antes);
    EXPECT_EQ(std::distance(fs::directory_iterator(pasta.Caminho()), fs::directory_iterator()), 1)
        << "a temporary file was left behind";
    ::chmod(pasta.Caminho().c_str(), 0700);
}

}  // namespace
