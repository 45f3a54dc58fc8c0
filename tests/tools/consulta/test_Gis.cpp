// The GIS outputs of tormel21-consulta, read back with GDAL's own programs
// (gdalinfo, gdallocationinfo, ogrinfo): the GeoTIFF grid and the batch
// written as GeoPackage or GeoJSON.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <sstream>

#include "LeitorCsv.h"
#include "PastaDadosTeste.h"
#include "platform/Numeros.h"

namespace {

// Single quotes around each argument for the shell.
std::string Aspas(const std::string& s) {
    std::string r = "'";
    for (char c : s) r += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return r + "'";
}

struct TExecucao {
    int Estado = -1;
    std::string Saida;
};

// Standard output, with standard error after it when comErros.
TExecucao Executa(const std::vector<std::string>& argumentos, bool comErros = false) {
    std::string comando;
    for (const auto& a : argumentos) comando += Aspas(a) + " ";
    comando += comErros ? "2>&1" : "2>/dev/null";
    TExecucao r;
    FILE* p = ::popen(comando.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) r.Saida.append(buf, n);
    const int status = ::pclose(p);
    r.Estado = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::vector<std::string> Linhas(const std::string& texto) {
    std::vector<std::string> r;
    std::istringstream in(texto);
    for (std::string l; std::getline(in, l);) r.push_back(l);
    return r;
}

std::string Campo(const std::string& saida, const std::string& nome) {
    const std::size_t i = ("\n" + saida).find("\n" + nome + ": ");
    if (i == std::string::npos) return "<ausente>";
    const std::size_t valor = i + nome.size() + 2;
    return saida.substr(valor, saida.find('\n', valor) - valor);
}

std::string Dms(long segundos) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02ld°%02ld'%02ld\"", segundos / 3600, segundos / 60 % 60, segundos % 60);
    return buf;
}

// "Centro" stands on the centre of row 20, column 29 of the grid below.
const std::vector<TEstacaoTeste> kEstacoes = {
    {12, "Centro", "MENGANO et al. (2001)", "19°30'45\"", "43°45'45\"", 1447.9, 0.1, 20, 0.84},
    {12, "Norte", "MENGANO et al. (2001)", "18°55'30\"", "44°56'15\"", 1200.25, 0.13, 11, 0.8},
    {24, "Sul", "FULANO et al. (1999)", "23°32'51\"", "46°38'10\"", 3462.7, 0.172, 22, 1.025},
    {4, "Leste", "BELTRANO et al. (2002)", "12°58'16\"", "38°30'39\"", 1000, 0.2, 10, 0.8},
};

class Gis : public ::testing::Test {
protected:
    TPastaDadosTeste pasta{kEstacoes};
    std::vector<std::string> Consulta(std::vector<std::string> argumentos) const {
        argumentos.insert(argumentos.begin(), {TORMEL_CONSULTA_EXE, "--dados", pasta.Pasta()});
        return argumentos;
    }
};

}  // namespace

// 1.5° square from 19°S 44.5°W in cells of 90": 60 × 60 cells whose centres
// fall on whole seconds.
TEST_F(Gis, GradeGeoTiffEGdalLocationInfoNosCentrosDasCelulas) {
    const std::string tif = pasta.Pasta() + "grade.tif";
    const auto g = Executa(Consulta({"--grade", tif, "--area", "-20.5,-19,-44.5,-43", "--passo", "90"}));
    ASSERT_EQ(0, g.Estado);
    const auto info = Executa({"gdalinfo", tif});
    ASSERT_EQ(0, info.Estado);
    for (const char* esperado :
         {"ID[\"EPSG\",4674]", "Size is 60, 60", "Origin = (-44.500000000000000,-19.000000000000000)",
          "Pixel Size = (0.025000000000000,-0.025000000000000)", "COMPRESSION=DEFLATE",
          "Band 1 Block=256x256 Type=Float64", "Band 4 Block=256x256 Type=Float64", "Description = K\n",
          "Description = a\n", "Description = b\n", "Description = c\n"})
        EXPECT_NE(info.Saida.find(esperado), std::string::npos) << esperado << "\n" << info.Saida;
    EXPECT_EQ(info.Saida.find("Band 5"), std::string::npos);

    // 20 cells over the grid, the station's among them.
    for (int k = 0; k < 20; ++k) {
        const int linha = k == 0 ? 20 : (k * 7) % 60, coluna = k == 0 ? 29 : (k * 13 + 5) % 60;
        SCOPED_TRACE("linha " + std::to_string(linha) + ", coluna " + std::to_string(coluna));
        const double lon = -44.5 + (coluna + 0.5) * 0.025, lat = -19 - (linha + 0.5) * 0.025;
        const auto valores = Executa({"gdallocationinfo", "-valonly", "-geoloc", tif, FloatToStr(lon, '.'),
                                      FloatToStr(lat, '.')});
        ASSERT_EQ(0, valores.Estado);
        const auto celula = Linhas(valores.Saida);
        ASSERT_EQ(4u, celula.size());
        const std::string latitude = Dms(19 * 3600 + 45 + 90 * linha), longitude = Dms(160200 - 45 - 90 * coluna);
        const auto ponto = Executa(Consulta({"--formato", "int", latitude, longitude}));
        ASSERT_EQ(0, ponto.Estado);
        const char* const nomes[] = {"K", "a", "b", "c"};
        for (int b = 0; b < 4; ++b) EXPECT_EQ(std::stod(celula[b]), std::stod(Campo(ponto.Saida, nomes[b]))) << nomes[b];
        if (k == 0) EXPECT_EQ(celula[0], "1447.9");
    }

    // With Tr and durations, one intensity band per pair.
    const std::string idf = pasta.Pasta() + "idf.tif";
    ASSERT_EQ(0, Executa(Consulta({"--grade", idf, "--area", "-20.5,-19,-44.5,-43", "--passo", "90", "--tr",
                                   "10,2.5", "--duracoes", "60"}))
                     .Estado);
    const auto infoIdf = Executa({"gdalinfo", idf}).Saida;
    EXPECT_NE(infoIdf.find("Description = i_Tr10_t60\n"), std::string::npos) << infoIdf;
    EXPECT_NE(infoIdf.find("Description = i_Tr2.5_t60\n"), std::string::npos) << infoIdf;
    EXPECT_EQ(infoIdf.find("Band 3"), std::string::npos);
    const auto i = Linhas(Executa({"gdallocationinfo", "-valonly", idf, "29", "20"}).Saida);
    const auto tabela = Executa(Consulta({"--formato", "int", "--tr", "10,2.5", "--duracoes", "60", "19°30'45\"",
                                          "43°45'45\""}))
                            .Saida;
    ASSERT_EQ(2u, i.size());
    EXPECT_NE(tabela.find("\n10\t60\t" + i[0] + "\t"), std::string::npos) << tabela;
    EXPECT_NE(tabela.find("\n2.5\t60\t" + i[1] + "\t"), std::string::npos) << tabela;
}

// The batch as GIS points: every row, every column of the CSV, the texts'
// position in EPSG:4674; a bad row keeps its place with its message.
TEST_F(Gis, LoteEmGeoPackageEGeoJson) {
    const std::string entrada = pasta.Arquivo("pontos.csv",
                                              "id,lat,lon\nc,19°30'45\",43°45'45\"\np,20°00'00\",44°00'00\"\n"
                                              "ruim,xx,44\nd,-19.9258,-43.9375\n");
    const auto csv = Executa(Consulta({"-e", entrada, "--formato", "int", "--negativos", "--tr", "10",
                                       "--duracoes", "60"}));
    ASSERT_EQ(1, csv.Estado);
    const auto linhasCsv = Linhas(csv.Saida);
    ASSERT_EQ(5u, linhasCsv.size());
    EXPECT_EQ(linhasCsv[0], "id,lat,lon,latitude,longitude,lat_decimal,lon_decimal,local,K,a,b,c,fonte,i_Tr10_t60,"
                            "P_Tr10_t60,aviso,erro");
    for (const std::string ext : {".gpkg", ".geojson"}) {
        SCOPED_TRACE(ext);
        const std::string arquivo = pasta.Pasta() + "pontos" + ext;
        EXPECT_EQ(1, Executa(Consulta({"-e", entrada, "-o", arquivo, "--formato", "int", "--negativos", "--tr", "10", "--duracoes",
                                       "60"}))
                         .Estado);
        const auto o = Executa({"ogrinfo", "-al", arquivo});
        ASSERT_EQ(0, o.Estado);
        EXPECT_NE(o.Saida.find("Feature Count: 4"), std::string::npos) << o.Saida;
        EXPECT_NE(o.Saida.find("ID[\"EPSG\",4674]"), std::string::npos);
        for (const char* coluna : {"id: String", "lat: String", "latitude: String", "longitude: String",
                                   "lat_decimal: Real", "lon_decimal: Real", "local: String", "K: Real",
                                   "a: Real", "b: Real", "c: Real", "fonte: String", "i_Tr10_t60: Real",
                                   "P_Tr10_t60: Real", "erro: String"})
            EXPECT_NE(o.Saida.find(coluna), std::string::npos) << coluna;
        // Each row's values as the CSV has them, in input order.
        std::size_t pos = 0;
        for (std::size_t r = 1; r < linhasCsv.size(); ++r) {
            std::istringstream in(linhasCsv[r]);
            TLinhaCsvPontos linha;
            ASSERT_TRUE(TLeitorCsv(in, ',').Proxima(linha));
            const std::vector<std::string>& campos = linha.Campos;
            ASSERT_EQ(17u, campos.size());
            pos = o.Saida.find("OGRFeature(pontos):", pos);
            ASSERT_NE(pos, std::string::npos) << r;
            const std::string feicao = o.Saida.substr(pos, o.Saida.find("\n\n", pos) - pos);
            EXPECT_NE(feicao.find("id (String) = " + campos[0]), std::string::npos) << feicao;
            EXPECT_NE(feicao.find("lat (String) = " + campos[1]), std::string::npos) << feicao;
            if (!campos[16].empty()) {
                EXPECT_NE(feicao.find("erro (String) = " + campos[16]), std::string::npos) << feicao;
                EXPECT_EQ(feicao.find("POINT"), std::string::npos) << feicao;
            } else {
                EXPECT_NE(feicao.find("latitude (String) = " + campos[3]), std::string::npos) << feicao;
                EXPECT_NE(feicao.find("local (String) = " + campos[7]), std::string::npos) << feicao;
                EXPECT_NE(feicao.find("K (Real) = " + campos[8]), std::string::npos) << feicao;
                EXPECT_NE(feicao.find("i_Tr10_t60 (Real) = " + campos[13]), std::string::npos) << feicao;
                EXPECT_NE(feicao.find("POINT ("), std::string::npos) << feicao;
            }
            ++pos;
        }
    }
    // Each point lies at its input position, west and south negative; the
    // decimal degrees of the text used are attributes.
    const std::vector<std::pair<std::string, std::vector<std::string>>> posicoes = {
        {"c", {"POINT (-43.7625 -19.5125)", "lat_decimal (Real) = -19.5125"}},
        {"d", {"POINT (-43.9375 -19.9258)", "lat_decimal (Real) = -19.9255555555556", "latitude (String) = 19°55'32\""}},
    };
    for (const auto& [id, esperados] : posicoes) {
        const auto o = Executa({"ogrinfo", "-al", "-where", "id = '" + id + "'", pasta.Pasta() + "pontos.gpkg"}).Saida;
        for (const std::string& e : esperados) EXPECT_NE(o.find(e), std::string::npos) << e << "\n" << o;
    }
}

// With --confianca the GIS file has the CSV's extra columns too, the
// distance a number even when the CSV writes it with a decimal comma.
TEST_F(Gis, LoteComConfiancaTemAsColunasDoCsv) {
    const std::string entrada = pasta.Arquivo("confianca.csv", "id;lat;lon\nd;19°57'00\";43°57'00\"\n");
    const auto csv = Executa(Consulta({"-e", entrada, "--confianca"}));
    ASSERT_EQ(0, csv.Estado);
    const auto linhasCsv = Linhas(csv.Saida);
    ASSERT_EQ(2u, linhasCsv.size());
    std::istringstream in(linhasCsv[1]);
    TLinhaCsvPontos linha;
    ASSERT_TRUE(TLeitorCsv(in, ';').Proxima(linha));
    ASSERT_EQ(21u, linha.Campos.size());
    std::string distancia = linha.Campos[14];
    ASSERT_NE(distancia.find(','), std::string::npos) << distancia;
    distancia.replace(distancia.find(','), 1, ".");

    const std::string arquivo = pasta.Pasta() + "confianca.geojson";
    ASSERT_EQ(0, Executa(Consulta({"-e", entrada, "-o", arquivo, "--confianca"})).Estado);
    const auto o = Executa({"ogrinfo", "-al", arquivo}).Saida;
    for (const std::string& esperado : std::vector<std::string>
         {"estacao_proxima (String) = " + linha.Campos[13], "distancia_km (Real) = " + distancia.substr(0, 6),
          "estacoes_25km (Integer) = " + linha.Campos[15], "aviso (String)"})
        EXPECT_NE(o.find(esperado), std::string::npos) << esperado << "\n" << o;
}

// The GIS files follow -o's rules: a link stays a link and its target is
// replaced; a pipe or a folder is refused before any work, and stays.
TEST_F(Gis, SaidaSegueAsRegrasDoDashO) {
    const std::string entrada = pasta.Arquivo("um.csv", "d;19°57'00\";43°57'00\"\n");
    auto tipo = [](const std::string& caminho) {
        struct stat st {};
        return ::lstat(caminho.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0u;
    };
    const std::string alvo = pasta.Arquivo("alvo.geojson", "velho"), link = pasta.Pasta() + "link.geojson";
    ASSERT_EQ(0, ::symlink(alvo.c_str(), link.c_str()));
    EXPECT_EQ(0, Executa(Consulta({"-e", entrada, "-o", link})).Estado);
    EXPECT_EQ(S_IFLNK, tipo(link));
    EXPECT_NE(std::string::npos, Executa({"ogrinfo", "-al", "-so", alvo}).Saida.find("Feature Count: 1"));

    const std::string tif = pasta.Arquivo("alvo.tif", "velho"), linkTif = pasta.Pasta() + "link.tif";
    ASSERT_EQ(0, ::symlink(tif.c_str(), linkTif.c_str()));
    EXPECT_EQ(0, Executa(Consulta({"--grade", linkTif, "--area", "-20,-19.9,-44,-43.9", "--passo", "180"})).Estado);
    EXPECT_EQ(S_IFLNK, tipo(linkTif));
    EXPECT_NE(std::string::npos, Executa({"gdalinfo", tif}).Saida.find("Size is 2, 2"));

    const std::string fifo = pasta.Pasta() + "fifo.gpkg", dir = pasta.Pasta() + "pasta.gpkg";
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    ASSERT_EQ(0, ::mkdir(dir.c_str(), 0700));
    for (const auto& [caminho, motivo] : {std::pair{fifo, "pipe ou dispositivo"}, std::pair{dir, "é uma pasta"}}) {
        const auto r = Executa(Consulta({"-e", entrada, "-o", caminho}), true);
        EXPECT_EQ(1, r.Estado);
        EXPECT_NE(std::string::npos, r.Saida.find(motivo)) << r.Saida;
    }
    EXPECT_EQ(S_IFIFO, tipo(fifo));
    EXPECT_EQ(S_IFDIR, tipo(dir));
}

// A corrupt station record is named once, as in the CSV batch, in both GIS
// outputs.
TEST(GisDadosCorrompidos, OGradeEOsPontosNomeiamORegistroUmaVez) {
    const TPastaDadosTeste pasta({kEstacoes[0], {12, "Ruim", "X", "ab°00'00\"", "44°00'00\"", 1, 1, 1, 1}});
    const std::string dados = pasta.Pasta();
    const std::string entrada = pasta.Arquivo("um.csv", "d;19°57'00\";43°57'00\"\n");
    const std::vector<std::vector<std::string>> execucoes = {
        {"--grade", dados + "g.tif", "--area", "-20,-19.9,-44,-43.9", "--passo", "180"},
        {"-e", entrada, "-o", dados + "p.gpkg"}};
    for (const auto& argumentos : execucoes) {
        std::vector<std::string> comando = {TORMEL_CONSULTA_EXE, "--dados", dados};
        comando.insert(comando.end(), argumentos.begin(), argumentos.end());
        const auto r = Executa(comando, true);
        EXPECT_EQ(1, r.Estado);
        const std::size_t i = r.Saida.find("registro corrompido: estação \"Ruim\"");
        EXPECT_NE(std::string::npos, i) << r.Saida;
        EXPECT_EQ(std::string::npos, r.Saida.find("registro corrompido", i + 1)) << r.Saida;
    }
}

// GDAL is loaded only for a GIS output: a program without its module beside
// it still answers a point, and says which file it misses for a grid.
TEST_F(Gis, SemOModuloSoASaidaDeSigFalha) {
    const std::string pastaBin = pasta.Pasta() + "bin/";
    ASSERT_EQ(0, ::mkdir(pastaBin.c_str(), 0700));
    const std::string programa = pastaBin + "tormel21-consulta";
    {
        std::ifstream de(TORMEL_CONSULTA_EXE, std::ios::binary);
        std::ofstream para(programa, std::ios::binary);
        para << de.rdbuf();
    }
    ASSERT_EQ(0, ::chmod(programa.c_str(), 0700));
    EXPECT_EQ(0, Executa({programa, "--dados", pasta.Pasta(), "19°30'45\"", "43°45'45\""}).Estado);
    const auto r = Executa({programa, "--dados", pasta.Pasta(), "--grade", pasta.Pasta() + "g.tif"}, true);
    EXPECT_EQ(1, r.Estado);
    EXPECT_NE(std::string::npos, r.Saida.find("módulo de SIG " + pastaBin + "tormel21-consulta-gis.so")) << r.Saida;
}
