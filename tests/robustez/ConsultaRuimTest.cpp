// tormel21-consulta on what comes from outside: a command line asking for
// more threads than the system gives, -o naming a link, a pipe, a folder or
// standard output, a one-point answer that overflows, CSV lines ending in
// CR. The program runs as a process, the CSV reader in-process.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "LeitorCsv.h"
#include "database/Estados.h"
#include "platform/Cp1252.h"
#include "suporte/ArquivosDeTeste.h"

namespace fs = std::filesystem;

namespace {

struct TExecucao {
    int Estado = -1;   // exit status; -1 when ended by a signal
    int Sinal = 0;
    std::string Saida, Erros;
};

// A data folder with Curitiba (K = 600, a = 0.5, b = 0, c = 1: i = 600·√Tr/t)
// and Belo Horizonte in the pool.
class ConsultaRuim : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::vector<TEstacao>> blocos(NumEstados);
        blocos[12].push_back(Estacao(Ansi("Belo Horizonte"), 1447.9, 0.1, 20, 0.84, Ansi("19°55'30\""),
                                     Ansi("43°56'15\"")));
        blocos[15].push_back(Estacao(Ansi("Curitiba"), 600, 0.5, 0, 1, Ansi("25°25'40\""), Ansi("49°16'23\"")));
        pasta.Grava("Estados_Tor21.bin", MontaArquivo(blocos));
    }

    // Runs the program with standard input from entrada and standard output
    // and error into files; limiteMemoria > 0 caps its address space.
    TExecucao Roda(const std::vector<std::string>& argumentos, const std::string& entrada = "",
                   rlim_t limiteMemoria = 0) const {
        const std::string in = pasta.Grava("stdin.txt", entrada);
        const std::string out = pasta.Caminho("stdout.txt"), err = pasta.Caminho("stderr.txt");
        std::vector<std::string> args = {TORMEL_CONSULTA_EXE, "--dados", pasta.Caminho()};
        args.insert(args.end(), argumentos.begin(), argumentos.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            const int fin = ::open(in.c_str(), O_RDONLY);
            const int fout = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const int ferr = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fin < 0 || fout < 0 || ferr < 0 || ::dup2(fin, 0) < 0 || ::dup2(fout, 1) < 0 || ::dup2(ferr, 2) < 0)
                ::_exit(120);
            if (limiteMemoria > 0) {
                // Threads get stacks of the stack limit's size: 8 MiB each,
                // whatever the shell running the tests set.
                const rlimit limite{limiteMemoria, limiteMemoria}, pilha{8 << 20, 8 << 20};
                if (::setrlimit(RLIMIT_AS, &limite) != 0 || ::setrlimit(RLIMIT_STACK, &pilha) != 0) ::_exit(121);
            }
            ::execv(argv[0], argv.data());
            ::_exit(122);
        }
        TExecucao r;
        int status = 0;
        if (pid > 0 && ::waitpid(pid, &status, 0) == pid) {
            if (WIFEXITED(status)) r.Estado = WEXITSTATUS(status);
            if (WIFSIGNALED(status)) r.Sinal = WTERMSIG(status);
        }
        r.Saida = ConteudoDoArquivo(out);
        r.Erros = ConteudoDoArquivo(err);
        return r;
    }

    static std::size_t Linhas(const std::string& texto) {
        return static_cast<std::size_t>(std::count(texto.begin(), texto.end(), '\n'));
    }

    TPastaTemporaria pasta{"consulta-ruim-"};
};

const std::string kCabecalho =
    "id;latitude_entrada;longitude_entrada;latitude;longitude;lat_decimal;lon_decimal;local;K;a;b;c;fonte;aviso;erro\n";

}  // namespace

// 600 threads under a 1 GB address space: the request is capped with a
// message, the threads the system refuses are done without, and every point
// is computed.
TEST_F(ConsultaRuim, ThreadsTheSystemRefusesDoNotEndTheRun) {
    std::string pontos;
    for (int i = 0; i < 3000; ++i) pontos += "p" + std::to_string(i) + ";20;" + std::to_string(44 + i % 5) + "\n";
    const auto r = Roda({"-e", "-", "--tarefas", "600"}, pontos, rlim_t(1000000) * 1024);
    ASSERT_EQ(0, r.Sinal) << r.Erros;
    EXPECT_EQ(0, r.Estado) << r.Erros;
    EXPECT_NE(std::string::npos, r.Erros.find("--tarefas 600: o máximo é 256; usando 256")) << r.Erros;
    EXPECT_NE(std::string::npos, r.Erros.find("linhas de execução puderam ser iniciadas")) << r.Erros;
    EXPECT_EQ(3001u, Linhas(r.Saida));
    EXPECT_EQ(std::string::npos, r.Saida.find(";;;;;")) << "a point was left uncomputed";
}

// The same for the GeoTIFF grid: every cell is computed.
TEST_F(ConsultaRuim, ThreadsTheSystemRefusesDoNotEndTheGrid) {
    const std::string tif = pasta.Caminho("grade.tif");
    const auto r = Roda({"--grade", tif, "--area", "-26,-25,-50,-49", "--passo", "300", "--tarefas", "600"}, "",
                        rlim_t(1000000) * 1024);
    ASSERT_EQ(0, r.Sinal) << r.Erros;
    EXPECT_EQ(0, r.Estado) << r.Erros;
    EXPECT_NE(std::string::npos, r.Erros.find("linhas de execução puderam ser iniciadas")) << r.Erros;
    EXPECT_TRUE(fs::is_regular_file(tif));
}

// -o through a symbolic link writes the link's target, in its own folder,
// and leaves the link a link; a dangling link gets its target created.
TEST_F(ConsultaRuim, OutputThroughALinkWritesItsTarget) {
    fs::create_directory(pasta.Caminho("destino"));
    const std::string alvo = pasta.Grava("destino/alvo.csv", "antigo\n");
    fs::create_symlink("destino/alvo.csv", pasta.Caminho("link.csv"));
    fs::create_symlink("destino/novo.csv", pasta.Caminho("pendente.csv"));
    for (const char* nome : {"link.csv", "pendente.csv"}) {
        SCOPED_TRACE(nome);
        const auto r = Roda({"-e", "-", "-o", pasta.Caminho(nome)}, "a;20;44\n");
        ASSERT_EQ(0, r.Estado) << r.Erros;
        EXPECT_TRUE(fs::is_symlink(pasta.Caminho(nome)));
    }
    for (const std::string& f : {alvo, pasta.Caminho("destino/novo.csv")}) {
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(f))) << f;
        EXPECT_EQ(0u, ConteudoDoArquivo(f).rfind(kCabecalho + "a;", 0)) << f;
    }
    // Nothing left beside the link or the target.
    std::size_t arquivos = 0;
    for (const auto& e : fs::recursive_directory_iterator(pasta.Caminho())) arquivos += !e.is_directory();
    EXPECT_EQ(8u, arquivos);   // data, stdin, stdout, stderr, two links, two targets
}

// A named pipe is written as a pipe; the program's own standard output
// named by a path is written as standard output.
TEST_F(ConsultaRuim, OutputToAPipeOrToStandardOutputIsWrittenDirectly) {
    const std::string fifo = pasta.Caminho("fila");
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0644));
    // The read end is open before the program runs, so its write does not
    // wait; the answer is smaller than the pipe's buffer.
    const int leitura = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(leitura, 0);
    const auto r = Roda({"-e", "-", "-o", fifo}, "a;20;44\n");
    std::string lido(65536, '\0');
    const ssize_t n = ::read(leitura, lido.data(), lido.size());
    lido.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    ::close(leitura);
    EXPECT_EQ(0, r.Estado) << r.Erros;
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(0u, lido.rfind(kCabecalho + "a;", 0)) << lido;

    const auto s = Roda({"-e", "-", "-o", "/dev/fd/1"}, "a;20;44\n");
    EXPECT_EQ(0, s.Estado) << s.Erros;
    EXPECT_EQ(0u, s.Saida.rfind(kCabecalho + "a;", 0)) << s.Saida;
}

// A folder is refused with a message, before any work and leaving nothing.
TEST_F(ConsultaRuim, OutputToAFolderIsRefused) {
    fs::create_directory(pasta.Caminho("pasta"));
    const auto r = Roda({"-o", pasta.Caminho("pasta"), "20", "44"});
    EXPECT_EQ(1, r.Estado);
    EXPECT_NE(std::string::npos, r.Erros.find("pasta: é uma pasta.")) << r.Erros;
    EXPECT_TRUE(fs::is_empty(pasta.Caminho("pasta")));
    std::size_t arquivos = 0;
    for (const auto& e : fs::directory_iterator(pasta.Caminho())) arquivos += !e.is_directory();
    EXPECT_EQ(4u, arquivos);   // data, stdin, stdout, stderr
}

// Curitiba, t = 1e-306 min: i overflows. Nothing of the answer is printed,
// and the message names the pair.
TEST_F(ConsultaRuim, AnOverflowingOnePointAnswerPrintsNothingAndNamesThePair) {
    const auto r =
        Roda({"--formato", "int", "--tr", "4,9", "--duracoes", "30,1e-306", "25°25'40\"", "49°16'23\""});
    EXPECT_EQ(1, r.Estado);
    EXPECT_EQ("", r.Saida);
    EXPECT_NE(std::string::npos, r.Erros.find("Tr = 4 anos e t = 1E-306 min: Floating point overflow")) << r.Erros;
    // The batch names the pair in the row's message too.
    const auto l = Roda({"-e", "-", "--tr", "4", "--duracoes", "1e-306"}, "c;25°25'40\";49°16'23\"\n");
    EXPECT_EQ(1, l.Estado);
    EXPECT_NE(std::string::npos, l.Erros.find("linha 1 (c): i e P de Tr = 4 anos e t = 1E-306 min")) << l.Erros;
}

// Lines ending in CR, LF or CR LF, mixed, are separate lines with their
// own numbers; LF CR is two line ends.
TEST_F(ConsultaRuim, CsvLinesEndAtCrLfOrCrLf) {
    std::istringstream in("a;1;2\rb;3;4\r\nc;5;6\n\rd;7;8\r");
    TLeitorCsv leitor(in, ';');
    TLinhaCsvPontos l;
    std::vector<std::pair<long, std::string>> lidas;
    while (leitor.Proxima(l)) {
        EXPECT_EQ("", l.Erro);
        ASSERT_EQ(3u, l.Campos.size()) << l.Numero;
        lidas.emplace_back(l.Numero, l.Campos[0] + l.Campos[2]);
    }
    EXPECT_EQ((std::vector<std::pair<long, std::string>>{{1, "a2"}, {2, "b4"}, {3, "c6"}, {5, "d8"}}), lidas);

    const auto r = Roda({"-e", "-", "--formato", "int"}, "id,lat,lon\rp,20,44\rq,21,45");
    EXPECT_EQ(0, r.Estado) << r.Erros;
    EXPECT_EQ(3u, Linhas(r.Saida)) << r.Saida;
}
