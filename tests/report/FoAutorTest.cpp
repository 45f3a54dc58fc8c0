// The source reference dialog behind the "Autor" button.
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "database/Citacoes.h"
#include "suporte/ExecutaTestes.h"
#include "suporte/JanelasModais.h"
#include "ui/FoAutor.h"
#include "ui/Janelas.h"

class FoAutorTest : public QObject {
    Q_OBJECT

    TCaixasGravadas& caixas_ = Caixas();   // installed by the test main

    // Runs AutorClick for the caption; while the dialog is up, `acao` gets it
    // and then "&Ok" is clicked. Returns whether a dialog was shown.
    bool Clica(const QString& legenda, const std::function<void(TfrmFoAutor&)>& acao = {}) {
        bool mostrado = false;
        AoAbrirModal<TfrmFoAutor>(this, [&](TfrmFoAutor* dialogo) {
            mostrado = true;
            if (acao) acao(*dialogo);
            QTest::mouseClick(dialogo->OK, Qt::LeftButton);
        });
        AutorClickComLegenda(nullptr, legenda);
        QApplication::processEvents();   // the timer must not outlive a run without dialog
        return mostrado;
    }

private slots:
    void init() { caixas_.Limpa(); }

    void eachKeyShowsItsRow() {
        for (size_t i = 0; i < Citacoes.size(); ++i) {
            const TCitacao& linha = Citacoes[i];
            QVERIFY(linha.Chave[0] != '\0');
            QCOMPARE(IndiceCitacao(linha.Chave), static_cast<int>(i));   // keys are distinct
            QString autor, livro, pagina, titulo;
            bool visivelAutor = false, fechou = false;
            const bool mostrado = Clica(QString::fromUtf8(linha.Chave), [&](TfrmFoAutor& d) {
                autor = d.Autor->text();
                livro = d.Livro->text();
                pagina = d.Pagina->text();
                titulo = d.windowTitle();
                visivelAutor = d.Autor->isVisible() && d.Autor->width() > 0;
                QObject::connect(&d, &QDialog::finished, [&](int r) { fechou = r == QDialog::Accepted; });
            });
            QVERIFY2(mostrado, linha.Chave);
            QCOMPARE(titulo, QString("Autor"));
            QCOMPARE(autor, QString::fromUtf8(linha.Autores));
            QCOMPARE(livro, QString::fromUtf8(linha.Titulo));
            QCOMPARE(pagina, QString::fromUtf8(linha.Publicacao));
            QVERIFY(visivelAutor);
            QVERIFY(fechou);
        }
        QVERIFY(caixas_.Caixas.isEmpty());
    }

    void captionsMatchingNoKeyBringTheInterpolationMessage_data() {
        QTest::addColumn<QString>("legenda");
        QTest::newRow("Autor") << QString("Autor");
        QTest::newRow("Interpolação") << QString::fromUtf8("Interpolação");
        QTest::newRow("trailing blank") << QString::fromUtf8(Citacoes[0].Chave) + ' ';
        QTest::newRow("other case") << QString::fromUtf8(Citacoes[9].Chave).toLower();
        QTest::newRow("empty") << QString();
    }
    void captionsMatchingNoKeyBringTheInterpolationMessage() {
        QFETCH(QString, legenda);
        QVERIFY(!Clica(legenda));
        QCOMPARE(caixas_.Caixas.size(), 1);
        QCOMPARE(caixas_.Caixas[0].Tipo, QString("Informacao"));
        QCOMPARE(caixas_.Caixas[0].Titulo, QString::fromUtf8("Informação"));
        QCOMPARE(caixas_.Caixas[0].Texto,
                 QString::fromUtf8("Interpolação realizada utilizando o Método do Inverso da Quinta Potência da "
                                   "Distância e considerando as informações de todas as localidades em que a "
                                   "equação de intensidade-duração-freqüência da precipitação é conhecida nos "
                                   "Estados da Bahia, Espírito Santo, Minas Gerais, Paraná, Rio de Janeiro, São "
                                   "Paulo e Tocantins."));
    }

    // With the default font every citation reads in full: no label is cut
    // short, none runs into the next, all lie inside the dialog.
    void everyCitationReadsInFull() {
        for (size_t i = 0; i < Citacoes.size(); ++i) {
            TfrmFoAutor d(nullptr);
            QVERIFY(d.MostraCitacao(QString::fromUtf8(Citacoes[i].Chave)));
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            const QLabel* rotulos[] = {d.Autor, d.Livro, d.Pagina};
            int fimAnterior = 0;
            for (const QLabel* r : rotulos) {
                const int texto = r->wordWrap() ? r->heightForWidth(r->width()) : r->sizeHint().height();
                const QString onde = QStringLiteral("%1, %2").arg(Citacoes[i].Chave, r->objectName());
                QVERIFY2(texto <= r->height(), qPrintable(onde));
                QVERIFY2(r->sizeHint().width() <= r->width() || r->wordWrap(), qPrintable(onde));
                QVERIFY2(r->y() >= fimAnterior, qPrintable(onde));
                QVERIFY2(r->geometry().right() < d.width(), qPrintable(onde));
                fimAnterior = r->y() + texto;
            }
            QVERIFY(d.OK->y() >= fimAnterior);
            QVERIFY(d.OK->geometry().bottom() < d.height());
            QVERIFY(d.height() >= 144);
            QCOMPARE(d.width(), 547);
        }
    }

    void noMatchLeavesTheLabelsAndEnterCloses() {
        TfrmFoAutor dialogo(nullptr);
        QVERIFY(dialogo.MostraCitacao(QString::fromUtf8(Citacoes[1].Chave)));
        QVERIFY(!dialogo.MostraCitacao("nenhuma"));
        QCOMPARE(dialogo.Livro->text(), QString::fromUtf8(Citacoes[1].Titulo));
        QTimer::singleShot(0, &dialogo, [&] { QTest::keyClick(&dialogo, Qt::Key_Return); });
        QCOMPARE(dialogo.exec(), int(QDialog::Accepted));
    }
};

TORMEL_TEST_MAIN(FoAutorTest, LocaleBrasil())
#include "FoAutorTest.moc"
