// "Curvas IDF" offscreen: "Aplicar" with 100 durations by 100 return
// periods, from the click to the table and the chart drawn (the two lists
// alternate, so every click computes and lays out anew).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "curvas/FoCurvasIdf.h"
#include "curvas/GraficoIdf.h"

namespace {

QString Lista(int n, double primeira, double passo) {
    QStringList l;
    for (int i = 0; i < n; ++i) l << QString::number(primeira + i * passo);
    return l.join(QLatin1Char(' '));
}

void AplicarCemPorCem(benchmark::State& state) {
    TLugarIdf lugar;
    lugar.Nome = QStringLiteral("Banco");
    lugar.Estado = QStringLiteral("Bahia");
    lugar.Parametros = {1200, 0.16, 12, 0.78};
    TfrmCurvasIdf janela(lugar, nullptr, {});
    janela.show();
    (void)QTest::qWaitForWindowExposed(&janela);
    const QString duracoes[] = {Lista(100, 5, 14), Lista(100, 6, 14)};
    const QString periodos[] = {Lista(100, 1, 1), Lista(100, 2, 1)};
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        janela.EdDuracoes->setText(duracoes[i % 2]);
        janela.EdPeriodos->setText(periodos[i % 2]);
        ++i;
        QApplication::processEvents();
        state.ResumeTiming();
        QTest::mouseClick(janela.BtnAplicar, Qt::LeftButton);
        janela.Tabela->viewport()->repaint();
        janela.Grafico->viewport()->repaint();
        QApplication::processEvents();
    }
    if (janela.Tabela->rowCount() != 100 || janela.Tabela->columnCount() != 100 || janela.Grafico->Curvas().size() != 100)
        state.SkipWithError("the table or the chart is not 100 x 100");
    janela.hide();
}

}  // namespace

BENCHMARK(AplicarCemPorCem)->Unit(benchmark::kMillisecond)->Iterations(10);
