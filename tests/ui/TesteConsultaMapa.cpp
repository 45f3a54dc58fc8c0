// The pointer on both maps, typed coordinates and the coordinate edits.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTest>

#include "Ambiente.h"
#include "database/Coordenadas.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"
#include "ui/MascaraCoordenada.h"

class TesteConsultaMapa : public QObject {
    Q_OBJECT
    TPastaTeste pasta;
    TAjudaGravada ajuda;

    // An interpolated point at pixel (223, 223) of the Bahia map.
    void VerificaPonto(TfrmFoConsulta* w) {
        QCOMPARE(U(w->PlaceName), QString::fromUtf8("Não definida"));
        QCOMPARE(w->LBEstacao->currentRow(), -1);
        QCOMPARE(w->LBLocalidade->currentRow(), -1);
        QCOMPARE(w->EixoY->x(), 223);
        QCOMPARE(w->EixoX->y(), 223);
        QVERIFY(!w->EixoX->isHidden() && !w->EixoY->isHidden() && !w->LabelLat->isHidden());
        const QString tres = QStringLiteral("^\\d+") + QRegularExpression::escape(N(".")) + QStringLiteral("\\d{3}$");
        QVERIFY(QRegularExpression(tres).match(w->PrecK->text()).hasMatch());
        QCOMPARE(w->PrecB->text(), N("20.500"));
        QCOMPARE(w->LegendaAutor(), QString::fromUtf8("Interpolação"));
    }

private slots:
    void init() { Caixas().Limpa(); }

    void ponteiroNaBahia() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QTest::mouseMove(w->EstadoBMP, QPoint(223, 223));
        QCOMPARE(w->EstadoBMP->cursor().shape(), Qt::CrossCursor);
        QCOMPARE(U(w->PrecLaAux->Texto()), QString::fromUtf8("13°26'26\""));
        QCOMPARE(U(w->PrecLoAux->Texto()), QString::fromUtf8("41°59'03\""));
        QCOMPARE(U(w->LatitudeText), QString::fromUtf8("11°52'00\""));   // a move takes no point
        QTest::mouseClick(w->EstadoBMP, Qt::LeftButton, {}, QPoint(223, 223));
        QCOMPARE(w->Latitude, 13.4406565);
        QCOMPARE(w->Longitude, 41.984375);
        QCOMPARE(U(w->LongitudeText), QString::fromUtf8("41°59'03\""));
        VerificaPonto(w.get());
        // The crosshair lets the pointer through to the picture.
        QTest::mouseMove(w->EstadoBMP, QPoint(223, 100));
        QCOMPARE(U(w->PrecLaAux->Texto()), U(FormatDms(StateMapGeoRef.LatitudeFromY(100))));
        // Outside the state: zero texts, arrow, and a release only hides the crosshair.
        const QString k = w->PrecK->text();
        QTest::mouseMove(w->EstadoBMP, QPoint(40, 420));
        QCOMPARE(w->EstadoBMP->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(U(w->PrecLoAux->Texto()), QString::fromUtf8("00°00'00\""));
        QTest::mouseClick(w->EstadoBMP, Qt::LeftButton, {}, QPoint(40, 420));
        QVERIFY(w->EixoX->isHidden() && w->EixoY->isHidden() && w->LabelLon->isHidden());
        QCOMPARE(w->PrecK->text(), k);
    }

    void mapaDoBrasil_data() {
        QTest::addColumn<QPoint>("ponto");
        QTest::addColumn<int>("forma");
        QTest::addColumn<int>("estado");
        QTest::addColumn<int>("pagina");
        QTest::newRow("Bahia shows its map") << QPoint(310, 210) << int(Qt::PointingHandCursor) << 4 << 1;
        QTest::newRow("Parana") << QPoint(210, 360) << int(Qt::PointingHandCursor) << 15 << 1;
        QTest::newRow("Goias") << QPoint(210, 260) << int(Qt::PointingHandCursor) << 8 << 0;
        QTest::newRow("letter repeats Acre") << QPoint(320, 220) << int(Qt::ArrowCursor) << 0 << 0;
        QTest::newRow("Sergipe repeats Acre") << QPoint(390, 210) << int(Qt::ArrowCursor) << 0 << 0;
    }
    void mapaDoBrasil() {
        QFETCH(QPoint, ponto);
        QFETCH(int, forma);
        QFETCH(int, estado);
        QFETCH(int, pagina);
        auto w = AbreJanela(pasta, &ajuda, 0);
        QTest::mouseMove(w->BrasilBMP, QPoint(5, 449));
        QTest::mouseMove(w->BrasilBMP, ponto);
        QCOMPARE(int(w->BrasilBMP->cursor().shape()), forma);
        QTest::mouseClick(w->BrasilBMP, Qt::LeftButton, {}, ponto);
        QCOMPARE(w->Estado->Indice, estado);
        QCOMPARE(w->Estados->currentIndex(), estado);
        QCOMPARE(w->Notebook1->currentIndex(), pagina);
        QVERIFY(Caixas().Erros().isEmpty());
    }

    void calcularPontoDigitado() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        DigitaCoordenada(w->PrecLaAux, QStringLiteral("132626"));
        QVERIFY(w->EixoX->isHidden() && w->LabelLat->isHidden());   // a key hides the marker
        DigitaCoordenada(w->PrecLoAux, QStringLiteral("415903"));
        QTest::mouseClick(w->Calculalalo, Qt::LeftButton);
        QVERIFY(qAbs(MarkerX - 223.009) < 0.001 && qAbs(MarkerY - 222.996) < 0.001);
        QCOMPARE(U(w->LatitudeText), QString::fromUtf8("13°26'26\""));   // the typed text itself
        QVERIFY(!TypedPointReplay);
        VerificaPonto(w.get());
        // Inside the bounds, outside the blue area: display blanked, no error.
        DigitaCoordenada(w->PrecLaAux, QStringLiteral("084000"));
        DigitaCoordenada(w->PrecLoAux, QStringLiteral("400000"));
        QTest::mouseClick(w->Calculalalo, Qt::LeftButton);
        QVERIFY(w->PrecK->text().isEmpty() && w->EixoX->isHidden());
        QVERIFY(Caixas().Erros().isEmpty());
    }

    void pontoDigitadoRestaurado() {
        auto w = AbreJanela(pasta, &ajuda, 4, -1, -1, "13°26'26\"", "41°59'03\"");
        QVERIFY(Caixas().Erros().isEmpty());
        VerificaPonto(w.get());
    }

    void latitudeForaDaBahia() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        const AnsiString antes = w->LatitudeText;
        DigitaCoordenada(w->PrecLaAux, QStringLiteral("200000"));
        QTest::mouseClick(w->Calculalalo, Qt::LeftButton);
        QCOMPARE(Caixas().Erros(), QStringList{QString::fromUtf8("Latitude 20°00'00\" não definida.")});
        QCOMPARE(U(w->PrecLaAux->Texto()), QString::fromUtf8("00°00'00\""));
        QTRY_VERIFY(w->PrecLaAux->hasFocus());
        QCOMPARE(w->LatitudeText, antes);
    }

    // Leaving a changed, incomplete edit is refused; the press on "&Calcular"
    // does not become a click. Esc gives back the text the edit had on entry.
    void coordenadaIncompletaNaoSai() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        DigitaCoordenada(w->PrecLaAux, QStringLiteral("1"));
        QTest::keyClick(w->PrecLaAux, Qt::Key_Delete);
        QTest::mousePress(w->Calculalalo, Qt::LeftButton);
        Processa();
        QTest::mouseRelease(w->Calculalalo, Qt::LeftButton);
        QTRY_VERIFY(w->PrecLaAux->hasFocus());
        QCOMPARE(Caixas().Erros(), QStringList{"Invalid input value.  Use escape key to abandon changes."});
        QCOMPARE(w->LBEstacao->currentRow(), 0);
        QTest::keyClick(w->PrecLaAux, Qt::Key_Escape);
        QVERIFY(w->isVisible());
        QCOMPARE(U(w->PrecLaAux->Texto()), QString::fromUtf8("11°52'00\""));
        QTest::keyClick(w->PrecLaAux, Qt::Key_Tab);
        QTRY_VERIFY(w->PrecLoAux->hasFocus());
        QCOMPARE(Caixas().Erros().size(), 1);
    }
};

int ExecutaTesteConsultaMapa(int argc, char** argv) {
    TesteConsultaMapa t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteConsultaMapa.moc"
