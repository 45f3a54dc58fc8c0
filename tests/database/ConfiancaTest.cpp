// How far to trust an answer: geodesic kilometres against GeographicLib's
// published examples, the shares of a hand-summed case, the hull at its edge
// and the warning rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

#include "database/BDPrecipitacao.h"
#include "database/Confianca.h"
#include "platform/Cp1252.h"

namespace {

AnsiString Texto(int graus, int minutos, int segundos) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d\xB0%02d'%02d\"", graus, minutos, segundos);
    return buf;
}

// With a = c = 0 the intensity i(10, 60) is K itself.
TEstacao Estacao(const char* nome, const AnsiString& lat, const AnsiString& lon, double K) {
    TEstacao e;
    e.Nome.Assign(nome);
    e.Autor.Assign("AUTOR (2000)");
    e.Latitude.Assign(lat);
    e.Longitude.Assign(lon);
    e.K = K;
    e.a = 0;
    e.b = 10;
    e.c = 0;
    return e;
}

double Dms(int g, int m, int s) { return g + m / 60.0 + s / 3600.0; }

}  // namespace

// The examples of GeographicLib's documentation (WGS84; GRS80 differs from
// it by less than a millimetre over these lines): JFK to Singapore Changi,
// 15347628 m to the metre, and JFK to Heathrow, 5551.76 km. South and west
// are positive here, so the northern and eastern coordinates are negative.
TEST(DistanciaGeodesica, PublishedExamples) {
    const double jfkLat = -Dms(40, 38, 23), jfkLon = Dms(73, 46, 44);
    const double sinLat = -Dms(1, 21, 33), sinLon = -Dms(103, 59, 22);
    EXPECT_NEAR(DistanciaGeodesicaKm(jfkLat, jfkLon, sinLat, sinLon), 15347.628, 0.0005);
    EXPECT_NEAR(DistanciaGeodesicaKm(-40.6, 73.8, -51.6, 0.5), 5551.76, 0.005);
    EXPECT_EQ(DistanciaGeodesicaKm(12.5, 40.25, 12.5, 40.25), 0.0);
}

TEST(EnvoltoriaConvexa, EdgeAndVertexAreInsideAndASecondBeyondIsOutside) {
    const double s = 1 / 3600.0;
    // A square with a point in the middle of one edge and one inside.
    TEnvoltoriaConvexa h({{40, 10}, {42, 10}, {42, 12}, {40, 12}, {41, 10}, {41, 11}});
    EXPECT_EQ(h.Vertices().size(), 4u);
    for (auto p : std::vector<TEnvoltoriaConvexa::TPonto>{{41.5, 10}, {42, 11}, {40, 12}, {41, 11.5}})
        EXPECT_TRUE(h.Contem(p)) << p.X << " " << p.Y;
    for (auto p : std::vector<TEnvoltoriaConvexa::TPonto>{{41.5, 10 - s}, {42 + s, 11}, {39, 13}})
        EXPECT_FALSE(h.Contem(p)) << p.X << " " << p.Y;
    // Collinear stations only: the segment itself.
    TEnvoltoriaConvexa linha({{40, 10}, {41, 11}, {42, 12}});
    EXPECT_TRUE(linha.Contem({41.5, 11.5}));
    EXPECT_FALSE(linha.Contem({41.5, 11.5 + s}));
    EXPECT_FALSE(linha.Contem({43, 13}));
}

class ConfiancaPool : public ::testing::Test {
protected:
    TBDPrecipitacao bd{""};
    TEstacoesPorEstado estacoes;
    TConfianca Avalia(const AnsiString& la, const AnsiString& lo, double aviso = DistanciaDeAvisoPadrao) {
        bd.DefineEstacoes(estacoes);
        return TAvaliadorConfianca(bd.Pool(), aviso).Avalia(la, lo);
    }
};

// Weights 1/d^5 in planar degrees: at 1°, 1° and 2° they are 1, 1 and 1/32,
// so the shares are 32/65, 32/65 and 1/65; kilometres order the list.
TEST_F(ConfiancaPool, SharesOfAHandSummedCase) {
    estacoes[4] = {Estacao("Norte", Texto(10, 0, 0), Texto(41, 0, 0), 100),
                   Estacao("Longe", Texto(11, 0, 0), Texto(43, 0, 0), 300)};
    estacoes[26] = {Estacao("Sul", Texto(12, 0, 0), Texto(41, 0, 0), 200)};
    const TConfianca r = Avalia(Texto(11, 0, 0), Texto(41, 0, 0));
    ASSERT_EQ(r.Estacoes.size(), 3u);
    EXPECT_FALSE(r.Exata);
    EXPECT_EQ(r.Estacoes[0].Estacao->Nome.Text(), AnsiString("Norte"));   // 1° of latitude is shorter in the north
    EXPECT_EQ(r.Estacoes[0].EstadoIndice, 4);
    EXPECT_EQ(r.Estacoes[1].Estacao->Nome.Text(), AnsiString("Sul"));
    EXPECT_EQ(r.Estacoes[1].EstadoIndice, 26);
    EXPECT_EQ(r.Estacoes[2].Estacao->Nome.Text(), AnsiString("Longe"));
    EXPECT_NEAR(r.Estacoes[0].Parcela, 32.0 / 65, 1e-15);
    EXPECT_NEAR(r.Estacoes[1].Parcela, 32.0 / 65, 1e-15);
    EXPECT_NEAR(r.Estacoes[2].Parcela, 1.0 / 65, 1e-15);
    EXPECT_NEAR(r.Estacoes[0].DistanciaKm, 110.6, 0.2);   // a degree of latitude near 10°S
    EXPECT_DOUBLE_EQ(*r.Estacoes[2].I10_60, 300);
    EXPECT_DOUBLE_EQ(*r.MenorI, 100);
    EXPECT_DOUBLE_EQ(*r.MaiorI, 300);
}

// The spread covers the five nearest stations only; the counts are inclusive.
TEST_F(ConfiancaPool, SpreadOfTheFiveNearestAndCounts) {
    estacoes[4] = {Estacao("A", Texto(10, 10, 0), Texto(40, 0, 0), 50),    // 10' = 18.4 km
                   Estacao("B", Texto(10, 0, 0), Texto(40, 20, 0), 60),
                   Estacao("C", Texto(9, 40, 0), Texto(40, 0, 0), 70),
                   Estacao("D", Texto(10, 0, 0), Texto(39, 30, 0), 80),
                   Estacao("E", Texto(11, 0, 0), Texto(40, 0, 0), 90),
                   Estacao("F", Texto(12, 0, 0), Texto(42, 0, 0), 999)};
    const TConfianca r = Avalia(Texto(10, 0, 0), Texto(40, 0, 0));
    EXPECT_EQ(r.Ate25Km, 1);
    EXPECT_EQ(r.Ate50Km, 3);   // A, B (36 km), C (37 km)
    EXPECT_DOUBLE_EQ(*r.MenorI, 50);
    EXPECT_DOUBLE_EQ(*r.MaiorI, 90);
}

struct TCasoAviso {
    const char* Nome;
    int LatGraus, LatMin, LonGraus, LonMin;
    bool Exata, Longe, Fora;
};

class AvisoConfianca : public ConfiancaPool, public ::testing::WithParamInterface<TCasoAviso> {};

// Stations at the corners of a 2° square (10°-12°S, 40°-42°W).
TEST_P(AvisoConfianca, Rules) {
    const TCasoAviso& caso = GetParam();
    estacoes[4] = {Estacao("NE", Texto(10, 0, 0), Texto(40, 0, 0), 1), Estacao("NO", Texto(10, 0, 0), Texto(42, 0, 0), 1),
                   Estacao("SE", Texto(12, 0, 0), Texto(40, 0, 0), 1), Estacao("SO", Texto(12, 0, 0), Texto(42, 0, 0), 1)};
    const TConfianca r = Avalia(Texto(caso.LatGraus, caso.LatMin, 0), Texto(caso.LonGraus, caso.LonMin, 0));
    EXPECT_EQ(r.Exata, caso.Exata);
    EXPECT_EQ(r.Longe, caso.Longe);
    EXPECT_EQ(r.ForaDaEnvoltoria, caso.Fora);
    const AnsiString aviso = r.Aviso();
    EXPECT_EQ(aviso.empty(), !caso.Longe && !caso.Fora);
    EXPECT_EQ(aviso.find(Ansi("fora da área")) != AnsiString::npos, caso.Fora);
    EXPECT_EQ(aviso.find(Ansi("mais próxima está a")) != AnsiString::npos, caso.Longe);
    if (caso.Exata) EXPECT_EQ(r.Estacoes.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, AvisoConfianca,
    ::testing::Values(TCasoAviso{"PertoNaBorda", 10, 25, 40, 0, false, false, false},    // 46 km, on the edge
                      TCasoAviso{"LongeNaBorda", 10, 30, 40, 0, false, true, false},     // 55 km
                      TCasoAviso{"LongeDentro", 11, 0, 41, 0, false, true, false},       // centre
                      TCasoAviso{"PertoFora", 9, 45, 40, 0, false, false, true},         // 28 km north of NE
                      TCasoAviso{"LongeFora", 9, 0, 40, 0, false, true, true},
                      TCasoAviso{"Estacao", 12, 0, 42, 0, true, false, false}),
    [](const auto& info) { return std::string(info.param.Nome); });

// The warning distance is a setting.
TEST_F(ConfiancaPool, WarningDistanceIsASetting) {
    estacoes[4] = {Estacao("NE", Texto(10, 0, 0), Texto(40, 0, 0), 1), Estacao("SO", Texto(12, 0, 0), Texto(42, 0, 0), 1),
                   Estacao("SE", Texto(12, 0, 0), Texto(40, 0, 0), 1)};
    EXPECT_TRUE(Avalia(Texto(10, 30, 0), Texto(40, 0, 0)).Longe);
    EXPECT_FALSE(Avalia(Texto(10, 30, 0), Texto(40, 0, 0), 60).Longe);
}

// The station's own texts are the station, also where the degrees of the
// texts are not whole numbers; a pool of one station is not an exact match
// elsewhere.
TEST_F(ConfiancaPool, StationTextsAreExact) {
    estacoes[4] = {Estacao("Barra", Texto(11, 5, 0), Texto(43, 10, 0), 1), Estacao("Outra", Texto(12, 0, 0), Texto(40, 0, 0), 1)};
    const TConfianca r = Avalia(Texto(11, 5, 0), Texto(43, 10, 0));
    EXPECT_TRUE(r.Exata);
    ASSERT_EQ(r.Estacoes.size(), 1u);
    EXPECT_EQ(r.Estacoes[0].Estacao->Nome.Text(), AnsiString("Barra"));
    estacoes[4].pop_back();
    EXPECT_FALSE(Avalia(Texto(11, 6, 0), Texto(43, 10, 0)).Exata);
}

// The summary agrees with the full evaluation on everything but the length
// of the list: random stations in three pool states (some sharing a site,
// so ties in kilometres occur), points near them, on them and far off.
TEST_F(ConfiancaPool, SummaryAgreesWithTheFullEvaluation) {
    std::mt19937 g(7);
    std::uniform_int_distribution<int> grau(8, 30), minuto(0, 59);
    for (int estado : {4, 12, 24})
        for (int i = 0; i < 400; ++i) {
            const AnsiString la = Texto(grau(g), minuto(g), 0), lo = Texto(grau(g) + 30, minuto(g), 0);
            estacoes[static_cast<std::size_t>(estado)].push_back(Estacao("E", la, lo, 50 + i));
            if (i % 50 == 0) estacoes[static_cast<std::size_t>(estado)].push_back(Estacao("Par", la, lo, 70));
        }
    bd.DefineEstacoes(estacoes);
    const TAvaliadorConfianca avaliador(bd.Pool(), 30);
    std::vector<std::pair<AnsiString, AnsiString>> pontos = {{Texto(2, 0, 0), Texto(70, 0, 0)},
                                                             {Texto(35, 0, 0), Texto(35, 0, 0)}};
    for (int i = 0; i < 60; ++i) pontos.emplace_back(Texto(grau(g), minuto(g), minuto(g)), Texto(grau(g) + 30, minuto(g), 7));
    pontos.emplace_back(estacoes[12][3].Latitude.Text(), estacoes[12][3].Longitude.Text());
    for (const auto& [la, lo] : pontos) {
        const TConfianca todas = avaliador.Avalia(la, lo), resumo = avaliador.Resumo(la, lo);
        SCOPED_TRACE(Cp1252ToUtf8(la + " " + lo));
        EXPECT_EQ(todas.Exata, resumo.Exata);
        EXPECT_EQ(todas.Ate25Km, resumo.Ate25Km);
        EXPECT_EQ(todas.Ate50Km, resumo.Ate50Km);
        EXPECT_EQ(todas.MenorI, resumo.MenorI);
        EXPECT_EQ(todas.MaiorI, resumo.MaiorI);
        EXPECT_EQ(todas.Aviso(), resumo.Aviso());
        ASSERT_GE(resumo.Estacoes.size(), std::min<std::size_t>(5, todas.Estacoes.size()));
        for (std::size_t k = 0; k < resumo.Estacoes.size(); ++k) {
            EXPECT_EQ(todas.Estacoes[k].Estacao, resumo.Estacoes[k].Estacao) << k;
            EXPECT_EQ(todas.Estacoes[k].Parcela, resumo.Estacoes[k].Parcela) << k;
        }
    }
}

namespace {

using TPonto = TEnvoltoriaConvexa::TPonto;

// Andrew's chain over every point: the hull that the candidates must give.
std::vector<TPonto> CadeiaCompleta(std::vector<TPonto> p) {
    auto menor = [](TPonto a, TPonto b) { return a.X < b.X || (a.X == b.X && a.Y < b.Y); };
    std::sort(p.begin(), p.end(), menor);
    p.erase(std::unique(p.begin(), p.end(), [](TPonto a, TPonto b) { return a.X == b.X && a.Y == b.Y; }), p.end());
    if (p.size() < 3) return p;
    auto cruz = [](TPonto o, TPonto a, TPonto b) { return (a.X - o.X) * (b.Y - o.Y) - (a.Y - o.Y) * (b.X - o.X); };
    std::vector<TPonto> h;
    for (int volta = 0; volta < 2; ++volta) {
        const std::size_t piso = h.size() + 2;
        for (const TPonto& q : p) {
            while (h.size() >= piso && cruz(h[h.size() - 2], h.back(), q) <= 0) h.pop_back();
            h.push_back(q);
        }
        h.pop_back();
        std::reverse(p.begin(), p.end());
    }
    return h;
}

std::vector<TPonto> CirculoComGrade(bool circuloPrimeiro) {
    std::vector<TPonto> circulo, grade;
    for (int k = 0; k < 180; ++k) {
        const double a = 2 * 3.14159265358979323846 * k / 180;
        circulo.push_back({45 + 5 * std::cos(a), 15 + 5 * std::sin(a)});
    }
    for (int i = 0; i < 20000; ++i) grade.push_back({45 + (i % 141 - 70) / 20.0, 15 + (i / 141 - 70) / 20.0});
    std::vector<TPonto>& primeiro = circuloPrimeiro ? circulo : grade;
    const std::vector<TPonto>& depois = circuloPrimeiro ? grade : circulo;
    primeiro.insert(primeiro.end(), depois.begin(), depois.end());
    return primeiro;
}

struct TFormato {
    const char* Nome;
    std::vector<TPonto> Pontos;
};

}  // namespace

// Of many points only the candidates are kept, whatever their order and
// however they are split in parts, and their hull is that of every point:
// a circle around a grid (the circle first or last), a rectangle of whole
// seconds with many points on its edges, a lattice turned 45 degrees (its
// edges on the diagonals of the extremes), points on one line, one point.
TEST(EnvoltoriaConvexa, CandidatesGiveTheHullOfEveryPoint) {
    std::vector<TFormato> formatos = {{"circle first", CirculoComGrade(true)}, {"circle last", CirculoComGrade(false)}};
    std::vector<TPonto> retangulo, losango, linha;
    for (int i = 0; i < 6000; ++i) {
        retangulo.push_back({44 + (i % 100) / 3600.0 * 60, 15 + (i / 100) / 3600.0 * 60});
        const int u = i % 80 - 40, v = i / 80 - 37;
        if (std::abs(u) + std::abs(v) <= 40) losango.push_back({45.0 + u / 4.0, 15.0 + v / 4.0});
        linha.push_back({40 + i / 64.0, 10 + i / 32.0});
    }
    formatos.push_back({"rectangle", retangulo});
    formatos.push_back({"lattice turned 45 degrees", losango});
    formatos.push_back({"one line", linha});
    formatos.push_back({"one point", std::vector<TPonto>(100, TPonto{45, 15})});
    std::mt19937 g(3);
    for (TFormato& f : formatos) {
        SCOPED_TRACE(f.Nome);
        const std::vector<TPonto> esperado = CadeiaCompleta(f.Pontos);
        std::vector<TPonto> inverso(f.Pontos.rbegin(), f.Pontos.rend()), misturado = f.Pontos;
        std::shuffle(misturado.begin(), misturado.end(), g);
        for (const std::vector<TPonto>* ordem : {&f.Pontos, &inverso, &misturado}) {
            TCandidatasEnvoltoria inteiro, comeco, fim;
            for (std::size_t i = 0; i < ordem->size(); ++i) {
                inteiro.Inclui((*ordem)[i]);
                (i < ordem->size() / 3 ? comeco : fim).Inclui((*ordem)[i]);
            }
            comeco.Junta(fim);
            for (const TCandidatasEnvoltoria* c : {&inteiro, &comeco}) {
                const std::vector<TPonto> vertices = c->Envoltoria().Vertices();
                ASSERT_EQ(vertices.size(), esperado.size());
                for (std::size_t k = 0; k < vertices.size(); ++k) {
                    EXPECT_EQ(vertices[k].X, esperado[k].X) << k;
                    EXPECT_EQ(vertices[k].Y, esperado[k].Y) << k;
                }
            }
            if (f.Pontos.size() > 10000) EXPECT_LT(inteiro.Guardadas().size(), f.Pontos.size() / 10);
        }
    }
}

// A point with no station on one side of it may still be inside their
// hull; one with stations on all four sides is.
TEST_F(ConfiancaPool, HullAskedOnlyWithoutStationsOnAllSides) {
    estacoes[4] = {Estacao("N", Texto(13, 0, 0), Texto(45, 0, 0), 1), Estacao("SE", Texto(17, 0, 0), Texto(43, 0, 0), 1),
                   Estacao("SO", Texto(17, 0, 0), Texto(47, 0, 0), 1), Estacao("O", Texto(15, 0, 0), Texto(49, 0, 0), 1)};
    bd.DefineEstacoes(estacoes);
    const TAvaliadorConfianca avaliador(bd.Pool());
    const struct {
        AnsiString Lat, Lon;
        bool Fora;
    } casos[] = {{Texto(15, 0, 0), Texto(45, 0, 0), false},   // N and O on its lines: two sides
                 {Texto(16, 0, 0), Texto(46, 0, 0), false},   // all four sides
                 {Texto(12, 59, 59), Texto(45, 0, 0), true},  // just past N
                 {Texto(15, 0, 0), Texto(42, 0, 0), true}};
    for (const auto& c : casos) {
        SCOPED_TRACE(Cp1252ToUtf8(c.Lat + " " + c.Lon));
        EXPECT_EQ(avaliador.Avalia(c.Lat, c.Lon).ForaDaEnvoltoria, c.Fora);
        EXPECT_EQ(avaliador.Resumo(c.Lat, c.Lon).ForaDaEnvoltoria, c.Fora);
    }
}
