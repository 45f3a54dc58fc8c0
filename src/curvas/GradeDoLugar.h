#pragma once
// The national grid's cell at a place, as the curves window shows it beside
// (or, where no station source exists, instead of) the place's own values.
#include <QString>

#include "model/TabelaIdf.h"

struct TGradeDoLugar {
    TParametrosIdf Parametros;
    double R2 = 0, KsP = 0;      // NaN when the cell has none
    QString Desagregacao;        // "RASTER", "STATION", "CETESB"
    QString Celula;              // the cell's centre, in words
    bool DaVizinha = false;      // the place's cell has no value: a neighbour's
    bool Comparar = true;        // false: the place itself is answered by the grid
};

inline constexpr const char* FonteDaGradeNacional = "GRIDF-BR (grade nacional)";
