#include "GanchoDeTeste.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "platform/Cp1252.h"
#include "ui/FoConsulta.h"
#include "ui/ProcuraLocal.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>

namespace {
void Imprime(const QString& linha) {
    std::printf("%s\n", linha.toUtf8().constData());
    std::fflush(stdout);
}
QString Q(const AnsiString& s) { return QString::fromStdString(Cp1252ToUtf8(s)); }
}  // namespace

TGanchoDeTeste::TGanchoDeTeste(TAplicacao& app, QString acao) : acao_(std::move(acao)) {
    app.SetCaixas(this);
    relogio_.setInterval(50);
    connect(&relogio_, &QTimer::timeout, this, [this] { Verifica(); });
    relogio_.start();
}

void TGanchoDeTeste::Erro(const QString& titulo, const QString& texto) { Imprime("CAIXA " + titulo + "|" + texto); }

void TGanchoDeTeste::Informacao(const QString& titulo, const QString& texto) {
    Imprime("CAIXA " + titulo + "|" + texto);
}

void TGanchoDeTeste::Verifica() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    TfrmFoConsulta* janela = frmFoConsulta;
    if (modal != janela) {
        if (auto* dialogo = qobject_cast<QDialog*>(modal)) {
            Imprime(QStringLiteral("MODAL ") + QString::fromLatin1(dialogo->metaObject()->className()));
            dialogo->reject();
        }
        vistas_ = 0;
        return;
    }
    // The activation runs just after the window appears: act at the next tick.
    if (++vistas_ < 2) return;
    relogio_.stop();
    Imprime(QStringLiteral("JANELA estado=%1 estacao=%2 localidade=%3 latitude=%4 longitude=%5")
                .arg(janela->Estado->Indice)
                .arg(janela->IndEstacao)
                .arg(janela->IndLocalidade)
                .arg(Q(janela->LatitudeText), Q(janela->LongitudeText)));
    for (const QString& parte : acao_.split(QLatin1Char('+')).mid(1))
        if (parte.startsWith(QLatin1String("procura="))) Procura(janela, parte.mid(8));
    if (acao_.endsWith(QLatin1String("+ajuda"))) {
        QTest::mouseClick(janela->BtnAjuda, Qt::LeftButton);
        for (QWidget* w : QApplication::allWidgets())
            if (w->objectName() == QLatin1String("TelaAjuda") && w->isVisible()) Imprime("AJUDA " + w->windowTitle());
    }
    const QString acao = acao_.section(QLatin1Char('+'), 0, 0);
    if (acao == QLatin1String("ok")) QTest::mouseClick(janela->BtnOk, Qt::LeftButton);
    else if (acao == QLatin1String("cancel")) QTest::mouseClick(janela->BtnCancel, Qt::LeftButton);
    else janela->close();
}

void TGanchoDeTeste::Procura(QWidget* janela, const QString& texto) {
    // The about window has just closed: the query window is the active one
    // again before the key, as for the user.
    janela->activateWindow();
    (void)QTest::qWaitForWindowActive(janela);
    QTimer::singleShot(0, this, [texto] {
        auto* dialogo = qobject_cast<TProcuraLocal*>(QApplication::activeModalWidget());
        if (!dialogo) return;
        QTest::keyClicks(dialogo->Campo, texto);
        Imprime(QStringLiteral("PROCURA ") + dialogo->Completador->completionModel()->index(0, 0).data().toString());
        QAbstractItemView* popup = dialogo->Completador->popup();
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        if (dialogo->isVisible()) dialogo->reject();
    });
    QTest::keyClick(janela, Qt::Key_F, Qt::ControlModifier);
}
