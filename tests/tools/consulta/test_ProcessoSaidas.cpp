// tormel21-consulta's outputs as a scripter reads them: combinations that
// are refused, a design storm's file, messages that quote the user, the
// progress bar only on a terminal, empty GIS texts alike.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>

#include "ExecucaoTeste.h"
#include "PastaDadosTeste.h"

namespace {

const std::vector<TEstacaoTeste> kEstacoes = {
    {12, "Belo Horizonte", "A (2001)", "19°55'30\"", "43°56'15\"", 1447.9, 0.1, 20, 0.84},
    {24, "São Paulo", "B (1999)", "23°32'51\"", "46°38'10\"", 3462.7, 0.172, 22, 1.025},
};

bool Contem(const std::string& texto, const std::string& parte) { return texto.find(parte) != std::string::npos; }

std::string Comando(const std::string& linha) {
    std::string r;
    FILE* f = popen(linha.c_str(), "r");
    if (!f) return r;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) r.append(buf, n);
    pclose(f);
    return r;
}

}  // namespace

// What is refused or reported: status, and a text on standard error.
TEST(ProcessoSaidas, RefusalsAndMessagesQuoteTheUser) {
    const TPastaDadosTeste pasta(kEstacoes);
    struct TCaso {
        std::vector<std::string> Argumentos;
        std::string Entrada;
        int Estado;
        std::string Erro;
    };
    const std::vector<TCaso> casos = {
        {{"--grade", pasta.Pasta() + "g.tif", "--confianca"}, "", 2, "--confianca não vale com --grade"},
        {{"-e", "-"}, "id;lat;lon;t;P\na;20;44;60.5;10\n", 1,
         "linha 2 (a): t: \"60.5\" não é uma duração em minutos maior que zero (no formato br a vírgula separa"},
        {{"19°55′32″", "43°56'15\""}, "", 1, "Latitude \"19°55′32″\" inválida"},
        {{"-e", "-"}, "a;19°55′32″;43\n", 1, "linha 1 (a): Latitude \"19°55′32″\" inválida"},
        {{"--tr", "10", "--duracao-altura", "x′", "20", "44"}, "", 2, "--duracao-altura: \"x′\" não é um número"},
    };
    for (const TCaso& c : casos) {
        SCOPED_TRACE(c.Argumentos.front());
        std::vector<std::string> args = {"--dados", pasta.Pasta()};
        args.insert(args.end(), c.Argumentos.begin(), c.Argumentos.end());
        const auto r = RodaConsulta(pasta.Pasta(), args, c.Entrada);
        EXPECT_EQ(c.Estado, r.Estado);
        EXPECT_TRUE(Contem(r.Erros, c.Erro)) << r.Erros;
        EXPECT_FALSE(Contem(r.Erros, "Â")) << r.Erros;
    }
}

// With -o, a design storm's file is a plain CSV (a header and one row per
// block, all of one width); the place and parameters go to standard error.
TEST(ProcessoSaidas, DesignStormFileIsAPlainCsv) {
    const TPastaDadosTeste pasta(kEstacoes);
    const std::string arquivo = pasta.Pasta() + "chuva.csv";
    const auto r = RodaConsulta(pasta.Pasta(), {"--dados", pasta.Pasta(), "--hietograma", "10,60,10", "-o", arquivo,
                                                "19°55'30\"", "43°56'15\""});
    ASSERT_EQ(0, r.Estado) << r.Erros;
    EXPECT_EQ("", r.Saida);
    EXPECT_TRUE(Contem(r.Erros, "Local: Belo Horizonte")) << r.Erros;
    EXPECT_TRUE(Contem(r.Erros, "Chuva de projeto")) << r.Erros;
    std::istringstream csv(TPastaDadosTeste::Le(arquivo));
    std::vector<std::string> linhas;
    for (std::string l; std::getline(csv, l);) linhas.push_back(l);
    ASSERT_EQ(7u, linhas.size());
    EXPECT_EQ("inicio_min;fim_min;altura_mm;intensidade_mm_h;acumulada_mm", linhas[0]);
    for (const std::string& l : linhas) EXPECT_EQ(4, std::count(l.begin(), l.end(), ';')) << l;
}

// A long grid with standard error in a file draws no progress bar.
TEST(ProcessoSaidas, NoProgressBarOutsideATerminal) {
    const TPastaDadosTeste pasta(kEstacoes);
    TConsultaEmCurso grade(pasta.Pasta(), {"--dados", pasta.Pasta(), "--grade", pasta.Pasta() + "g.tif", "--passo",
                                           "4", "--tarefas", "1"});
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));   // the bar would show after 1 s
    const auto r = grade.Termina(SIGTERM);
    EXPECT_EQ(SIGTERM, r.Sinal);
    EXPECT_FALSE(Contem(r.Erros, "%")) << r.Erros;
    EXPECT_FALSE(Contem(r.Erros, "\r")) << r.Erros;
}

// A GeoPackage's aviso and erro hold the same empty value (an empty text,
// not null) on rows without them.
TEST(ProcessoSaidas, GeoPackageEmptyTextsAlike) {
    const TPastaDadosTeste pasta(kEstacoes);
    const std::string arquivo = pasta.Pasta() + "p.gpkg";
    const auto r = RodaConsulta(pasta.Pasta(), {"--dados", pasta.Pasta(), "-e", "-", "-o", arquivo},
                                "id;lat;lon\nbh;19°55'30\";43°56'15\"\nruim;x;1\n");
    EXPECT_EQ(1, r.Estado) << r.Erros;
    const std::string info = Comando("ogrinfo -al \"" + arquivo + "\"");
    ASSERT_TRUE(Contem(info, "OGRFeature(pontos):1")) << info;
    EXPECT_TRUE(Contem(info, "aviso (String) = \n")) << info;
    EXPECT_TRUE(Contem(info, "erro (String) = \n")) << info;
    EXPECT_FALSE(Contem(info, "aviso (String) = (null)")) << info;
    EXPECT_FALSE(Contem(info, "erro (String) = (null)")) << info;
}

// The format is the extension's: each GIS extension gets its GDAL driver,
// a Shapefile names fit in 10 characters, unambiguously; any other
// extension is refused before any work, naming the formats accepted.
TEST(ProcessoSaidas, FormatByExtension) {
    const TPastaDadosTeste pasta(kEstacoes);
    const std::string entrada = pasta.Arquivo("e.csv", "id;lat;lon;nome_comprido_1;nome_comprido_2\n"
                                                       "bh;19°55'30\";43°56'15\";a;b\n");
    // The driver that reads the file back (KML is read by LIBKML when there,
    // a GeoJSON sequence by the GeoJSON reader).
    const std::vector<std::pair<std::string, std::string>> pontos = {
        {"p.shp", "`ESRI Shapefile'"}, {"p.fgb", "`FlatGeobuf'"}, {"p.kml", "KML'"},
        {"p.json", "`GeoJSON'"},       {"p.geojsonl", "`GeoJSON'"}, {"p.gpkg", "`GPKG'"},
    };
    for (const auto& [nome, driver] : pontos) {
        SCOPED_TRACE(nome);
        const std::string arquivo = pasta.Pasta() + nome;
        const auto r = RodaConsulta(pasta.Pasta(), {"--dados", pasta.Pasta(), "-e", entrada, "-o", arquivo,
                                                    "--confianca"});
        ASSERT_EQ(0, r.Estado) << r.Erros;
        const std::string info = Comando("ogrinfo -al \"" + arquivo + "\"");
        EXPECT_TRUE(Contem(info, driver)) << info;
        EXPECT_TRUE(Contem(info, "POINT (-43.9375 -19.925)")) << info;
    }
    // A sequence has one feature a line, no collection.
    const std::string seq = TPastaDadosTeste::Le(pasta.Pasta() + "p.geojsonl");
    EXPECT_FALSE(Contem(seq, "FeatureCollection")) << seq;
    EXPECT_EQ(0u, seq.find("{ \"type\": \"Feature\"")) << seq;
    // The Shapefile's names, as read back.
    const std::string dbf = Comando("ogrinfo -al -so \"" + pasta.Pasta() + "p.shp\"");
    for (const char* campo : {"nome_compr: String", "nome_com_1: String", "lat_dec: Real", "est_prox: String",
                              "dist_km: Real", "est_25km: Integer"})
        EXPECT_TRUE(Contem(dbf, campo)) << campo << "\n" << dbf;

    const std::vector<std::pair<std::string, std::string>> grades = {
        {"g.tif", "LAYOUT=COG"}, {"g.nc", "Driver: netCDF"}, {"g.img", "Driver: HFA"}};
    for (const auto& [nome, marca] : grades) {
        SCOPED_TRACE(nome);
        const auto r = RodaConsulta(pasta.Pasta(), {"--dados", pasta.Pasta(), "--grade", pasta.Pasta() + nome,
                                                    "--area", "-20,-19.5,-44,-43.5", "--passo", "600"});
        ASSERT_EQ(0, r.Estado) << r.Erros;
        EXPECT_TRUE(Contem(Comando("gdalinfo \"" + pasta.Pasta() + nome + "\""), marca));
    }

    const auto antes = NomesNaPasta(pasta.Pasta());
    const std::vector<std::pair<std::vector<std::string>, std::string>> recusas = {
        {{"-e", entrada, "-o", pasta.Pasta() + "x.png"}, ".shp (Shapefile)"},
        {{"--grade", pasta.Pasta() + "z.png"}, ".tif (GeoTIFF otimizado"},
        {{"-o", pasta.Pasta() + "um.shp", "20", "44"}, "um ponto sai em texto"},
        {{"--grade", pasta.Pasta() + "z.asc"}, "guarda uma banda só"},
    };
    for (const auto& [args, mensagem] : recusas) {
        std::vector<std::string> todos = {"--dados", pasta.Pasta()};
        todos.insert(todos.end(), args.begin(), args.end());
        const auto r = RodaConsulta(pasta.Pasta(), todos);
        EXPECT_EQ(2, r.Estado) << mensagem;
        EXPECT_TRUE(Contem(r.Erros, mensagem)) << r.Erros;
    }
    EXPECT_EQ(antes, NomesNaPasta(pasta.Pasta()));
}
