#include "platform/ArquivoIni.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>

#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "suporte/ArquivosDeTeste.h"

namespace fs = std::filesystem;

namespace {

class ArquivoIniTest : public ::testing::Test {
protected:
    void Escreve(const std::string& texto) { GravaArquivo(caminho_, texto); }
    std::string Le() const { return ConteudoDoArquivo(caminho_); }
    std::size_t ArquivosNaPasta() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(pasta_), fs::directory_iterator{}));
    }

    TPastaTemporaria temporaria_{"tormel-ini-"};
    const fs::path pasta_{temporaria_.Caminho()};
    const std::string caminho_ = temporaria_.Caminho("teste.ini");
};

// Replacement that always fails, as a rename refused by the system would.
class IniQueNaoSubstitui : public TArquivoIni {
public:
    using TArquivoIni::TArquivoIni;

protected:
    std::error_code Substitui(const std::string&, const std::string&) override {
        return std::make_error_code(std::errc::permission_denied);
    }
};

TEST_F(ArquivoIniTest, NamesMatchWithoutRegardToCase) {
    Escreve("[Principal]\r\nindestado=12\r\n[" + Ansi("AÇÃO") + "]\r\n" + Ansi("Nível") + "=3\r\n");
    TArquivoIni ini(caminho_);
    EXPECT_EQ(ini.ReadInteger("PRINCIPAL", "IndEstado", 0), 12);
    EXPECT_EQ(ini.ReadInteger("principal", "INDESTADO", 0), 12);
    EXPECT_EQ(ini.ReadInteger(Ansi("ação"), Ansi("NÍVEL"), 0), 3);
    EXPECT_EQ(ini.ReadInteger("PRINCIPAL", "IndEstacao", -7), -7);
    EXPECT_EQ(ini.ReadInteger("OUTRA", "IndEstado", -7), -7);
}

TEST_F(ArquivoIniTest, BlanksAndMatchingQuotesAreDropped) {
    const std::string coordenada = Ansi("12°34'56\"");
    Escreve("[S]\r\n  a  =  x y  \r\nb=\"entre aspas\"\r\nc='simples'\r\nd=\"misto'\r\ne=" + coordenada +
            "\r\nf=\r\ng=\"\r\n; h=comentario\r\nsem igual\r\n");
    TArquivoIni ini(caminho_);
    EXPECT_EQ(ini.ReadString("S", "a", "?"), "x y");
    EXPECT_EQ(ini.ReadString("S", "b", "?"), "entre aspas");
    EXPECT_EQ(ini.ReadString("S", "c", "?"), "simples");
    EXPECT_EQ(ini.ReadString("S", "d", "?"), "\"misto'");
    EXPECT_EQ(ini.ReadString("S", "e", "?"), coordenada);  // begins with a digit: keeps its quote
    EXPECT_EQ(ini.ReadString("S", "f", "?"), "");          // present but empty is not the default
    EXPECT_EQ(ini.ReadString("S", "g", "?"), "\"");
    EXPECT_EQ(ini.ReadString("S", "; h", "?"), "?");
    EXPECT_EQ(ini.ReadString("S", "sem igual", "?"), "?");
    EXPECT_TRUE(ini.ValueExists("S", "f"));
    EXPECT_FALSE(ini.ValueExists("S", "z"));
}

TEST_F(ArquivoIniTest, FirstOfDuplicateKeysAndSectionsWins) {
    Escreve("[S]\nk=1\nk=2\n[T]\nk=9\n[s]\nk=3\nj=4\n");
    TArquivoIni ini(caminho_);
    EXPECT_EQ(ini.ReadInteger("S", "k", 0), 1);
    EXPECT_EQ(ini.ReadInteger("S", "j", 0), 0);  // only the first [S] is searched
    ini.WriteInteger("S", "K", 5);
    EXPECT_EQ(Le(), "[S]\nk=5\nk=2\n[T]\nk=9\n[s]\nk=3\nj=4\n");
    ini.DeleteKey("S", "k");
    EXPECT_EQ(Le(), "[S]\nk=2\n[T]\nk=9\n[s]\nk=3\nj=4\n");
    EXPECT_EQ(ini.ReadInteger("S", "k", 0), 2);
}

TEST_F(ArquivoIniTest, IntegersAreWholeDecimals) {
    const std::pair<const char*, int> casos[] = {
        {"42", 42}, {"-3", -3}, {" 7 ", 7}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"0x10", -1}, {"12abc", -1}, {"2147483648", -1}, {"", -1}, {"1.0", -1}};  // no hexadecimal
    TArquivoIni ini(caminho_);
    for (const auto& [texto, esperado] : casos) {
        Escreve(std::string("[N]\na=") + texto + "\n");
        EXPECT_EQ(ini.ReadInteger("N", "a", -1), esperado) << texto;
    }
}

TEST_F(ArquivoIniTest, RealsReadWithPointOrCommaAndWriteWithTheGivenSeparator) {
    Escreve("[R]\na=0.8\nb=0,8\nc=-1.5E3\nd=1.234,5\ne=abc\nf=1e999\ng=\n");
    TArquivoIni ini(caminho_);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("R", "a", -1), 0.8);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("R", "b", -1), 0.8);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("R", "c", -1), -1500);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("R", "d", -1), -1);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("R", "e", -1), -1);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("R", "f", -1), -1);  // not finite
    EXPECT_DOUBLE_EQ(ini.ReadFloat("R", "g", -1), -1);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("R", "z", -1), -1);

    ini.WriteFloat("R", "a", 0.1 + 0.2, ',');
    ini.WriteFloat("R", "h", 1.0 / 3.0, '.');
    EXPECT_EQ(ini.ReadString("R", "a", ""), "0,3");
    EXPECT_EQ(ini.ReadString("R", "h", ""), "0.333333333333333");
}

TEST_F(ArquivoIniTest, WriteReplacesInPlaceAndKeepsEveryOtherLineByteForByte) {
    const std::string antes = "; topo\r\n[A]\r\nx = 1 \r\n  ; nota\r\ny=2\r\n\r\n[B]\r\nz=3\r\n";
    Escreve(antes);
    TArquivoIni ini(caminho_);
    ini.WriteString("a", "X", "10");
    EXPECT_EQ(Le(), "; topo\r\n[A]\r\nx=10\r\n  ; nota\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
    ini.WriteString("A", "w", "novo");  // after the section's last key, before the blank line
    EXPECT_EQ(Le(), "; topo\r\n[A]\r\nx=10\r\n  ; nota\r\ny=2\r\nw=novo\r\n\r\n[B]\r\nz=3\r\n");
    ini.WriteString("C", "k", "v");  // new section at the end
    EXPECT_EQ(Le(), "; topo\r\n[A]\r\nx=10\r\n  ; nota\r\ny=2\r\nw=novo\r\n\r\n[B]\r\nz=3\r\n[C]\r\nk=v\r\n");
    ini.DeleteKey("A", "y");
    EXPECT_EQ(Le(), "; topo\r\n[A]\r\nx=10\r\n  ; nota\r\nw=novo\r\n\r\n[B]\r\nz=3\r\n[C]\r\nk=v\r\n");
}

TEST_F(ArquivoIniTest, LineEndsFollowTheFileAndANewFileGetsCrlf) {
    Escreve("[A]\nx=1\n[B]\n; so comentario\n");
    TArquivoIni ini(caminho_);
    ini.WriteInteger("B", "y", -2);  // a section without keys gets its key right after the header
    ini.WriteInteger("A", "z", 3);
    EXPECT_EQ(Le(), "[A]\nx=1\nz=3\n[B]\ny=-2\n; so comentario\n");

    Escreve("[A]\r\nx=1");  // last line without a line end
    ini.WriteInteger("A", "y", 2);
    ini.WriteInteger("B", "k", 1);
    EXPECT_EQ(Le(), "[A]\r\nx=1\r\ny=2\r\n[B]\r\nk=1\r\n");

    fs::remove(caminho_);
    ini.WriteString("PRINCIPAL", "Latitude", Ansi("12°00'00\""));
    EXPECT_EQ(Le(), "[PRINCIPAL]\r\nLatitude=" + Ansi("12°00'00\"") + "\r\n");
}

// A lone CR ends a line as LF and CRLF do, in any mix; a write touches only
// its own line and every line keeps its own end; new lines take the file's
// first line end.
struct CasoFimDeLinha {
    const char* nome;
    std::string antes, depois;
};

class FimDeLinhaMisto : public ArquivoIniTest, public ::testing::WithParamInterface<CasoFimDeLinha> {};

TEST_P(FimDeLinhaMisto, EveryEndSplitsLinesAndIsKept) {
    Escreve(GetParam().antes);
    TArquivoIni ini(caminho_);
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 2);
    EXPECT_EQ(ini.ReadString("B", "z", "-"), "3");
    EXPECT_FALSE(ini.ValueExists("A", "z"));
    ini.WriteInteger("A", "y", 20);
    ini.WriteInteger("A", "w", 4);
    ini.WriteInteger("C", "k", 5);
    EXPECT_EQ(Le(), GetParam().depois);
}

INSTANTIATE_TEST_SUITE_P(
    ArquivoIni, FimDeLinhaMisto,
    ::testing::Values(
        CasoFimDeLinha{"CR", "[A]\rx=1\ry=2\r[B]\rz=3\r", "[A]\rx=1\ry=20\rw=4\r[B]\rz=3\r[C]\rk=5\r"},
        CasoFimDeLinha{"LF", "[A]\nx=1\ny=2\n[B]\nz=3", "[A]\nx=1\ny=20\nw=4\n[B]\nz=3\n[C]\nk=5\n"},
        CasoFimDeLinha{"CRLF", "[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n",
                       "[A]\r\nx=1\r\ny=20\r\nw=4\r\n[B]\r\nz=3\r\n[C]\r\nk=5\r\n"},
        CasoFimDeLinha{"CR primeiro, misto", "[A]\rx=1\r\ny=2\n[B]\n\rz=3\r",
                       "[A]\rx=1\r\ny=20\nw=4\r[B]\n\rz=3\r[C]\rk=5\r"},
        CasoFimDeLinha{"CRLF primeiro, misto", "[A]\r\nx=1\ry=2\r[B]\nz=3\r",
                       "[A]\r\nx=1\ry=20\rw=4\r\n[B]\nz=3\r[C]\r\nk=5\r\n"},
        // A new line that would end in CR right before an empty LF line ends
        // in CRLF, so the empty line is not swallowed.
        CasoFimDeLinha{"CR antes de linha vazia LF", "[A]\rx=1\ry=2\n\n[B]\rz=3\r",
                       "[A]\rx=1\ry=20\nw=4\r\n\n[B]\rz=3\r[C]\rk=5\r"}),
    [](const ::testing::TestParamInfo<CasoFimDeLinha>& i) {
        std::string nome;
        for (char c : std::string(i.param.nome)) nome += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return nome;
    });

TEST_F(ArquivoIniTest, DeleteBetweenALoneCrAndAnLfKeepsTheLineTheLfEnds) {
    Escreve("[A]\rx=1\rk=2\n\n; fim\n");
    TArquivoIni ini(caminho_);
    ini.DeleteKey("A", "k");
    EXPECT_EQ(Le(), "[A]\rx=1\r\n\n; fim\n");
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
}

TEST_F(ArquivoIniTest, MissingFileReadsAsDefaultsAndADeleteDoesNotCreateIt) {
    TArquivoIni ini(caminho_);
    EXPECT_EQ(ini.ReadInteger("PRINCIPAL", "IndEstado", 0), 0);
    EXPECT_EQ(ini.ReadString("PRINCIPAL", "Latitude", "def"), "def");
    ini.DeleteKey("A", "x");
    EXPECT_FALSE(fs::exists(caminho_));
    Escreve("[A]\r\nx=1\r\n");
    const auto quando = fs::last_write_time(caminho_);
    ini.DeleteKey("A", "y");
    ini.DeleteKey("B", "x");
    EXPECT_EQ(fs::last_write_time(caminho_), quando);  // nothing to delete: not rewritten
    EXPECT_EQ(Le(), "[A]\r\nx=1\r\n");
}

TEST_F(ArquivoIniTest, FailedReplaceKeepsTheOldFileAndNamesIt) {
    const std::string antes = "[A]\r\nx=1\r\n";
    Escreve(antes);
    IniQueNaoSubstitui ini(caminho_);
    try {
        ini.WriteString("A", "x", "2");
        FAIL() << "no error raised";
    } catch (const EInOutError& e) {
        EXPECT_NE(e.Message().find(caminho_), std::string::npos) << e.Message();
    }
    EXPECT_EQ(Le(), antes);
    EXPECT_EQ(ArquivosNaPasta(), 1u);  // the temporary file is gone
}

TEST_F(ArquivoIniTest, WritesThatCannotBeDoneRaiseAndLeaveEverythingAsItWas) {
    const std::string semPasta = (pasta_ / "falta" / "x.ini").string();
    TArquivoIni ini(semPasta);
    EXPECT_THROW(ini.WriteString("A", "x", "1"), EInOutError);
    EXPECT_FALSE(fs::exists(pasta_ / "falta"));

    // A folder under the name: nothing to read, so nothing may be replaced.
    fs::create_directory(pasta_ / "pasta.ini");
    std::ofstream(pasta_ / "pasta.ini" / "dentro") << "x";
    TArquivoIni pasta((pasta_ / "pasta.ini").string());
    try {
        pasta.WriteString("A", "x", "1");
        FAIL() << "no error raised";
    } catch (const EInOutError& e) {
        EXPECT_NE(e.Message().find("pasta.ini"), std::string::npos) << e.Message();
    }
    EXPECT_TRUE(fs::is_directory(pasta_ / "pasta.ini"));
    EXPECT_TRUE(fs::exists(pasta_ / "pasta.ini" / "dentro"));
    EXPECT_EQ(ArquivosNaPasta(), 1u);
}

TEST_F(ArquivoIniTest, TextsThatWouldBreakTheFileAreRefused) {
    const std::string antes = "[A]\r\nx=1\r\n";
    Escreve(antes);
    TArquivoIni ini(caminho_);
    EXPECT_THROW(ini.WriteString("A", "x", "1\r\n[B]\r\ny=2"), EInOutError);
    EXPECT_THROW(ini.WriteString("A", "x=y", "1"), EInOutError);
    EXPECT_THROW(ini.WriteString("A]", "x", "1"), EInOutError);
    EXPECT_THROW(ini.WriteString("A", ";x", "1"), EInOutError);
    EXPECT_THROW(ini.WriteString("A", "", "1"), EInOutError);
    EXPECT_EQ(Le(), antes);
}

TEST_F(ArquivoIniTest, BatchStoresAllChangesOrNone) {
    const std::string antes = "[A]\r\nx=1\r\n";
    Escreve(antes);
    TArquivoIni ini(caminho_);
    EXPECT_THROW(ini.EmLote([&] {
        ini.WriteString("A", "x", "2");
        EXPECT_EQ(ini.ReadString("A", "x", ""), "2");  // pending change seen
        EXPECT_EQ(Le(), antes);                         // but not yet in the file
        throw EInOutError("falhou");
    }),
                 EInOutError);
    EXPECT_EQ(Le(), antes);
    EXPECT_EQ(ini.ReadString("A", "x", ""), "1");

    ini.EmLote([&] {
        ini.WriteString("B", "v", "2");
        ini.DeleteKey("A", "x");
        ini.WriteString("A", "y", "3");
    });
    EXPECT_EQ(Le(), "[A]\r\ny=3\r\n[B]\r\nv=2\r\n");

    IniQueNaoSubstitui falha(caminho_);
    EXPECT_THROW(falha.EmLote([&] { falha.WriteString("A", "y", "4"); }), EInOutError);
    EXPECT_EQ(Le(), "[A]\r\ny=3\r\n[B]\r\nv=2\r\n");
    EXPECT_EQ(falha.ReadString("A", "y", ""), "3");
}

TEST_F(ArquivoIniTest, WriteThroughASymbolicLinkKeepsTheLink) {
    const fs::path real = pasta_ / "real.ini";
    std::ofstream(real, std::ios::binary) << "[A]\r\nx=1\r\n";
    const fs::path link = pasta_ / "link.ini";
    fs::create_symlink(real, link);
    TArquivoIni ini(link.string());
    ini.WriteInteger("A", "x", 2);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(TArquivoIni(real.string()).ReadInteger("A", "x", 0), 2);
}

}  // namespace
