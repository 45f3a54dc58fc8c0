#pragma once
// Geo-reference of the seven state maps: the box of the state's bounds in
// its 450 x 450 bitmap. Latitudes are degrees south and longitudes degrees
// west, both positive. The same values and formulas as the query window's.
#include <array>
#include <string_view>

struct TGeoReferencia {
    const char* Sigla;   // bitmap name without ".bmp"
    int Indice;          // state index
    double EastLongitude, WestLongitude, NorthLatitude, SouthLatitude;
    double MapLeft, MapTop, MapWidth, MapHeight;

    double LatitudeFromY(double y) const;
    double LongitudeFromX(double x) const;
    double YOfLatitude(double lat) const;
    double XOfLongitude(double lon) const;
    bool DentroDosLimites(double lat, double lon) const;
};

constexpr int LadoMapaEstado = 450;
extern const std::array<TGeoReferencia, 7> GeoReferencias;
// nullptr for a state without a map.
const TGeoReferencia* GeoReferenciaDaSigla(std::string_view sigla);
// Pixel of a coordinate: nearest whole number, halves to even.
int PixelArredondado(double v);
