// The batch path (several threads, one weight buffer each) against the
// database's Interpola, bit for bit.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <random>

#include "ConsultaLote.h"
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

TEST(ConsultaLote, AgreesWithInterpolaOnRandomStationsAndPoints) {
    std::mt19937 g(2024);
    std::uniform_int_distribution<int> lat(0, 33 * 3600), lon(34 * 3600, 74 * 3600), estado(0, 26);
    std::uniform_real_distribution<double> K(300, 9000), a(0.05, 0.3), b(4, 40), c(0.6, 1.1);
    TBDPrecipitacao bd("");
    TEstacoesPorEstado estacoes;
    for (int i = 0; i < 3000; ++i)
        estacoes[static_cast<std::size_t>(estado(g))].push_back(
            Estacao("E", TextoDeSegundos(lat(g)), TextoDeSegundos(lon(g)), K(g), a(g), b(g), c(g)));
    bd.DefineEstacoes(estacoes);

    // Random points, then every pool station's own texts (its record).
    std::vector<TConsultaLote::TPonto> pontos;
    for (int i = 0; i < 400; ++i) {
        TConsultaLote::TPonto p;
        p.Latitude = TextoDeSegundos(lat(g));
        p.Longitude = TextoDeSegundos(lon(g));
        pontos.push_back(p);
    }
    for (int s : EstadosInterpolacao)
        for (const TEstacao& e : bd.Estacoes[static_cast<std::size_t>(s)]) {
            TConsultaLote::TPonto p;
            p.Latitude = e.Latitude.Text();
            p.Longitude = e.Longitude.Text();
            pontos.push_back(p);
        }
    TOpcoesConsulta opcoes;
    opcoes.Tarefas = 2;
    const auto resultados = TConsultaLote(bd.Pool(), opcoes).Calcula(pontos);
    ASSERT_EQ(pontos.size(), resultados.size());
    for (std::size_t i = 0; i < pontos.size(); ++i) {
        SCOPED_TRACE(Utf8(pontos[i].Latitude + " " + pontos[i].Longitude));
        ASSERT_EQ("", resultados[i].Erro);
        EsperaIguais(bd.Interpola(pontos[i].Latitude, pontos[i].Longitude), resultados[i].Estacao);
    }
}
