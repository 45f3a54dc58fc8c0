// Loading a full station file (27 states x 65,535 records) beside a plain
// read of the same file into memory, loading only the interpolation pool's
// blocks, and one Interpola over a full pool (8 x 65,535 = 524,280 stations).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "DadosCheios.h"
#include "database/BDPrecipitacao.h"

namespace {

const dados_cheios::TPastaCheia& Pasta() {
    static const dados_cheios::TPastaCheia pasta;
    return pasta;
}

void BM_LeituraSimples(benchmark::State& state) {
    const std::string caminho = TBDPrecipitacao(Pasta().Dados()).CaminhoEstacoes();
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

// The load with the interpolation pool it builds.
void BM_CarregaEstacoes(benchmark::State& state) {
    TBDPrecipitacao bd(Pasta().Dados());
    const auto tamanho = std::filesystem::file_size(bd.CaminhoEstacoes());
    for (auto _ : state) {
        bd.CarregaEstacoes();
        benchmark::DoNotOptimize(bd.Estacoes[26].back().K);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * tamanho));
}
BENCHMARK(BM_CarregaEstacoes)->Unit(benchmark::kMillisecond);

void BM_CarregaEstacoesDaInterpolacao(benchmark::State& state) {
    TBDPrecipitacao bd(Pasta().Dados());
    for (auto _ : state) {
        bd.CarregaEstacoesDaInterpolacao();
        benchmark::DoNotOptimize(bd.Pool().Tamanho());
    }
}
BENCHMARK(BM_CarregaEstacoesDaInterpolacao)->Unit(benchmark::kMillisecond);

void BM_InterpolaPoolCheio(benchmark::State& state) {
    TBDPrecipitacao bd(Pasta().Dados());
    bd.CarregaEstacoes();
    // Seconds written as 61 never equal a station's text.
    const AnsiString lat = "19\xB0" "55'61\"", lon = "43\xB0" "56'61\"";
    for (auto _ : state) {
        const TEstacao r = bd.Interpola(lat, lon);
        benchmark::DoNotOptimize(r.K);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bd.Pool().Tamanho()));
}
BENCHMARK(BM_InterpolaPoolCheio)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
