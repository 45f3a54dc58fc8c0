#pragma once
// The place whose design values a window shows: what the query window shows
// of it, with the parameters at all their digits.
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "database/DadosDoUsuario.h"
#include "curvas/GradeDoLugar.h"
#include "model/TabelaIdf.h"

struct TConfianca;

// A station near the place, as the outputs list it.
struct TVizinhaIdf {
    QString Nome;   // "Name (UF)"
    double Km = 0;  // geodesic distance
};

struct TLugarIdf {
    QString Nome;         // station or locality name, or "Ponto 12°55'22\" S, 41°52'19\" W"
    QString Estado;       // the state the place was taken in (empty: none)
    QString Latitude;     // coordinate texts DD°MM'SS"
    QString Longitude;
    TParametrosIdf Parametros;
    QString Fonte;        // short citation of the source, or "Interpolação"
    QString Aviso;        // warning sentence about the interpolation, or empty
    std::optional<TGradeDoLugar> Grade;   // the national grid at the place, when asked for
    std::vector<TVizinhaIdf> Vizinhas;   // the nearest stations of an interpolated place, nearest first
    // A station the user fitted: the 90% interval of its equation's i(Tr, t)
    // kept beside the data set (empty for every other place).
    std::vector<TIntervaloIdf> Intervalos;
};

// The five nearest stations of the evaluation, with their km.
std::vector<TVizinhaIdf> VizinhasDoLugar(const TConfianca& confianca);
// The latitude with its hemisphere: the text as given when it already names
// it (a point north of the equator, "DD°MM'SS\" N"), else followed by " S".
QString LatitudeComHemisferio(const TLugarIdf& lugar);
