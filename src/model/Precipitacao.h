#pragma once
// Rainfall record: the abstract base of rainfall models.
#include <string>

#include "model/Serie.h"
#include "platform/AnsiString.h"

class TPrecipitacao {
public:
    TPrecipitacao();                               // Inicializa("")
    explicit TPrecipitacao(const AnsiString& nome);  // Inicializa(nome)
    virtual ~TPrecipitacao() = default;

    // Slots in order.
    virtual void Inicializa(const AnsiString& nome);
    virtual void Limpa();
    virtual bool CarregaArquivo(const std::string& nomeArquivo);
    virtual bool SalvaArquivo(const std::string& nomeArquivo);
    virtual void PreencheSerie(ISerie& serie) = 0;
    virtual double IntensidadeInstantanea(double t) = 0;
    virtual double Intensidade(double t) = 0;
    virtual double TempoDaIntensidade(double x) = 0;
    virtual double DuracaoDaPrecipitacao(double x) = 0;
    virtual double PrecipitacaoDaDuracao(double t) = 0;
    virtual double PrecipitacaoEntre(double t1, double t2) = 0;

    // Decimal separator used when writing reals (the user's locale's).
    char SeparadorDecimal = '.';

    double Residuo = 0, Derivada = 0, Passo = 0, LimiteInferior = 0, LimiteSuperior = 0;
    int Iteracoes = 0;
    AnsiString Nome;
    double Duracao = 0, PrecipitacaoTotal = 0;
};
