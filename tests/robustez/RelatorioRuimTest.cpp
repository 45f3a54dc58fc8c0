// The report where its files are bad: a missing header picture leaves the
// report whole with the picture's place empty; a temporary folder where the
// report cannot make its own folder for "Bit.bmp" gives an error box naming
// it, and the report window stays open, empty, and closes normally.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include "suporte/CaixasGravadas.h"
#include "JanelaTeste.h"
#include "PastaJanela.h"
#include "report/FoRelatTormel.h"
#include "ui/FoConsulta.h"

namespace {

struct TVistoNoRelatorio {
    bool Aberto = false;
    QString Texto;
    QStringList Erros;
};

// Presses "&Relatório" with the mouse and looks at the report window once its
// activation has run; then closes it with its "Fechar" button.
TVistoNoRelatorio AbreRelatorio(TfrmFoConsulta* janela) {
    TVistoNoRelatorio visto;
    QTimer vigia;
    vigia.setInterval(50);
    int ticks = 0;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        auto* relatorio = qobject_cast<TfrmFoRelatTormel*>(QApplication::activeModalWidget());
        if (!relatorio || ++ticks < 3) return;
        vigia.stop();
        visto.Aberto = true;
        visto.Texto = relatorio->Viewer->toPlainText();
        visto.Erros = Caixas().ErrosComTitulo();
        QTest::mouseClick(relatorio->BFechar, Qt::LeftButton);
    });
    vigia.start();
    QTest::mouseClick(janela->BtnRelat, Qt::LeftButton);
    Processa();
    return visto;
}

}  // namespace

class TesteRelatorioRuim : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Caixas().Limpa();
        QVERIFY(QDir::setCurrent(atual_.path()));
    }
    void cleanup() { QDir::setCurrent(QDir::tempPath()); }

    void semFiguraDeCabecalho() {
        TPastaJanela pasta;   // its data folder has no "Cabecalho_Tormel21.jpg"
        QVERIFY(!QFile::exists(pasta.Dados() + QStringLiteral("Cabecalho_Tormel21.jpg")));
        auto janela = AbreJanela(pasta, 12, 0);
        const TVistoNoRelatorio visto = AbreRelatorio(janela.get());
        QVERIFY(visto.Aberto);
        QVERIFY2(visto.Erros.isEmpty(), qPrintable(visto.Erros.join('\n')));
        QVERIFY2(visto.Texto.contains(QStringLiteral("RELATÓRIO")), qPrintable(visto.Texto));
        QVERIFY2(visto.Texto.contains(QStringLiteral("Belo Horizonte")), qPrintable(visto.Texto));
        QVERIFY(!QFile::exists(QStringLiteral("Bit.bmp")));   // deleted with the window
        QVERIFY(Caixas().ErrosComTitulo().isEmpty());
    }

    void bitBmpNaoPodeSerGravado() {
        TPastaJanela pasta;
        // The temporary folder is a file: no folder for the map can be made.
        const QString arquivo = atual_.filePath(QStringLiteral("tmp"));
        QFile(arquivo).open(QIODevice::WriteOnly);
        const QByteArray tmpdir = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(arquivo));
        auto janela = AbreJanela(pasta, 12, 0);
        const TVistoNoRelatorio visto = AbreRelatorio(janela.get());
        qputenv("TMPDIR", tmpdir);
        QVERIFY(visto.Aberto);
        QCOMPARE(visto.Erros, QStringList{QStringLiteral("Tormel 2.1|Não foi possível gravar o arquivo Bit.bmp: não "
                                                         "foi possível criar uma pasta temporária em ") +
                                          arquivo + '.'});
        QVERIFY2(visto.Texto.trimmed().isEmpty(), qPrintable(visto.Texto));   // no document was loaded
        QVERIFY(!QFile::exists(QStringLiteral("Bit.bmp")));

        // The query window goes on: a station click, then a report that works.
        ClicaLinha(janela->LBEstacao, 1);
        Caixas().Limpa();
        const TVistoNoRelatorio depois = AbreRelatorio(janela.get());
        QVERIFY(depois.Erros.isEmpty());
        QVERIFY(depois.Texto.contains(QStringLiteral("Juiz de Fora")));
    }

private:
    QTemporaryDir atual_;
};

#include "RelatorioRuimTest.moc"

int ExecutaTesteRelatorioRuim(int argc, char** argv) {
    TesteRelatorioRuim t;
    return QTest::qExec(&t, argc, argv);
}
