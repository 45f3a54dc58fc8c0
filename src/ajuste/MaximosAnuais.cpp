#include "ajuste/MaximosAnuais.h"

#include <cmath>
#include <map>

#include "ajuste/ErrosAjuste.h"
#include "ajuste/SerieSubdiaria.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Numeros.h"

namespace {

AnsiString Rotulo(int ano, int mesInicio) {
    return mesInicio == 1 ? std::to_string(ano) : std::to_string(ano) + "/" + std::to_string(ano + 1);
}

std::string Percentual(double p) { return Utf8(FormatFloat("0.0", p, ',')) + "%"; }

void MaximosDiarios(const TRegistro& r, const TOpcoesMaximos& o, TMaximosAnuais& m) {
    struct TAno { int Validos = 0; double Maximo = -1; int Dia = -1; };
    std::map<int, TAno> anos;
    auto anoDe = [&](int dia) {
        int a, mes, d;
        DataCivil(dia, a, mes, d);
        return mes >= o.MesInicio ? a : a - 1;
    };
    for (const TDiaChuva& d : r.Dias) {
        TAno& ano = anos[anoDe(d.Dia)];
        if (d.Estado != EstadoDia::Valido) continue;
        ++ano.Validos;
        if (d.Altura > ano.Maximo) { ano.Maximo = d.Altura; ano.Dia = d.Dia; }
    }
    const int primeiro = anos.begin()->first, ultimo = anos.rbegin()->first;
    for (int a = primeiro; a <= ultimo; ++a) {
        const int inicio = DiaCivil(a, o.MesInicio, 1);
        const int dias = DiaCivil(a + 1, o.MesInicio, 1) - inicio;
        const auto it = anos.find(a);
        const int validos = it == anos.end() ? 0 : it->second.Validos;
        const int faltando = dias - validos;
        const double percentual = 100.0 * faltando / dias;
        if (validos == 0) {
            m.Deixados.push_back({a, Rotulo(a, o.MesInicio), Ansi("sem nenhum dia com valor")});
        } else if (percentual > o.FaltasMax + 1e-9) {
            m.Deixados.push_back({a, Rotulo(a, o.MesInicio),
                                  Ansi(std::to_string(faltando) + " de " + std::to_string(dias) + " dias faltando (" +
                                       Percentual(percentual) + ", mais que " + Percentual(o.FaltasMax) + ")")});
        } else {
            TAnoMaximo u;
            u.Ano = a;
            u.Rotulo = Rotulo(a, o.MesInicio);
            u.Alturas = {it->second.Maximo};
            u.Dia = it->second.Dia;
            u.Faltando = faltando;
            m.Usados.push_back(std::move(u));
        }
    }
}

void MaximosTabelados(const TRegistro& r, TMaximosAnuais& m) {
    for (const TMaximoTabelado& t : r.Maximos) {
        std::string falta;
        for (std::size_t j = 0; j < t.Alturas.size(); ++j)
            if (std::isnan(t.Alturas[j]))
                falta += (falta.empty() ? "" : ", ") + Utf8(FloatToStr(r.Duracoes[j], ',')) + " min";
        if (!falta.empty())
            m.Deixados.push_back({t.Ano, std::to_string(t.Ano),
                                  Ansi(r.Tipo == TipoRegistro::MaximosDiarios ? "sem valor" : "sem valor para " + falta)});
        else m.Usados.push_back({t.Ano, std::to_string(t.Ano), t.Alturas});
    }
}

}  // namespace

std::vector<double> TMaximosAnuais::Serie(std::size_t duracao) const {
    std::vector<double> s;
    s.reserve(Usados.size());
    for (const TAnoMaximo& a : Usados) s.push_back(a.Alturas[duracao]);
    return s;
}

AnsiString TMaximosAnuais::AnosUsados() const {
    AnsiString s;
    for (const TAnoMaximo& a : Usados) s += (s.empty() ? "" : ", ") + a.Rotulo;
    return s;
}

TMaximosAnuais MaximosAnuais(const TRegistro& r, const TOpcoesMaximos& o) {
    TMaximosAnuais m;
    m.UmDia = r.Tipo != TipoRegistro::MaximosSubdiarios && r.Tipo != TipoRegistro::Subdiario;
    m.Duracoes = r.Tipo == TipoRegistro::Diario ? std::vector<double>{1440} : r.Duracoes;
    if (r.Tipo == TipoRegistro::Diario) MaximosDiarios(r, o, m);
    else if (r.Tipo == TipoRegistro::Subdiario) MaximosSubdiarios(r, o, m);
    else MaximosTabelados(r, m);

    const AnsiString arquivo = TextoDoCaminho(r.Arquivo);
    if (m.Usados.size() < MinimoDeAnos) {
        AnsiString deixados;
        for (const TAnoDeixado& d : m.Deixados) deixados += (deixados.empty() ? "" : "; ") + d.Rotulo + ": " + d.Motivo;
        throw ESemAjuste(arquivo + Ansi(": só " + std::to_string(m.Usados.size()) + " ano(s) utilizável(is) (") +
                         (m.Usados.empty() ? Ansi("nenhum") : m.AnosUsados()) +
                         Ansi("); são precisos pelo menos " + std::to_string(MinimoDeAnos) + ".") +
                         (deixados.empty() ? AnsiString() : Ansi(" Anos deixados de fora: ") + deixados + "."));
    }
    for (std::size_t j = 0; j < m.Duracoes.size(); ++j) {
        const std::vector<double> s = m.Serie(j);
        bool varia = false;
        for (double v : s) varia = varia || v != s[0];
        if (!varia)
            throw ESemAjuste(arquivo + Ansi(s[0] == 0 ? ": todos os máximos anuais são zero; não há chuva a ajustar."
                                                      : ": todos os máximos anuais são iguais; não há variação a ajustar."));
    }
    if (m.Usados.size() < AnosRecomendados)
        m.Avisos.push_back(Ansi("Só " + std::to_string(m.Usados.size()) + " anos utilizáveis: o ajuste é pouco "
                                "confiável (recomendam-se pelo menos " + std::to_string(AnosRecomendados) + ")."));
    return m;
}
