#pragma once
// IDF equation i = K·Tr^a/(t+b)^c with validating setters, evaluations,
// inverse solvers and persistence.
#include "model/Precipitacao.h"

inline constexpr const char* kSecaoExponencialNegativa = "PREC_EXPONENCIAL_NEGATIVA";

class TPrecipitacaoExponencialNegativa : public TPrecipitacao {
public:
    TPrecipitacaoExponencialNegativa();
    explicit TPrecipitacaoExponencialNegativa(const AnsiString& nome);

    void Limpa() override;
    bool CarregaArquivo(const std::string& nomeArquivo) override;
    bool SalvaArquivo(const std::string& nomeArquivo) override;
    void PreencheSerie(ISerie& serie) override;
    double IntensidadeInstantanea(double t) override;
    double Intensidade(double t) override;
    double TempoDaIntensidade(double x) override;
    double DuracaoDaPrecipitacao(double x) override;
    double PrecipitacaoDaDuracao(double t) override;
    double PrecipitacaoEntre(double t1, double t2) override;

    // The solvers never raise and never return a negative time: a breakdown of
    // Newton's method (Iteracoes = 200, or no convergence in 101 steps) falls
    // back to bisection. The working fields keep their last values.
    //
    // DuracaoDaPrecipitacao bisects on [0, 1000] minutes, widened (doubling the
    // upper bound, up to 1e12) only while the depth at the upper bound is below
    // x and still rising. With c > 1 the depth P(t) rises to a crest at
    // t = b / (c - 1) and falls after it: a depth below the crest has two
    // durations and the solver returns one of them; a depth above the crest has
    // none, and the search fails as a bisection with no root inside does: it
    // returns the upper bound of its interval (1000 minutes, or the widened
    // bound where the crest lies beyond 1000) with Iteracoes above 100.

    // Refuse negative or NaN values with the Portuguese message (class Exception).
    // SetK and SetA recompute Coeficiente; should that overflow, the error is
    // raised and the object stays as it was.
    void SetK(double v);
    void SetA(double v);
    void SetB(double v);
    void SetC(double v);
    void AtualizaCoeficiente();

    // Coeficiente = K * Tr^A, or -1 unless K, Tr and A are all > 0. Tr is
    // written only by CarregaArquivo.
    double Coeficiente = -1;
    double Tr = 0, K = 0, A = 0, B = 0, C = 0;

private:
    bool LeParametros(const TArquivoIni& ini, const AnsiString& secao);
};
