#pragma once
// Placement of the state abbreviations on a map picture.
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QString>
#include <vector>

class TRotulos {
public:
    // Writes the text where its box, with one pixel of margin, lies wholly
    // on pixels allowed by `permitido` (row-major, 1 = allowed) and does not
    // cover `evitar`, as near to `alvo` as possible (centre to point) and no
    // farther than distanciaMaxima. False when no place qualifies.
    static bool Escreve(QImage& img, const std::vector<char>& permitido, QPointF alvo, QPoint evitar,
                        const QString& texto, QRgb cor, double distanciaMaxima = 1e9);
    // The pixels of exactly one colour.
    static std::vector<char> PixelsDaCor(const QImage& img, QRgb cor);
};
