// The whole fitting chain on a 90-year daily record: annual maxima, the four
// candidate fits with their bootstrap p-values, the equation and 1,000
// replicates of the chain's bootstrap; and the network's data builder.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "ajuste/Ajuste.h"
#include "ajuste/RedeNacional.h"
#include "platform/Caminhos.h"

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

// The data builder's road on the 24 stations of the test sample (screening,
// names, each station's chain with 1,000 replicates), on one thread and on
// every core: the whole network is about 130 times this.
void BM_RedeDaAmostra(benchmark::State& state) {
    const std::string dados = TORMEL_DADOS_ANA;
    const std::string maximos = LeArquivo(dados + "/maximos_amostra.csv");
    const std::string inventario = LeArquivo(dados + "/inventario_amostra.csv");
    TOpcoesRede o;
    o.Tarefas = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        const TRedeAjustada r = AjustaRedeDoTexto(maximos, inventario, o);
        if (r.Estacoes.size() != 24) state.SkipWithError("the sample did not fit whole");
    }
    state.counters["estacoes_por_s"] = benchmark::Counter(24.0 * static_cast<double>(state.iterations()),
                                                          benchmark::Counter::kIsRate);
}
// One city gauge of 28 years of 15-minute rain (about a million values):
// read from its gzip file, its maxima for eleven durations found and the
// chain fitted with 1,000 replicates.
void BM_PluviografoDe28Anos(benchmark::State& state) {
    const std::string arquivo = TORMEL_PLUVIOGRAFO;
    if (!ArquivoExiste(arquivo)) return state.SkipWithError("the gauge's file is not beside the project");
    TOpcoesAjuste o;
    for (auto _ : state) {
        const TResultadoAjuste r = AjustaRegistro(LeRegistro(arquivo), o);
        if (r.Series.size() != 11) state.SkipWithError("not every duration was fitted");
    }
}
BENCHMARK(BM_PluviografoDe28Anos)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK(BM_RedeDaAmostra)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
