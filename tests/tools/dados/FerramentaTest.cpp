// The tool tormel21-dados run as a process: a bad row stops it with exit
// status 1, a message naming file, line and field, and no file written.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

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
