// The pointer on the map of Brazil and on the state map; typed coordinates.
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

namespace {
void Digita(TMascaraCoordenada* edit, const QString& digitos) {
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClicks(edit, digitos);
}

// Three decimals with the locale's separator and at least one integer digit.
bool TresDecimais(const QString& s) {
    const QString sep = QRegularExpression::escape(QLocale().decimalPoint());
    return QRegularExpression(QStringLiteral("^\\d+") + sep + QStringLiteral("\\d{3}$")).match(s).hasMatch();
}
}  // namespace

class TesteConsultaMapa : public QObject {
    Q_OBJECT
    TPastaTeste pasta;
    TAjudaGravada ajuda;

    // All test stations share a, b and c, so any weighted mean shows them.
    void VerificaInterpolacao(TfrmFoConsulta* w) {
        QVERIFY(TresDecimais(w->PrecK->text()));
        QCOMPARE(w->PrecA->text(), N("0.150"));
        QCOMPARE(w->PrecB->text(), N("20.500"));
        QCOMPARE(w->PrecC->text(), N("0.850"));
        QCOMPARE(w->LegendaAutor(), QString::fromUtf8("Interpolação"));
        QCOMPARE(U(w->PlaceName), QString::fromUtf8("Não definida"));
        QCOMPARE(w->LBEstacao->currentRow(), -1);
        QCOMPARE(w->LBLocalidade->currentRow(), -1);
    }

private slots:
    void init() { Caixas().Limpa(); }

    void ponteiroNaBahia() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        const QPoint p(223, 223);
        QTest::mouseMove(w->EstadoBMP, p);
        QCOMPARE(w->EstadoBMP->cursor().shape(), Qt::CrossCursor);
        QCOMPARE(U(w->PrecLaAux->Texto()), QString::fromUtf8("13°26'26\""));
        QCOMPARE(U(w->PrecLoAux->Texto()), QString::fromUtf8("41°59'03\""));
        QCOMPARE(U(w->LatitudeText), QString::fromUtf8("11°52'00\""));   // a move takes no point
        QTest::mouseClick(w->EstadoBMP, Qt::LeftButton, {}, p);
        QCOMPARE(w->Latitude, 13.4406565);
        QCOMPARE(w->Longitude, 41.984375);
        QCOMPARE(U(w->LatitudeText), QString::fromUtf8("13°26'26\""));
        QCOMPARE(U(w->LongitudeText), QString::fromUtf8("41°59'03\""));
        QCOMPARE(w->LabelLon->text(), QString::fromUtf8("41°59'03\""));
        VerificaInterpolacao(w.get());
        QCOMPARE(w->EixoY->x(), 223);
        QCOMPARE(w->EixoX->y(), 223);
        QVERIFY(!w->EixoX->isHidden() && !w->EixoY->isHidden() && !w->LabelLat->isHidden());
        // The crosshair lets the pointer through to the picture below.
        QTest::mouseMove(w->EstadoBMP, QPoint(223, 100));
        QCOMPARE(U(w->PrecLaAux->Texto()), U(FormatDms(StateMapGeoRef.LatitudeFromY(100))));
    }

    void ponteiroForaDoEstado() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QTest::mouseMove(w->EstadoBMP, QPoint(223, 223));
        QTest::mouseClick(w->EstadoBMP, Qt::LeftButton, {}, QPoint(223, 223));
        const QString k = w->PrecK->text();
        QTest::mouseMove(w->EstadoBMP, QPoint(40, 420));
        QCOMPARE(w->EstadoBMP->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(U(w->PrecLaAux->Texto()), QString::fromUtf8("00°00'00\""));
        QCOMPARE(U(w->PrecLoAux->Texto()), QString::fromUtf8("00°00'00\""));
        QTest::mouseClick(w->EstadoBMP, Qt::LeftButton, {}, QPoint(40, 420));
        QVERIFY(w->EixoX->isHidden() && w->EixoY->isHidden() && w->LabelLon->isHidden());
        QCOMPARE(w->PrecK->text(), k);
        QCOMPARE(U(w->LatitudeText), QString::fromUtf8("13°26'26\""));
    }

    void mapaDoBrasilPonteiro_data() {
        QTest::addColumn<QPoint>("ponto");
        QTest::addColumn<int>("forma");
        QTest::newRow("Bahia") << QPoint(310, 210) << int(Qt::PointingHandCursor);
        QTest::newRow("letter") << QPoint(320, 220) << int(Qt::ArrowCursor);
        QTest::newRow("Sergipe") << QPoint(390, 210) << int(Qt::ArrowCursor);
        QTest::newRow("background") << QPoint(20, 20) << int(Qt::ArrowCursor);
        QTest::newRow("Goias") << QPoint(210, 260) << int(Qt::PointingHandCursor);
    }
    void mapaDoBrasilPonteiro() {
        QFETCH(QPoint, ponto);
        QFETCH(int, forma);
        auto w = AbreJanela(pasta, &ajuda, 0);
        QTest::mouseMove(w->BrasilBMP, QPoint(5, 449));
        QTest::mouseMove(w->BrasilBMP, ponto);
        QCOMPARE(int(w->BrasilBMP->cursor().shape()), forma);
    }

    void mapaDoBrasilEscolheEstado_data() {
        QTest::addColumn<QPoint>("ponto");
        QTest::addColumn<int>("estado");
        QTest::addColumn<int>("pagina");
        QTest::newRow("Bahia shows its map") << QPoint(310, 210) << 4 << 1;
        QTest::newRow("Parana") << QPoint(210, 360) << 15 << 1;
        QTest::newRow("Goias") << QPoint(210, 260) << 8 << 0;
        QTest::newRow("letter repeats Acre") << QPoint(320, 220) << 0 << 0;
        QTest::newRow("Sergipe colour repeats Acre") << QPoint(390, 210) << 0 << 0;
    }
    void mapaDoBrasilEscolheEstado() {
        QFETCH(QPoint, ponto);
        QFETCH(int, estado);
        QFETCH(int, pagina);
        auto w = AbreJanela(pasta, &ajuda, 0);
        QTest::mouseClick(w->BrasilBMP, Qt::LeftButton, {}, ponto);
        QCOMPARE(w->Estado->Indice, estado);
        QCOMPARE(w->Estados->currentIndex(), estado);
        QCOMPARE(w->Notebook1->currentIndex(), pagina);
        QCOMPARE(w->EstadoBMP->isHidden(), pagina == 0);
        QVERIFY(Caixas().Erros.isEmpty());
    }

    void calcularComCoordenadasDigitadas() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        Digita(w->PrecLaAux, QStringLiteral("132626"));
        Digita(w->PrecLoAux, QStringLiteral("415903"));
        QTest::mouseClick(w->Calculalalo, Qt::LeftButton);
        QVERIFY(Caixas().Erros.isEmpty());
        QVERIFY(qAbs(MarkerX - 223.009) < 0.001);
        QVERIFY(qAbs(MarkerY - 222.996) < 0.001);
        QCOMPARE(w->EixoY->x(), 223);
        QCOMPARE(w->EixoX->y(), 223);
        QCOMPARE(U(w->LatitudeText), QString::fromUtf8("13°26'26\""));   // the typed text itself
        QCOMPARE(U(w->LongitudeText), QString::fromUtf8("41°59'03\""));
        QVERIFY(!TypedPointReplay);
        VerificaInterpolacao(w.get());
    }

    void latitudeForaDaBahiaRecusada() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        const AnsiString antes = w->LatitudeText;
        Digita(w->PrecLaAux, QStringLiteral("200000"));
        Digita(w->PrecLoAux, QStringLiteral("415903"));
        QTest::mouseClick(w->Calculalalo, Qt::LeftButton);
        QCOMPARE(Caixas().Erros, QStringList{QString::fromUtf8("Latitude 20°00'00\" não definida.")});
        QCOMPARE(U(w->PrecLaAux->Texto()), QString::fromUtf8("00°00'00\""));
        QTRY_VERIFY(w->PrecLaAux->hasFocus());
        QCOMPARE(w->LatitudeText, antes);
        QCOMPARE(w->LBEstacao->currentRow(), -1);
    }

    void pontoDentroDosLimitesForaDaArea() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        Digita(w->PrecLaAux, QStringLiteral("084000"));
        Digita(w->PrecLoAux, QStringLiteral("400000"));
        QTest::mouseClick(w->Calculalalo, Qt::LeftButton);
        QVERIFY(Caixas().Erros.isEmpty());
        QCOMPARE(w->PrecK->text(), QString());
        QCOMPARE(w->PrecC->text(), QString());
        QVERIFY(w->EixoX->isHidden() && w->EixoY->isHidden());
    }

    void teclaEscondeACruz() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QVERIFY(!w->EixoX->isHidden());
        QTest::mouseClick(w->PrecLoAux, Qt::LeftButton);
        QTest::keyClick(w->PrecLoAux, Qt::Key_Home);
        QTest::keyClick(w->PrecLoAux, Qt::Key_4);
        QVERIFY(w->EixoX->isHidden() && w->EixoY->isHidden());
        QVERIFY(w->LabelLat->isHidden() && w->LabelLon->isHidden());
    }

    void pontoDigitadoRestauradoNaAtivacao() {
        auto w = AbreJanela(pasta, &ajuda, 4, -1, -1, "13°26'26\"", "41°59'03\"");
        QVERIFY(Caixas().Erros.isEmpty());
        QCOMPARE(w->EixoY->x(), 223);
        QCOMPARE(w->EixoX->y(), 223);
        QCOMPARE(U(w->PrecLaAux->Texto()), QString::fromUtf8("13°26'26\""));
        VerificaInterpolacao(w.get());
    }
};

int ExecutaTesteConsultaMapa(int argc, char** argv) {
    TesteConsultaMapa t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteConsultaMapa.moc"
