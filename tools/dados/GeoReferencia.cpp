#include "GeoReferencia.h"

#include <cmath>

const std::array<TGeoReferencia, 7> GeoReferencias = {{
    {"BA", 4, 37.339722, 46.629028, 8.532272, 18.349041, 16, 5, 414, 436},
    {"ES", 7, 39.664805, 41.879249, 17.891117, 21.301478, 86, 10, 278, 429},
    {"MG", 12, 39.856471, 51.04622, 14.232664, 22.922378, 16, 64, 420, 327},
    {"PR", 15, 48.023056, 54.618958, 22.516105, 26.715944, 27, 101, 420, 267},
    {"RJ", 18, 40.956445, 44.888529, 20.763474, 23.36849, 10, 82, 430, 284},
    {"SP", 24, 44.160556, 53.109609, 19.779323, 25.311931, 10, 92, 430, 265},
    {"TO", 26, 45.695667, 50.741611, 5.168047, 13.467389, 93, 7, 266, 437},
}};

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

const TGeoReferencia* GeoReferenciaDaSigla(std::string_view sigla) {
    for (const auto& g : GeoReferencias)
        if (sigla == g.Sigla) return &g;
    return nullptr;
}

int PixelArredondado(double v) { return static_cast<int>(std::nearbyint(v)); }
