#pragma once
// Peak flow by the rational method, Q = C·i·A/3.6 (Q in m³/s, i in mm/h,
// A in km²), with i = i(Tr, tc) the average intensity of the equation over
// the time of concentration; tc typed or by Kirpich,
// tc = 57·(L³/H)^0.385 min (L in km, H in m).
#include <string>
#include <vector>

#include "model/TabelaIdf.h"

// The method is meant for small basins: up to about this area.
inline constexpr double AreaMaximaDoMetodoRacional = 2.0;   // km²

// Kirpich's tc (min). Exception naming the field and its range: the length
// above 0 (km), the fall above 0 (m).
double TempoDeKirpich(double comprimentoKm, double desnivelM);

struct TVazaoDeProjeto {
    double AreaKm2 = 0, C = 0, Tc = 0, Tr = 0;
    double Intensidade = 0;   // i(Tr, tc), mm/h
    double Vazao = 0;         // m³/s
    std::vector<std::string> Notas;   // cp1252: beyond the method's area, tc or Tr outside the fitted ranges
};

// Exception naming the field and its range (area above 0 km², C from above 0
// to 1, tc above 0 min and at most 7 days, Tr above 0); a tc outside 5 to
// 1440 min, a Tr outside 2 to 100 years or an area above 2 km² give a note.
TVazaoDeProjeto CalculaVazao(const TParametrosIdf& p, double areaKm2, double c, double tc, double tr);

// Runoff coefficients of common surfaces (a range), for the page's short
// table: ASCE and WPCF (1969), Design and Construction of Sanitary and Storm
// Sewers (Manual of Practice 37).
struct TCoeficienteDeSuperficie {
    const char* Superficie;   // UTF-8
    double Minimo, Maximo;
};
extern const std::vector<TCoeficienteDeSuperficie> CoeficientesDeEscoamento;
// The source of that table (UTF-8).
extern const char* const FonteDosCoeficientes;
