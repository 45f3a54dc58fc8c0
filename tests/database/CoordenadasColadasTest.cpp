// Coordinates pasted from GPS, web maps and spreadsheets, read into the
// program's coordinate texts, and the reasons given for what is not read.
#include <gtest/gtest.h>

#include <string>

#include "database/CoordenadasColadas.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {
std::string Dms(const char* ddmmss) {   // "233302" -> 23°33'02" (cp1252)
    const std::string s(ddmmss);
    return s.substr(0, 2) + "\xB0" + s.substr(2, 2) + "'" + s.substr(4, 2) + "\"";
}
}  // namespace

TEST(CoordenadasColadas, ReadsTheCommonForms) {
    // -23.5505 is 84781.8" (23°33'01" truncated); -46.6333 is 167879.88" (46°37'59").
    const struct {
        const char* texto;
        const char *lat, *lon;
    } casos[] = {
        {"-23.5505, -46.6333", "233301", "463759"},
        {"-23,5505 -46,6333", "233301", "463759"},
        {"-23.5505,-46.6333", "233301", "463759"},
        {"-23.5505;-46.6333", "233301", "463759"},
        {"23\xC2\xB0" "33'02\"S 46\xC2\xB0" "38'00\"W", "233302", "463800"},
        {"23 33 02 S, 46 38 00 W", "233302", "463800"},
        {"S 23 33 02 W 46 38 00", "233302", "463800"},
        {"46\xC2\xB0" "38'00\"O 23\xC2\xB0" "33'02\"S", "233302", "463800"},   // longitude first, by its letter
        {"23\xC2\xBA" "33\xE2\x80\xB2" "02\xE2\x80\xB3 S 46\xC2\xBA" "38\xE2\x80\xB2" "00\xE2\x80\xB3 W", "233302", "463800"},
        {"23.5505\xC2\xB0 S, 46.6333\xC2\xB0 W", "233301", "463759"},
        {"23\xC2\xB0" "33.5' S 46\xC2\xB0" "38.25' W", "233330", "463815"},       // decimal minutes
        {"23\xC2\xB0" "33'02\" 46\xC2\xB0" "38'00\"", "233302", "463800"},        // the program's own texts
        {"23 33 02 46 38 00", "233302", "463800"},
        {"\xE2\x88\x92" "22.9 \xE2\x88\x92" "43.2", "225400", "431200"},          // minus sign U+2212
        {"-0.0, -60", "000000", "600000"},
    };
    for (const auto& c : casos) {
        const TCoordenadasColadas r = LeCoordenadasColadas(c.texto);
        EXPECT_EQ(Dms(c.lat), r.Latitude) << c.texto;
        EXPECT_EQ(Dms(c.lon), r.Longitude) << c.texto;
    }
}

TEST(CoordenadasColadas, RefusesWithTheReason) {
    const struct {
        const char* texto;
        const char* motivo;
    } casos[] = {
        {"", "vazio"},
        {"-23.5505", "só uma coordenada"},
        {"-23.5505, 46.6333", "longitude leste"},
        {"2.82, -60.67", "latitude norte"},
        {"23 33 02 N, 46 38 00 W", "latitude norte"},
        {"23 33 02 S, 46 38 00 S", "duas coordenadas são latitudes"},
        {"23 33 02 S, 46 38 00", "só uma das coordenadas"},
        {"-23 33 02 S, 46 38 00 W", "sinal ou a letra"},
        {"23 61 02 S, 46 38 00 W", "minutos da latitude acima de 59"},
        {"23 33 60 S, 46 38 00 W", "segundos da latitude acima de 59"},
        {"-95, -46", "acima de 90 graus"},
        {"-23, -146", "100 graus"},
        {"-23.5 33, -46", "só a última parte"},
        {"23 33\" S, 46 W", "fora da ordem"},
        {"-23.5, -46.6, -40", "achou 3"},
        {"-23.5 # -46.6", "caractere \"#\""},
        {"abc", "não é um hemisfério"},
        {"-1 2 3 4, -46", "mais de três partes"},
    };
    for (const auto& c : casos) {
        try {
            LeCoordenadasColadas(c.texto);
            ADD_FAILURE() << c.texto;
        } catch (const EConvertError& e) {
            const std::string m = Cp1252ToUtf8(e.Message());
            EXPECT_NE(std::string::npos, m.find(c.motivo)) << c.texto << " -> " << m;
            EXPECT_EQ(0u, m.find("Coordenadas não reconhecidas: ")) << m;
        }
    }
}

TEST(CoordenadasColadas, TellsCoordinatesFromNames) {
    for (const char* s : {"-23.5, -46.6", " 23 33 02 S", "S 23 33", "\xE2\x88\x92" "23"}) EXPECT_TRUE(PareceCoordenada(s)) << s;
    for (const char* s : {"", "São Paulo", "Santos", "S. José", "Oeste"}) EXPECT_FALSE(PareceCoordenada(s)) << s;
}
