#include "model/PrecipitacaoExponencialNegativa.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <tuple>
#include <vector>

#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "suporte/ArquivosDeTeste.h"

namespace fs = std::filesystem;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Ponto {
    double x, y;
    std::string rotulo;
    uint32_t cor;
};

class SerieGravada : public ISerie {
public:
    void Clear() override {
        pontos.clear();
        ++limpezas;
    }
    void Add(double x, double y, const std::string& label, uint32_t colour) override {
        pontos.push_back({x, y, label, colour});
    }
    std::vector<Ponto> pontos;
    int limpezas = 0;
};

// The worked example, loaded from a settings file the way Tr gets its value.
class ModeloTest : public ::testing::Test {
protected:
    void Carrega(TPrecipitacaoExponencialNegativa& m, const std::string& parametros) {
        const std::string arquivo =
            pasta_.Grava("modelo.ini", "[PREC_EXPONENCIAL_NEGATIVA]\r\nVersao=2\r\n" + parametros);
        ASSERT_TRUE(m.CarregaArquivo(arquivo));
    }
    void CarregaExemplo(TPrecipitacaoExponencialNegativa& m) {
        Carrega(m, "Tr=10\r\nK=1000\r\nA=0.2\r\nB=10\r\nC=0.8\r\n");
    }
    TPastaTemporaria pasta_{"tormel-modelo-"};
};

TEST(Modelo, NewObjectIsClearAndEvaluatesWithCoefficientMinusOne) {
    TPrecipitacaoExponencialNegativa m("X");
    EXPECT_EQ(m.Nome, "X");
    EXPECT_EQ(m.Coeficiente, -1);
    EXPECT_EQ(m.K + m.A + m.B + m.C + m.Tr + m.Duracao, 0);
    EXPECT_DOUBLE_EQ(m.Intensidade(10), -1);  // -1 / 10^0
}

TEST(Modelo, SettersRefuseNegativeAndNaNWithTheirMessagesAndKeepTheField) {
    using M = TPrecipitacaoExponencialNegativa;
    M m;
    const std::tuple<void (M::*)(double), double M::*, const char*> casos[] = {
        {&M::SetK, &M::K, "K"}, {&M::SetA, &M::A, "a"}, {&M::SetB, &M::B, "b"}, {&M::SetC, &M::C, "c"}};
    for (const auto& [setter, campo, letra] : casos) {
        (m.*setter)(0.5);
        const AnsiString mensagem = Ansi("O valor do parâmetro \"") + letra + "\" deve ser maior que zero.";
        for (double ruim : {-0.001, kNaN}) {
            try {
                (m.*setter)(ruim);
                ADD_FAILURE() << letra << " accepted " << ruim;
            } catch (const Exception& e) {
                EXPECT_STREQ(e.ClassName(), "Exception");
                EXPECT_EQ(e.Message(), mensagem);
            }
            EXPECT_EQ(m.*campo, 0.5);
        }
        (m.*setter)(0);  // zero is accepted
        EXPECT_EQ(m.*campo, 0);
    }
}

TEST_F(ModeloTest, CoefficientFollowsKAndAOnlyWhenAllArePositive) {
    TPrecipitacaoExponencialNegativa m;
    m.SetK(1000);
    m.SetA(0.2);
    EXPECT_EQ(m.Coeficiente, -1);  // Tr is 0 until loaded
    CarregaExemplo(m);
    m.SetK(2000);
    m.SetA(0.5);
    EXPECT_NEAR(m.Coeficiente, 2000 * std::sqrt(10.0), 1e-9);
    m.SetB(3);
    m.SetC(2);  // b and c leave it alone
    EXPECT_NEAR(m.Coeficiente, 2000 * std::sqrt(10.0), 1e-9);
    m.SetA(0);
    EXPECT_EQ(m.Coeficiente, -1);

    // An overflowing coefficient leaves the setter without effect.
    Carrega(m, "Tr=1e10\r\nK=1\r\nA=5\r\n");
    EXPECT_THROW(m.SetK(1e300), EOverflow);
    EXPECT_THROW(m.SetA(40), EOverflow);
    EXPECT_EQ(m.K, 1);
    EXPECT_EQ(m.A, 5);
    EXPECT_DOUBLE_EQ(m.Coeficiente, 1e50);
}

TEST_F(ModeloTest, WorkedExampleHoldsToTheStatedDecimals) {
    TPrecipitacaoExponencialNegativa m;
    CarregaExemplo(m);
    EXPECT_NEAR(m.Coeficiente, 1584.893, 0.0005);
    EXPECT_NEAR(m.Intensidade(10), 144.270, 0.0005);
    EXPECT_NEAR(m.IntensidadeInstantanea(10), 86.562, 0.0005);
    EXPECT_NEAR(m.PrecipitacaoDaDuracao(60), 52.957, 0.0005);
    EXPECT_NEAR(m.PrecipitacaoEntre(10, 60), 28.912, 0.0005);
    EXPECT_NEAR(m.PrecipitacaoEntre(60, 10), -28.912, 0.0005);  // t1 first, t2 second

    EXPECT_NEAR(m.TempoDaIntensidade(100), 8.1388, 0.00005);
    EXPECT_EQ(m.Iteracoes, 5);
    EXPECT_LT(std::fabs(m.Passo), 1e-7);
    EXPECT_NEAR(m.DuracaoDaPrecipitacao(30), 14.8374, 0.00005);
    EXPECT_EQ(m.Iteracoes, 7);
    EXPECT_LT(std::fabs(m.Passo), 1e-10);
}

TEST_F(ModeloTest, EvaluationsRaiseWhenTPlusBIsNotPositive) {
    TPrecipitacaoExponencialNegativa m;
    CarregaExemplo(m);
    EXPECT_THROW(m.Intensidade(-10), EZeroDivide);
    EXPECT_THROW(m.Intensidade(-11), EInvalidOp);
    EXPECT_THROW(m.IntensidadeInstantanea(-10), EMathError);
    EXPECT_THROW(m.PrecipitacaoDaDuracao(-20), EMathError);
    EXPECT_THROW(m.PrecipitacaoEntre(-20, 10), EMathError);
    EXPECT_THROW(m.Intensidade(kNaN), EInvalidOp);
    m.SetC(0);  // even when the power is 1
    EXPECT_THROW(m.Intensidade(-10), EZeroDivide);
    EXPECT_NEAR(m.Intensidade(5), m.Coeficiente, 1e-9);
}

TEST_F(ModeloTest, TimeSolverFallsBackToBisectionAndStillFindsTheRoot) {
    TPrecipitacaoExponencialNegativa m;
    CarregaExemplo(m);
    // Starting at t = 1, Newton overshoots below zero; bisection finds the root.
    const double t = m.TempoDaIntensidade(250);
    EXPECT_EQ(m.Iteracoes, 200);
    EXPECT_GT(t, 0);
    EXPECT_NEAR(m.IntensidadeInstantanea(t), 250, 1e-3);
    EXPECT_LE(std::fabs(m.LimiteSuperior - m.LimiteInferior), 1e-7);

    // Above the largest intensity (at t = 0) there is no root: the answer is t near 0.
    const double nenhum = m.TempoDaIntensidade(1000);
    EXPECT_EQ(m.Iteracoes, 200);
    EXPECT_GE(nenhum, 0);
    EXPECT_LT(nenhum, 1e-6);

    // c = 0: the derivative is 0 and the division fails inside Newton.
    m.SetC(0);
    EXPECT_NO_THROW(m.TempoDaIntensidade(100));
    EXPECT_EQ(m.Iteracoes, 200);
}

TEST_F(ModeloTest, DurationSolverBisectsBeyondItsUsualBoundWhenTheRootLiesThere) {
    TPrecipitacaoExponencialNegativa m;
    CarregaExemplo(m);
    // Newton does not settle within 101 steps; the depth of 500 mm takes far
    // more than 1000 minutes.
    const double t = m.DuracaoDaPrecipitacao(500);
    EXPECT_GT(m.Iteracoes, 100);
    EXPECT_GT(t, 1000);
    EXPECT_NEAR(m.PrecipitacaoDaDuracao(t), 500, 1e-3);

    Carrega(m, "Tr=10\r\nK=1000\r\nA=0.2\r\nB=0\r\nC=0.8\r\n");
    const double curta = m.DuracaoDaPrecipitacao(10);  // Newton steps below zero, where t + b fails
    EXPECT_EQ(m.Iteracoes, 200);
    EXPECT_NEAR(m.PrecipitacaoDaDuracao(curta), 10, 1e-3);
}

// Both shapes of the depth curve. With c <= 1 the depth rises without end;
// with c > 1 it rises to a crest at t = b / (c - 1) and falls again, so a
// depth below the crest has two durations (references to 50 digits) and one
// above it has none: the search then fails at the upper bound of its interval.
struct CasoDuracao {
    const char* parametros;
    double alvo;
    std::vector<double> raizes;   // empty: above the crest, no duration
    double limiteDaFalha;         // bound at which a failed search ends
};

class DuracaoComCrista : public ModeloTest, public ::testing::WithParamInterface<CasoDuracao> {};

TEST_P(DuracaoComCrista, FindsARootOrFailsAtTheBoundNeverFarBeyond) {
    const CasoDuracao& caso = GetParam();
    TPrecipitacaoExponencialNegativa m;
    Carrega(m, caso.parametros);
    const double t = m.DuracaoDaPrecipitacao(caso.alvo);
    ASSERT_TRUE(std::isfinite(t) && t >= 0) << t;
    if (caso.raizes.empty()) {
        EXPECT_GT(m.Iteracoes, 100);
        EXPECT_NEAR(t, caso.limiteDaFalha, 1e-6);
        EXPECT_NEAR(m.LimiteSuperior, caso.limiteDaFalha, 1e-6);
        EXPECT_LT(m.PrecipitacaoDaDuracao(t), caso.alvo);
        return;
    }
    EXPECT_NEAR(m.PrecipitacaoDaDuracao(t), caso.alvo, 1e-4);
    bool umaDasRaizes = false;
    for (double r : caso.raizes) umaDasRaizes |= std::fabs(t - r) <= 1e-3 * std::max(1.0, r);
    EXPECT_TRUE(umaDasRaizes) << t;
}

INSTANTIATE_TEST_SUITE_P(
    Modelo, DuracaoComCrista,
    ::testing::Values(
        // c <= 1: one root, found by Newton or by a widened bisection.
        CasoDuracao{"Tr=10\r\nK=1000\r\nA=0.2\r\nB=10\r\nC=0.8\r\n", 30, {14.8374}, 0},
        CasoDuracao{"Tr=10\r\nK=1000\r\nA=0.2\r\nB=10\r\nC=1\r\n", 25, {176.692613}, 0},
        CasoDuracao{"Tr=10\r\nK=1000\r\nA=0.2\r\nB=10\r\nC=0.8\r\n", 500, {2430039.99959}, 0},
        // c > 1, crest at 1.5 min of 45.68 mm: two roots below it, none above.
        CasoDuracao{"Tr=10\r\nK=2000\r\nA=0.2\r\nB=0.15\r\nC=1.1\r\n", 27.431484, {0.126, 700.279}, 0},
        CasoDuracao{"Tr=10\r\nK=2000\r\nA=0.2\r\nB=0.15\r\nC=1.1\r\n", 50, {}, 1000},
        CasoDuracao{"Tr=10\r\nK=2000\r\nA=0.2\r\nB=0.15\r\nC=1.1\r\n", 1e6, {}, 1000},
        // c > 1, crest at 3000 min: the bound widens while the depth still
        // rises (1000, 2000, 4000) and not past the crest.
        CasoDuracao{"Tr=10\r\nK=2000\r\nA=0.2\r\nB=300\r\nC=1.1\r\n", 20, {1055.542134, 12823.769265}, 0},
        CasoDuracao{"Tr=10\r\nK=2000\r\nA=0.2\r\nB=300\r\nC=1.1\r\n", 300, {}, 4000}));

TEST(Modelo, SolversNeverRaiseNorReturnANegativeTime) {
    const double alvos[] = {-5, 0, 1e-3, 1, 100, 250, 1e6, kNaN, std::numeric_limits<double>::infinity()};
    int quebras = 0;
    for (double k : {0.0, 1.0, 1000.0})
        for (double a : {0.0, 0.2})
            for (double b : {0.0, 10.0})
                for (double c : {0.0, 0.8, 1.0, 1.5})
                    for (double tr : {0.0, 10.0}) {
                        TPrecipitacaoExponencialNegativa m;
                        m.SetK(k);
                        m.SetB(b);
                        m.SetC(c);
                        m.Tr = tr;  // as a load would put it
                        m.SetA(a);
                        for (double x : alvos) {
                            double t1 = -1, t2 = -1;
                            ASSERT_NO_THROW(t1 = m.TempoDaIntensidade(x)) << k << ' ' << a << ' ' << b << ' ' << c;
                            quebras += m.Iteracoes == 200;
                            ASSERT_NO_THROW(t2 = m.DuracaoDaPrecipitacao(x)) << k << ' ' << a << ' ' << b << ' ' << c;
                            EXPECT_TRUE(t1 >= 0 && std::isfinite(t1)) << t1;
                            EXPECT_TRUE(t2 >= 0 && std::isfinite(t2)) << t2;
                        }
                    }
    EXPECT_GT(quebras, 0);
}

TEST_F(ModeloTest, SeriesHoldsTheInstantaneousIntensityPerMinute) {
    TPrecipitacaoExponencialNegativa m;
    CarregaExemplo(m);
    SerieGravada serie;
    serie.Add(99, 99, "velho", 1);

    m.PreencheSerie(serie);  // Duracao 0: 50 points
    ASSERT_EQ(serie.pontos.size(), 50u);
    EXPECT_EQ(serie.limpezas, 1);
    for (std::size_t i = 0; i < serie.pontos.size(); ++i) {
        const Ponto& p = serie.pontos[i];
        EXPECT_EQ(p.x, static_cast<double>(i + 1));
        EXPECT_EQ(p.y, m.IntensidadeInstantanea(p.x));
        EXPECT_EQ(p.rotulo, "");
        EXPECT_EQ(p.cor, 0x20000000u);
    }

    const std::pair<double, std::size_t> casos[] = {{0.4, 0}, {0.5, 0}, {2.5, 2}, {3.5, 4}, {7, 7}, {-3, 50}};
    for (const auto& [duracao, n] : casos) {
        m.Duracao = duracao;
        m.PreencheSerie(serie);
        EXPECT_EQ(serie.pontos.size(), n) << duracao;
    }
    m.Duracao = 1e300;
    EXPECT_THROW(m.PreencheSerie(serie), EInvalidOp);
    EXPECT_TRUE(serie.pontos.empty());
}

TEST_F(ModeloTest, SeriesKeepsThePointsAddedBeforeAnError) {
    TPrecipitacaoExponencialNegativa m;
    // A negative c from the file: (t + b)^c overflows from t = 2 on.
    Carrega(m, "Tr=10\r\nK=1000\r\nA=0.2\r\nB=0\r\nC=-2000\r\n");
    m.Duracao = 5;
    SerieGravada serie;
    EXPECT_THROW(m.PreencheSerie(serie), EOverflow);
    ASSERT_EQ(serie.pontos.size(), 1u);
    EXPECT_EQ(serie.pontos[0].x, 1);
}

}  // namespace
