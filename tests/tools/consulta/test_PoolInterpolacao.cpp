// The prepared pool against the core's Interpola, the rules of the exact
// match, and the weights.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <random>

#include "PoolInterpolacao.h"
#include "database/BDPrecipitacao.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {

AnsiString Texto(int graus, int minutos, int segundos) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d\xB0%02d'%02d\"", graus, minutos, segundos);
    return buf;
}

AnsiString TextoDeSegundos(int total) { return Texto(total / 3600, total / 60 % 60, total % 60); }

TEstacao Estacao(const char* nome, const AnsiString& lat, const AnsiString& lon, double K, double a, double b,
                 double c) {
    TEstacao e;
    e.Nome.Assign(nome);
    e.Autor.Assign("AUTOR (2000)");
    e.Latitude.Assign(lat);
    e.Longitude.Assign(lon);
    e.K = K;
    e.a = a;
    e.b = b;
    e.c = c;
    return e;
}

void EsperaIguais(const TEstacao& esperado, const TEstacao& obtido) {
    EXPECT_EQ(esperado.Nome.Text(), obtido.Nome.Text());
    EXPECT_EQ(esperado.Autor.Text(), obtido.Autor.Text());
    EXPECT_EQ(esperado.Latitude.Text(), obtido.Latitude.Text());
    EXPECT_EQ(esperado.Longitude.Text(), obtido.Longitude.Text());
    // Packed fields are read by value.
    EXPECT_EQ((std::array<double, 4>{esperado.K, esperado.a, esperado.b, esperado.c}),
              (std::array<double, 4>{obtido.K, obtido.a, obtido.b, obtido.c}));
}

}  // namespace

TEST(PoolInterpolacao, AgreesWithInterpolaOnRandomStationsAndPoints) {
    std::mt19937 g(2024);
    std::uniform_int_distribution<int> lat(0, 33 * 3600), lon(34 * 3600, 74 * 3600), estado(0, 26);
    std::uniform_real_distribution<double> K(300, 9000), a(0.05, 0.3), b(4, 40), c(0.6, 1.1);
    TBDPrecipitacao bd("");
    for (int i = 0; i < 3000; ++i)
        bd.Estacoes[static_cast<std::size_t>(estado(g))].push_back(
            Estacao("E", TextoDeSegundos(lat(g)), TextoDeSegundos(lon(g)), K(g), a(g), b(g), c(g)));
    const TPoolInterpolacao pool(bd);
    std::vector<long double> pesos;
    for (int i = 0; i < 400; ++i) {
        const AnsiString la = TextoDeSegundos(lat(g)), lo = TextoDeSegundos(lon(g));
        SCOPED_TRACE(Utf8(la + " " + lo));
        EsperaIguais(bd.Interpola(la, lo), pool.Interpola(la, lo, pesos));
    }
    // Every station's own texts: its record, as the core gives it.
    for (int s : EstadosInterpolacao)
        for (const TEstacao& e : bd.Estacoes[static_cast<std::size_t>(s)])
            EsperaIguais(bd.Interpola(e.Latitude.Text(), e.Longitude.Text()),
                         pool.Interpola(e.Latitude.Text(), e.Longitude.Text(), pesos));
}

class PoolPequeno : public ::testing::Test {
protected:
    TBDPrecipitacao bd{""};
    std::vector<long double> pesos;
    TEstacao Calcula(const AnsiString& la, const AnsiString& lo) {
        const TPoolInterpolacao pool(bd);
        return pool.Interpola(la, lo, pesos);
    }
};

TEST_F(PoolPequeno, ExactMatchTakesTheFirstStationInScanOrder) {
    // Tocantins (26) is scanned after Bahia (4), Santa Catarina (23) is outside the pool.
    bd.Estacoes[23].push_back(Estacao("SC", Texto(20, 0, 0), Texto(45, 0, 0), 9, 9, 9, 9));
    bd.Estacoes[26].push_back(Estacao("TO", Texto(20, 0, 0), Texto(45, 0, 0), 7, 0.7, 7, 0.7));
    bd.Estacoes[4].push_back(Estacao("BA", Texto(20, 0, 0), Texto(45, 0, 0), 4, 0.4, 4, 0.4));
    bd.Estacoes[4].push_back(Estacao("BA2", Texto(21, 0, 0), Texto(45, 0, 0), 5, 0.5, 5, 0.5));
    const TEstacao r = Calcula(Texto(20, 0, 0), Texto(45, 0, 0));
    EXPECT_EQ("BA", r.Nome.Text());
    EXPECT_EQ(4, double{r.K});
}

TEST_F(PoolPequeno, SamePlaceWrittenDifferentlyFollowsTheCore) {
    // 20°00'60" and 20°01'00" are the same place; read in long double for the
    // station and double for the point they are a hair apart, so the station
    // takes practically all the weight.
    bd.Estacoes[4].push_back(Estacao("longe", Texto(25, 0, 0), Texto(45, 0, 0), 1, 1, 1, 1));
    bd.Estacoes[12].push_back(Estacao("sessenta", Texto(20, 0, 60), Texto(45, 0, 0), 2, 2, 2, 2));
    bd.Estacoes[12].push_back(Estacao("zero", Texto(0, 0, 0), Texto(45, 0, 0), 3, 3, 3, 3));
    const TEstacao r = Calcula(Texto(20, 1, 0), Texto(45, 0, 0));
    EsperaIguais(bd.Interpola(Texto(20, 1, 0), Texto(45, 0, 0)), r);
    EXPECT_DOUBLE_EQ(2, double{r.K});
    // Where both read exactly alike the distance is 0 and the station is the answer.
    const TEstacao z = Calcula(Texto(0, 0, 0), Texto(44, 59, 60));
    EXPECT_EQ("zero", z.Nome.Text());
    EsperaIguais(bd.Interpola(Texto(0, 0, 0), Texto(44, 59, 60)), z);
}

TEST_F(PoolPequeno, UnreadableStationTextFailsLikeTheCore) {
    bd.Estacoes[4].push_back(Estacao("boa", Texto(20, 0, 0), Texto(45, 0, 0), 1, 1, 1, 1));
    bd.Estacoes[7].push_back(Estacao("ruim", "2x\xB0" "00'00\"", Texto(45, 0, 0), 2, 2, 2, 2));
    bd.Estacoes[8].push_back(Estacao("depois", Texto(22, 0, 0), Texto(45, 0, 0), 3, 3, 3, 3));
    // Found before the bad station is reached.
    EXPECT_EQ("boa", Calcula(Texto(20, 0, 0), Texto(45, 0, 0)).Nome.Text());
    // Found only after it, or interpolated: the core stops at the bad text.
    for (const AnsiString& la : {Texto(22, 0, 0), Texto(21, 0, 0)}) {
        EXPECT_THROW(bd.Interpola(la, Texto(45, 0, 0)), EConvertError);
        EXPECT_THROW(Calcula(la, Texto(45, 0, 0)), EConvertError);
    }
}

TEST_F(PoolPequeno, ContributionsNearestFirstWithTheirShares) {
    bd.Estacoes[4].push_back(Estacao("dois graus", Texto(22, 0, 0), Texto(45, 0, 0), 1, 1, 1, 1));
    bd.Estacoes[7].push_back(Estacao("um grau", Texto(19, 0, 0), Texto(45, 0, 0), 1, 1, 1, 1));
    const TPoolInterpolacao pool(bd);
    const auto lista = pool.Contribuicoes(Texto(20, 0, 0), Texto(45, 0, 0));
    ASSERT_EQ(2u, lista.size());
    EXPECT_EQ("um grau", lista[0].Estacao->Nome.Text());
    EXPECT_DOUBLE_EQ(1.0, lista[0].Distancia);
    EXPECT_DOUBLE_EQ(32.0 / 33, lista[0].Parcela);
    EXPECT_DOUBLE_EQ(2.0, lista[1].Distancia);
    EXPECT_DOUBLE_EQ(1.0 / 33, lista[1].Parcela);

    const auto exata = pool.Contribuicoes(Texto(22, 0, 0), Texto(45, 0, 0));
    ASSERT_EQ(1u, exata.size());
    EXPECT_EQ("dois graus", exata[0].Estacao->Nome.Text());
    EXPECT_EQ(0, exata[0].Distancia);
    EXPECT_EQ(1, exata[0].Parcela);
}
