#pragma once
// Turns regions (sets of closed rings, in pixel coordinates) into a label
// image without antialiasing: Qt's SVG renderer draws each region's coverage
// and every pixel goes to the region that covers the larger part of it, when
// that part is at least a half. Neighbouring regions thus share their border
// pixels without gaps or overlaps.
#include <QPolygonF>
#include <vector>

class TRasterizador {
public:
    TRasterizador(int largura, int altura) : largura_(largura), altura_(altura) {}
    // Per pixel (row-major) the index of its region, or -1.
    std::vector<int> Rotula(const std::vector<std::vector<QPolygonF>>& regioes) const;
    // Coverage 0..255 of one region.
    std::vector<unsigned char> Cobertura(const std::vector<QPolygonF>& aneis) const;

private:
    int largura_, altura_;
};
