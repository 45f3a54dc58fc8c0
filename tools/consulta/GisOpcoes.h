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

// A format GDAL writes, chosen by the file's extension.
struct TFormatoGis {
    const char* Extensao;   // lower case, with its dot
    const char* Driver;     // GDAL's name
    const char* Nome;       // for people
    bool UmaBanda = false;  // a grid format that holds one band only
};

// The points of a batch (-o): GeoPackage, GeoJSON (.geojson, .json),
// GeoJSON sequence, Shapefile, FlatGeobuf, KML, GML, SpatiaLite, MapInfo,
// spreadsheets; nullptr for any other extension.
const TFormatoGis* FormatoDePontos(const std::string& caminho);
// The grid (--grade): Cloud-Optimised GeoTIFF (.tif, .tiff), NetCDF, ASCII
// grid, Erdas Imagine, XYZ; nullptr for any other extension.
const TFormatoGis* FormatoDeGrade(const std::string& caminho);
// A plain text output (the CSV or the one-point answer): no extension,
// .csv, .txt or .tsv.
bool SaidaDeTexto(const std::string& caminho);
// "ext (name), ..." of the formats accepted, for messages.
std::string FormatosAceitos(bool grade);

// A batch output written through GDAL (FormatoDePontos is not null).
bool SaidaGis(const std::string& caminho);
