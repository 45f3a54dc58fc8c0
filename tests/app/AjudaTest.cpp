// The help viewer: the program's help file, the three requests, and a help
// file that is missing or unusable.
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "suporte/ArquivosDeTeste.h"
#include "suporte/ExecutaTestes.h"
#include "ui/Aplicacao.h"
#include "ui/FoEstacoesInterpolacao.h"
#include "ui/ProcuraLocal.h"
#include "ui/TelaAjuda.h"

namespace {

const std::string ArquivoDoPrograma = TORMEL21_ARQUIVO_AJUDA;

template <typename T>
T* Filho(QDialog* janela, const char* nome) {
    return janela ? janela->findChild<T*>(QString::fromLatin1(nome)) : nullptr;
}

QStringList Itens(QListWidget* lista) {
    QStringList r;
    for (int i = 0; i < lista->count(); ++i) r << lista->item(i)->text();
    return r;
}

}  // namespace

class TesteAjuda : public QObject {
    Q_OBJECT

private slots:
    // The program's help file has one topic for every context the window
    // asks for, each with a title, text and keywords, and every link inside
    // a topic leads to a topic that exists.
    void arquivoDoProgramaTemOsTopicosDaJanela() {
        QFile f(QString::fromStdString(ArquivoDoPrograma));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const auto topicos = TTelaAjuda::LeTopicos(QString::fromUtf8(f.readAll()));
        QSet<int> contextos;
        for (const auto& t : topicos) contextos.insert(t.Contexto);
        // 10: the settings, from the contents; 11: the "Curvas IDF" window;
        // the dialogs' own topics; 14: the national grid, from links; 20: the fitting window.
        QCOMPARE(contextos, (QSet<int>{1, 2, 4, 6, 7, 9, 10, 11, 20, TfrmEstacoesInterpolacao::ContextoDeAjuda,
                                       TProcuraLocal::ContextoDeAjuda, 14}));
        QCOMPARE(static_cast<int>(topicos.size()), 12);
        static const QRegularExpression link(QStringLiteral("href=\"#(\\d+)\""));
        for (const auto& t : topicos) {
            QVERIFY2(!t.Titulo.isEmpty() && !t.Palavras.isEmpty(), qPrintable(t.Titulo));
            QVERIFY2(t.Texto.contains(QStringLiteral("<h2>")), qPrintable(t.Titulo));
            for (auto it = link.globalMatch(t.Texto); it.hasNext();)
                QVERIFY2(contextos.contains(it.next().captured(1).toInt()), qPrintable(t.Titulo));
        }
    }

    // Commented-out topics and elements without a usable context are skipped; titles may carry
    // entities; keywords are split at ';' and trimmed.
    void leituraDosTopicos() {
        const auto topicos = TTelaAjuda::LeTopicos(QStringLiteral(
            "<!-- <topico contexto=\"5\" titulo=\"Comentado\">x</topico> -->\n"
            "<topico titulo=\"Sem contexto\">x</topico>\n"
            "<topico contexto=\"abc\" titulo=\"Contexto inválido\">x</topico>\n"
            "<topico contexto=\"0\" titulo=\"Zero\">x</topico>\n"
            "<TOPICO contexto=\"12\" titulo=\"K &amp; a &quot;b&quot;\" palavras=\" um ;dois;; \">\n"
            "  <p>texto</p>\n</TOPICO>\n"
            "<topico contexto=\"3\">sem título</topico>"));
        QCOMPARE(static_cast<int>(topicos.size()), 2);
        QCOMPARE(topicos[0].Contexto, 12);
        QCOMPARE(topicos[0].Titulo, QStringLiteral("K & a \"b\""));
        QCOMPARE(topicos[0].Palavras, (QStringList{"um", "dois"}));
        QCOMPARE(topicos[0].Texto, QStringLiteral("<p>texto</p>"));
        QCOMPARE(topicos[1].Contexto, 3);
        QCOMPARE(topicos[1].Titulo, QStringLiteral("Tópico 3"));
    }

    // Topic by context number, a link inside it followed with the keyboard,
    // and an unknown context answered with a message.
    void topicoPorContexto() {
        TCaixasGravadas caixas;
        TTelaAjuda ajuda(ArquivoDoPrograma, caixas);
        QVERIFY(!ajuda.Janela());
        ajuda.MostraTopico(7);
        QDialog* janela = ajuda.Janela();
        QVERIFY(janela && janela->isVisible());
        QCOMPARE(ajuda.TopicoAtual(), 7);
        QCOMPARE(janela->windowTitle(), QStringLiteral("Ajuda do Tormel 2.1 - Usando o Tormel 2.1"));
        auto* texto = Filho<QTextBrowser>(janela, "Texto");
        QVERIFY(texto->toPlainText().contains(QStringLiteral("Escolha o estado na lista Estados")));
        QCOMPARE(Filho<QListWidget>(janela, "ListaConteudo")->currentItem()->text(),
                 QStringLiteral("Usando o Tormel 2.1"));

        // The first link of topic 7 leads to the stations.
        texto->setFocus();
        QTest::keyClick(texto, Qt::Key_Tab);
        QTest::keyClick(texto, Qt::Key_Return);
        QCOMPARE(ajuda.TopicoAtual(), 6);
        QVERIFY(texto->toPlainText().contains(QStringLiteral("A lista Estações mostra")));

        ajuda.MostraTopico(99);
        QCOMPARE(ajuda.TopicoAtual(), 0);
        QVERIFY(texto->toPlainText().contains(QStringLiteral("não tem um tópico para o contexto 99")));
        QCOMPARE(ajuda.Janela(), janela);   // the same window serves every request

        // No context at all: the topics list, with its first topic.
        Filho<QTabWidget>(janela, "Abas")->setCurrentIndex(1);
        ajuda.MostraTopico(0);
        QCOMPARE(Filho<QTabWidget>(janela, "Abas")->currentIndex(), 0);
        QCOMPARE(ajuda.TopicoAtual(), 7);
        QVERIFY(caixas.Erros().isEmpty());
    }

    // The topics list: the titles in file order; a click shows the topic.
    void listaDeTopicos() {
        TCaixasGravadas caixas;
        TTelaAjuda ajuda(ArquivoDoPrograma, caixas);
        ajuda.MostraConteudo();
        QDialog* janela = ajuda.Janela();
        QVERIFY(janela);
        QCOMPARE(Filho<QTabWidget>(janela, "Abas")->currentIndex(), 0);
        auto* lista = Filho<QListWidget>(janela, "ListaConteudo");
        QCOMPARE(Itens(lista), (QStringList{"Usando o Tormel 2.1", "Parâmetros da equação IDF",
                                            "Localização: latitude e longitude", "Mapa e localidades",
                                            "Estações pluviográficas", "Relatório",
                                            "Sobre as configurações", "Curvas IDF: tabela e gráfico",
                                            "Ajustar equação a um registro de chuva",
                                            "Estações no mapa e estações da interpolação", "Procurar local",
                                            "Grade nacional GRIDF-BR"}));
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(lista->item(5)).center());
        QCOMPARE(ajuda.TopicoAtual(), 9);
        QTest::keyClick(lista, Qt::Key_Up);
        QCOMPARE(ajuda.TopicoAtual(), 6);

        // Clicking the index tab puts the cursor in the key field.
        QTabBar* barra = Filho<QTabWidget>(janela, "Abas")->tabBar();
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(1).center());
        QCOMPARE(janela->focusWidget(), Filho<QLineEdit>(janela, "Chave"));
    }

    // The keyword search opens with an empty key and every keyword sorted;
    // typing narrows the list, Enter shows the first match; a keyword of two
    // topics names each topic.
    void procuraPorPalavra() {
        TCaixasGravadas caixas;
        TTelaAjuda ajuda(ArquivoDoPrograma, caixas);
        ajuda.MostraTopico(1);
        ajuda.ProcuraPalavra();
        QDialog* janela = ajuda.Janela();
        QCOMPARE(Filho<QTabWidget>(janela, "Abas")->currentIndex(), 1);
        auto* chave = Filho<QLineEdit>(janela, "Chave");
        auto* indice = Filho<QListWidget>(janela, "ListaIndice");
        QVERIFY(chave->text().isEmpty());
        QCOMPARE(janela->focusWidget(), chave);
        const QStringList todas = Itens(indice);
        QVERIFY(todas.size() > 30);
        QCOMPARE(todas.first(), QStringLiteral("a"));
        QVERIFY(todas.indexOf(QStringLiteral("ajuda")) < todas.indexOf(QStringLiteral("autor")));
        QVERIFY(todas.indexOf(QStringLiteral("estações")) < todas.indexOf(QStringLiteral("estados")));

        QTest::keyClicks(chave, QStringLiteral("INTERP"));
        QCOMPARE(Itens(indice), (QStringList{"interpolação (Localização: latitude e longitude)",
                                             "interpolação (Mapa e localidades)"}));
        QTest::keyClick(chave, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(chave, QStringLiteral("rel"));
        QCOMPARE(Itens(indice), QStringList{"relatório"});
        QTest::keyClick(chave, Qt::Key_Return);
        QCOMPARE(ajuda.TopicoAtual(), 9);

        // A new search starts again with an empty key.
        ajuda.ProcuraPalavra();
        QVERIFY(chave->text().isEmpty());
        QCOMPARE(Itens(indice), todas);
    }

    // While a modal window is shown, the help window is its child and takes
    // the user's keys; it goes with that window, and a later request opens
    // a new one.
    void usavelAoLadoDaJanelaModal() {
        TCaixasGravadas caixas;
        TTelaAjuda ajuda(ArquivoDoPrograma, caixas);
        QDialog modal;
        modal.resize(200, 100);
        QString filtrado;
        QDialog* pai = nullptr;
        QTimer::singleShot(50, &modal, [&] {
            ajuda.ProcuraPalavra();
            QDialog* janela = ajuda.Janela();
            pai = qobject_cast<QDialog*>(janela->parentWidget());
            QVERIFY(QTest::qWaitForWindowExposed(janela));
            // Through the window system, where a blocked window drops the keys.
            for (char c : {'m', 'a', 'p', 'a'}) QTest::keyClick(janela->windowHandle(), c);
            filtrado = Filho<QLineEdit>(janela, "Chave")->text();
            modal.reject();
        });
        modal.exec();
        QCOMPARE(filtrado, QStringLiteral("mapa"));
        QCOMPARE(pai, &modal);
    }

    // A missing help file is noticed only when help is asked for, at every
    // request until it appears; a file without topics is reported as such.
    void arquivoAusenteOuInvalido() {
        QTemporaryDir pasta;
        const QString caminho = pasta.filePath(QStringLiteral("Tormel21.hlp"));
        TCaixasGravadas caixas;
        TTelaAjuda ajuda(caminho.toStdString(), caixas);
        QVERIFY(caixas.Erros().isEmpty());

        ajuda.MostraTopico(7);
        ajuda.MostraConteudo();
        QCOMPARE(caixas.Erros().size(), 2);
        QCOMPARE(caixas.ErrosComTitulo()[0], QStringLiteral("Tormel 2.1|O arquivo de ajuda ") + caminho +
                                      QStringLiteral(" não foi encontrado. A ajuda não está disponível."));
        QVERIFY(!ajuda.Janela());

        GravaArquivo(caminho.toStdString(), "<html>sem tópicos</html>");
        ajuda.ProcuraPalavra();
        QCOMPARE(caixas.Erros().size(), 3);
        QVERIFY(caixas.Erros()[2].endsWith(QStringLiteral("não contém nenhum tópico de ajuda.")));
        QVERIFY(!ajuda.Janela());

        GravaArquivo(caminho.toStdString(), "<topico contexto=\"7\" titulo=\"Geral\"><p>ok</p></topico>");
        ajuda.MostraTopico(7);
        QCOMPARE(caixas.Erros().size(), 3);
        QCOMPARE(ajuda.TopicoAtual(), 7);
    }
};

TORMEL_TEST_MAIN(TesteAjuda)

#include "AjudaTest.moc"
