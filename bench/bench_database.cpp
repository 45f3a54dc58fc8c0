// Loading a full station file (27 states x 65535 records) beside a plain read
// of the same file, and one interpolation over a full pool (8 x 65535 stations).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "database/BDPrecipitacao.h"

namespace {

constexpr int kPorEstado = 65535;

TEstacao EstacaoAleatoria(std::mt19937& g) {
    std::uniform_int_distribution<int> graus(5, 30), ms(0, 59);
    std::uniform_real_distribution<double> p(0.05, 3000);
    char lat[16], lon[16];
    std::snprintf(lat, sizeof lat, "%02d\xB0%02d'%02d\"", graus(g), ms(g), ms(g));
    std::snprintf(lon, sizeof lon, "%02d\xB0%02d'%02d\"", graus(g) + 30, ms(g), ms(g));
    TEstacao e;
    e.Nome.Assign("Esta\xE7\xE3o de teste");
    e.K = p(g);
    e.a = p(g) / 3000;
    e.b = p(g) / 100;
    e.c = p(g) / 3000;
    e.Autor.Assign("AUTOR (2000)");
    e.Latitude.Assign(lat);
    e.Longitude.Assign(lon);
    return e;
}

// A temporary data folder holding one full station file, removed at exit.
struct ArquivoCheio {
    std::string pasta;
    std::string caminho;
    ArquivoCheio() {
        std::string modelo = (std::filesystem::temp_directory_path() / "tormel_bench_XXXXXX").string();
        if (!mkdtemp(modelo.data())) std::abort();
        pasta = modelo + "/";
        caminho = TBDPrecipitacao(pasta).CaminhoEstacoes();
        std::mt19937 g(42);
        std::vector<TEstacao> bloco(kPorEstado);
        for (auto& e : bloco) e = EstacaoAleatoria(g);
        std::ofstream out(caminho, std::ios::binary);
        out.put('\0');
        for (int s = 0; s < NumEstados; ++s) {
            const char n[2] = {static_cast<char>(kPorEstado & 0xFF), static_cast<char>(kPorEstado >> 8)};
            out.write(n, 2);
            out.write(reinterpret_cast<const char*>(bloco.data()),
                      static_cast<std::streamsize>(bloco.size() * sizeof(TEstacao)));
        }
    }
    ~ArquivoCheio() { std::filesystem::remove_all(pasta); }
};

const ArquivoCheio& Arquivo() {
    static const ArquivoCheio arquivo;
    return arquivo;
}

void BM_LeituraSimples(benchmark::State& state) {
    const std::string& caminho = Arquivo().caminho;
    const auto tamanho = std::filesystem::file_size(caminho);
    for (auto _ : state) {
        std::vector<char> buffer(tamanho);
        std::FILE* f = std::fopen(caminho.c_str(), "rb");
        const std::size_t lidos = std::fread(buffer.data(), 1, buffer.size(), f);
        std::fclose(f);
        benchmark::DoNotOptimize(lidos);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * tamanho));
}
BENCHMARK(BM_LeituraSimples)->Unit(benchmark::kMillisecond);

void BM_CarregaEstacoes(benchmark::State& state) {
    const auto& arquivo = Arquivo();
    const auto tamanho = std::filesystem::file_size(arquivo.caminho);
    for (auto _ : state) {
        TBDPrecipitacao bd(arquivo.pasta);
        bd.CarregaEstacoes();
        benchmark::DoNotOptimize(bd.Estacoes[26].back().K);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * tamanho));
}
BENCHMARK(BM_CarregaEstacoes)->Unit(benchmark::kMillisecond);

void BM_InterpolaPoolCheio(benchmark::State& state) {
    TBDPrecipitacao bd("/nenhum/");
    std::mt19937 g(7);
    for (int s : EstadosInterpolacao) {
        bd.Estacoes[static_cast<std::size_t>(s)].resize(kPorEstado);
        for (auto& e : bd.Estacoes[static_cast<std::size_t>(s)]) e = EstacaoAleatoria(g);
    }
    // Seconds written as 61 never equal a station's text.
    const AnsiString lat = "19\xB0" "55'61\"", lon = "43\xB0" "56'61\"";
    for (auto _ : state) {
        const TEstacao r = bd.Interpola(lat, lon);
        benchmark::DoNotOptimize(r.K);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 8 * kPorEstado);
}
BENCHMARK(BM_InterpolaPoolCheio)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
