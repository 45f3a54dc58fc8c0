// tormel21-dados: builds the two data files from the data CSV files.
//   tormel21-dados [--estrito] <estacoes.csv> <localidades.csv> <pasta de saída>
// Every bad row is reported (file, line, field); nothing is written then.
#include <cstdio>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "ArquivosDados.h"
#include "Importador.h"
#include "database/ContornosEstados.h"
#include "platform/Caminhos.h"
#include "platform/Erros.h"

namespace {

const char* const kAjuda =
    "Uso: tormel21-dados [--estrito] [--contornos ARQ] ESTACOES.csv LOCALIDADES.csv PASTA\n"
    "\n"
    "Monta os arquivos de dados do Tormel 2.1 (Estados_Tor21.bin e\n"
    "Localidades_Tor21.bin) na PASTA a partir dos arquivos CSV (UTF-8):\n"
    "  ESTACOES.csv     uf,nome,K,a,b,c,citacao,latitude,longitude\n"
    "  LOCALIDADES.csv  uf,nome,latitude,longitude\n"
    "Coordenadas no texto DD°MM'SS\" (sul e oeste). Cada linha ruim é apontada\n"
    "(arquivo, linha, campo) e então nenhum arquivo é gravado. Os dois arquivos\n"
    "são trocados juntos: uma falha deixa o par antigo como estava.\n"
    "\n"
    "Opções:\n"
    "  --estrito   recusa, em vez de só avisar, uma estação fora do contorno\n"
    "              do seu estado (estados com mapa) ou da sua extensão (os demais).\n"
    "  --contornos ARQ  contornos dos estados (padrão: contornos.csv ao lado de\n"
    "              ESTACOES.csv, se houver; sem eles, só os limites dos mapas).\n"
    "  -h, --help  esta ajuda.\n"
    "\n"
    "Estado de saída: 0 arquivos gravados; 1 dados ruins ou erro de gravação;\n"
    "2 linha de comando inválida.\n";

std::string Plural(std::size_t n, const char* um, const char* varios) {
    return std::to_string(n) + " " + (n == 1 ? um : varios);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> posicionais;
    bool estrito = false;
    std::string contornos;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kAjuda, stdout);
            return 0;
        }
        if (a == "--estrito") estrito = true;
        else if (a == "--contornos" && i + 1 < argc) contornos = argv[++i];
        else if (a.size() > 1 && a[0] == '-') {
            std::fprintf(stderr, "tormel21-dados: opção desconhecida: %s\nUse tormel21-dados --help.\n", a.c_str());
            return 2;
        } else posicionais.push_back(a);
    }
    if (posicionais.size() != 3) {
        std::fprintf(stderr, "tormel21-dados: dê os dois arquivos CSV e a pasta de saída.\n"
                             "Use tormel21-dados --help.\n");
        return 2;
    }
    try {
        TImportador imp;
        imp.Estrito(estrito);
        // The outlines beside the stations file, unless named.
        if (contornos.empty()) {
            const std::size_t barra = posicionais[0].find_last_of('/');
            const std::string vizinho =
                (barra == std::string::npos ? std::string() : posicionais[0].substr(0, barra + 1)) + "contornos.csv";
            if (std::FILE* f = std::fopen(vizinho.c_str(), "rb")) {
                std::fclose(f);
                contornos = vizinho;
            }
        }
        std::unique_ptr<TContornosEstados> outlines;
        if (!contornos.empty()) {
            outlines = std::make_unique<TContornosEstados>(LeArquivo(contornos));
            imp.Contornos(outlines.get());
        }
        imp.LeArquivoEstacoes(posicionais[0]);
        imp.LeArquivoLocalidades(posicionais[1]);
        for (const auto& a : imp.Avisos()) std::fprintf(stderr, "%s\n", a.Texto().c_str());
        if (!imp.Erros().empty()) {
            for (const auto& e : imp.Erros()) std::fprintf(stderr, "%s\n", e.Texto().c_str());
            std::fprintf(stderr, "tormel21-dados: %s, nenhum arquivo gravado\n",
                         Plural(imp.Erros().size(), "erro", "erros").c_str());
            return 1;
        }
        std::string pasta = posicionais[2];
        if (!pasta.empty() && pasta.back() != '/') pasta += '/';
        const auto estacoes = imp.Estacoes();
        const auto localidades = imp.Localidades();
        TArquivosDados::GravaPar(pasta, TArquivosDados::Estacoes(estacoes), TArquivosDados::Localidades(localidades));
        std::size_t ne = 0, nl = 0;
        for (const auto& b : estacoes) ne += b.size();
        for (const auto& b : localidades) nl += b.size();
        std::printf("tormel21-dados: %s, %s\n", Plural(ne, "estação", "estações").c_str(),
                    Plural(nl, "localidade", "localidades").c_str());
    } catch (const Exception& e) {   // its what() is the message as UTF-8
        std::fprintf(stderr, "tormel21-dados: %s\n", e.what());
        return 1;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "tormel21-dados: memória insuficiente\n");
        return 1;
    }
    return 0;
}
