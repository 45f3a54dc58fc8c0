#include "JsonAjuste.h"

#include <charconv>
#include <cmath>

#include "ajuste/SerieSubdiaria.h"
#include "platform/Cp1252.h"

namespace {

std::string Num(double v) {
    if (!std::isfinite(v)) return "null";
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string Texto(const AnsiString& ansi) {
    std::string s = "\"";
    for (unsigned char ch : Utf8(ansi)) {
        if (ch == '"' || ch == '\\') { s += '\\'; s += static_cast<char>(ch); }
        else if (ch < 0x20) { char b[8]; std::snprintf(b, sizeof b, "\\u%04x", ch); s += b; }
        else s += static_cast<char>(ch);
    }
    return s + "\"";
}

std::string Ic(const TIntervalo& i, bool tem) {
    return tem ? "[" + Num(i.Inferior) + "," + Num(i.Superior) + "]" : "null";
}

template <class T, class F>
std::string Lista(const std::vector<T>& v, F f) {
    std::string s = "[";
    for (std::size_t i = 0; i < v.size(); ++i) s += (i ? "," : "") + f(v[i]);
    return s + "]";
}

}  // namespace

void EscreveJson(const TResultadoAjuste& r, int ano, std::ostream& s) {
    const bool ic = r.Replicas > 0;
    s << "{\"registro\":{\"arquivo\":" << Texto(r.Arquivo) << ",\"formato\":" << Texto(r.Formato)
      << ",\"estacao\":" << Texto(r.Estacao) << ",\"anos_usados\":"
      << Lista(r.Maximos.Usados, [](const TAnoMaximo& a) { return Texto(a.Rotulo); })
      << ",\"anos_deixados\":" << Lista(r.Maximos.Deixados, [](const TAnoDeixado& a) {
             return "{\"ano\":" + Texto(a.Rotulo) + ",\"motivo\":" + Texto(a.Motivo) + "}";
         })
      << "},\"avisos\":" << Lista(r.Avisos, [](const AnsiString& a) { return Texto(a); });
    s << ",\"maximos_anuais\":{\"duracoes_min\":" << Lista(r.Maximos.Duracoes, Num) << ",\"anos\":"
      << Lista(r.Maximos.Usados, [](const TAnoMaximo& a) {
             return "{\"ano\":" + Texto(a.Rotulo) + ",\"mm\":" + Lista(a.Alturas, Num) + "}";
         })
      << "}";
    s << ",\"series\":" << Lista(r.Series, [&](const TAnaliseSerie& a) {
        std::string t = "{\"duracao_min\":" + Num(a.Duracao) + ",\"distribuicoes\":" +
                        Lista(a.Candidatas, [](const TCandidata& c) {
                            return "{\"distribuicao\":" + Texto(NomeDistribuicao(c.P.Dist)) + ",\"metodo\":" +
                                   Texto(NomeMetodo(c.P.Met)) + ",\"posicao\":" + Num(c.P.Posicao) +
                                   ",\"escala\":" + Num(c.P.Escala) + ",\"forma\":" + Num(c.P.Forma) +
                                   ",\"ks\":" + Num(c.Testes.Ks) + ",\"p_ks\":" + Num(c.Testes.PKs) +
                                   ",\"ad\":" + Num(c.Testes.Ad) + ",\"p_ad\":" + Num(c.Testes.PAd) + "}";
                        }) +
                        ",\"escolhida\":" + std::to_string(a.Escolhida) + ",\"quantis\":[";
        for (std::size_t k = 0; k < r.Tr.size(); ++k)
            t += (k ? "," : "") + std::string("{\"tr\":") + Num(r.Tr[k]) + ",\"mm\":" + Num(a.Quantis[k]) +
                 ",\"ic90\":" + Ic(k < a.IcQuantis.size() ? a.IcQuantis[k] : TIntervalo{}, ic) + "}";
        return t + "]}";
    });
    s << ",\"desagregacao\":" << (r.FonteDesagregacao.empty() ? "null" : Texto(r.FonteDesagregacao));
    // A sub-daily series: its interval and the ratios it measured.
    s << ",\"intervalo_min\":" << (r.Maximos.Intervalo > 0 ? std::to_string(r.Maximos.Intervalo) : std::string("null"));
    s << ",\"razoes_medidas\":"
      << (r.Maximos.Intervalo > 0 ? Lista(RazoesMedidas(r.Maximos, {}).Razoes, [](const TRazao& z) {
             return "{\"duracao_min\":" + Num(z.Duracao) + ",\"base_min\":" + (z.Base == 0 ? std::string("\"dia\"") : Num(z.Base)) +
                    ",\"razao\":" + Num(z.Razao) + "}";
         })
                                  : std::string("null"));
    s << ",\"tabela\":" << Lista(r.Tabela, [&](const TLinhaTabela& l) {
        return "{\"tr\":" + Num(l.Ponto.Tr) + ",\"t_min\":" + Num(l.Ponto.T) + ",\"i\":" + Num(l.Ponto.I) +
               ",\"i_ajustada\":" + Num(l.Ajustada) + ",\"ic90_i\":" + Ic(l.IcTabela, ic) +
               ",\"ic90_i_ajustada\":" + Ic(l.IcAjustada, ic) + "}";
    });
    s << ",\"K\":" << Num(r.Equacao.K) << ",\"a\":" << Num(r.Equacao.a) << ",\"b\":" << Num(r.Equacao.b)
      << ",\"c\":" << Num(r.Equacao.c) << ",\"R2\":" << Num(r.Qualidade.R2) << ",\"RMSE\":" << Num(r.Qualidade.Rmse)
      << ",\"erro_relativo_max\":" << Num(r.Qualidade.ErroRelativoMaximo);
    s << ",\"ic90\":{\"K\":" << Ic(r.IcK, ic) << ",\"a\":" << Ic(r.Ica, ic) << ",\"b\":" << Ic(r.Icb, ic)
      << ",\"c\":" << Ic(r.Icc, ic) << "}";
    s << ",\"bootstrap\":{\"replicas\":" << r.Replicas << ",\"falhas\":" << r.ReplicasFalhas
      << ",\"semente\":" << r.Semente << "},\"citacao\":" << Texto(r.Citacao(ano))
      << ",\"descricao\":" << Texto(r.Descricao()) << "}\n";
}
