// Sub-daily series: storms planted in series written here, whose maxima are
// known for every duration; a summer-time jump; gaps at a window's edges;
// the ratios the gauge measures.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "ajuste/Ajuste.h"
#include "ajuste/ErrosAjuste.h"
#include "ajuste/RelatorioAjuste.h"
#include "ajuste/SerieSubdiaria.h"
#include "platform/Cp1252.h"

namespace {

// A 15-minute series over whole years, dry but for the storms: each storm
// a start (minutes from the first year's start) and its 15-minute depths.
struct TTempestade {
    long long Inicio;
    std::vector<double> Alturas;
};

// verao: the minute (from the first year's start) at which the local clock
// jumps an hour forward; the rows from there on are labelled an hour later.
std::string Serie(int primeiroAno, int anos, const std::vector<TTempestade>& tempestades, int dt = 15,
                  const std::vector<long long>& lacunas = {}, char sep = ',', long long verao = -1) {
    const long long inicio = static_cast<long long>(DiaCivil(primeiroAno, 1, 1)) * 1440;
    const long long fim = static_cast<long long>(DiaCivil(primeiroAno + anos, 1, 1)) * 1440;
    std::vector<double> v(static_cast<std::size_t>((fim - inicio) / dt), 0.0);
    for (const auto& t : tempestades)
        for (std::size_t k = 0; k < t.Alturas.size(); ++k) v[static_cast<std::size_t>(t.Inicio / dt) + k] = t.Alturas[k];
    for (long long l : lacunas) v[static_cast<std::size_t>(l / dt)] = NAN;
    std::string s = sep == ',' ? "datetime_local,p15_mm\n" : "data;chuva\n";
    char b[64];
    for (std::size_t i = 0; i < v.size(); ++i) {
        long long m = inicio + static_cast<long long>(i + 1) * dt;   // the time ending the interval
        if (verao >= 0 && m >= inicio + verao) m += 60;
        int a, me, d;
        DataCivil(static_cast<int>(m / 1440), a, me, d);
        std::snprintf(b, sizeof b, "%04d-%02d-%02d %02lld:%02lld%c", a, me, d, (m % 1440) / 60, m % 60, sep);
        s += b;
        if (!std::isnan(v[i])) {
            std::snprintf(b, sizeof b, "%.1f", v[i]);
            std::string x = b;
            if (sep == ';') x[x.find('.')] = ',';
            s += x;
        }
        s += '\n';
    }
    return s;
}

// The maxima of every year, however few (MaximosAnuais asks for ten).
TMaximosAnuais Maximos(const std::string& texto, TOpcoesMaximos o = {}) {
    TRegistro r = LeRegistroDoTexto(texto, "serie.csv");
    TMaximosAnuais m;
    MaximosSubdiarios(r, o, m);
    return m;
}

double Maximo(const TMaximosAnuais& m, int ano, double duracao) {
    for (const auto& a : m.Usados)
        if (a.Ano == ano)
            for (std::size_t j = 0; j < m.Duracoes.size(); ++j)
                if (m.Duracoes[j] == duracao) return a.Alturas[j];
    return NAN;
}

constexpr long long kDia = 1440;

TEST(Subdiaria, PlantedStormsGiveTheirMaximaForEveryDuration) {
    // 2001: a burst of 4 intervals (10, 30, 20, 5 mm) and, days later, a long
    // rain of 2 mm per interval for 30 hours (60 mm in any 24 h).
    // 2002: one interval of 12 mm. Either dialect gives the same.
    std::vector<double> longa(120, 2.0);
    const std::vector<TTempestade> t = {{10 * kDia + 600, {10, 30, 20, 5}},
                                        {40 * kDia, longa},
                                        {365 * kDia + 100 * kDia, {12}}};
    for (char sep : {',', ';'}) {
        const TMaximosAnuais m = Maximos(Serie(2001, 2, t, 15, {}, sep));
        ASSERT_EQ(m.Usados.size(), 2u);
        const struct { int ano; double t, esperado; } casos[] = {
            {2001, 15, 30}, {2001, 30, 50}, {2001, 45, 60}, {2001, 60, 65}, {2001, 120, 65},
            {2001, 240, 65}, {2001, 360, 65}, {2001, 480, 65}, {2001, 720, 96}, {2001, 1440, 192},
            {2002, 15, 12}, {2002, 60, 12}, {2002, 1440, 12}};
        for (const auto& c : casos) EXPECT_NEAR(Maximo(m, c.ano, c.t), c.esperado, 1e-9) << c.ano << " " << c.t << " " << sep;
        EXPECT_EQ(m.Intervalo, 15);
    }
}

TEST(Subdiaria, AWindowThatTouchesAGapDoesNotCount) {
    // 10 mm in the interval right before a gap and 10 right after it: no
    // 30-minute window holds both, and the one that spans the gap is void.
    const long long g = 50 * kDia;
    const TMaximosAnuais m = Maximos(Serie(2001, 1, {{g - 15, {10}}, {g + 15, {10}}}, 15, {g}));
    EXPECT_NEAR(Maximo(m, 2001, 15), 10, 1e-9);
    EXPECT_NEAR(Maximo(m, 2001, 30), 10, 1e-9);
    EXPECT_NEAR(Maximo(m, 2001, 45), 10, 1e-9);
    // Without the gap the same depths make 20 in 45 minutes.
    const TMaximosAnuais sem = Maximos(Serie(2001, 1, {{g - 15, {10, 0, 10}}}));
    EXPECT_NEAR(Maximo(sem, 2001, 45), 20, 1e-9);
}

TEST(Subdiaria, SummerTimeJumpsAreConsecutiveAndAYearWithGapsIsLeftOut) {
    // The hour skipped at midnight in October: the local times jump from
    // 23:45 to 01:00; the rain across it is one storm of consecutive intervals.
    const std::string s = Serie(2001, 2, {{289 * kDia + 1410, {8, 9}}}, 15, {}, ',', 290 * kDia);
    ASSERT_NE(s.find("2001-10-17 23:45,8.0\n2001-10-18 01:00,9.0\n"), std::string::npos);
    TRegistro r = LeRegistroDoTexto(s, "verao.csv");
    ASSERT_EQ(r.Notas.size(), 1u);
    EXPECT_NE(r.Notas[0].find(Ansi("horário de verão")), std::string::npos);
    TMaximosAnuais m;
    MaximosSubdiarios(r, {}, m);
    EXPECT_NEAR(Maximo(m, 2001, 30), 17, 1e-9);

    // A year with more than 10% of its intervals missing is left out, and says so.
    std::vector<long long> lacunas;
    for (long long k = 0; k < 40 * kDia; k += 15) lacunas.push_back(365 * kDia + k);
    const TMaximosAnuais n = Maximos(Serie(2001, 2, {{kDia, {5}}, {400 * kDia, {5}}}, 15, lacunas));
    ASSERT_EQ(n.Deixados.size(), 1u);
    EXPECT_EQ(n.Deixados[0].Ano, 2002);
    EXPECT_NE(n.Deixados[0].Motivo.find(Ansi("intervalos faltando")), std::string::npos);
}

TEST(Subdiaria, BadInputGivesTheFileAndLine) {
    const struct { const char* texto; const char* mensagem; } casos[] = {
        {"t,p\n2001-01-01 00:15,1\n2001-01-01 00:30,x\n", "serie.csv, linha 3"},
        {"t,p\n2001-01-01 00:15,1\n2001-01-01 00:30,-2\n", "altura negativa"},
        {"t,p\n2001-01-01 00:15,1\n2001-01-01 00:30,1\n2001-01-01 00:45,1\n2001-01-01 01:00,1\n"
         "2001-01-01 01:10,1\n", "linha 6"},
        {"t,p\n2001-01-01 00:15,1\n2001-01-01 02:15,1\n2001-01-01 04:15,1\n", "intervalo fixo"},
    };
    for (const auto& c : casos) {
        try {
            LeRegistroDoTexto(c.texto, "serie.csv");
            ADD_FAILURE() << c.mensagem;
        } catch (const ERegistroInvalido& e) {
            EXPECT_NE(std::string(e.what()).find(c.mensagem), std::string::npos) << e.what();
        }
    }
}

// The ratios measured: a gauge whose every storm keeps the same shape has
// ratios that are the shape's own; the fit needs no disaggregation.
TEST(Subdiaria, MeasuredRatiosAndTheFitWithoutDisaggregation) {
    std::vector<TTempestade> t;
    for (int a = 0; a < 12; ++a) {
        const double f = 1 + 0.1 * a;   // a larger storm each year, the same shape
        t.push_back({a * 365 * kDia + 100 * kDia + 7 * 60, {10 * f, 20 * f, 6 * f, 4 * f, 2 * f, 2 * f, 2 * f, 2 * f}});
    }
    const TMaximosAnuais m = Maximos(Serie(2001, 12, t));
    ASSERT_EQ(m.Usados.size(), 12u);
    const TDesagregacao d = RazoesMedidas(m, "teste");
    auto razao = [&](double t, double base) -> double {
        for (const TRazao& z : d.Razoes)
            if (z.Duracao == t && z.Base == base) return z.Razao;
        return NAN;
    };
    EXPECT_NEAR(razao(30, 60), 30.0 / 40.0, 1e-12);
    EXPECT_NEAR(razao(15, 30), 20.0 / 30.0, 1e-12);
    EXPECT_NEAR(razao(60, 1440), 40.0 / 48.0, 1e-12);
    EXPECT_NEAR(razao(1440, 0), 1.0, 1e-12);   // each storm inside one civil day

    TOpcoesAjuste o;
    o.Bootstrap = 50;
    o.ReplicasAderencia = 50;
    const TResultadoAjuste r = AjustaRegistro(LeRegistroDoTexto(Serie(2001, 12, t), "serie.csv"), o);
    EXPECT_TRUE(r.FonteDesagregacao.empty());
    EXPECT_EQ(r.Series.size(), 11u);
    EXPECT_EQ(TabelasDoRelatorio(r, ',').back().Titulo.rfind(Ansi("Razões"), 0), 0u);
}

}  // namespace
