// The query window offscreen on data at the format's largest size (27 x
// 65,535 stations; 65,535 localities for each state shown): a state change
// (lists filled and sorted), a pointer move over the state map (up to the
// coordinate edits' text) and a release on the map (up to the parameter
// boxes' text, through an Interpola over 524,280 pool stations); the same on
// the shipped data folder, and the window's creation there.
//
// Run by hand with QT_QPA_PLATFORM=offscreen: bench_janela [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPoint>
#include <QTest>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "DadosCheios.h"
#include "ui/Aplicacao.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"
#include "ui/MascaraCoordenada.h"

namespace {

constexpr int kMinasGerais = 12, kSaoPaulo = 24;

// An error box would stop the run: errors are printed and counted instead.
struct TCaixasNoTerminal : ICaixas {
    int Erros = 0;
    void Erro(const QString&, const QString& texto) override {
        ++Erros;
        std::fprintf(stderr, "erro: %s\n", qPrintable(texto));
    }
    void Informacao(const QString&, const QString&) override {}
};

struct TCenario {
    std::unique_ptr<dados_cheios::TPastaCheia> Pasta;
    TCaixasNoTerminal Caixas;
    std::unique_ptr<TfrmFoConsulta> Janela;

    // The format's largest data, or the shipped data folder of the build.
    explicit TCenario(bool entregue = false) {
        std::string programa = TORMEL_PROGRAMA;
        if (!entregue) {
            Pasta = std::make_unique<dados_cheios::TPastaCheia>(std::vector<int>{kMinasGerais, kSaoPaulo});
            for (const char* sigla : {"MG", "SP"})
                std::filesystem::copy_file(std::string(TORMEL_MAPAS) + "/" + sigla + ".bmp",
                                           Pasta->Dados() + sigla + ".bmp");
            programa = Pasta->Programa();
        }
        TAplicacao::Instancia()->SetCaixas(&Caixas);
        Janela = std::make_unique<TfrmFoConsulta>(programa, nullptr);
        Janela->Estado->SetIndice(kMinasGerais);
        Janela->IndEstacao = -1;
        Janela->IndLocalidade = -1;
        Janela->show();
        (void)QTest::qWaitForWindowExposed(Janela.get());
        QCoreApplication::processEvents();
    }
    ~TCenario() { TAplicacao::Instancia()->SetCaixas(nullptr); }

    // The state chosen as from the combo box's list.
    void EscolheEstado(int estado) {
        Janela->Estados->setCurrentIndex(estado);
        emit Janela->Estados->activated(estado);
        QCoreApplication::processEvents();
    }

    // Minas Gerais shown, and two points on its area, a quarter of the map apart.
    std::vector<QPoint> PontosNoEstado() {
        EscolheEstado(kMinasGerais);
        std::vector<QPoint> pontos;
        for (int y = 225; y < 450 && pontos.size() < 2; y += 56)
            for (int x = 100; x < 450; ++x)
                if (Janela->IsInsideState(x, y)) {
                    pontos.emplace_back(x + 10, y);
                    break;
                }
        return pontos;
    }
};

// Made at first use, destroyed before the application object; one on the
// largest data, one on the shipped stations.
std::unique_ptr<TCenario> cenario, entregue;

TCenario& Cenario(const benchmark::State& state) {
    auto& c = state.range(0) ? entregue : cenario;
    if (!c) c = std::make_unique<TCenario>(state.range(0) != 0);
    return *c;
}

void MudancaDeEstado(benchmark::State& state) {
    TCenario& c = Cenario(state);
    int i = 0;
    for (auto _ : state) c.EscolheEstado(++i % 2 ? kSaoPaulo : kMinasGerais);
    if ((!state.range(0) && (c.Janela->LBEstacao->count() != dados_cheios::kPorBloco ||
                             c.Janela->LBLocalidade->count() != dados_cheios::kPorBloco)) ||
        c.Janela->LBEstacao->count() == 0 || c.Caixas.Erros > 0)
        state.SkipWithError("the lists are not full");
}

// The window made on the shipped data folder: the station file read and the
// interpolation pool built (the first state is shown at activation, not here).
void CriaJanelaEntregue(benchmark::State& state) {
    TCaixasNoTerminal caixas;
    TAplicacao::Instancia()->SetCaixas(&caixas);
    for (auto _ : state) {
        TfrmFoConsulta janela(TORMEL_PROGRAMA, nullptr);
        benchmark::DoNotOptimize(janela.BD->Estacoes[kSaoPaulo].size());
    }
    TAplicacao::Instancia()->SetCaixas(nullptr);
    if (caixas.Erros > 0) state.SkipWithError("the window reported an error");
}

void MovimentoNoMapa(benchmark::State& state) {
    TCenario& c = Cenario(state);
    const auto pontos = c.PontosNoEstado();
    if (pontos.size() < 2) return state.SkipWithError("no point on the state's area");
    int i = 0;
    AnsiString anterior;
    for (auto _ : state) {
        QTest::mouseMove(c.Janela->EstadoBMP, pontos[static_cast<std::size_t>(++i % 2)]);
        const AnsiString texto = c.Janela->PrecLaAux->Texto();
        if (texto == anterior) return state.SkipWithError("the edits did not change");
        anterior = texto;
    }
}

void SoltarNoMapa(benchmark::State& state) {
    TCenario& c = Cenario(state);
    const auto pontos = c.PontosNoEstado();
    if (pontos.size() < 2) return state.SkipWithError("no point on the state's area");
    int i = 0;
    QString anterior;
    for (auto _ : state) {
        state.PauseTiming();
        const QPoint p = pontos[static_cast<std::size_t>(++i % 2)];
        QTest::mouseMove(c.Janela->EstadoBMP, p);
        QTest::mousePress(c.Janela->EstadoBMP, Qt::LeftButton, {}, p);
        state.ResumeTiming();
        QTest::mouseRelease(c.Janela->EstadoBMP, Qt::LeftButton, {}, p);
        const QString k = c.Janela->PrecK->text();
        if (k == anterior || c.Caixas.Erros > 0) return state.SkipWithError("the parameters did not change");
        anterior = k;
    }
}

}  // namespace

// Argument 0: the format's largest data; 1: the shipped stations.
BENCHMARK(MudancaDeEstado)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(MovimentoNoMapa)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(SoltarNoMapa)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(CriaJanelaEntregue)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv) {
    TAplicacao aplicacao(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    cenario.reset();
    entregue.reset();
    return 0;
}
