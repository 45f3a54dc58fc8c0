#pragma once
// The raster grid: K, a, b and c (or the intensity of each Tr and duration)
// at the centre of every cell of a regular grid in geographic coordinates,
// written as a GeoTIFF (Float64 bands, DEFLATE, tiled, EPSG:4674).
//
// The grid starts at the north-west corner of the box; cells are `passo`
// seconds of arc square, and the last row and column reach past the south and
// east edges when the box is not a whole number of cells. Each cell holds the
// engine's answer for the coordinate text of its centre, whole seconds
// truncated as for any decimal coordinate, so that a query of that text gives
// the cell's value exactly.
#include <ostream>
#include <string>
#include <vector>

#include "OpcoesConsulta.h"
#include "database/PoolInterpolacao.h"
#include "platform/AnsiString.h"

class TGradeGis {
public:
    TGradeGis(double latMin, double latMax, double lonMin, double lonMax, double passo);

    long Colunas() const { return colunas_; }
    long Linhas() const { return linhas_; }
    // Texts of the centre of row `linha` (from the north) and column `coluna`
    // (from the west).
    AnsiString LatitudeDaLinha(long linha) const;
    AnsiString LongitudeDaColuna(long coluna) const;
    // GDAL's geotransform: west edge, cell width, 0, north edge, 0, -cell height.
    std::vector<double> Geotransformacao() const;

private:
    double norte_, oeste_;   // signed degrees
    double passo_;           // seconds
    long colunas_, linhas_;
};

// Band names: K, a, b, c; with Tr and durations, i_Tr<Tr>_t<t> for each pair.
std::vector<std::string> BandasDaGrade(const TOpcoesConsulta& opcoes);

// Computes and writes the grid of the options; a bar on `progresso` once the
// work has taken more than a second. Returns the number of cells left
// without a value (NaN, the bands' no-data value) because the engine refused
// them.
std::size_t GravaGrade(const TPoolInterpolacao& pool, const TOpcoesConsulta& opcoes, std::ostream& progresso);
