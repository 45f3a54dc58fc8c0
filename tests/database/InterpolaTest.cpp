#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "database/BDPrecipitacao.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "suporte/ArquivosDeTeste.h"

namespace {

AnsiString Dms(int g, int m, int s) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d\xB0%02d'%02d\"", g, m, s);
    return buf;
}

// Stations are given to the database as they stand: Interpola reads only
// them. Numbers of packed records are read by value (+r.K): a reference to
// them would be misaligned.
struct Pool : ::testing::Test {
    TBDPrecipitacao bd{"/nenhum/"};
    TEstacoesPorEstado estacoes;
    TEstacao Interpola(const AnsiString& latitude, const AnsiString& longitude) {
        bd.DefineEstacoes(estacoes);
        return bd.Interpola(latitude, longitude);
    }
};

}  // namespace

TEST_F(Pool, EmptyPoolGivesZerosAndTheInterpolationRecord) {
    estacoes[23] = {Estacao("Florianopolis", 9, 9, 9, 9, Dms(27, 35, 0), Dms(48, 32, 0))};
    const TEstacao r = Interpola(Dms(27, 35, 0), Dms(48, 32, 0));   // Santa Catarina is outside the pool
    EXPECT_EQ(+r.K, 0);
    EXPECT_EQ(+r.a, 0);
    EXPECT_EQ(+r.b, 0);
    EXPECT_EQ(+r.c, 0);
    EXPECT_EQ(r.Nome.Text(), "");
    EXPECT_EQ(r.Autor.Text(), Ansi("Interpolação"));
    EXPECT_EQ(r.Latitude.Text(), Dms(27, 35, 0));
    EXPECT_EQ(r.Longitude.Text(), Dms(48, 32, 0));
}

TEST_F(Pool, ExactTextsGiveTheFirstMatchingStationUnchanged) {
    estacoes[4] = {Estacao("Salvador", 1, 1, 1, 1, Dms(12, 58, 0), Dms(38, 30, 0), "BAHIA (1990)")};
    estacoes[12] = {Estacao("Belo Horizonte  ", 1447.87, 0.1, 20, 0.84, Dms(19, 55, 30), Dms(43, 56, 15),
                               "PINHEIRO (1997)")};
    estacoes[24] = {Estacao("Segunda", 5, 5, 5, 5, Dms(19, 55, 30), Dms(43, 56, 15))};
    estacoes[23] = {Estacao("Fora", 7, 7, 7, 7, Dms(19, 55, 30), Dms(43, 56, 15))};
    const TEstacao r = Interpola(Dms(19, 55, 30), Dms(43, 56, 15));
    EXPECT_EQ(r.Nome.Text(), "Belo Horizonte  ");
    EXPECT_EQ(r.Autor.Text(), "PINHEIRO (1997)");
    EXPECT_EQ(+r.K, 1447.87);
    EXPECT_EQ(+r.c, 0.84);

    // Differing only in the seconds: computed by weights, dominated by that station.
    const TEstacao q = Interpola(Dms(19, 55, 31), Dms(43, 56, 15));
    EXPECT_EQ(q.Autor.Text(), Ansi("Interpolação"));
    EXPECT_EQ(q.Nome.Text(), "");
    EXPECT_NEAR(q.K, (1447.87 + 5) / 2, 1e-6);   // the two stations share the position
}

TEST_F(Pool, SamePlaceWrittenDifferentlyIsTreatedAsAnExactMatchWithoutDividingByZero) {
    estacoes[7] = {Estacao("Vitoria", 2, 0.2, 2, 0.2, Dms(20, 20, 0), Dms(40, 20, 0))};
    estacoes[8] = {Estacao("Sessenta", 3, 0.3, 3, 0.3, Dms(15, 59, 60), Dms(49, 0, 0)),
                      Estacao("Outra", 4, 0.4, 4, 0.4, Dms(16, 0, 0), Dms(49, 0, 0))};
    const TEstacao r = Interpola(Dms(16, 0, 0), Dms(49, 0, 0));
    EXPECT_EQ(r.Nome.Text(), "Sessenta");   // first in scan order at distance 0
    EXPECT_EQ(+r.K, 3);
    EXPECT_TRUE(std::isfinite(r.a));
}

TEST_F(Pool, TwoStationsOnTheMeridianWeigh1And1Over32) {
    estacoes[15] = {Estacao("Um grau", 33, 0.33, 66, 3.3, Dms(21, 0, 0), Dms(45, 0, 0))};
    estacoes[26] = {Estacao("Dois graus", 66, 0.66, 33, 6.6, Dms(22, 0, 0), Dms(45, 0, 0))};
    const TEstacao r = Interpola(Dms(20, 0, 0), Dms(45, 0, 0));
    EXPECT_DOUBLE_EQ(r.K, (32 * 33.0 + 66) / 33);
    EXPECT_DOUBLE_EQ(r.a, (32 * 0.33 + 0.66) / 33);
    EXPECT_DOUBLE_EQ(r.b, (32 * 66.0 + 33) / 33);
    EXPECT_DOUBLE_EQ(r.c, (32 * 3.3 + 6.6) / 33);

    estacoes[26].clear();   // a single station: its own values
    const TEstacao s = Interpola(Dms(10, 0, 0), Dms(60, 0, 0));
    EXPECT_DOUBLE_EQ(s.K, 33);
    EXPECT_DOUBLE_EQ(s.c, 3.3);
}

TEST_F(Pool, BadCoordinateTextsRaiseTheConversionError) {
    estacoes[4] = {Estacao("Sem coordenadas", 1, 1, 1, 1, "  \xB0  '  \"", Dms(40, 0, 0))};
    EXPECT_THROW(Interpola(Dms(10, 0, 0), Dms(40, 0, 0)), EConvertError);   // the station's blanks
    estacoes[4] = {Estacao("Curta", 1, 1, 1, 1, "10\xB0", Dms(40, 0, 0))};
    EXPECT_THROW(Interpola(Dms(10, 0, 0), Dms(40, 0, 0)), EConvertError);   // shorter than 8
    estacoes[4].clear();
    EXPECT_THROW(Interpola("ab\xB0" "00'00\"", Dms(40, 0, 0)), EConvertError);
    EXPECT_THROW(Interpola(Dms(10, 0, 0), ""), EConvertError);
}

TEST(Interpola, AgreesWithAnIndependentInverseDistanceComputationOnRandomStations) {
    // Builds its own station file, loads it, and compares a plain
    // sum(w_i v_i) / sum(w_i) with w = 1/d^5 in planar degrees, all stations, no radius.
    TPastaTemporaria pasta;
    std::mt19937 gerador(20261207);
    std::uniform_int_distribution<int> graus(5, 30), minutos(0, 59), segundos(0, 59), estado(0, 26);
    std::uniform_real_distribution<double> param(0.05, 3000);
    std::vector<std::vector<TEstacao>> blocos(27);
    for (int i = 0; i < 400; ++i) {
        const TEstacao e = Estacao("E" + std::to_string(i), param(gerador), param(gerador) / 3000,
                                   param(gerador) / 100, param(gerador) / 3000,
                                   Dms(graus(gerador), minutos(gerador), segundos(gerador)),
                                   Dms(graus(gerador) + 30, minutos(gerador), segundos(gerador)));
        blocos[estado(gerador)].push_back(e);
    }
    TBDPrecipitacao bd(pasta.Caminho());
    GravaArquivo(bd.CaminhoEstacoes(), MontaArquivo(blocos));
    bd.CarregaEstacoes();

    auto le = [](const AnsiString& t) {
        return std::stod(t.substr(0, 2)) + std::stod(t.substr(3, 2)) / 60 + std::stod(t.substr(6, 2)) / 3600;
    };
    const int pool[] = {4, 7, 8, 12, 15, 18, 24, 26};
    int comparados = 0;
    for (int p = 0; p < 300; ++p) {
        const AnsiString lat = Dms(graus(gerador), minutos(gerador), segundos(gerador));
        const AnsiString lon = Dms(graus(gerador) + 30, minutos(gerador), segundos(gerador));
        long double w = 0, k = 0, a = 0, b = 0, c = 0;
        bool exata = false;
        for (int s : pool)
            for (const TEstacao& e : blocos[s]) {
                exata |= e.Latitude.Text() == lat && e.Longitude.Text() == lon;
                const long double d = std::hypot(static_cast<long double>(le(e.Latitude.Text()) - le(lat)),
                                                 static_cast<long double>(le(e.Longitude.Text()) - le(lon)));
                const long double wi = 1 / (d * d * d * d * d);
                w += wi;
                k += wi * e.K;
                a += wi * e.a;
                b += wi * e.b;
                c += wi * e.c;
            }
        if (exata) continue;
        const TEstacao r = bd.Interpola(lat, lon);
        EXPECT_NEAR(r.K, static_cast<double>(k / w), std::fabs(static_cast<double>(k / w)) * 1e-12);
        EXPECT_NEAR(r.a, static_cast<double>(a / w), std::fabs(static_cast<double>(a / w)) * 1e-12);
        EXPECT_NEAR(r.b, static_cast<double>(b / w), std::fabs(static_cast<double>(b / w)) * 1e-12);
        EXPECT_NEAR(r.c, static_cast<double>(c / w), std::fabs(static_cast<double>(c / w)) * 1e-12);
        ++comparados;
    }
    EXPECT_GT(comparados, 290);
}
