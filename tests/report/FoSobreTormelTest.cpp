// The about window closes on a click or a character key, on nothing else.
#include <QLabel>
#include <vector>
#include <QTimer>
#include <QtTest>

#include "suporte/ExecutaTestes.h"
#include "suporte/JanelasModais.h"
#include "suporte/PastaPrograma.h"
#include "ui/FoSobreTormel.h"
#include "ui/Janelas.h"

class FoSobreTormelTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheAboutPicture() {
        TfrmFoSobreTormel janela(nullptr);
        QCOMPARE(janela.imgSplash->pixmap().size(), QSize(559, 340));
    }

    // The grid's credit and the line of the data in use have places of
    // their own under the picture, whose lines they would cover, and inside
    // the window.
    void creditAndDataLineLieUnderThePicture_data() {
        QTest::addColumn<bool>("comPasta");
        QTest::newRow("without the program folder") << false;
        QTest::newRow("with the program folder") << true;
    }
    void creditAndDataLineLieUnderThePicture() {
        QFETCH(bool, comPasta);
        const TPastaPrograma pasta;
        TfrmFoSobreTormel janela(nullptr, comPasta ? pasta.Programa() : std::string());
        QCOMPARE(janela.LbDados != nullptr, comPasta);
        std::vector<QLabel*> linhas = {janela.lGradeNacional};
        if (janela.LbDados) linhas.push_back(janela.LbDados);
        QRect ocupado = janela.imgSplash->geometry();
        for (QLabel* linha : linhas) {
            QVERIFY2(!linha->geometry().intersects(ocupado), qPrintable(linha->objectName()));
            QVERIFY(janela.rect().contains(linha->geometry()));
            ocupado = ocupado.united(linha->geometry());
        }
        QCOMPARE(ocupado, janela.rect());
    }

    void keysWithoutCharacterLeaveItOpen_data() {
        QTest::addColumn<int>("tecla");
        QTest::newRow("Left") << int(Qt::Key_Left);
        QTest::newRow("Down") << int(Qt::Key_Down);
        QTest::newRow("F5") << int(Qt::Key_F5);
        QTest::newRow("Shift") << int(Qt::Key_Shift);
        QTest::newRow("Home") << int(Qt::Key_Home);
    }
    void keysWithoutCharacterLeaveItOpen() {
        QFETCH(int, tecla);
        TfrmFoSobreTormel janela(nullptr);
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        QTest::keyClick(&janela, Qt::Key(tecla));
        QVERIFY(janela.isVisible());
        QTest::keyClick(&janela, Qt::Key_A);   // and a letter still closes it afterwards
        QVERIFY(!janela.isVisible());
    }

    void characterKeysClose_data() {
        QTest::addColumn<int>("tecla");
        QTest::newRow("letter") << int(Qt::Key_X);
        QTest::newRow("digit") << int(Qt::Key_7);
        QTest::newRow("space") << int(Qt::Key_Space);
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    void characterKeysClose() {
        QFETCH(int, tecla);
        TfrmFoSobreTormel janela(nullptr);
        QTimer::singleShot(0, &janela, [&] {
            QTest::keyClick(&janela, Qt::Key(tecla));
            if (janela.isVisible()) janela.done(99);   // not closed by the key
        });
        QCOMPARE(janela.exec(), int(QDialog::Rejected));
    }

    void clickOnThePictureCloses() {
        TfrmFoSobreTormel janela(nullptr);
        int resultado = -1;
        QTimer::singleShot(0, &janela, [&] {
            QTest::mouseClick(janela.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
            if (janela.isVisible()) janela.done(99);
        });
        resultado = janela.exec();
        QCOMPARE(resultado, int(QDialog::Rejected));
    }

    void mostraSobreShowsANewWindowEachTime() {
        for (int vez = 0; vez < 2; ++vez) {
            TfrmFoSobreTormel* vista = nullptr;
            AoAbrirModal<TfrmFoSobreTormel>(qApp, [&](TfrmFoSobreTormel* aberta) {
                vista = aberta;
                QTest::keyClick(vista, Qt::Key_Space);
            });
            MostraSobre(nullptr);
            QVERIFY(vista != nullptr);
            QVERIFY(QApplication::topLevelWidgets().indexOf(vista) < 0);   // destroyed after closing
        }
    }
};

TORMEL_TEST_MAIN(FoSobreTormelTest, LocaleBrasil())
#include "FoSobreTormelTest.moc"
