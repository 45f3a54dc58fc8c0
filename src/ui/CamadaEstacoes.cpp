#include "ui/CamadaEstacoes.h"

#include <QPainter>

TCamadaEstacoes::TCamadaEstacoes(QWidget* parent, double raio) : QWidget(parent), raio_(raio) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
}

void TCamadaEstacoes::DefinePontos(std::vector<QPointF> pontos, int destaque) {
    if (pontos == pontos_ && destaque == destaque_) return;
    pontos_ = std::move(pontos);
    destaque_ = destaque;
    update();
}

void TCamadaEstacoes::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Dark red with a white rim reads on the blue state, on the light ground
    // and on every colour of the Brazil page.
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(QColor(150, 0, 0));
    for (std::size_t i = 0; i < pontos_.size(); ++i)
        if (static_cast<int>(i) != destaque_) p.drawEllipse(pontos_[i], raio_, raio_);
    if (destaque_ >= 0 && destaque_ < static_cast<int>(pontos_.size())) {
        p.setPen(QPen(Qt::black, 1.5));
        p.setBrush(QColor(255, 220, 0));
        p.drawEllipse(pontos_[static_cast<std::size_t>(destaque_)], 5, 5);
    }
}
