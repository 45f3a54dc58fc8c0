#pragma once
// Brazil's extent in the stations' convention (degrees south and west,
// positive): from the Arroio Chuí (33°45'03" S) up to the equator, which a
// coordinate text without sign cannot pass, and from the islands of Martim
// Vaz (28°50' W) to the Serra da Contamana (73°59'32" W). A point outside
// it is outside the country; one inside may still be in a neighbour.
inline constexpr double LatitudeSulBrasil = 33.0 + 45.0 / 60 + 3.0 / 3600;
inline constexpr double LongitudeLesteBrasil = 28.0 + 50.0 / 60;
inline constexpr double LongitudeOesteBrasil = 73.0 + 59.0 / 60 + 32.0 / 3600;

inline bool ForaDaExtensaoDoBrasil(double latitudeSul, double longitudeOeste) {
    return !(latitudeSul >= 0 && latitudeSul <= LatitudeSulBrasil && longitudeOeste >= LongitudeLesteBrasil &&
             longitudeOeste <= LongitudeOesteBrasil);
}
