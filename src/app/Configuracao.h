#pragma once
// The program's settings file "Tormel21.ini": the selection of the previous
// run, section "PRINCIPAL".
#include <string>

#include "platform/AnsiString.h"

class TArquivoIni;
class TTormel21;

extern const char* const SecaoPrincipal;   // "PRINCIPAL"

// The settings file: "Tormel21.ini" beside the program when the program's
// folder can be written, else in the user's settings folder,
// "<PastaDeConfiguracaoDoUsuario>tormel21/Tormel21.ini" (an installed copy).
std::string CaminhoDaConfiguracao(const std::string& pastaDoPrograma);

// "IndEstado", "IndEstacao", "IndLocalidade" (default 0, low 16 bits kept),
// "Latitude", "Longitude" (default empty) into the component's properties.
// The degree sign of a coordinate may be written in UTF-8 ("°", "º") or as
// cp1252 "º": each is read as the cp1252 "°".
void LeConfiguracao(const TArquivoIni& ini, TTormel21& componente);
// The same five keys from the component, in that order, in one atomic change
// of the file; every other line of the file stays as it was.
void GravaConfiguracao(TArquivoIni& ini, const TTormel21& componente);
