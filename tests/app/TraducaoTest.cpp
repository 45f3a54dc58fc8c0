// Qt's own dialogs speak Brazilian Portuguese once the program has started,
// whatever the locale it was started in (this test runs in C.UTF-8).
#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include "app/Tormel.h"
#include "suporte/ArquivosDeTeste.h"
#include "suporte/ExecutaTestes.h"
#include "ui/Aplicacao.h"

namespace {

QStringList TextosDosBotoes(const QWidget& janela) {
    QStringList textos;
    for (const QAbstractButton* b : janela.findChildren<QAbstractButton*>()) textos << b->text();
    return textos;
}

}  // namespace

class TesteTraducao : public QObject {
    Q_OBJECT

private slots:
    void dialogosDoQtEmPortugues() {
        QCOMPARE(QLocale().language(), QLocale::C);
        // A start that ends at once (no data folder) has already set Qt's texts.
        const TPastaTemporaria semDados("tormel_traducao_");
        QCOMPARE(ExecutaTormelEm(*TAplicacao::Instancia(), semDados.Caminho()), 1);
        QCOMPARE(Caixas().Caixas.size(), 1);

        QPrinter impressora;
        QPrintDialog impressao(&impressora);
        QCOMPARE(impressao.windowTitle(), QStringLiteral("Imprimir"));
        const QStringList botoes = TextosDosBotoes(impressao);
        QVERIFY2(botoes.contains(QStringLiteral("Cancelar")), qPrintable(botoes.join('|')));
        QVERIFY2(botoes.contains(QStringLiteral("&Imprimir")) || botoes.contains(QStringLiteral("Imprimir")),
                 qPrintable(botoes.join('|')));
        QVERIFY2(!botoes.contains(QStringLiteral("&Options >>")), qPrintable(botoes.join('|')));

        QMessageBox caixa(QMessageBox::Information, QStringLiteral("Tormel 2.1"), QStringLiteral("x"),
                          QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(caixa.button(QMessageBox::Cancel)->text(), QStringLiteral("Cancelar"));
        QCOMPARE(caixa.button(QMessageBox::Yes)->text(), QStringLiteral("&Sim"));
        QCOMPARE(caixa.button(QMessageBox::No)->text(), QStringLiteral("&Não"));

        QFileDialog arquivos(nullptr, QStringLiteral("Abrir"));
        arquivos.setOption(QFileDialog::DontUseNativeDialog);
        QVERIFY2(TextosDosBotoes(arquivos).contains(QStringLiteral("Cancelar")),
                 qPrintable(TextosDosBotoes(arquivos).join('|')));
    }
};

TORMEL_TEST_MAIN(TesteTraducao)
#include "TraducaoTest.moc"
