#include "model/ChuvaDeProjeto.h"

#include <algorithm>
#include <cmath>

#include "model/PrecipitacaoExponencialNegativa.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {
[[noreturn]] void Recusa(const char* utf8) { throw Exception(Ansi(utf8)); }

TResposta Nenhuma(const char* utf8) { return {false, 0, Ansi(utf8)}; }

TResposta Valor(double v) {
    if (!std::isfinite(v)) return Nenhuma("O resultado não é um número finito.");
    return {true, v, {}};
}

// The model set up for the parameters and a return period.
TPrecipitacaoExponencialNegativa Modelo(const TParametrosIdf& p, double tr) {
    TPrecipitacaoExponencialNegativa m;
    m.Tr = tr;
    m.K = p.K;
    m.A = p.a;
    m.B = p.b;
    m.C = p.c;
    m.AtualizaCoeficiente();
    return m;
}

bool Perto(double a, double b) { return std::abs(a - b) <= 1e-6 * std::max(1.0, std::abs(b)); }

void ExigePositivo(double v, const char* mensagem) {
    if (!std::isfinite(v) || !(v > 0)) Recusa(mensagem);
}
}  // namespace

int BlocosDaChuvaDeProjeto(double tr, double duracao, double passo, double r) {
    ExigePositivo(tr, "Período de retorno inválido: deve ser maior que zero.");
    ExigePositivo(duracao, "Duração total inválida: deve ser maior que zero.");
    ExigePositivo(passo, "Intervalo de tempo inválido: deve ser maior que zero.");
    if (!(r >= 0 && r <= 1)) Recusa("Posição do pico inválida: deve estar entre 0 e 1.");
    if (duracao > DuracaoMaximaDaChuva) Recusa("Duração total inválida: duração até 10.080 min (7 dias).");
    const double razao = duracao / passo;
    const double n = std::nearbyint(razao);
    if (n < 1 || std::abs(razao - n) > 1e-9 * razao)
        Recusa("Intervalo de tempo inválido: deve dividir a duração total em blocos iguais.");
    if (n > BlocosMaximos) Recusa("Intervalo de tempo inválido: no máximo 10000 blocos.");
    return static_cast<int>(n);
}

THietograma CalculaHietograma(const TParametrosIdf& p, double tr, double duracao, double passo, double r) {
    const int blocos = BlocosDaChuvaDeProjeto(tr, duracao, passo, r);

    // The increments of the depth curve, largest first (ties in time order).
    std::vector<double> incrementos(static_cast<std::size_t>(blocos));
    double anterior = 0;
    for (int k = 1; k <= blocos; ++k) {
        const double acumulada = ValoresDeProjeto(p.K, p.a, p.b, p.c, tr, k * passo).Precipitacao;
        incrementos[static_cast<std::size_t>(k - 1)] = acumulada - anterior;
        anterior = acumulada;
    }
    std::vector<int> ordem(incrementos.size());
    for (std::size_t i = 0; i < ordem.size(); ++i) ordem[i] = static_cast<int>(i);
    std::stable_sort(ordem.begin(), ordem.end(), [&](int a, int b) {
        return incrementos[static_cast<std::size_t>(a)] > incrementos[static_cast<std::size_t>(b)];
    });

    THietograma h;
    h.Tr = tr;
    h.Duracao = duracao;
    h.Passo = passo;
    h.PosicaoDoPico = r;
    h.BlocoDoPico = std::clamp(static_cast<int>(std::floor(r * blocos)), 0, blocos - 1);
    std::vector<double> alturas(static_cast<std::size_t>(blocos));
    int depois = h.BlocoDoPico, antes = h.BlocoDoPico;
    alturas[static_cast<std::size_t>(h.BlocoDoPico)] = incrementos[static_cast<std::size_t>(ordem[0])];
    for (int k = 1; k < blocos; ++k) {
        const bool vaiDepois = (k % 2 == 1 && depois + 1 < blocos) || antes == 0;
        const int posicao = vaiDepois ? ++depois : --antes;
        alturas[static_cast<std::size_t>(posicao)] = incrementos[static_cast<std::size_t>(ordem[static_cast<std::size_t>(k)])];
    }
    double acumulada = 0;
    for (int k = 0; k < blocos; ++k) {
        const double altura = alturas[static_cast<std::size_t>(k)];
        acumulada += altura;
        h.Blocos.push_back({k * passo, (k + 1) * passo, altura, altura * 60 / passo, acumulada});
    }
    return h;
}

TResposta DuracaoDaIntensidadeInstantanea(const TParametrosIdf& p, double tr, double intensidade) {
    if (!(intensidade > 0)) return Nenhuma("A intensidade deve ser maior que zero.");
    auto m = Modelo(p, tr);
    if (m.Coeficiente <= 0) return Nenhuma("K, a e Tr devem ser maiores que zero.");
    const double t = m.TempoDaIntensidade(intensidade);
    try {
        if (t > 0 && Perto(m.IntensidadeInstantanea(t), intensidade)) return Valor(t);
    } catch (const std::exception&) {
    }
    return Nenhuma("Nenhuma duração tem essa intensidade instantânea: a busca do modelo não a encontrou.");
}

TResposta DuracaoDaIntensidadeMedia(const TParametrosIdf& p, double tr, double intensidade) {
    if (!(intensidade > 0)) return Nenhuma("A intensidade deve ser maior que zero.");
    if (!(p.c > 0)) return Nenhuma("Com c = 0 a intensidade média não depende da duração.");
    const double coeficiente = CoeficienteIdf(p.K, p.a, tr);
    const double t = std::pow(coeficiente / intensidade, 1 / p.c) - p.b;
    if (!(t > 0)) return Nenhuma("A intensidade pedida é maior que a da duração zero: nenhuma duração a atinge.");
    return Valor(t);
}

TResposta DuracaoDaAltura(const TParametrosIdf& p, double tr, double altura) {
    if (!(altura > 0)) return Nenhuma("A altura de chuva deve ser maior que zero.");
    auto m = Modelo(p, tr);
    if (m.Coeficiente <= 0) return Nenhuma("K, a e Tr devem ser maiores que zero.");
    const auto confere = [&](double t) {
        try {
            return t > 0 && Perto(m.PrecipitacaoDaDuracao(t), altura);
        } catch (const std::exception&) {
            return false;
        }
    };
    const double t = m.DuracaoDaPrecipitacao(altura);
    if (confere(t)) return Valor(t);
    if (p.c > 1) {
        // The depth rises up to its crest at b/(c - 1) and falls after it.
        const double crista = p.b / (p.c - 1);
        const double maxima = ValoresDeProjeto(p.K, p.a, p.b, p.c, tr, crista).Precipitacao;
        if (altura > maxima)
            return Nenhuma("Nenhuma duração dá essa altura: com c > 1 a altura de chuva cresce até um máximo "
                           "e depois diminui, e a altura pedida fica acima desse máximo.");
        // Where the model's search missed it, the root on the rising side,
        // where the depth is monotone: bisection between 0 and the crest.
        double baixo = 0, alto = crista;
        for (int i = 0; i < 200 && alto - baixo > 1e-12 * alto; ++i) {
            const double meio = (baixo + alto) / 2;
            (ValoresDeProjeto(p.K, p.a, p.b, p.c, tr, meio).Precipitacao < altura ? baixo : alto) = meio;
        }
        if (confere(alto)) return Valor(alto);
    }
    return Nenhuma("Nenhuma duração dá essa altura: a busca do modelo não a encontrou.");
}

TResposta AlturaEntre(const TParametrosIdf& p, double tr, double t1, double t2) {
    if (!(t1 >= 0) || !(t2 > t1)) return Nenhuma("A duração t1 deve ser menor que t2, e nenhuma delas negativa.");
    auto m = Modelo(p, tr);
    if (m.Coeficiente <= 0) return Nenhuma("K, a e Tr devem ser maiores que zero.");
    try {
        return Valor(m.PrecipitacaoEntre(t1, t2));
    } catch (const std::exception&) {
        return Nenhuma("A equação não pode ser avaliada nessas durações.");
    }
}

TResposta PeriodoDeRetorno(const TParametrosIdf& p, double t, double intensidade) {
    if (!(t > 0)) return Nenhuma("A duração deve ser maior que zero.");
    if (!(intensidade > 0)) return Nenhuma("A chuva observada deve ser maior que zero.");
    if (!(p.K > 0) || !(p.a > 0)) return Nenhuma("Com K ou a iguais a zero a intensidade não depende de Tr.");
    const double tr = std::pow(intensidade * std::pow(t + p.b, p.c) / p.K, 1 / p.a);
    return Valor(tr);
}

TResposta PeriodoDeRetornoDaAltura(const TParametrosIdf& p, double t, double altura) {
    if (!(t > 0)) return Nenhuma("A duração deve ser maior que zero.");
    return PeriodoDeRetorno(p, t, altura * 60 / t);
}

bool ForaDaFaixaAjustada(double tr) { return tr < PeriodoMinimoAjustado || tr > PeriodoMaximoAjustado; }

bool DuracaoForaDaFaixaAjustada(double t) { return t < DuracaoMinimaAjustada || t > DuracaoMaximaAjustada; }

std::string NotaDeExtrapolacao(double tr, double t) {
    const bool periodo = !std::isnan(tr) && ForaDaFaixaAjustada(tr);
    const bool duracao = !std::isnan(t) && DuracaoForaDaFaixaAjustada(t);
    const char* inicio = periodo && duracao ? "O período de retorno e a duração estão fora das faixas de 2 a 100 anos "
                                              "e de 5 a 1.440 min"
                         : periodo          ? "O período de retorno está fora da faixa de 2 a 100 anos"
                         : duracao          ? "A duração está fora da faixa de 5 a 1.440 min"
                                            : nullptr;
    if (!inicio) return {};
    return Ansi(inicio) + Ansi(" em que as equações costumam ser ajustadas: o valor é uma extrapolação e deve ser "
                               "usado com cautela.");
}
