// The report over a real query window: the values it reads and the
// "&Relatório" button that opens it.
#include <QDate>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "platform/Cp1252.h"
#include "report/DadosConsulta.h"
#include "report/FoRelatTormel.h"
#include "suporte/ExecutaTestes.h"
#include "suporte/JanelasModais.h"
#include "suporte/PastasQt.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"

class RelatorioConsultaTest : public QObject {
    Q_OBJECT

    TCaixasGravadas& caixas_ = Caixas();   // installed by the test main

    // A query window over an empty program folder: its station file is
    // missing, which its creation reports and survives; the test then sets
    // the place the way the window's handlers do.
    std::unique_ptr<TfrmFoConsulta> Janela(const QString& pasta) {
        auto janela = std::make_unique<TfrmFoConsulta>(pasta.toStdString() + "/bin/", nullptr);
        janela->Estado->SetIndice(12);
        janela->PlaceName = Ansi("Lavras & Região   ");
        janela->LatitudeText = Ansi("21°14'43\"");
        janela->LongitudeText = Ansi("44°59'59\"");
        janela->PrecK->setText("1234,5");
        janela->PrecA->setText("0,15");
        janela->PrecB->setText("12");
        janela->PrecC->setText("0,81");
        janela->EstadoBMP->SetImagem(MapaLiso());
        janela->EstadoBMP->show();
        janela->EixoY->move(140, janela->EixoY->y());
        janela->EixoX->move(janela->EixoX->x(), 210);
        return janela;
    }

private slots:
    void init() { caixas_.Limpa(); }

    void readsTheWindowAsItStands() {
        TPastaCorrente pasta;
        auto janela = Janela(QDir::currentPath());

        TDadosRelatorio d = DadosDaConsulta(*janela);
        QCOMPARE(d.NomeLocal, Ansi("Lavras & Região   "));
        QCOMPARE(d.NomeEstado, Ansi("Minas Gerais"));
        QCOMPARE(d.LatitudeTexto, Ansi("21°14'43\""));
        QCOMPARE(d.LongitudeTexto, Ansi("44°59'59\""));
        QCOMPARE(d.K, AnsiString("1234,5"));
        QCOMPARE(d.C, AnsiString("0,81"));
        QVERIFY(d.MapaVisivel);
        QCOMPARE(d.Mapa.size(), QSize(450, 450));
        QCOMPARE(d.MarcadorX, 140);
        QCOMPARE(d.MarcadorY, 210);
        QCOMPARE(d.PastaPrograma, QDir::currentPath().toStdString() + "/bin/");
        // Today in the pinned locale's short format, dd/MM/yyyy.
        QCOMPARE(QString::fromStdString(d.DataEmissao), QDate::currentDate().toString("dd/MM/yyyy"));

        janela->EstadoBMP->hide();   // the map of Brazil or a state without a map
        QVERIFY(!DadosDaConsulta(*janela).MapaVisivel);
    }

    void reportButtonOpensTheReportOfTheWindow() {
        TPastaCorrente pasta;
        auto janela = Janela(QDir::currentPath());
        QString texto;
        QImage mapa;
        AoAbrirModal<TfrmFoRelatTormel>(janela.get(), [&](TfrmFoRelatTormel* relatorio) {
            const bool pronto = QTest::qWaitFor([&] { return !relatorio->Viewer->toPlainText().isEmpty(); });
            texto = pronto ? QString() : QString("(no document)");
            texto += relatorio->Viewer->toPlainText();
            mapa = QImage(pasta.Caminho("Bit.bmp"), "BMP");
            QTest::mouseClick(relatorio->BFechar, Qt::LeftButton);
        });
        QTest::mouseClick(janela->BtnRelat, Qt::LeftButton);

        QVERIFY2(texto.contains(QString::fromUtf8("Localidade: Lavras & Região")), qPrintable(texto));
        QVERIFY(texto.contains("Estado: Minas Gerais"));
        QVERIFY(texto.contains("K: 1234,5"));
        QVERIFY(!mapa.isNull());
        QCOMPARE(mapa.pixelColor(140, 210), QColor(0, 0, 0));
        QVERIFY(!QFile::exists(pasta.Caminho("Bit.bmp")));   // gone with the window
    }
};

TORMEL_TEST_MAIN(RelatorioConsultaTest, LocaleBrasil())
#include "RelatorioConsultaTest.moc"
