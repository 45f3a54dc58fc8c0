// The window as a user meets it: focus, re-clicks, Enter and Esc in the
// coordinate edits, Alt+C, errors in a list, and what the maps' labels and
// the parameter boxes look like.
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "Ambiente.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"
#include "ui/MascaraCoordenada.h"

namespace {
QStringList Parametros(const TfrmFoConsulta* w) {
    return {w->PrecK->text(), w->PrecA->text(), w->PrecB->text(), w->PrecC->text()};
}

// A point picked on the blue area of the Bahia test map.
void PontoNoMapa(TfrmFoConsulta* w) {
    QTest::mouseMove(w->EstadoBMP, QPoint(223, 223));
    QTest::mouseClick(w->EstadoBMP, Qt::LeftButton, {}, QPoint(223, 223));
    QCOMPARE(U(w->PlaceName), QString::fromUtf8("Não definida"));
}
}  // namespace

class TesteConsultaUso : public QObject {
    Q_OBJECT
    TPastaTeste pasta;
    TAjudaGravada ajuda;

private slots:
    void init() { Caixas().Limpa(); }

    // The focus reaching a list without a highlighted row chooses nothing.
    void focoNaListaNaoEscolhe_data() {
        QTest::addColumn<bool>("pelaJanelaSobre");
        QTest::newRow("Tab from the state combo") << false;
        QTest::newRow("focus back from the about window") << true;
    }
    void focoNaListaNaoEscolhe() {
        QFETCH(bool, pelaJanelaSobre);
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        PontoNoMapa(w.get());
        const QStringList ponto = Parametros(w.get());
        w->Estados->setFocus();
        QTRY_VERIFY(w->Estados->hasFocus());
        QTest::keyClick(w->Estados, Qt::Key_Tab);
        QTRY_VERIFY(w->LBEstacao->hasFocus());
        if (pelaJanelaSobre) {
            QCOMPARE(FechaModalAo([&] { w->Sobre1->trigger(); }), QStringLiteral("TfrmFoSobreTormel"));
            QApplication::setActiveWindow(w.get());
            QTRY_VERIFY(w->LBEstacao->hasFocus());
        }
        QCOMPARE(U(w->PlaceName), QString::fromUtf8("Não definida"));
        QCOMPARE(Parametros(w.get()), ponto);
        QCOMPARE(w->LBEstacao->currentRow(), -1);
        QTest::mouseClick(w->BtnOk, Qt::LeftButton);
        QCOMPARE(w->result(), 1);
        QCOMPARE(w->IndEstacao, -1);
        // From no row, the arrow key is a choice: the first station.
        auto v = AbreJanela(pasta, &ajuda, 4, 0);
        PontoNoMapa(v.get());
        v->LBEstacao->setFocus();
        QTest::keyClick(v->LBEstacao, Qt::Key_Down);
        QCOMPARE(U(v->PlaceName), QString::fromUtf8("Água Fria"));
    }

    // Each click on an item runs its handler, the highlighted one too.
    void recliqueNaLinhaDestacada_data() {
        QTest::addColumn<bool>("localidade");
        QTest::newRow("station") << false;
        QTest::newRow("locality") << true;
    }
    void recliqueNaLinhaDestacada() {
        QFETCH(bool, localidade);
        auto w = AbreJanela(pasta, &ajuda, 4, localidade ? -1 : 0, localidade ? 1 : -1);   // Canudos
        QListWidget* lista = localidade ? static_cast<QListWidget*>(w->LBLocalidade) : w->LBEstacao;
        const QStringList valores = Parametros(w.get());
        const QString latitude = U(w->PrecLaAux->Texto());
        QTest::mouseMove(w->EstadoBMP, QPoint(223, 223));   // the pointer crosses the map
        QTest::mouseMove(w->EstadoBMP, QPoint(40, 420));
        QCOMPARE(U(w->PrecLaAux->Texto()), QString::fromUtf8("00°00'00\""));
        for (QLabel* p : {w->PrecK, w->PrecA, w->PrecB, w->PrecC}) p->clear();
        ClicaLinha(lista, lista->currentRow());
        QCOMPARE(U(w->PrecLaAux->Texto()), latitude);
        QCOMPARE(Parametros(w.get()), valores);
    }

    // "&Fechar" and Enter with empty parameter boxes keep the window open.
    void fecharSemParametros_data() {
        QTest::addColumn<int>("estado");
        QTest::addColumn<int>("estacao");
        QTest::addColumn<bool>("pontoForaDaArea");
        QTest::addColumn<bool>("enter");
        QTest::newRow("Sergipe, Fechar") << 25 << 0 << false << false;
        QTest::newRow("Sergipe, Enter") << 25 << 0 << false << true;
        QTest::newRow("station position beyond the list") << 4 << 10 << false << false;
        QTest::newRow("typed point off the state's area") << 4 << 0 << true << true;
    }
    void fecharSemParametros() {
        QFETCH(int, estado);
        QFETCH(int, estacao);
        QFETCH(bool, pontoForaDaArea);
        QFETCH(bool, enter);
        auto w = AbreJanela(pasta, &ajuda, estado, estacao);
        if (pontoForaDaArea) {   // Abaíra's place: within Bahia's bounds, off its area
            DigitaCoordenada(w->PrecLaAux, QStringLiteral("084000"));
            DigitaCoordenada(w->PrecLoAux, QStringLiteral("400000"));
            QTest::keyClick(w->PrecLoAux, Qt::Key_Return);   // calculates: nothing there
            QCOMPARE(U(w->LatitudeText), QString::fromUtf8("08°40'00\""));
        }
        QCOMPARE(w->PrecK->text(), QString());
        QWidget* foco = QApplication::focusWidget();
        if (enter) QTest::keyClick(foco ? foco : w.get(), Qt::Key_Return);
        else QTest::mouseClick(w->BtnOk, Qt::LeftButton);
        QVERIFY(w->isVisible());
        QCOMPARE(w->result(), 0);
        QCOMPARE(Caixas().Informacoes(), QStringList{QString::fromUtf8(MensagemSemParametros)});
        QVERIFY(Caixas().Erros().isEmpty());
    }

    // Enter in an edit whose text is not the last point calculates it; once
    // it is, Enter is the default button again.
    void enterNaCoordenada() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        const QStringList estacao = Parametros(w.get());
        DigitaCoordenada(w->PrecLaAux, QStringLiteral("132626"));
        QTest::keyClick(w->PrecLaAux, Qt::Key_Return);
        QVERIFY(w->isVisible());
        QCOMPARE(U(w->LatitudeText), QString::fromUtf8("13°26'26\""));
        QCOMPARE(U(w->PlaceName), QString::fromUtf8("Não definida"));
        QCOMPARE(w->LegendaAutor(), QString::fromUtf8("Interpolação"));
        QVERIFY(Parametros(w.get()) != estacao);
        QTest::keyClick(w->PrecLaAux, Qt::Key_Return);
        QCOMPARE(w->result(), 1);
    }

    // Alt+C: "&Calcular" where coordinates can be typed, else "&Cancelar".
    void altC() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        DigitaCoordenada(w->PrecLaAux, QStringLiteral("132626"));
        DigitaCoordenada(w->PrecLoAux, QStringLiteral("415903"));
        QTest::keyClick(w->PrecLoAux, Qt::Key_C, Qt::AltModifier);
        QVERIFY(w->isVisible());
        QCOMPARE(U(w->LatitudeText), QString::fromUtf8("13°26'26\""));
        QCOMPARE(w->LegendaAutor(), QString::fromUtf8("Interpolação"));
        auto acre = AbreJanela(pasta, &ajuda, 0, 0);
        QTest::keyClick(acre->LBEstacao, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(acre->result(), 2);
    }

    // After the refusal of an incomplete edit, Esc gives back its last
    // accepted text; only the next Esc reaches "&Cancelar".
    void escAposRecusa() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        const QString aceito = U(w->PrecLaAux->Texto());
        QTest::mouseClick(w->PrecLaAux, Qt::LeftButton);
        QTest::keyClick(w->PrecLaAux, Qt::Key_Home);
        QTest::keyClick(w->PrecLaAux, Qt::Key_Delete);
        QTest::keyClick(w->PrecLaAux, Qt::Key_Tab);
        Processa();
        QCOMPARE(Caixas().Erros().size(), 1);
        {   // the box takes the focus and gives it back as it closes
            QWidget caixa;
            caixa.show();
            QApplication::setActiveWindow(&caixa);
            Processa();
        }
        QApplication::setActiveWindow(w.get());
        QTRY_VERIFY(w->PrecLaAux->hasFocus());
        QVERIFY(U(w->PrecLaAux->Texto()) != aceito);
        QTest::keyClick(w->PrecLaAux, Qt::Key_Escape);
        QCOMPARE(U(w->PrecLaAux->Texto()), aceito);
        QCOMPARE(w->result(), 0);
        QVERIFY(w->isVisible());
        QTest::keyClick(w->PrecLaAux, Qt::Key_Escape);
        QCOMPARE(w->result(), 2);
    }

    // A station the map refuses: the box, and the highlight, the stored
    // position and what "&Fechar" hands back agree.
    void estacaoForaDoMapa() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        const QStringList antes = Parametros(w.get());
        ClicaItem(w->LBEstacao, QString::fromUtf8("Vitória"));
        QCOMPARE(Caixas().Erros(), QStringList{QString::fromUtf8("Latitude 20°19'00\" não definida.")});
        QCOMPARE(w->LBEstacao->currentRow(), 4);
        QCOMPARE(w->LBEstacao->selectedItems().value(0), w->LBEstacao->item(4));
        QCOMPARE(w->IndEstacao, 4);
        QCOMPARE(Parametros(w.get()), antes);
        QTest::keyClick(w->LBEstacao, Qt::Key_Up);   // the list goes on working
        QCOMPARE(U(w->PlaceName), QStringLiteral("Salvador   "));
        QCOMPARE(w->IndEstacao, w->LBEstacao->currentRow());
    }

    // The crosshair's labels stand in a light box: none of their pixels is
    // the state's pure blue.
    void rotulosLegiveisNoAzul() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        // On the area's left edge: the latitude's label stands on the blue.
        QTest::mouseMove(w->EstadoBMP, QPoint(100, 223));
        QTest::mouseClick(w->EstadoBMP, Qt::LeftButton, {}, QPoint(100, 223));
        QWidget* pagina = w->EstadoBMP->parentWidget();
        const QImage vista = pagina->grab().toImage();
        for (QLabel* r : {w->LabelLat, w->LabelLon}) {
            QVERIFY(!r->isHidden() && !r->text().isEmpty());
            const QRect area = r->geometry().intersected(pagina->rect());
            int azuis = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    if (vista.pixelColor(x, y) == QColor(0, 0, 255)) ++azuis;
            QCOMPARE(azuis, 0);
        }
    }

    // The layout seen: the state caption ends before the combo, the parameter
    // boxes stand inside their group's frame and show an edge on all sides.
    void desenhoDaJanela() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        const auto rotulos = w->findChildren<QLabel*>();
        const auto rotulo = std::find_if(rotulos.begin(), rotulos.end(), [](QLabel* r) { return r->text() == "&Estados :"; });
        QVERIFY(rotulo != rotulos.end());
        QVERIFY((*rotulo)->geometry().right() < w->Estados->geometry().left());
        // ... and starts right of the map's panel, also with a wide face.
        const QRect painel(w->Panel3->mapTo(w.get(), QPoint(0, 0)), w->Panel3->size());
        QVERIFY((*rotulo)->mapTo(w.get(), QPoint(0, 0)).x() > painel.right());
        // The group's frame line crosses the column right of the a box above
        // the box, where no caption stands.
        const QImage grupo = w->Precipitacao->grab().toImage();
        const QColor fundo = w->Precipitacao->palette().color(QPalette::Window);
        const int coluna = w->PrecA->geometry().right() + 4;
        int linhaDaMoldura = -1;
        for (int y = 0; y < w->PrecA->geometry().top() && linhaDaMoldura < 0; ++y)
            if (grupo.pixelColor(coluna, y) != fundo) linhaDaMoldura = y;
        QVERIFY(linhaDaMoldura >= 0);
        for (QLabel* p : {w->PrecK, w->PrecA, w->PrecB, w->PrecC}) {
            const QImage caixa = p->grab().toImage();
            const int l = caixa.width(), a = caixa.height();
            const auto temBorda = [&](QPoint fora, QPoint dentro) {
                return caixa.pixelColor(fora) != Qt::white || caixa.pixelColor(dentro) != Qt::white;
            };
            QVERIFY(temBorda({0, a / 2}, {1, a / 2}));
            QVERIFY(temBorda({l / 2, 0}, {l / 2, 1}));
            QVERIFY(temBorda({l - 1, a / 2}, {l - 2, a / 2}));
            QVERIFY(temBorda({l / 2, a - 1}, {l / 2, a - 2}));
        }
    }

    // The program's icon on the window and on the windows it opens.
    void icones() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QVERIFY(!QApplication::windowIcon().isNull());
        QCOMPARE(w->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
        qint64 chaveDoSobre = 0;
        AoAbrirModal<QDialog>(w.get(), [&](QDialog* sobre) {
            chaveDoSobre = sobre->windowIcon().cacheKey();
            sobre->close();
        });
        w->Sobre1->trigger();
        QCOMPARE(chaveDoSobre, QApplication::windowIcon().cacheKey());
    }
};

int ExecutaTesteConsultaUso(int argc, char** argv) {
    TesteConsultaUso t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteConsultaUso.moc"
