// The interpolation pool: the rules of the exact match, a station text that
// does not read, and the contributions with their weights.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>

#include "database/BDPrecipitacao.h"
#include "database/PoolInterpolacao.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "suporte/ArquivosDeTeste.h"

namespace {

AnsiString Texto(int graus, int minutos, int segundos) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d\xB0%02d'%02d\"", graus, minutos, segundos);
    return buf;
}

// The shared record helper with the coordinates first.
TEstacao Estacao(const char* nome, const AnsiString& lat, const AnsiString& lon, double K, double a, double b,
                 double c) {
    return ::Estacao(nome, K, a, b, c, lat, lon);
}

}  // namespace

class PoolPequeno : public ::testing::Test {
protected:
    TBDPrecipitacao bd{""};
    TEstacoesPorEstado estacoes;
    std::vector<long double> pesos;
    TEstacao Calcula(const AnsiString& la, const AnsiString& lo) {
        bd.DefineEstacoes(estacoes);
        return bd.Pool().Interpola(la, lo, pesos);
    }
};

TEST_F(PoolPequeno, ExactMatchTakesTheFirstStationInScanOrder) {
    // Tocantins (26) is scanned after Bahia (4), Santa Catarina (23) is outside the pool.
    estacoes[23].push_back(Estacao("SC", Texto(20, 0, 0), Texto(45, 0, 0), 9, 9, 9, 9));
    estacoes[26].push_back(Estacao("TO", Texto(20, 0, 0), Texto(45, 0, 0), 7, 0.7, 7, 0.7));
    estacoes[4].push_back(Estacao("BA", Texto(20, 0, 0), Texto(45, 0, 0), 4, 0.4, 4, 0.4));
    estacoes[4].push_back(Estacao("BA2", Texto(21, 0, 0), Texto(45, 0, 0), 5, 0.5, 5, 0.5));
    const TEstacao r = Calcula(Texto(20, 0, 0), Texto(45, 0, 0));
    EXPECT_EQ("BA", r.Nome.Text());
    EXPECT_EQ(4, double{r.K});
}

TEST_F(PoolPequeno, SamePlaceWrittenDifferently) {
    // 20°00'60" and 20°01'00" are the same place; read in long double for the
    // station and double for the point they are a hair apart, so the station
    // takes practically all the weight.
    estacoes[4].push_back(Estacao("longe", Texto(25, 0, 0), Texto(45, 0, 0), 1, 1, 1, 1));
    estacoes[12].push_back(Estacao("sessenta", Texto(20, 0, 60), Texto(45, 0, 0), 2, 2, 2, 2));
    estacoes[12].push_back(Estacao("zero", Texto(0, 0, 0), Texto(45, 0, 0), 3, 3, 3, 3));
    const TEstacao r = Calcula(Texto(20, 1, 0), Texto(45, 0, 0));
    EXPECT_DOUBLE_EQ(2, double{r.K});
    // Where both read exactly alike the distance is 0 and the station is the answer.
    const TEstacao z = Calcula(Texto(0, 0, 0), Texto(44, 59, 60));
    EXPECT_EQ("zero", z.Nome.Text());
}

TEST_F(PoolPequeno, UnreadableStationTextFailsWhenTheScanReachesIt) {
    estacoes[4].push_back(Estacao("boa", Texto(20, 0, 0), Texto(45, 0, 0), 1, 1, 1, 1));
    estacoes[7].push_back(Estacao("ruim", "2x\xB0" "00'00\"", Texto(45, 0, 0), 2, 2, 2, 2));
    estacoes[8].push_back(Estacao("depois", Texto(22, 0, 0), Texto(45, 0, 0), 3, 3, 3, 3));
    // Found before the bad station is reached.
    EXPECT_EQ("boa", Calcula(Texto(20, 0, 0), Texto(45, 0, 0)).Nome.Text());
    // Found only after it, or interpolated: the scan stops at the bad text.
    for (const AnsiString& la : {Texto(22, 0, 0), Texto(21, 0, 0)})
        EXPECT_THROW(Calcula(la, Texto(45, 0, 0)), EConvertError);
}

TEST_F(PoolPequeno, ContributionsNearestFirstWithTheirShares) {
    estacoes[4].push_back(Estacao("dois graus", Texto(22, 0, 0), Texto(45, 0, 0), 1, 1, 1, 1));
    estacoes[7].push_back(Estacao("um grau", Texto(19, 0, 0), Texto(45, 0, 0), 1, 1, 1, 1));
    bd.DefineEstacoes(estacoes);
    const TPoolInterpolacao& pool = bd.Pool();
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
