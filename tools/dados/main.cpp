// tormel21-dados: builds the two data files from the data CSV files.
//   tormel21-dados <stations.csv> <localities.csv> <output folder>
// Every bad row is reported (file, line, field); nothing is written then.
#include <cstdio>
#include <exception>
#include <string>

#include "ArquivosDados.h"
#include "Importador.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: tormel21-dados <stations.csv> <localities.csv> <output folder>\n");
        return 2;
    }
    try {
        TImportador imp;
        imp.LeArquivoEstacoes(argv[1]);
        imp.LeArquivoLocalidades(argv[2]);
        if (!imp.Erros().empty()) {
            for (const auto& e : imp.Erros()) std::fprintf(stderr, "%s\n", e.Texto().c_str());
            std::fprintf(stderr, "tormel21-dados: %zu error(s), no file written\n", imp.Erros().size());
            return 1;
        }
        std::string pasta = argv[3];
        if (!pasta.empty() && pasta.back() != '/') pasta += '/';
        auto estacoes = imp.Estacoes();
        auto localidades = imp.Localidades();
        TArquivosDados::Grava(pasta + TArquivosDados::NomeEstacoes, TArquivosDados::Estacoes(estacoes));
        TArquivosDados::Grava(pasta + TArquivosDados::NomeLocalidades, TArquivosDados::Localidades(localidades));
        size_t ne = 0, nl = 0;
        for (const auto& b : estacoes) ne += b.size();
        for (const auto& b : localidades) nl += b.size();
        std::printf("tormel21-dados: %zu stations, %zu localities\n", ne, nl);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tormel21-dados: %s\n", e.what());
        return 1;
    }
    return 0;
}
