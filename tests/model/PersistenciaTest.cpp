// Load, save and layout migration of the IDF model's settings sections, on
// real files in a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "model/PrecipitacaoExponencialNegativa.h"
#include "platform/ArquivoIni.h"
#include "suporte/ArquivosDeTeste.h"

namespace fs = std::filesystem;

namespace {

class PersistenciaTest : public ::testing::Test {
protected:
    void Escreve(const std::string& texto) { GravaArquivo(arquivo_, texto); }
    std::string Le() const { return ConteudoDoArquivo(arquivo_); }
    static void EsperaZerado(const TPrecipitacaoExponencialNegativa& m) {
        EXPECT_EQ(m.Tr, 0);
        EXPECT_EQ(m.K, 0);
        EXPECT_EQ(m.A, 0);
        EXPECT_EQ(m.B, 0);
        EXPECT_EQ(m.C, 0);
        EXPECT_EQ(m.Coeficiente, -1);
        EXPECT_EQ(m.Duracao, 0);
        EXPECT_EQ(m.PrecipitacaoTotal, 0);
    }

    TPastaTemporaria temporaria_{"tormel-persist-"};
    const fs::path pasta_{temporaria_.Caminho()};
    const std::string arquivo_ = temporaria_.Caminho("modelo.ini");
};

TEST_F(PersistenciaTest, LoadFromAMissingFileGivesZerosAndCreatesTheCurrentLayout) {
    TPrecipitacaoExponencialNegativa m;
    m.SetK(5);  // cleared by the load
    EXPECT_TRUE(m.CarregaArquivo(arquivo_));
    EsperaZerado(m);
    EXPECT_EQ(Le(),
              "[PRECIPITACAO]\r\nVersao=2\r\nDuracao=0\r\nPrecipitacaoTotal=0\r\n"
              "[PREC_EXPONENCIAL_NEGATIVA]\r\nVersao=2\r\nTr=0\r\nK=0\r\nA=0\r\nB=0\r\nC=0\r\n");
}

TEST_F(PersistenciaTest, LegacyFileIsMovedAndEveryOtherLineKeptByteForByte) {
    Escreve(
        "; configuracao antiga\r\n"
        "[PRINCIPAL]\r\nIndEstado=12\r\n\r\n"
        "[TORMEL]\r\n; valores do modelo\r\nDuracao=30\r\nTr=10\r\nK=1000\r\nOutro=x\r\n"
        "A=0,2\r\nB=10\r\nC=0.8\r\nPrecipitacaoTotal=45,5\r\n\r\n"
        "[FIM]\r\nz=1\r\n");
    TPrecipitacaoExponencialNegativa m;
    EXPECT_TRUE(m.CarregaArquivo(arquivo_));
    EXPECT_EQ(m.Duracao, 30);
    EXPECT_EQ(m.PrecipitacaoTotal, 45.5);
    EXPECT_EQ(m.Tr, 10);
    EXPECT_EQ(m.K, 1000);
    EXPECT_EQ(m.A, 0.2);
    EXPECT_EQ(m.B, 10);
    EXPECT_EQ(m.C, 0.8);
    EXPECT_NEAR(m.Coeficiente, 1584.893, 0.0005);
    const std::string migrado =
        "; configuracao antiga\r\n"
        "[PRINCIPAL]\r\nIndEstado=12\r\n\r\n"
        "[TORMEL]\r\n; valores do modelo\r\nOutro=x\r\n\r\n"
        "[FIM]\r\nz=1\r\n"
        "[PRECIPITACAO]\r\nVersao=2\r\nDuracao=30\r\nPrecipitacaoTotal=45.5\r\n"
        "[PREC_EXPONENCIAL_NEGATIVA]\r\nVersao=2\r\nTr=10\r\nK=1000\r\nA=0.2\r\nB=10\r\nC=0.8\r\n";
    EXPECT_EQ(Le(), migrado);

    // A second load reads the new sections and changes nothing.
    TPrecipitacaoExponencialNegativa outro;
    EXPECT_TRUE(outro.CarregaArquivo(arquivo_));
    EXPECT_EQ(outro.K, 1000);
    EXPECT_EQ(outro.C, 0.8);
    EXPECT_EQ(outro.PrecipitacaoTotal, 45.5);
    EXPECT_EQ(Le(), migrado);
}

TEST_F(PersistenciaTest, VersionOneIsLegacyAndTheMoveKeepsTheFilesLineEnds) {
    Escreve("[PREC_EXPONENCIAL_NEGATIVA]\nVersao=1\n[TORMEL]\nK=7\nC=-0.5\n");
    TPrecipitacaoExponencialNegativa m;
    EXPECT_TRUE(m.CarregaArquivo(arquivo_));
    EXPECT_EQ(m.K, 7);
    EXPECT_EQ(m.C, -0.5);  // no setter validation on load
    EXPECT_EQ(Le(),
              "[PREC_EXPONENCIAL_NEGATIVA]\nVersao=2\nTr=0\nK=7\nA=0\nB=0\nC=-0.5\n[TORMEL]\n"
              "[PRECIPITACAO]\nVersao=2\nDuracao=0\nPrecipitacaoTotal=0\n");
}

TEST_F(PersistenciaTest, FileWithLoneCrLineEndsLoadsItsValuesAndGainsNoSection) {
    const std::string antes =
        "[PRECIPITACAO]\rVersao=2\rDuracao=30\rPrecipitacaoTotal=12.5\r"
        "[PREC_EXPONENCIAL_NEGATIVA]\rVersao=2\rTr=10\rK=1000\rA=0.2\rB=10\rC=0.8\r";
    Escreve(antes);
    TPrecipitacaoExponencialNegativa m;
    EXPECT_TRUE(m.CarregaArquivo(arquivo_));
    EXPECT_EQ(m.Duracao, 30);
    EXPECT_EQ(m.PrecipitacaoTotal, 12.5);
    EXPECT_EQ(m.Tr, 10);
    EXPECT_EQ(m.K, 1000);
    EXPECT_EQ(m.C, 0.8);
    EXPECT_EQ(Le(), antes);
}

TEST_F(PersistenciaTest, UnknownVersionFailsAndReadsNothing) {
    Escreve(
        "[PRECIPITACAO]\r\nVersao=2\r\nDuracao=12\r\n"
        "[PREC_EXPONENCIAL_NEGATIVA]\r\nVersao=3\r\nTr=10\r\nK=1000\r\nA=0.2\r\n");
    const std::string antes = Le();
    TPrecipitacaoExponencialNegativa m;
    EXPECT_FALSE(m.CarregaArquivo(arquivo_));
    EXPECT_EQ(m.K, 0);
    EXPECT_EQ(m.Tr, 0);
    EXPECT_EQ(m.Coeficiente, -1);
    EXPECT_EQ(m.Duracao, 12);  // the record's own section is current
    EXPECT_EQ(Le(), antes);

    // The versions compare exactly: "v2" is not "2".
    Escreve("[PRECIPITACAO]\r\nVersao=v2\r\nDuracao=12\r\n");
    EXPECT_FALSE(m.TPrecipitacao::CarregaArquivo(arquivo_));
    EXPECT_EQ(m.Duracao, 0);
}

TEST_F(PersistenciaTest, SaveThenLoadReturnsTheValuesWithEitherSeparator) {
    for (char separador : {'.', ','}) {
        TPrecipitacaoExponencialNegativa m("Posto1");
        m.SeparadorDecimal = separador;
        m.SetK(1234.5678);
        m.SetA(1.0 / 3.0);
        m.SetB(12.25);
        m.SetC(0.8);
        m.Duracao = 90;
        m.PrecipitacaoTotal = 2.0 / 3.0;
        ASSERT_TRUE(m.SalvaArquivo(arquivo_));
        const std::string texto = Le();
        EXPECT_NE(texto.find(std::string("[PREC_EXPONENCIAL_NEGATIVAPosto1]\r\nVersao=2\r\nTr=0\r\nK=1234") +
                             separador + "5678\r\n"),
                  std::string::npos)
            << texto;
        EXPECT_NE(texto.find("[PRECIPITACAOPosto1]\r\nVersao=2\r\nDuracao=90\r\n"), std::string::npos) << texto;

        TPrecipitacaoExponencialNegativa lido("Posto1");
        ASSERT_TRUE(lido.CarregaArquivo(arquivo_));
        EXPECT_EQ(lido.K, 1234.5678);
        EXPECT_NEAR(lido.A, 1.0 / 3.0, 1e-15);
        EXPECT_EQ(lido.B, 12.25);
        EXPECT_EQ(lido.C, 0.8);
        EXPECT_EQ(lido.Duracao, 90);
        EXPECT_NEAR(lido.PrecipitacaoTotal, 2.0 / 3.0, 1e-15);
        EXPECT_EQ(lido.Coeficiente, -1);  // Tr was 0

        // Another name is another record.
        TPrecipitacaoExponencialNegativa semNome;
        ASSERT_TRUE(semNome.CarregaArquivo(arquivo_));
        EsperaZerado(semNome);
        fs::remove(arquivo_);
    }
}

TEST_F(PersistenciaTest, FailedSaveReportsFalseAndChangesNothing) {
    TPrecipitacaoExponencialNegativa m;
    m.SetK(3);
    EXPECT_FALSE(m.SalvaArquivo((pasta_ / "falta" / "x.ini").string()));
    EXPECT_FALSE(fs::exists(pasta_ / "falta"));
    fs::create_directory(pasta_ / "pasta.ini");
    EXPECT_FALSE(m.SalvaArquivo((pasta_ / "pasta.ini").string()));
    EXPECT_TRUE(fs::is_empty(pasta_ / "pasta.ini"));
}

TEST_F(PersistenciaTest, OverflowOnLoadReportsFalseAndStillMigrates) {
    Escreve("[TORMEL]\r\nTr=1e10\r\nK=1e300\r\nA=5\r\n");
    TPrecipitacaoExponencialNegativa m;
    EXPECT_FALSE(m.CarregaArquivo(arquivo_));
    EXPECT_EQ(m.K, 1e300);
    EXPECT_EQ(m.Coeficiente, -1);
    EXPECT_NE(Le().find("[PREC_EXPONENCIAL_NEGATIVA]\r\nVersao=2\r\nTr=10000000000\r\nK=1E300\r\nA=5\r\n"),
              std::string::npos)
        << Le();
}

TEST_F(PersistenciaTest, UnreadableFileLoadsAsMissingWithoutBeingReplaced) {
    // A folder in place of the file: read as absent, and the move cannot write.
    fs::create_directory(pasta_ / "pasta.ini");
    TPrecipitacaoExponencialNegativa p;
    EXPECT_TRUE(p.CarregaArquivo((pasta_ / "pasta.ini").string()));
    EsperaZerado(p);
    EXPECT_TRUE(fs::is_empty(pasta_ / "pasta.ini"));
}

}  // namespace
