#pragma once
// State outlines extracted from the source SVG map (data/contornos.csv), in
// the SVG's own units, with the projection of those units to degrees.
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "database/ContornosEstados.h"

struct TContorno {
    QString Sigla;
    std::vector<QPolygonF> Aneis;
    QRectF Caixa;   // bounding box of all rings
};

// Degrees west (x) and south (y) from SVG units. The source map is a
// Mercator projection; its scale and offset are fitted by least squares to
// the bounds of the seven states of the geo-reference table.
// The fit is the core's (database/ContornosEstados), which the data
// builder's outline check shares.
class TProjecao {
public:
    explicit TProjecao(const std::vector<TContorno>& estados);
    QPointF Graus(QPointF svg) const;   // (longitude west, latitude south)
    double ResiduoMaximo() const { return projecao_.ResiduoMaximo(); }   // degrees

private:
    static std::array<TCaixaSvg, NumEstados> Caixas(const std::vector<TContorno>& estados);
    TProjecaoContornos projecao_;
};

class TContornos {
public:
    // Raises EDadosInvalidos on a malformed file or a missing state.
    explicit TContornos(const QString& arquivoCsv);
    const std::vector<TContorno>& Estados() const { return estados_; }   // state index order
    const TContorno& DaSigla(const QString& sigla) const;
    QRectF CaixaTotal() const;
    // Each state's rings mapped by f.
    std::vector<std::vector<QPolygonF>> Transformados(const std::function<QPointF(QPointF)>& f) const;

private:
    std::vector<TContorno> estados_;
};
