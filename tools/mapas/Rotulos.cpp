#include "Rotulos.h"

#include <cmath>

#include "FontePixel.h"

std::vector<char> TRotulos::PixelsDaCor(const QImage& img, QRgb cor) {
    std::vector<char> m(static_cast<size_t>(img.width()) * img.height());
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            m[static_cast<size_t>(y) * img.width() + x] = (img.pixel(x, y) | 0xff000000u) == (cor | 0xff000000u);
    return m;
}

bool TRotulos::Escreve(QImage& img, const std::vector<char>& permitido, QPointF alvo, QPoint evitar,
                       const QString& texto, QRgb cor, double distanciaMaxima) {
    const int w = img.width(), h = img.height();
    // Summed-area table of the allowed pixels.
    std::vector<int> s(static_cast<size_t>(w + 1) * (h + 1), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s[static_cast<size_t>(y + 1) * (w + 1) + x + 1] = permitido[static_cast<size_t>(y) * w + x] +
                                                               s[static_cast<size_t>(y) * (w + 1) + x + 1] +
                                                               s[static_cast<size_t>(y + 1) * (w + 1) + x] -
                                                               s[static_cast<size_t>(y) * (w + 1) + x];
    auto soma = [&](int x0, int y0, int x1, int y1) {   // [x0, x1) x [y0, y1)
        return s[static_cast<size_t>(y1) * (w + 1) + x1] - s[static_cast<size_t>(y0) * (w + 1) + x1] -
               s[static_cast<size_t>(y1) * (w + 1) + x0] + s[static_cast<size_t>(y0) * (w + 1) + x0];
    };
    QRect rotulo = TFontePixel::Caixa(texto, 0, 0);
    const int bw = rotulo.width() + 2, bh = rotulo.height() + 2;
    double melhor = distanciaMaxima;
    QPoint escolha(-1, -1);
    for (int y = 0; y + bh <= h; ++y)
        for (int x = 0; x + bw <= w; ++x) {
            if (soma(x, y, x + bw, y + bh) != bw * bh) continue;
            if (QRect(x, y, bw, bh).contains(evitar)) continue;
            double d = std::hypot(x + bw / 2.0 - alvo.x(), y + bh / 2.0 - alvo.y());
            if (d < melhor) {
                melhor = d;
                escolha = QPoint(x + 1, y + 1);
            }
        }
    if (escolha.x() < 0) return false;
    TFontePixel::Escreve(img, texto, escolha.x(), escolha.y(), cor);
    return true;
}
