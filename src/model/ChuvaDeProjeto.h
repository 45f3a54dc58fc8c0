#pragma once
// The answers an engineer computes from an IDF equation besides the table:
// the design storm by alternating blocks, the duration for an intensity or a
// depth, the depth between two durations, and the return period of an
// observed storm. The inverse questions go through the model's solvers.
#include <string>
#include <vector>

#include "model/TabelaIdf.h"

struct TBlocoDeChuva {
    double Inicio, Fim;     // minutes from the storm's start
    double Altura;          // mm
    double Intensidade;     // mm/h over the block
    double Acumulada;       // mm from the start to the block's end
};

struct THietograma {
    double Tr = 0, Duracao = 0, Passo = 0, PosicaoDoPico = 0.5;
    int BlocoDoPico = 0;   // 0-based index of the largest block
    std::vector<TBlocoDeChuva> Blocos;
};

inline constexpr double DuracaoMaximaDaChuva = 7 * 24 * 60;   // minutes
inline constexpr int BlocosMaximos = 10000;

// Alternating blocks: the increments of P(tr, t) at t = dt, 2dt, ..., D,
// largest first, the largest in the block that holds the time r·D, the next
// ones alternately after and before it (on one side only once the other is
// full). Refused with a Portuguese message naming the field (Exception): tr,
// D or dt not above 0, r outside 0..1, dt that does not divide D, D above
// 7 days, more than 10,000 blocks.
THietograma CalculaHietograma(const TParametrosIdf& p, double tr, double duracao, double passo, double r = 0.5);
// Those refusals, shared by every design storm; the number of blocks.
int BlocosDaChuvaDeProjeto(double tr, double duracao, double passo, double r);

// An answer of the calculator: a value, or none with the reason in Portuguese.
struct TResposta {
    bool Existe = false;
    double Valor = 0;
    std::string Motivo;   // cp1252, when !Existe
};

// Duration (min) at which the model's instantaneous intensity equals i
// (TempoDaIntensidade), checked by evaluating it there.
TResposta DuracaoDaIntensidadeInstantanea(const TParametrosIdf& p, double tr, double intensidade);
// Duration (min) whose average intensity equals i: (K·Tr^a/i)^(1/c) - b.
TResposta DuracaoDaIntensidadeMedia(const TParametrosIdf& p, double tr, double intensidade);
// Duration (min) whose depth equals P (DuracaoDaPrecipitacao), checked by
// evaluating it there. With c > 1 the depth has a crest at t = b/(c - 1): a
// depth above it has no duration; below it, where the model's search misses,
// the shorter of the two durations is found on the rising side.
TResposta DuracaoDaAltura(const TParametrosIdf& p, double tr, double altura);
// Depth (mm) between the durations t1 and t2 (PrecipitacaoEntre).
TResposta AlturaEntre(const TParametrosIdf& p, double tr, double t1, double t2);
// Return period (years) of a storm of average intensity i over t minutes:
// (i·(t+b)^c / K)^(1/a).
TResposta PeriodoDeRetorno(const TParametrosIdf& p, double t, double intensidade);
// Return period (years) of a storm of depth P (mm) over t minutes, whose
// average intensity is P·60/t.
TResposta PeriodoDeRetornoDaAltura(const TParametrosIdf& p, double t, double altura);
// The ranges over which the equations are fitted: durations of 5 to 1,440
// minutes, return periods of 2 to 100 years. A value outside them is an
// extrapolation.
inline constexpr double DuracaoMinimaAjustada = 5, DuracaoMaximaAjustada = 1440;
inline constexpr double PeriodoMinimoAjustado = 2, PeriodoMaximoAjustado = 100;
// Whether a return period lies outside 2..100 years.
bool ForaDaFaixaAjustada(double tr);
// Whether a duration (min) lies outside 5..1,440 minutes.
bool DuracaoForaDaFaixaAjustada(double t);
// What is said, in plain words (cp1252), of a value at the return period tr
// and the duration t when either lies outside its fitted range; empty when
// both are inside. A NaN leaves that quantity out of the question.
std::string NotaDeExtrapolacao(double tr, double t);
