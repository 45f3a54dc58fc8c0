#pragma once
// The map of one state: 450 x 450, the state's own area pure blue
// (0, 0, 255) and placed so that its bounding box is the box of the
// geo-reference table; neighbouring states in sand with grey borders and
// grey abbreviations; no other pixel is blue. No antialiasing.
#include <QImage>
#include <QPointF>

#include "Contornos.h"
#include "database/GeoReferencia.h"

class TMapaEstado {
public:
    TMapaEstado(const TContornos& contornos, const TProjecao& projecao, const TEstadoComMapa& geo);
    QImage Desenha() const;
    // Pixel position (not rounded) of an SVG point under this map's mapping.
    QPointF Pixel(QPointF svg) const;

private:
    const TContornos& contornos_;
    const TProjecao& projecao_;
    const TEstadoComMapa& geo_;
    // The state's outline in degrees, stretched onto the table's bounds.
    double e_ = 0, w_ = 1, n_ = 0, s_ = 1;
};
