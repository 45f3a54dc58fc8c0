#pragma once
// The map of Brazil of the query window: 450 x 450, each state flat in its
// own colour with a one-pixel black border, Distrito Federal as a small
// square, abbreviations lettered in white or black, white background.
#include <QImage>
#include <QRectF>
#include <vector>

#include "Contornos.h"

class TMapaBrasil {
public:
    static constexpr int Lado = 450;
    static QImage Desenha(const TContornos& contornos);
    // State index per pixel of a w x h picture with the whole country fitted
    // into `destino` (aspect kept, centred), or -1.
    static std::vector<int> Regioes(const TContornos& contornos, int w, int h, QRectF destino);
    // Each state's largest area has its centroid on the state's own colour
    // (the lettering must leave it free); lists the states that fail.
    static std::vector<int> CentrosForaDaCor(const QImage& mapa);
};
