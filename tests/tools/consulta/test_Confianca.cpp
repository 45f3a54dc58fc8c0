// --confianca: the nearest station, the counts, the spread and the warning
// of the core's rules in both outputs; without the option the outputs are
// as before.
#include <gtest/gtest.h>

#include <sstream>

#include "ConsultaLote.h"
#include "ConsultaPonto.h"
#include "ErrosConsulta.h"
#include "LeitorCsv.h"
#include "PastaDadosTeste.h"
#include "database/BDPrecipitacao.h"
#include "database/Confianca.h"
#include "platform/Cp1252.h"
#include "platform/Numeros.h"

namespace {

// Bahia, Minas Gerais and Tocantins around a triangle; Santa Catarina is
// outside the pool.
const std::vector<TEstacaoTeste> kEstacoes = {
    {4, "Salvador", "A (2000)", "12°58'00\"", "38°30'00\"", 1000, 0, 10, 0},
    {12, "Montes Claros", "A (2000)", "16°44'00\"", "43°52'00\"", 1200, 0, 10, 0},
    {26, "Palmas", "A (2000)", "10°11'00\"", "48°20'00\"", 1400, 0, 10, 0},
    {23, "Florianópolis", "A (2000)", "27°35'00\"", "48°32'00\"", 9999, 0, 10, 0},
};

std::string Ponto(const TBDPrecipitacao& bd, std::vector<std::string> argumentos) {
    const TOpcoesConsulta o = TOpcoesConsulta::Le(argumentos);
    std::ostringstream saida;
    TConsultaPonto(bd.Pool(), o).Executa(saida);
    return saida.str();
}

std::vector<std::vector<std::string>> Lote(const TBDPrecipitacao& bd, const std::string& csv,
                                           std::vector<std::string> argumentos) {
    argumentos.insert(argumentos.begin(), {"--entrada", "-"});
    const TOpcoesConsulta o = TOpcoesConsulta::Le(argumentos);
    std::istringstream entrada(csv);
    std::ostringstream saida, erros;
    TConsultaLote(bd.Pool(), o).Executa(entrada, saida, erros);
    std::istringstream texto(saida.str());
    TLeitorCsv leitor(texto, ';');
    std::vector<std::vector<std::string>> linhas;
    for (TLinhaCsvPontos l; leitor.Proxima(l);) linhas.push_back(l.Campos);
    return linhas;
}

}  // namespace

class Confianca : public ::testing::Test {
protected:
    TPastaDadosTeste pasta{kEstacoes};
    TBDPrecipitacao bd{pasta.Pasta()};
    void SetUp() override { bd.CarregaEstacoes(); }
};

TEST_F(Confianca, OptionTakesNoValue) {
    EXPECT_TRUE(TOpcoesConsulta::Le({"1", "2", "--confianca"}).Confianca);
    EXPECT_FALSE(TOpcoesConsulta::Le({"1", "2"}).Confianca);
    EXPECT_THROW(TOpcoesConsulta::Le({"1", "2", "--confianca=1"}), EUso);
}

// Inside the triangle, 1° west of Salvador (about 108 km): the warning of
// distance only; the default output is the first part of the longer one.
TEST_F(Confianca, OnePoint) {
    const std::string simples = Ponto(bd, {"13", "39.5"});
    const std::string completo = Ponto(bd, {"13", "39.5", "--confianca"});
    ASSERT_TRUE(completo.starts_with(simples));
    EXPECT_EQ(simples.find("Aviso"), std::string::npos);
    const TConfianca c = TAvaliadorConfianca(bd.Pool()).Avalia(Ansi("13°00'00\""), Ansi("39°30'00\""));
    ASSERT_TRUE(c.Longe);
    ASSERT_FALSE(c.ForaDaEnvoltoria);
    const std::string esperado = "\nEstação mais próxima: Salvador (BA)\nDistância (km): " +
                                 FloatToStr(c.MaisProxima()->DistanciaKm, ',') +
                                 "\nEstações até 25 km: 0\nEstações até 50 km: 0\n"
                                 "i(10, 60) mínimo das 5 mais próximas (mm/h): 1000\n"
                                 "i(10, 60) máximo das 5 mais próximas (mm/h): 1400\n"
                                 "Aviso: " + Utf8(c.Aviso()) + "\n";
    EXPECT_EQ(completo.substr(simples.size()), esperado);
    EXPECT_NEAR(c.MaisProxima()->DistanciaKm, 108, 1);
}

// Batch: seven columns before "erro" with the option, aviso alone without; a
// station's own row has no warning, a row that does not read keeps the
// column count.
TEST_F(Confianca, Batch) {
    const std::string csv = "id;lat;lon\nfora;5;40\nestacao;12°58'00\";38°30'00\"\nruim;xx;1\n";
    const auto simples = Lote(bd, csv, {});
    EXPECT_EQ(simples[0].size(), 15u);   // aviso is always there
    const auto linhas = Lote(bd, csv, {"--confianca"});
    ASSERT_EQ(linhas.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(linhas[0].begin() + 13, linhas[0].end()),
              (std::vector<std::string>{"estacao_proxima", "distancia_km", "estacoes_25km", "estacoes_50km",
                                        "i10_60_min", "i10_60_max", "aviso", "erro"}));
    for (const auto& l : linhas) EXPECT_EQ(l.size(), 21u);
    EXPECT_EQ(linhas[1][13], "Salvador (BA)");
    EXPECT_NE(linhas[1][19].find("fora da área"), std::string::npos);
    EXPECT_EQ(linhas[2][13], "Salvador (BA)");
    EXPECT_EQ(linhas[2][14], "0");
    EXPECT_EQ(linhas[2][15], "1");
    EXPECT_EQ(linhas[2][19], "");
    EXPECT_NE(linhas[3][20], "");
}
