#include "JanelaTeste.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QTest>

#include "PastaJanela.h"
#include "ui/FoConsulta.h"

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

QStringList Itens(const QListWidget* lista) {
    QStringList r;
    for (int i = 0; i < lista->count(); ++i) r << lista->item(i)->text();
    return r;
}
