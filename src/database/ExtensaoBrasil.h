#pragma once
// Brazil's extent in the stations' convention (degrees south and west,
// positive): from the Arroio Chuí (33°45'03" S) up to the equator, which a
// coordinate text without sign cannot pass, and from the islands of Martim
// Vaz (28°50' W) to the Serra da Contamana (73°59'32" W). A point outside
// it is outside the country; one inside may still be in a neighbour. A
// station north of the equator (a latitude negative here) reaches up to
// Mount Caburaí (5°16'19" N).
inline constexpr double LatitudeSulBrasil = 33.0 + 45.0 / 60 + 3.0 / 3600;
inline constexpr double LatitudeNorteBrasil = 5.0 + 16.0 / 60 + 19.0 / 3600;
inline constexpr double LongitudeLesteBrasil = 28.0 + 50.0 / 60;
inline constexpr double LongitudeOesteBrasil = 73.0 + 59.0 / 60 + 32.0 / 3600;

inline bool ForaDaExtensaoDoBrasil(double latitudeSul, double longitudeOeste) {
    return !(latitudeSul >= -LatitudeNorteBrasil && latitudeSul <= LatitudeSulBrasil && longitudeOeste >= LongitudeLesteBrasil &&
             longitudeOeste <= LongitudeOesteBrasil);
}
