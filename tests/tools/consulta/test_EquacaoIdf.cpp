// Intensity and depth of a parameter set: values worked by hand, the model's
// own numbers where the model can be loaded with a return period, and the
// cases where the model's coefficient would be -1.
#include <gtest/gtest.h>

#include "EquacaoIdf.h"
#include "PastaDadosTeste.h"
#include "model/PrecipitacaoExponencialNegativa.h"
#include "platform/Erros.h"

TEST(EquacaoIdf, ValuesWorkedByHand) {
    // Tr^a = 4^0.5 = 2; c = 1, b = 0: i = 600·2/t.
    const TEquacaoIdf simples(600, 0.5, 0, 1);
    EXPECT_DOUBLE_EQ(1200, simples.Coeficiente(4));
    EXPECT_DOUBLE_EQ(20, simples.Intensidade(4, 60));
    EXPECT_DOUBLE_EQ(20, simples.PrecipitacaoDaDuracao(4, 60));
    EXPECT_DOUBLE_EQ(40, simples.Intensidade(4, 30));
    EXPECT_DOUBLE_EQ(20, simples.PrecipitacaoDaDuracao(4, 30));
    // (12 + 4)^0.5 = 4: i = 600·2/4 = 300 mm/h, P = 300·12/60 = 60 mm.
    const TEquacaoIdf raiz(600, 0.5, 4, 0.5);
    EXPECT_DOUBLE_EQ(300, raiz.Intensidade(4, 12));
    EXPECT_DOUBLE_EQ(60, raiz.PrecipitacaoDaDuracao(4, 12));
    // K = 1000, a = 0.2, b = 10, c = 0.8, Tr = 10: 1000·10^0.2 = 1584.893;
    // 20^0.8 = 10.98561, i(10) = 144.270; 70^0.8 = 29.92853, P(60) = 52.957.
    const TEquacaoIdf tabela(1000, 0.2, 10, 0.8);
    EXPECT_NEAR(1584.893, tabela.Coeficiente(10), 5e-4);
    EXPECT_NEAR(144.270, tabela.Intensidade(10, 10), 5e-4);
    EXPECT_NEAR(52.957, tabela.PrecipitacaoDaDuracao(10, 60), 5e-4);
}

TEST(EquacaoIdf, SameNumbersAsTheModelLoadedWithAReturnPeriod) {
    const TPastaDadosTeste pasta({});
    const double K = 1847.3, a = 0.163, b = 11.2, c = 0.79;
    for (double tr : {2.0, 10.0, 100.0}) {
        const std::string ini = pasta.Arquivo("modelo.ini", "[PREC_EXPONENCIAL_NEGATIVA]\r\nVersao=2\r\nTr=" +
                                                                std::to_string(tr) + "\r\nK=1847.3\r\nA=0.163\r\n"
                                                                "B=11.2\r\nC=0.79\r\n");
        TPrecipitacaoExponencialNegativa modelo;
        ASSERT_TRUE(modelo.CarregaArquivo(ini));
        ASSERT_EQ(tr, modelo.Tr);
        const TEquacaoIdf equacao(K, a, b, c);
        EXPECT_EQ(modelo.Coeficiente, equacao.Coeficiente(tr));
        for (double t : {5.0, 10.0, 60.0, 1440.0}) {
            EXPECT_EQ(modelo.Intensidade(t), equacao.Intensidade(tr, t)) << tr << " " << t;
            EXPECT_EQ(modelo.PrecipitacaoDaDuracao(t), equacao.PrecipitacaoDaDuracao(tr, t)) << tr << " " << t;
        }
    }
}

TEST(EquacaoIdf, ZeroKOrZeroExponentGiveTheEquationsValue) {
    // The model's coefficient would be -1 here, a negative intensity.
    EXPECT_DOUBLE_EQ(500 / 10.0, TEquacaoIdf(500, 0, 0, 1).Intensidade(25, 10));
    EXPECT_EQ(0, TEquacaoIdf(0, 0.2, 10, 0.8).Intensidade(25, 10));
}

TEST(EquacaoIdf, DomainErrorsAreRaised) {
    EXPECT_THROW(TEquacaoIdf(1000, 0.2, -10, 0.8).Intensidade(10, 10), EMathError);   // t + b = 0
    EXPECT_THROW(TEquacaoIdf(1000, 0.2, -20, 0).Intensidade(10, 10), EMathError);     // t + b < 0, c = 0
    EXPECT_THROW(TEquacaoIdf(1000, 0.2, 10, 0.8).Intensidade(0, 10), EMathError);     // Tr = 0
}
