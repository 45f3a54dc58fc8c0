#pragma once
// Options of the GIS outputs: the raster grid (--grade, --area, --passo) and
// whether a batch output file is a GIS one (.gpkg, .geojson).
#include <string>

struct TOpcoesGis {
    std::string Grade;   // GeoTIFF to write; empty: no grid
    // Signed decimal degrees (south and west negative). Unset: the box of the
    // maps of the pool states, rounded out to whole degrees.
    bool AreaDada = false;
    double LatMin = 0, LatMax = 0, LonMin = 0, LonMax = 0;
    double Passo = 60;   // seconds of arc

    // --area LATMIN,LATMAX,LONMIN,LONMAX; EUso when it cannot be taken.
    void LeArea(const std::string& texto);
    void LePasso(const std::string& texto);
    void PoeAreaPadrao();
};

// A batch output written through GDAL: .gpkg (GeoPackage) or .geojson.
bool SaidaGis(const std::string& caminho);
