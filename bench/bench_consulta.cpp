// Batch path of tormel21-consulta beside GDAL's gdal_grid (inverse distance
// to a power: power 5, smoothing 0, no search radius) on the same 500,000
// interpolation-pool stations and the same 1,000 points.
//
// Stations and points lie on a lattice of 3'45" (0.0625°), whose coordinate
// texts read as binary fractions: the same double for gdal_grid (which reads
// the CSV) and the same value in long double for the engine, so the two are
// compared on arithmetic alone. The 500,000 stations take distinct random
// sites of the lattice in 0°-60°S, 20°-80°W; the 1,000 points are a 40 × 25
// grid with a step of 7'30" from 15°S 40°W, on sites kept free of stations
// (the sites between them carry stations). gdal_grid evaluates at cell
// centres xmin + (i + 0.5)·dx, which -txe/-tye/-outsize place exactly on the
// points.
//
// gdal_grid computes one attribute per run; it runs here for K alone, with
// GDAL_NUM_THREADS=2, and its time includes reading the 500,000-row CSV,
// which the "so leitura" run (one cell) shows apart. The batch engine
// computes K, a, b and c in its one run. Rates are station-point pairs per
// second of wall-clock time (pares/s) and per second of processor time of
// all threads or of the gdal_grid process (pares/s_cpu), the steadier figure
// on a machine shared with other work. After the runs the K of both are compared point by point and the
// counters of the gdal_grid run give the largest relative difference, how
// many of the 1,000 points agree to 12 significant digits (difference within
// half a unit of the 12th digit) and how many print alike with 12 digits (a
// difference of 1e-13 still shows where the 12th digit rounds on a 5).
//
// Run by hand: bench_consulta [--benchmark_filter=...]; needs gdal_grid.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sys/resource.h>
#include <time.h>
#include <string>
#include <vector>

#include "ConsultaLote.h"
#include "OpcoesConsulta.h"
#include "database/BDPrecipitacao.h"
#include "database/Coordenadas.h"
#include "database/PoolInterpolacao.h"

namespace {

constexpr int kEstacoesPorEstado = 62500;   // 8 pool states: 500,000 stations
constexpr int kColunas = 40, kLinhas = 25;  // 1,000 points
constexpr int kSitio = 225;                 // 3'45" in seconds
constexpr int kSitiosLado = 960;            // 60° of lattice sites
constexpr int kLatSitio0 = 15 * 16, kLonSitio0 = (40 - 20) * 16;   // first point's site
constexpr double kLon0 = 40, kLat0 = 15, kPasso = 0.125;

AnsiString Texto(int segundosTotais) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d\xB0%02d'%02d\"", segundosTotais / 3600, segundosTotais / 60 % 60,
                  segundosTotais % 60);
    return buf;
}

double CpuDoProcesso() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double CpuDosFilhos() {
    rusage r{};
    getrusage(RUSAGE_CHILDREN, &r);
    auto s = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
    return s(r.ru_utime) + s(r.ru_stime);
}

struct TCenario {
    TBDPrecipitacao Bd{""};
    std::vector<TConsultaLote::TPonto> Pontos;
    std::string Pasta;
    std::vector<double> K;   // engine's K per point, in point order
};

TCenario& Cenario() {
    static std::unique_ptr<TCenario> c = [] {
        auto c = std::make_unique<TCenario>();
        std::mt19937 g(5);
        std::uniform_real_distribution<double> K(300, 9000), a(0.05, 0.3), b(4, 40), cc(0.6, 1.1);
        auto ehPonto = [](int la, int lo) {
            const int j = la - kLatSitio0, i = lo - kLonSitio0;
            return j >= 0 && i >= 0 && j < 2 * kLinhas && i < 2 * kColunas && j % 2 == 0 && i % 2 == 0;
        };
        std::vector<int> sitios;
        for (int la = 0; la < kSitiosLado; ++la)
            for (int lo = 0; lo < kSitiosLado; ++lo)
                if (!ehPonto(la, lo)) sitios.push_back(la * kSitiosLado + lo);
        std::shuffle(sitios.begin(), sitios.end(), g);
        std::size_t proximo = 0;
        c->Pasta = (std::filesystem::temp_directory_path() / "bench_consulta").string() + "/";
        std::filesystem::create_directories(c->Pasta);
        TEstacoesPorEstado estacoes;
        std::ofstream csv(c->Pasta + "estacoes.csv");
        csv << "x,y,K\n";
        char linha[128];
        for (int s : EstadosInterpolacao)
            for (int i = 0; i < kEstacoesPorEstado; ++i) {
                TEstacao e;
                e.Nome.Assign("E");
                e.Autor.Assign("A");
                const int sitio = sitios[proximo++];
                e.Latitude.Assign(Texto(sitio / kSitiosLado * kSitio));
                e.Longitude.Assign(Texto(20 * 3600 + sitio % kSitiosLado * kSitio));
                e.K = K(g);
                e.a = a(g);
                e.b = b(g);
                e.c = cc(g);
                estacoes[static_cast<std::size_t>(s)].push_back(e);
                std::snprintf(linha, sizeof linha, "%.17g,%.17g,%.17g\n", ParseDms(e.Longitude.Text()),
                              ParseDms(e.Latitude.Text()), e.K);
                csv << linha;
            }
        c->Bd.DefineEstacoes(std::move(estacoes));
        std::ofstream(c->Pasta + "estacoes.csvt") << "Real,Real,Real\n";
        std::ofstream(c->Pasta + "estacoes.vrt")
            << "<OGRVRTDataSource><OGRVRTLayer name=\"estacoes\"><SrcDataSource>" << c->Pasta
            << "estacoes.csv</SrcDataSource><GeometryType>wkbPoint</GeometryType>"
               "<GeometryField encoding=\"PointFromColumns\" x=\"x\" y=\"y\"/></OGRVRTLayer></OGRVRTDataSource>\n";
        // Row j, column i: latitude 15° + j·7'30", longitude 40° + i·7'30".
        for (int j = 0; j < kLinhas; ++j)
            for (int i = 0; i < kColunas; ++i) {
                TConsultaLote::TPonto p;
                p.Linha = j * kColunas + i + 1;
                p.Latitude = Texto(15 * 3600 + j * 2 * kSitio);
                p.Longitude = Texto(40 * 3600 + i * 2 * kSitio);
                c->Pontos.push_back(p);
            }
        return c;
    }();
    return *c;
}

void Lote(benchmark::State& state) {
    TCenario& c = Cenario();
    TOpcoesConsulta opcoes;
    opcoes.Tarefas = static_cast<unsigned>(state.range(0));
    const TPoolInterpolacao& pool = c.Bd.Pool();
    const TConsultaLote lote(pool, opcoes);
    double cpu = 0;
    for (auto _ : state) {
        const double antes = CpuDoProcesso();
        auto r = lote.Calcula(c.Pontos);
        cpu += CpuDoProcesso() - antes;
        c.K.clear();
        for (const auto& x : r) c.K.push_back(x.Estacao.K);
        benchmark::DoNotOptimize(r);
    }
    const double pares = static_cast<double>(pool.Tamanho()) * static_cast<double>(c.Pontos.size());
    state.counters["pares/s"] = benchmark::Counter(pares, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["pontos/s"] =
        benchmark::Counter(static_cast<double>(c.Pontos.size()), benchmark::Counter::kIsIterationInvariantRate);
    // Per second of processor time of all threads: steadier on a shared machine.
    state.counters["pares/s_cpu"] = pares * static_cast<double>(state.iterations()) / cpu;
}

void Preparo(benchmark::State& state) {
    TCenario& c = Cenario();
    for (auto _ : state) {
        const TPoolInterpolacao pool(c.Bd.Estacoes, "");
        benchmark::DoNotOptimize(pool.Tamanho());
    }
}

// gdal_grid over the grid of points (colunas × linhas cells), K only.
double RodaGdal(const TCenario& c, int colunas, int linhas, const std::string& saida) {
    char comando[1024];
    std::snprintf(comando, sizeof comando,
                  "gdal_grid --config GDAL_NUM_THREADS 2 -q -zfield K "
                  "-a invdist:power=5:smoothing=0:radius1=0:radius2=0:angle=0:max_points=0:min_points=0:nodata=-1 "
                  "-txe %.17g %.17g -tye %.17g %.17g -outsize %d %d -of ENVI -ot Float64 -l estacoes %sestacoes.vrt %s",
                  kLon0 - kPasso / 2, kLon0 - kPasso / 2 + kPasso * colunas, kLat0 - kPasso / 2,
                  kLat0 - kPasso / 2 + kPasso * linhas, colunas, linhas, c.Pasta.c_str(), saida.c_str());
    const auto inicio = std::chrono::steady_clock::now();
    if (std::system(comando) != 0) return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
}

void Gdal(benchmark::State& state) {
    TCenario& c = Cenario();
    const int colunas = static_cast<int>(state.range(0)), linhas = static_cast<int>(state.range(1));
    const std::string saida = c.Pasta + "grade.bin";
    double cpu = 0;
    for (auto _ : state) {
        const double antes = CpuDosFilhos();
        const double segundos = RodaGdal(c, colunas, linhas, saida);
        cpu += CpuDosFilhos() - antes;
        if (segundos < 0) {
            state.SkipWithError("gdal_grid failed");
            return;
        }
        state.SetIterationTime(segundos);
    }
    const double pares = 500000.0 * colunas * linhas;
    state.counters["pares/s"] = benchmark::Counter(pares, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["pontos/s"] =
        benchmark::Counter(static_cast<double>(colunas * linhas), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["pares/s_cpu"] = pares * static_cast<double>(state.iterations()) / cpu;
    if (colunas * linhas != kColunas * kLinhas || c.K.size() != c.Pontos.size()) return;

    // The raster is north up: its row 0 is the northernmost row, the points'
    // row kLinhas - 1 (gdalinfo: origin (39.9375, 18.0625), pixel (0.125, -0.125)).
    std::ifstream in(saida, std::ios::binary);
    std::vector<double> grade(c.Pontos.size());
    in.read(reinterpret_cast<char*>(grade.data()), static_cast<std::streamsize>(grade.size() * sizeof(double)));
    if (!in) {
        state.SkipWithError("cannot read the gdal_grid output");
        return;
    }
    double maior = 0;
    int concordam = 0, impressos = 0;
    for (int j = 0; j < kLinhas; ++j)
        for (int i = 0; i < kColunas; ++i) {
            const double g = grade[static_cast<std::size_t>((kLinhas - 1 - j) * kColunas + i)];
            const double k = c.K[static_cast<std::size_t>(j * kColunas + i)];
            maior = std::max(maior, std::fabs(g - k) / std::fabs(k));
            // Within half a unit of the 12th significant digit.
            concordam += std::fabs(g - k) <= 0.5 * std::pow(10.0, std::floor(std::log10(std::fabs(k))) - 11);
            char x[32], y[32];
            std::snprintf(x, sizeof x, "%.11e", g);
            std::snprintf(y, sizeof y, "%.11e", k);
            impressos += std::string(x) == y;
        }
    state.counters["maior_dif_rel"] = maior;
    state.counters["concordam_12alg"] = concordam;
    state.counters["iguais_impressos_12alg"] = impressos;   // both printed with 12 digits
}

}  // namespace

BENCHMARK(Preparo)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Lote)->Arg(1)->Arg(2)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(Gdal)->Args({1, 1})->Name("Gdal/so_leitura")->Unit(benchmark::kSecond)->Iterations(1)->UseManualTime();
BENCHMARK(Gdal)->Args({kColunas, kLinhas})->Unit(benchmark::kSecond)->Iterations(1)->UseManualTime();

BENCHMARK_MAIN();
