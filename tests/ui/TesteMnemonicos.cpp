// Alt letters: in every window, with whatever page is shown, each letter
// names one control; every tab and every item of a menu bar has one.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "Ambiente.h"
#include "ui/FoConsulta.h"

namespace {
// The letter after a single '&' (upper case), or a null character.
QChar Letra(const QString& texto) {
    for (qsizetype i = 0; i + 1 < texto.size(); ++i) {
        if (texto[i] != QLatin1Char('&')) continue;
        if (texto[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return texto[i + 1].toUpper();
    }
    return {};
}

// Collects letter -> controls and the controls that should have a letter
// and lack it.
struct TLetras {
    QMap<QChar, QStringList> Controles;
    QStringList SemLetra;
    void Anota(const QString& texto, bool exigida) {
        const QChar c = Letra(texto);
        if (!c.isNull()) Controles[c] << texto;
        else if (exigida) SemLetra << texto;
    }
    // "X: a, b" for each letter of more than one control, but those the
    // window dispatches itself.
    QStringList Repetidas(const QString& permitidas) const {
        QStringList r;
        for (auto i = Controles.begin(); i != Controles.end(); ++i)
            if (i.value().size() > 1 && !permitidas.contains(i.key()))
                r << QStringLiteral("%1: %2").arg(i.key()).arg(i.value().join(QStringLiteral(", ")));
        return r;
    }
};

// The letters of what the window shows now; each menu of its menu bar is
// a scope of its own.
QStringList Problemas(QWidget* janela, const QString& permitidas, const QString& pagina) {
    TLetras letras;
    QStringList problemas;
    for (QWidget* w : janela->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(janela)) continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) letras.Anota(b->text(), false);
        if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy()) letras.Anota(l->text(), false);
        if (auto* t = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i) letras.Anota(t->tabText(i), true);
        if (auto* m = qobject_cast<QMenuBar*>(w)) {
            for (QAction* a : m->actions()) {
                letras.Anota(a->text(), true);
                if (!a->menu()) continue;
                TLetras doMenu;
                for (QAction* item : a->menu()->actions()) doMenu.Anota(item->text(), false);
                for (const QString& r : doMenu.Repetidas({})) problemas << a->text() + QStringLiteral(" > ") + r;
            }
        }
    }
    for (const QString& r : letras.Repetidas(permitidas)) problemas << pagina + r;
    for (const QString& s : letras.SemLetra) problemas << pagina + QStringLiteral("no letter: ") + s;
    return problemas;
}

// Every page of the window's tab widget in turn, chosen with the pointer.
QStringList ProblemasEmCadaPagina(QWidget* janela, const QString& permitidas) {
    QTabWidget* abas = janela->findChild<QTabWidget*>();
    if (!abas) return Problemas(janela, permitidas, {});
    QStringList problemas;
    for (int i = 0; i < abas->count(); ++i) {
        QTest::mouseClick(abas->tabBar(), Qt::LeftButton, {}, abas->tabBar()->tabRect(i).center());
        problemas << Problemas(janela, permitidas, abas->tabText(i) + QStringLiteral(": "));
    }
    return problemas;
}
}  // namespace

class TesteMnemonicos : public QObject {
    Q_OBJECT
    TPastaTeste pasta;
    TAjudaGravada ajuda;

private slots:
    void init() { Caixas().Limpa(); }

    // "&Relatório" and "&Ajuda" (button and menu) and "&Calcular"/"&Cancelar"
    // share their letters by design: the query window dispatches them.
    void cadaLetraUmControle_data() {
        QTest::addColumn<QString>("janela");
        QTest::addColumn<QString>("permitidas");
        QTest::newRow("query window") << "" << "ACR";
        QTest::newRow("curves window") << "Ctrl+I" << "";
        QTest::newRow("contributing stations") << "Ctrl+E" << "";
        QTest::newRow("search") << "Ctrl+F" << "";
        QTest::newRow("report") << "Alt+R" << "";
        QTest::newRow("source") << "Autor" << "";
        QTest::newRow("about") << "Sobre" << "";
    }
    void cadaLetraUmControle() {
        QFETCH(QString, janela);
        QFETCH(QString, permitidas);
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QStringList problemas;
        if (janela.isEmpty()) {
            problemas = ProblemasEmCadaPagina(w.get(), permitidas);
        } else {
            bool aberta = false;
            AoAbrirModal<QDialog>(w.get(), [&](QDialog* d) {
                aberta = true;
                problemas = ProblemasEmCadaPagina(d, permitidas);
                d->reject();
            });
            QApplication::setActiveWindow(w.get());
            if (janela == "Autor") QTest::mouseClick(w->Autor, Qt::LeftButton);
            else if (janela == "Sobre") w->Sobre1->trigger();
            else {
                const QKeySequence tecla(janela);
                QTest::keyClick(w->LBEstacao, tecla[0].key(), tecla[0].keyboardModifiers());
            }
            Processa();
            QVERIFY(aberta);
        }
        QVERIFY2(problemas.isEmpty(), qPrintable(problemas.join(QStringLiteral("; "))));
    }
};

int ExecutaTesteMnemonicos(int argc, char** argv) {
    TesteMnemonicos t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteMnemonicos.moc"
