// Typed coordinates with digit positions left empty: leaving the edit for
// "&Calcular" is refused with the masked edit's message, the edit keeps the
// focus and nothing is calculated; Esc gives the text back.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "suporte/CaixasGravadas.h"
#include "JanelaTeste.h"
#include "PastaJanela.h"
#include "ui/Aplicacao.h"
#include "ui/FoConsulta.h"
#include "ui/MascaraCoordenada.h"

namespace {

const int kPosicoes[6] = {0, 1, 3, 4, 6, 7};

QString Recusa() {
    return QStringLiteral("Tormel 2.1|") + ComPontoFinal(QString::fromLatin1(TMascaraCoordenada::MensagemIncompleto()));
}

// Empties the digit positions of the mask's bits with the keyboard: Home,
// Right to the position, Delete.
void EsvaziaPosicoes(TMascaraCoordenada* edit, unsigned mascara) {
    for (int i = 0; i < 6; ++i) {
        if (!(mascara & (1u << i))) continue;
        QTest::keyClick(edit, Qt::Key_Home);
        for (int k = 0; k < i; ++k) QTest::keyClick(edit, Qt::Key_Right);
        QTest::keyClick(edit, Qt::Key_Delete);
    }
}

AnsiString ComBrancos(AnsiString texto, unsigned mascara) {
    for (int i = 0; i < 6; ++i)
        if (mascara & (1u << i)) texto[static_cast<std::size_t>(kPosicoes[i])] = ' ';
    return texto;
}

}  // namespace

class TesteCoordenadaMascara : public QObject {
    Q_OBJECT

private slots:
    void init() { Caixas().Limpa(); }

    void posicoesVaziasRecusamACalculo_data() {
        QTest::addColumn<bool>("latitude");
        QTest::newRow("latitude") << true;
        QTest::newRow("longitude") << false;
    }
    void posicoesVaziasRecusamACalculo() {
        QFETCH(bool, latitude);
        TPastaJanela pasta;
        auto janela = AbreJanela(pasta, 12, 0);   // Minas Gerais, Belo Horizonte shown
        QVERIFY2(Caixas().ErrosComTitulo().isEmpty(), qPrintable(Caixas().ErrosComTitulo().join('\n')));
        TMascaraCoordenada* edit = latitude ? janela->PrecLaAux : janela->PrecLoAux;
        const AnsiString cheio = edit->Texto();
        QCOMPARE(cheio.size(), std::size_t(9));
        const QString k = janela->PrecK->text();
        QVERIFY(!k.isEmpty());

        // Every combination of empty positions, from one to all six.
        for (unsigned mascara = 1; mascara < 64; ++mascara) {
            const QByteArray caso = "mask " + QByteArray::number(mascara);
            QTest::mouseClick(edit, Qt::LeftButton);
            QTRY_VERIFY(edit->hasFocus());
            EsvaziaPosicoes(edit, mascara);
            QVERIFY2(edit->Texto() == ComBrancos(cheio, mascara), caso.constData());

            QTest::mouseClick(janela->Calculalalo, Qt::LeftButton);
            Processa();
            QVERIFY2(Caixas().ErrosComTitulo() == QStringList{Recusa()}, qPrintable(caso + ": " + Caixas().ErrosComTitulo().join('\n')));
            QVERIFY2(edit->hasFocus(), caso.constData());
            QVERIFY2(janela->PrecK->text() == k, caso.constData());   // nothing calculated
            QVERIFY2(edit->Texto() == ComBrancos(cheio, mascara), caso.constData());

            // Esc: the text it had when it got the focus; then it may be left.
            QTest::keyClick(edit, Qt::Key_Escape);
            QVERIFY2(edit->Texto() == cheio, caso.constData());
            Caixas().Limpa();
        }
        QTest::mouseClick(janela->Calculalalo, Qt::LeftButton);
        Processa();
        QVERIFY2(Caixas().ErrosComTitulo().isEmpty(), qPrintable(Caixas().ErrosComTitulo().join('\n')));
        QVERIFY(!janela->PrecK->text().isEmpty());
    }
};

#include "CoordenadaMascaraTest.moc"

int ExecutaTesteCoordenadaMascara(int argc, char** argv) {
    TesteCoordenadaMascara t;
    return QTest::qExec(&t, argc, argv);
}
