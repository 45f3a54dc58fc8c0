#include "ajuste/Desagregacao.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "ajuste/ErrosAjuste.h"
#include "ajuste/MaximosAnuais.h"
#include "ajuste/Registro.h"
#include "ajuste/SerieSubdiaria.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Numeros.h"

std::vector<double> TDesagregacao::Duracoes() const {
    std::vector<double> d;
    for (const TRazao& r : Razoes) d.push_back(r.Duracao);
    std::sort(d.begin(), d.end());
    return d;
}

bool TDesagregacao::Tem(double t) const {
    return std::any_of(Razoes.begin(), Razoes.end(), [&](const TRazao& r) { return r.Duracao == t; });
}

double TDesagregacao::Fator(double t) const {
    double fator = 1;
    for (int passos = 0; t != 0; ++passos) {
        const auto r = std::find_if(Razoes.begin(), Razoes.end(), [&](const TRazao& q) { return q.Duracao == t; });
        if (r == Razoes.end() || passos > static_cast<int>(Razoes.size()))
        {
            AnsiString duracoes;
            for (double d : Duracoes()) duracoes += (duracoes.empty() ? "" : ", ") + FloatToStr(d, ',');
            throw EDadosInvalidos(Ansi("Não há razão de desagregação para ") + FloatToStr(t, ',') +
                                  Ansi(" min; as razões (") + Fonte + Ansi(") dão ") + duracoes + " min.");
        }
        fator *= r->Razao;
        t = r->Base;
    }
    return fator;
}

TDesagregacao DesagregacaoCetesb() {
    TDesagregacao d;
    d.Fonte = "CETESB (1986)";
    d.Razoes = {{1440, 1.14, 0}, {720, 0.85, 1440}, {600, 0.82, 1440}, {480, 0.78, 1440}, {360, 0.72, 1440},
                {60, 0.42, 1440}, {30, 0.74, 60},   {25, 0.91, 30},    {20, 0.81, 30},    {15, 0.70, 30},
                {10, 0.54, 30},   {5, 0.34, 30}};
    return d;
}

TDesagregacao LeDesagregacaoDoTexto(const std::string& texto, const std::string& caminho) {
    TDesagregacao d;
    const std::vector<std::string> linhas = LinhasDoTexto(texto);
    const bool brasileiro = texto.find(';') != std::string::npos;
    const char separador = brasileiro ? ';' : ',', decimal = brasileiro ? ',' : '.';
    auto erro = [&](int n, const std::string& utf8) { throw ERegistroInvalido(OndeNaLinha(caminho, n) + Ansi(utf8)); };
    bool primeiraDeDados = true;
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const std::string linha = SemBrancos(linhas[i]);
        if (linha.empty()) continue;
        if (linha[0] == '#') {
            const std::size_t p = linha.find("fonte:");
            if (p != std::string::npos) d.Fonte = SemBrancos(linha.substr(p + 6));
            continue;
        }
        const std::vector<std::string> c = CamposDaLinha(linha, separador);
        double t, razao, base = 0;
        const bool numero = TryStrToFloat(SemBrancos(c[0]), decimal, t);
        if (!numero && primeiraDeDados) { primeiraDeDados = false; continue; }   // header
        primeiraDeDados = false;
        if (c.size() != 3) erro(n, "esperava duração (min), razão e base (\"dia\" ou uma duração), há " +
                                       std::to_string(c.size()) + " campos.");
        if (!numero || !(t > 0)) erro(n, "\"" + Utf8(SemBrancos(c[0])) + "\" não é uma duração em minutos.");
        if (!TryStrToFloat(SemBrancos(c[1]), decimal, razao) || !(razao > 0) || !std::isfinite(razao))
            erro(n, "\"" + Utf8(SemBrancos(c[1])) + "\" não é uma razão positiva.");
        const std::string b = SemBrancos(c[2]);
        if (b != "dia") {
            if (!TryStrToFloat(b, decimal, base) || !d.Tem(base))
                erro(n, "a base \"" + Utf8(b) + "\" não é \"dia\" nem uma duração dada numa linha anterior.");
        }
        if (d.Tem(t)) erro(n, "a duração " + Utf8(SemBrancos(c[0])) + " min já foi dada.");
        d.Razoes.push_back({t, razao, base});
    }
    if (d.Razoes.empty()) throw ERegistroInvalido(TextoDoCaminho(caminho) + Ansi(": o arquivo não tem nenhuma razão de desagregação."));
    if (d.Fonte.empty()) {
        const std::size_t barra = caminho.find_last_of('/');
        d.Fonte = Ansi("razões de ") + TextoDoCaminho(barra == std::string::npos ? caminho : caminho.substr(barra + 1));
    }
    return d;
}

TDesagregacao LeDesagregacao(const std::string& caminho) {
    const std::string texto = LeTextoDoRegistro(caminho);
    if (!PareceSubdiaria(texto)) return LeDesagregacaoDoTexto(texto, caminho);
    // A sub-daily gauge: the ratios it measured.
    TRegistro r = LeSerieSubdiaria(texto, caminho);
    r.Arquivo = caminho;
    const TMaximosAnuais m = MaximosAnuais(r);
    const std::size_t barra = caminho.find_last_of('/');
    const std::string nome = barra == std::string::npos ? caminho : caminho.substr(barra + 1);
    TDesagregacao d = RazoesMedidas(m, Ansi("razões medidas no pluviógrafo ") + TextoDoCaminho(nome) + " (" +
                                           std::to_string(m.Usados.size()) + " anos)");
    if (d.Razoes.empty())
        throw EDadosInvalidos(TextoDoCaminho(caminho) + Ansi(": a série não mede as durações das razões (24 h e o dia)."));
    return d;
}
