#include "ajuste/Ajuste.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "ajuste/ErrosAjuste.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Numeros.h"

namespace {

std::vector<std::pair<Distribuicao, Metodo>> Candidatas(const TOpcoesAjuste& o) {
    std::vector<std::pair<Distribuicao, Metodo>> c;
    const std::pair<Distribuicao, Metodo> todas[] = {
        {Distribuicao::Gumbel, Metodo::Momentos}, {Distribuicao::Gumbel, Metodo::LMomentos},
        {Distribuicao::Gumbel, Metodo::MaximaVerossimilhanca}, {Distribuicao::Gev, Metodo::LMomentos},
        {Distribuicao::Gev, Metodo::MaximaVerossimilhanca}};
    for (const auto& [d, m] : todas) {
        if (o.Dist && *o.Dist != d) continue;
        if (o.Met ? *o.Met != m : (d == Distribuicao::Gumbel && m == Metodo::MaximaVerossimilhanca)) continue;
        if (MetodoValido(d, m)) c.push_back({d, m});
    }
    if (c.empty()) throw ESemAjuste(Ansi("A GEV não é ajustada pelo método dos momentos; use momentos-L ou máxima verossimilhança."));
    return c;
}

// Table intensities (Tr-major) from the quantiles of each series.
void Intensidades(const std::vector<std::vector<double>>& quantis, const std::vector<double>& tr,
                  const std::vector<double>& duracoes, const std::vector<double>& fatores, bool umDia,
                  std::vector<TPontoIdf>& pontos) {
    pontos.clear();
    for (std::size_t k = 0; k < tr.size(); ++k)
        for (std::size_t j = 0; j < duracoes.size(); ++j) {
            const double altura = umDia ? quantis[0][k] * fatores[j] : quantis[j][k];
            pontos.push_back({tr[k], duracoes[j], altura * 60 / duracoes[j]});
        }
}

TIntervalo Intervalo(std::vector<double>& v) { return {Percentil(v, 0.05), Percentil(v, 0.95)}; }

}  // namespace

double Percentil(std::vector<double>& v, double p) {
    if (v.empty()) return std::nan("");
    std::sort(v.begin(), v.end());
    const double h = (v.size() - 1) * p;
    const std::size_t i = static_cast<std::size_t>(std::floor(h));
    return i + 1 < v.size() ? v[i] + (h - i) * (v[i + 1] - v[i]) : v[i];
}

AnsiString TResultadoAjuste::Citacao(int ano) const {
    AnsiString c = (Estacao.empty() ? AnsiString("Ajuste de registro") : "Ajuste ANA " + Estacao) + " (" +
                   std::to_string(ano) + ")";
    return c.size() > 30 ? c.substr(0, 30) : c;
}

const TLinhaTabela* TResultadoAjuste::Linha(double tr, double t) const {
    for (const TLinhaTabela& l : Tabela)
        if (l.Ponto.Tr == tr && l.Ponto.T == t) return &l;
    return nullptr;
}

AnsiString TResultadoAjuste::Descricao() const {
    const TParametros& p = Series[0].Parametros();
    AnsiString d = Ansi("Registro ") + TextoDoCaminho(Arquivo) + " (" + Formato + ")";
    if (!Estacao.empty()) d += Ansi(", estação ") + Estacao;
    d += Ansi("; ") + std::to_string(Maximos.Usados.size()) + Ansi(" anos usados (") + Maximos.AnosUsados() + ")";
    if (!Maximos.Deixados.empty()) {
        d += Ansi("; deixados de fora: ");
        for (std::size_t i = 0; i < Maximos.Deixados.size(); ++i)
            d += (i ? "; " : "") + Maximos.Deixados[i].Rotulo + " (" + Maximos.Deixados[i].Motivo + ")";
    }
    d += Ansi(". Distribuição ") + NomeDistribuicao(p.Dist) + Ansi(" por ") + NomeMetodo(p.Met) + ". ";
    d += FonteDesagregacao.empty() ? Ansi("Máximos subdiários, sem desagregação. ")
                                   : Ansi("Desagregação: ") + FonteDesagregacao + ". ";
    d += Ansi("K, a, b, c por mínimos quadrados não lineares (Levenberg-Marquardt) em ") +
         std::to_string(Tabela.size()) + Ansi(" intensidades; R² = ") + FormatFloat("0.0000", Qualidade.R2, ',') + ".";
    if (Replicas > 0)
        d += Ansi(" Intervalos de 90% por bootstrap dos máximos anuais (") + std::to_string(Replicas) +
             Ansi(" réplicas, semente ") + std::to_string(Semente) + ").";
    return d;
}

TResultadoAjuste AjustaRegistro(const TRegistro& registro, const TOpcoesAjuste& o) {
    TResultadoAjuste r;
    r.Arquivo = registro.Arquivo;
    r.Formato = registro.Formato;
    r.Estacao = registro.Estacao;
    r.Maximos = MaximosAnuais(registro, o.Maximos);
    r.Avisos = r.Maximos.Avisos;
    r.Tr = o.Tr;
    r.Semente = o.Semente;
    const bool umDia = r.Maximos.UmDia;
    std::vector<double> fatores;
    std::vector<std::size_t> colunas;   // sub-daily: the table column of each duration
    if (umDia) {
        r.FonteDesagregacao = o.Desagregacao.Fonte;
        r.Duracoes = o.Duracoes.empty() ? o.Desagregacao.Duracoes() : o.Duracoes;
        for (double t : r.Duracoes) fatores.push_back(o.Desagregacao.Fator(t));
        colunas = {0};
    } else {
        r.Duracoes = o.Duracoes.empty() ? r.Maximos.Duracoes : o.Duracoes;
        for (double t : r.Duracoes) {
            const auto it = std::find(r.Maximos.Duracoes.begin(), r.Maximos.Duracoes.end(), t);
            if (it == r.Maximos.Duracoes.end())
                throw EDadosInvalidos(TextoDoCaminho(r.Arquivo) + Ansi(": a tabela não tem a duração ") +
                                      FloatToStr(t, ',') + " min.");
            colunas.push_back(static_cast<std::size_t>(it - r.Maximos.Duracoes.begin()));
        }
    }

    std::mt19937_64 gerador(o.Semente);
    const auto candidatas = Candidatas(o);
    std::vector<std::vector<double>> quantis;
    for (std::size_t s = 0; s < colunas.size(); ++s) {
        TAnaliseSerie a;
        a.Duracao = umDia ? 1440 : r.Duracoes[s];
        const std::vector<double> serie = r.Maximos.Serie(colunas[s]);
        for (const auto& [d, m] : candidatas) {
            try {
                TCandidata c;
                c.P = Ajusta(d, m, serie);
                c.Testes = Aderencia(c.P, serie, o.ReplicasAderencia, gerador);
                a.Candidatas.push_back(c);
            } catch (const ESemAjuste& e) {
                if (candidatas.size() == 1) throw;
                r.Avisos.push_back(NomeDistribuicao(d) + " (" + NomeMetodo(m) + "): " + e.Message());
            }
        }
        if (a.Candidatas.empty()) throw ESemAjuste(TextoDoCaminho(r.Arquivo) + Ansi(": nenhuma distribuição se ajustou."));
        for (std::size_t c = 1; c < a.Candidatas.size(); ++c)
            if (a.Candidatas[c].Testes.PAd > a.Candidatas[a.Escolhida].Testes.PAd) a.Escolhida = c;
        for (double tr : r.Tr) a.Quantis.push_back(QuantilTr(a.Parametros(), tr));
        quantis.push_back(a.Quantis);
        r.Series.push_back(std::move(a));
    }

    std::vector<TPontoIdf> pontos;
    Intensidades(quantis, r.Tr, r.Duracoes, fatores, umDia, pontos);
    try {
        r.Equacao = AjustaEquacao(pontos);
    } catch (const ESemAjuste& e) {
        throw ESemAjuste(TextoDoCaminho(r.Arquivo) + ": " + e.Message());
    }
    r.Qualidade = Qualidade(r.Equacao, pontos);
    for (const TPontoIdf& p : pontos) r.Tabela.push_back({p, r.Equacao.Intensidade(p.Tr, p.T), {}, {}});

    // Bootstrap of the chain with the chosen distribution and method of each series.
    const std::size_t n = r.Maximos.Usados.size();
    std::vector<std::vector<std::vector<double>>> repQuantis(colunas.size(), std::vector<std::vector<double>>(r.Tr.size()));
    std::vector<std::vector<double>> repTabela(pontos.size()), repAjustada(pontos.size());
    std::vector<double> repK, repA, repB, repC;
    std::vector<double> amostra(n);
    std::vector<std::size_t> anos(n);
    std::vector<std::vector<double>> series;
    for (std::size_t s = 0; s < colunas.size(); ++s) series.push_back(r.Maximos.Serie(colunas[s]));
    std::vector<std::vector<double>> q(colunas.size(), std::vector<double>(r.Tr.size()));
    std::vector<TPontoIdf> pts;
    for (int b = 0; b < o.Bootstrap; ++b) {
        for (std::size_t i = 0; i < n; ++i) anos[i] = static_cast<std::size_t>(Uniforme(gerador) * n);
        try {
            for (std::size_t s = 0; s < colunas.size(); ++s) {
                for (std::size_t i = 0; i < n; ++i) amostra[i] = series[s][anos[i]];
                const TParametros& p0 = r.Series[s].Parametros();
                const TParametros p = Ajusta(p0.Dist, p0.Met, amostra);
                for (std::size_t k = 0; k < r.Tr.size(); ++k) q[s][k] = QuantilTr(p, r.Tr[k]);
            }
            Intensidades(q, r.Tr, r.Duracoes, fatores, umDia, pts);
            const TEquacao e = AjustaEquacao(pts, r.Equacao);
            for (std::size_t s = 0; s < colunas.size(); ++s)
                for (std::size_t k = 0; k < r.Tr.size(); ++k) repQuantis[s][k].push_back(q[s][k]);
            for (std::size_t j = 0; j < pts.size(); ++j) {
                repTabela[j].push_back(pts[j].I);
                repAjustada[j].push_back(e.Intensidade(pts[j].Tr, pts[j].T));
            }
            repK.push_back(e.K); repA.push_back(e.a); repB.push_back(e.b); repC.push_back(e.c);
            ++r.Replicas;
        } catch (const ESemAjuste&) {
            ++r.ReplicasFalhas;
        }
    }
    if (r.Replicas > 0) {
        for (std::size_t s = 0; s < colunas.size(); ++s)
            for (std::size_t k = 0; k < r.Tr.size(); ++k) r.Series[s].IcQuantis.push_back(Intervalo(repQuantis[s][k]));
        for (std::size_t j = 0; j < pontos.size(); ++j) {
            r.Tabela[j].IcTabela = Intervalo(repTabela[j]);
            r.Tabela[j].IcAjustada = Intervalo(repAjustada[j]);
        }
        r.IcK = Intervalo(repK); r.Ica = Intervalo(repA); r.Icb = Intervalo(repB); r.Icc = Intervalo(repC);
    }
    if (r.ReplicasFalhas > 0)
        r.Avisos.push_back(Ansi(std::to_string(r.ReplicasFalhas) + " réplica(s) do bootstrap não se ajustaram e ficaram de fora."));
    return r;
}
