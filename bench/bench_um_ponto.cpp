// One point from the largest station file the format holds (27 x 65,535
// stations), as tormel21-consulta answers it: the program run as a process,
// beside `cat` of the same file, both from the page cache (each is run once
// before the timing). The ratio of the two is the figure to watch.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "DadosCheios.h"

extern char** environ;

namespace {

const dados_cheios::TPastaCheia& Pasta() {
    static const dados_cheios::TPastaCheia pasta;
    return pasta;
}

// Wall time of one run of the command, its output to /dev/null.
double Roda(const std::vector<std::string>& comando) {
    std::vector<char*> argv;
    for (const std::string& a : comando) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t acoes;
    posix_spawn_file_actions_init(&acoes);
    posix_spawn_file_actions_addopen(&acoes, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&acoes, 2, "/dev/null", O_WRONLY, 0);
    const auto inicio = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &acoes, nullptr, argv.data(), environ) != 0) std::abort();
    int status = 0;
    waitpid(pid, &status, 0);
    const auto fim = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&acoes);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::abort();
    return std::chrono::duration<double>(fim - inicio).count();
}

std::vector<std::string> Comando(int qual) {
    const std::string arquivo = Pasta().Dados() + "Estados_Tor21.bin";
    if (qual == 0) return {"cat", arquivo};
    // TORMEL_CONSULTA in the environment: another build of the program, to compare.
    const char* outro = std::getenv("TORMEL_CONSULTA");
    std::vector<std::string> c = {outro ? outro : TORMEL_CONSULTA_EXE, "--dados", Pasta().Dados(), "19.9258", "43.9375"};
    if (qual == 2) c.push_back("--confianca");
    return c;
}

void UmPonto(benchmark::State& state) {
    const std::vector<std::string> comando = Comando(static_cast<int>(state.range(0)));
    Roda(comando);   // into the page cache
    for (auto _ : state) state.SetIterationTime(Roda(comando));
}
BENCHMARK(UmPonto)->Arg(0)->Name("UmPonto/cat")->Unit(benchmark::kMillisecond)->Iterations(10)->UseManualTime();
BENCHMARK(UmPonto)->Arg(1)->Name("UmPonto/tormel21-consulta")->Unit(benchmark::kMillisecond)->Iterations(10)->UseManualTime();
BENCHMARK(UmPonto)->Arg(2)->Name("UmPonto/tormel21-consulta_confianca")->Unit(benchmark::kMillisecond)->Iterations(10)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
