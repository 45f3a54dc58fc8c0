#include "ExecucaoTeste.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "suporte/ArquivosDeTeste.h"

extern char** environ;

namespace {

pid_t Lanca(const std::string& pasta, const std::vector<std::string>& argumentos, int entrada) {
    const std::string programa = TORMEL_CONSULTA_EXE;
    const std::string out = pasta + "stdout.txt", err = pasta + "stderr.txt";
    posix_spawn_file_actions_t acoes;
    posix_spawn_file_actions_init(&acoes);
    posix_spawn_file_actions_adddup2(&acoes, entrada, 0);
    posix_spawn_file_actions_addopen(&acoes, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&acoes, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv = {const_cast<char*>(programa.c_str())};
    for (const auto& a : argumentos) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, programa.c_str(), &acoes, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&acoes);
    return pid;
}

TExecucaoTeste Espera(pid_t pid, const std::string& pasta) {
    TExecucaoTeste r;
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid) {
        if (WIFEXITED(status)) r.Estado = WEXITSTATUS(status);
        if (WIFSIGNALED(status)) r.Sinal = WTERMSIG(status);
    }
    r.Saida = ConteudoDoArquivo(pasta + "stdout.txt");
    r.Erros = ConteudoDoArquivo(pasta + "stderr.txt");
    std::filesystem::remove(pasta + "stdout.txt");
    std::filesystem::remove(pasta + "stderr.txt");
    return r;
}

}  // namespace

TExecucaoTeste RodaConsulta(const std::string& pasta, const std::vector<std::string>& argumentos,
                            const std::string& entrada) {
    const std::string in = pasta + "stdin.txt";
    {
        std::FILE* f = std::fopen(in.c_str(), "wb");
        std::fwrite(entrada.data(), 1, entrada.size(), f);
        std::fclose(f);
    }
    const int fd = ::open(in.c_str(), O_RDONLY);
    const pid_t pid = Lanca(pasta, argumentos, fd);
    ::close(fd);
    TExecucaoTeste r = Espera(pid, pasta);
    std::filesystem::remove(in);
    return r;
}

TConsultaEmCurso::TConsultaEmCurso(const std::string& pasta, const std::vector<std::string>& argumentos)
    : pasta_(pasta) {
    int tubo[2];
    if (::pipe2(tubo, O_CLOEXEC) != 0) return;
    pid_ = Lanca(pasta, argumentos, tubo[0]);
    ::close(tubo[0]);
    escrita_ = tubo[1];
}

TConsultaEmCurso::~TConsultaEmCurso() {
    if (pid_ > 0) Termina(SIGKILL);
    if (escrita_ >= 0) ::close(escrita_);
}

TExecucaoTeste TConsultaEmCurso::Termina(int sinal) {
    if (pid_ > 0) ::kill(pid_, sinal);
    TExecucaoTeste r = Espera(pid_, pasta_);
    pid_ = -1;
    return r;
}

std::vector<std::string> NomesNaPasta(const std::string& pasta) {
    std::vector<std::string> nomes;
    for (const auto& f : std::filesystem::directory_iterator(pasta)) nomes.push_back(f.path().filename().string());
    std::sort(nomes.begin(), nomes.end());
    return nomes;
}
