#pragma once
// Annual maxima of a record: civil year, or a hydrological year starting in a
// chosen month (labelled "1941/1942"). A year of a daily series with more
// than FaltasMax percent of its days missing (blank, status 0 or
// accumulated) is left out; every year used and left out is listed.
#include <vector>

#include "ajuste/Registro.h"

struct TOpcoesMaximos {
    int MesInicio = 1;         // 1: civil year
    double FaltasMax = 10;     // percent of the year's days
};

struct TAnoMaximo {
    int Ano = 0;                   // the year the hydrological year starts in
    AnsiString Rotulo;             // "1941" or "1941/1942"
    std::vector<double> Alturas;   // mm, one per duration
    int Dia = -1;                  // daily series: DiaCivil of the maximum
    int Faltando = 0;              // daily series: missing days
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

    std::vector<double> Serie(std::size_t duracao = 0) const;
    AnsiString AnosUsados() const;   // "1941, 1942, ..."
};

// Fewer than MinimoDeAnos usable years: ESemAjuste naming the years found and
// the reasons of those left out; fewer than AnosRecomendados: a warning.
constexpr std::size_t MinimoDeAnos = 10;
constexpr std::size_t AnosRecomendados = 20;
TMaximosAnuais MaximosAnuais(const TRegistro& registro, const TOpcoesMaximos& opcoes = {});
