#include "model/TabelaIdf.h"

#include <algorithm>
#include <cmath>

#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

namespace {
bool Separador(char c) { return c == ';' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

[[noreturn]] void Recusa(const std::string& item, const std::string& entrada) {
    throw Exception(ItemInvalido(item) + Ansi(": \"") + entrada +
                    Ansi("\". Escreva números maiores que zero separados por \";\" ou espaços, "
                         "com vírgula ou ponto decimal."));
}

bool TerminaCom(const std::string& palavra, const std::string& fim) {
    return palavra.size() >= fim.size() && palavra.compare(palavra.size() - fim.size(), fim.size(), fim) == 0;
}
}  // namespace

// The items the windows name are "Duração", "Intensidade", "Altura de chuva",
// "Posição do pico", "Período de retorno", "Intervalo de tempo", "t1"...:
// the first word ending in -a, -ção or -dade is feminine.
std::string ItemInvalido(const std::string& item) {
    const std::string palavra = item.substr(0, item.find(' '));
    const bool feminino = TerminaCom(palavra, "a") || TerminaCom(palavra, Ansi("ção")) || TerminaCom(palavra, "dade");
    return item + Ansi(feminino ? " inválida" : " inválido");
}

std::vector<double> LeListaDeValores(const std::string& texto, const std::string& item, double maximo,
                                     std::size_t maximoDeItens, const std::string& limite) {
    std::vector<double> valores;
    std::size_t i = 0;
    while (i < texto.size()) {
        while (i < texto.size() && Separador(texto[i])) ++i;
        if (i == texto.size()) break;
        std::size_t fim = i;
        while (fim < texto.size() && !Separador(texto[fim])) ++fim;
        std::string entrada = texto.substr(i, fim - i);
        std::string numero = entrada;
        std::replace(numero.begin(), numero.end(), ',', '.');
        double v = 0;
        if (!TryStrToFloat(numero, '.', v) || !std::isfinite(v) || !(v > 0)) Recusa(item, entrada);
        if (v > maximo) {
            if (limite.empty()) Recusa(item, entrada);
            throw Exception(ItemInvalido(item) + Ansi(": \"") + entrada + Ansi("\" (") + limite + Ansi(")."));
        }
        valores.push_back(v);
        i = fim;
    }
    if (valores.empty())
        throw Exception(Ansi("Nenhum valor em \"") + item + Ansi("\": escreva ao menos um número maior que zero."));
    std::sort(valores.begin(), valores.end());
    valores.erase(std::unique(valores.begin(), valores.end()), valores.end());
    if (valores.size() > maximoDeItens)
        throw Exception(item + Ansi(": no máximo ") + std::to_string(maximoDeItens) + Ansi(" valores."));
    return valores;
}

double LeValor(const std::string& texto, const std::string& item) {
    std::size_t i = 0, fim = texto.size();
    while (i < fim && (texto[i] == ' ' || texto[i] == '\t')) ++i;
    while (fim > i && (texto[fim - 1] == ' ' || texto[fim - 1] == '\t')) --fim;
    std::string numero = texto.substr(i, fim - i);
    std::replace(numero.begin(), numero.end(), ',', '.');
    double v = 0;
    if (numero.empty() || !TryStrToFloat(numero, '.', v) || !std::isfinite(v))
        throw Exception(ItemInvalido(item) + Ansi(": \"") + texto.substr(i, fim - i) +
                        Ansi("\". Escreva um número, com vírgula ou ponto decimal."));
    return v;
}

std::string EscreveListaDeValores(const std::vector<double>& valores, char decSep) {
    std::string texto;
    for (double v : valores) {
        if (!texto.empty()) texto += "; ";
        texto += FloatToStr(v, decSep);
    }
    return texto;
}

TTabelaIdf CalculaTabelaIdf(const TParametrosIdf& p, const std::vector<double>& duracoes,
                            const std::vector<double>& periodos) {
    TTabelaIdf tabela{duracoes, periodos, {}};
    tabela.Valores.reserve(duracoes.size());
    for (double t : duracoes) {
        std::vector<TValoresDeProjeto> linha;
        linha.reserve(periodos.size());
        for (double tr : periodos) linha.push_back(ValoresDeProjeto(p.K, p.a, p.b, p.c, tr, t));
        tabela.Valores.push_back(std::move(linha));
    }
    return tabela;
}

std::vector<double> DuracoesDaCurva(double primeira, double ultima, int pontos, const std::vector<double>& extras) {
    std::vector<double> t;
    if (!(primeira > 0) || !(ultima >= primeira) || pontos < 2) return t;
    const double l0 = std::log(primeira), l1 = std::log(ultima);
    for (int k = 0; k < pontos; ++k) t.push_back(std::exp(l0 + (l1 - l0) * k / (pontos - 1)));
    t.front() = primeira;
    t.back() = ultima;
    for (double e : extras)
        if (e >= primeira && e <= ultima) t.push_back(e);
    std::sort(t.begin(), t.end());
    t.erase(std::unique(t.begin(), t.end()), t.end());
    return t;
}
