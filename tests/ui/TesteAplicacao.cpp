// The error box of the application object and the coordinate edit.
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <stdexcept>

#include "Ambiente.h"
#include "database/Coordenadas.h"
#include "platform/Erros.h"
#include "ui/MascaraCoordenada.h"

class TesteAplicacao : public QObject {
    Q_OBJECT
private slots:
    void init() { Caixas().Limpa(); }

    void pontoFinal_data() {
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<QString>("mostrada");
        QTest::newRow("letter") << "Falhou" << "Falhou.";
        QTest::newRow("digit") << "valor 27" << "valor 27.";
        QTest::newRow("accented letter") << QString::fromUtf8("não definida") << QString::fromUtf8("não definida.");
        QTest::newRow("closing parenthesis") << "(São Paulo)" << "(São Paulo)";
        QTest::newRow("period") << "fim." << "fim.";
        QTest::newRow("blank") << "a " << "a ";
        QTest::newRow("empty") << "" << "";
    }
    void pontoFinal() {
        QFETCH(QString, mensagem);
        QFETCH(QString, mostrada);
        QCOMPARE(ComPontoFinal(mensagem), mostrada);
    }

    // An exception leaving a click handler becomes one error box; the widget
    // lives on and the next click works again.
    void erroDeHandlerViraCaixa_data() {
        QTest::addColumn<bool>("doSistema");
        QTest::newRow("system error class") << true;
        QTest::newRow("standard exception") << false;
    }
    void erroDeHandlerViraCaixa() {
        QFETCH(bool, doSistema);
        QPushButton botao(QStringLiteral("x"));
        int cliques = 0;
        QObject::connect(&botao, &QPushButton::clicked, [&] {
            ++cliques;
            if (doSistema) throw ENumeroEstado(A(" Não existe estado com índice igual a 27"));
            throw std::runtime_error("falha (interna)");
        });
        botao.show();
        QVERIFY(QTest::qWaitForWindowExposed(&botao));
        QTest::mouseClick(&botao, Qt::LeftButton);
        QCOMPARE(Caixas().Erros.size(), 1);
        QCOMPARE(Caixas().Titulos.value(0), QStringLiteral("Tormel 2.1"));
        QCOMPARE(Caixas().Erros.value(0), doSistema ? QString::fromUtf8(" Não existe estado com índice igual a 27.")
                                                    : QStringLiteral("falha (interna)"));
        QTest::mouseClick(&botao, Qt::LeftButton);
        QCOMPARE(cliques, 2);
        QCOMPARE(Caixas().Erros.size(), 2);
    }

    void mascaraTextoEmPosicoes_data() {
        QTest::addColumn<QString>("texto");
        QTest::newRow("empty mask text") << QString::fromUtf8("  °  '  \"");
        QTest::newRow("zero") << QString::fromUtf8("00°00'00\"");
        QTest::newRow("full") << QString::fromUtf8("13°26'26\"");
        QTest::newRow("blanks between digits") << QString::fromUtf8(" 5°  '3 \"");
    }
    void mascaraTextoEmPosicoes() {
        QFETCH(QString, texto);
        TMascaraCoordenada edit;
        edit.SetTexto(A(texto.toUtf8().constData()));
        QCOMPARE(U(edit.Texto()), texto);
        QCOMPARE(edit.displayText(), QString(texto).replace(QLatin1Char(' '), QLatin1Char('_')));
        QVERIFY(!edit.isModified());
    }

    void mascaraComecaVaziaEAceitaDigitos() {
        TMascaraCoordenada edit;
        QCOMPARE(edit.Texto(), TextoCoordenadaVazio);
        edit.show();
        edit.setFocus();
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, QStringLiteral("13a2626"));
        QCOMPARE(U(edit.Texto()), QString::fromUtf8("13°26'26\""));
        QVERIFY(edit.Completo());
    }

    void mascaraAvisaAntesDeCadaTecla() {
        TMascaraCoordenada edit;
        edit.show();
        edit.setFocus();
        edit.setCursorPosition(0);
        QStringList vistos;
        edit.AoPressionarTecla = [&] { vistos << edit.displayText(); };
        QTest::keyClicks(&edit, QStringLiteral("12"));
        QCOMPARE(vistos, (QStringList{QString::fromUtf8("__°__'__\""), QString::fromUtf8("1_°__'__\"")}));
    }

    // Leaving an incomplete, changed edit is refused with the masked-edit
    // message; Esc restores the text it had on entry and lets it go.
    void mascaraIncompletaRecusaSaida() {
        QDialog dialogo;
        auto* edit = new TMascaraCoordenada(&dialogo);
        auto* outro = new QLineEdit(&dialogo);
        auto* layout = new QVBoxLayout(&dialogo);
        layout->addWidget(edit);
        layout->addWidget(outro);
        edit->SetTexto(A("10°20'30\""));
        dialogo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialogo));
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        edit->setCursorPosition(3);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClick(edit, Qt::Key_Tab);
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(Caixas().Erros, QStringList{QStringLiteral("Invalid input value.  Use escape key to abandon changes.")});
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(U(edit->Texto()), QString::fromUtf8("10°20'30\""));
        QVERIFY(dialogo.isVisible());   // Esc went to the edit, not to the dialog
        QTest::keyClick(edit, Qt::Key_Tab);
        QTRY_VERIFY(outro->hasFocus());
        QCOMPARE(Caixas().Erros.size(), 1);
    }

    void mascaraVaziaNaoTocadaPodeSair() {
        QDialog dialogo;
        auto* edit = new TMascaraCoordenada(&dialogo);
        auto* outro = new QLineEdit(&dialogo);
        auto* layout = new QVBoxLayout(&dialogo);
        layout->addWidget(edit);
        layout->addWidget(outro);
        dialogo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialogo));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Tab);
        QTRY_VERIFY(outro->hasFocus());
        QTest::qWait(20);
        QVERIFY(outro->hasFocus());
        QVERIFY(Caixas().Erros.isEmpty());
    }
};

int ExecutaTesteAplicacao(int argc, char** argv) {
    TesteAplicacao t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteAplicacao.moc"
