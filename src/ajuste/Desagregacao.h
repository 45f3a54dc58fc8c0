#pragma once
// Ratios that take the one-day depth down to shorter durations, each
// duration's depth a ratio of a base: the one-day depth ("dia") or a duration
// given before. The CETESB ratios, or a user's file:
//   # fonte: Nome do estudo (ano)
//   duracao_min;razao;base          (base: "dia" or a duration in minutes)
// one line per duration, both CSV dialects, a header line allowed.
#include <string>
#include <vector>

#include "platform/AnsiString.h"

struct TRazao {
    double Duracao = 0;   // minutes
    double Razao = 0;
    double Base = 0;      // minutes; 0: the one-day depth
};

struct TDesagregacao {
    AnsiString Fonte;              // named in the equation's description
    std::vector<TRazao> Razoes;    // in the order given: a base comes before its uses

    std::vector<double> Duracoes() const;   // ascending
    bool Tem(double duracao) const;
    // P(t) / P(one day); EDadosInvalidos when t has no ratio.
    double Fator(double duracao) const;
};

TDesagregacao DesagregacaoCetesb();
// ERegistroInvalido naming the file and the line. A sub-daily rain series
// (SerieSubdiaria.h) gives the ratios measured at that gauge.
TDesagregacao LeDesagregacao(const std::string& caminho);
TDesagregacao LeDesagregacaoDoTexto(const std::string& texto, const std::string& caminho);
