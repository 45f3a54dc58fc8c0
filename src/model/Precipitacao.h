#pragma once
// Rainfall record: the abstract base of rainfall models.
#include <string>

#include "model/Serie.h"
#include "platform/AnsiString.h"

class TArquivoIni;

// Settings sections are these prefixes followed directly by Nome.
inline constexpr const char* kSecaoPrecipitacao = "PRECIPITACAO";
inline constexpr const char* kSecaoLegada = "TORMEL";

class TPrecipitacao {
public:
    TPrecipitacao();                               // Inicializa("")
    explicit TPrecipitacao(const AnsiString& nome);  // Inicializa(nome)
    virtual ~TPrecipitacao() = default;

    // Slots in order. Inicializa calls the virtual Limpa; while the base
    // constructor runs that is still the base's, so every descendant's
    // constructor calls Inicializa again to clear its own fields.
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

    // Load and save never raise: the result tells. A legacy layout ("Versao"
    // absent or "1") is read from "TORMEL" + Nome and then moved into
    // "PRECIPITACAO" + Nome in one atomic change of the file.

    // Decimal separator used when writing reals (the user's locale's).
    char SeparadorDecimal = '.';

    double Residuo = 0, Derivada = 0, Passo = 0, LimiteInferior = 0, LimiteSuperior = 0;
    int Iteracoes = 0;
    AnsiString Nome;
    double Duracao = 0, PrecipitacaoTotal = 0;

protected:
    AnsiString Secao(const char* prefixo) const { return prefixo + Nome; }
    // Writes "Versao" = "2", "Duracao", "PrecipitacaoTotal" into "PRECIPITACAO" + Nome.
    void GravaRegistro(TArquivoIni& ini);
};
