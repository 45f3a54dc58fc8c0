// tormel21-consulta run as a process on data folders made here.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
    TLinhaCsvPontos l;
    while (leitor.Proxima(l)) {
        EXPECT_EQ("", l.Erro) << l.Numero;
        linhas.push_back(l.Campos);
    }
    return linhas;
}

// Value of "Nome: valor" in the one-point output.
std::string Campo(const std::string& saida, const std::string& nome) {
    const std::size_t i = ("\n" + saida).find("\n" + nome + ": ");
    if (i == std::string::npos) return "<ausente>";
    const std::size_t valor = i + nome.size() + 2;
    return saida.substr(valor, saida.find('\n', valor) - valor);
}

// K, a, b, c of a station record as the program writes them.
std::vector<std::string> Parametros(const TEstacao& e, char dec) {
    return {FloatToStr(e.K, dec), FloatToStr(e.a, dec), FloatToStr(e.b, dec), FloatToStr(e.c, dec)};
}
std::vector<std::string> Colunas(const std::vector<std::string>& l, std::size_t de, std::size_t ate) {
    return std::vector<std::string>(l.begin() + static_cast<long>(de), l.begin() + static_cast<long>(ate));
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

TEST_F(Processo, StationTextsGiveTheStationAndOtherPointsMatchInterpola) {
    const auto r = Roda(pasta, {"--dados", pasta.Pasta(), "19°55'30\"", "43°56'15\""});
    ASSERT_EQ(0, r.Estado) << r.Erros;
    EXPECT_EQ("Belo Horizonte Teste", Campo(r.Saida, "Local"));
    EXPECT_EQ("1447,9", Campo(r.Saida, "K"));
    EXPECT_EQ("0,84", Campo(r.Saida, "c"));
    EXPECT_EQ("MENGANO et al. (2001)", Campo(r.Saida, "Fonte"));

    // One point between stations, with the contributing stations nearest first.
    const auto m = Roda(pasta, {"--dados", pasta.Pasta(), "--formato", "int", "--estacoes=2", "20°00'00\"",
                                "44°00'00\""});
    ASSERT_EQ(0, m.Estado) << m.Erros;
    EXPECT_EQ("Interpolação", Campo(m.Saida, "Local"));
    EXPECT_EQ("Interpolação", Campo(m.Saida, "Fonte"));
    const TEstacao e = Interpola("20°00'00\"", "44°00'00\"");
    EXPECT_EQ(Parametros(e, '.'),
              (std::vector<std::string>{Campo(m.Saida, "K"), Campo(m.Saida, "a"), Campo(m.Saida, "b"),
                                        Campo(m.Saida, "c")}));
    const std::string lista = m.Saida.substr(m.Saida.find("Estação\tLatitude\tLongitude\tDistância (graus)"));
    EXPECT_EQ(3, std::count(lista.begin(), lista.end(), '\n'));
    EXPECT_LT(lista.find("\nBelo Horizonte Teste\t"), lista.find("\nSão Paulo Teste\t"));

    // Many points on two threads: station texts (São Paulo; Florianópolis is
    // outside the pool), texts between stations, decimal degrees truncated.
    const auto lote = Roda(pasta, {"--dados", pasta.Pasta(), "-e", "-", "--formato", "int", "--negativos",
                                   "--tarefas", "2"},
                           "id,lat,lon\nsp,23°32'51\",46°38'10\"\nsc,27°35'48\",48°32'57\"\n"
                           "p1,15°00'00\",40°00'00\"\np2,-19.9258,-43.5\np3,-5.175,-45.1\n");
    ASSERT_EQ(0, lote.Estado) << lote.Erros;
    const auto l = Csv(lote.Saida, ',');
    ASSERT_EQ(6u, l.size());
    // The input's columns first, then the texts used and their signed degrees.
    EXPECT_EQ((std::vector<std::string>{"sp", "23°32'51\"", "46°38'10\"", "23°32'51\"", "46°38'10\"", "-23.5475",
                                        "-46.6361111111111", "São Paulo Teste", "3462.7", "0.172", "22", "1.025",
                                        "FULANO et al. (1999)"}),
              Colunas(l[1], 0, 13));
    EXPECT_EQ("", l[1].back());
    const std::vector<std::pair<std::string, std::string>> textos = {{"27°35'48\"", "48°32'57\""},
                                                                     {"15°00'00\"", "40°00'00\""},
                                                                     {"19°55'32\"", "43°30'00\""},
                                                                     {"05°10'30\"", "45°06'00\""}};
    for (std::size_t i = 0; i < textos.size(); ++i) {
        SCOPED_TRACE(l[i + 2][0]);
        EXPECT_EQ((std::vector<std::string>{textos[i].first, textos[i].second}), Colunas(l[i + 2], 3, 5));
        EXPECT_EQ("Interpolação", l[i + 2][7]);
        EXPECT_EQ(Parametros(Interpola(textos[i].first, textos[i].second), '.'), Colunas(l[i + 2], 8, 12));
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
    for (const char* msg : {"linha 3 (B): Latitude \"19°75'00\"\" inválida: minutos acima de 59",
                            "linha 5 (C): esperados 3 campos", "linha 6 (D): ",
                            "linha 7 (E): Latitude \"-20\" inválida: valor negativo", "4 linhas falharam"})
        EXPECT_NE(std::string::npos, r.Erros.find(msg)) << r.Erros;

    const auto l = Csv(r.Saida, ';');
    ASSERT_EQ(7u, l.size());
    std::string ids;
    for (std::size_t i = 1; i < l.size(); ++i) {
        ids += l[i][0];
        EXPECT_EQ(i == 1 || i == 6, l[i][8] != "");       // K only where computed
        EXPECT_EQ(i == 1 || i == 6, l[i].back() == "");   // a message everywhere else
    }
    EXPECT_EQ("ABCDEF", ids);                 // every row, in input order
    EXPECT_EQ("19°75'00\"", l[2][1]);         // the input as given
    EXPECT_EQ(Parametros(Interpola("20°30'00\"", "44°15'00\""), ','), Colunas(l[6], 8, 12));
}

TEST_F(Processo, BothDialectsCarryTheSameNumbers) {
    const auto br = Roda(pasta, {"--dados", pasta.Pasta(), "-e", "-"}, "x;21°10'00\";45°20'30\"\ny;11,5;40,25\n");
    const auto in = Roda(pasta, {"--dados", pasta.Pasta(), "-e", "-", "--formato", "int"},
                         "x,21°10'00\",45°20'30\"\ny,11.5,40.25\n");
    ASSERT_EQ(0, br.Estado) << br.Erros;
    ASSERT_EQ(0, in.Estado) << in.Erros;
    EXPECT_EQ(0u, br.Saida.rfind("id;latitude_entrada;longitude_entrada;latitude;longitude;lat_decimal;lon_decimal;"
                                 "local;K;a;b;c;fonte;aviso;erro\n"
                                 "x;\"21°10'00\"\"\";\"45°20'30\"\"\";\"21°10'00\"\"\";\"45°20'30\"\"\";"
                                 "-21,1666666666667;-45,3416666666667;Interpolação;", 0));
    EXPECT_EQ(0u, in.Saida.rfind("id,latitude_entrada,longitude_entrada,latitude,longitude,lat_decimal,lon_decimal,"
                                 "local,K,a,b,c,fonte,aviso,erro\n", 0));
    const auto lb = Csv(br.Saida, ';'), li = Csv(in.Saida, ',');
    ASSERT_EQ(3u, lb.size());
    ASSERT_EQ(3u, li.size());
    for (std::size_t i = 1; i < 3; ++i) {
        const TEstacao e = Interpola(li[i][3], li[i][4]);
        EXPECT_EQ(Parametros(e, ','), Colunas(lb[i], 8, 12));
        EXPECT_EQ(Parametros(e, '.'), Colunas(li[i], 8, 12));
        EXPECT_NE(std::string::npos, lb[i][8].find(','));   // interpolated values have decimals
    }
}

TEST_F(Processo, IntensityAndDepthWorkedByHand) {
    // Curitiba Mão: K = 600, a = 0.5, b = 0, c = 1, so i = 600·√Tr/t and P = 10·√Tr.
    const auto r = Roda(pasta, {"--dados", pasta.Pasta(), "--formato", "int", "--tr", "4,9", "--duracoes", "30,60",
                                "25°25'40\"", "49°16'23\""});
    ASSERT_EQ(0, r.Estado) << r.Erros;
    EXPECT_NE(std::string::npos, r.Saida.find("Tr (anos)\tt (min)\ti (mm/h)\tP (mm)\n4\t30\t40\t20\n"
                                              "4\t60\t20\t20\n9\t30\t60\t30\n9\t60\t30\t30\n"))
        << r.Saida;

    // Salvador Teste: K = 1000, a = 0.2, b = 10, c = 0.8, Tr = 10: 1000·10^0.2 = 1584.893;
    // 20^0.8 = 10.98561, i(10) = 144.270 mm/h; 70^0.8 = 29.92853, i(60) = P(60) = 52.957.
    const auto lote = Roda(pasta, {"--dados", pasta.Pasta(), "-e", "-", "--tr", "10", "--duracoes", "10,60"},
                           "s;12°58'16\";38°30'39\"\n");
    ASSERT_EQ(0, lote.Estado) << lote.Erros;
    const auto l = Csv(lote.Saida, ';');
    ASSERT_EQ(2u, l.size());
    EXPECT_EQ((std::vector<std::string>{"i_Tr10_t10", "P_Tr10_t10", "i_Tr10_t60", "P_Tr10_t60", "aviso", "erro"}),
              Colunas(l[0], 13, 19));
    auto numero = [](std::string s) { return std::stod(s.replace(s.find(','), 1, ".")); };
    EXPECT_NEAR(144.270, numero(l[1][13]), 5e-4);
    EXPECT_NEAR(144.270 / 6, numero(l[1][14]), 5e-4);
    EXPECT_NEAR(52.957, numero(l[1][15]), 5e-4);
    EXPECT_NEAR(52.957, numero(l[1][16]), 5e-4);
}

TEST_F(Processo, ExitStatusAndMessages) {
    const auto ajuda = Roda(pasta, {"--help"});
    EXPECT_EQ(0, ajuda.Estado);
    EXPECT_NE(std::string::npos, ajuda.Saida.find("--negativos"));
    const auto uso = Roda(pasta, {"--tr", "10", "1", "2"});
    EXPECT_EQ(2, uso.Estado);
    EXPECT_NE(std::string::npos, uso.Erros.find("--tr e --duracoes andam juntas"));

    // Bad input: status 1, a message naming it, nothing on standard output.
    const TPastaDadosTeste fora({{23, "Florianópolis", "IFDEMO (2001)", "27°35'48\"", "48°32'57\"", 1, 1, 1, 1}});
    const TPastaDadosTeste corrompida({{4, "NaN", "X", "12°00'00\"", "40°00'00\"", std::nan(""), 1, 1, 1}});
    const std::vector<std::pair<std::vector<std::string>, std::string>> casos = {
        {{"--dados", pasta.Pasta(), "19°55'30\"", "x"}, "Longitude \"x\" inválida"},
        {{"--dados", pasta.Pasta() + "nada", "20", "44"}, "nada/Estados_Tor21.bin não existe"},
        {{"--dados", pasta.Pasta(), "-e", pasta.Pasta() + "nao.csv"}, "nao.csv"},
        {{"--dados", pasta.Pasta(), "-o", pasta.Pasta() + "nao/existe.txt", "20", "44"}, "nao/existe.txt"},
        // A pool without stations is an error, not a result of zeros.
        {{"--dados", fora.Pasta(), "20", "44"}, "não tem estações nos estados usados na interpolação"},
        // Nor is a station record whose K is not a number: the record is named.
        {{"--dados", corrompida.Pasta(), "20", "44"},
         "tem um registro corrompido: estação \"NaN\", registro 1 do bloco do estado 4 (Bahia): parâmetro K não é "
         "um número (NAN)."},
    };
    for (const auto& [args, mensagem] : casos) {
        const auto r = Roda(pasta, args);
        EXPECT_EQ(1, r.Estado) << mensagem;
        EXPECT_EQ("", r.Saida);
        EXPECT_NE(std::string::npos, r.Erros.find(mensagem)) << r.Erros;
    }
}

TEST(ProcessoDadosCorrompidos, TheBatchNamesTheBadRecordOnceAndItsRowsBlameTheData) {
    const TPastaDadosTeste pasta({kEstacoes[0], {4, "Ruim", "X", "ab°00'00\"", "40°00'00\"", 1, 1, 1, 1}, kEstacoes[1]});
    const auto r = Roda(pasta, {"--dados", pasta.Pasta(), "-e", "-"},
                        "s;12°58'16\";38°30'39\"\nb;19°55'30\";43°56'15\"\np;20;44\nx;20;y\n");
    EXPECT_EQ(1, r.Estado);
    const std::string mensagem = "O arquivo " + pasta.Pasta() +
                                 "Estados_Tor21.bin tem um registro corrompido: estação \"Ruim\", registro 2 do "
                                 "bloco do estado 4 (Bahia): latitude \"ab°00'00\"\" ilegível ('ab' is not a valid "
                                 "floating point value).\n";
    EXPECT_EQ(0u, r.Erros.find(mensagem)) << r.Erros;
    EXPECT_EQ(std::string::npos, r.Erros.find("is not a valid", mensagem.size())) << r.Erros;   // said once
    EXPECT_EQ(std::string::npos, r.Erros.find("linha 2")) << r.Erros;
    EXPECT_NE(std::string::npos, r.Erros.find("linha 4 (x): Longitude \"y\" inválida")) << r.Erros;
    const auto l = Csv(r.Saida, ';');
    ASSERT_EQ(5u, l.size());
    EXPECT_EQ("Salvador Teste", l[1][7]);   // scanned before the bad record
    EXPECT_EQ("", l[1].back());
    for (std::size_t i : {2u, 3u}) EXPECT_EQ("dados das estações corrompidos", l[i].back()) << i;
}

TEST_F(Processo, OutputFileAndDefaultDataFolder) {
    // The output file replaces the old one whole, with no temporary file left.
    const std::string destino = pasta.Arquivo("saida.csv", "conteudo antigo\n");
    const auto r = Roda(pasta, {"--dados", pasta.Pasta(), "-e", "-", "-o", destino}, "a;20;44\n");
    ASSERT_EQ(0, r.Estado) << r.Erros;
    EXPECT_EQ("", r.Saida);
    EXPECT_EQ(0u, TPastaDadosTeste::Le(destino).rfind(
                      "id;latitude_entrada;longitude_entrada;latitude;longitude;lat_decimal;lon_decimal;local;K;a;b;"
                      "c;fonte;aviso;erro\na;20;44;\"20°00'00\"\"\";\"44°00'00\"\"\";-20;-44;Interpolação;",
                      0));
    int arquivos = 0;
    for (const auto& f : std::filesystem::directory_iterator(pasta.Pasta()))
        arquivos += f.path().filename().string().rfind("saida.csv", 0) == 0;
    EXPECT_EQ(1, arquivos);
    // It keeps the mode of the file it replaces (the temporary file was private).
    namespace fs = std::filesystem;
    fs::permissions(destino, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(0, Roda(pasta, {"--dados", pasta.Pasta(), "-o", destino, "20", "44"}).Estado);
    EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
              fs::status(destino).permissions());

    // <temp>/bin/tormel21-consulta finds <temp>/Arquivos Comuns/ by itself.
    const fs::path raiz = pasta.Pasta();
    fs::create_directories(raiz / "bin");
    fs::create_directories(raiz / "Arquivos Comuns");
    fs::copy_file(raiz / "Estados_Tor21.bin", raiz / "Arquivos Comuns" / "Estados_Tor21.bin");
    fs::copy_file(TORMEL_CONSULTA_EXE, raiz / "bin" / "tormel21-consulta");
    const auto d = Roda(pasta, {"19°55'30\"", "43°56'15\""}, "", (raiz / "bin" / "tormel21-consulta").string());
    ASSERT_EQ(0, d.Estado) << d.Erros;
    EXPECT_EQ("Belo Horizonte Teste", Campo(d.Saida, "Local"));
}

TEST_F(Processo, DesignStormAndInverseQuestionsWorkedByHand) {
    // Curitiba Mão: i = 600·√Tr/t. A storm of 20 mm in 30 min (40 mm/h) has
    // Tr = (40·30/600)² = 4 years; 5 mm in 60 min has 0.25 years, an
    // extrapolation. i = 40 mm/h at Tr 4 lasts 600·2/40 = 30 min.
    const std::string curitiba[] = {"25°25'40\"", "49°16'23\""};
    const auto inversas = Roda(pasta, {"--dados", pasta.Pasta(), "--formato", "int", "--tr", "4",
                                       "--duracao-intensidade", "40", "--tr-evento", "30,20", curitiba[0], curitiba[1]});
    ASSERT_EQ(0, inversas.Estado) << inversas.Erros;
    EXPECT_NE(std::string::npos, inversas.Saida.find("\n4\t40\t30\t")) << inversas.Saida;
    EXPECT_NE(std::string::npos, inversas.Saida.find("\n30\t20\t40\t4\t\n")) << inversas.Saida;

    // In a batch, the t and P columns named in the header.
    const auto lote = Roda(pasta, {"--dados", pasta.Pasta(), "-e", "-"},
                           "id;lat;lon;t;P\nc;25°25'40\";49°16'23\";30;20\nx;25°25'40\";49°16'23\";60;5\n"
                           "y;25°25'40\";49°16'23\";;\nz;25°25'40\";49°16'23\";abc;1\n");
    EXPECT_EQ(1, lote.Estado);
    const auto l = Csv(lote.Saida, ';');
    ASSERT_EQ(5u, l.size());
    EXPECT_EQ((std::vector<std::string>{"tr_evento", "nota_tr_evento", "erro"}), Colunas(l[0], 16, 19));
    EXPECT_EQ((std::vector<std::string>{"4", "", ""}), Colunas(l[1], 16, 19));
    EXPECT_EQ("0,25", l[2][16]);
    EXPECT_NE(std::string::npos, l[2][17].find("extrapola")) << l[2][17];
    EXPECT_EQ((std::vector<std::string>{"", "", ""}), Colunas(l[3], 16, 19));
    EXPECT_NE(std::string::npos, l[4][18].find("t: \"abc\"")) << l[4][18];

    // Salvador Teste at Tr 10 (K = 1000, a = 0.2, b = 10, c = 0.8): P(10) =
    // 24.045 mm, P(60) = 52.957 mm. A centred 60-minute storm in 10-minute
    // blocks has its largest block, P(10), fourth (the one holding t = 30)
    // and adds up to P(60); P = 52.957 mm is reached at t = 60 min.
    const auto chuva = Roda(pasta, {"--dados", pasta.Pasta(), "--formato", "int", "--tr", "10", "--duracao-altura",
                                    "52.957", "--hietograma", "10,60,10", "12°58'16\"", "38°30'39\""});
    ASSERT_EQ(0, chuva.Estado) << chuva.Erros;
    const std::size_t tabela = chuva.Saida.find("inicio_min,fim_min,altura_mm,intensidade_mm_h,acumulada_mm\n");
    ASSERT_NE(std::string::npos, tabela) << chuva.Saida;
    const auto blocos = Csv(chuva.Saida.substr(tabela), ',');
    ASSERT_EQ(7u, blocos.size());
    EXPECT_EQ("30", blocos[4][0]);
    EXPECT_NEAR(24.045, std::stod(blocos[4][2]), 5e-4);
    for (std::size_t i = 1; i < blocos.size(); ++i) EXPECT_LT(std::stod(blocos[i][2]), std::stod(blocos[4][2]) + 1e-12);
    EXPECT_NEAR(52.957, std::stod(blocos[6][4]), 5e-4);
    const std::size_t t = chuva.Saida.find("\n10\t52.957\t");
    ASSERT_NE(std::string::npos, t) << chuva.Saida;
    EXPECT_NEAR(60, std::stod(chuva.Saida.substr(t + 11)), 0.01);

    // A step that does not divide D is refused and nothing is written.
    const auto ruim = Roda(pasta, {"--dados", pasta.Pasta(), "--hietograma", "10,60,7", curitiba[0], curitiba[1]});
    EXPECT_EQ(1, ruim.Estado);
    EXPECT_EQ("", ruim.Saida);
    EXPECT_NE(std::string::npos, ruim.Erros.find("Intervalo")) << ruim.Erros;
}

TEST_F(Processo, AnswersBeyondTheFittedRangesAreNotedOnStandardError) {
    // Salvador Teste at Tr 10: P = 52.957 mm at t = 60 min; 200 mm takes
    // weeks. 5 mm in 60 min has Tr = 0.25 years.
    const std::string duracao = "A dura\xC3\xA7\xC3\xA3o est\xC3\xA1 fora da faixa de 5 a 1.440 min";
    const std::string periodo = "O per\xC3\xADodo de retorno est\xC3\xA1 fora da faixa de 2 a 100 anos";
    const struct {
        std::vector<std::string> Pergunta;
        std::string Nota;   // empty: no note
    } casos[] = {
        {{"--tr", "10", "--duracao-altura", "52.957"}, ""},
        {{"--tr", "10", "--duracao-altura", "200"}, duracao},
        {{"--tr", "10", "--duracao-intensidade", "0.5"}, duracao},
        {{"--tr", "500", "--duracao-intensidade", "40"}, periodo},
        {{"--tr", "10", "--duracoes", "60,2880"}, "t = 2880 min: " + duracao},
        {{"--tr-evento", "60,5"}, periodo},
        {{"--tr-evento", "60,50"}, ""},
    };
    for (const auto& caso : casos) {
        std::vector<std::string> args = {"--dados", pasta.Pasta(), "--formato", "int"};
        args.insert(args.end(), caso.Pergunta.begin(), caso.Pergunta.end());
        args.insert(args.end(), {"12\xC2\xB0" "58'16\"", "38\xC2\xB0" "30'39\""});
        const auto r = Roda(pasta, args);
        ASSERT_EQ(0, r.Estado) << caso.Pergunta[1] << r.Erros;
        if (caso.Nota.empty()) {
            EXPECT_EQ(std::string::npos, r.Erros.find("fora da faixa")) << caso.Pergunta[1] << r.Erros;
        } else {
            EXPECT_NE(std::string::npos, r.Erros.find("tormel21-consulta: ")) << r.Erros;
            EXPECT_NE(std::string::npos, r.Erros.find(caso.Nota)) << caso.Pergunta[1] << ' ' << caso.Pergunta.back() << r.Erros;
        }
    }
}

// Salvador Teste (K = 1000, a = 0.2, b = 10, c = 0.8), Tr 10, tc 20 min:
// 30^0.8 = e^(0.8·3.401197) = 15.19487, i = 1584.893/15.19487 = 104.3045 mm/h,
// Q = 0.6·104.3045·0.5/3.6 = 8.69204 m³/s.
TEST_F(Processo, PeakFlowAndStormFilesForTheModels) {
    const std::vector<std::string> ponto = {"--dados", pasta.Pasta(), "--formato", "int", "12°58'16\"", "38°30'39\""};
    auto roda = [&](std::vector<std::string> a) {
        a.insert(a.end(), ponto.begin(), ponto.end());
        return Roda(pasta, a);
    };
    const auto q = roda({"--vazao", "0.5,0.6,20,10"});
    ASSERT_EQ(0, q.Estado) << q.Erros;
    EXPECT_NEAR(104.3045, std::stod(Campo(q.Saida, "i(Tr, tc) (mm/h)")), 5e-4);
    EXPECT_NEAR(8.69204, std::stod(Campo(q.Saida, "Q (m³/s)")), 5e-5);
    EXPECT_EQ("<ausente>", Campo(q.Saida, "Nota"));
    // Kirpich from L 1.2 km and H 30 m (18.9949 min), 3 km² beyond the method's range.
    const auto k = roda({"--vazao", "3,0.6,1.2:30,10"});
    ASSERT_EQ(0, k.Estado) << k.Erros;
    EXPECT_NEAR(18.9949, std::stod(Campo(k.Saida, "tc (min, Kirpich 57·(L³/H)^0,385)")), 5e-4);
    EXPECT_NE(std::string::npos, Campo(k.Saida, "Nota").find("2 km²"));
    const auto ruim = roda({"--vazao", "0.5,1.5,20,10"});
    EXPECT_EQ(1, ruim.Estado);
    EXPECT_EQ("", ruim.Saida);
    EXPECT_NE(std::string::npos, ruim.Erros.find("Coeficiente de escoamento C")) << ruim.Erros;
    EXPECT_EQ(2, roda({"--vazao", "0.5,0.6,x,10"}).Estado);

    // -o .dat: the SWMM series alone; -o .inp: the sections with the series inline.
    const std::string dat = pasta.Pasta() + "chuva.dat", inp = pasta.Pasta() + "chuva.INP";
    ASSERT_EQ(0, roda({"--hietograma", "10,60,10,0.5,chicago", "-o", dat}).Estado);
    const std::string serie = TPastaDadosTeste::Le(dat);
    EXPECT_EQ(0u, serie.find(";Tormel 2.1 - 12°58'16\" S, 38°30'39\" W - Chuva de projeto (Chicago")) << serie;
    EXPECT_EQ(std::string::npos, serie.find("Local:"));
    EXPECT_NE(std::string::npos, serie.find("\n0:50 ")) << serie;
    EXPECT_EQ(serie.size() - 8, serie.rfind("\n1:00 0\n"));
    ASSERT_EQ(0, roda({"--hietograma", "10,60,10,,huff1", "-o", inp}).Estado);
    const std::string secoes = TPastaDadosTeste::Le(inp);
    EXPECT_NE(std::string::npos, secoes.find("Tormel  INTENSITY  0:10  1.0  TIMESERIES ChuvaTormel\n")) << secoes;
    EXPECT_NE(std::string::npos, secoes.find("ChuvaTormel  0:00 ")) << secoes;
    const auto hms = roda({"--hietograma", "10,60,15,0.5,huff2", "--hec-hms"});
    ASSERT_EQ(0, hms.Estado) << hms.Erros;
    EXPECT_EQ("tempo_min,fracao_acumulada\n0,0\n15,0.208\n30,0.725\n45,0.948\n60,1\n", hms.Saida);
}

// A point of a state outside the pool is said so; --nacional takes every
// state's stations, those north of the equator where they stand.
TEST(ProcessoNacional, OutsideThePoolItIsSaidAndTheNationalPoolAnswers) {
    const std::vector<TEstacaoTeste> estacoes = {
        {15, "Curitiba", "ZUTANO e FULANO (1992)", "25°25'40\"", "49°16'23\"", 1000, 0.2, 10, 0.8},
        {20, "Porto Alegre", "ZUTANO e FULANO (1992)", "30°01'59\"", "51°13'48\"", 3000, 0.2, 10, 0.8},
        {22, "Boa Vista", "ZUTANO e FULANO (1992)", "02°49'11\"", "60°40'24\"", 2000, 0.2, 10, 0.8},
        {3, "Manaus", "ZUTANO e FULANO (1992)", "03°06'07\"", "60°01'30\"", 1500, 0.2, 10, 0.8},
    };
    TPastaDadosTeste pasta(estacoes);
    pasta.Arquivo("contornos.csv", TPastaDadosTeste::Le(std::string(TORMEL_SOURCE_DIR) + "/data/contornos.csv"));
    pasta.Arquivo("EstacoesAoNorte_Tor21.csv", "uf,posicao,nome\nRR,0,Boa Vista\n");
    const std::string aviso = "fica em Rio Grande do Sul, fora dos oito estados da interpola\xC3\xA7\xC3\xA3o (Bahia, ";
    const struct {
        std::vector<std::string> argumentos;
        std::string local, K;
        bool avisa;
    } casos[] = {
        {{"30°02'00\"", "51°13'00\""}, "Interpolação", "1000", true},
        {{"--nacional", "30°01'59\"", "51°13'48\""}, "Porto Alegre", "3000", false},
        // Boa Vista's texts read south are a point of Amazonas, near Manaus:
        // never Boa Vista itself, whose place is north.
        {{"--nacional", "02°49'11\"", "60°40'24\""}, "Interpolação", "", false},
    };
    for (const auto& c : casos) {
        std::vector<std::string> argumentos = {"--dados", pasta.Pasta()};
        argumentos.insert(argumentos.end(), c.argumentos.begin(), c.argumentos.end());
        const TExecucao r = Roda(pasta, argumentos);
        SCOPED_TRACE(c.argumentos.front());
        EXPECT_EQ(r.Estado, 0) << r.Erros;
        EXPECT_EQ(Campo(r.Saida, "Local"), c.local);
        if (!c.K.empty()) EXPECT_EQ(Campo(r.Saida, "K"), c.K);
        else EXPECT_GT(std::stod(Campo(r.Saida, "K")), 1500 * 0.999);   // Manaus weighs far more than Boa Vista
        EXPECT_EQ(r.Erros.find(aviso) != std::string::npos, c.avisa) << r.Erros;
    }
}
