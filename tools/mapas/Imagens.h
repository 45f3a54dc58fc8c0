#pragma once
// Pixel-level helpers of the map pictures.
#include <QImage>
#include <QPoint>
#include <QString>
#include <vector>

struct TComponente {
    int Area = 0;
    double Cx = 0, Cy = 0;          // centroid
    std::vector<char> Mascara;      // row-major, 1 on the component
    QPoint Centro() const;          // centroid rounded, halves to even
};

class TImagens {
public:
    // Largest 4-connected area of exactly that colour (Area 0 if none).
    static TComponente MaiorComponente(const QImage& img, QRgb cor);
    // Distinct colours of the picture.
    static std::vector<QRgb> Cores(const QImage& img);
    // Writes an 8-bit palette BMP with a 256-entry palette; every colour of
    // img keeps its exact value. Raises EDadosInvalidos when there are more
    // than 256 colours or the file cannot be written.
    static void SalvaBmpIndexado(const QImage& img, const QString& arquivo);
};
