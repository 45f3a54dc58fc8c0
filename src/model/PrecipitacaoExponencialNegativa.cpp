#include "model/PrecipitacaoExponencialNegativa.h"

#include <climits>
#include <cmath>
#include <exception>

#include "platform/ArquivoIni.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/PontoFlutuante.h"

namespace {

// K * Tr^a in extended precision; -1 unless all three are > 0.
double CalculaCoeficiente(double k, double tr, double a) {
    if (!(k > 0 && tr > 0 && a > 0)) return -1;
    return Verifica(static_cast<double>(VerificaL(k * PotenciaL(tr, a))));
}

void ValidaParametro(double v, const char* letra) {
    if (!(v >= 0))  // NaN fails too
        throw Exception(Ansi("O valor do parâmetro \"") + letra + "\" deve ser maior que zero.");
}

// Starting time of TempoDaIntensidade by bands of the target intensity.
double InicioPorIntensidade(double x) {
    if (x >= 500) return 0.001;
    if (x >= 400) return 0.05;
    if (x >= 300) return 0.1;
    if (x >= 200) return 1;
    if (x >= 100) return 5;
    return 20;  // below 100, and NaN
}

constexpr int kMaxIteracoes = 100;
constexpr int kQuebra = 200;
constexpr double kToleranciaBissecao = 1e-7;
// The bisection interval may grow past its usual upper bound, up to this many
// minutes.
constexpr double kLimiteMaximo = 1e12;

// Interval halving shared by both solvers. acima(t) tells whether the root lies
// above t; an evaluation error counts as a residual of 0, as the caller's
// acima decides. alarga(t) tells whether a root can still lie beyond the upper
// bound t: only then is the interval doubled. Stops at the tolerance, or when
// the midpoint no longer moves.
template <class Acima, class Alarga>
double Bisseca(double& inferior, double& superior, Acima acima, Alarga alarga) {
    while (superior < kLimiteMaximo && alarga(superior)) {
        inferior = superior;
        superior *= 2;
    }
    double t;
    for (;;) {
        t = (inferior + superior) / 2;
        if (acima(t))
            inferior = t;
        else
            superior = t;
        if (std::fabs(inferior - superior) <= kToleranciaBissecao) break;
        const double proximo = (inferior + superior) / 2;
        if (proximo == inferior || proximo == superior) break;
    }
    return t;
}

const char* const kChaves[] = {"Tr", "K", "A", "B", "C"};

}  // namespace

TPrecipitacaoExponencialNegativa::TPrecipitacaoExponencialNegativa() : TPrecipitacao() {
    Inicializa("");  // now Limpa reaches this class's override
}

TPrecipitacaoExponencialNegativa::TPrecipitacaoExponencialNegativa(const AnsiString& nome)
    : TPrecipitacao(nome) {
    Inicializa(nome);
}

void TPrecipitacaoExponencialNegativa::Limpa() {
    TPrecipitacao::Limpa();
    Tr = K = A = B = C = 0;
    Coeficiente = -1;
}

void TPrecipitacaoExponencialNegativa::AtualizaCoeficiente() { Coeficiente = CalculaCoeficiente(K, Tr, A); }

void TPrecipitacaoExponencialNegativa::SetK(double v) {
    ValidaParametro(v, "K");
    const double coeficiente = CalculaCoeficiente(v, Tr, A);
    K = v;
    Coeficiente = coeficiente;
}

void TPrecipitacaoExponencialNegativa::SetA(double v) {
    ValidaParametro(v, "a");
    const double coeficiente = CalculaCoeficiente(K, Tr, v);
    A = v;
    Coeficiente = coeficiente;
}

void TPrecipitacaoExponencialNegativa::SetB(double v) {
    ValidaParametro(v, "b");
    B = v;
}

void TPrecipitacaoExponencialNegativa::SetC(double v) {
    ValidaParametro(v, "c");
    C = v;
}

double TPrecipitacaoExponencialNegativa::Intensidade(double t) {
    // (t + B)^C as e^(C ln(t + B)): t + B <= 0 is an error even when C is 0.
    const long double soma = static_cast<long double>(t) + B;
    const long double potencia = ExpL(C * LnL(soma));
    return Verifica(static_cast<double>(DivideL(Coeficiente, potencia)));
}

double TPrecipitacaoExponencialNegativa::IntensidadeInstantanea(double t) {
    const long double i = Intensidade(t);
    const long double soma = static_cast<long double>(t) + B;
    const long double fator = 1.0L - DivideL(C * static_cast<long double>(t), soma);
    return Verifica(static_cast<double>(VerificaL(i * fator)));
}

double TPrecipitacaoExponencialNegativa::PrecipitacaoDaDuracao(double t) {
    const long double i = Intensidade(t);
    return Verifica(static_cast<double>(VerificaL(i * (static_cast<long double>(t) / 60))));
}

double TPrecipitacaoExponencialNegativa::PrecipitacaoEntre(double t1, double t2) {
    const long double p2 = VerificaL(static_cast<long double>(t2) * Intensidade(t2));
    const long double p1 = VerificaL(static_cast<long double>(t1) * Intensidade(t1));
    return Verifica(static_cast<double>(VerificaL((p2 - p1) / 60)));
}

double TPrecipitacaoExponencialNegativa::TempoDaIntensidade(double x) {
    double t = InicioPorIntensidade(x);
    Iteracoes = 0;
    do {
        if (t < 0) {
            t = 0;
            Iteracoes = kQuebra;
            break;
        }
        try {
            Residuo = Verifica(IntensidadeInstantanea(t) - x);
            const double soma = Verifica(t + B);
            Derivada = Verifica(-C * Divide(Intensidade(t), soma) * (2 - (C + 1) * Divide(t, soma)));
            Passo = Divide(Residuo, Derivada);
            t = Verifica(t - Passo);
            ++Iteracoes;
        } catch (const EMathError&) {
            Iteracoes = kQuebra;  // t stays as it was at the start of this pass
            break;
        }
        if (std::fabs(Passo) < 1e-7) break;
    } while (Iteracoes <= kMaxIteracoes);

    if (Iteracoes > kMaxIteracoes) {
        LimiteInferior = 0;
        LimiteSuperior = 100000;
        // The instantaneous intensity falls with time: above x, the root is later.
        const auto acima = [&](double tt) {
            try {
                Residuo = Verifica(IntensidadeInstantanea(tt) - x);
            } catch (const EMathError&) {
                Residuo = 0;
            }
            return Residuo > 0;
        };
        t = Bisseca(LimiteInferior, LimiteSuperior, acima, acima);
    }
    return t < 0 ? 0 : t;
}

double TPrecipitacaoExponencialNegativa::DuracaoDaPrecipitacao(double x) {
    double t = 1;
    Iteracoes = 0;
    do {
        try {
            Residuo = Verifica(Intensidade(t) * t - 60 * x);
            Derivada = IntensidadeInstantanea(t);
            Passo = Divide(Residuo, Derivada);
            t = Verifica(t - Passo);
            ++Iteracoes;
        } catch (const EMathError&) {
            Iteracoes = kQuebra;
            break;
        }
        if (std::fabs(Passo) < 1e-10) break;
    } while (Iteracoes <= kMaxIteracoes);

    if (Iteracoes > kMaxIteracoes) {
        LimiteInferior = 0;
        LimiteSuperior = 1000;
        // Up to the depth x, the root is later.
        const auto acima = [&](double tt) {
            try {
                Residuo = Verifica(Intensidade(tt) * tt - 60 * x);
            } catch (const EMathError&) {
                Residuo = 0;
            }
            return !(Residuo > 0);
        };
        // Beyond the bound only while the depth there is still short of x and
        // still rising: with c > 1 the depth has a crest and falls after it,
        // so past the crest no later duration reaches x.
        const auto sobe = [&](double tt) {
            try {
                return IntensidadeInstantanea(tt) > 0;
            } catch (const EMathError&) {
                return false;
            }
        };
        t = Bisseca(LimiteInferior, LimiteSuperior, acima, [&](double tt) { return acima(tt) && sobe(tt); });
    }
    return t < 0 ? 0 : t;
}

void TPrecipitacaoExponencialNegativa::PreencheSerie(ISerie& serie) {
    serie.Clear();
    long long n = 50;
    if (Duracao > 0) {
        // No series can hold more points than an int counts.
        if (Duracao >= static_cast<double>(INT_MAX)) throw EInvalidOp("Invalid floating point operation");
        n = Arredonda(Duracao);
    }
    for (long long t = 1; t <= n; ++t)
        serie.Add(static_cast<double>(t), IntensidadeInstantanea(static_cast<double>(t)), "", clTeeColor);
}

bool TPrecipitacaoExponencialNegativa::LeParametros(const TArquivoIni& ini, const AnsiString& secao) {
    try {
        // Straight into the fields: the file may hold what the setters refuse.
        Tr = ini.ReadFloat(secao, "Tr", 0);
        K = ini.ReadFloat(secao, "K", 0);
        A = ini.ReadFloat(secao, "A", 0);
        B = ini.ReadFloat(secao, "B", 0);
        C = ini.ReadFloat(secao, "C", 0);
        AtualizaCoeficiente();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TPrecipitacaoExponencialNegativa::CarregaArquivo(const std::string& nomeArquivo) {
    // The record's own half; its result does not count (a newer layout of the
    // record's section must not block reading the parameters).
    TPrecipitacao::CarregaArquivo(nomeArquivo);
    try {
        TArquivoIni ini(nomeArquivo);
        const AnsiString secao = Secao(kSecaoExponencialNegativa);
        const AnsiString versao = ini.ReadString(secao, "Versao", "TORMEL");
        if (versao == "TORMEL" || versao == "1") {
            const AnsiString legada = Secao(kSecaoLegada);
            const bool lido = LeParametros(ini, legada);
            const double valores[] = {Tr, K, A, B, C};
            try {
                ini.EmLote([&] {
                    ini.WriteString(secao, "Versao", "2");
                    for (int i = 0; i < 5; ++i) {
                        ini.WriteFloat(secao, kChaves[i], valores[i], SeparadorDecimal);
                        ini.DeleteKey(legada, kChaves[i]);
                    }
                });
            } catch (const std::exception&) {
                // The parameters were read; the file keeps its old layout.
            }
            return lido;
        }
        if (versao == "2") return LeParametros(ini, secao);
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

bool TPrecipitacaoExponencialNegativa::SalvaArquivo(const std::string& nomeArquivo) {
    // Both halves of the record in one atomic change: true only when all of
    // it was written, and a failure leaves the file as it was.
    try {
        TArquivoIni ini(nomeArquivo);
        ini.EmLote([&] {
            GravaRegistro(ini);
            const AnsiString secao = Secao(kSecaoExponencialNegativa);
            ini.WriteString(secao, "Versao", "2");
            const double valores[] = {Tr, K, A, B, C};
            for (int i = 0; i < 5; ++i) ini.WriteFloat(secao, kChaves[i], valores[i], SeparadorDecimal);
        });
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
