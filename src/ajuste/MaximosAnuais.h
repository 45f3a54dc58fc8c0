#pragma once
// Annual maxima of a record: civil year, or a hydrological year starting in a
// chosen month (labelled "1941/1942"). A year of a daily series with more
// than FaltasMax percent of its days missing (blank, status 0 or
// accumulated) is left out; every year used and left out is listed.
#include <cmath>
#include <vector>

#include "ajuste/Registro.h"

struct TOpcoesMaximos {
    int MesInicio = 1;         // 1: civil year
    double FaltasMax = 10;     // percent of the year's days (of its intervals, for a sub-daily series)
    // A sub-daily series: the durations (minutes, multiples of its interval)
    // whose annual maxima are found, by moving sums over consecutive
    // intervals with values (a window that touches a gap does not count).
    std::vector<double> Duracoes = {15, 30, 45, 60, 120, 180, 240, 360, 480, 720, 1440};
};

struct TAnoMaximo {
    int Ano = 0;                   // the year the hydrological year starts in
    AnsiString Rotulo;             // "1941" or "1941/1942"
    std::vector<double> Alturas;   // mm, one per duration
    int Dia = -1;                  // daily series: DiaCivil of the maximum
    int Faltando = 0;              // daily series: missing days
    double DiaFixo = std::nan(""); // sub-daily series: the largest total of a civil day (00:00 to 24:00)
};

struct TAnoDeixado {
    int Ano = 0;
    AnsiString Rotulo;
    AnsiString Motivo;
};

struct TMaximosAnuais {
    bool UmDia = true;             // one-day depth: disaggregation applies
    std::vector<double> Duracoes;  // minutes (1440 for the one-day depth)
    std::vector<TAnoMaximo> Usados;
    std::vector<TAnoDeixado> Deixados;
    std::vector<AnsiString> Avisos;
    int Intervalo = 0;             // sub-daily series: minutes

    std::vector<double> Serie(std::size_t duracao = 0) const;
    AnsiString AnosUsados() const;   // "1941, 1942, ..."
};

// Fewer than MinimoDeAnos usable years: ESemAjuste naming the years found and
// the reasons of those left out; fewer than AnosRecomendados: a warning.
constexpr std::size_t MinimoDeAnos = 10;
constexpr std::size_t AnosRecomendados = 20;
TMaximosAnuais MaximosAnuais(const TRegistro& registro, const TOpcoesMaximos& opcoes = {});
