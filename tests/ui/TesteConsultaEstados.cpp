// State selection, the state map's geo-reference and the Brazil page.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include "Ambiente.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"
#include "ui/MascaraCoordenada.h"

namespace {
QStringList Itens(const QListWidget* lista) {
    QStringList r;
    for (int i = 0; i < lista->count(); ++i) r << lista->item(i)->text();
    return r;
}
const QString ErroSaoPaulo =
    QString::fromUtf8("Erro. Não foi possível localizar o arquivo BMP do estado selecinado (São Paulo).");
}  // namespace

class TesteConsultaEstados : public QObject {
    Q_OBJECT
    TPastaTeste pasta;
    TAjudaGravada ajuda;

private slots:
    void init() { Caixas().Limpa(); }

    void goiasNaPaginaDoBrasil() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        EscolheEstado(w->Estados, 8);
        QCOMPARE(w->Estado->Indice, 8);
        QCOMPARE(w->windowTitle(), QString::fromUtf8("Tormel 2.1 - Estado: Goiás     "));
        QCOMPARE(w->Notebook1->currentIndex(), 0);
        QVERIFY(w->EstadoBMP->isHidden());
        QVERIFY(!w->PrecLaAux->isEnabled() && !w->PrecLoAux->isEnabled() && !w->Calculalalo->isEnabled());
        QVERIFY(w->LBLocalidade->isHidden() && w->LLocalidades->isHidden());
        QCOMPARE(Itens(w->LBEstacao), (QStringList{QString::fromUtf8("Anápolis"), QString::fromUtf8("Goiânia")}));
        // The first station in list order is shown on the Brazil page.
        QCOMPARE(w->LBEstacao->currentRow(), 0);
        QCOMPARE(U(w->PlaceName), QString::fromUtf8("Anápolis"));
        QCOMPARE(w->PrecK->text(), QStringLiteral("700"));
        QCOMPARE(w->PrecB->text(), N("20.5"));
        QVERIFY(!w->NomeCid->isHidden());
        QCOMPARE(w->NomeCid->text(), QString::fromUtf8("Anápolis"));
        QCOMPARE(w->LabelLatitude->text(), QString::fromUtf8("16°20'00\""));
        QCOMPARE(w->LegendaAutor(), QStringLiteral("SICRANO (1999)"));
        QVERIFY(Caixas().Erros.isEmpty());
    }

    // A state without a data source keeps the Bahia map, its geo-reference
    // and the coordinate entry; only the source button goes blank.
    void sergipeDepoisDaBahia() {
        auto w = AbreJanela(pasta, &ajuda, 4, 3);
        QVERIFY(!w->EixoX->isHidden());
        EscolheEstado(w->Estados, 25);
        QCOMPARE(w->Estado->Indice, 25);
        QCOMPARE(w->Notebook1->currentIndex(), 1);
        QVERIFY(!w->EstadoBMP->isHidden());
        QCOMPARE(StateMapGeoRef.MapWidth, 414.0);
        QCOMPARE(StateMapGeoRef.SouthLatitude, 18.349041);
        QVERIFY(w->PrecLaAux->isEnabled() && w->Calculalalo->isEnabled());
        QCOMPARE(w->Autor->text(), QString());
        QVERIFY(!w->Autor->isEnabled());
        QCOMPARE(w->LBEstacao->count(), 0);
        QVERIFY(w->EixoX->isHidden() && w->EixoY->isHidden());
        QCOMPARE(w->PrecK->text(), QString());
        QCOMPARE(U(w->PrecLaAux->Texto()), QString::fromUtf8("00°00'00\""));
    }

    void saoPauloSemMapaVoltaAoParana() {
        auto w = AbreJanela(pasta, &ajuda, 15, 0);
        EscolheEstado(w->Estados, 24);
        QCOMPARE(Caixas().Erros, QStringList{ErroSaoPaulo});
        QCOMPARE(w->Estado->Indice, 15);
        QCOMPARE(w->Estados->currentIndex(), 15);
        QCOMPARE(w->Notebook1->currentIndex(), 1);
        QVERIFY(!w->EstadoBMP->isHidden());
        QCOMPARE(StateMapGeoRef.MapTop, 101.0);
        QCOMPARE(Itens(w->LBEstacao), (QStringList{"Curitiba", "Londrina"}));
        QCOMPARE(w->PrecK->text(), QStringLiteral("1000"));   // first station shown again
        QVERIFY(!w->LBLocalidade->isHidden());
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // Restoring São Paulo at activation cannot go back to another state:
    // the error is shown once and the state stays chosen without its map.
    void saoPauloSemMapaNaAtivacao() {
        auto w = AbreJanela(pasta, &ajuda, 24, 0);
        QCOMPARE(Caixas().Erros, QStringList{ErroSaoPaulo});
        QVERIFY(w->isVisible());
        QCOMPARE(w->Estado->Indice, 24);
        QCOMPARE(w->Estados->currentIndex(), 24);
        QCOMPARE(w->Notebook1->currentIndex(), 0);
        QVERIFY(w->EstadoBMP->isHidden());
        QVERIFY(!w->Calculalalo->isEnabled());
        QCOMPARE(Itens(w->LBEstacao), QStringList{"Campinas"});
        QCOMPARE(w->LBEstacao->currentRow(), -1);
        QCOMPARE(w->PrecK->text(), QString());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        // Still usable: the station can be chosen, and choosing São Paulo
        // again fails once more, once.
        ClicaItem(w->LBEstacao, 0);
        QCOMPARE(w->PrecK->text(), QStringLiteral("1200"));
        QCOMPARE(w->LabelLatitude->text(), QString::fromUtf8("22°54'00\""));
        EscolheEstado(w->Estados, 24);
        QCOMPARE(Caixas().Erros, (QStringList{ErroSaoPaulo, ErroSaoPaulo}));
        QCOMPARE(w->Estado->Indice, 24);
    }

    void mapaDoBrasil_data() {
        QTest::addColumn<int>("estado");
        QTest::addColumn<int>("estadoDepois");
        QTest::newRow("Parana goes to Acre") << 15 << 0;
        QTest::newRow("Goias keeps its selection") << 8 << 8;
    }
    void mapaDoBrasil() {
        QFETCH(int, estado);
        QFETCH(int, estadoDepois);
        auto w = AbreJanela(pasta, &ajuda, estado, 1);
        const QString k = w->PrecK->text();
        const QPoint item = w->MainMenu1->actionGeometry(w->MapadoBrasil1).center();
        QTest::mouseClick(w->MainMenu1, Qt::LeftButton, {}, item);
        Processa();
        QCOMPARE(w->Notebook1->currentIndex(), 0);
        QCOMPARE(w->Estados->currentIndex(), estadoDepois);
        QCOMPARE(w->Estado->Indice, estadoDepois);
        if (estado == estadoDepois) {
            QCOMPARE(w->PrecK->text(), k);
            QCOMPARE(w->LBEstacao->currentRow(), 1);
        } else {
            QVERIFY(w->EstadoBMP->isHidden());
            QCOMPARE(w->LBEstacao->count(), 0);
            QCOMPARE(w->PrecK->text(), QString());
        }
    }

    void geoReferenciaDaBahia() {
        auto w = AbreJanela(pasta, &ajuda, 4);
        const TGeoReferencia& g = StateMapGeoRef;
        QCOMPARE(g.LatitudeFromY(5), 8.532272);
        QCOMPARE(g.LongitudeFromX(16), 46.629028);
        QCOMPARE(g.LongitudeFromX(430), 37.339722);
        QCOMPARE(g.XOfLongitude(46.629028), 16.0);
        QCOMPARE(g.YOfLatitude(8.532272), 5.0);
        QCOMPARE(g.LatitudeFromY(223), 13.4406565);
        QCOMPARE(g.LongitudeFromX(223), 41.984375);
    }

    void rotulosDoMarcador_data() {
        QTest::addColumn<QPoint>("marca");
        QTest::addColumn<QPoint>("lon");
        QTest::addColumn<QPoint>("lat");
        QTest::newRow("top left") << QPoint(150, 20) << QPoint(155, 420) << QPoint(10, 30);
        QTest::newRow("right, low") << QPoint(300, 200) << QPoint(238, 15) << QPoint(10, 180);
        QTest::newRow("left edge") << QPoint(50, 25) << QPoint(55, 420) << QPoint(385, 35);
        QTest::newRow("x 200 is not right") << QPoint(200, 101) << QPoint(205, 15) << QPoint(10, 81);
    }
    void rotulosDoMarcador() {
        QFETCH(QPoint, marca);
        QFETCH(QPoint, lon);
        QFETCH(QPoint, lat);
        auto w = AbreJanela(pasta, &ajuda, 4);
        w->MarkerLabelLayout(marca.x(), marca.y());
        QCOMPARE(w->LabelLon->pos(), lon);
        QCOMPARE(w->LabelLat->pos(), lat);
    }

    // A station file that cannot be read: one error box, and the window
    // opens with every station list empty.
    void arquivoDeEstacoesAusente() {
        TPastaTeste outra;
        QVERIFY(QFile::remove(outra.Dados() + QStringLiteral("Estados_Tor21.bin")));
        auto w = AbreJanela(outra, &ajuda, 4);
        QCOMPARE(Caixas().Erros.size(), 1);
        QVERIFY(Caixas().Erros.value(0).contains(QStringLiteral("Estados_Tor21.bin")));
        QVERIFY(w->isVisible());
        QCOMPARE(w->LBEstacao->count(), 0);
        QCOMPARE(w->Notebook1->currentIndex(), 1);
    }
};

int ExecutaTesteConsultaEstados(int argc, char** argv) {
    TesteConsultaEstados t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteConsultaEstados.moc"
