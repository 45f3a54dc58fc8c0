// Bad data files: every one refused with a message that names the file and
// says what is wrong, nothing read past the end, and nothing half loaded.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "suporte/ArquivosDeTeste.h"
#include "database/BDPrecipitacao.h"
#include "database/Estados.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {

const TEstacao kSalvador = Estacao("Salvador", 1200.5, 0.18, 20.0, 0.9, "12\xB0" "58'16\"", "38\xB0" "30'39\"");
const TEstacao kFeira = Estacao("Feira de Santana", 900.25, 0.2, 15.5, 0.85, "12\xB0" "15'00\"", "38\xB0" "58'00\"");
const TLocalidade kAcajutiba = Localidade("Acajutiba", "11\xB0" "39'43\"", "38\xB0" "01'01\"");
const TLocalidade kOuroPreto = Localidade("Ouro Preto", "20\xB0" "23'08\"", "43\xB0" "30'13\"");

std::string Incompleto(const std::string& caminho, int estado) {
    return "O arquivo " + caminho + Ansi(" está incompleto: os dados terminam no bloco do estado ") +
           std::to_string(estado) + " (" + NomesEstados[static_cast<std::size_t>(estado)] + ").";
}

std::string Vazio(const std::string& caminho) {
    return "O arquivo " + caminho + Ansi(" está vazio: falta o byte inicial.");
}

std::string Inexistente(const std::string& caminho) { return "O arquivo " + caminho + Ansi(" não existe."); }

// Runs the load and gives the message of the error it must raise.
template <typename Erro, typename Carga>
std::string MensagemDe(Carga carga) {
    try {
        carga();
    } catch (const Erro& e) {
        return e.Message();
    } catch (const Exception& e) {
        return std::string("wrong class ") + e.ClassName() + ": " + e.Message();
    }
    return "no error";
}

// Each case runs with both loaders of the station file: every state, and
// only the interpolation pool's (which passes over the other blocks).
using TCarga = void (TBDPrecipitacao::*)();

class ArquivoEstacoesRuim : public testing::TestWithParam<TCarga> {
protected:
    void SetUp() override {
        // A good load first: a refused file must leave it in place.
        GravaArquivo(bd.CaminhoEstacoes(), MontaArquivo<TEstacao>({{}, {}, {}, {}, {kFeira, kSalvador}}));
        bd.CarregaEstacoes();
    }
    void Carrega(const std::string& dados) { GravaArquivo(bd.CaminhoEstacoes(), dados); }
    void EsperaEstacoesAnteriores() {
        ASSERT_EQ(bd.Estacoes[4].size(), 2u);
        EXPECT_EQ(bd.Estacoes[4][1].Nome.Text(), "Salvador");
        for (int s = 0; s < NumEstados; ++s)
            if (s != 4) EXPECT_TRUE(bd.Estacoes[static_cast<std::size_t>(s)].empty()) << s;
    }

    TPastaTemporaria pasta;
    TBDPrecipitacao bd{pasta.Caminho()};
};

TEST_P(ArquivoEstacoesRuim, TruncatedInsideACount) {
    // Leading byte, states 0 to 4 complete, one byte of state 5's count.
    const std::string inteiro = MontaArquivo<TEstacao>({{}, {}, {}, {}, {kSalvador}});
    const std::size_t corte = 1 + 4 * 2 + 2 + sizeof(TEstacao) + 1;
    Carrega(inteiro.substr(0, corte));
    EXPECT_EQ(MensagemDe<EDadosInvalidos>([&] { (bd.*GetParam())(); }), Incompleto(bd.CaminhoEstacoes(), 5));
    EsperaEstacoesAnteriores();
}

TEST_P(ArquivoEstacoesRuim, TruncatedInsideARecord) {
    for (std::size_t falta : {1u, 75u, 151u}) {
        const std::string inteiro = MontaArquivo<TEstacao>({{}, {}, {}, {}, {kFeira, kSalvador}});
        // Everything up to the end of state 4's records, less some bytes of its last record.
        Carrega(inteiro.substr(0, 1 + 5 * 2 + 2 * sizeof(TEstacao) - falta));
        EXPECT_EQ(MensagemDe<EDadosInvalidos>([&] { (bd.*GetParam())(); }), Incompleto(bd.CaminhoEstacoes(), 4))
            << falta;
        EsperaEstacoesAnteriores();
    }
}

TEST_P(ArquivoEstacoesRuim, CountsClaimingFarMoreThanTheFileHolds) {
    // 65535 records announced in state 0, one present; then the same in state 26.
    std::string dados(1, '\0');
    dados += "\xFF\xFF";
    dados.append(reinterpret_cast<const char*>(&kSalvador), sizeof kSalvador);
    Carrega(dados);
    EXPECT_EQ(MensagemDe<EDadosInvalidos>([&] { (bd.*GetParam())(); }), Incompleto(bd.CaminhoEstacoes(), 0));
    EsperaEstacoesAnteriores();

    std::string ultimo = MontaArquivo<TEstacao>({});
    ultimo[ultimo.size() - 2] = '\x10';   // state 26: 4096 + 16 records, none present
    ultimo[ultimo.size() - 1] = '\x10';
    Carrega(ultimo);
    EXPECT_EQ(MensagemDe<EDadosInvalidos>([&] { (bd.*GetParam())(); }), Incompleto(bd.CaminhoEstacoes(), 26));
    EsperaEstacoesAnteriores();
}

TEST_P(ArquivoEstacoesRuim, ZeroLengthFile) {
    Carrega("");
    EXPECT_EQ(MensagemDe<EDadosInvalidos>([&] { (bd.*GetParam())(); }), Vazio(bd.CaminhoEstacoes()));
    EsperaEstacoesAnteriores();
    // Only the leading byte: the first count is missing.
    Carrega(std::string(1, '\0'));
    EXPECT_EQ(MensagemDe<EDadosInvalidos>([&] { (bd.*GetParam())(); }), Incompleto(bd.CaminhoEstacoes(), 0));
    EsperaEstacoesAnteriores();
}

TEST_P(ArquivoEstacoesRuim, DataFileThatIsAFolder) {
    std::filesystem::remove(bd.CaminhoEstacoes());
    std::filesystem::create_directory(bd.CaminhoEstacoes());
    EXPECT_EQ(MensagemDe<EArquivoNaoExiste>([&] { (bd.*GetParam())(); }), Inexistente(bd.CaminhoEstacoes()));
    EsperaEstacoesAnteriores();
}

INSTANTIATE_TEST_SUITE_P(Cargas, ArquivoEstacoesRuim,
                         testing::Values(&TBDPrecipitacao::CarregaEstacoes,
                                         &TBDPrecipitacao::CarregaEstacoesDaInterpolacao),
                         [](const testing::TestParamInfo<TCarga>& info) {
                             return info.index == 0 ? "TodosOsEstados" : "SoInterpolacao";
                         });

// A corrupt station record in the pool: the window's Interpola keeps the
// conversion error of a text that does not read, with the file and the
// station in its text, and takes the other faults as stored; the command-line
// tool's strict reading refuses all three, naming the file, the state block,
// the position there and the name. A point answered by an earlier station
// never reaches the record.
TEST(RegistroCorrompido, NamesTheFileTheStateAndTheStation) {
    TPastaTemporaria pasta;
    TBDPrecipitacao bd(pasta.Caminho());
    const AnsiString origem = "O arquivo " + bd.CaminhoEstacoes() + " tem um registro corrompido: " +
                              Ansi("estação \"Corrompida\", registro 2 do bloco do estado 4 (Bahia): ");
    struct Caso {
        const char* Nome;
        void (*Corrompe)(TEstacao&);
        AnsiString Janela;   // the window's conversion error, or empty: no error there
        AnsiString Detalhe;  // the strict reading's
    };
    const Caso casos[] = {
        {"texto ilegivel", [](TEstacao& e) { e.Latitude.Assign("ab\xB0" "00'00\""); },
         Ansi("'ab' is not a valid floating point value: estação \"Corrompida\", registro 2 do bloco do estado 4 "
              "(Bahia) do arquivo ") + bd.CaminhoEstacoes(),
         Ansi("latitude \"ab°00'00\"\" ilegível ('ab' is not a valid floating point value).")},
        {"comprimento 255", [](TEstacao& e) { e.Longitude.Len = 255; }, "",
         Ansi("longitude com comprimento 255 (no máximo 9).")},
        {"K NaN", [](TEstacao& e) { e.K = std::nan(""); }, "", Ansi("parâmetro K não é um número (NAN).")},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.Nome);
        TEstacao corrompida = Estacao("Corrompida  ", 1, 0.1, 10, 0.8, "13\xB0" "00'00\"", "39\xB0" "00'00\"");
        c.Corrompe(corrompida);
        GravaArquivo(bd.CaminhoEstacoes(), MontaArquivo<TEstacao>({{}, {}, {}, {}, {kFeira, corrompida}}));
        bd.CarregaEstacoes();
        std::vector<long double> pesos;
        const auto estrita = [&](const AnsiString& lat, const AnsiString& lon) {
            return bd.Pool().Interpola(lat, lon, pesos, TPoolInterpolacao::TExigencia::RegistroIntegro);
        };
        const AnsiString lat = "14\xB0" "00'00\"", lon = "40\xB0" "00'00\"";
        EXPECT_EQ(MensagemDe<EDadosInvalidos>([&] { estrita(lat, lon); }), origem + c.Detalhe);
        if (c.Janela.empty()) EXPECT_NO_THROW(bd.Interpola(lat, lon));
        else EXPECT_EQ(MensagemDe<EConvertError>([&] { bd.Interpola(lat, lon); }), c.Janela);
        // Feira de Santana comes first in scan order: its own texts are answered.
        EXPECT_EQ(estrita(kFeira.Latitude.Text(), kFeira.Longitude.Text()).Nome.Text(), "Feira de Santana");
        EXPECT_EQ(bd.Interpola(kFeira.Latitude.Text(), kFeira.Longitude.Text()).Nome.Text(), "Feira de Santana");
    }
}

TEST(PastaDeDadosRuim, DataFolderThatIsAFileFindsNoDataFiles) {
    TPastaTemporaria pasta;
    const std::string arquivo = pasta.Caminho() + "Arquivos Comuns";
    GravaArquivo(arquivo, MontaArquivo<TEstacao>({}));
    TBDPrecipitacao bd(arquivo + "/");
    EXPECT_EQ(MensagemDe<EArquivoNaoExiste>([&] { bd.CarregaEstacoes(); }), Inexistente(bd.CaminhoEstacoes()));
    EXPECT_EQ(MensagemDe<EArquivoNaoExiste>([&] { bd.CarregaLocalidades(12); }),
              Inexistente(bd.CaminhoLocalidades()));
}

class ArquivoLocalidadesRuim : public testing::Test {
protected:
    void Carrega(const std::string& dados) {
        GravaArquivo(bd.CaminhoLocalidades(), dados);
        bd.Localidades = {kAcajutiba};   // the previous state's
    }
    std::string Inteiro() const {
        std::vector<std::vector<TLocalidade>> blocos(27);
        blocos[4] = {kAcajutiba};
        blocos[12] = {kOuroPreto, kOuroPreto};
        blocos[26] = {kAcajutiba};
        return MontaArquivo<TLocalidade>(blocos);
    }
    std::size_t InicioDoBloco(int estado) const {
        // Blocks 4, 12 and 26 hold records; the others are two zero bytes.
        std::size_t pos = 1;
        for (int s = 0; s < estado; ++s) pos += 2 + (s == 4 ? 1 : s == 12 ? 2 : s == 26 ? 1 : 0) * sizeof(TLocalidade);
        return pos;
    }

    TPastaTemporaria pasta;
    TBDPrecipitacao bd{pasta.Caminho()};
};

TEST_F(ArquivoLocalidadesRuim, TruncatedInACountOfAnEarlierBlock) {
    Carrega(Inteiro().substr(0, InicioDoBloco(7) + 1));
    EXPECT_EQ(MensagemDe<EDadosInvalidos>([&] { bd.CarregaLocalidades(12); }),
              Incompleto(bd.CaminhoLocalidades(), 7));
    EXPECT_TRUE(bd.Localidades.empty());
}

TEST_F(ArquivoLocalidadesRuim, TruncatedInARecordOfTheRequestedOrAnEarlierBlock) {
    Carrega(Inteiro().substr(0, InicioDoBloco(13) - 10));
    EXPECT_EQ(MensagemDe<EDadosInvalidos>([&] { bd.CarregaLocalidades(12); }),
              Incompleto(bd.CaminhoLocalidades(), 12));
    EXPECT_TRUE(bd.Localidades.empty());

    Carrega(Inteiro().substr(0, InicioDoBloco(5) - 1));   // state 4's record cut short
    EXPECT_EQ(MensagemDe<EDadosInvalidos>([&] { bd.CarregaLocalidades(18); }),
              Incompleto(bd.CaminhoLocalidades(), 4));
    EXPECT_TRUE(bd.Localidades.empty());
}

TEST_F(ArquivoLocalidadesRuim, TruncatedAfterTheRequestedBlockStillLoadsIt) {
    // The blocks after the requested one are not read.
    Carrega(Inteiro().substr(0, InicioDoBloco(13) + 1));
    ASSERT_NO_THROW(bd.CarregaLocalidades(12));
    ASSERT_EQ(bd.Localidades.size(), 2u);
    EXPECT_EQ(bd.Localidades[1].Nome.Text(), "Ouro Preto");
    EXPECT_EQ(MensagemDe<EDadosInvalidos>([&] { bd.CarregaLocalidades(13); }),
              Incompleto(bd.CaminhoLocalidades(), 13));
}

TEST_F(ArquivoLocalidadesRuim, CountsClaimingFarMoreThanTheFileHolds) {
    std::string dados = Inteiro();
    const std::size_t bloco12 = InicioDoBloco(12);
    dados[bloco12] = '\xFF';
    dados[bloco12 + 1] = '\xFF';   // 65535 localities announced, 2 present
    Carrega(dados);
    EXPECT_EQ(MensagemDe<EDadosInvalidos>([&] { bd.CarregaLocalidades(12); }),
              Incompleto(bd.CaminhoLocalidades(), 12));
    EXPECT_TRUE(bd.Localidades.empty());
    // The same count met while skipping to a later state.
    EXPECT_EQ(MensagemDe<EDadosInvalidos>([&] { bd.CarregaLocalidades(26); }),
              Incompleto(bd.CaminhoLocalidades(), 12));
}

TEST_F(ArquivoLocalidadesRuim, ZeroLengthFileAndFolderInsteadOfAFile) {
    Carrega("");
    EXPECT_EQ(MensagemDe<EDadosInvalidos>([&] { bd.CarregaLocalidades(4); }), Vazio(bd.CaminhoLocalidades()));
    EXPECT_TRUE(bd.Localidades.empty());

    std::filesystem::remove(bd.CaminhoLocalidades());
    std::filesystem::create_directory(bd.CaminhoLocalidades());
    bd.Localidades = {kAcajutiba};
    EXPECT_EQ(MensagemDe<EArquivoNaoExiste>([&] { bd.CarregaLocalidades(4); }),
              Inexistente(bd.CaminhoLocalidades()));
    EXPECT_TRUE(bd.Localidades.empty());
}

}  // namespace
