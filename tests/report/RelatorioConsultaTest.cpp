// The report over a real query window: the values it reads and the
// "&Relatório" button that opens it.
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "platform/Cp1252.h"
#include "report/DadosConsulta.h"
#include "report/FoRelatTormel.h"
#include "suporte/ExecutaTestes.h"
#include "suporte/JanelasModais.h"
#include "suporte/PastasQt.h"
#include "suporte/PastaPrograma.h"
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
        QString texto, pastaDoMapa;
        QImage mapa;
        AoAbrirModal<TfrmFoRelatTormel>(janela.get(), [&](TfrmFoRelatTormel* relatorio) {
            const bool pronto = QTest::qWaitFor([&] { return !relatorio->Viewer->toPlainText().isEmpty(); });
            texto = pronto ? QString() : QString("(no document)");
            texto += relatorio->Viewer->toPlainText();
            pastaDoMapa = relatorio->PastaDoMapa();
            mapa = QImage(pastaDoMapa + "/Bit.bmp", "BMP");
            QTest::mouseClick(relatorio->BFechar, Qt::LeftButton);
        });
        QTest::mouseClick(janela->BtnRelat, Qt::LeftButton);

        QVERIFY2(texto.contains(QString::fromUtf8("Localidade: Lavras & Região")), qPrintable(texto));
        QVERIFY(texto.contains("Estado: Minas Gerais"));
        QVERIFY(texto.contains("K: 1234,5"));
        QVERIFY(!mapa.isNull());
        QCOMPARE(mapa.pixelColor(140, 210), QColor(0, 0, 0));
        QVERIFY(!QFileInfo::exists(pastaDoMapa));   // gone with the window
    }

    // From a program folder whose path has "ç", "ã" and a blank, the header
    // picture is named by its true path and shown; a path that cp1252 cannot
    // hold gives a clear message and no document.
    void headerPictureFromAFolderWithAccents_data() {
        QTest::addColumn<QString>("prefixo");
        QTest::addColumn<bool>("cabe");
        QTest::newRow("Precipitação") << QString::fromUtf8("tormel Precipitação_") << true;
        QTest::newRow("ł") << QString::fromUtf8("tormel_ł_") << false;
    }
    void headerPictureFromAFolderWithAccents() {
        QFETCH(QString, prefixo);
        QFETCH(bool, cabe);
        TPastaCorrente corrente;
        const TPastaPrograma programa(prefixo.toStdString());
        QImage cabecalho(550, 73, QImage::Format_RGB32);
        cabecalho.fill(QColor(0, 0, 120));
        const QString arquivo = QCaminho(programa.Dados()) + "Cabecalho_Tormel21.jpg";
        QVERIFY(cabecalho.save(arquivo, "JPG"));
        auto janela = Janela(QCaminho(programa.Raiz()).chopped(1));
        caixas_.Limpa();   // the missing station file, reported by the window's creation
        if (cabe)
            QCOMPARE(DadosDaConsulta(*janela).PastaPrograma, Utf8ToCp1252(programa.Programa()));

        QString nome;
        QImage figura;
        AoAbrirModal<TfrmFoRelatTormel>(janela.get(), [&](TfrmFoRelatTormel* relatorio) {
            (void)QTest::qWaitFor(
                [&] { return !relatorio->Viewer->toPlainText().isEmpty() || !caixas_.Caixas.isEmpty(); });
            const QTextDocument* doc = relatorio->Viewer->document();
            for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
                for (auto it = b.begin(); !it.atEnd(); ++it) {
                    const QTextImageFormat f = it.fragment().charFormat().toImageFormat();
                    if (f.isValid() && f.name().endsWith("Cabecalho_Tormel21.jpg")) nome = f.name();
                }
            const QVariant v = doc->resource(QTextDocument::ImageResource, QUrl(nome));
            figura = v.userType() == QMetaType::QImage ? v.value<QImage>() : v.value<QPixmap>().toImage();
            QTest::mouseClick(relatorio->BFechar, Qt::LeftButton);
        });
        QTest::mouseClick(janela->BtnRelat, Qt::LeftButton);

        if (cabe) {
            QCOMPARE(nome, QCaminho(programa.Programa()) + "../Arquivos Comuns/Cabecalho_Tormel21.jpg");
            QCOMPARE(figura.size(), QSize(550, 73));
            QVERIFY(caixas_.Caixas.isEmpty());
        } else {
            QVERIFY(nome.isEmpty());   // no document
            QCOMPARE(caixas_.Caixas.size(), 1);
            QString marcado = QCaminho(programa.Programa());
            marcado.replace(QString::fromUtf8("ł"), "<U+0142>");
            QCOMPARE(caixas_.Caixas[0].Texto,
                     QString::fromUtf8("O caminho \"%1\" não pode ser usado: o caractere U+0142 não existe na "
                                       "página de código Windows-1252. Use uma pasta cujo caminho só tenha letras "
                                       "do português.").arg(marcado));
        }
    }
};

TORMEL_TEST_MAIN(RelatorioConsultaTest, LocaleBrasil())
#include "RelatorioConsultaTest.moc"
