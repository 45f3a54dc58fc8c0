#pragma once
// IDF equation i = K·Tr^a/(t+b)^c with validating setters, evaluations,
// inverse solvers and persistence.
#include "model/Precipitacao.h"

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

    // Refuse negative or NaN values with the Portuguese message (class Exception).
    void SetK(double v);
    void SetA(double v);
    void SetB(double v);
    void SetC(double v);
    void AtualizaCoeficiente();

    double Coeficiente = -1;
    double Tr = 0, K = 0, A = 0, B = 0, C = 0;
};
