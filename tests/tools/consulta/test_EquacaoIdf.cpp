// Intensity and depth of a parameter set: values worked by hand, the model's
// own numbers where the model can be loaded with a return period, and the
// cases where the model's coefficient would be -1.
#include <gtest/gtest.h>

#include "EquacaoIdf.h"
#include "PastaDadosTeste.h"
#include "model/PrecipitacaoExponencialNegativa.h"
#include "platform/Erros.h"

TEST(EquacaoIdf, ValuesWorkedByHand) {
    // Tr^a = 4^0.5 = 2, b = 0, c = 1: i = 1200/t; (12 + 4)^0.5 = 4: i = 1200/4.
    EXPECT_DOUBLE_EQ(20, TEquacaoIdf(600, 0.5, 0, 1).Intensidade(4, 60));
    EXPECT_DOUBLE_EQ(20, TEquacaoIdf(600, 0.5, 0, 1).PrecipitacaoDaDuracao(4, 30));
    EXPECT_DOUBLE_EQ(300, TEquacaoIdf(600, 0.5, 4, 0.5).Intensidade(4, 12));
    EXPECT_DOUBLE_EQ(60, TEquacaoIdf(600, 0.5, 4, 0.5).PrecipitacaoDaDuracao(4, 12));
    // 1000·10^0.2 = 1584.893; 20^0.8 = 10.98561, i(10) = 144.270; 70^0.8 = 29.92853, P(60) = 52.957.
    const TEquacaoIdf tabela(1000, 0.2, 10, 0.8);
    EXPECT_NEAR(1584.893, tabela.Coeficiente(10), 5e-4);
    EXPECT_NEAR(144.270, tabela.Intensidade(10, 10), 5e-4);
    EXPECT_NEAR(52.957, tabela.PrecipitacaoDaDuracao(10, 60), 5e-4);
    // Where the model's coefficient would be -1: a = 0 gives K, K = 0 gives 0.
    EXPECT_DOUBLE_EQ(50, TEquacaoIdf(500, 0, 0, 1).Intensidade(25, 10));
    EXPECT_EQ(0, TEquacaoIdf(0, 0.2, 10, 0.8).Intensidade(25, 10));
}

TEST(EquacaoIdf, SameNumbersAsTheModelLoadedWithAReturnPeriod) {
    const TPastaDadosTeste pasta({});
    for (double tr : {2.0, 10.0, 100.0}) {
        TPrecipitacaoExponencialNegativa modelo;
        ASSERT_TRUE(modelo.CarregaArquivo(pasta.Arquivo(
            "m.ini", "[PREC_EXPONENCIAL_NEGATIVA]\r\nVersao=2\r\nTr=" + std::to_string(tr) +
                         "\r\nK=1847.3\r\nA=0.163\r\nB=11.2\r\nC=0.79\r\n")));
        ASSERT_EQ(tr, modelo.Tr);
        const TEquacaoIdf equacao(1847.3, 0.163, 11.2, 0.79);
        EXPECT_EQ(modelo.Coeficiente, equacao.Coeficiente(tr));
        for (double t : {5.0, 60.0, 1440.0}) {
            EXPECT_EQ(modelo.Intensidade(t), equacao.Intensidade(tr, t)) << tr << " " << t;
            EXPECT_EQ(modelo.PrecipitacaoDaDuracao(t), equacao.PrecipitacaoDaDuracao(tr, t)) << tr << " " << t;
        }
    }
}

TEST(EquacaoIdf, DomainErrorsAreRaised) {
    EXPECT_THROW(TEquacaoIdf(1000, 0.2, -10, 0.8).Intensidade(10, 10), EMathError);   // t + b = 0
    EXPECT_THROW(TEquacaoIdf(1000, 0.2, -20, 0).Intensidade(10, 10), EMathError);     // t + b < 0, c = 0
    EXPECT_THROW(TEquacaoIdf(1000, 0.2, 10, 0.8).Intensidade(0, 10), EMathError);     // Tr = 0
}
