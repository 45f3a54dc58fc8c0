#pragma once
// --grade FILE.tif --fonte grade: the national grid's own cells that touch
// the area asked for, written as they are (no resampling): the product's
// geotransform cut to those cells, WGS 84 (EPSG:4326), Float32 bands K, a, b,
// c, R2, KS_p, or with --tr and --duracoes one intensity band (mm/h) per
// pair; NaN where the cell has no value.
#include <ostream>

#include "OpcoesConsulta.h"
#include "database/GradeNacional.h"

struct TRecorteGrade {
    int Coluna0 = 0, Linha0 = 0, Colunas = 0, Linhas = 0;
};
// The cells of the grid that the box touches; EConvertError when none.
TRecorteGrade RecorteDaArea(const TGradeNacional& grade, double latMin, double latMax, double lonMin, double lonMax);

void GravaGradeNacional(const TGradeNacional& grade, const TOpcoesConsulta& opcoes);
