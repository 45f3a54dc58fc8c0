// Commands of the query window: report, help, about, source; accelerators,
// F1 and the tab order.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "Ambiente.h"
#include "ui/FoConsulta.h"
#include "ui/MascaraCoordenada.h"

class TesteConsultaComandos : public QObject {
    Q_OBJECT
    TPastaTeste pasta;
    TAjudaGravada ajuda;
    QTemporaryDir atual;   // the report writes its picture into the current folder

private slots:
    void initTestCase() { QDir::setCurrent(atual.path()); }
    void init() {
        Caixas().Limpa();
        ajuda = TAjudaGravada();
    }

    // Alt+R and Alt+A are both a menu item's and a button's; the buttons win.
    void altROAbreRelatorio() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        w->LBEstacao->setFocus();
        const QString modal = FechaModalAo([&] { QTest::keyClick(w->LBEstacao, Qt::Key_R, Qt::AltModifier); });
        QCOMPARE(modal, QStringLiteral("TfrmFoRelatTormel"));
        QCOMPARE(w->LBEstacao->currentRow(), 0);   // no keyboard search happened
        QVERIFY(ajuda.Topicos.empty());
    }

    void altAPedeOTopico7() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        w->PrecLaAux->setFocus();
        const QString modal = FechaModalAo([&] { QTest::keyClick(w->PrecLaAux, Qt::Key_A, Qt::AltModifier); });
        QCOMPARE(modal, QString());
        QCOMPARE(ajuda.Topicos, std::vector<int>{7});
        QCOMPARE(w->MainMenu1->activeAction(), nullptr);
    }

    void f1DaOContextoDoControle_data() {
        QTest::addColumn<QString>("controle");
        QTest::addColumn<int>("contexto");
        QTest::newRow("state combo") << "Estados" << 7;
        QTest::newRow("station list") << "LBEstacao" << 6;
        QTest::newRow("locality list") << "LBLocalidade" << 4;
        QTest::newRow("latitude edit") << "PrecLaAux" << 4;
        QTest::newRow("Calcular: its group's") << "Calculalalo" << 2;
        QTest::newRow("report button") << "BtnRelat" << 9;
        QTest::newRow("help button") << "BtnAjuda" << 7;
        QTest::newRow("source button: the window's") << "Autor" << 33;
        QTest::newRow("close button: the window's") << "BtnOk" << 33;
    }
    void f1DaOContextoDoControle() {
        QFETCH(QString, controle);
        QFETCH(int, contexto);
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        w->HelpContext = 33;
        const std::map<QString, QWidget*> controles{
            {"Estados", w->Estados},     {"LBEstacao", w->LBEstacao}, {"LBLocalidade", w->LBLocalidade},
            {"PrecLaAux", w->PrecLaAux}, {"Calculalalo", w->Calculalalo}, {"BtnRelat", w->BtnRelat},
            {"BtnAjuda", w->BtnAjuda},   {"Autor", w->Autor},         {"BtnOk", w->BtnOk}};
        QWidget* alvo = controles.at(controle);
        alvo->setFocus();
        QTRY_VERIFY(alvo->hasFocus());
        QTest::keyClick(alvo, Qt::Key_F1);
        QCOMPARE(ajuda.Topicos, std::vector<int>{contexto});
    }

    void menuDeAjuda() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QMenu* menu = nullptr;
        for (QAction* a : w->MainMenu1->actions())
            if (a->menu()) menu = a->menu();
        QVERIFY(menu);
        const auto escolhe = [&](QAction* item) {
            QTest::mouseClick(w->MainMenu1, Qt::LeftButton, {}, w->MainMenu1->actionGeometry(menu->menuAction()).center());
            QTRY_VERIFY(menu->isVisible());
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
            QTRY_VERIFY(!menu->isVisible());
        };
        escolhe(w->Contedo1);
        escolhe(w->ObterAjudaSobre1);
        QCOMPARE(ajuda.Conteudos, 1);
        QCOMPARE(ajuda.Procuras, 1);
        QVERIFY(ajuda.Topicos.empty());
        QCOMPARE(FechaModalAo([&] { escolhe(w->Sobre1); }), QStringLiteral("TfrmFoSobreTormel"));
    }

    // The about window comes once at the first activation when asked for.
    void sobreNaPrimeiraAtivacao() {
        std::unique_ptr<TfrmFoConsulta> w;
        const QString modal = FechaModalAo([&] {
            w = std::make_unique<TfrmFoConsulta>(pasta.Programa(), &ajuda);
            w->Estado->SetIndice(4);
            w->IndEstacao = 0;
            w->IndLocalidade = -1;
            w->ShowAbout = true;
            w->show();
            (void)QTest::qWaitForWindowExposed(w.get());
            Processa();
        });
        QCOMPARE(modal, QStringLiteral("TfrmFoSobreTormel"));
        QVERIFY(!w->FirstActivation);
        QCOMPARE(w->LBEstacao->currentRow(), 0);   // the place was restored before
        w->hide();
        w->show();
        Processa();
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void autorSemCitacaoDaAMensagem() {
        auto w = AbreJanela(pasta, &ajuda, 0);
        QCOMPARE(w->LegendaAutor(), QStringLiteral("Autor"));
        QCOMPARE(FechaModalAo([&] { QTest::mouseClick(w->Autor, Qt::LeftButton); }), QString());
        QCOMPARE(Caixas().Informacoes.size(), 1);
    }

    void autorComCitacaoAbreODialogo() {
        auto w = AbreJanela(pasta, &ajuda, 4, 1);
        QCOMPARE(w->LegendaAutor(), QStringLiteral("MENGANO (1998)"));
        QCOMPARE(FechaModalAo([&] { QTest::mouseClick(w->Autor, Qt::LeftButton); }), QStringLiteral("TfrmFoAutor"));
        QVERIFY(Caixas().Informacoes.isEmpty());
    }

    void ordemDeTabulacao() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        w->Estados->setFocus();
        QTRY_VERIFY(w->Estados->hasFocus());
        const QList<QWidget*> esperada{w->LBEstacao, w->LBLocalidade, w->Autor,    w->PrecLaAux,
                                       w->PrecLoAux, w->Calculalalo,  w->BtnRelat, w->BtnAjuda,
                                       w->BtnCancel, w->BtnOk,        w->Estados};
        for (QWidget* proximo : esperada) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTRY_COMPARE(QApplication::focusWidget(), proximo);
        }
    }

    void janelaDeTamanhoFixo() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QWidget* cliente = w->findChild<QWidget*>(QStringLiteral("cliente"));
        QVERIFY(cliente);
        QCOMPARE(cliente->size(), QSize(742, 524));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QVERIFY(w->BtnOk->isDefault());
        QCOMPARE(cliente->geometry().bottom() + 1, w->height());
    }
};

int ExecutaTesteConsultaComandos(int argc, char** argv) {
    TesteConsultaComandos t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteConsultaComandos.moc"
