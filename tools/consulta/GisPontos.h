#pragma once
// Batch output to a GeoPackage (.gpkg) or GeoJSON (.geojson) file: one
// feature per input row, in input order, with the columns of the CSV output
// (numbers as reals, texts as strings) and a point in EPSG:4674 at the
// coordinate texts used (no geometry for a row that could not be read).
#include <cstddef>
#include <istream>
#include <ostream>

#include "OpcoesConsulta.h"
#include "database/PoolInterpolacao.h"

// Returns the number of rows that failed; their messages go to `erros` as
// for the CSV output.
std::size_t GravaPontosGis(const TPoolInterpolacao& pool, const TOpcoesConsulta& opcoes, std::istream& entrada,
                           std::ostream& erros);
