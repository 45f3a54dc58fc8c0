// Annual maxima and the frequency analysis: closed forms on a small series
// worked by hand, the test statistics, the bootstrap p-values and the
// maximum-likelihood GEV.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "ajuste/Distribuicoes.h"
#include "ajuste/ErrosAjuste.h"
#include "ajuste/MaximosAnuais.h"

namespace {

// x = 12, 15, 18, 22, 30, 45 (n = 6, ascending):
//   mean 23.6667, s = 12.1765 (n - 1)
//   b0 = 142/6 = 23.6667; b1 = (15 + 2·18 + 3·22 + 4·30 + 5·45)/(5·6) = 462/30 = 15.4
//   b2 = (2·18 + 6·22 + 12·30 + 20·45)/(20·6) = 1428/120 = 11.9
//   l1 = 23.6667, l2 = 2·15.4 - 23.6667 = 7.1333, l3 = 6·11.9 - 6·15.4 + 23.6667 = 2.6667, t3 = 0.37383
// Gumbel, moments:   alpha = s·√6/π = 9.49396, u = mean - 0.57722·alpha = 18.18660
// Gumbel, L-moments: alpha = l2/ln 2 = 10.29122, u = l1 - 0.57722·alpha = 17.72641
// GEV, L-moments:    c = 2/(3 + t3) - ln 2/ln 3 = -0.038132, k = 7.8590c + 2.9554c² = -0.295382,
//                    alpha = l2·k/((1 - 2^-k)·Γ(1 + k)) = 7.18439, xi = l1 - alpha(1 - Γ(1 + k))/k = 16.59369,
//                    shape -k = 0.295382; x(Tr 100) = xi + alpha(1 - (-ln 0.99)^k)/k = 86.9224
const std::vector<double> kSerie = {30, 12, 45, 18, 22, 15};

TEST(Distribuicoes, ClosedFormsOnASmallSeries) {
    const TLMomentos l = LMomentos({12, 15, 18, 22, 30, 45});
    EXPECT_NEAR(l.L1, 23.666667, 1e-6);
    EXPECT_NEAR(l.L2, 7.133333, 1e-6);
    EXPECT_NEAR(l.L3, 2.666667, 1e-6);
    const struct { Distribuicao d; Metodo m; double posicao, escala, forma, q100; } casos[] = {
        {Distribuicao::Gumbel, Metodo::Momentos, 18.18660, 9.49396, 0, 18.18660 - 9.49396 * std::log(-std::log(0.99))},
        {Distribuicao::Gumbel, Metodo::LMomentos, 17.72641, 10.29122, 0, 65.06758},
        {Distribuicao::Gev, Metodo::LMomentos, 16.59369, 7.18439, 0.295382, 86.9224},
    };
    for (const auto& c : casos) {
        const TParametros p = Ajusta(c.d, c.m, kSerie);
        EXPECT_NEAR(p.Posicao, c.posicao, 1e-4);
        EXPECT_NEAR(p.Escala, c.escala, 1e-4);
        EXPECT_NEAR(p.Forma, c.forma, 1e-5);
        EXPECT_NEAR(QuantilTr(p, 100), c.q100, 1e-3);
        EXPECT_NEAR(Fda(p, QuantilTr(p, 100)), 0.99, 1e-12);
    }
}

TEST(Distribuicoes, StatisticsOfOneValueWorkedByHand) {
    // Gumbel (0, 1) at x = 0: F = e^-1 = 0.367879.
    // KS = max(1 - F, F) = 0.632121; AD = -1 - (ln F + ln(1 - F)) = -ln(0.632121) = 0.458675.
    TParametros p;
    p.Posicao = 0;
    p.Escala = 1;
    EXPECT_NEAR(EstatisticaKs(p, {0}), 0.632121, 1e-6);
    EXPECT_NEAR(EstatisticaAd(p, {0}), 0.458675, 1e-6);
}

std::vector<double> Amostra(const TParametros& p, int n, std::uint64_t semente) {
    std::mt19937_64 g(semente);
    std::vector<double> x(n);
    for (double& v : x) v = Quantil(p, Uniforme(g));
    return x;
}

TEST(Distribuicoes, BootstrapPValuesAcceptTheModelAndRejectAnotherShape) {
    TParametros gumbel;
    gumbel.Posicao = 70;
    gumbel.Escala = 15;
    std::vector<double> bimodal;
    for (int i = 0; i < 20; ++i) { bimodal.push_back(10 + 0.1 * i); bimodal.push_back(100 + 0.1 * i); }
    const struct { std::vector<double> x; bool aceita; } casos[] = {{Amostra(gumbel, 40, 7), true}, {bimodal, false}};
    for (const auto& c : casos) {
        std::mt19937_64 g(1);
        const TParametros p = Ajusta(Distribuicao::Gumbel, Metodo::LMomentos, c.x);
        const TAderencia a = Aderencia(p, c.x, 300, g);
        EXPECT_EQ(a.Replicas, 300);
        EXPECT_EQ(a.PAd > 0.05, c.aceita) << a.PAd;
        EXPECT_EQ(a.PKs > 0.05, c.aceita) << a.PKs;
    }
}

TEST(Distribuicoes, MaximumLikelihoodFindsTheModelAndKeepsTheShapeBound) {
    const struct { double forma; double esperada; } casos[] = {{0.0, 0.0}, {0.2, 0.2}, {-0.2, -0.2}, {0.9, 0.5}};
    for (const auto& c : casos) {
        TParametros p;
        p.Dist = Distribuicao::Gev;
        p.Posicao = 50;
        p.Escala = 10;
        p.Forma = c.forma;
        const TParametros mv = Ajusta(Distribuicao::Gev, Metodo::MaximaVerossimilhanca, Amostra(p, 3000, 11));
        EXPECT_LE(std::abs(mv.Forma), FormaMaximaMv);
        EXPECT_NEAR(mv.Forma, c.esperada, 0.05) << c.forma;
        if (c.forma != 0.9) {
            EXPECT_NEAR(mv.Posicao, 50, 1.0);
            EXPECT_NEAR(mv.Escala, 10, 0.6);
        }
    }
}

TRegistro Diario(int anoInicial, int anos, double faltandoPorAno, int mesInicio = 1) {
    TRegistro r;
    r.Arquivo = "serie.csv";
    for (int a = anoInicial; a < anoInicial + anos; ++a) {
        const int inicio = DiaCivil(a, mesInicio, 1), fim = DiaCivil(a + 1, mesInicio, 1);
        const int faltando = static_cast<int>(faltandoPorAno);
        for (int d = inicio; d < fim; ++d) {
            TDiaChuva dia{d, 1.0 + (d - inicio) % 7, EstadoDia::Valido};
            if (d - inicio < faltando) dia.Estado = EstadoDia::Faltante;
            r.Dias.push_back(dia);
        }
    }
    return r;
}

TEST(MaximosAnuais, MissingDayRuleAndYearKinds) {
    // 36 missing of 365 (9.9%) is used, 37 (10.1%) is not; --faltas-max 20 takes them.
    const struct { double faltando, faltasMax; std::size_t usados; } casos[] = {
        {36, 10, 12}, {37, 10, 0}, {37, 20, 12}, {0, 0, 12}};
    for (const auto& c : casos) {
        TOpcoesMaximos o;
        o.FaltasMax = c.faltasMax;
        TRegistro r = Diario(1990, 12, c.faltando);
        r.Dias[465].Altura = 99;   // a maximum in 1991 (day 101)
        if (c.usados == 0) {
            EXPECT_THROW(MaximosAnuais(r, o), ESemAjuste);
            continue;
        }
        const TMaximosAnuais m = MaximosAnuais(r, o);
        ASSERT_EQ(m.Usados.size(), c.usados);
        EXPECT_DOUBLE_EQ(m.Usados[1].Alturas[0], 99);
        EXPECT_DOUBLE_EQ(m.Usados[0].Alturas[0], 7);
        EXPECT_EQ(m.Avisos.size(), 1u);   // fewer than 20 years
    }
}

TEST(MaximosAnuais, AccumulatedDaysAreMissingAndHydrologicalYearsStartInTheirMonth) {
    TRegistro r = Diario(1990, 25, 0, 10);   // October to September
    r.Dias[100].Estado = EstadoDia::Acumulado;
    r.Dias[100].Altura = 500;
    r.Dias[370].Altura = 80;                 // day 5 of the second hydrological year (October 1991)
    TOpcoesMaximos o;
    o.MesInicio = 10;
    const TMaximosAnuais m = MaximosAnuais(r, o);
    ASSERT_EQ(m.Usados.size(), 25u);
    EXPECT_EQ(m.Usados[0].Rotulo, "1990/1991");
    EXPECT_DOUBLE_EQ(m.Usados[0].Alturas[0], 7);   // the accumulated 500 is no daily maximum
    EXPECT_EQ(m.Usados[0].Faltando, 1);
    EXPECT_DOUBLE_EQ(m.Usados[1].Alturas[0], 80);
    EXPECT_TRUE(m.Avisos.empty());
    // The same days on civil years: 1990 is partial (Oct-Dec) and left out with its reason.
    const TMaximosAnuais civil = MaximosAnuais(r, {});
    ASSERT_FALSE(civil.Deixados.empty());
    EXPECT_EQ(civil.Deixados.front().Rotulo, "1990");
    EXPECT_NE(civil.Deixados.front().Motivo.find("273 de 365"), std::string::npos) << civil.Deixados.front().Motivo;
}

TEST(MaximosAnuais, ASeriesOfZerosIsRefusedNamingTheFile) {
    TRegistro r = Diario(1990, 12, 0);
    for (TDiaChuva& d : r.Dias) d.Altura = 0;
    try {
        MaximosAnuais(r, {});
        FAIL();
    } catch (const ESemAjuste& e) {
        EXPECT_NE(std::string(e.what()).find("serie.csv: todos os máximos anuais são zero"), std::string::npos) << e.what();
    }
}

}  // namespace
