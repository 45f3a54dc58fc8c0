#pragma once
// The place whose design values a window shows: what the query window shows
// of it, with the parameters at all their digits.
#include <QString>

#include <optional>

#include "curvas/GradeDoLugar.h"
#include "model/TabelaIdf.h"

struct TLugarIdf {
    QString Nome;         // station or locality name, or "Não definida" for a point
    QString Estado;       // state name
    QString Latitude;     // coordinate texts DD°MM'SS"
    QString Longitude;
    TParametrosIdf Parametros;
    QString Fonte;        // short citation of the source, or "Interpolação"
    QString Aviso;        // warning sentence about the interpolation, or empty
    std::optional<TGradeDoLugar> Grade;   // the national grid at the place, when asked for
};
