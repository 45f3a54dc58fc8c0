#include "ui/MascaraCoordenada.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>

#include "database/Coordenadas.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "ui/Aplicacao.h"

namespace {
const QChar Vazio = QLatin1Char('_');
constexpr int PosicoesDigitos[6] = {0, 1, 3, 4, 6, 7};
}  // namespace

TMascaraCoordenada::TMascaraCoordenada(QWidget* parent) : QLineEdit(parent) {
    setInputMask(QString::fromUtf8("99°99'99\";_"));
    SetTexto(TextoCoordenadaVazio);
}

const char* TMascaraCoordenada::MensagemIncompleto() {
    return "Invalid input value.  Use escape key to abandon changes";
}

AnsiString TMascaraCoordenada::Texto() const {
    QString s = displayText();
    s.replace(Vazio, QLatin1Char(' '));
    return Utf8ToCp1252(s.toStdString());
}

void TMascaraCoordenada::SetTexto(const AnsiString& texto) {
    // setText would shift the digits over blank positions; write each digit
    // into its own position instead.
    setText(QString());
    for (int pos : PosicoesDigitos) {
        if (pos < static_cast<int>(texto.size())) {
            const char c = texto[static_cast<std::size_t>(pos)];
            if (c >= '0' && c <= '9') {
                setSelection(pos, 1);
                insert(QString(QLatin1Char(c)));
            }
        }
    }
    setCursorPosition(0);
    setModified(false);
    textoAceito_ = Texto();
}

bool TMascaraCoordenada::Completo() const {
    const QString s = displayText();
    for (int pos : PosicoesDigitos)
        if (pos >= s.size() || !s.at(pos).isDigit()) return false;
    return true;
}

void TMascaraCoordenada::focusInEvent(QFocusEvent* event) {
    recusando_ = false;
    QLineEdit::focusInEvent(event);
}

void TMascaraCoordenada::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    const bool dentroDaJanela =
        event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
    if (!dentroDaJanela || recusando_) return;
    if (!isModified() || Completo()) {
        textoAceito_ = Texto();
        return;
    }
    // An incomplete edit keeps the focus: take it back once the focus change
    // is over and report the refusal as an error of the event.
    recusando_ = true;
    QApplication::beep();
    QMetaObject::invokeMethod(
        this,
        [this] {
            setFocus(Qt::OtherFocusReason);
            ExecutaProtegido([] { throw Exception(MensagemIncompleto()); });
        },
        Qt::QueuedConnection);
}

bool TMascaraCoordenada::Cola(const QString& texto) {
    if (!AoColar) return false;
    // The mask's own form (up to six digits with its signs) stays the edit's.
    QString digitos = texto;
    digitos.remove(QRegularExpression(QStringLiteral("[\\s°º'\"_]")));
    if (!digitos.isEmpty() && digitos.size() <= 6 &&
        QRegularExpression(QStringLiteral("^[0-9]+$")).match(digitos).hasMatch())
        return false;
    AoColar(texto);
    return true;
}

void TMascaraCoordenada::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    for (QAction* acao : menu->actions())
        if (acao->objectName() == QLatin1String("edit-paste")) {
            disconnect(acao, &QAction::triggered, nullptr, nullptr);
            connect(acao, &QAction::triggered, this, [this] {
                const QString texto = QApplication::clipboard()->text();
                if (!Cola(texto)) paste();
            });
        }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TMascaraCoordenada::mouseReleaseEvent(QMouseEvent* event) {
    QClipboard* area = QApplication::clipboard();
    if (event->button() == Qt::MiddleButton && area->supportsSelection() &&
        Cola(area->text(QClipboard::Selection))) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TMascaraCoordenada::dropEvent(QDropEvent* event) {
    if (event->mimeData()->hasText() && Cola(event->mimeData()->text())) {
        event->acceptProposedAction();
        return;
    }
    QLineEdit::dropEvent(event);
}

void TMascaraCoordenada::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) && Cola(QApplication::clipboard()->text())) {
        event->accept();
        return;
    }
    if (!event->text().isEmpty() && AoPressionarTecla) AoPressionarTecla();
    // Esc gives back the last accepted text and goes no further while the
    // edit differs from it; otherwise it reaches the window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && Texto() != textoAceito_) {
        SetTexto(textoAceito_);
        event->accept();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && AoEnter && AoEnter()) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
