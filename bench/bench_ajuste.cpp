// The whole fitting chain on a 90-year daily record: annual maxima, the four
// candidate fits with their bootstrap p-values, the equation and 1,000
// replicates of the chain's bootstrap.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "ajuste/Ajuste.h"

namespace {

TRegistro Registro90Anos() {
    TRegistro r;
    r.Arquivo = "sintetico.csv";
    r.Formato = "serie diaria";
    std::mt19937_64 g(3);
    for (int d = DiaCivil(1931, 1, 1); d < DiaCivil(2021, 1, 1); ++d) {
        const double u = Uniforme(g);
        // Wet days 30% of the time, exponential depths of mean 12 mm.
        const double altura = u < 0.7 ? 0.0 : -12 * std::log(Uniforme(g));
        r.Dias.push_back({d, altura, EstadoDia::Valido});
    }
    return r;
}

void BM_AjusteComBootstrap(benchmark::State& state) {
    const TRegistro r = Registro90Anos();
    TOpcoesAjuste o;
    o.Bootstrap = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const TResultadoAjuste a = AjustaRegistro(r, o);
        benchmark::DoNotOptimize(a.Equacao.K);
    }
}
BENCHMARK(BM_AjusteComBootstrap)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
