// The application's error box and the coordinate edit on its own.
#include <QPushButton>
#include <QTest>

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
        QTest::newRow("accented") << QString::fromUtf8("não definida") << QString::fromUtf8("não definida.");
        QTest::newRow("parenthesis") << "(Acre)" << "(Acre)";
        QTest::newRow("period") << "fim." << "fim.";
        QTest::newRow("blank") << "a " << "a ";
        QTest::newRow("empty") << "" << "";
    }
    void pontoFinal() {
        QFETCH(QString, mensagem);
        QFETCH(QString, mostrada);
        QCOMPARE(ComPontoFinal(mensagem), mostrada);
    }

    // An exception leaving a click handler becomes one box; the next click works.
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
        QTest::mouseClick(&botao, Qt::LeftButton);
        QTest::mouseClick(&botao, Qt::LeftButton);
        QCOMPARE(cliques, 2);
        const QString esperada = doSistema ? QString::fromUtf8(" Não existe estado com índice igual a 27.")
                                           : QStringLiteral("falha (interna)");
        QCOMPARE(Caixas().Erros(), (QStringList{esperada, esperada}));
        QCOMPARE(Caixas().Titulos().value(0), QStringLiteral("Tormel 2.1"));
    }

    void mascaraGuardaCadaPosicao_data() {
        QTest::addColumn<QString>("texto");
        QTest::newRow("empty mask text") << QString::fromUtf8("  °  '  \"");
        QTest::newRow("full") << QString::fromUtf8("13°26'26\"");
        QTest::newRow("blanks between digits") << QString::fromUtf8(" 5°  '3 \"");
    }
    void mascaraGuardaCadaPosicao() {
        QFETCH(QString, texto);
        TMascaraCoordenada edit;
        QCOMPARE(edit.Texto(), TextoCoordenadaVazio);
        edit.SetTexto(A(texto.toUtf8().constData()));
        QCOMPARE(U(edit.Texto()), texto);
        QCOMPARE(edit.displayText(), QString(texto).replace(QLatin1Char(' '), QLatin1Char('_')));
    }

    // Letters are refused; the key callback runs before the edit takes the key.
    void mascaraDigitada() {
        TMascaraCoordenada edit;
        edit.show();
        QStringList antes;
        edit.AoPressionarTecla = [&] { antes << edit.displayText(); };
        QTest::keyClick(&edit, Qt::Key_Home);
        QTest::keyClicks(&edit, QStringLiteral("13a2626"));
        QCOMPARE(U(edit.Texto()), QString::fromUtf8("13°26'26\""));
        QCOMPARE(antes.value(1), QString::fromUtf8("1_°__'__\""));
    }
};

int ExecutaTesteAplicacao(int argc, char** argv) {
    TesteAplicacao t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteAplicacao.moc"
