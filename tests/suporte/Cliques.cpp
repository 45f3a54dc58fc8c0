#include "suporte/Cliques.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QTest>

#include "suporte/JanelasModais.h"

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
