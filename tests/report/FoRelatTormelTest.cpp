// The report window: display, fresh document per display, errors, printing,
// size limits and centring, removal of the marked map.
#include <QDir>
#include <QPageSize>
#include <QRegularExpression>
#include <QFileInfo>
#include <QFile>
#include <QPrintDialog>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "report/FoRelatTormel.h"
#include "report/LimitesJanela.h"
#include "suporte/ExecutaTestes.h"
#include "suporte/JanelasModais.h"
#include "suporte/PastasQt.h"
#include "suporte/PastaPrograma.h"

namespace {

TDadosRelatorio DadosComMapa(int x, int y) {
    TDadosRelatorio d;
    d.NomeLocal = Ansi("Uberlândia & <Região>");
    d.NomeEstado = Ansi("Minas Gerais");
    d.LatitudeTexto = Ansi("18°55'08\"");
    d.LongitudeTexto = Ansi("48°16'37\"");
    d.K = "1234.560";
    d.A = "0.150";
    d.B = "12.300";
    d.C = "0.810";
    d.MapaVisivel = true;
    d.Mapa = MapaLiso();
    d.MarcadorX = x;
    d.MarcadorY = y;
    d.PastaPrograma = "/nao/existe/bin/";
    d.DataEmissao = "07/12/2026";
    return d;
}

// The "Bit.bmp" picture as the viewer's current document has it.
QImage ImagemNoDocumento(QTextBrowser* viewer) {
    const QVariant v = viewer->document()->resource(QTextDocument::ImageResource, QUrl("Bit.bmp"));
    if (v.userType() == QMetaType::QImage) return v.value<QImage>();
    if (v.userType() == QMetaType::QPixmap) return v.value<QPixmap>().toImage();
    return QImage::fromData(v.toByteArray());
}

QString Saida(const QString& programa, const QStringList& argumentos) {
    QProcess p;
    p.start(programa, argumentos);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString TextoDoPdf(const QString& arquivo) { return Saida("pdftotext", {"-enc", "UTF-8", arquivo, "-"}); }

constexpr double kMargemPt = 20 / 25.4 * 72;   // 2 cm in PDF points

// A PDF of the report printed on paper of the given size.
QString ImprimePdf(TfrmFoRelatTormel& janela, const QString& arquivo, const QPageSize& papel) {
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(arquivo);
    impressora.setPageSize(papel);
    janela.Imprime(impressora, 1, 9999);
    return arquivo;
}

// The page (from 1) of the first word holding `texto`, 0 when none does.
int PaginaDoTexto(const QString& pdf, int paginas, const QString& texto) {
    for (int p = 1; p <= paginas; ++p)
        if (Saida("pdftotext", {"-enc", "UTF-8", "-f", QString::number(p), "-l", QString::number(p), pdf, "-"})
                .contains(texto))
            return p;
    return 0;
}

// The page of the first picture of the given size, 0 when there is none.
int PaginaDaFigura(const QString& pdf, int largura, int altura) {
    for (const QString& linha : Saida("pdfimages", {"-list", pdf}).split('\n')) {
        const QStringList c = linha.simplified().split(' ');
        if (c.size() > 4 && c[3].toInt() == largura && c[4].toInt() == altura) return c[0].toInt();
    }
    return 0;
}

QString InfoDoPdf(const QString& arquivo) {
    QProcess p;
    p.start("pdfinfo", {arquivo});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PaginasDoPdf(const QString& arquivo) {
    const QRegularExpressionMatch m = QRegularExpression("Pages:\\s+(\\d+)").match(InfoDoPdf(arquivo));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QByteArray Le(const QString& arquivo) {
    QFile f(arquivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool ComecaComPdf(const QString& arquivo) {
    QFile f(arquivo);
    return f.open(QIODevice::ReadOnly) && f.read(5) == "%PDF-";
}

}  // namespace

class FoRelatTormelTest : public QObject {
    Q_OBJECT

    TCaixasGravadas& caixas_ = Caixas();   // installed by the test main

private slots:
    void init() { caixas_.Limpa(); }

    void sizeLimitsAndCentring_data() {
        QTest::addColumn<QSize>("tela");
        QTest::addColumn<QSize>("minimo");
        QTest::addColumn<QSize>("janela");
        QTest::addColumn<QPoint>("posicao");
        QTest::newRow("1024x768") << QSize(1024, 768) << QSize(819, 614) << QSize(819, 614) << QPoint(102, 77);
        QTest::newRow("half up to even") << QSize(1025, 769) << QSize(820, 615) << QSize(818, 614)
                                         << QPoint(104, 78);
        QTest::newRow("larger than screen") << QSize(800, 600) << QSize(640, 480) << QSize(900, 700)
                                            << QPoint(-50, -50);
    }
    void sizeLimitsAndCentring() {
        QFETCH(QSize, tela);
        QFETCH(QSize, minimo);
        QFETCH(QSize, janela);
        QFETCH(QPoint, posicao);
        const TLimitesJanela limites = LimitesDaTela(tela);
        QCOMPARE(limites.Minimo, minimo);
        QCOMPARE(limites.Maximo, tela);
        QCOMPARE(PosicaoCentrada(tela, janela), posicao);
    }

    void showsTheReportMaximizedWithTheMarkedMap() {
        TPastaCorrente pasta;
        TfrmFoRelatTormel janela(nullptr, [] { return DadosComMapa(100, 200); });
        const QSize tela = QGuiApplication::primaryScreen()->size();
        QCOMPARE(janela.minimumSize(), LimitesDaTela(tela).Minimo);
        QCOMPARE(janela.maximumSize(), tela);

        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        QVERIFY(janela.isMaximized());
        QTRY_VERIFY(janela.Viewer->toPlainText().contains(QString::fromUtf8("RELATÓRIO")));
        const QString texto = janela.Viewer->toPlainText();
        QVERIFY(texto.contains(QString::fromUtf8("Localidade: Uberlândia & <Região>")));
        QVERIFY(texto.contains(QString::fromUtf8("Latitude: 18°55'08\"")));
        QVERIFY(texto.contains(QString::fromUtf8("MAPA DE LOCALIZAÇÃO:")));
        QVERIFY(QFile::exists(janela.PastaDoMapa() + "/Bit.bmp"));
        QVERIFY(!QFile::exists(pasta.Caminho("Bit.bmp")));
        const QImage imagem = ImagemNoDocumento(janela.Viewer);
        QCOMPARE(imagem.size(), QSize(450, 450));
        QCOMPARE(imagem.pixelColor(100, 200), QColor(0, 0, 0));
        QVERIFY(caixas_.Caixas.isEmpty());
    }

    void everyDisplayBuildsAFreshDocument() {
        TPastaCorrente pasta;
        int chamadas = 0;
        QPoint marcador(50, 60);
        TfrmFoRelatTormel janela(nullptr, [&] {
            ++chamadas;
            return DadosComMapa(marcador.x(), marcador.y());
        });
        janela.show();
        QTRY_COMPARE(chamadas, 1);
        QTRY_COMPARE(ImagemNoDocumento(janela.Viewer).pixelColor(50, 60), QColor(0, 0, 0));

        janela.hide();
        marcador = QPoint(300, 320);
        janela.show();
        QTRY_COMPARE(chamadas, 2);
        const QImage nova = ImagemNoDocumento(janela.Viewer);
        QCOMPARE(nova.pixelColor(300, 320), QColor(0, 0, 0));
        QCOMPARE(nova.pixelColor(50, 60), QColor(0, 0, 255));   // not the cached picture of the first display
    }

    void errorWhileBuildingIsShownAndTheWindowStaysOpen() {
        TPastaCorrente pasta;
        TfrmFoRelatTormel janela(nullptr, [] { return DadosComMapa(10, 10); });
        janela.show();
        QTRY_VERIFY(janela.Viewer->toPlainText().contains(QString::fromUtf8("RELATÓRIO")));
        const QString antes = janela.Viewer->toHtml();

        janela.hide();
        const QString mapa = janela.PastaDoMapa() + "/Bit.bmp";
        QVERIFY(QFile::remove(mapa));
        QVERIFY(QDir().mkdir(mapa));   // the map cannot be written now
        janela.show();
        QTRY_COMPARE(caixas_.Caixas.size(), 1);
        QCOMPARE(caixas_.Caixas[0].Tipo, QString("Erro"));
        QCOMPARE(caixas_.Caixas[0].Titulo, QString("Tormel 2.1"));
        QVERIFY2(caixas_.Caixas[0].Texto.contains("Bit.bmp"), qPrintable(caixas_.Caixas[0].Texto));
        QVERIFY(janela.isVisible());
        QCOMPARE(janela.Viewer->toHtml(), antes);
        QTest::qWait(50);
        QCOMPARE(caixas_.Caixas.size(), 1);   // shown once, not again on re-activation
        QVERIFY(QDir().rmdir(mapa));
    }

    void fecharClosesAndTheMapFileIsDeletedWithTheWindow() {
        TPastaCorrente pasta;
        auto* janela = new TfrmFoRelatTormel(nullptr, [] { return DadosComMapa(20, 20); });
        bool documento = false;
        QTimer::singleShot(0, janela, [&] {
            documento = QTest::qWaitFor([&] { return QFile::exists(janela->PastaDoMapa() + "/Bit.bmp"); });
            QTest::mouseClick(janela->BFechar, Qt::LeftButton);
        });
        janela->exec();
        QVERIFY(documento);
        QVERIFY(!janela->isVisible());
        const QString pastaDoMapa = janela->PastaDoMapa();
        QVERIFY(QFile::exists(pastaDoMapa + "/Bit.bmp"));
        delete janela;
        QVERIFY(!QFileInfo::exists(pastaDoMapa));   // the map and its folder
    }

    // The map is written into a folder of the report's own, never into the
    // current folder: a "Bit.bmp" of the user's stays byte for byte, with or
    // without a map, and only what the report wrote is deleted.
    void theUsersBitBmpIsNeitherOverwrittenNorDeleted_data() {
        QTest::addColumn<bool>("comMapa");
        QTest::newRow("com mapa") << true;
        QTest::newRow("sem mapa") << false;
    }
    void theUsersBitBmpIsNeitherOverwrittenNorDeleted() {
        QFETCH(bool, comMapa);
        TPastaCorrente pasta;
        const QByteArray doUsuario("BM meu desenho");
        QFile antigo(pasta.Caminho("Bit.bmp"));
        QVERIFY(antigo.open(QIODevice::WriteOnly));
        antigo.write(doUsuario);
        antigo.close();
        QString pastaDoMapa;
        {
            TDadosRelatorio dados = DadosComMapa(30, 40);
            dados.MapaVisivel = comMapa;
            TfrmFoRelatTormel janela(nullptr, [=] { return dados; });
            janela.show();
            QTRY_VERIFY(janela.Viewer->toPlainText().contains(QString::fromUtf8("RELATÓRIO")));
            QCOMPARE(janela.Viewer->toPlainText().contains(QString::fromUtf8("MAPA DE LOCALIZAÇÃO")), comMapa);
            pastaDoMapa = janela.PastaDoMapa();
            QCOMPARE(pastaDoMapa.isEmpty(), !comMapa);
            if (comMapa) {
                QVERIFY(QDir(pastaDoMapa) != QDir(pasta.Caminho("")));
                QCOMPARE(ImagemNoDocumento(janela.Viewer).pixelColor(30, 40), QColor(0, 0, 0));
                // Something else in that folder is not the report's to delete.
                QFile outro(pastaDoMapa + "/outro.txt");
                QVERIFY(outro.open(QIODevice::WriteOnly));
            }
        }
        QCOMPARE(Le(pasta.Caminho("Bit.bmp")), doUsuario);
        if (comMapa) {
            QVERIFY(!QFile::exists(pastaDoMapa + "/Bit.bmp"));
            QVERIFY(QFile::remove(pastaDoMapa + "/outro.txt"));
            QVERIFY(QDir().rmdir(pastaDoMapa));
        }
    }

    void printsTheReportToPdf() {
        QVERIFY2(!QStandardPaths::findExecutable("pdftotext").isEmpty(), "pdftotext (poppler-utils) is needed");
        TPastaCorrente pasta;
        TfrmFoRelatTormel janela(nullptr, [] { return DadosComMapa(200, 200); });
        janela.show();
        QTRY_VERIFY(janela.Viewer->toPlainText().contains(QString::fromUtf8("RELATÓRIO")));

        // All pages.
        QPrinter impressora(QPrinter::HighResolution);
        impressora.setOutputFormat(QPrinter::PdfFormat);
        impressora.setOutputFileName(pasta.Caminho("tudo.pdf"));
        janela.Imprime(impressora, 1, 9999);
        QVERIFY(ComecaComPdf(pasta.Caminho("tudo.pdf")));
        const QString texto = TextoDoPdf(pasta.Caminho("tudo.pdf"));
        QVERIFY2(texto.contains(QString::fromUtf8("RELATÓRIO")), qPrintable(texto));
        QVERIFY(texto.contains(QString::fromUtf8("Uberlândia & <Região>")));
        QVERIFY(texto.contains(QString::fromUtf8("MAPA DE LOCALIZAÇÃO")));
        const int paginas = PaginasDoPdf(pasta.Caminho("tudo.pdf"));
        QVERIFY(paginas >= 1);
        // The print job is named after the document's title.
        const QString info = InfoDoPdf(pasta.Caminho("tudo.pdf"));
        QVERIFY2(QRegularExpression(QString::fromUtf8("Title: +Parâmetros da Equação de Intensidade, Duração e "
                                                      "Frequência da Precipitação\n"))
                     .match(info)
                     .hasMatch(),
                 qPrintable(info));

        // The last page only.
        QPrinter ultima(QPrinter::HighResolution);
        ultima.setOutputFormat(QPrinter::PdfFormat);
        ultima.setOutputFileName(pasta.Caminho("ultima.pdf"));
        janela.Imprime(ultima, paginas, paginas);
        QCOMPARE(PaginasDoPdf(pasta.Caminho("ultima.pdf")), 1);
        if (paginas > 1) QVERIFY(!TextoDoPdf(pasta.Caminho("ultima.pdf")).contains(QString::fromUtf8("RELATÓRIO")));
    }

    // Printed with 2 cm on every side of the paper: the first word and the
    // header picture stand inside that column, and the map's heading stands
    // on the page of its map, whatever the paper's height.
    void printedMarginsAreTwoCentimetresAndTheMapKeepsItsHeading() {
        QVERIFY(!QStandardPaths::findExecutable("pdftoppm").isEmpty());
        QVERIFY(!QStandardPaths::findExecutable("pdfimages").isEmpty());
        TPastaCorrente pasta;
        const TPastaPrograma programa;
        QImage cabecalho(550, 73, QImage::Format_RGB32);
        cabecalho.fill(QColor(0, 0, 120));
        QVERIFY(cabecalho.save(QCaminho(programa.Dados()) + "Cabecalho_Tormel21.jpg", "JPG"));
        TDadosRelatorio dados = DadosComMapa(200, 200);
        dados.PastaPrograma = programa.Programa();
        TfrmFoRelatTormel janela(nullptr, [=] { return dados; });
        janela.show();
        QTRY_VERIFY(janela.Viewer->toPlainText().contains(QString::fromUtf8("RELATÓRIO")));

        const QString a4 = ImprimePdf(janela, pasta.Caminho("a4.pdf"), QPageSize(QPageSize::A4));
        QVERIFY(PaginaDaFigura(a4, 550, 73) > 0);   // the header was printed
        // Words: the leftmost and the topmost at 2 cm from the paper's edge.
        double esquerda = 1e9, topo = 1e9;
        const QRegularExpression palavra("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"");
        for (auto m = palavra.globalMatch(Saida("pdftotext", {"-bbox", "-f", "1", "-l", "1", a4, "-"})); m.hasNext();) {
            const QRegularExpressionMatch w = m.next();
            esquerda = std::min(esquerda, w.captured(1).toDouble());
            topo = std::min(topo, w.captured(2).toDouble());
        }
        QVERIFY2(std::abs(esquerda - kMargemPt) < 3, qPrintable(QString::number(esquerda)));
        QVERIFY2(topo > kMargemPt - 1 && topo < kMargemPt + 12, qPrintable(QString::number(topo)));
        // Ink (the header picture included) only inside the column: on A4,
        // and on A5, where the header is wider than the column and scaled.
        const std::pair<QString, QSize> papeis[] = {{a4, QSize(595, 842)},
                                                    {ImprimePdf(janela, pasta.Caminho("a5.pdf"), QPageSize(QPageSize::A5)),
                                                     QSize(420, 595)}};
        for (const auto& [pdf, tamanho] : papeis) {
            const QString raiz = pdf.chopped(4);
            Saida("pdftoppm", {"-r", "72", "-gray", "-f", "1", "-l", "1", pdf, raiz});
            const QImage pagina(raiz + "-1.pgm");
            QCOMPARE(pagina.size(), tamanho);
            QRect tinta;
            for (int y = 0; y < pagina.height(); ++y)
                for (int x = 0; x < pagina.width(); ++x)
                    if (qGray(pagina.pixel(x, y)) < 200) tinta |= QRect(x, y, 1, 1);
            QVERIFY2(tinta.left() >= kMargemPt - 1 && tinta.right() <= tamanho.width() - kMargemPt + 1,
                     qPrintable(QStringLiteral("%1: %2..%3").arg(pdf).arg(tinta.left()).arg(tinta.right())));
            QVERIFY(tinta.top() >= kMargemPt - 1);
        }

        for (int altura = 150; altura <= 300; altura += 10) {
            const QString pdf = ImprimePdf(janela, pasta.Caminho(QStringLiteral("p%1.pdf").arg(altura)),
                                           QPageSize(QSizeF(210, altura), QPageSize::Millimeter));
            const int titulo = PaginaDoTexto(pdf, PaginasDoPdf(pdf), QString::fromUtf8("MAPA DE LOCALIZAÇÃO"));
            QVERIFY(titulo > 0);
            QVERIFY2(PaginaDaFigura(pdf, 450, 450) == titulo, qPrintable(QStringLiteral("%1 mm").arg(altura)));
        }
    }

    void imprimirGoesThroughThePrintDialog() {
        QVERIFY(!QStandardPaths::findExecutable("pdftotext").isEmpty());
        TPastaCorrente pasta;
        TfrmFoRelatTormel janela(nullptr, [] { return DadosComMapa(200, 200); });
        janela.Impressora().setOutputFormat(QPrinter::PdfFormat);
        janela.Impressora().setOutputFileName(pasta.Caminho("dialogo.pdf"));
        janela.show();
        QTRY_VERIFY(janela.Viewer->toPlainText().contains(QString::fromUtf8("RELATÓRIO")));

        // Cancelled: nothing printed.
        AoAbrirModal<QPrintDialog>(&janela, [](QPrintDialog* d) { d->reject(); });
        QTest::mouseClick(janela.ToolButton1, Qt::LeftButton);
        QVERIFY(!QFile::exists(pasta.Caminho("dialogo.pdf")));

        // Confirmed with all pages.
        bool dialogo = false;
        AoAbrirModal<QPrintDialog>(&janela, [&](QPrintDialog* d) {
            dialogo = d->printRange() == QAbstractPrintDialog::AllPages;
            d->accept();
        });
        QTest::mouseClick(janela.ToolButton1, Qt::LeftButton);
        QVERIFY(dialogo);
        QVERIFY(ComecaComPdf(pasta.Caminho("dialogo.pdf")));
        QVERIFY(TextoDoPdf(pasta.Caminho("dialogo.pdf")).contains(QString::fromUtf8("Minas Gerais")));
    }

    void restoringCentresTheWindow() {
        TPastaCorrente pasta;
        TfrmFoRelatTormel janela(nullptr, [] { return DadosComMapa(5, 5); });
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        QVERIFY(janela.isMaximized());
        janela.showNormal();
        const QSize tela = QGuiApplication::primaryScreen()->size();
        QTRY_COMPARE(janela.size(), LimitesDaTela(tela).Minimo);
        QTRY_COMPARE(janela.pos(), PosicaoCentrada(tela, janela.frameGeometry().size()));
    }
};

TORMEL_TEST_MAIN(FoRelatTormelTest, LocaleBrasil())
#include "FoRelatTormelTest.moc"
