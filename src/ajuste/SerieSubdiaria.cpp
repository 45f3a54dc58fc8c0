#include "ajuste/SerieSubdiaria.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>

#include "ajuste/ErrosAjuste.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Numeros.h"

namespace {

[[noreturn]] void Erro(const std::string& caminho, int linha, const std::string& utf8) {
    throw ERegistroInvalido(OndeNaLinha(caminho, linha) + Ansi(utf8));
}

bool Digitos(const char* p, int n, int& v) {
    v = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9') return false;
        v = v * 10 + (p[i] - '0');
    }
    return true;
}

std::string TextoHora(long long minutos) {
    int a, m, d;
    const long long dia = minutos >= 0 ? minutos / 1440 : -((-minutos + 1439) / 1440);
    DataCivil(static_cast<int>(dia), a, m, d);
    const long long resto = minutos - dia * 1440;
    char b[64];
    std::snprintf(b, sizeof b, "%04d-%02d-%02d %02lld:%02lld", a, m, d, resto / 60, resto % 60);
    return b;
}

int AnoDoMinuto(long long minutos, int mesInicio) {
    int a, m, d;
    DataCivil(static_cast<int>(minutos / 1440), a, m, d);
    return m >= mesInicio ? a : a - 1;
}

AnsiString Rotulo(int ano, int mesInicio) {
    return mesInicio == 1 ? std::to_string(ano) : std::to_string(ano) + "/" + std::to_string(ano + 1);
}

}  // namespace

bool LeDataHora(const std::string& s, long long& minutos) {
    int a = 0, m = 0, d = 0, h = 0, mi = 0, se = 0;
    std::size_t p = 0;
    if (s.size() >= 16 && s[4] == '-' && s[7] == '-' && (s[10] == ' ' || s[10] == 'T')) {
        if (!Digitos(s.data(), 4, a) || !Digitos(s.data() + 5, 2, m) || !Digitos(s.data() + 8, 2, d)) return false;
        p = 11;
    } else if (s.size() >= 16 && s[2] == '/' && s[5] == '/' && s[10] == ' ') {
        if (!Digitos(s.data(), 2, d) || !Digitos(s.data() + 3, 2, m) || !Digitos(s.data() + 6, 4, a)) return false;
        p = 11;
    } else {
        return false;
    }
    if (s.size() < p + 5 || s[p + 2] != ':' || !Digitos(s.data() + p, 2, h) || !Digitos(s.data() + p + 3, 2, mi))
        return false;
    p += 5;
    if (s.size() >= p + 3 && s[p] == ':') {
        if (!Digitos(s.data() + p + 1, 2, se)) return false;
        p += 3;
    }
    if (p != s.size() || m < 1 || m > 12 || d < 1 || d > DiasNoMes(a, m) || h > 23 || mi > 59 || se != 0) return false;
    minutos = static_cast<long long>(DiaCivil(a, m, d)) * 1440 + h * 60 + mi;
    return true;
}

TRegistro LeSerieSubdiaria(const std::string& texto, const std::string& caminho) {
    // One pass over the text: times, depths and line numbers.
    std::vector<long long> horas;
    std::vector<double> valores;
    std::vector<int> numeros;
    horas.reserve(texto.size() / 20);
    valores.reserve(texto.size() / 20);
    numeros.reserve(texto.size() / 20);
    char separador = 0, decimal = '.';
    bool cabecalho = false;
    int n = 0;
    std::size_t i = texto.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    std::string campo;
    while (i < texto.size()) {
        std::size_t fim = texto.find('\n', i);
        if (fim == std::string::npos) fim = texto.size();
        std::size_t f = fim;
        if (f > i && texto[f - 1] == '\r') --f;
        ++n;
        std::string_view linha(texto.data() + i, f - i);
        i = fim + 1;
        while (!linha.empty() && (linha.front() == ' ' || linha.front() == '\t')) linha.remove_prefix(1);
        while (!linha.empty() && (linha.back() == ' ' || linha.back() == '\t')) linha.remove_suffix(1);
        if (linha.empty() || linha.front() == '#') continue;
        if (!cabecalho) {   // the header names the columns
            separador = linha.find(';') != std::string_view::npos ? ';' : ',';
            decimal = separador == ';' ? ',' : '.';
            cabecalho = true;
            continue;
        }
        const std::size_t corte = linha.find(separador);
        if (corte == std::string_view::npos) Erro(caminho, n, "esperava data e hora, e a altura de chuva.");
        std::string_view dh = linha.substr(0, corte), alt = linha.substr(corte + 1);
        if (alt.find(separador) != std::string_view::npos) Erro(caminho, n, "esperava 2 campos.");
        auto apara = [](std::string_view v) {
            while (!v.empty() && (v.front() == ' ' || v.front() == '"')) v.remove_prefix(1);
            while (!v.empty() && (v.back() == ' ' || v.back() == '"')) v.remove_suffix(1);
            return v;
        };
        dh = apara(dh);
        alt = apara(alt);
        long long minutos = 0;
        if (!LeDataHora(std::string(dh), minutos))
            Erro(caminho, n, "\"" + Utf8(std::string(dh)) + "\" não é uma data e hora (aaaa-mm-dd HH:MM ou dd/mm/aaaa HH:MM).");
        double v = std::numeric_limits<double>::quiet_NaN();
        if (!alt.empty()) {
            campo.assign(alt);
            if (decimal == ',') std::replace(campo.begin(), campo.end(), ',', '.');
            double x = 0;
            const auto r = std::from_chars(campo.data(), campo.data() + campo.size(), x);
            if (r.ec != std::errc() || r.ptr != campo.data() + campo.size() || !std::isfinite(x))
                Erro(caminho, n, "\"" + Utf8(std::string(alt)) + "\" não é um número.");
            if (x < 0) Erro(caminho, n, "altura negativa (" + Utf8(std::string(alt)) + " mm).");
            v = x;
        }
        horas.push_back(minutos);
        valores.push_back(v);
        numeros.push_back(n);
    }
    if (horas.size() < 2) throw ERegistroInvalido(TextoDoCaminho(caminho) + Ansi(": a série tem menos de dois valores."));

    // The interval: the most common step.
    std::map<long long, std::size_t> passos;
    for (std::size_t k = 1; k < horas.size() && k < 20000; ++k)
        if (horas[k] > horas[k - 1]) ++passos[horas[k] - horas[k - 1]];
    long long dt = 0;
    std::size_t vezes = 0;
    for (const auto& [p, c] : passos)
        if (c > vezes) dt = p, vezes = c;
    if (dt < 5 || dt > 60 || 1440 % dt != 0)
        throw ERegistroInvalido(TextoDoCaminho(caminho) +
                                Ansi(": o passo mais comum entre as linhas é de " + std::to_string(dt) +
                                     " min; a série subdiária deve ter um intervalo fixo de 5 a 60 min que divida o dia."));

    TRegistro r;
    r.Tipo = TipoRegistro::Subdiario;
    r.Formato = Ansi("série de " + std::to_string(dt) + " min");
    r.Intervalo = static_cast<int>(dt);
    r.Inicio = horas[0] - dt;   // a row's time ends its interval
    r.Valores.reserve(horas.size());
    r.Valores.push_back(valores[0]);
    int repetidas = 0, puladas = 0;
    std::string primeiraRepetida, primeiraPulada;
    for (std::size_t k = 1; k < horas.size(); ++k) {
        const long long passo = horas[k] - horas[k - 1];
        int a, m, d;
        DataCivil(static_cast<int>(horas[k] / 1440), a, m, d);
        const bool meiaNoite = horas[k] % 1440 == 60;   // the skipped hour lands at 01:00
        if (passo == dt) {
            r.Valores.push_back(valores[k]);
        } else if (passo == dt - 60) {                  // the hour after the change back, again
            r.Valores.push_back(valores[k]);
            if (repetidas++ == 0) primeiraRepetida = TextoHora(horas[k]);
        } else if (passo == dt + 60 && meiaNoite && (m >= 9 || m <= 2)) {   // the hour skipped going forward
            r.Valores.push_back(valores[k]);
            if (puladas++ == 0) primeiraPulada = TextoHora(horas[k - 1]);
        } else if (passo > dt && passo % dt == 0) {
            r.Valores.insert(r.Valores.end(), static_cast<std::size_t>(passo / dt - 1), std::numeric_limits<double>::quiet_NaN());
            r.Valores.push_back(valores[k]);
        } else {
            Erro(caminho, numeros[k], "a hora " + TextoHora(horas[k]) + " não segue a " + TextoHora(horas[k - 1]) +
                                          " da linha " + std::to_string(numeros[k - 1]) + " no passo de " +
                                          std::to_string(dt) + " min.");
        }
    }
    if (repetidas)
        r.Notas.push_back(Ansi(std::to_string(repetidas) + " volta(s) do horário de verão (uma hora repetida, a primeira "
                               "depois de " + primeiraRepetida + "): a hora repetida continua a série, sem lacuna."));
    if (puladas)
        r.Notas.push_back(Ansi(std::to_string(puladas) + " início(s) do horário de verão (uma hora pulada, o primeiro "
                               "depois de " + primeiraPulada + "): os valores seguem sem lacuna."));
    return r;
}

void MaximosSubdiarios(const TRegistro& r, const TOpcoesMaximos& o, TMaximosAnuais& m) {
    const long long dt = r.Intervalo;
    m.UmDia = false;
    m.Intervalo = r.Intervalo;
    AnsiString fora;   // durations the interval cannot make
    for (double t : o.Duracoes) {
        const long long k = std::llround(t);
        if (t != static_cast<double>(k) || k < dt || k % dt != 0) fora += (fora.empty() ? "" : ", ") + FloatToStr(t, ',');
        else m.Duracoes.push_back(t);
    }
    if (m.Duracoes.empty())
        throw EDadosInvalidos(TextoDoCaminho(r.Arquivo) + Ansi(": nenhuma das durações é um múltiplo do intervalo da série (" +
                                                              std::to_string(dt) + " min)."));
    if (!fora.empty())
        m.Avisos.push_back(Ansi("Durações que não são múltiplos do intervalo de " + std::to_string(dt) +
                                " min, deixadas de fora: ") + fora + " min.");
    std::sort(m.Duracoes.begin(), m.Duracoes.end());
    m.Duracoes.erase(std::unique(m.Duracoes.begin(), m.Duracoes.end()), m.Duracoes.end());
    const std::size_t n = r.Valores.size(), nd = m.Duracoes.size();
    // Running sums (long double) and counts of missing intervals.
    std::vector<long double> soma(n + 1, 0);
    std::vector<std::uint32_t> faltas(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const bool falta = std::isnan(r.Valores[i]);
        soma[i + 1] = soma[i] + (falta ? 0 : r.Valores[i]);
        faltas[i + 1] = faltas[i] + falta;
    }
    struct TAno {
        std::size_t Validos = 0;
        std::vector<double> Maximos;
        double DiaFixo = -1;
    };
    std::map<int, TAno> anos;
    const int mes = o.MesInicio;
    auto ano = [&](int a) -> TAno& {
        TAno& x = anos[a];
        if (x.Maximos.empty()) x.Maximos.assign(nd, -1);
        return x;
    };
    // Year of each interval by its end; the maxima of the windows that end in it.
    std::vector<std::size_t> largura(nd);
    for (std::size_t j = 0; j < nd; ++j) largura[j] = static_cast<std::size_t>(std::llround(m.Duracoes[j])) / static_cast<std::size_t>(dt);
    long long fimDoAno = std::numeric_limits<long long>::min();
    TAno* atual = nullptr;
    for (std::size_t i = 0; i < n; ++i) {
        const long long fim = r.Inicio + static_cast<long long>(i + 1) * dt;
        if (fim - 1 >= fimDoAno || !atual) {
            const int a = AnoDoMinuto(fim - 1, mes);
            atual = &ano(a);
            fimDoAno = static_cast<long long>(DiaCivil(a + 1, mes, 1)) * 1440 + 1;
        }
        if (!std::isnan(r.Valores[i])) ++atual->Validos;
        for (std::size_t j = 0; j < nd; ++j) {
            const std::size_t w = largura[j];
            if (i + 1 < w || faltas[i + 1] != faltas[i + 1 - w]) continue;
            const double s = static_cast<double>(soma[i + 1] - soma[i + 1 - w]);
            if (s > atual->Maximos[j]) atual->Maximos[j] = s;
        }
    }
    // Civil days, 00:00 to 24:00 on the series' clock, whole.
    const std::size_t porDia = static_cast<std::size_t>(1440 / dt);
    const long long primeiroDia = (r.Inicio + 1439) / 1440;
    for (long long dia = primeiroDia;; ++dia) {
        const long long a = (dia * 1440 - r.Inicio) / dt;
        if (a < 0) continue;
        const std::size_t ini = static_cast<std::size_t>(a);
        if (ini + porDia > n) break;
        if (faltas[ini + porDia] != faltas[ini]) continue;
        const double s = static_cast<double>(soma[ini + porDia] - soma[ini]);
        TAno& x = ano(AnoDoMinuto(dia * 1440, mes));
        x.DiaFixo = std::max(x.DiaFixo, s);
    }
    for (auto& [a, x] : anos) {
        const long long inicio = static_cast<long long>(DiaCivil(a, mes, 1)) * 1440;
        const long long intervalos = (static_cast<long long>(DiaCivil(a + 1, mes, 1)) * 1440 - inicio) / dt;
        const long long faltando = intervalos - static_cast<long long>(x.Validos);
        const double percentual = 100.0 * static_cast<double>(faltando) / static_cast<double>(intervalos);
        if (x.Validos == 0) continue;
        if (percentual > o.FaltasMax + 1e-9 || *std::min_element(x.Maximos.begin(), x.Maximos.end()) < 0) {
            m.Deixados.push_back({a, Rotulo(a, mes),
                                  Ansi(std::to_string(faltando) + " de " + std::to_string(intervalos) +
                                       " intervalos faltando (" + Utf8(FormatFloat("0.0", percentual, ',')) +
                                       "%, mais que " + Utf8(FormatFloat("0.0", o.FaltasMax, ',')) + "%)")});
            continue;
        }
        TAnoMaximo u;
        u.Ano = a;
        u.Rotulo = Rotulo(a, mes);
        u.Alturas = x.Maximos;
        u.Faltando = static_cast<int>(faltando);
        if (x.DiaFixo >= 0) u.DiaFixo = x.DiaFixo;
        m.Usados.push_back(std::move(u));
    }
    m.Avisos.insert(m.Avisos.end(), r.Notas.begin(), r.Notas.end());
}

TDesagregacao RazoesMedidas(const TMaximosAnuais& m, const AnsiString& fonte) {
    TDesagregacao d;
    d.Fonte = fonte;
    auto media = [&](double duracao) {
        const auto it = std::find(m.Duracoes.begin(), m.Duracoes.end(), duracao);
        if (it == m.Duracoes.end()) return std::nan("");
        double s = 0;
        for (const TAnoMaximo& a : m.Usados) s += a.Alturas[static_cast<std::size_t>(it - m.Duracoes.begin())];
        return m.Usados.empty() ? std::nan("") : s / static_cast<double>(m.Usados.size());
    };
    double dia = 0;
    std::size_t comDia = 0;
    double com24 = 0;
    const auto i24 = std::find(m.Duracoes.begin(), m.Duracoes.end(), 1440.0);
    for (const TAnoMaximo& a : m.Usados)
        if (!std::isnan(a.DiaFixo) && i24 != m.Duracoes.end()) {
            dia += a.DiaFixo;
            com24 += a.Alturas[static_cast<std::size_t>(i24 - m.Duracoes.begin())];
            ++comDia;
        }
    if (comDia > 0 && dia > 0) d.Razoes.push_back({1440, com24 / dia, 0});
    for (const TRazao& c : DesagregacaoCetesb().Razoes) {
        if (c.Base == 0) continue;
        const double a = media(c.Duracao), b = media(c.Base);
        if (std::isfinite(a) && std::isfinite(b) && b > 0 && d.Tem(c.Base)) d.Razoes.push_back({c.Duracao, a / b, c.Base});
    }
    return d;
}
