#include "Figuras.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "MapaBrasil.h"

namespace {

// Country drawn flat into img: each state in `fill`, borders in `borda`.
void DesenhaBrasil(QImage& img, const TContornos& contornos, QRectF destino, QRgb fill, QRgb borda) {
    std::vector<int> rot = TMapaBrasil::Regioes(contornos, img.width(), img.height(), destino);
    const int w = img.width(), h = img.height();
    auto at = [&](int x, int y) { return (x < 0 || y < 0 || x >= w || y >= h) ? -1 : rot[static_cast<size_t>(y) * w + x]; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int r = at(x, y);
            if (r < 0) continue;
            bool b = at(x + 1, y) != r || at(x, y + 1) != r || at(x - 1, y) < 0 || at(x, y - 1) < 0;
            img.setPixel(x, y, b ? borda : fill);
        }
}

QFont Fonte(const char* familia, int pixels, bool negrito, bool italico) {
    QFont f(familia);
    f.setPixelSize(pixels);
    f.setBold(negrito);
    f.setItalic(italico);
    return f;
}

// A raindrop over three bars of an intensity chart.
void Logo(QPainter& p, QRectF r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 60, 140));
    p.drawRoundedRect(r, 6, 6);
    QPainterPath gota;
    double cx = r.center().x(), top = r.top() + 6, base = r.bottom() - 10, raio = r.width() * 0.26;
    gota.moveTo(cx, top);
    gota.cubicTo(cx + raio * 0.4, top + raio, cx + raio, base - raio * 1.4, cx + raio, base - raio);
    gota.arcTo(QRectF(cx - raio, base - 2 * raio, 2 * raio, 2 * raio), 0, -180);
    gota.cubicTo(cx - raio, base - raio * 1.4, cx - raio * 0.4, top + raio, cx, top);
    p.setBrush(QColor(120, 190, 255));
    p.drawPath(gota);
    p.setBrush(QColor(255, 255, 255));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(r.left() + 6 + i * 5, r.bottom() - 6 - (3 - i) * 2.5, 3, (3 - i) * 2.5));
    p.restore();
}

}  // namespace

QImage TFiguras::Cabecalho(const TContornos& contornos) {
    QImage img(550, 73, QImage::Format_RGB32);
    {
        QPainter p(&img);
        QLinearGradient g(0, 0, 550, 0);
        g.setColorAt(0, QColor(10, 50, 130));
        g.setColorAt(1, QColor(150, 195, 240));
        p.fillRect(img.rect(), g);
    }
    DesenhaBrasil(img, contornos, QRectF(8, 4, 66, 65), qRgb(235, 242, 250), qRgb(10, 40, 100));
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::white);
    p.setFont(Fonte("DejaVu Sans", 30, true, false));
    p.drawText(QPointF(88, 36), "Tormel 2.1");
    p.setFont(Fonte("DejaVu Sans", 14, false, true));
    p.drawText(QPointF(90, 58), QString::fromUtf8("Parâmetros da equação de chuvas intensas no Brasil"));
    Logo(p, QRectF(505, 14, 36, 44));
    return img;
}

QImage TFiguras::Sobre(const TContornos& contornos) {
    QImage img(559, 340, QImage::Format_RGB32);
    img.fill(qRgb(214, 232, 250));
    {
        QPainter p(&img);
        QLinearGradient g(0, 0, 0, 340);
        g.setColorAt(0, QColor(25, 80, 170));
        g.setColorAt(1, QColor(10, 40, 110));
        p.fillRect(QRect(0, 0, 290, 340), g);
    }
    DesenhaBrasil(img, contornos, QRectF(10, 14, 270, 312), qRgb(190, 225, 160), qRgb(30, 60, 30));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QColor(10, 40, 110));
    p.setFont(Fonte("DejaVu Sans", 40, true, false));
    p.drawText(QPointF(306, 74), "Tormel 2.1");
    p.setPen(QColor(25, 60, 130));
    p.setFont(Fonte("DejaVu Serif", 22, false, true));
    p.drawText(QPointF(306, 126), QString::fromUtf8("Chuvas intensas"));
    p.drawText(QPointF(306, 156), QString::fromUtf8("no Brasil"));
    p.setPen(QPen(QColor(10, 40, 110), 1));
    p.drawLine(QPointF(306, 232), QPointF(545, 232));
    Logo(p, QRectF(306, 250, 44, 54));
    p.setPen(QColor(20, 40, 80));
    p.setFont(Fonte("DejaVu Sans", 12, false, false));
    p.drawText(QPointF(362, 264), QString::fromUtf8("Versão 2.1"));
    p.drawText(QPointF(362, 282), QString::fromUtf8("Parâmetros K, a, b e c no Brasil"));
    p.drawText(QPointF(362, 300), QString::fromUtf8("Estações da rede da ANA"));
    return img;
}
