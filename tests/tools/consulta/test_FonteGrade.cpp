// --fonte grade|ambas and --desagregacao-grade of tormel21-consulta, run as a
// process on the built data folder, against the core's reading of the grid
// file and gdallocationinfo on the GRIDF-BR GeoTIFFs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <sys/wait.h>

#include "database/GradeNacional.h"
#include "model/EquacaoIdf.h"
#include "platform/Numeros.h"

namespace {

struct TExecucao {
    int Estado = -1;
    std::string Saida;
};

TExecucao Executa(const std::string& argumentos) {
    const std::string comando = std::string("'") + TORMEL_CONSULTA_EXE + "' --dados '" + TORMEL_DATA_DIR + "' " +
                                argumentos + " 2>&1";
    TExecucao r;
    FILE* p = ::popen(comando.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) r.Saida.append(buf, n);
    const int status = ::pclose(p);
    r.Estado = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

double Campo(const std::string& saida, const std::string& nome) {
    const std::size_t i = ("\n" + saida).find("\n" + nome + ": ");
    if (i == std::string::npos) return std::nan("");
    return std::stod(saida.substr(i + nome.size() + 2));
}

const TGradeNacional& Grade() {
    static const TGradeNacional g = [] {
        TGradeNacional x;
        x.Carrega(std::string(TORMEL_DATA_DIR) + "/" + TGradeNacional::NomeArquivo);
        return x;
    }();
    return g;
}

// Bahia (Salvador, a cell with values) and Sergipe (Aracaju, a coastal cell
// without values that takes its neighbour's), each disaggregation.
TEST(FonteGrade, UmPontoDaGradeIgualAoNucleoEDiferencaRelativa) {
    struct Caso {
        const char *nome, *lat, *lon, *desagregacao;
        TDesagregacaoGrade d;
        bool daVizinha;
    } casos[] = {
        {"Salvador", "-12.97", "-38.51", "raster", TDesagregacaoGrade::Raster, false},
        {"Salvador cetesb", "-12.97", "-38.51", "cetesb", TDesagregacaoGrade::Cetesb, false},
        {"Aracaju", "-10.91", "-37.07", "estacao", TDesagregacaoGrade::Estacao, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        const TExecucao r = Executa(std::string("--formato int --negativos --fonte ambas --desagregacao-grade ") +
                                    c.desagregacao + " -- " + c.lat + " " + c.lon);
        ASSERT_EQ(r.Estado, 0) << r.Saida;
        // The coordinate texts truncate to whole seconds: the grid is read there.
        const double lat = -(std::floor(-std::stod(c.lat) * 3600 + 1e-6) / 3600);
        const double lon = -(std::floor(-std::stod(c.lon) * 3600 + 1e-6) / 3600);
        const auto v = Grade().Valor(c.d, lat, lon);
        ASSERT_TRUE(v);
        EXPECT_EQ(v->DaVizinha, c.daVizinha);
        EXPECT_EQ(r.Saida.find("vizinha") != std::string::npos, c.daVizinha);
        EXPECT_DOUBLE_EQ(Campo(r.Saida, "grade_K"), v->Celula.K());
        EXPECT_DOUBLE_EQ(Campo(r.Saida, "grade_KS_p"), v->Celula.KsP());
        const double ie = ValoresDeProjeto(Campo(r.Saida, "K"), Campo(r.Saida, "a"), Campo(r.Saida, "b"),
                                           Campo(r.Saida, "c"), 10, 60).Intensidade;
        const double ig = *Intensidade10x60(v->Celula);
        EXPECT_NEAR(Campo(r.Saida, "dif_i10_60"), (ig - ie) / ie, 1e-12);
    }
}

TEST(FonteGrade, PontoSemDadoNaGradeERecusasDaLinhaDeComando) {
    struct Caso {
        const char* argumentos;
        int estado;
        const char* mensagem;
    } casos[] = {
        {"--negativos --fonte grade -- -15 -30", 1, "sem dado na grade"},
        {"--fonte nuvem 15 40", 2, "--fonte: use estacoes, grade ou ambas"},
        {"--desagregacao-grade diaria 15 40", 2, "--desagregacao-grade: use raster, estacao ou cetesb"},
        {"--fonte ambas --grade x.tif", 2, "--grade escreve uma fonte s"},
        {"--fonte grade --grade x.tif --passo 30", 2, "--passo n"},
        {"--fonte grade --confianca 15 40", 2, "--confianca vale s"},
        {"--fonte ambas --json 15 40", 2, "--json vale s"},
        {"--json --fonte grade --entrada x.csv", 2, "--json vale s"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.argumentos);
        const TExecucao r = Executa(c.argumentos);
        EXPECT_EQ(r.Estado, c.estado);
        EXPECT_NE(r.Saida.find(c.mensagem), std::string::npos) << r.Saida;
    }
}

// Many points: grid-only columns, and a row at sea failing alone.
TEST(FonteGrade, LoteDaGrade) {
    const std::string entrada = ::testing::TempDir() + "lote_grade.csv";
    {
        std::FILE* f = std::fopen(entrada.c_str(), "w");
        std::fputs("id;lat;lon\nssa;12.97;38.51\nmar;15;30\n", f);
        std::fclose(f);
    }
    const TExecucao r = Executa("--fonte grade --tr 10 --duracoes 60 -e '" + entrada + "'");
    EXPECT_EQ(r.Estado, 1);
    std::istringstream linhas(r.Saida);   // standard error's lines mixed in
    std::string cabecalho, ssa, mar;
    for (std::string l; std::getline(linhas, l);) {
        if (l.rfind("id;", 0) == 0) cabecalho = l;
        if (l.rfind("ssa;", 0) == 0) ssa = l;
        if (l.rfind("mar;", 0) == 0) mar = l;
    }
    EXPECT_NE(r.Saida.find("linha 3 (mar): sem dado na grade"), std::string::npos);
    EXPECT_EQ(cabecalho, "id;lat;lon;latitude;longitude;lat_decimal;lon_decimal;grade_K;grade_a;grade_b;grade_c;"
                         "grade_R2;grade_KS_p;grade_i_Tr10_t60;grade_P_Tr10_t60;erro");
    const auto v = Grade().Valor(TDesagregacaoGrade::Raster, -(12 + 58 / 60.0 + 12 / 3600.0), -(38 + 30 / 60.0 + 36 / 3600.0));
    ASSERT_TRUE(v);
    EXPECT_NE(ssa.find(";" + FloatToStr(v->Celula.K(), ',') + ";"), std::string::npos) << ssa;
    EXPECT_EQ(mar, "mar;15;30;;;;;;;;;;;;;sem dado na grade");
}

// --grade with the grid: the product's own cells, unresampled.
TEST(FonteGrade, GeoTiffComAsCelulasDaGrade) {
    const std::string tif = ::testing::TempDir() + "grade_nacional.tif";
    const TExecucao r = Executa("--fonte grade --desagregacao-grade estacao --grade '" + tif +
                                "' --area -11.2,-9.3,-38.3,-36.1");
    ASSERT_EQ(r.Estado, 0) << r.Saida;
    // Points inside the area, each read from both files by GDAL.
    std::string pontos;
    for (int i = 0; i < 40; ++i)
        pontos += FloatToStr(-38.25 + 2.1 * i / 40, '.') + " " + FloatToStr(-11.15 + 1.8 * ((i * 7) % 40) / 40, '.') + "\n";
    auto gdal = [&](const std::string& arquivo, int banda) {
        const std::string comando = "printf -- '" + pontos + "' | gdallocationinfo -valonly -geoloc -b " +
                                    std::to_string(banda) + " '" + arquivo + "'";
        FILE* p = ::popen(comando.c_str(), "r");
        std::string s;
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) s.append(buf, n);
        ::pclose(p);
        return s;
    };
    const char* bandas[] = {"IDF_k", "IDF_a", "IDF_b", "IDF_c", "IDF_R2", "IDF_KS_p"};
    int comValor = 0;
    for (int b = 0; b < 6; ++b) {
        const std::string nosso = gdal(tif, b + 1);
        const std::string deles = gdal(std::string(TORMEL_SOURCE_DIR) + "/data/gridf-br/STATION/" + bandas[b] + ".tif", 1);
        EXPECT_EQ(nosso, deles) << bandas[b];
        std::istringstream in(deles);
        for (std::string l; std::getline(in, l);) comValor += l != "nan";
    }
    EXPECT_GT(comValor, 100);
}

}  // namespace
