// One point straight from the station file against the prepared pool: the
// same K, a, b, c to the last bit, the same confidence summary, the same
// errors for records that are not whole and for a file cut short.
#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <vector>

#include "database/BDPrecipitacao.h"
#include "database/Confianca.h"
#include "database/PontoDireto.h"
#include "platform/Erros.h"
#include "suporte/ArquivosDeTeste.h"

namespace {

AnsiString Dms(int graus, int minutos, int segundos) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d\xB0%02d'%02d\"", graus, minutos, segundos);
    return buf;
}

// Enough stations for the scan to be cut in parts (65,536 a part), with the
// cases of the exact match among them: equal texts in two states (the first
// scanned answers), 20°29'60" at a place a double holds exactly (distance
// 0, other texts), fractional seconds, minutes past 59.
std::vector<std::vector<TEstacao>> Blocos() {
    std::vector<std::vector<TEstacao>> blocos(27);
    std::mt19937 g(25);
    std::uniform_int_distribution<int> lat(10 * 3600, 25 * 3600), lon(38 * 3600, 55 * 3600);
    std::uniform_real_distribution<double> p(0.05, 3000);
    for (int k = 0; k < 132000; ++k) {
        const int estado = EstadosInterpolacao[static_cast<std::size_t>(k % 8)];
        const int la = lat(g), lo = lon(g);
        blocos[static_cast<std::size_t>(estado)].push_back(Estacao("E" + std::to_string(k), p(g), p(g) / 3000,
                                                                   p(g) / 100, p(g) / 3000, Dms(la / 3600, la / 60 % 60, la % 60),
                                                                   Dms(lo / 3600, lo / 60 % 60, lo % 60)));
    }
    blocos[4].push_back(Estacao("BA igual", 1, 0.1, 1, 0.1, Dms(15, 0, 0), Dms(45, 0, 0)));
    blocos[26].push_back(Estacao("TO igual", 2, 0.2, 2, 0.2, Dms(15, 0, 0), Dms(45, 0, 0)));
    blocos[12].push_back(Estacao("sessenta", 3, 0.3, 3, 0.3, Dms(20, 29, 60), Dms(45, 0, 0)));
    blocos[15].push_back(Estacao("fracao", 4, 0.4, 4, 0.4, "18\xB0" "10'.5\"", Dms(46, 0, 0)));
    blocos[7].push_back(Estacao("minutos", 5, 0.5, 5, 0.5, "19\xB0" "75'00\"", Dms(56, 0, 0)));
    blocos[23].push_back(Estacao("fora do pool", 6, 0.6, 6, 0.6, Dms(16, 0, 0), Dms(44, 0, 0)));
    return blocos;
}

struct TPonto {
    const char* Caso;
    AnsiString Lat, Lon;
};

const TPonto kPontos[] = {
    {"equal texts in two states", Dms(15, 0, 0), Dms(45, 0, 0)},
    {"distance 0, other texts", Dms(20, 30, 0), Dms(45, 0, 0)},
    {"fractional seconds, by its texts", "18\xB0" "10'.5\"", Dms(46, 0, 0)},
    {"a random station's texts", "", ""},   // filled from the file
    {"between stations", Dms(17, 23, 41), Dms(47, 12, 9)},
    {"by the minutes past 59", Dms(20, 15, 0), Dms(55, 59, 59)},
    {"beyond every station", Dms(33, 0, 0), Dms(70, 0, 0)},
    {"outside Brazil", Dms(0, 0, 0), Dms(0, 0, 0)},
    {"a text past its capacity", Dms(17, 0, 0) + "0", Dms(47, 0, 0)},
};

uint64_t Bits(double x) { return std::bit_cast<uint64_t>(x); }

// Either answer, or the message that took its place; the confidence's
// stations by name (their records go with the file or the pool).
struct TResultado {
    std::optional<TEstacao> Estacao;
    std::optional<TConfianca> Confianca;
    std::vector<std::string> Nomes;
    std::string Erro;
    void Guarda(TConfianca c) {
        for (TEstacaoContribuinte& e : c.Estacoes) {
            Nomes.push_back(e.Estacao->Nome.Text());
            e.Estacao = nullptr;
        }
        Confianca = std::move(c);
    }
};

TResultado PeloPool(const std::string& pasta, const AnsiString& la, const AnsiString& lo) {
    TResultado r;
    try {
        TBDPrecipitacao bd(pasta);
        bd.CarregaEstacoesDaInterpolacao();
        std::vector<long double> pesos;
        constexpr auto kIntegro = TPoolInterpolacao::TExigencia::RegistroIntegro;
        r.Estacao = bd.Pool().Interpola(la, lo, pesos, kIntegro);
        r.Guarda(TAvaliadorConfianca(bd.Pool()).Resumo(la, lo, kIntegro));
    } catch (const Exception& e) {
        r.Erro = e.what();
    }
    return r;
}

TResultado Direto(const std::string& pasta, const AnsiString& la, const AnsiString& lo) {
    TResultado r;
    try {
        TBDPrecipitacao bd(pasta);
        TPontoDireto direto(bd.CaminhoEstacoes());
        TPontoDireto::TResposta x = direto.Responde(la, lo);
        r.Estacao = x.Estacao;
        r.Guarda(std::move(x.Confianca));
    } catch (const Exception& e) {
        r.Erro = e.what();
    }
    return r;
}

void ComparaIguais(const TResultado& pool, const TResultado& direto) {
    ASSERT_EQ(pool.Erro, direto.Erro);
    ASSERT_EQ(pool.Estacao.has_value(), direto.Estacao.has_value());
    if (!pool.Estacao) return;
    const TEstacao &p = *pool.Estacao, &d = *direto.Estacao;
    EXPECT_EQ(Bits(p.K), Bits(d.K));
    EXPECT_EQ(Bits(p.a), Bits(d.a));
    EXPECT_EQ(Bits(p.b), Bits(d.b));
    EXPECT_EQ(Bits(p.c), Bits(d.c));
    EXPECT_EQ(p.Nome.Text(), d.Nome.Text());
    EXPECT_EQ(p.Autor.Text(), d.Autor.Text());
    const TConfianca &cp = *pool.Confianca, &cd = *direto.Confianca;
    EXPECT_EQ(pool.Nomes, direto.Nomes);
    EXPECT_EQ(cp.Aviso(), cd.Aviso());
    EXPECT_EQ(cp.Exata, cd.Exata);
    EXPECT_EQ(cp.Ate25Km, cd.Ate25Km);
    EXPECT_EQ(cp.Ate50Km, cd.Ate50Km);
    EXPECT_EQ(cp.MenorI, cd.MenorI);
    EXPECT_EQ(cp.MaiorI, cd.MaiorI);
    EXPECT_EQ(cp.ForaDaEnvoltoria, cd.ForaDaEnvoltoria);
    ASSERT_EQ(cp.Estacoes.size(), cd.Estacoes.size());
    for (std::size_t i = 0; i < cp.Estacoes.size(); ++i) {
        EXPECT_EQ(cp.Estacoes[i].EstadoIndice, cd.Estacoes[i].EstadoIndice);
        EXPECT_EQ(Bits(cp.Estacoes[i].DistanciaKm), Bits(cd.Estacoes[i].DistanciaKm));
        EXPECT_EQ(Bits(cp.Estacoes[i].Parcela), Bits(cd.Estacoes[i].Parcela));
    }
}

}  // namespace

TEST(PontoDireto, SameAnswerAsThePoolToTheLastBit) {
    const TPastaTemporaria pasta;
    const std::vector<std::vector<TEstacao>> blocos = Blocos();
    pasta.Grava("Estados_Tor21.bin", MontaArquivo(blocos));
    for (TPonto ponto : kPontos) {
        if (ponto.Lat.empty()) {
            ponto.Lat = blocos[18][5000].Latitude.Text();
            ponto.Lon = blocos[18][5000].Longitude.Text();
        }
        SCOPED_TRACE(ponto.Caso);
        const TResultado pool = PeloPool(pasta.Caminho(""), ponto.Lat, ponto.Lon);
        ASSERT_TRUE(pool.Erro.empty()) << pool.Erro;
        ComparaIguais(pool, Direto(pasta.Caminho(""), ponto.Lat, ponto.Lon));
    }
}

// A record that is not whole is named only when the scan reaches it before
// the answer; a file cut short names the block where its data end.
TEST(PontoDireto, DamagedFilesGiveThePoolsErrors) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* Caso;
        std::function<void(std::vector<std::vector<TEstacao>>&)> Estraga;
        std::size_t Corte;   // bytes cut from the end of the file
    } casos[] = {
        {"a parameter that is not a number", [&](auto& b) { b[7][10].K = nan; }, 0},
        {"the same, in a later part of the scan", [&](auto& b) { b[18][70000 / 8].c = nan; }, 0},
        {"a latitude past its capacity", [](auto& b) { b[24][100].Latitude.Len = 12; }, 0},
        {"a longitude that does not read", [](auto& b) { b[26][3].Longitude.Assign("ab\xB0" "cd'ef\""); }, 0},
        {"the last block cut short", [](auto&) {}, 100},
        {"no counts", [](auto&) {}, 0},
    };
    std::vector<std::vector<TEstacao>> inteiros = Blocos();
    const TPonto pontos[] = {
        {"answered before the damage", Dms(15, 0, 0), Dms(45, 0, 0)},
        {"interpolated", Dms(17, 23, 41), Dms(47, 12, 9)},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.Caso);
        std::vector<std::vector<TEstacao>> blocos = inteiros;
        caso.Estraga(blocos);
        std::string dados = MontaArquivo(blocos);
        dados.resize(std::string(caso.Caso) == "no counts" ? 20 : dados.size() - caso.Corte);
        const TPastaTemporaria pasta;
        pasta.Grava("Estados_Tor21.bin", dados);
        for (const TPonto& ponto : pontos) {
            SCOPED_TRACE(ponto.Caso);
            const TResultado pool = PeloPool(pasta.Caminho(""), ponto.Lat, ponto.Lon);
            ComparaIguais(pool, Direto(pasta.Caminho(""), ponto.Lat, ponto.Lon));
        }
    }
}

// A file cut short after it was opened (another program rewriting it) is
// an error of reading raised to the caller, from whichever thread met it.
TEST(PontoDireto, FileCutAfterOpeningIsAnErrorOfReading) {
    const TPastaTemporaria pasta;
    const std::string caminho = pasta.Grava("Estados_Tor21.bin", MontaArquivo(Blocos()));
    const TPontoDireto direto(caminho);
    std::filesystem::resize_file(caminho, std::filesystem::file_size(caminho) / 2);
    EXPECT_THROW(direto.Responde(Dms(17, 23, 41), Dms(47, 12, 9)), EInOutError);
}
