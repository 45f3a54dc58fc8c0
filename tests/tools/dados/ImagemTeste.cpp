#include "ImagemTeste.h"

#include <cstdint>
#include <fstream>
#include <vector>

namespace {
uint32_t U32(const std::vector<unsigned char>& b, size_t o) {
    return b[o] | (b[o + 1] << 8) | (b[o + 2] << 16) | (static_cast<uint32_t>(b[o + 3]) << 24);
}
}  // namespace

TBmpInfo LeCabecalhoBmp(const std::string& caminho) {
    std::ifstream f(caminho, std::ios::binary);
    std::vector<unsigned char> b(54);
    TBmpInfo r;
    if (!f.read(reinterpret_cast<char*>(b.data()), 54) || b[0] != 'B' || b[1] != 'M') return r;
    r.Largura = static_cast<int>(U32(b, 18));
    r.Altura = static_cast<int>(U32(b, 22));
    r.BitsPorPixel = b[28] | (b[29] << 8);
    r.Compactado = U32(b, 30) != 0;
    r.CoresNaPaleta = static_cast<int>(U32(b, 46));
    if (r.CoresNaPaleta == 0 && r.BitsPorPixel <= 8) r.CoresNaPaleta = 1 << r.BitsPorPixel;
    return r;
}

QImage LeImagem(const std::string& caminho) {
    QImage img(QString::fromStdString(caminho));
    return img.isNull() ? img : img.convertToFormat(QImage::Format_RGB32);
}

bool PixelAzul(const QImage& img, int x, int y) {
    return img.valid(x, y) && (img.pixel(x, y) & 0xffffffu) == 0x0000ffu;
}
