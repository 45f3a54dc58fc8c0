#pragma once
// Edit with the coordinate mask 99°99'99": six required digits, the three
// separators fixed, empty digits shown as "_" and held as blanks.
#include <QLineEdit>
#include <QString>

#include <functional>

#include "platform/AnsiString.h"

class TMascaraCoordenada : public QLineEdit {
public:
    explicit TMascaraCoordenada(QWidget* parent = nullptr);

    // The nine cp1252 characters, a blank at every empty digit.
    AnsiString Texto() const;
    void SetTexto(const AnsiString& texto);
    // Every digit position filled.
    bool Completo() const;

    // Runs at every key that produces a character, before the edit takes it.
    std::function<void()> AoPressionarTecla;
    // Runs at Enter; true when it took the key, false to let it go on to the
    // window's default button.
    std::function<bool()> AoEnter;
    // Runs for a paste (Ctrl+V, Shift+Insert, the context menu, the middle
    // button, a drop) of a text other than the mask's own digits, which the
    // edit takes as before.
    std::function<void(const QString&)> AoColar;

    static const char* MensagemIncompleto();   // the refusal message on leaving

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Hands a pasted text to AoColar; false when the edit should take it itself.
    bool Cola(const QString& texto);

    // The last text set from code or left complete: Esc gives it back.
    AnsiString textoAceito_;
    bool recusando_ = false;
};
