// Report, help, about and source commands; accelerators, F1, tab order.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <map>

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
    void init() { Caixas().Limpa(), ajuda = TAjudaGravada(); }

    // Alt+R and Alt+A name both a menu item and a button; the buttons win.
    void aceleradoresAmbiguos() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        w->LBEstacao->setFocus();
        QCOMPARE(FechaModalAo([&] { QTest::keyClick(w->LBEstacao, Qt::Key_R, Qt::AltModifier); }),
                 QStringLiteral("TfrmFoRelatTormel"));
        QCOMPARE(w->LBEstacao->currentRow(), 0);   // no type-ahead search in the list
        QVERIFY(ajuda.Topicos.empty());
        QCOMPARE(FechaModalAo([&] { QTest::keyClick(w->LBEstacao, Qt::Key_A, Qt::AltModifier); }), QString());
        QCOMPARE(ajuda.Topicos, std::vector<int>{7});
    }

    void f1_data() {
        QTest::addColumn<QString>("controle");
        QTest::addColumn<int>("contexto");
        QTest::newRow("state combo") << "Estados" << 7;
        QTest::newRow("station list") << "LBEstacao" << 6;
        QTest::newRow("latitude edit") << "PrecLaAux" << 4;
        QTest::newRow("Calcular: its group's") << "Calculalalo" << 2;
        QTest::newRow("report button") << "BtnRelat" << 9;
        QTest::newRow("source button: the window's") << "Autor" << 33;
    }
    void f1() {
        QFETCH(QString, controle);
        QFETCH(int, contexto);
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        w->HelpContext = 33;
        const std::map<QString, QWidget*> controles{{"Estados", w->Estados},   {"LBEstacao", w->LBEstacao},
                                                    {"PrecLaAux", w->PrecLaAux}, {"Calculalalo", w->Calculalalo},
                                                    {"BtnRelat", w->BtnRelat}, {"Autor", w->Autor}};
        QWidget* alvo = controles.at(controle);
        alvo->setFocus();
        QTRY_VERIFY(alvo->hasFocus());
        QTest::keyClick(alvo, Qt::Key_F1);
        QCOMPARE(ajuda.Topicos, std::vector<int>{contexto});
    }

    void menuDeAjuda() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        auto* menu = qobject_cast<QMenu*>(w->Contedo1->associatedObjects().value(0));
        QVERIFY(menu);
        const auto escolhe = [&](QAction* item) {
            QTest::mouseClick(w->MainMenu1, Qt::LeftButton, {}, w->MainMenu1->actionGeometry(menu->menuAction()).center());
            QTRY_VERIFY(menu->isVisible());
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        };
        escolhe(w->Contedo1);
        escolhe(w->ObterAjudaSobre1);
        QCOMPARE(ajuda.Conteudos, 1);
        QCOMPARE(ajuda.Procuras, 1);
        QCOMPARE(FechaModalAo([&] { escolhe(w->Sobre1); }), QStringLiteral("TfrmFoSobreTormel"));
    }

    // The about window comes once, at the first activation, after the restore.
    void sobreNaPrimeiraAtivacao() {
        std::unique_ptr<TfrmFoConsulta> w;
        QCOMPARE(FechaModalAo([&] {
                     w = std::make_unique<TfrmFoConsulta>(pasta.Programa(), &ajuda);
                     w->Estado->SetIndice(4);
                     w->IndEstacao = 0;
                     w->ShowAbout = true;
                     w->show();
                     Processa();
                 }),
                 QStringLiteral("TfrmFoSobreTormel"));
        QVERIFY(!w->FirstActivation);
        QCOMPARE(w->LBEstacao->currentRow(), 0);
        w->hide();
        QCOMPARE(FechaModalAo([&] { w->show(); }), QString());
    }

    void autor() {
        auto w = AbreJanela(pasta, &ajuda, 0);   // Acre: nothing shown, still "Autor"
        QCOMPARE(FechaModalAo([&] { QTest::mouseClick(w->Autor, Qt::LeftButton); }), QString());
        QCOMPARE(Caixas().Informacoes().size(), 1);
        w = AbreJanela(pasta, &ajuda, 4, 1);
        QCOMPARE(FechaModalAo([&] { QTest::mouseClick(w->Autor, Qt::LeftButton); }), QStringLiteral("TfrmFoAutor"));
        QCOMPARE(Caixas().Informacoes().size(), 1);
    }

    void ordemDeTabulacao() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        w->Estados->setFocus();
        QTRY_VERIFY(w->Estados->hasFocus());
        for (QWidget* proximo : {(QWidget*)w->LBEstacao, (QWidget*)w->LBLocalidade, (QWidget*)w->Autor,
                                 (QWidget*)w->PrecLaAux, (QWidget*)w->PrecLoAux, (QWidget*)w->Calculalalo,
                                 (QWidget*)w->BtnRelat, (QWidget*)w->BtnAjuda, (QWidget*)w->BtnCancel,
                                 (QWidget*)w->BtnOk, (QWidget*)w->Estados}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTRY_COMPARE(QApplication::focusWidget(), proximo);
        }
    }
};

int ExecutaTesteConsultaComandos(int argc, char** argv) {
    TesteConsultaComandos t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteConsultaComandos.moc"
