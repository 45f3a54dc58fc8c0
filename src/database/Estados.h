#pragma once
#include <array>
#include <cstdint>

#include "platform/AnsiString.h"

constexpr int NumEstados = 27;
// Names in Windows-1252 ("Amap\xE1"), index order 0 "Acre" .. 26 "Tocantins".
extern const std::array<AnsiString, NumEstados> NomesEstados;
extern const std::array<AnsiString, NumEstados> SiglasEstados;

class TEstado {
public:
    TEstado();                    // Indice 0 (Acre), through SetIndice
    int16_t Indice = 0;           // read directly; written only through SetIndice
    // Outside 0..26: ENumeroEstado " Não existe estado com índice igual a <n>", Indice unchanged.
    void SetIndice(int value);
    AnsiString Nome() const;
};
