#include "database/GeoReferencia.h"

#include <cmath>
#include <numbers>

// Each formula is evaluated in the order written, in double precision.
double TGeoReferencia::LatitudeFromY(double y) const {
    return NorthLatitude + (SouthLatitude - NorthLatitude) * (y - MapTop) / MapHeight;
}

double TGeoReferencia::LongitudeFromX(double x) const {
    return EastLongitude - (EastLongitude - WestLongitude) * (MapWidth - (x - MapLeft)) / MapWidth;
}

double TGeoReferencia::YOfLatitude(double lat) const {
    return (lat - NorthLatitude) * MapHeight / (SouthLatitude - NorthLatitude) + MapTop;
}

double TGeoReferencia::XOfLongitude(double lon) const {
    return MapWidth - MapWidth * (EastLongitude - lon) / (EastLongitude - WestLongitude) + MapLeft;
}

bool TGeoReferencia::DentroDosLimites(double lat, double lon) const {
    return lat >= NorthLatitude && lat <= SouthLatitude && lon >= EastLongitude && lon <= WestLongitude;
}

// East, west, north, south in degrees; left, top, width, height in pixels.
const std::array<TEstadoComMapa, 7> EstadosComMapa{{
    {{37.339722, 46.629028, 8.532272, 18.349041, 16, 5, 414, 436}, 4, "BA"},
    {{39.664805, 41.879249, 17.891117, 21.301478, 86, 10, 278, 429}, 7, "ES"},
    {{39.856471, 51.04622, 14.232664, 22.922378, 16, 64, 420, 327}, 12, "MG"},
    {{48.023056, 54.618958, 22.516105, 26.715944, 27, 101, 420, 267}, 15, "PR"},
    {{40.956445, 44.888529, 20.763474, 23.36849, 10, 82, 430, 284}, 18, "RJ"},
    {{44.160556, 53.109609, 19.779323, 25.311931, 10, 92, 430, 265}, 24, "SP"},
    {{45.695667, 50.741611, 5.168047, 13.467389, 93, 7, 266, 437}, 26, "TO"},
}};

const TEstadoComMapa* EstadoComMapa(int indice) {
    for (const auto& e : EstadosComMapa)
        if (e.Indice == indice) return &e;
    return nullptr;
}

const TEstadoComMapa* EstadoComMapaDaSigla(std::string_view sigla) {
    for (const auto& e : EstadosComMapa)
        if (sigla == e.Sigla) return &e;
    return nullptr;
}

int PixelArredondado(double v) { return static_cast<int>(std::nearbyint(v)); }

double OrdenadaMercator(double latitude) {
    const double r = latitude * std::numbers::pi / 180.0;
    return std::log(std::tan(std::numbers::pi / 4 + r / 2)) * 180.0 / std::numbers::pi;
}

double TGeoReferenciaBrasil::XOfLongitude(double lon) const { return X0 + PixelsPorGrauX * lon; }

double TGeoReferenciaBrasil::YOfLatitude(double lat) const { return Y0 + PixelsPorGrauY * OrdenadaMercator(-lat); }

double TGeoReferenciaBrasil::LongitudeOfX(double x) const { return (x - X0) / PixelsPorGrauX; }

double TGeoReferenciaBrasil::LatitudeOfY(double y) const {
    const double m = (y - Y0) / PixelsPorGrauY * std::numbers::pi / 180.0;
    return -std::atan(std::sinh(m)) * 180.0 / std::numbers::pi;
}

const TGeoReferenciaBrasil GeoReferenciaBrasil{801.3156605, -10.59430888, 63.2308798, -10.55357143};
