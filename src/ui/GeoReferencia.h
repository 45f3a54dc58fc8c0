#pragma once
// Geo-reference of the state map shown in the query window: the state's
// bounds in degrees (south and west positive) and where they lie in the
// 450 x 450 picture, with the linear conversions between the two.
#include <optional>

#include "platform/AnsiString.h"

struct TGeoReferencia {
    double EastLongitude = 0, WestLongitude = 0;
    double NorthLatitude = 0, SouthLatitude = 0;
    double MapLeft = 0, MapTop = 0, MapWidth = 0, MapHeight = 0;

    double LatitudeFromY(double y) const;
    double LongitudeFromX(double x) const;
    double YOfLatitude(double lat) const;
    double XOfLongitude(double lon) const;
};

// A state with a map: its abbreviation (bitmap file name) and geo-reference.
struct TEstadoComMapa {
    int Indice;
    const char* Sigla;
    TGeoReferencia Geo;
};

// The geo-reference of a map state by combo index; nothing for other states.
std::optional<TEstadoComMapa> EstadoComMapa(int indice);

// Unit-level values of the query window: they live for the whole run and are
// shared by every window instance.
extern TGeoReferencia StateMapGeoRef;
extern double MarkerX;
extern double MarkerY;
