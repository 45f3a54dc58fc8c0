#pragma once
// Pictures as the tests look at them, read with QImage, plus the facts of
// the BMP header that QImage does not tell.
#include <QImage>
#include <string>

struct TBmpInfo {
    int Largura = 0, Altura = 0, BitsPorPixel = 0, CoresNaPaleta = 0;
    bool Compactado = true;
};

// Header of a Windows BMP file; EXPECT-friendly: zeros when unreadable.
TBmpInfo LeCabecalhoBmp(const std::string& caminho);
QImage LeImagem(const std::string& caminho);   // RGB32, null when unreadable
bool PixelAzul(const QImage& img, int x, int y);
