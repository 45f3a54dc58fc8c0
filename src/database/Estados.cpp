#include "database/Estados.h"

#include <string>

#include "platform/Erros.h"

// Windows-1252 bytes: \xE1 = á, \xE3 = ã, \xED = í, \xF4 = ô.
const std::array<AnsiString, NumEstados> NomesEstados = {
    "Acre",           "Alagoas",           "Amap\xE1",          "Amazonas",
    "Bahia",          "Cear\xE1",          "Distrito Federal",  "Esp\xEDrito Santo",
    "Goi\xE1s",       "Maranh\xE3o",       "Mato Grosso",       "Mato Grosso do Sul",
    "Minas Gerais",   "Par\xE1",           "Para\xED" "ba",        "Paran\xE1",
    "Pernambuco",     "Piau\xED",          "Rio de Janeiro",    "Rio Grande do Norte",
    "Rio Grande do Sul", "Rond\xF4nia",    "Roraima",           "Santa Catarina",
    "S\xE3o Paulo",   "Sergipe",           "Tocantins",
};

const std::array<AnsiString, NumEstados> SiglasEstados = {
    "AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO", "MA", "MT", "MS", "MG", "PA",
    "PB", "PR", "PE", "PI", "RJ", "RN", "RS", "RO", "RR", "SC", "SP", "SE", "TO",
};

TEstado::TEstado() { SetIndice(0); }

void TEstado::SetIndice(int value) {
    if (value < 0 || value > NumEstados - 1)
        throw ENumeroEstado(" N\xE3o existe estado com \xEDndice igual a " + std::to_string(value));
    Indice = static_cast<int16_t>(value);
}

AnsiString TEstado::Nome() const { return NomesEstados[static_cast<std::size_t>(Indice)]; }
