#include "ui/ListaLugares.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

TListaLugares::TListaLugares(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void TListaLugares::Escolhe() {
    if (currentRow() >= 0 && AoEscolher) AoEscolher();
}

// Qt makes the first row current when a list without one gets the focus
// (Tab, or the focus coming back after a dialog); that is no choice, so the
// list goes back to having none.
void TListaLugares::focusInEvent(QFocusEvent* event) {
    const bool semLinha = currentRow() < 0;
    QListWidget::focusInEvent(event);
    if (semLinha && currentRow() >= 0) {
        const QSignalBlocker bloqueio(this);
        setCurrentRow(-1);
    }
}

void TListaLugares::keyPressEvent(QKeyEvent* event) {
    const int antes = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != antes) Escolhe();
}

void TListaLugares::mousePressEvent(QMouseEvent* event) {
    pressionadoNumItem_ = event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid();
    QListWidget::mousePressEvent(event);
}

// The row highlighted when the button comes up is the one chosen, also after
// a drag from one item to another.
void TListaLugares::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    const bool clique = pressionadoNumItem_ && event->button() == Qt::LeftButton;
    if (event->button() == Qt::LeftButton) pressionadoNumItem_ = false;
    if (clique) Escolhe();
}
