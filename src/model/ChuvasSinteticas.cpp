#include "model/ChuvasSinteticas.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {

// Median curves, cumulative fraction of depth at each 5 % of duration.
const std::array<std::array<double, 21>, 4> kHuff = {{
    {0, .063, .178, .333, .500, .620, .705, .760, .798, .830, .855, .880, .898, .915, .930, .944, .958, .971, .983,
     .994, 1},
    {0, .015, .031, .070, .125, .208, .305, .420, .525, .630, .725, .805, .860, .900, .930, .948, .962, .974, .985,
     .993, 1},
    {0, .020, .040, .072, .100, .122, .140, .155, .180, .215, .280, .395, .535, .690, .790, .875, .935, .965, .985,
     .995, 1},
    {0, .020, .040, .055, .070, .085, .100, .115, .135, .155, .185, .215, .245, .290, .350, .435, .545, .740, .940,
     .975, 1},
}};

// P(Tr, t), 0 at t = 0 whatever b is.
double Altura(const TParametrosIdf& p, double tr, double t) {
    return t > 0 ? ValoresDeProjeto(p.K, p.a, p.b, p.c, tr, t).Precipitacao : 0;
}

// The blocks of a storm whose depth from the start to t is `acumulada(t)`;
// the peak is the largest block (the first of equal ones).
THietograma Blocos(double tr, double duracao, double passo, double r, int blocos,
                   const std::function<double(double)>& acumulada) {
    THietograma h;
    h.Tr = tr;
    h.Duracao = duracao;
    h.Passo = passo;
    h.PosicaoDoPico = r;
    double anterior = 0;
    for (int k = 0; k < blocos; ++k) {
        const double fim = k + 1 == blocos ? duracao : (k + 1) * passo;
        const double total = acumulada(fim);
        const double altura = total - anterior;
        h.Blocos.push_back({k * passo, (k + 1) * passo, altura, altura * 60 / passo, total});
        if (altura > h.Blocos[static_cast<std::size_t>(h.BlocoDoPico)].Altura) h.BlocoDoPico = k;
        anterior = total;
    }
    return h;
}

}  // namespace

std::string NomeDoMetodo(TMetodoChuva metodo) {
    switch (metodo) {
    case TMetodoChuva::BlocosAlternados: return Ansi("Blocos alternados");
    case TMetodoChuva::Chicago: return Ansi("Chicago (Keifer e Chu)");
    default: return Ansi("Huff, " + std::to_string(QuartilDeHuff(metodo)) + "º quartil (curva mediana)");
    }
}

bool MetodoDoNome(const std::string& nome, TMetodoChuva& metodo) {
    static const char* const nomes[] = {"blocos", "chicago", "huff1", "huff2", "huff3", "huff4"};
    for (int i = 0; i < MetodosDeChuva; ++i)
        if (nome == nomes[i]) {
            metodo = static_cast<TMetodoChuva>(i);
            return true;
        }
    return false;
}

int QuartilDeHuff(TMetodoChuva metodo) {
    const int i = static_cast<int>(metodo) - static_cast<int>(TMetodoChuva::Huff1);
    return i >= 0 && i < 4 ? i + 1 : 0;
}

THietograma CalculaChuva(TMetodoChuva metodo, const TParametrosIdf& p, double tr, double duracao, double passo,
                         double r) {
    switch (metodo) {
    case TMetodoChuva::BlocosAlternados: return CalculaHietograma(p, tr, duracao, passo, r);
    case TMetodoChuva::Chicago: return CalculaHietogramaChicago(p, tr, duracao, passo, r);
    default: return CalculaHietogramaHuff(p, tr, duracao, passo, QuartilDeHuff(metodo));
    }
}

THietograma CalculaHietogramaChicago(const TParametrosIdf& p, double tr, double duracao, double passo, double r) {
    const int blocos = BlocosDaChuvaDeProjeto(tr, duracao, passo, r);
    const double total = Altura(p, tr, duracao);
    const double pico = r * duracao;
    return Blocos(tr, duracao, passo, r, blocos, [&](double t) {
        if (t <= 0) return 0.0;
        if (t >= duracao) return total;
        if (t < pico) return r * (total - Altura(p, tr, (pico - t) / r));
        return r * total + (1 - r) * Altura(p, tr, (t - pico) / (1 - r));
    });
}

THietograma CalculaHietogramaHuff(const TParametrosIdf& p, double tr, double duracao, double passo, int quartil) {
    if (quartil < 1 || quartil > 4) throw Exception(Ansi("Quartil de Huff inválido: deve ser de 1 a 4."));
    const int blocos = BlocosDaChuvaDeProjeto(tr, duracao, passo, 0.5);
    const double total = Altura(p, tr, duracao);
    THietograma h = Blocos(tr, duracao, passo, 0.5, blocos, [&](double t) {
        return t >= duracao ? total : total * FracaoAcumuladaDeHuff(quartil, t / duracao);
    });
    h.PosicaoDoPico = (h.BlocoDoPico + 0.5) / blocos;
    return h;
}

const std::array<double, 21>& OrdenadasDeHuff(int quartil) {
    if (quartil < 1 || quartil > 4) throw Exception(Ansi("Quartil de Huff inválido: deve ser de 1 a 4."));
    return kHuff[static_cast<std::size_t>(quartil - 1)];
}

double FracaoAcumuladaDeHuff(int quartil, double fracao) {
    const auto& y = OrdenadasDeHuff(quartil);
    if (!(fracao > 0)) return 0;
    if (fracao >= 1) return 1;
    const double x = fracao * 20;
    const auto i = std::min<std::size_t>(static_cast<std::size_t>(x), 19);
    return y[i] + (y[i + 1] - y[i]) * (x - static_cast<double>(i));
}
