// Design values of a parameter set: values worked by hand, the model's own
// numbers over a grid (the model loaded with a return period), and the cases
// where the model's coefficient would be -1.
#include <gtest/gtest.h>

#include <string>

#include "model/EquacaoIdf.h"
#include "model/PrecipitacaoExponencialNegativa.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"
#include "suporte/ArquivosDeTeste.h"

TEST(ValoresDeProjeto, ValuesWorkedByHand) {
    // Tr^a = 4^0.5 = 2, b = 0, c = 1: i = 1200/t; (12 + 4)^0.5 = 4: i = 1200/4.
    EXPECT_DOUBLE_EQ(20, ValoresDeProjeto(600, 0.5, 0, 1, 4, 60).Intensidade);
    EXPECT_DOUBLE_EQ(20, ValoresDeProjeto(600, 0.5, 0, 1, 4, 30).Precipitacao);
    EXPECT_DOUBLE_EQ(300, ValoresDeProjeto(600, 0.5, 4, 0.5, 4, 12).Intensidade);
    EXPECT_DOUBLE_EQ(60, ValoresDeProjeto(600, 0.5, 4, 0.5, 4, 12).Precipitacao);
    // 1000·10^0.2 = 1584.893; 20^0.8 = 10.98561, i(10) = 144.270; 70^0.8 = 29.92853, P(60) = 52.957.
    EXPECT_NEAR(1584.893, CoeficienteIdf(1000, 0.2, 10), 5e-4);
    EXPECT_NEAR(144.270, ValoresDeProjeto(1000, 0.2, 10, 0.8, 10, 10).Intensidade, 5e-4);
    EXPECT_NEAR(52.957, ValoresDeProjeto(1000, 0.2, 10, 0.8, 10, 60).Precipitacao, 5e-4);
    // Where the model's coefficient would be -1: a = 0 gives K, K = 0 gives 0.
    EXPECT_DOUBLE_EQ(50, ValoresDeProjeto(500, 0, 0, 1, 25, 10).Intensidade);
    EXPECT_EQ(0, ValoresDeProjeto(0, 0.2, 10, 0.8, 25, 10).Intensidade);
}

TEST(ValoresDeProjeto, SameNumbersAsTheModelOverAGrid) {
    TPastaTemporaria pasta;
    int comparados = 0;
    for (double K : {0.5, 1847.3, 9000.0})
        for (double a : {0.01, 0.163, 1.0})
            for (double b : {0.0, 11.2, 40.0})
                for (double c : {0.0, 0.79, 1.3})
                    for (double tr : {1.0, 2.33, 10.0, 100.0, 10000.0}) {
                        TPrecipitacaoExponencialNegativa modelo;
                        ASSERT_TRUE(modelo.CarregaArquivo(pasta.Grava(
                            "m.ini", "[PREC_EXPONENCIAL_NEGATIVA]\r\nVersao=2\r\nTr=" + FloatToStr(tr, '.') +
                                         "\r\nK=" + FloatToStr(K, '.') + "\r\nA=" + FloatToStr(a, '.') +
                                         "\r\nB=" + FloatToStr(b, '.') + "\r\nC=" + FloatToStr(c, '.') + "\r\n")));
                        ASSERT_EQ(tr, modelo.Tr);
                        ASSERT_EQ(c, modelo.C);
                        EXPECT_EQ(modelo.Coeficiente, CoeficienteIdf(K, a, tr));
                        for (double t : {1.0, 5.0, 60.0, 1440.0}) {
                            SCOPED_TRACE(std::to_string(K) + " " + std::to_string(a) + " " + std::to_string(b) +
                                         " " + std::to_string(c) + " " + std::to_string(tr) + " " +
                                         std::to_string(t));
                            const TValoresDeProjeto v = ValoresDeProjeto(K, a, b, c, tr, t);
                            EXPECT_EQ(modelo.Intensidade(t), v.Intensidade);
                            EXPECT_EQ(modelo.PrecipitacaoDaDuracao(t), v.Precipitacao);
                            ++comparados;
                        }
                    }
    EXPECT_EQ(3 * 3 * 3 * 3 * 5 * 4, comparados);
}

TEST(ValoresDeProjeto, DomainErrorsAreRaised) {
    EXPECT_THROW(ValoresDeProjeto(1000, 0.2, -10, 0.8, 10, 10), EMathError);   // t + b = 0
    EXPECT_THROW(ValoresDeProjeto(1000, 0.2, -20, 0, 10, 10), EMathError);     // t + b < 0, c = 0
    EXPECT_THROW(ValoresDeProjeto(1000, 0.2, 10, 0.8, 0, 10), EMathError);     // Tr = 0
}
