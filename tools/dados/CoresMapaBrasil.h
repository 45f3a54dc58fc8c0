#pragma once
// Colours of the map of Brazil: one per state (the 23 of the pointer table
// and the four neutral ones of the states without a data source), plus the
// white background and the black of borders and letters.
#include <array>
#include <cstdint>

struct TCorEstado {
    const char* Sigla;
    int Indice;          // state index
    uint8_t R, G, B;
    bool Neutra;         // a click on it selects nothing
};

extern const std::array<TCorEstado, 27> CoresMapaBrasil;   // state index order
constexpr uint8_t CorFundo[3] = {255, 255, 255};
constexpr uint8_t CorContorno[3] = {0, 0, 0};
