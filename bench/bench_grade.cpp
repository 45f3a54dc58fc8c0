// Load time of the national grid file the build makes (all three
// disaggregations, expanded to full float bands), and one point's value.
#include <benchmark/benchmark.h>

#include "database/GradeNacional.h"

static void BM_CarregaGradeNacional(benchmark::State& state) {
    for (auto _ : state) {
        TGradeNacional grade;
        grade.Carrega(TORMEL_ARQUIVO_GRADE);
        benchmark::DoNotOptimize(grade.Colunas());
    }
}
BENCHMARK(BM_CarregaGradeNacional)->Unit(benchmark::kMillisecond);

static void BM_ValorNaGrade(benchmark::State& state) {
    TGradeNacional grade;
    grade.Carrega(TORMEL_ARQUIVO_GRADE);
    for (auto _ : state) benchmark::DoNotOptimize(grade.Valor(TDesagregacaoGrade::Raster, -12.97, -38.51));
}
BENCHMARK(BM_ValorNaGrade);

BENCHMARK_MAIN();
