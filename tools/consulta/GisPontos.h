#pragma once
// Batch output to a GIS file in the format of its extension (FormatoDePontos:
// GeoPackage, GeoJSON, Shapefile, FlatGeobuf, KML...): one feature per input
// row, in input order, with the columns of the CSV output (numbers as reals,
// texts as strings) and a point in EPSG:4674 at the input's position (no
// geometry for a row that could not be read).
#include <string>
#include <vector>
#include <cstddef>
#include <istream>
#include <ostream>

#include "OpcoesConsulta.h"
#include "database/PoolInterpolacao.h"

// Returns the number of rows that failed; their messages go to `erros` as
// for the CSV output.
std::size_t GravaPontosGis(const TPoolInterpolacao& pool, const TOpcoesConsulta& opcoes, std::istream& entrada,
                           std::ostream& erros);

// Field names a Shapefile keeps whole: at most 10 characters, letters,
// digits and '_', no two alike but for case (the long names of the output
// abbreviated, others cut and numbered).
std::vector<std::string> NomesCurtos(const std::vector<std::string>& nomes);
