// tormel21-dados: builds the two data files from the data CSV files, or the
// data CSV files from a network's table of annual maxima and its inventory.
//   tormel21-dados [--estrito] <estacoes.csv> <localidades.csv> <pasta de saída>
//   tormel21-dados --maximos-anuais M.csv --inventario I.csv [...] <pasta de saída>
// Every bad row is reported (file, line, field); nothing is written then.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "ajuste/NotasRede.h"
#include "ajuste/RedeNacional.h"
#include "database/ArquivosDados.h"
#include "database/ContornosEstados.h"
#include "database/GradeNacional.h"
#include "database/MontagemDados.h"
#include "platform/Caminhos.h"
#include "platform/Erros.h"

namespace {

const char* const kAjuda =
    "Uso: tormel21-dados [--estrito] [--contornos ARQ] ESTACOES.csv LOCALIDADES.csv PASTA\n"
    "     tormel21-dados --maximos-anuais MAXIMOS.csv --inventario INVENTARIO.csv [opções] PASTA\n"
    "\n"
    "Na primeira forma, monta os arquivos de dados do Tormel 2.1 (Estados_Tor21.bin,\n"
    "Localidades_Tor21.bin e EstacoesAoNorte_Tor21.csv) na PASTA a partir dos arquivos\n"
    "CSV (UTF-8):\n"
    "  ESTACOES.csv     uf,nome,K,a,b,c,citacao,latitude,longitude\n"
    "  LOCALIDADES.csv  uf,nome,latitude,longitude\n"
    "Coordenadas no texto DD°MM'SS\" (sul e oeste); a latitude de uma estação ao norte\n"
    "do equador leva \" N\" depois do texto. Cada linha ruim é apontada (arquivo,\n"
    "linha, campo) e então nenhum arquivo é gravado. Os dois arquivos são trocados\n"
    "juntos: uma falha deixa o par antigo como estava.\n"
    "\n"
    "Na segunda forma, ajusta uma equação a cada estação da tabela de máximos anuais\n"
    "de chuva de um dia (colunas Date, Pdmax, Estacao_codigo) com o inventário\n"
    "(station_code, station_name, state_code, municipality, latitude, longitude) e\n"
    "grava na PASTA estacoes.csv, ajustes.csv, intervalos.csv e notas-dos-dados.md:\n"
    "triagem dos valores (zeros, acima do máximo físico, códigos de erro, baixos\n"
    "atípicos pelo teste de Grubbs-Beck múltiplo, muito acima da mediana da estação),\n"
    "pelo menos N anos, a distribuição\n"
    "escolhida como na janela de ajuste, desagregação CETESB, intervalos de 90%.\n"
    "\n"
    "Opções:\n"
    "  --estrito   recusa, em vez de só avisar, uma estação fora do contorno\n"
    "              do seu estado (estados com mapa) ou da sua extensão (os demais).\n"
    "  --contornos ARQ  contornos dos estados (padrão: contornos.csv ao lado de\n"
    "              ESTACOES.csv, se houver; sem eles, só os limites dos mapas).\n"
    "  --anos-minimos N     anos utilizáveis exigidos (padrão 25).\n"
    "  --maximo-fisico MM   acima disso um valor é removido (padrão 1000 mm).\n"
    "  --razao-mediana N    remove um valor mais de N vezes a mediana dos outros\n"
    "              máximos da estação (padrão 5; 0: nunca).\n"
    "  --bootstrap N        réplicas do intervalo de 90% (padrão 1000).\n"
    "  --replicas-aderencia N  réplicas dos valores-p (padrão 1000).\n"
    "  --grade ARQ          GradeNacional_Tor21.bin: compara i(10, 60) de cada\n"
    "              estação com a grade nacional nas notas.\n"
    "  --tarefas N          linhas de execução (padrão: uma por núcleo).\n"
    "  --pluviografos LISTA pluviógrafos subdiários (arquivo,nome,latitude,longitude;\n"
    "              os arquivos ao lado da lista), cada um ajustado aos seus máximos\n"
    "              de cada duração, sem desagregação (pede --contornos).\n"
    "  -h, --help  esta ajuda.\n"
    "\n"
    "Estado de saída: 0 arquivos gravados; 1 dados ruins ou erro de gravação;\n"
    "2 linha de comando inválida.\n";

std::string Plural(std::size_t n, const char* um, const char* varios) {
    return std::to_string(n) + " " + (n == 1 ? um : varios);
}

bool Inteiro(const std::string& texto, long minimo, long maximo, long& valor) {
    char* fim = nullptr;
    valor = std::strtol(texto.c_str(), &fim, 10);
    return !texto.empty() && *fim == '\0' && valor >= minimo && valor <= maximo;
}

std::string Nome(const std::string& caminho) {
    const std::size_t barra = caminho.find_last_of('/');
    return barra == std::string::npos ? caminho : caminho.substr(barra + 1);
}

int MontaRede(const std::string& maximos, const std::string& inventario, const std::string& pasta,
              TOpcoesRede o, const std::string& contornos, const std::string& grade, const std::string& pluviografos) {
    o.NomeMaximos = Nome(maximos);
    o.NomeInventario = Nome(inventario);
    TRedeAjustada rede = AjustaRedeDoTexto(LeArquivo(maximos), LeArquivo(inventario), o, Nome(maximos), Nome(inventario));
    std::unique_ptr<TContornosEstados> c;
    if (!contornos.empty()) c = std::make_unique<TContornosEstados>(LeArquivo(contornos));
    std::vector<TPluviografoRede> gauges;
    if (!pluviografos.empty()) {
        if (!c) {
            std::fprintf(stderr, "tormel21-dados: --pluviografos pede --contornos (o estado de cada um).\n");
            return 2;
        }
        gauges = AcrescentaPluviografos(rede, pluviografos, *c, o);
    }
    const TCsvsRede csvs = CsvsDaRede(rede);
    // The rows as the builder will take them: their warnings go to the notes.
    TImportador imp;
    if (c) imp.Contornos(c.get());
    imp.LeEstacoes(csvs.Estacoes, "estacoes.csv");
    for (const auto& e : imp.Erros()) std::fprintf(stderr, "%s\n", e.Texto().c_str());
    if (!imp.Erros().empty()) return 1;
    std::unique_ptr<TGradeNacional> g;
    if (!grade.empty()) {
        g = std::make_unique<TGradeNacional>();
        g->Carrega(grade);
    }
    TArquivosDados::Grava(pasta + "estacoes.csv", csvs.Estacoes);
    TArquivosDados::Grava(pasta + "ajustes.csv", csvs.Ajustes);
    TArquivosDados::Grava(pasta + "intervalos.csv", csvs.Intervalos);
    TArquivosDados::Grava(pasta + "notas-dos-dados.md", NotasDaRede(rede, o, imp.Avisos(), g.get(), gauges));
    std::printf("tormel21-dados: %s ajustadas, %s deixadas de fora, %s removidos\n",
                Plural(rede.Estacoes.size(), "estação", "estações").c_str(), std::to_string(rede.Deixadas.size()).c_str(),
                Plural(rede.Removidos.size(), "valor", "valores").c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> posicionais;
    bool estrito = false;
    std::string contornos, maximos, inventario, grade, pluviografos;
    TOpcoesRede rede;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool temValor = i + 1 < argc;
        long n = 0;
        auto numero = [&](long minimo, long maximo) {
            if (!temValor || !Inteiro(argv[++i], minimo, maximo, n)) {
                std::fprintf(stderr, "tormel21-dados: %s pede um inteiro de %ld a %ld.\n", a.c_str(), minimo, maximo);
                std::exit(2);
            }
            return n;
        };
        if (a == "--help" || a == "-h") {
            std::fputs(kAjuda, stdout);
            return 0;
        }
        if (a == "--estrito") estrito = true;
        else if (a == "--contornos" && temValor) contornos = argv[++i];
        else if (a == "--maximos-anuais" && temValor) maximos = argv[++i];
        else if (a == "--inventario" && temValor) inventario = argv[++i];
        else if (a == "--grade" && temValor) grade = argv[++i];
        else if (a == "--pluviografos" && temValor) pluviografos = argv[++i];
        else if (a == "--anos-minimos") rede.MinimoDeAnos = static_cast<std::size_t>(numero(10, 1000));
        else if (a == "--maximo-fisico") rede.MaximoFisico = static_cast<double>(numero(100, 5000));
        else if (a == "--razao-mediana") rede.RazaoDaMediana = static_cast<double>(numero(0, 100));
        else if (a == "--bootstrap") rede.Bootstrap = static_cast<int>(numero(0, 100000));
        else if (a == "--replicas-aderencia") rede.ReplicasAderencia = static_cast<int>(numero(0, 100000));
        else if (a == "--tarefas") rede.Tarefas = static_cast<unsigned>(numero(1, 256));
        else if (a.size() > 1 && a[0] == '-') {
            std::fprintf(stderr, "tormel21-dados: opção desconhecida ou sem valor: %s\nUse tormel21-dados --help.\n", a.c_str());
            return 2;
        } else posicionais.push_back(a);
    }
    const bool daRede = !maximos.empty() || !inventario.empty();
    if (daRede ? (maximos.empty() || inventario.empty() || posicionais.size() != 1) : posicionais.size() != 3) {
        std::fprintf(stderr, daRede ? "tormel21-dados: dê --maximos-anuais, --inventario e a pasta de saída.\n"
                                      "Use tormel21-dados --help.\n"
                                    : "tormel21-dados: dê os dois arquivos CSV e a pasta de saída.\n"
                                      "Use tormel21-dados --help.\n");
        return 2;
    }
    try {
        std::string pasta = posicionais.back();
        if (!pasta.empty() && pasta.back() != '/') pasta += '/';
        if (daRede) return MontaRede(maximos, inventario, pasta, rede, contornos, grade, pluviografos);
        const TMontagemDados m = MontaDados(posicionais[0], posicionais[1], pasta, contornos, estrito);
        for (const auto& a : m.Avisos) std::fprintf(stderr, "%s\n", a.Texto().c_str());
        if (!m.Erros.empty()) {
            for (const auto& e : m.Erros) std::fprintf(stderr, "%s\n", e.Texto().c_str());
            std::fprintf(stderr, "tormel21-dados: %s, nenhum arquivo gravado\n",
                         Plural(m.Erros.size(), "erro", "erros").c_str());
            return 1;
        }
        const std::size_t ne = m.Estacoes, nl = m.Localidades;
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
