// Coordinates pasted into the query window's coordinate edits (Ctrl+V,
// Shift+Insert) or typed in "Procurar local...": both edits filled and the
// point calculated as if typed; a text that does not read says why and
// changes nothing.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Ambiente.h"
#include "ui/FoConsulta.h"
#include "ui/MascaraCoordenada.h"
#include "ui/ProcuraLocal.h"

namespace {
// What a calculated point leaves in the window.
QStringList Ponto(const TfrmFoConsulta* w) {
    return {U(w->LatitudeText), U(w->LongitudeText), U(w->PrecLaAux->Texto()), U(w->PrecLoAux->Texto()),
            w->PrecK->text(), w->PrecA->text(), w->PrecB->text(), w->PrecC->text()};
}
}  // namespace

class TesteColarCoordenadas : public QObject {
    Q_OBJECT
    TPastaTeste pasta;
    TAjudaGravada ajuda;

    // The point 13°26'26" 41°59'03" typed and calculated, in Bahia.
    QStringList Digitado() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        DigitaCoordenada(w->PrecLaAux, QStringLiteral("132626"));
        DigitaCoordenada(w->PrecLoAux, QStringLiteral("415903"));
        QTest::mouseClick(w->Calculalalo, Qt::LeftButton);
        return Ponto(w.get());
    }

private slots:
    void init() { Caixas().Limpa(); }
    void cleanup() { QVERIFY2(Caixas().Erros().isEmpty(), qPrintable(Caixas().Erros().join('\n'))); }

    void colar_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("longitude");   // pasted into the longitude edit
        QTest::addColumn<bool>("shiftInsert");
        QTest::addColumn<QString>("erro");      // empty: read
        // -13.4406 is 48386.16" (13°26'26"), -41.9842 is 151143.12" (41°59'03").
        QTest::newRow("decimal, Ctrl+V") << "-13.4406, -41.9842" << false << false << "";
        QTest::newRow("decimal comma, longitude edit") << "-13,4406 -41,9842" << true << false << "";
        QTest::newRow("DMS with letters, Shift+Insert") << QString::fromUtf8("13°26'26\"S 41°59'03\"W") << false << true << "";
        QTest::newRow("blanks and letters") << "13 26 26 S, 41 59 03 W" << true << true << "";
        QTest::newRow("east longitude") << "-13.4406, 41.9842" << false << false << "longitude leste";
        QTest::newRow("one value") << "-13.4406" << true << false << QString::fromUtf8("só uma coordenada");
        QTest::newRow("minutes") << "13 66 26 S, 41 59 03 W" << false << false << "minutos da latitude";
        QTest::newRow("outside every map") << "-3.1, -60.0" << false << false << "fora dos mapas de estado";
    }
    void colar() {
        QFETCH(QString, texto);
        QFETCH(bool, longitude);
        QFETCH(bool, shiftInsert);
        QFETCH(QString, erro);
        const QStringList digitado = Digitado();
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        const QStringList antes = Ponto(w.get());
        TMascaraCoordenada* edit = longitude ? w->PrecLoAux : w->PrecLaAux;
        QTest::mouseClick(edit, Qt::LeftButton);
        QApplication::clipboard()->setText(texto);
        if (shiftInsert) QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
        else QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        if (erro.isEmpty()) {
            QCOMPARE(Ponto(w.get()), digitado);
            QVERIFY(!w->PrecK->text().isEmpty() && w->EixoX->isVisible());
        } else {
            QCOMPARE(Caixas().Erros().size(), 1);
            QVERIFY2(Caixas().Erros().at(0).contains(erro), qPrintable(Caixas().Erros().at(0)));
            Caixas().Limpa();
            QCOMPARE(Ponto(w.get()), antes);
        }
    }

    // A point beyond the current state's map goes to the map that holds it,
    // as the user's choice of that state would.
    void outroEstado() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QTest::mouseClick(w->PrecLaAux, Qt::LeftButton);
        QApplication::clipboard()->setText(QString::fromUtf8("23°18'00\"S 51°09'00\"W"));
        QTest::keyClick(w->PrecLaAux, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w->Estado->Indice, 15);
        QCOMPARE(w->Estados->currentIndex(), 15);
        QCOMPARE(U(w->LatitudeText), QString::fromUtf8("23°18'00\""));
        QCOMPARE(w->PrecK->text(), N("1100.000"));   // Londrina's own record
    }

    // The mask's own digits are still the edit's to take: no calculation.
    void digitosDaMascara() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        const QString latitude = U(w->LatitudeText);
        QTest::mouseClick(w->PrecLaAux, Qt::LeftButton);
        w->PrecLaAux->setCursorPosition(0);
        QApplication::clipboard()->setText(QStringLiteral("132626"));
        QTest::keyClick(w->PrecLaAux, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(U(w->PrecLaAux->Texto()), QString::fromUtf8("13°26'26\""));
        QCOMPARE(U(w->LatitudeText), latitude);
    }

    // "Procurar local...": a coordinate goes to the point; a bad one says why
    // and keeps the dialog open with the text.
    void procurarCoordenada() {
        const QStringList digitado = Digitado();
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        bool aberta = true;
        QString erro;
        AoAbrirModal<TProcuraLocal>(w.get(), [&](TProcuraLocal* d) {
            QTest::keyClicks(d->Campo, QStringLiteral("-13.4406, 41.9842"));
            QTest::keyClick(d->Campo, Qt::Key_Return);
            erro = Caixas().Erros().value(0);
            Caixas().Limpa();
            aberta = d->isVisible();
            d->Campo->clear();
            QTest::keyClicks(d->Campo, QStringLiteral("13 26 26 S, 41 59 03 W"));
            QTest::keyClick(d->Campo, Qt::Key_Return);
        });
        QTest::keyClick(w.get(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY2(erro.contains(QStringLiteral("longitude leste")), qPrintable(erro));
        QVERIFY(aberta);
        QCOMPARE(Ponto(w.get()), digitado);
    }
};

int ExecutaTesteColarCoordenadas(int argc, char** argv) {
    TesteColarCoordenadas t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteColarCoordenadas.moc"
