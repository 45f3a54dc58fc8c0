#include "ui/Imagem.h"

#include <QMouseEvent>
#include <QPixmap>
#include <QtMath>

TImagem::TImagem(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMouseTracking(true);
}

void TImagem::SetImagem(const QImage& imagem) {
    imagem_ = imagem;
    setPixmap(QPixmap::fromImage(imagem_));
}

QColor TImagem::CorDoPixel(int x, int y) const {
    if (!imagem_.valid(x, y)) return QColor();
    return imagem_.pixelColor(x, y);
}

void TImagem::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    if (AoMover) AoMover(qFloor(p.x()), qFloor(p.y()));
    QLabel::mouseMoveEvent(event);
}

void TImagem::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    if (AoSoltar) AoSoltar(event->button(), qFloor(p.x()), qFloor(p.y()));
    QLabel::mouseReleaseEvent(event);
}
