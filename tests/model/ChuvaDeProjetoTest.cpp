// Design storm and inverse questions against closed forms: i = K·Tr^a/(t+b)^c
// and P = i·t/60 evaluated here in long double, independently of the code.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/ChuvaDeProjeto.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {
const TParametrosIdf Sp{1747.9, 0.181, 15, 0.89};     // c < 1: the depth rises without end
const TParametrosIdf Crista{2000, 0.2, 0.15, 1.1};    // c > 1: the depth has a crest

long double I(const TParametrosIdf& p, long double tr, long double t) {
    return p.K * std::pow(tr, static_cast<long double>(p.a)) / std::pow(t + p.b, static_cast<long double>(p.c));
}
long double P(const TParametrosIdf& p, long double tr, long double t) { return I(p, tr, t) * t / 60; }
}  // namespace

TEST(Hietograma, BlocksSumToTheDepthOfTheWholeStorm) {
    for (double r : {0.0, 0.25, 0.5, 1.0}) {
        const THietograma h = CalculaHietograma(Sp, 10, 120, 10, r);
        ASSERT_EQ(12u, h.Blocos.size());
        double soma = 0;
        for (const auto& b : h.Blocos) soma += b.Altura;
        EXPECT_NEAR(static_cast<double>(P(Sp, 10, 120)), soma, 1e-9);
        EXPECT_NEAR(soma, h.Blocos.back().Acumulada, 1e-12);
        EXPECT_EQ(std::min(11, static_cast<int>(r * 12)), h.BlocoDoPico);
    }
}

// Centred on 11 blocks: the peak in the middle is the first increment P(dt);
// the blocks fall away from it alternately after and before it; the first
// block is the smallest increment, P(D) - P(D - dt).
TEST(Hietograma, CentredStormAlternatesAboutThePeak) {
    const THietograma h = CalculaHietograma(Sp, 25, 110, 10);
    ASSERT_EQ(5, h.BlocoDoPico);
    const auto altura = [&](int k) { return h.Blocos[static_cast<std::size_t>(k)].Altura; };
    EXPECT_NEAR(static_cast<double>(P(Sp, 25, 10)), altura(5), 1e-9);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_GT(altura(5 + k - 1), altura(5 + k));   // falls after the peak
        EXPECT_GE(altura(5 + k), altura(5 - k));       // rank 2k-1 after, 2k before
        if (k < 5) EXPECT_GT(altura(5 - k), altura(5 + k + 1));
    }
    EXPECT_NEAR(static_cast<double>(P(Sp, 25, 110) - P(Sp, 25, 100)), altura(0), 1e-9);
    EXPECT_NEAR(altura(0) * 6, h.Blocos[0].Intensidade, 1e-9);   // mm in 10 min as mm/h
}

TEST(Hietograma, RefusesWithTheFieldNamed) {
    const std::pair<std::array<double, 4>, const char*> casos[] = {
        {{10, 120, 7, 0.5}, "Intervalo de tempo"}, {{10, 10081, 1, 0.5}, "7 dias"},
        {{10, 10080, 1, 0.5}, "10000 blocos"},     {{0, 120, 10, 0.5}, "Período de retorno"},
        {{10, 120, 10, 1.5}, "Posição do pico"},   {{10, -5, 10, 0.5}, "Duração total"}};
    for (const auto& [v, campo] : casos) {
        try {
            CalculaHietograma(Sp, v[0], v[1], v[2], v[3]);
            ADD_FAILURE() << campo;
        } catch (const Exception& e) {
            EXPECT_NE(std::string::npos, Cp1252ToUtf8(e.Message()).find(campo)) << Cp1252ToUtf8(e.Message());
        }
    }
}

TEST(PeriodoDeRetorno, RoundTripWithTheIntensity) {
    for (double tr : {1.5, 2.0, 10.0, 37.0, 250.0})
        for (double t : {5.0, 60.0, 1440.0}) {
            const TResposta r = PeriodoDeRetorno(Sp, t, static_cast<double>(I(Sp, tr, t)));
            ASSERT_TRUE(r.Existe);
            EXPECT_NEAR(tr, r.Valor, 1e-9 * tr);
            EXPECT_EQ(tr < 2 || tr > 100, ForaDaFaixaAjustada(r.Valor));
        }
    EXPECT_FALSE(PeriodoDeRetorno({1000, 0, 10, 0.8}, 60, 20).Existe);   // a = 0: Tr does not count
}

TEST(PerguntasInversas, DurationsCheckedByTheClosedForms) {
    const TResposta media = DuracaoDaIntensidadeMedia(Sp, 10, 80);
    ASSERT_TRUE(media.Existe);
    EXPECT_NEAR(80, static_cast<double>(I(Sp, 10, media.Valor)), 1e-9);
    const TResposta instantanea = DuracaoDaIntensidadeInstantanea(Sp, 10, 80);
    ASSERT_TRUE(instantanea.Existe);
    const long double t = instantanea.Valor;
    EXPECT_NEAR(80, static_cast<double>(I(Sp, 10, t) * (1 - Sp.c * t / (t + Sp.b))), 1e-5);
    const TResposta duracao = DuracaoDaAltura(Sp, 10, 75);
    ASSERT_TRUE(duracao.Existe);
    EXPECT_NEAR(75, static_cast<double>(P(Sp, 10, duracao.Valor)), 1e-6);
    const TResposta entre = AlturaEntre(Sp, 10, 30, 90);
    ASSERT_TRUE(entre.Existe);
    EXPECT_NEAR(static_cast<double>(P(Sp, 10, 90) - P(Sp, 10, 30)), entre.Valor, 1e-9);
    EXPECT_FALSE(AlturaEntre(Sp, 10, 90, 30).Existe);
}

// With c > 1 the depth peaks at t = b/(c - 1) = 1.5 min: below the crest one
// of the two durations, above it none, said in words.
TEST(PerguntasInversas, DepthAboveTheCrestHasNoDuration) {
    const double crista = static_cast<double>(P(Crista, 10, 1.5));
    const TResposta abaixo = DuracaoDaAltura(Crista, 10, 0.8 * crista);
    ASSERT_TRUE(abaixo.Existe);
    EXPECT_NEAR(0.8 * crista, static_cast<double>(P(Crista, 10, abaixo.Valor)), 1e-6);
    for (double fator : {1.01, 2.0, 1000.0}) {
        const TResposta acima = DuracaoDaAltura(Crista, 10, fator * crista);
        EXPECT_FALSE(acima.Existe) << fator << " " << acima.Valor;
        EXPECT_NE(std::string::npos, Cp1252ToUtf8(acima.Motivo).find("máximo"));
    }
}

TEST(NotaDeExtrapolacao, SaysWhichRangeIsLeft) {
    const struct {
        double Tr, T;
        const char* Inicio;   // nullptr: no note
    } casos[] = {
        {2, 5, nullptr},          {100, 1440, nullptr},   {NAN, 60, nullptr},
        {10, NAN, nullptr},       {1.99, 60, "O período de retorno está"},
        {100.5, NAN, "O período de retorno está"},        {10, 4.99, "A duração está"},
        {NAN, 1441, "A duração está"},                    {500, 2880, "O período de retorno e a duração estão"},
    };
    for (const auto& c : casos) {
        const std::string nota = Cp1252ToUtf8(NotaDeExtrapolacao(c.Tr, c.T));
        if (!c.Inicio) {
            EXPECT_EQ("", nota) << c.Tr << ' ' << c.T;
        } else {
            EXPECT_EQ(0u, nota.find(c.Inicio)) << c.Tr << ' ' << c.T << ": " << nota;
            EXPECT_NE(std::string::npos, nota.find("extrapolação")) << nota;
        }
    }
}
