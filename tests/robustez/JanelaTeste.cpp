#include "JanelaTeste.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QTest>

#include "PastaJanela.h"
#include "ui/FoConsulta.h"

void Processa() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

std::unique_ptr<TfrmFoConsulta> AbreJanela(const TPastaJanela& pasta, int estado, int indEstacao, int indLocalidade) {
    auto janela = std::make_unique<TfrmFoConsulta>(pasta.Programa(), nullptr);
    janela->Estado->SetIndice(static_cast<int16_t>(estado));
    janela->IndEstacao = static_cast<int16_t>(indEstacao);
    janela->IndLocalidade = static_cast<int16_t>(indLocalidade);
    janela->show();
    (void)QTest::qWaitForWindowExposed(janela.get());
    Processa();
    return janela;
}

void EscolheEstado(QComboBox* estados, int indice) {
    estados->showPopup();
    QAbstractItemView* vista = estados->view();
    const QModelIndex item = estados->model()->index(indice, 0);
    vista->scrollTo(item);
    QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, vista->visualRect(item).center());
    Processa();
}

void ClicaLinha(QListWidget* lista, int linha) {
    QListWidgetItem* item = lista->item(linha);
    if (!item) return;
    lista->scrollToItem(item);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(item).center());
    Processa();
}

QStringList Itens(const QListWidget* lista) {
    QStringList r;
    for (int i = 0; i < lista->count(); ++i) r << lista->item(i)->text();
    return r;
}
