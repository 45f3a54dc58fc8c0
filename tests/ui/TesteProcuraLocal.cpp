// "Procurar local...": Ctrl+F, typing without accents, and the choice of a
// station or a locality of another state, which must leave the window as the
// user's own choice of the state and click on the list line does.
#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Ambiente.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"
#include "ui/MascaraCoordenada.h"
#include "ui/ProcuraLocal.h"

namespace {
QStringList SugestoesMostradas(const TProcuraLocal* d) {
    QStringList r;
    const QAbstractItemModel* m = d->Completador->completionModel();
    for (int i = 0; i < m->rowCount(); ++i) r << m->index(i, 0).data().toString();
    return r;
}

// What the window shows and keeps of its current place.
QStringList Estado(const TfrmFoConsulta* w) {
    auto linha = [](const QListWidget* l) { return l->currentItem() ? l->currentItem()->text() : QString(); };
    return {w->Estados->currentText(), QString::number(w->Estado->Indice), linha(w->LBEstacao),
            linha(w->LBLocalidade), QString::number(w->IndEstacao), QString::number(w->IndLocalidade),
            U(w->PlaceName), U(w->LatitudeText), U(w->LongitudeText), U(w->PrecLaAux->Texto()),
            U(w->PrecLoAux->Texto()), w->PrecK->text(), w->PrecA->text(), w->PrecB->text(), w->PrecC->text(),
            w->LegendaAutor(), QString::number(w->EstadoBMP->isVisible()), QString::number(w->EixoY->x()),
            QString::number(w->EixoX->y())};
}

// Ctrl+F on the window; `acao` gets the search dialog once it is shown.
void Procura(TfrmFoConsulta* w, const std::function<void(TProcuraLocal*)>& acao) {
    bool aberta = false;
    AoAbrirModal<TProcuraLocal>(w, [&](TProcuraLocal* d) {
        aberta = true;
        acao(d);
        if (d->isVisible()) d->reject();
    });
    QTest::keyClick(w, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(aberta);
}

// Types `texto` and chooses the suggestion `linha` in the popup with the
// arrow keys and Enter; with `linha` -1, Enter without moving (the first).
void EscolheComTeclas(TProcuraLocal* d, const QString& texto, int linha) {
    QTest::keyClicks(d->Campo, texto);
    QAbstractItemView* popup = d->Completador->popup();
    QVERIFY(popup->isVisible());
    for (int i = 0; i <= linha; ++i) QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
}
}  // namespace

class TesteProcuraLocal : public QObject {
    Q_OBJECT
    TPastaTeste pasta;
    TAjudaGravada ajuda;

private slots:
    void init() { Caixas().Limpa(); }
    void cleanup() { QVERIFY2(Caixas().Erros().isEmpty(), qPrintable(Caixas().Erros().join('\n'))); }

    void digitacaoSemAcentos_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QStringList>("sugestoes");
        QTest::newRow("accent-free") << "agua fr" << QStringList{QString::fromUtf8("Água Fria (BA, estação)")};
        QTest::newRow("upper case") << "GOIANIA" << QStringList{QString::fromUtf8("Goiânia (GO, estação)")};
        // Names that begin with the text, in the lists' order, before names
        // with a later word that does; every state, both kinds.
        QTest::newRow("first letter")
            << "a" << QStringList{QString::fromUtf8("Abaíra (BA, localidade)"), QString::fromUtf8("Água Fria (BA, estação)"),
                                  QString::fromUtf8("Anápolis (GO, estação)")};
        QTest::newRow("later word") << "gros" << QStringList{QStringLiteral("Ponta Grossa (PR, localidade)")};
        QTest::newRow("inside a word") << "rossa" << QStringList{};
        QTest::newRow("trailing blanks of the name") << "salvador " << QStringList{QStringLiteral("Salvador (BA, estação)")};
    }
    void digitacaoSemAcentos() {
        QFETCH(QString, texto);
        QFETCH(QStringList, sugestoes);
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QStringList vistas;
        bool popupVisivel = false, semResultado = false;
        Procura(w.get(), [&](TProcuraLocal* d) {
            QTRY_VERIFY(d->Campo->hasFocus());
            QTest::keyClicks(d->Campo, texto);
            vistas = SugestoesMostradas(d);
            popupVisivel = d->Completador->popup()->isVisible();
            semResultado = d->SemResultado->isVisible();
        });
        QCOMPARE(vistas, sugestoes);
        QCOMPARE(popupVisivel, !sugestoes.isEmpty());
        QCOMPARE(semResultado, sugestoes.isEmpty());   // it says that nothing matches
        QCOMPARE(w->Estado->Indice, 4);   // cancelled: nothing chosen
        QCOMPARE(U(w->PlaceName), QString::fromUtf8("Água Fria"));
    }

    // F1 in the field opens the dialog's own topic and chooses nothing.
    void f1() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        ajuda = TAjudaGravada();
        bool aberta = false;
        Procura(w.get(), [&](TProcuraLocal* d) {
            QTRY_VERIFY(d->Campo->hasFocus());
            QTest::keyClick(d->Campo, Qt::Key_F1);
            aberta = d->isVisible();
        });
        QVERIFY(aberta);
        QCOMPARE(ajuda.Topicos, std::vector<int>{13});
        QCOMPARE(U(w->PlaceName), QString::fromUtf8("Água Fria"));
    }

    // A station and a locality of Paraná chosen from Bahia and from Goiás
    // (no map): the window ends as when the user picks Paraná in the combo
    // box and clicks the line.
    void escolhaIgualAoCliqueDoUsuario_data() {
        QTest::addColumn<int>("inicio");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("linha");
        QTest::addColumn<bool>("estacao");
        QTest::addColumn<QString>("nome");
        QTest::newRow("station, from Bahia") << 4 << "londrina" << 0 << true << "Londrina";
        QTest::newRow("locality, from Goias") << 8 << "ponta gr" << 0 << false << "Ponta Grossa";
        QTest::newRow("Enter in the field, first suggestion") << 4 << "ponta" << -1 << false << "Ponta Grossa";
        QTest::newRow("station of the first state, second suggestion") << 15 << "a" << 1 << true
                                                                        << QString::fromUtf8("Água Fria");
    }
    void escolhaIgualAoCliqueDoUsuario() {
        QFETCH(int, inicio);
        QFETCH(QString, texto);
        QFETCH(int, linha);
        QFETCH(bool, estacao);
        QFETCH(QString, nome);
        auto w = AbreJanela(pasta, &ajuda, inicio, 0);
        Procura(w.get(), [&](TProcuraLocal* d) { EscolheComTeclas(d, texto, linha); });
        const QStringList procurado = Estado(w.get());

        const int estado = nome == QString::fromUtf8("Água Fria") ? 4 : 15;
        auto clicado = AbreJanela(pasta, &ajuda, inicio, 0);
        EscolheEstado(clicado->Estados, estado);
        ClicaItem(estacao ? clicado->LBEstacao : clicado->LBLocalidade, nome);
        QCOMPARE(procurado, Estado(clicado.get()));
        QCOMPARE(procurado.at(estacao ? 2 : 3), nome);
        QCOMPARE(procurado.at(estacao ? 3 : 2), QString());
    }
};

int ExecutaTesteProcuraLocal(int argc, char** argv) {
    TesteProcuraLocal t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteProcuraLocal.moc"
