// Help files that would hang or crash Qt's rich-text viewer: each is refused
// at the first help request with one error box naming the file and the line,
// and the program goes on without help. Images come only from regular files
// beside the help file.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "suporte/CaixasGravadas.h"
#include "ui/LeituraAjuda.h"
#include "ui/TelaAjuda.h"

namespace {

QByteArray Repete(const QByteArray& pedaco, int vezes) {
    QByteArray r;
    r.reserve(pedaco.size() * vezes);
    for (int i = 0; i < vezes; ++i) r += pedaco;
    return r;
}

QByteArray Topico(const QByteArray& texto, int contexto = 7) {
    return "<topico contexto=\"" + QByteArray::number(contexto) + "\" titulo=\"T\">\n" + texto + "\n</topico>\n";
}

class TPastaAjuda {
public:
    TPastaAjuda() {
        QImage figura(8, 8, QImage::Format_RGB32);
        figura.fill(Qt::red);
        figura.save(Caminho(QStringLiteral("figura.png")), "PNG");
    }
    QString Caminho(const QString& nome = QStringLiteral("Tormel21.hlp")) const { return dir_.filePath(nome); }
    void Grava(const QByteArray& dados, const QString& nome = QStringLiteral("Tormel21.hlp")) const {
        QFile f(Caminho(nome));
        if (!f.open(QIODevice::WriteOnly) || f.write(dados) != dados.size()) qFatal("cannot write %s", qPrintable(nome));
    }

private:
    QTemporaryDir dir_;
};

}  // namespace

class TesteAjudaRuim : public QObject {
    Q_OBJECT

private slots:
    void arquivoRecusadoComALinha_data() {
        QTest::addColumn<QByteArray>("arquivo");
        QTest::addColumn<int>("linha");
        QTest::addColumn<QString>("motivo");
        const QString tabelas = QStringLiteral("tabelas aninhadas em mais de 4 níveis");
        QTest::newRow("4000 tabelas aninhadas")
            << Topico(Repete("<table><tr><td>", 4000) + "x") << 2 << tabelas;
        QTest::newRow("20 tabelas aninhadas, uma por linha")
            << Topico(Repete("<table border=\"1\"><tr><td>\n", 20) + "x" + Repete("</td></tr></table>", 20)) << 6
            << tabelas;
        QTest::newRow("40 listas aninhadas")
            << Topico(Repete("<ul><li>", 40) + "x") << 2 << QStringLiteral("elementos aninhados em mais de 32 níveis");
        QTest::newRow("20000 listas aninhadas")
            << Topico(Repete("<ul><li>", 20000) + "x") << 1 << QStringLiteral("o tópico tem mais de 65536 caracteres");
        QTest::newRow("imagem /dev/zero")
            << Topico("<p>a</p>\n<img src=\"/dev/zero\">") << 3
            << QStringLiteral("a imagem \"/dev/zero\" não é o nome de um arquivo ao lado do arquivo de ajuda");
        QTest::newRow("imagem que é link para /dev/zero")
            << Topico("<img src='zero'>") << 2
            << QStringLiteral("a imagem \"zero\" não é um arquivo comum ao lado do arquivo de ajuda");
        // Found by the fuzzer: Qt's layout loops forever on these pictures
        // that cannot be loaded.
        QTest::newRow("imagem sem src, com largura, antes de uma tabela")
            << Topico("<img width=4><table><tr><td>x<img width=5></table>") << 2
            << QStringLiteral("uma imagem sem src, o nome do arquivo da figura");
        QTest::newRow("segundo src inexistente")
            << Topico("<img src=\"figura.png\" src=\"nada.png\">") << 2
            << QStringLiteral("a imagem \"nada.png\" não é um arquivo comum ao lado do arquivo de ajuda");
        QTest::newRow("imagem grande demais")
            << Topico("<img src=grande.png>") << 2 << QStringLiteral("a imagem \"grande.png\" tem mais de 1048576 bytes");
        QTest::newRow("60000 marcas de tópico sem fim")
            << Repete("<topico>\n", 60000) << 2
            << QStringLiteral("um <topico> começa antes de terminar o anterior (falta </topico>)");
        QTest::newRow("20000 tópicos")
            << Repete(Topico("<p>x</p>"), 20000) << 501 * 3 - 2 << QStringLiteral("mais de 500 tópicos");
        QTest::newRow("comentário sem fim")
            << Topico("<p>x</p>") + "\n<!-- " + Repete("<topico>", 5000) << 5
            << QStringLiteral("o comentário <!-- não termina com -->");
    }
    void arquivoRecusadoComALinha() {
        QFETCH(QByteArray, arquivo);
        QFETCH(int, linha);
        QFETCH(QString, motivo);
        TPastaAjuda pasta;
        pasta.Grava(arquivo);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), pasta.Caminho(QStringLiteral("zero"))));
        pasta.Grava(QByteArray("\x89PNG") + QByteArray(1 << 20, 'x'), QStringLiteral("grande.png"));

        TCaixasGravadas caixas;
        TTelaAjuda ajuda(pasta.Caminho().toStdString(), caixas);
        ajuda.MostraTopico(7);
        QCOMPARE(caixas.ErrosComTitulo(),
                 QStringList{QStringLiteral("Tormel 2.1|O arquivo de ajuda %1, linha %2: %3. A ajuda não está "
                                            "disponível.")
                                 .arg(pasta.Caminho())
                                 .arg(linha)
                                 .arg(motivo)});
        QVERIFY(!ajuda.Janela());
    }

    // A file above 1 MiB is refused without being read whole.
    void arquivoGrandeDemais() {
        TPastaAjuda pasta;
        pasta.Grava(Topico(QByteArray(1 << 20, 'x')));
        TCaixasGravadas caixas;
        TTelaAjuda ajuda(pasta.Caminho().toStdString(), caixas);
        ajuda.MostraConteudo();
        QCOMPARE(caixas.Erros(), QStringList{QStringLiteral("O arquivo de ajuda %1 tem mais de 1048576 bytes. A ajuda "
                                                            "não está disponível.")
                                                 .arg(pasta.Caminho())});
        QVERIFY(!ajuda.Janela());
    }

    // What the limits let through is shown: a picture beside the help file,
    // tables four deep; a background naming /dev/zero is not read.
    void imagemAoLadoEBackgroundIgnorado() {
        TPastaAjuda pasta;
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), pasta.Caminho(QStringLiteral("zero"))));
        pasta.Grava(Topico("<table background=\"/dev/zero\"><tr><td background=\"zero\"><img src=\"figura.png\">" +
                           Repete("<table><tr><td>", 3) + "fim" + Repete("</td></tr></table>", 4)));
        TCaixasGravadas caixas;
        TTelaAjuda ajuda(pasta.Caminho().toStdString(), caixas);
        ajuda.MostraTopico(7);
        QVERIFY2(caixas.Erros().isEmpty(), qPrintable(caixas.Erros().join('\n')));
        auto* texto = ajuda.Janela()->findChild<QTextBrowser*>(QStringLiteral("Texto"));
        QVERIFY(texto->toPlainText().contains(QStringLiteral("fim")));
        QTextDocument* doc = texto->document();
        doc->size();   // lays out, loading what the text names
        QCOMPARE(doc->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("figura.png"))).value<QImage>().size(),
                 QSize(8, 8));
        // What is refused is one transparent pixel, never a missing picture.
        for (const char* recusada : {"/dev/zero", "zero", "nada.png"})
            QCOMPARE(doc->resource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(recusada))).value<QImage>().size(),
                     QSize(1, 1));
        pasta.Grava("p { color: red }", QStringLiteral("estilo.css"));
        QVERIFY(doc->resource(QTextDocument::StyleSheetResource, QUrl(QStringLiteral("estilo.css"))).isNull());
        delete ajuda.Janela();
    }

    // The document lays out pictures it cannot load that have a width, which
    // Qt's own loading leaves missing and then lays out forever.
    void imagemQueNaoCarregaNaoTrava() {
        TPastaAjuda pasta;
        TDocumentoAjuda documento(QFileInfo(pasta.Caminho()).absolutePath());
        documento.setTextWidth(480);
        documento.setHtml(QStringLiteral("<img src=\"nada.png\" width=4><table><tr><td>x<img src=\"nada.png\" "
                                         "width=5></table>"));
        QVERIFY(documento.size().height() > 0);
    }
};

#include "AjudaRuimTest.moc"

int ExecutaTesteAjudaRuim(int argc, char** argv) {
    TesteAjudaRuim t;
    return QTest::qExec(&t, argc, argv);
}
