#pragma once
// Geo-reference of the state maps: a state's bounds in degrees (latitude
// south, longitude west, both positive) and where they lie in its 450 x 450
// bitmap, with the linear conversions between the two. Shared by the query
// window and the data tools, so both place a coordinate on the same pixel.
#include <array>
#include <string_view>

struct TGeoReferencia {
    double EastLongitude = 0, WestLongitude = 0;
    double NorthLatitude = 0, SouthLatitude = 0;
    double MapLeft = 0, MapTop = 0, MapWidth = 0, MapHeight = 0;

    double LatitudeFromY(double y) const;
    double LongitudeFromX(double x) const;
    double YOfLatitude(double lat) const;
    double XOfLongitude(double lon) const;
    // Within the bounds, edges included.
    bool DentroDosLimites(double lat, double lon) const;
};

// A state with a map: its index, its abbreviation (bitmap file name without
// ".bmp") and its geo-reference.
struct TEstadoComMapa : TGeoReferencia {
    int Indice = 0;
    const char* Sigla = "";
};

constexpr int LadoMapaEstado = 450;
// The seven map states, in state-index order.
extern const std::array<TEstadoComMapa, 7> EstadosComMapa;
// nullptr for a state without a map.
const TEstadoComMapa* EstadoComMapa(int indice);
const TEstadoComMapa* EstadoComMapaDaSigla(std::string_view sigla);
// Pixel of a map coordinate: nearest whole number, halves to even.
int PixelArredondado(double v);

// Geo-reference of the Brazil map picture (450 x 450): the outlines were
// drawn in a Mercator projection scaled into the picture, so a pixel's x is
// linear in the longitude and its y in the Mercator ordinate of the latitude.
// The constants are those the map generator's fit and scale give (a test of
// the generator recomputes them). Degrees south and west, both positive.
struct TGeoReferenciaBrasil {
    double X0, PixelsPorGrauX;   // x = X0 + PixelsPorGrauX * longitude
    double Y0, PixelsPorGrauY;   // y = Y0 + PixelsPorGrauY * Mercator(-latitude)
    double XOfLongitude(double lon) const;
    double YOfLatitude(double lat) const;
    // The inverse: degrees south and west of a pixel position (north of the
    // equator, a negative latitude).
    double LongitudeOfX(double x) const;
    double LatitudeOfY(double y) const;
};
extern const TGeoReferenciaBrasil GeoReferenciaBrasil;
// Mercator ordinate of a latitude (degrees north positive), in degrees.
double OrdenadaMercator(double latitude);
