// The tool tormel21-dados run as a process: a bad row stops it with exit
// status 1, a message naming file, line and field, and no file written.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <sys/wait.h>

#include "suporte/ArquivosDeTeste.h"

namespace fs = std::filesystem;

namespace {

struct TPasta : TPastaTemporaria {
    TPasta() : TPastaTemporaria("tormel_ferramenta_") {}
    const fs::path p = Caminho();
};

int Executa(const std::string& args, std::string& saida) {
    std::string cmd = std::string("\"") + TORMEL_DADOS_EXE + "\" " + args + " 2>&1";
    FILE* f = popen(cmd.c_str(), "r");
    if (!f) return -1;
    char buf[512];
    saida.clear();
    while (fgets(buf, sizeof buf, f)) saida += buf;
    int st = pclose(f);
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

const std::string Locs = "uf,nome,latitude,longitude\nSP,Itu,\"23°15'52\"\"\",\"47°17'57\"\"\"\n";

}  // namespace

TEST(Ferramenta, LinhaRuimNaoGravaNada) {
    TPasta d;
    std::string e = d.Grava("e.csv", "uf,nome,K,a,b,c,citacao,latitude,longitude\n"
                                     "SP,Lins,1200,0.15,10,0.8,FULANO et al. (1999),\"21°40'43\"\"\",\"49°44'33\"\"\"\n"
                                     "SP,Bauru,1200,0.15,10,0.8,FULANO et al. (1999),\"22°19'53\"\"\",\"49°04'\"\n");
    std::string l = d.Grava("l.csv", Locs);
    std::string saida;
    EXPECT_EQ(Executa("\"" + e + "\" \"" + l + "\" \"" + d.p.string() + "\"", saida), 1);
    EXPECT_NE(saida.find(e + ", linha 3, campo longitude"), std::string::npos) << saida;
    EXPECT_FALSE(fs::exists(d.p / "Estados_Tor21.bin"));
    EXPECT_FALSE(fs::exists(d.p / "Localidades_Tor21.bin"));
}

TEST(Ferramenta, DadosBonsGravamOsDoisArquivos) {
    TPasta d;
    std::string e = d.Grava("e.csv", "uf,nome,K,a,b,c,citacao,latitude,longitude\n"
                                     "SP,Lins,1200,0.15,10,0.8,FULANO et al. (1999),\"21°40'43\"\"\",\"49°44'33\"\"\"\n");
    std::string l = d.Grava("l.csv", Locs);
    std::string saida;
    EXPECT_EQ(Executa("\"" + e + "\" \"" + l + "\" \"" + d.p.string() + "\"", saida), 0) << saida;
    EXPECT_EQ(fs::file_size(d.p / "Estados_Tor21.bin"), 1 + 27 * 2 + 152u);
    EXPECT_EQ(fs::file_size(d.p / "Localidades_Tor21.bin"), 1 + 27 * 2 + 89u);
    // A missing input file is an error too.
    EXPECT_EQ(Executa("\"" + (d.p / "none.csv").string() + "\" \"" + l + "\" \"" + d.p.string() + "\"", saida), 1);
}

namespace {

// n localities of São Paulo, distinct names and places.
std::string Localidades(int n) {
    std::string csv = "uf,nome,latitude,longitude\n";
    for (int i = 0; i < n; ++i)
        csv += "SP,Lugar " + std::to_string(i) + ",\"23°" + (i < 10 ? "0" : "") + std::to_string(i) +
               "'00\"\"\",\"47°00'00\"\"\"\n";
    return csv;
}

const std::string kUmaEstacao = "uf,nome,K,a,b,c,citacao,latitude,longitude\n"
                            "SP,Lins,1200,0.15,10,0.8,FULANO et al. (1999),\"21°40'43\"\"\",\"49°44'33\"\"\"\n";

}  // namespace

// A write that fails half-way (files limited to 1 KiB: the stations file
// fits, the localities file does not) leaves the old pair as it was, no
// temporary file, and says the system's reason once converted.
TEST(Ferramenta, GravacaoQueFalhaDeixaOParAntigo) {
    TPasta d;
    const std::string e = d.Grava("e.csv", kUmaEstacao), l = d.Grava("l.csv", Localidades(20));
    fs::create_directory(d.p / "saida");
    const std::string saida = (d.p / "saida").string() + "/";
    d.Grava("saida/Estados_Tor21.bin", "antigo E");
    d.Grava("saida/Localidades_Tor21.bin", "antigo L");
    std::string texto;
    const std::string limitado = "bash -c 'trap \"\" XFSZ; ulimit -f 1; exec \"$0\" \"$@\"' ";
    const std::string cmd = limitado + "\"" + TORMEL_DADOS_EXE + "\" \"" + e + "\" \"" + l + "\" \"" + saida + "\" 2>&1";
    FILE* f = popen(cmd.c_str(), "r");
    ASSERT_NE(nullptr, f);
    char buf[512];
    while (fgets(buf, sizeof buf, f)) texto += buf;
    const int st = pclose(f);
    EXPECT_EQ(1, WIFEXITED(st) ? WEXITSTATUS(st) : -1) << texto;
    EXPECT_NE(texto.find("Não foi possível gravar o arquivo " + saida + "Localidades_Tor21.bin (File too large)."),
              std::string::npos) << texto;
    EXPECT_EQ("antigo E", ConteudoDoArquivo(saida + "Estados_Tor21.bin"));
    EXPECT_EQ("antigo L", ConteudoDoArquivo(saida + "Localidades_Tor21.bin"));
    EXPECT_EQ(2, std::distance(fs::directory_iterator(saida), fs::directory_iterator()));
}

// Its messages are Portuguese, counted in words, and --help is an answer.
TEST(Ferramenta, MensagensEmPortugues) {
    TPasta d;
    const std::string e = d.Grava("e.csv", kUmaEstacao), l = d.Grava("l.csv", Localidades(1));
    const std::string ruim = d.Grava("r.csv", Localidades(2) + "XX,Nada,\"23°00'00\"\"\",\"47°00'00\"\"\"\n"
                                                               "SP,,\"23°00'00\"\"\",\"47°00'00\"\"\"\n");
    struct TCaso {
        std::string Argumentos;
        int Estado;
        std::string Texto;
    };
    const std::vector<TCaso> casos = {
        {"\"" + e + "\" \"" + l + "\" \"" + d.p.string() + "\"", 0, "tormel21-dados: 1 estação, 1 localidade\n"},
        {"\"" + e + "\" \"" + ruim + "\" \"" + d.p.string() + "\"", 1, "tormel21-dados: 2 erros, nenhum arquivo gravado\n"},
        {"--help", 0, "Uso: tormel21-dados"},
        {"a b", 2, "dê os dois arquivos CSV e a pasta de saída"},
    };
    for (const TCaso& c : casos) {
        std::string saida;
        EXPECT_EQ(c.Estado, Executa(c.Argumentos, saida)) << c.Argumentos << "\n" << saida;
        EXPECT_NE(saida.find(c.Texto), std::string::npos) << saida;
    }
}
