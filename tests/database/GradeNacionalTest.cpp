// The national grid: the cell holding a point, the neighbour that stands in
// for a cell without a value, and the file read back or refused.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "suporte/ArquivosDeTeste.h"
#include "database/GradeNacional.h"
#include "platform/Erros.h"

namespace {

// 4 × 3 cells of 1° from (-50, 0) down to -3; K of cell (c, l) is 10·l + c + 1
// and every parameter is set, except the cells listed as holes.
TGradeNacional GradePequena(const std::vector<std::pair<int, int>>& buracos = {}) {
    TGradeNacional g;
    g.Define(4, 3, -50.0, 1.0, 0.0, -1.0, "teste");
    for (int l = 0; l < 3; ++l)
        for (int c = 0; c < 4; ++c) {
            bool buraco = false;
            for (auto [bc, bl] : buracos) buraco = buraco || (bc == c && bl == l);
            if (buraco) continue;
            for (int b = 0; b < NumeroBandasGrade; ++b)
                g.DefineValor(TDesagregacaoGrade::Estacao, static_cast<TBandaGrade>(b), c, l,
                              b == BandaK ? static_cast<float>(10 * l + c + 1) : 0.5f);
        }
    return g;
}

struct CasoPonto {
    const char* nome;
    std::vector<std::pair<int, int>> buracos;
    double lat, lon;
    double k;          // NaN: sem dado na grade
    bool daVizinha;
};

TEST(GradeNacional, ValorNoPontoEVizinhaMaisProxima) {
    const double semDado = std::numeric_limits<double>::quiet_NaN();
    const CasoPonto casos[] = {
        {"dentro da celula", {}, -1.5, -48.5, 12, false},
        {"borda oeste e norte pertencem a celula", {}, -1.0, -48.0, 13, false},
        {"fora a oeste", {}, -1.5, -50.5, semDado, false},
        {"fora ao sul", {}, -3.5, -48.5, semDado, false},
        // Hole at (1,1): the point sits near its east side, so (2,1) is nearest.
        {"buraco: vizinha a leste", {{1, 1}}, -1.5, -48.1, 13, true},
        // Near its north-west corner, the side cells also holes: the
        // diagonal (0,0) is nearer than (2,0) or (0,2).
        {"buraco: vizinha na diagonal", {{1, 1}, {1, 0}, {0, 1}}, -1.01, -48.99, 1, true},
        // Hole with every neighbour a hole too.
        {"sem vizinha a uma celula", {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}},
         -1.5, -48.5, semDado, false},
        // Two cells away only: still no value.
        {"vizinha a duas celulas nao conta", {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2}}, -0.5, -49.5,
         semDado, false},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        const TGradeNacional comBuracos = GradePequena(caso.buracos);
        const auto v = comBuracos.Valor(TDesagregacaoGrade::Estacao, caso.lat, caso.lon);
        if (std::isnan(caso.k)) {
            EXPECT_FALSE(v.has_value());
            continue;
        }
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(v->Celula.K(), caso.k);
        EXPECT_EQ(v->DaVizinha, caso.daVizinha);
        // The other disaggregations of the same grid stay empty.
        EXPECT_FALSE(comBuracos.Valor(TDesagregacaoGrade::Raster, caso.lat, caso.lon).has_value());
    }
}

TEST(GradeNacional, ArquivoGravadoVoltaIgualEArquivoCortadoERecusado) {
    TPastaTemporaria pasta;
    const std::string caminho = pasta.Caminho() + "grade.bin";
    TGradeNacional g = GradePequena({{2, 1}});
    g.DefineValor(TDesagregacaoGrade::Cetesb, BandaKsP, 3, 2, 0.25f);
    g.Grava(caminho);

    TGradeNacional lida;
    lida.Carrega(caminho);
    EXPECT_EQ(lida.Fonte(), "teste");
    EXPECT_EQ(lida.Dy(), -1.0);
    for (int d = 0; d < NumeroDesagregacoes; ++d)
        for (int l = 0; l < 3; ++l)
            for (int c = 0; c < 4; ++c) {
                const auto a = g.Celula(static_cast<TDesagregacaoGrade>(d), c, l).Valores;
                const auto b = lida.Celula(static_cast<TDesagregacaoGrade>(d), c, l).Valores;
                for (int k = 0; k < NumeroBandasGrade; ++k)
                    EXPECT_TRUE(a[k] == b[k] || (std::isnan(a[k]) && std::isnan(b[k])));
            }

    const std::string inteiro = ConteudoDoArquivo(caminho);
    for (std::size_t tamanho : {std::size_t{0}, std::size_t{20}, inteiro.size() - 1}) {
        SCOPED_TRACE(tamanho);
        GravaArquivo(caminho, inteiro.substr(0, tamanho));
        TGradeNacional antes = GradePequena();
        EXPECT_THROW(antes.Carrega(caminho), EDadosInvalidos);
        EXPECT_EQ(antes.Celula(TDesagregacaoGrade::Estacao, 0, 0).K(), 1.0);  // nothing half-loaded
    }
}

}  // namespace
