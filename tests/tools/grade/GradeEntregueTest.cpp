// The grid file the build makes, read by the core, against gdallocationinfo
// on the GRIDF-BR GeoTIFFs: 50 random points of the grid's area and points
// on and beside cell edges, every band of every disaggregation.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "database/GradeNacional.h"

namespace {

const char* const kBandas[NumeroBandasGrade] = {"IDF_k", "IDF_a", "IDF_b", "IDF_c", "IDF_R2", "IDF_KS_p"};

struct Ponto {
    double lon, lat;
};

// One gdallocationinfo run over every point (read from standard input), one
// value per point: NaN for "nan", and for an empty line (outside the raster).
std::vector<double> ValoresGdal(const std::string& tif, const std::vector<Ponto>& pontos) {
    const std::string entrada = ::testing::TempDir() + "pontos_grade.txt";
    {
        std::ofstream f(entrada);
        f.precision(17);
        for (const auto& p : pontos) f << p.lon << ' ' << p.lat << '\n';
    }
    const std::string comando = "gdallocationinfo -valonly -geoloc '" + tif + "' < '" + entrada + "'";
    FILE* saida = ::popen(comando.c_str(), "r");
    if (!saida) return {};
    std::vector<double> valores;
    char linha[256];
    while (std::fgets(linha, sizeof linha, saida)) {
        const std::string s(linha);
        valores.push_back(s == "\n" || s.rfind("nan", 0) == 0 ? std::nan("") : std::stod(s));
    }
    ::pclose(saida);
    return valores;
}

TEST(GradeEntregue, IgualAoGdalLocationInfo) {
    TGradeNacional grade;
    grade.Carrega(TORMEL_ARQUIVO_GRADE);
    ASSERT_EQ(grade.Colunas(), 452);
    ASSERT_EQ(grade.Linhas(), 391);

    std::vector<Ponto> pontos;
    std::mt19937 gerador(27);
    const double oeste = grade.X0(), leste = grade.X0() + grade.Colunas() * grade.Dx();
    const double norte = grade.Y0(), sul = grade.Y0() + grade.Linhas() * grade.Dy();
    std::uniform_real_distribution<double> lon(oeste, leste), lat(sul, norte);
    for (int i = 0; i < 50; ++i) pontos.push_back({lon(gerador), lat(gerador)});
    // Edges: exactly on a column's west edge and a row's north edge, and a
    // hair (about 1 cm) on either side, over land (Salvador, Brasília,
    // Manaus, Porto Alegre) and at the grid's own outer edges.
    for (auto [c, l] : std::vector<std::pair<int, int>>{{355, 182}, {220, 209}, {140, 84}, {222, 348}, {0, 0}}) {
        const double x = grade.X0() + c * grade.Dx(), y = grade.Y0() + l * grade.Dy();
        for (double e : {-1e-7, 0.0, 1e-7}) {
            pontos.push_back({x + e, y + grade.Dy() / 2});
            pontos.push_back({x + grade.Dx() / 2, y + e});
            pontos.push_back({x + e, y + e});
        }
    }

    int comValor = 0;
    for (int d = 0; d < NumeroDesagregacoes; ++d) {
        const auto desagregacao = static_cast<TDesagregacaoGrade>(d);
        for (int b = 0; b < NumeroBandasGrade; ++b) {
            const std::string tif = std::string(TORMEL_SOURCE_DIR) + "/data/gridf-br/" +
                                    NomeDesagregacao(desagregacao) + "/" + kBandas[b] + ".tif";
            const auto gdal = ValoresGdal(tif, pontos);
            ASSERT_EQ(gdal.size(), pontos.size()) << tif;
            for (std::size_t i = 0; i < pontos.size(); ++i) {
                SCOPED_TRACE(tif + " ponto " + std::to_string(i));
                const auto celula = grade.CelulaDoPonto(pontos[i].lat, pontos[i].lon);
                const double nosso =
                    celula ? grade.Celula(desagregacao, celula->first, celula->second).Valores[b] : std::nan("");
                if (std::isnan(gdal[i])) {
                    EXPECT_TRUE(std::isnan(nosso)) << nosso;
                } else {
                    EXPECT_EQ(static_cast<float>(nosso), static_cast<float>(gdal[i]));
                    ++comValor;
                }
            }
        }
    }
    EXPECT_GT(comValor, 18 * 20);   // most of the points fall on land
}

}  // namespace
