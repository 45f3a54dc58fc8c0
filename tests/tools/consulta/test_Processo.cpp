// tormel21-consulta run as a process on data folders made here.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "LeitorCsv.h"
#include "PastaDadosTeste.h"
#include "database/BDPrecipitacao.h"
#include "platform/Cp1252.h"
#include "platform/Numeros.h"

extern char** environ;

namespace {

struct TExecucao {
    int Estado = -1;
    std::string Saida, Erros;
};

// Runs the program with the arguments, standard input from a file holding
// entrada, standard output and error into files.
TExecucao Roda(const TPastaDadosTeste& pasta, const std::vector<std::string>& argumentos,
               const std::string& entrada = "", const std::string& programa = TORMEL_CONSULTA_EXE) {
    const std::string in = pasta.Arquivo("stdin.txt", entrada);
    const std::string out = pasta.Pasta() + "stdout.txt", err = pasta.Pasta() + "stderr.txt";
    posix_spawn_file_actions_t acoes;
    posix_spawn_file_actions_init(&acoes);
    posix_spawn_file_actions_addopen(&acoes, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&acoes, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&acoes, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv = {const_cast<char*>(programa.c_str())};
    for (const auto& a : argumentos) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    TExecucao r;
    if (posix_spawn(&pid, programa.c_str(), &acoes, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        r.Estado = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&acoes);
    r.Saida = TPastaDadosTeste::Le(out);
    r.Erros = TPastaDadosTeste::Le(err);
    return r;
}

std::vector<std::vector<std::string>> Csv(const std::string& texto, char sep) {
    std::vector<std::vector<std::string>> linhas;
    std::istringstream in(texto);
    TLeitorCsv leitor(in, sep);
    TLinhaCsv l;
    while (leitor.Proxima(l)) {
        EXPECT_EQ("", l.Erro) << l.Numero;
        linhas.push_back(l.Campos);
    }
    return linhas;
}

// Value of "Nome: valor" in the one-point output.
std::string Campo(const std::string& saida, const std::string& nome) {
    const std::size_t i = saida.find("\n" + nome + ": ");
    const std::size_t inicio = i == std::string::npos ? (saida.rfind(nome + ": ", 0) == 0 ? 0 : i) : i + 1;
    if (inicio == std::string::npos) return "<ausente>";
    const std::size_t valor = inicio + nome.size() + 2;
    return saida.substr(valor, saida.find('\n', valor) - valor);
}

const std::vector<TEstacaoTeste> kEstacoes = {
    {4, "Salvador Teste", "BELTRANO et al. (2002)", "12°58'16\"", "38°30'39\"", 1000, 0.2, 10, 0.8},
    {12, "Belo Horizonte Teste  ", "MENGANO et al. (2001)", "19°55'30\"", "43°56'15\"", 1447.9, 0.1, 20, 0.84},
    {15, "Curitiba Mão", "ZUTANO e FULANO (1992)", "25°25'40\"", "49°16'23\"", 600, 0.5, 0, 1},
    {24, "São Paulo Teste", "FULANO et al. (1999)", "23°32'51\"", "46°38'10\"", 3462.7, 0.172, 22, 1.025},
    {26, "Palmas Teste", "BELTRANO et al. (2003)", "10°11'04\"", "48°20'01\"", 1850.2, 0.147, 14.1, 0.77},
    // Outside the pool: never used for points, never an exact match.
    {23, "Florianópolis", "IFDEMO (2001)", "27°35'48\"", "48°32'57\"", 9999, 0.9, 99, 0.9},
};

class Processo : public ::testing::Test {
protected:
    TPastaDadosTeste pasta{kEstacoes};
    TBDPrecipitacao bd{pasta.Pasta()};
    void SetUp() override { bd.CarregaEstacoes(); }
    TEstacao Interpola(const std::string& lat, const std::string& lon) const {
        return bd.Interpola(Ansi(lat), Ansi(lon));
    }
};

}  // namespace

TEST_F(Processo, StationTextsGiveTheStation) {
    const auto r = Roda(pasta, {"--dados", pasta.Pasta(), "19°55'30\"", "43°56'15\""});
    ASSERT_EQ(0, r.Estado) << r.Erros;
    EXPECT_EQ("Belo Horizonte Teste", Campo(r.Saida, "Local"));
    EXPECT_EQ("1447,9", Campo(r.Saida, "K"));
    EXPECT_EQ("0,1", Campo(r.Saida, "a"));
    EXPECT_EQ("20", Campo(r.Saida, "b"));
    EXPECT_EQ("0,84", Campo(r.Saida, "c"));
    EXPECT_EQ("MENGANO et al. (2001)", Campo(r.Saida, "Fonte"));

    // The same in a batch, and a station outside the pool is no match.
    const auto lote = Roda(pasta, {"--dados", pasta.Pasta(), "--entrada", "-", "--formato", "int"},
                           "id,lat,lon\nsp,23°32'51\",46°38'10\"\nsc,27°35'48\",48°32'57\"\n");
    ASSERT_EQ(0, lote.Estado) << lote.Erros;
    const auto linhas = Csv(lote.Saida, ',');
    ASSERT_EQ(3u, linhas.size());
    EXPECT_EQ((std::vector<std::string>{"sp", "23°32'51\"", "46°38'10\"", "São Paulo Teste", "3462.7", "0.172",
                                        "22", "1.025", "FULANO et al. (1999)", ""}),
              linhas[1]);
    EXPECT_EQ("Interpolação", linhas[2][3]);
    EXPECT_EQ("Interpolação", linhas[2][8]);
}

TEST_F(Processo, PointsBetweenStationsMatchInterpola) {
    // One point, coordinate texts.
    const auto r = Roda(pasta, {"--dados", pasta.Pasta(), "--formato", "int", "20°00'00\"", "44°00'00\""});
    ASSERT_EQ(0, r.Estado) << r.Erros;
    const TEstacao esperado = Interpola("20°00'00\"", "44°00'00\"");
    EXPECT_EQ("Interpolação", Campo(r.Saida, "Local"));
    EXPECT_EQ(FloatToStr(esperado.K, '.'), Campo(r.Saida, "K"));
    EXPECT_EQ(FloatToStr(esperado.a, '.'), Campo(r.Saida, "a"));
    EXPECT_EQ(FloatToStr(esperado.b, '.'), Campo(r.Saida, "b"));
    EXPECT_EQ(FloatToStr(esperado.c, '.'), Campo(r.Saida, "c"));
    EXPECT_EQ("Interpolação", Campo(r.Saida, "Fonte"));

    // Many points on two threads, texts and decimal degrees of both conventions.
    const std::string entrada =
        "p1,15°00'00\",40°00'00\"\n"
        "p2,-19.9258,-43.5\n"            // 19°55'32", 43°30'00"
        "p3,-5.175,-45.1\n"              // 05°10'29" (truncated), 45°06'00"
        "p4,24°59'59\",49°59'59\"\n"
        "p5,-12.97111,-38.51083\n";
    const auto lote = Roda(pasta, {"--dados", pasta.Pasta(), "--entrada", "-", "--formato", "int", "--negativos",
                                   "--tarefas", "2"},
                           entrada);
    ASSERT_EQ(0, lote.Estado) << lote.Erros;
    const auto linhas = Csv(lote.Saida, ',');
    ASSERT_EQ(6u, linhas.size());
    const std::vector<std::pair<std::string, std::string>> textos = {{"15°00'00\"", "40°00'00\""},
                                                                     {"19°55'32\"", "43°30'00\""},
                                                                     {"05°10'29\"", "45°06'00\""},
                                                                     {"24°59'59\"", "49°59'59\""},
                                                                     {"12°58'15\"", "38°30'38\""}};
    for (std::size_t i = 0; i < textos.size(); ++i) {
        const auto& l = linhas[i + 1];
        SCOPED_TRACE(l[0]);
        ASSERT_EQ(10u, l.size());
        EXPECT_EQ("p" + std::to_string(i + 1), l[0]);
        EXPECT_EQ(textos[i].first, l[1]);
        EXPECT_EQ(textos[i].second, l[2]);
        const TEstacao e = Interpola(textos[i].first, textos[i].second);
        EXPECT_EQ(FloatToStr(e.K, '.'), l[4]);
        EXPECT_EQ(FloatToStr(e.a, '.'), l[5]);
        EXPECT_EQ(FloatToStr(e.b, '.'), l[6]);
        EXPECT_EQ(FloatToStr(e.c, '.'), l[7]);
        EXPECT_EQ("", l[9]);
    }
}

TEST_F(Processo, BadRowsInTheMiddleAreReportedAndTheRestRun) {
    const std::string csv = pasta.Arquivo("pontos.csv",
                                          "ponto;latitude;longitude\n"
                                          "A;19°55'30\";43°56'15\"\n"
                                          "B;19°75'00\";43°00'00\"\n"
                                          "\n"
                                          "C;20,5\n"
                                          "D;\"aberto;1;2\n"
                                          "E;-20;44\n"
                                          "F;20,5;44,25\n");
    const auto r = Roda(pasta, {"--dados", pasta.Pasta(), "-e", csv});
    EXPECT_EQ(1, r.Estado);
    EXPECT_NE(std::string::npos, r.Erros.find("linha 3 (B): Latitude \"19°75'00\"\" inválida: minutos acima de 59"))
        << r.Erros;
    EXPECT_NE(std::string::npos, r.Erros.find("linha 5 (C): esperados 3 campos")) << r.Erros;
    EXPECT_NE(std::string::npos, r.Erros.find("linha 6 (D): ")) << r.Erros;
    EXPECT_NE(std::string::npos, r.Erros.find("linha 7 (E): Latitude \"-20\" inválida: valor negativo")) << r.Erros;
    EXPECT_NE(std::string::npos, r.Erros.find("4 linhas falharam")) << r.Erros;

    const auto linhas = Csv(r.Saida, ';');
    ASSERT_EQ(7u, linhas.size());
    std::string ids;
    for (std::size_t i = 1; i < linhas.size(); ++i) ids += linhas[i][0];
    EXPECT_EQ("ABCDEF", ids);   // every row, in input order
    EXPECT_EQ("Belo Horizonte Teste", linhas[1][3]);
    EXPECT_EQ("", linhas[1][9]);
    for (std::size_t i : {2u, 3u, 4u, 5u}) {
        EXPECT_EQ("", linhas[i][4]);      // no K
        EXPECT_NE("", linhas[i][9]);      // a message
    }
    EXPECT_EQ("19°75'00\"", linhas[2][1]);   // the input as given
    const TEstacao f = Interpola("20°30'00\"", "44°15'00\"");
    EXPECT_EQ(FloatToStr(f.K, ','), linhas[6][4]);
    EXPECT_EQ("", linhas[6][9]);
}

TEST_F(Processo, BothDialectsCarryTheSameNumbers) {
    const std::string pontos = "x;21°10'00\";45°20'30\"\ny;11,5;40,25\n";
    const auto br = Roda(pasta, {"--dados", pasta.Pasta(), "-e", "-", "--formato", "br"}, pontos);
    std::string pontosInt = "x,21°10'00\",45°20'30\"\ny,11.5,40.25\n";
    const auto in = Roda(pasta, {"--dados", pasta.Pasta(), "-e", "-", "--formato", "int"}, pontosInt);
    ASSERT_EQ(0, br.Estado) << br.Erros;
    ASSERT_EQ(0, in.Estado) << in.Erros;
    EXPECT_EQ(0u, br.Saida.rfind("id;latitude;longitude;local;K;a;b;c;fonte;erro\n", 0));
    EXPECT_EQ(0u, in.Saida.rfind("id,latitude,longitude,local,K,a,b,c,fonte,erro\n", 0));
    const auto lb = Csv(br.Saida, ';'), li = Csv(in.Saida, ',');
    ASSERT_EQ(3u, lb.size());
    ASSERT_EQ(lb.size(), li.size());
    for (std::size_t i = 1; i < lb.size(); ++i)
        for (std::size_t k = 4; k < 8; ++k) {
            std::string b = lb[i][k];
            EXPECT_NE(std::string::npos, b.find(',')) << b;   // interpolated values have decimals
            for (char& c : b)
                if (c == ',') c = '.';
            EXPECT_EQ(li[i][k], b);
        }
    // The texts of the coordinates are quoted where the field separator or the quote needs it.
    EXPECT_NE(std::string::npos, br.Saida.find("x;\"21°10'00\"\"\";\"45°20'30\"\"\";Interpolação;"));
}

TEST_F(Processo, IntensityAndDepthWorkedByHand) {
    // Curitiba Mão: K = 600, a = 0.5, b = 0, c = 1: Tr = 4 gives i = 1200/t, P = 20 mm.
    const std::string args[] = {"--tr", "4,9", "--duracoes", "30,60"};
    const auto r = Roda(pasta, {"--dados", pasta.Pasta(), "--formato", "int", args[0], args[1], args[2], args[3],
                                "25°25'40\"", "49°16'23\""});
    ASSERT_EQ(0, r.Estado) << r.Erros;
    EXPECT_NE(std::string::npos, r.Saida.find("Tr (anos)\tt (min)\ti (mm/h)\tP (mm)\n"
                                              "4\t30\t40\t20\n"
                                              "4\t60\t20\t20\n"
                                              "9\t30\t60\t30\n"
                                              "9\t60\t30\t30\n"))
        << r.Saida;

    // Salvador Teste: K = 1000, a = 0.2, b = 10, c = 0.8, Tr = 10: i(10) = 144.270 mm/h,
    // P(60) = 52.957 mm (1000·10^0.2 = 1584.893; 20^0.8 = 10.98561; 70^0.8 = 29.92853).
    const auto lote = Roda(pasta, {"--dados", pasta.Pasta(), "-e", "-", "--tr", "10", "--duracoes", "10,60"},
                           "s;12°58'16\";38°30'39\"\nc;25°25'40\";49°16'23\"\n");
    ASSERT_EQ(0, lote.Estado) << lote.Erros;
    const auto l = Csv(lote.Saida, ';');
    ASSERT_EQ(3u, l.size());
    EXPECT_EQ((std::vector<std::string>{"i_Tr10_t10", "P_Tr10_t10", "i_Tr10_t60", "P_Tr10_t60", "erro"}),
              std::vector<std::string>(l[0].begin() + 9, l[0].end()));
    auto numero = [](std::string s) {
        for (char& c : s)
            if (c == ',') c = '.';
        return std::stod(s);
    };
    EXPECT_NEAR(144.270, numero(l[1][9]), 5e-4);
    EXPECT_NEAR(144.270 * 10 / 60, numero(l[1][10]), 5e-4);
    EXPECT_NEAR(52.957, numero(l[1][12]), 5e-4);
    EXPECT_NEAR(52.957, numero(l[1][11]), 5e-4);   // 60 minutes: i and P coincide
    // Curitiba Mão at Tr = 10: i = 600·√10/t.
    EXPECT_NEAR(std::sqrt(10.0) * 600 / 10, numero(l[2][9]), 1e-9);
    EXPECT_NEAR(std::sqrt(10.0) * 600 / 60, numero(l[2][11]), 1e-9);
}

TEST_F(Processo, ContributingStationsNearestFirst) {
    const auto r = Roda(pasta, {"--dados", pasta.Pasta(), "--formato", "int", "--estacoes=2", "20°00'00\"",
                                "44°00'00\""});
    ASSERT_EQ(0, r.Estado) << r.Erros;
    const std::size_t cabecalho = r.Saida.find("Estação\tLatitude\tLongitude\tDistância (graus)\tPeso (%)\n");
    ASSERT_NE(std::string::npos, cabecalho) << r.Saida;
    std::istringstream resto(r.Saida.substr(cabecalho));
    std::string linha;
    std::vector<std::string> nomes;
    std::getline(resto, linha);
    while (std::getline(resto, linha)) nomes.push_back(linha.substr(0, linha.find('\t')));
    EXPECT_EQ((std::vector<std::string>{"Belo Horizonte Teste", "São Paulo Teste"}), nomes);
}

TEST_F(Processo, ExitStatusAndMessages) {
    EXPECT_EQ(0, Roda(pasta, {"--help"}).Estado);
    EXPECT_NE(std::string::npos, Roda(pasta, {"--help"}).Saida.find("--negativos"));
    EXPECT_EQ(0, Roda(pasta, {"--version"}).Estado);

    const auto uso = Roda(pasta, {"--tr", "10", "1", "2"});
    EXPECT_EQ(2, uso.Estado);
    EXPECT_NE(std::string::npos, uso.Erros.find("--tr e --duracoes andam juntas"));

    const auto ruim = Roda(pasta, {"--dados", pasta.Pasta(), "19°55'30\"", "x"});
    EXPECT_EQ(1, ruim.Estado);
    EXPECT_NE(std::string::npos, ruim.Erros.find("Longitude \"x\" inválida")) << ruim.Erros;
    EXPECT_EQ("", ruim.Saida);

    const auto semDados = Roda(pasta, {"--dados", pasta.Pasta() + "nada", "20", "44"});
    EXPECT_EQ(1, semDados.Estado);
    EXPECT_NE(std::string::npos, semDados.Erros.find("nada/Estados_Tor21.bin não existe")) << semDados.Erros;

    const auto semArquivo = Roda(pasta, {"--dados", pasta.Pasta(), "-e", pasta.Pasta() + "nao.csv"});
    EXPECT_EQ(1, semArquivo.Estado);
    EXPECT_NE(std::string::npos, semArquivo.Erros.find("nao.csv")) << semArquivo.Erros;
}

TEST_F(Processo, EmptyPoolIsAnErrorNotZeros) {
    const TPastaDadosTeste fora({{23, "Florianópolis", "IFDEMO (2001)", "27°35'48\"", "48°32'57\"", 1, 1, 1, 1}});
    const auto r = Roda(fora, {"--dados", fora.Pasta(), "20", "44"});
    EXPECT_EQ(1, r.Estado);
    EXPECT_EQ("", r.Saida);
    EXPECT_NE(std::string::npos, r.Erros.find("não tem estações nos estados usados na interpolação")) << r.Erros;
}

TEST_F(Processo, OutputFileIsReplacedWhole) {
    const std::string destino = pasta.Arquivo("saida.csv", "conteudo antigo\n");
    const auto r = Roda(pasta, {"--dados", pasta.Pasta(), "-e", "-", "-o", destino}, "a;20;44\n");
    ASSERT_EQ(0, r.Estado) << r.Erros;
    EXPECT_EQ("", r.Saida);
    const std::string escrito = TPastaDadosTeste::Le(destino);
    EXPECT_EQ(0u, escrito.rfind("id;latitude;longitude;", 0));
    EXPECT_NE(std::string::npos, escrito.find("\na;\"20°00'00\"\"\";\"44°00'00\"\"\";Interpolação;"));
    // No temporary file left beside it.
    int arquivos = 0;
    for (const auto& e : std::filesystem::directory_iterator(pasta.Pasta()))
        arquivos += e.path().filename().string().rfind("saida.csv", 0) == 0;
    EXPECT_EQ(1, arquivos);

    // A folder that cannot be written: an error, and nothing on standard output.
    const auto falha = Roda(pasta, {"--dados", pasta.Pasta(), "-o", pasta.Pasta() + "nao/existe.txt", "20", "44"});
    EXPECT_EQ(1, falha.Estado);
    EXPECT_EQ("", falha.Saida);
}

TEST_F(Processo, DefaultDataFolderBesideTheProgramFolder) {
    // <temp>/bin/tormel21-consulta finds <temp>/Arquivos Comuns/.
    namespace fs = std::filesystem;
    const fs::path raiz = pasta.Pasta();
    fs::create_directories(raiz / "bin");
    fs::create_directories(raiz / "Arquivos Comuns");
    fs::copy_file(raiz / "Estados_Tor21.bin", raiz / "Arquivos Comuns" / "Estados_Tor21.bin");
    const fs::path copia = raiz / "bin" / "tormel21-consulta";
    fs::copy_file(TORMEL_CONSULTA_EXE, copia);
    const auto r = Roda(pasta, {"19°55'30\"", "43°56'15\""}, "", copia.string());
    ASSERT_EQ(0, r.Estado) << r.Erros;
    EXPECT_EQ("Belo Horizonte Teste", Campo(r.Saida, "Local"));
}
