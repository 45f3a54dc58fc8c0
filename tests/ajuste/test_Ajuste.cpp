// The equation and the chain: ratios, K, a, b, c fitted back from a table
// made with them, the bootstrap, and the shipped ANA records.
#include <gtest/gtest.h>

#include <cmath>

#include "ajuste/Ajuste.h"
#include "ajuste/ErrosAjuste.h"
#include "ajuste/RelatorioAjuste.h"
#include "platform/Cp1252.h"

namespace {

const std::string kAna = TORMEL_DADOS_ANA;

TEST(Desagregacao, CetesbChainsAndAUserFile) {
    const TDesagregacao c = DesagregacaoCetesb();
    const struct { double t, fator; } casos[] = {
        {1440, 1.14}, {720, 0.85 * 1.14}, {60, 0.42 * 1.14}, {30, 0.74 * 0.42 * 1.14}, {5, 0.34 * 0.74 * 0.42 * 1.14}};
    for (const auto& k : casos) EXPECT_NEAR(c.Fator(k.t), k.fator, 1e-12) << k.t;
    EXPECT_EQ(c.Duracoes().size(), 12u);

    const TDesagregacao u = LeDesagregacaoDoTexto("# fonte: Estudo local (2020)\nduracao;razao;base\n1440;1,10;dia\n60;0,5;1440\n", "r.csv");
    EXPECT_EQ(u.Fonte, "Estudo local (2020)");
    EXPECT_NEAR(u.Fator(60), 0.55, 1e-12);
    try {
        LeDesagregacaoDoTexto("1440;1,1;dia\n60;0,5;30\n", "r.csv");
        FAIL();
    } catch (const ERegistroInvalido& e) {
        EXPECT_NE(std::string(e.what()).find("r.csv, linha 2"), std::string::npos) << e.what();
    }
}

TEST(EquacaoAjustada, ATableMadeFromAnEquationIsFittedBack) {
    const TEquacao casos[] = {{1500, 0.18, 12, 0.85}, {766.65, 0.1384, 9.791, 0.7244}, {3000, 0.25, 30.5, 1.02}};
    for (const TEquacao& e : casos) {
        std::vector<TPontoIdf> pts;
        for (double tr : {2, 5, 10, 25, 50, 100})
            for (double t : {5, 10, 20, 30, 60, 120, 360, 720, 1440}) pts.push_back({tr, t, e.Intensidade(tr, t)});
        const TEquacao f = AjustaEquacao(pts);
        EXPECT_NEAR(f.K / e.K, 1, 1e-6);
        EXPECT_NEAR(f.a, e.a, 1e-7);
        EXPECT_NEAR(f.b, e.b, 1e-5);
        EXPECT_NEAR(f.c, e.c, 1e-7);
        const TQualidade q = Qualidade(f, pts);
        EXPECT_GT(q.R2, 1 - 1e-12);
        EXPECT_LT(q.ErroRelativoMaximo, 1e-7);
    }
    // A table that no power law reaches from its start: no equation.
    std::vector<TPontoIdf> zeros = {{2, 5, 0}, {2, 10, 0}, {5, 5, 0}, {5, 10, 0}};
    EXPECT_THROW(AjustaEquacao(zeros), ESemAjuste);
}

TOpcoesAjuste Opcoes(int replicas, std::uint64_t semente = 5) {
    TOpcoesAjuste o;
    o.Bootstrap = replicas;
    o.ReplicasAderencia = 100;
    o.Semente = semente;
    return o;
}

TEST(Ajuste, ShippedRecordFitsAndReproducesItsTableWithinItsR2) {
    const TResultadoAjuste r = AjustaRegistro(LeRegistro(kAna + "/rainfall_01943011.csv"), Opcoes(0));
    EXPECT_EQ(r.Estacao, "01943011");
    EXPECT_EQ(r.Maximos.Usados.size(), 27u);
    ASSERT_EQ(r.Maximos.Deixados.size(), 4u);
    EXPECT_EQ(r.Maximos.Deixados[0].Rotulo + r.Maximos.Deixados[1].Rotulo + r.Maximos.Deixados[2].Rotulo +
                  r.Maximos.Deixados[3].Rotulo, "1941194219431971");
    EXPECT_DOUBLE_EQ(r.Maximos.Usados[18].Alturas[0], 133.0);   // 1962, the record's largest
    EXPECT_EQ(r.Tabela.size(), 8u * 12u);
    double media = 0, ssr = 0, sst = 0;
    for (const TLinhaTabela& l : r.Tabela) media += l.Ponto.I / r.Tabela.size();
    for (const TLinhaTabela& l : r.Tabela) {
        const double i = r.Equacao.K * std::pow(l.Ponto.Tr, r.Equacao.a) / std::pow(l.Ponto.T + r.Equacao.b, r.Equacao.c);
        ssr += (i - l.Ponto.I) * (i - l.Ponto.I);
        sst += (l.Ponto.I - media) * (l.Ponto.I - media);
    }
    EXPECT_NEAR(1 - ssr / sst, r.Qualidade.R2, 1e-12);
    EXPECT_GT(r.Qualidade.R2, 0.99);
    EXPECT_EQ(r.Citacao(2026), "Ajuste ANA 01943011 (2026)");
    // The chosen candidate has the best Anderson-Darling p-value.
    for (const TCandidata& c : r.Series[0].Candidatas) EXPECT_LE(c.Testes.PAd, r.Series[0].Candidatas[r.Series[0].Escolhida].Testes.PAd);
}

TEST(Ajuste, RecordsWithTooFewYearsAreRefusedNamingTheYearsFound) {
    const struct { const char* arquivo; const char* anos; } casos[] = {
        {"rainfall_00765000.csv", "só 3 ano(s) utilizável(is) (1995, 1996, 2005)"},
        {"rainfall_02549017.csv", "só 3 ano(s) utilizável(is) (1995, 1996, 1997)"}};
    for (const auto& c : casos) {
        try {
            AjustaRegistro(LeRegistro(kAna + "/" + c.arquivo), Opcoes(0));
            ADD_FAILURE() << c.arquivo;
        } catch (const ESemAjuste& e) {
            EXPECT_NE(std::string(e.what()).find(c.arquivo), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.anos), std::string::npos) << e.what();
        }
    }
}

TEST(Ajuste, BootstrapIsReproducibleAndItsIntervalsHoldTheEstimates) {
    const TRegistro registro = LeRegistro(kAna + "/rainfall_01943011.csv");
    for (Distribuicao d : {Distribuicao::Gumbel, Distribuicao::Gev}) {
        TOpcoesAjuste o = Opcoes(200);
        o.Dist = d;
        const TResultadoAjuste r = AjustaRegistro(registro, o);
        const TResultadoAjuste mesma = AjustaRegistro(registro, o);
        o.Semente = 6;
        const TResultadoAjuste outra = AjustaRegistro(registro, o);
        EXPECT_EQ(r.Replicas + r.ReplicasFalhas, 200);
        EXPECT_EQ(r.IcK.Inferior, mesma.IcK.Inferior);
        EXPECT_EQ(r.IcK.Superior, mesma.IcK.Superior);
        EXPECT_NE(r.IcK.Inferior, outra.IcK.Inferior);
        auto contem = [](const TIntervalo& i, double v) { return i.Inferior <= v && v <= i.Superior && i.Inferior < i.Superior; };
        EXPECT_TRUE(contem(r.IcK, r.Equacao.K));
        EXPECT_TRUE(contem(r.Ica, r.Equacao.a));
        for (std::size_t k = 0; k < r.Tr.size(); ++k) EXPECT_TRUE(contem(r.Series[0].IcQuantis[k], r.Series[0].Quantis[k])) << k;
        for (const TLinhaTabela& l : r.Tabela) {
            EXPECT_TRUE(contem(l.IcTabela, l.Ponto.I));
            EXPECT_TRUE(contem(l.IcAjustada, l.Ajustada));
        }
        // Wider for longer return periods.
        const TLinhaTabela* i2 = r.Linha(2, 60);
        const TLinhaTabela* i100 = r.Linha(100, 60);
        ASSERT_TRUE(i2 && i100);
        EXPECT_LT(i2->IcAjustada.Superior - i2->IcAjustada.Inferior, i100->IcAjustada.Superior - i100->IcAjustada.Inferior);
    }
}

TEST(Ajuste, SubDailyTableNeedsNoRatios) {
    // 20 years of maxima of 10, 60 and 1440 min from depths that grow with the year's rank.
    std::string texto = "ano;10;60;1440\n";
    for (int a = 0; a < 20; ++a) {
        const double f = 1 + 0.05 * ((a * 7) % 20);
        texto += std::to_string(1990 + a) + ";" + std::to_string(15 * f) + ";" + std::to_string(40 * f) + ";" +
                 std::to_string(90 * f) + "\n";
    }
    for (char& ch : texto) if (ch == '.') ch = ',';
    TOpcoesAjuste o = Opcoes(0);
    o.Dist = Distribuicao::Gumbel;
    o.Met = Metodo::LMomentos;
    const TResultadoAjuste r = AjustaRegistro(LeRegistroDoTexto(texto, "sub.csv"), o);
    EXPECT_TRUE(r.FonteDesagregacao.empty());
    ASSERT_EQ(r.Series.size(), 3u);
    EXPECT_EQ(r.Duracoes, (std::vector<double>{10, 60, 1440}));
    // Each column's Tr 2 quantile over its own duration: no ratio between them.
    const TLinhaTabela* l = r.Linha(2, 60);
    ASSERT_TRUE(l);
    EXPECT_NEAR(l->Ponto.I, r.Series[1].Quantis[0], 1e-9);
}

}  // namespace
