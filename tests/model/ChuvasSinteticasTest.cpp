// Chicago and Huff storms, their files for the hydraulic models, and the
// rational method, against closed forms evaluated here in long double.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "model/ChuvasSinteticas.h"
#include "model/MetodoRacional.h"
#include "model/SaidasDeChuva.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {
const TParametrosIdf Sp{1747.9, 0.181, 15, 0.89};

long double P(long double tr, long double t) {
    return Sp.K * std::pow(tr, static_cast<long double>(Sp.a)) / std::pow(t + Sp.b, static_cast<long double>(Sp.c)) *
           t / 60;
}

double Soma(const THietograma& h, double inicio, double fim) {
    double s = 0;
    for (const auto& b : h.Blocos)
        if (b.Inicio >= inicio - 1e-9 && b.Fim <= fim + 1e-9) s += b.Altura;
    return s;
}

std::string Mensagem(const std::function<void()>& f) {
    try {
        f();
    } catch (const Exception& e) {
        return Cp1252ToUtf8(e.Message());
    }
    return "(nenhum erro)";
}
}  // namespace

TEST(ChuvasSinteticas, EveryMethodAddsUpToTheStormDepth) {
    for (int m = 0; m < MetodosDeChuva; ++m)
        for (double r : {0.0, 0.375, 1.0}) {
            const auto metodo = static_cast<TMetodoChuva>(m);
            const THietograma h = CalculaChuva(metodo, Sp, 25, 180, 5, r);
            ASSERT_EQ(36u, h.Blocos.size());
            EXPECT_NEAR(static_cast<double>(P(25, 180)), Soma(h, 0, 180), 1e-9) << NomeDoMetodo(metodo);
            EXPECT_NEAR(Soma(h, 0, 180), h.Blocos.back().Acumulada, 1e-9);
        }
}

// Any interval of length d that holds the peak and splits as r to 1 - r
// receives P(Tr, d): here intervals that fall on block boundaries.
TEST(ChuvasSinteticas, ChicagoGivesTheEquationsDepthAroundThePeak) {
    const struct {
        double r, duracao, passo, d;
    } casos[] = {{0.5, 120, 5, 20}, {0.5, 120, 5, 120}, {0.25, 120, 5, 40}, {0.25, 120, 5, 80},
                 {0.4, 1500, 10, 100}, {0.75, 240, 15, 120}, {0, 60, 5, 30}, {1, 60, 5, 45}};
    for (const auto& c : casos) {
        const THietograma h = CalculaHietogramaChicago(Sp, 10, c.duracao, c.passo, c.r);
        const double pico = c.r * c.duracao;
        EXPECT_NEAR(static_cast<double>(P(10, c.d)), Soma(h, pico - c.r * c.d, pico + (1 - c.r) * c.d), 1e-9)
            << "r " << c.r << " d " << c.d;
        // The largest block touches the peak and the blocks fall away from it.
        const auto& pb = h.Blocos[static_cast<std::size_t>(h.BlocoDoPico)];
        EXPECT_TRUE(pb.Inicio <= pico + 1e-9 && pb.Fim >= pico - 1e-9) << c.r;
    }
}

TEST(ChuvasSinteticas, HuffFollowsThePublishedOrdinates) {
    // The median curves as published: cumulative fraction of the depth at
    // 10 %, 20 %, ..., 90 % of the duration, first to fourth quartile.
    const double publicados[4][9] = {{.178, .500, .705, .798, .855, .898, .930, .958, .983},
                                     {.031, .125, .305, .525, .725, .860, .930, .962, .985},
                                     {.040, .100, .140, .180, .280, .535, .790, .935, .985},
                                     {.040, .070, .100, .135, .185, .245, .350, .545, .940}};
    for (int q = 1; q <= 4; ++q) {
        // 100 blocks of 1.2 min over 120 min: a block ends at every 1 % of the duration.
        const THietograma h = CalculaHietogramaHuff(Sp, 10, 120, 1.2, q);
        const double total = static_cast<double>(P(10, 120));
        for (int k = 1; k <= 9; ++k)
            EXPECT_NEAR(publicados[q - 1][k - 1], h.Blocos[static_cast<std::size_t>(10 * k - 1)].Acumulada / total,
                        1e-12)
                << q << ' ' << k;
        // The largest block lies in the quartile that names the curve.
        EXPECT_EQ(q - 1, h.BlocoDoPico / 25) << q;
    }
}

TEST(ChuvasSinteticas, RefuseAsTheAlternatingBlocks) {
    const std::array<double, 4> casos[] = {{10, 120, 7, 0.5}, {0, 120, 10, 0.5}, {10, 10081, 1, 0.5}, {10, 120, 0, 0.5}};
    for (const auto& v : casos) {
        const std::string esperada = Mensagem([&] { CalculaHietograma(Sp, v[0], v[1], v[2], v[3]); });
        for (int m = 1; m < MetodosDeChuva; ++m)
            EXPECT_EQ(esperada, Mensagem([&] { CalculaChuva(static_cast<TMetodoChuva>(m), Sp, v[0], v[1], v[2], v[3]); }));
    }
    EXPECT_NE(std::string::npos, Mensagem([] { CalculaHietogramaChicago(Sp, 10, 120, 10, 1.5); }).find("Posição do pico"));
    TMetodoChuva m{};
    EXPECT_TRUE(MetodoDoNome("huff3", m));
    EXPECT_EQ(3, QuartilDeHuff(m));
    EXPECT_FALSE(MetodoDoNome("huff5", m));
}

// A reader of SWMM's documented time series format, written here: lines of
// "[date] time value", time as decimal hours or hours:minutes, ';' starts a
// comment; and of the [RAINGAGES] / [TIMESERIES] sections of an .inp.
namespace {
struct TPontoSwmm {
    double Horas, Valor;
};
double HorasSwmm(const std::string& t) {
    const auto dois = t.find(':');
    if (dois == std::string::npos) return std::stod(t);
    return std::stod(t.substr(0, dois)) + std::stod(t.substr(dois + 1)) / 60;
}
std::vector<TPontoSwmm> LeSerieSwmm(const std::string& texto, const std::string& nome = {}) {
    std::vector<TPontoSwmm> pontos;
    std::istringstream in(texto);
    std::string linha;
    while (std::getline(in, linha)) {
        linha = linha.substr(0, linha.find(';'));
        std::istringstream campos(linha);
        std::vector<std::string> c;
        for (std::string x; campos >> x;) c.push_back(x);
        if (c.empty()) continue;
        if (!nome.empty()) {
            if (c[0] != nome) continue;
            c.erase(c.begin());
        }
        EXPECT_TRUE(c.size() == 2 || c.size() == 3) << linha;
        pontos.push_back({HorasSwmm(c[c.size() - 2]), std::stod(c.back())});
    }
    return pontos;
}
}  // namespace

TEST(SaidasDeChuva, SwmmSeriesReadsBackAsTheStorm) {
    const THietograma h = CalculaHietogramaChicago(Sp, 10, 150, 10, 0.4);
    const auto confere = [&](const std::vector<TPontoSwmm>& pontos) {
        ASSERT_EQ(h.Blocos.size() + 1, pontos.size());
        double altura = 0;
        for (std::size_t k = 0; k < h.Blocos.size(); ++k) {
            EXPECT_NEAR(h.Blocos[k].Inicio / 60, pontos[k].Horas, 1e-12);
            EXPECT_NEAR(h.Blocos[k].Intensidade, pontos[k].Valor, 1e-9 * pontos[k].Valor);
            altura += pontos[k].Valor * (pontos[k + 1].Horas - pontos[k].Horas);   // mm/h over hours
        }
        EXPECT_NEAR(2.5, pontos.back().Horas, 1e-12);
        EXPECT_EQ(0, pontos.back().Valor);
        EXPECT_NEAR(static_cast<double>(P(10, 150)), altura, 1e-9);
    };
    confere(LeSerieSwmm(SerieSwmm(h, "teste")));
    const std::string inp = SecoesSwmm(h, "teste");
    confere(LeSerieSwmm(inp.substr(inp.find("[TIMESERIES]")), "ChuvaTormel"));
    // The gage: INTENSITY, the block as its interval, reading the series.
    std::istringstream gage(inp.substr(inp.find("[RAINGAGES]")));
    std::string linha;
    while (std::getline(gage, linha) && (linha.empty() || linha[0] == ';' || linha[0] == '[')) {
    }
    std::istringstream c(linha);
    std::string nome, formato, intervalo, scf, fonte, serie;
    c >> nome >> formato >> intervalo >> scf >> fonte >> serie;
    EXPECT_EQ("INTENSITY", formato);
    EXPECT_NEAR(10.0 / 60, HorasSwmm(intervalo), 1e-12);
    EXPECT_EQ("TIMESERIES", fonte);
    EXPECT_EQ("ChuvaTormel", serie);
    EXPECT_NE(std::string::npos, SecoesSwmm(h, "x", "chuva.dat").find("ChuvaTormel  FILE \"chuva.dat\""));

    EXPECT_EQ("1:05", HorasEMinutos(65));
    EXPECT_NE(std::string::npos,
              Mensagem([] { SerieSwmm(CalculaHietograma(Sp, 10, 10, 2.5), ""); }).find("inteiro de minutos"));
}

TEST(SaidasDeChuva, HecHmsPatternIsTheCumulativeFraction) {
    const THietograma h = CalculaHietogramaHuff(Sp, 10, 60, 15, 2);
    EXPECT_EQ("tempo_min,fracao_acumulada\n0,0\n15,0.208\n30,0.725\n45,0.948\n60,1\n", PadraoHecHms(h));
}

// Worked by hand: K 1747.9, a 0.181, b 15, c 0.89, Tr 10, tc 20 min:
// 10^0.181 = 1.517050, 35^0.89 = e^(0.89·3.555348) = e^3.164260 = 23.67122,
// i = 1747.9·1.517050/23.67122 = 112.0201 mm/h; Q = 0.6·112.0201·0.5/3.6
// = 9.33501 m³/s.
TEST(MetodoRacional, WorkedExample) {
    const TVazaoDeProjeto v = CalculaVazao(Sp, 0.5, 0.6, 20, 10);
    EXPECT_NEAR(112.0201, v.Intensidade, 5e-4);
    EXPECT_NEAR(9.33501, v.Vazao, 5e-5);
    EXPECT_TRUE(v.Notas.empty());
    // Kirpich: L 1.2 km, H 30 m: 1.728/30 = 0.0576, 0.0576^0.385 = e^(0.385·-2.854233)
    // = e^-1.098880 = 0.333244, tc = 57·0.333244 = 18.9949 min.
    EXPECT_NEAR(18.9949, TempoDeKirpich(1.2, 30), 5e-4);
    const TVazaoDeProjeto fora = CalculaVazao(Sp, 3, 0.6, 2, 500);   // area noted; tc and Tr in the one range note
    ASSERT_EQ(2u, fora.Notas.size());
    EXPECT_EQ(NotaDeExtrapolacao(500, 2), fora.Notas[1]);
}

TEST(MetodoRacional, RefusesNamingTheField) {
    const struct {
        double area, c, tc, tr;
        const char* campo;
    } casos[] = {{-1, 0.5, 10, 10, "Área de drenagem"}, {1, 1.2, 10, 10, "Coeficiente de escoamento C"},
                 {1, 0, 10, 10, "entre 0 e 1"},        {1, 0.5, 0, 10, "Tempo de concentração"},
                 {1, 0.5, 10, 0, "Período de retorno"}};
    for (const auto& c : casos)
        EXPECT_NE(std::string::npos, Mensagem([&] { CalculaVazao(Sp, c.area, c.c, c.tc, c.tr); }).find(c.campo)) << c.campo;
    EXPECT_NE(std::string::npos, Mensagem([] { TempoDeKirpich(1, 0); }).find("Desnível inválido"));
    EXPECT_NE(std::string::npos, Mensagem([] { TempoDeKirpich(0, 10); }).find("Comprimento"));
}
