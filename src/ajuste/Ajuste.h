#pragma once
// The whole fitting chain on a record: annual maxima, the candidate
// distributions with their tests, the chosen one's quantiles, the
// disaggregated table of intensities, K, a, b, c, and a bootstrap of the
// annual maxima (years drawn with replacement) refitting the chain with the
// chosen distribution and method, for 90% intervals.
#include <cstdint>
#include <optional>
#include <vector>

#include "ajuste/Desagregacao.h"
#include "ajuste/Distribuicoes.h"
#include "ajuste/EquacaoAjustada.h"
#include "ajuste/MaximosAnuais.h"
#include "ajuste/Registro.h"

struct TOpcoesAjuste {
    TOpcoesMaximos Maximos;
    std::optional<Distribuicao> Dist;     // none: the better Anderson-Darling p-value
    std::optional<Metodo> Met;            // none: every method of the distribution(s)
    TDesagregacao Desagregacao = DesagregacaoCetesb();
    std::vector<double> Tr = {2, 5, 10, 15, 20, 25, 50, 100};
    std::vector<double> Duracoes;         // empty: every duration of the ratios (or of the table)
    int Bootstrap = 1000;                 // replicates of the chain; 0: none
    int ReplicasAderencia = 1000;         // replicates of each test's p-value
    std::uint64_t Semente = 20260101;
};

struct TIntervalo {
    double Inferior = 0, Superior = 0;   // 5% and 95% of the replicates
};

struct TCandidata {
    TParametros P;
    TAderencia Testes;
};

// One series of annual maxima (the one-day depth, or one duration of a
// sub-daily table) with its candidates and quantiles.
struct TAnaliseSerie {
    double Duracao = 1440;                 // minutes (1440: one day)
    std::vector<TCandidata> Candidatas;
    std::size_t Escolhida = 0;
    std::vector<double> Quantis;           // mm, one per Tr
    std::vector<TIntervalo> IcQuantis;
    const TParametros& Parametros() const { return Candidatas[Escolhida].P; }
};

struct TLinhaTabela {
    TPontoIdf Ponto;            // disaggregated intensity
    double Ajustada = 0;        // the equation's i(Tr, t)
    TIntervalo IcTabela;        // of the disaggregated intensity
    TIntervalo IcAjustada;      // of the equation's i(Tr, t)
};

struct TResultadoAjuste {
    std::string Arquivo;
    AnsiString Formato, Estacao;
    TMaximosAnuais Maximos;
    std::vector<TAnaliseSerie> Series;
    std::vector<double> Tr, Duracoes;
    AnsiString FonteDesagregacao;          // empty for a sub-daily table
    std::vector<TLinhaTabela> Tabela;      // Tr-major, then duration
    TEquacao Equacao;
    TQualidade Qualidade;
    int Replicas = 0, ReplicasFalhas = 0;
    std::uint64_t Semente = 0;
    TIntervalo IcK, Ica, Icb, Icc;
    std::vector<AnsiString> Avisos;

    // "Ajuste ANA 01943011 (2026)", at most 30 characters.
    AnsiString Citacao(int ano) const;
    // Record, years, distribution and method, disaggregation, fit: one paragraph.
    AnsiString Descricao() const;
    const TLinhaTabela* Linha(double tr, double t) const;
};

// ESemAjuste (too few years, no convergence), EDadosInvalidos (a duration without a ratio).
TResultadoAjuste AjustaRegistro(const TRegistro& registro, const TOpcoesAjuste& opcoes);

// Empirical quantile (linear between order statistics) of values sorted in place.
double Percentil(std::vector<double>& valores, double p);
