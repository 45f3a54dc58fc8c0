#pragma once
// A 5 x 7 pixel font for the state abbreviations on the maps: letters are
// set pixel by pixel, so no colour other than the chosen one appears.
#include <QImage>
#include <QRect>
#include <QString>

class TFontePixel {
public:
    static constexpr int LarguraLetra = 5, AlturaLetra = 7, Espaco = 1;
    // Box of a text written at (x, y), its top-left corner.
    static QRect Caixa(const QString& texto, int x, int y);
    // Writes upper-case letters; raises EDadosInvalidos for a letter it lacks.
    static void Escreve(QImage& img, const QString& texto, int x, int y, QRgb cor);
};
