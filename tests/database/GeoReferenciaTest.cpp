#include "database/GeoReferencia.h"

#include <gtest/gtest.h>

#include "database/Estados.h"

TEST(GeoReferencia, BahiaCornersAndEdges) {
    const TEstadoComMapa* ba = EstadoComMapa(4);
    ASSERT_NE(ba, nullptr);
    EXPECT_STREQ(ba->Sigla, "BA");
    EXPECT_NEAR(ba->LatitudeFromY(5), 8.532272, 1e-12);
    EXPECT_NEAR(ba->LongitudeFromX(16), 46.629028, 1e-12);
    EXPECT_NEAR(ba->LongitudeFromX(430), 37.339722, 1e-12);
    EXPECT_NEAR(ba->XOfLongitude(ba->WestLongitude), 16, 1e-9);
    EXPECT_NEAR(ba->YOfLatitude(ba->NorthLatitude), 5, 1e-9);
    // The worked point of the Bahia map: pixel (223, 223).
    EXPECT_NEAR(ba->LatitudeFromY(223), 13.4406565, 1e-7);
    EXPECT_NEAR(ba->LongitudeFromX(223), 41.984375, 1e-7);
}

TEST(GeoReferencia, EveryMapStateMapsItsBoxBothWays) {
    for (const auto& e : EstadosComMapa) {
        SCOPED_TRACE(e.Sigla);
        EXPECT_EQ(SiglasEstados[static_cast<size_t>(e.Indice)], e.Sigla);
        EXPECT_EQ(EstadoComMapaDaSigla(e.Sigla), &e);
        EXPECT_LT(e.EastLongitude, e.WestLongitude);
        EXPECT_LT(e.NorthLatitude, e.SouthLatitude);
        EXPECT_LE(e.MapLeft + e.MapWidth, LadoMapaEstado);
        EXPECT_LE(e.MapTop + e.MapHeight, LadoMapaEstado);
        // West edge at MapLeft, east edge at MapLeft + MapWidth; north at MapTop, south below it.
        EXPECT_NEAR(e.XOfLongitude(e.EastLongitude), e.MapLeft + e.MapWidth, 1e-9);
        EXPECT_NEAR(e.YOfLatitude(e.SouthLatitude), e.MapTop + e.MapHeight, 1e-9);
        for (double p : {0.0, 100.5, 333.0}) {
            EXPECT_NEAR(e.XOfLongitude(e.LongitudeFromX(p)), p, 1e-9);
            EXPECT_NEAR(e.YOfLatitude(e.LatitudeFromY(p)), p, 1e-9);
        }
        EXPECT_TRUE(e.DentroDosLimites(e.NorthLatitude, e.WestLongitude));
        EXPECT_FALSE(e.DentroDosLimites(e.SouthLatitude + 1e-6, e.WestLongitude));
    }
}

TEST(GeoReferencia, OnlySevenStatesHaveMaps) {
    int comMapa = 0;
    for (int i = 0; i < NumEstados; ++i) comMapa += EstadoComMapa(i) != nullptr;
    EXPECT_EQ(comMapa, 7);
    EXPECT_EQ(EstadoComMapa(8), nullptr);   // Goiás: Brazil page
    EXPECT_EQ(EstadoComMapaDaSigla("GO"), nullptr);
}

TEST(GeoReferencia, PixelRoundsHalvesToEven) {
    EXPECT_EQ(PixelArredondado(222.5), 222);
    EXPECT_EQ(PixelArredondado(223.5), 224);
    EXPECT_EQ(PixelArredondado(223.009), 223);
    EXPECT_EQ(PixelArredondado(222.996), 223);
}

// The Brazil page's pixel back to degrees, north of the equator included
// (Boa Vista), as the grid's clicks and intensity layer read it.
TEST(GeoReferencia, BrazilPixelBackToDegrees) {
    const struct {
        double lat, lon;
    } casos[] = {{-2.82, 60.67}, {10.91, 37.07}, {15.78, 47.93}, {30.03, 51.23}, {0.0, 45.0}};
    for (const auto& c : casos) {
        const double x = GeoReferenciaBrasil.XOfLongitude(c.lon), y = GeoReferenciaBrasil.YOfLatitude(c.lat);
        EXPECT_NEAR(GeoReferenciaBrasil.LongitudeOfX(x), c.lon, 1e-9);
        EXPECT_NEAR(GeoReferenciaBrasil.LatitudeOfY(y), c.lat, 1e-9);
    }
}
