#include "ui/TabelaSomenteLeitura.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QShortcut>
#include <QTableWidget>

#include <algorithm>

#include "ui/Aplicacao.h"

QString TextoDaSelecao(const QTableWidget* tabela, const QString& canto, const TRotuloDaLinha& rotulo) {
    const auto faixas = tabela->selectedRanges();
    if (faixas.isEmpty()) return {};
    int topo = tabela->rowCount(), base = -1, esquerda = tabela->columnCount(), direita = -1;
    for (const auto& f : faixas) {
        topo = std::min(topo, f.topRow());
        base = std::max(base, f.bottomRow());
        esquerda = std::min(esquerda, f.leftColumn());
        direita = std::max(direita, f.rightColumn());
    }
    const bool comRotulos = rotulo || !tabela->verticalHeader()->isHidden();
    const auto titulo = [](const QTableWidgetItem* item) { return item ? item->text() : QString(); };
    QStringList cabecalho;
    if (comRotulos) cabecalho << canto;
    for (int j = esquerda; j <= direita; ++j) cabecalho << titulo(tabela->horizontalHeaderItem(j));
    QString texto = cabecalho.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (int i = topo; i <= base; ++i) {
        QStringList linha;
        if (comRotulos) linha << (rotulo ? rotulo(i) : titulo(tabela->verticalHeaderItem(i)));
        for (int j = esquerda; j <= direita; ++j) {
            const QTableWidgetItem* celula = tabela->item(i, j);
            linha << (celula && celula->isSelected() ? celula->text() : QString());
        }
        texto += linha.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return texto;
}

void PreparaTabelaSomenteLeitura(QTableWidget* tabela, std::function<QString()> texto) {
    tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabela->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tabela->setTabKeyNavigation(false);
    if (!texto) texto = [tabela] { return TextoDaSelecao(tabela); };
    // The view's own Ctrl+C copies the current cell only.
    auto* copia = new QShortcut(QKeySequence::Copy, tabela, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    QObject::connect(copia, &QShortcut::activated, tabela,
                     Protegido([texto = std::move(texto)] { QApplication::clipboard()->setText(texto()); }));
}
