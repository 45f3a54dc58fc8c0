#pragma once
// The data of the program folder for the tests (tests/suporte's
// TPastaPrograma): a small station file, a locality file and the map of
// Minas Gerais (all blue, so every point of its bounds is inside).
#include <string>

#include "platform/AnsiString.h"
#include "suporte/PastaPrograma.h"

namespace DadosDeTeste {

// Acre (0): two stations, "Cruzeiro do Sul" then "Rio Branco".
// Amazonas (3): no stations.
// Minas Gerais (12): "Belo Horizonte" (K with four decimals), "Juiz de Fora",
// "Montes Claros" stored with trailing blanks; localities "Contagem", "Uberaba".
constexpr double KBeloHorizonte = 1447.8721, ABeloHorizonte = 0.1, BBeloHorizonte = 10.0,
                 CBeloHorizonte = 0.84;
AnsiString LatitudeBeloHorizonte();    // 19°55'00"
AnsiString LongitudeBeloHorizonte();   // 43°56'00"
AnsiString LatitudeContagem();         // 19°55'00"
AnsiString LongitudeContagem();        // 44°03'00"
AnsiString LatitudeRioBranco();        // 09°58'29"
AnsiString LongitudeRioBranco();       // 67°48'36"
AnsiString LatitudeCruzeiro();         // 07°37'51"
AnsiString LongitudeCruzeiro();        // 72°40'12"

// Writes both data files and the map into the data folder; returns the
// program folder.
std::string CriaPastas(const TPastaPrograma& pasta);

}  // namespace DadosDeTeste
