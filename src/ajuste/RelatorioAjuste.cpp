#include "ajuste/RelatorioAjuste.h"

#include "ajuste/SerieSubdiaria.h"

#include <cmath>

#include "database/Coordenadas.h"
#include "database/DadosDoUsuario.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Numeros.h"

namespace {

AnsiString N(double v, const char* padrao, char d) { return std::isfinite(v) ? FormatFloat(padrao, v, d) : AnsiString("-"); }
AnsiString Tr(double tr, char d) { return FloatToStr(tr, d); }

using TTabela = TTabelaRelatorio;

}  // namespace

std::vector<TTabelaRelatorio> TabelasDoRelatorio(const TResultadoAjuste& r, char d) {
    std::vector<TTabela> t;
    TTabela maximos{Ansi("Máximos anuais (mm)"), {}};
    std::vector<AnsiString> cab{"Ano"};
    for (double du : r.Maximos.Duracoes) cab.push_back(r.Maximos.UmDia ? Ansi("1 dia") : FloatToStr(du, d) + " min");
    maximos.Linhas.push_back(cab);
    for (const TAnoMaximo& a : r.Maximos.Usados) {
        std::vector<AnsiString> l{a.Rotulo};
        for (double v : a.Alturas) l.push_back(N(v, "0.0", d));
        maximos.Linhas.push_back(l);
    }
    t.push_back(maximos);
    TTabela deixados{Ansi("Anos deixados de fora"), {{"Ano", "Motivo"}}};
    for (const TAnoDeixado& a : r.Maximos.Deixados) deixados.Linhas.push_back({a.Rotulo, a.Motivo});
    t.push_back(deixados);
    for (const TAnaliseSerie& s : r.Series) {
        const AnsiString qual = r.Maximos.UmDia ? Ansi("1 dia") : FloatToStr(s.Duracao, d) + " min";
        TTabela dist{Ansi("Distribuições (") + qual + ")",
                     {{Ansi("Distribuição"), Ansi("Método"), Ansi("Posição"), Ansi("Escala"), Ansi("Forma"), "KS",
                       Ansi("p KS"), "AD", Ansi("p AD"), Ansi("Escolhida")}}};
        for (std::size_t c = 0; c < s.Candidatas.size(); ++c) {
            const TCandidata& k = s.Candidatas[c];
            dist.Linhas.push_back({NomeDistribuicao(k.P.Dist), NomeMetodo(k.P.Met), N(k.P.Posicao, "0.000", d),
                                   N(k.P.Escala, "0.000", d), N(k.P.Forma, "0.0000", d), N(k.Testes.Ks, "0.0000", d),
                                   N(k.Testes.PKs, "0.000", d), N(k.Testes.Ad, "0.0000", d),
                                   N(k.Testes.PAd, "0.000", d), c == s.Escolhida ? Ansi("sim") : AnsiString()});
        }
        t.push_back(dist);
        TTabela q{Ansi("Quantis (") + qual + ", mm)", {{"Tr (anos)", Ansi("Altura"), Ansi("IC 90% inferior"), Ansi("IC 90% superior")}}};
        for (std::size_t k = 0; k < r.Tr.size(); ++k) {
            const TIntervalo ic = k < s.IcQuantis.size() ? s.IcQuantis[k] : TIntervalo{NAN, NAN};
            q.Linhas.push_back({Tr(r.Tr[k], d), N(s.Quantis[k], "0.0", d), N(ic.Inferior, "0.0", d), N(ic.Superior, "0.0", d)});
        }
        t.push_back(q);
    }
    TTabela tab{r.FonteDesagregacao.empty() ? Ansi("Intensidades (mm/h)") : Ansi("Intensidades desagregadas e ajustadas (mm/h)"),
                {{"Tr (anos)", Ansi("t (min)"), Ansi("i tabela"), Ansi("i equação"), Ansi("Erro relativo"),
                  Ansi("IC 90% inferior"), Ansi("IC 90% superior")}}};
    for (const TLinhaTabela& l : r.Tabela)
        tab.Linhas.push_back({Tr(l.Ponto.Tr, d), FloatToStr(l.Ponto.T, d), N(l.Ponto.I, "0.00", d), N(l.Ajustada, "0.00", d),
                              N((l.Ajustada - l.Ponto.I) / l.Ponto.I, "0.0000", d),
                              N(r.Replicas ? l.IcAjustada.Inferior : NAN, "0.00", d),
                              N(r.Replicas ? l.IcAjustada.Superior : NAN, "0.00", d)});
    t.push_back(tab);
    const bool ic = r.Replicas > 0;
    TTabela eq{Ansi("Equação i = K·Tr^a/(t+b)^c"), {{Ansi("Parâmetro"), Ansi("Valor"), Ansi("IC 90% inferior"), Ansi("IC 90% superior")}}};
    eq.Linhas.push_back({"K", N(r.Equacao.K, "0.000", d), N(ic ? r.IcK.Inferior : NAN, "0.000", d), N(ic ? r.IcK.Superior : NAN, "0.000", d)});
    eq.Linhas.push_back({"a", N(r.Equacao.a, "0.0000", d), N(ic ? r.Ica.Inferior : NAN, "0.0000", d), N(ic ? r.Ica.Superior : NAN, "0.0000", d)});
    eq.Linhas.push_back({"b", N(r.Equacao.b, "0.000", d), N(ic ? r.Icb.Inferior : NAN, "0.000", d), N(ic ? r.Icb.Superior : NAN, "0.000", d)});
    eq.Linhas.push_back({"c", N(r.Equacao.c, "0.0000", d), N(ic ? r.Icc.Inferior : NAN, "0.0000", d), N(ic ? r.Icc.Superior : NAN, "0.0000", d)});
    eq.Linhas.push_back({Ansi("R²"), N(r.Qualidade.R2, "0.0000", d), "", ""});
    eq.Linhas.push_back({Ansi("RMSE (mm/h)"), N(r.Qualidade.Rmse, "0.000", d), "", ""});
    eq.Linhas.push_back({Ansi("Maior erro relativo"), N(r.Qualidade.ErroRelativoMaximo, "0.0000", d), "", ""});
    t.push_back(eq);
    if (r.Maximos.Intervalo > 0) {
        // What the gauge measured beside the fixed ratios that take a daily record down.
        const TDesagregacao medidas = RazoesMedidas(r.Maximos, {});
        const TDesagregacao cetesb = DesagregacaoCetesb();
        TTabela razoes{Ansi("Razões entre as médias dos máximos anuais, medidas e CETESB"),
                       {{Ansi("Razão"), Ansi("Medida"), Ansi("CETESB")}}};
        for (const TRazao& z : medidas.Razoes) {
            double fixa = NAN;
            for (const TRazao& c : cetesb.Razoes)
                if (c.Duracao == z.Duracao && c.Base == z.Base) fixa = c.Razao;
            const AnsiString nome = FloatToStr(z.Duracao, d) + " min / " + (z.Base == 0 ? Ansi("1 dia") : FloatToStr(z.Base, d) + " min");
            razoes.Linhas.push_back({nome, N(z.Razao, "0.000", d), N(fixa, "0.000", d)});
        }
        t.push_back(razoes);
    }
    return t;
}

namespace {

AnsiString CampoCsv(const AnsiString& s, char sep) {
    if (s.find(sep) == AnsiString::npos && s.find('"') == AnsiString::npos) return s;
    AnsiString q = "\"";
    for (char ch : s) q += ch == '"' ? AnsiString("\"\"") : AnsiString(1, ch);
    return q + "\"";
}

AnsiString Html(const AnsiString& s) {
    AnsiString h;
    for (char ch : s) {
        if (ch == '<') h += "&lt;";
        else if (ch == '>') h += "&gt;";
        else if (ch == '&') h += "&amp;";
        else if (ch == '"') h += "&quot;";
        else h += ch;
    }
    return h;
}

AnsiString Cabecalho(const TResultadoAjuste& r, char d) {
    return Ansi("i = ") + N(r.Equacao.K, "0.000", d) + Ansi("·Tr^") + N(r.Equacao.a, "0.0000", d) + "/(t+" +
           N(r.Equacao.b, "0.000", d) + ")^" + N(r.Equacao.c, "0.0000", d) + Ansi(" (i em mm/h, t em min, Tr em anos)");
}

}  // namespace

AnsiString RelatorioTexto(const TResultadoAjuste& r, char d) {
    AnsiString s = Ansi("Ajuste de equação IDF\n") + r.Descricao() + "\n";
    for (const AnsiString& a : r.Avisos) s += Ansi("Aviso: ") + a + "\n";
    s += Cabecalho(r, d) + "\n";
    for (const TTabela& t : TabelasDoRelatorio(r, d)) {
        s += "\n" + t.Titulo + "\n";
        std::vector<std::size_t> larguras;
        for (const auto& l : t.Linhas)
            for (std::size_t j = 0; j < l.size(); ++j) {
                if (larguras.size() <= j) larguras.push_back(0);
                larguras[j] = std::max(larguras[j], l[j].size());
            }
        for (const auto& l : t.Linhas) {
            AnsiString linha;
            for (std::size_t j = 0; j < l.size(); ++j)
                linha += (j ? "  " : "") + l[j] + AnsiString(larguras[j] - l[j].size(), ' ');
            while (!linha.empty() && linha.back() == ' ') linha.pop_back();
            s += linha + "\n";
        }
    }
    return s;
}

AnsiString RelatorioCsv(const TResultadoAjuste& r, char sep, char d) {
    AnsiString s;
    for (const AnsiString& a : r.Avisos) s += CampoCsv(Ansi("Aviso: ") + a, sep) + "\r\n";
    for (const TTabela& t : TabelasDoRelatorio(r, d)) {
        if (!s.empty()) s += "\r\n";
        s += CampoCsv(t.Titulo, sep) + "\r\n";
        for (const auto& l : t.Linhas) {
            for (std::size_t j = 0; j < l.size(); ++j) s += (j ? AnsiString(1, sep) : AnsiString()) + CampoCsv(l[j], sep);
            s += "\r\n";
        }
    }
    return s;
}

AnsiString RelatorioHtml(const TResultadoAjuste& r, char d) {
    AnsiString s = "<html><head><meta charset=\"windows-1252\"><title>" + Ansi("Ajuste de equação IDF") +
                   "</title></head><body>\n<h2>" + Ansi("Ajuste de equação IDF") + (r.Estacao.empty() ? "" : " - " + Html(r.Estacao)) +
                   "</h2>\n<p>" + Html(r.Descricao()) + "</p>\n";
    for (const AnsiString& a : r.Avisos) s += Ansi("<p><b>Aviso:</b> ") + Html(a) + "</p>\n";
    s += "<p><b>" + Html(Cabecalho(r, d)) + "</b></p>\n";
    for (const TTabela& t : TabelasDoRelatorio(r, d)) {
        if (t.Linhas.size() < 2) continue;
        s += "<h3>" + Html(t.Titulo) + "</h3>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n";
        for (std::size_t i = 0; i < t.Linhas.size(); ++i) {
            s += "<tr>";
            for (const AnsiString& c : t.Linhas[i]) s += (i ? "<td>" : "<th>") + Html(c) + (i ? "</td>" : "</th>");
            s += "</tr>\n";
        }
        s += "</table>\n";
    }
    return s + "</body></html>\n";
}

AnsiString LinhaEstacaoCsv(const AnsiString& uf, const AnsiString& nome, const TEquacao& e, const AnsiString& citacao,
                           double latitude, double longitude) {
    auto campo = [](const AnsiString& v) { return CampoCsv(v, ','); };
    return campo(uf) + "," + campo(nome) + "," + FormatFloat("0.00", e.K, '.') + "," + FormatFloat("0.0000", e.a, '.') +
           "," + FormatFloat("0.000", e.b, '.') + "," + FormatFloat("0.0000", e.c, '.') + "," + campo(citacao) + "," +
           campo(TextoDeGrausDecimais(std::abs(latitude))) + "," + campo(TextoDeGrausDecimais(std::abs(longitude)));
}

TEstacaoAdicionada EstacaoDoAjuste(const TResultadoAjuste& r, const AnsiString& uf, const AnsiString& nome,
                                   double latitude, double longitude, int anoCitacao) {
    const AnsiString citacao = r.Citacao(anoCitacao);
    TEstacaoAdicionada e;
    e.LinhaCsv = Utf8(LinhaEstacaoCsv(uf, nome, r.Equacao, citacao, latitude, longitude));
    e.Uf = Utf8(uf);
    e.Nome = Utf8(nome);
    e.Citacao = Utf8(citacao);
    e.Descricao = Utf8(r.Descricao());
    for (const TLinhaTabela& l : r.Tabela)
        e.Intervalos.push_back({l.Ponto.Tr, l.Ponto.T, l.IcAjustada.Inferior, l.IcAjustada.Superior});
    return e;
}
