// Record readers: format recognition, the plain daily series and the tables
// of annual maxima (the Hidroweb export is in LeitorHidroweb.cpp).
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <zlib.h>
#include <algorithm>

#include "ajuste/ErrosAjuste.h"
#include "ajuste/SerieSubdiaria.h"
#include "ajuste/Registro.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Numeros.h"

int DiaCivil(int ano, int mes, int dia) {
    // Days from civil (proleptic Gregorian), 1970-01-01 = 0.
    const int y = ano - (mes <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (mes + (mes > 2 ? -3 : 9)) + 2) / 5 + dia - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void DataCivil(int z, int& ano, int& mes, int& dia) {
    z += 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = z - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    dia = doy - (153 * mp + 2) / 5 + 1;
    mes = mp + (mp < 10 ? 3 : -9);
    ano = yoe + era * 400 + (mes <= 2 ? 1 : 0);
}

int DiasNoMes(int ano, int mes) {
    static const int dias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool bissexto = (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0;
    return mes == 2 && bissexto ? 29 : dias[mes - 1];
}

std::string TextoData(int diaCivil) {
    int a, m, d;
    DataCivil(diaCivil, a, m, d);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", a, m, d);
    return buf;
}

std::vector<std::string> LinhasDoTexto(const std::string& texto) {
    std::vector<std::string> linhas;
    std::size_t inicio = 0;
    while (inicio < texto.size()) {
        std::size_t fim = texto.find('\n', inicio);
        if (fim == std::string::npos) fim = texto.size();
        std::size_t corte = fim;
        if (corte > inicio && texto[corte - 1] == '\r') --corte;
        linhas.push_back(texto.substr(inicio, corte - inicio));
        inicio = fim + 1;
    }
    return linhas;
}

std::vector<std::string> CamposDaLinha(const std::string& linha, char separador) {
    std::vector<std::string> campos;
    std::string campo;
    bool aspas = false;
    for (char ch : linha) {
        if (ch == '"') aspas = !aspas;
        else if (ch == separador && !aspas) { campos.push_back(campo); campo.clear(); }
        else campo += ch;
    }
    campos.push_back(campo);
    return campos;
}

std::string SemBrancos(const std::string& s) {
    const std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return "";
    const std::size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

AnsiString OndeNaLinha(const std::string& caminho, int linha) {
    return TextoDoCaminho(caminho) + Ansi(", linha ") + std::to_string(linha) + ": ";
}

AnsiString CodigoNoNome(const std::string& caminho) {
    const std::size_t barra = caminho.find_last_of('/');
    const std::string nome = barra == std::string::npos ? caminho : caminho.substr(barra + 1);
    std::string melhor, atual;
    for (char ch : nome + ' ') {
        if (ch >= '0' && ch <= '9') { atual += ch; continue; }
        if (atual.size() >= 6 && atual.size() > melhor.size()) melhor = atual;
        atual.clear();
    }
    return melhor;
}

namespace {

const char* const kFormatosLidos =
    "os formatos lidos são a exportação \"Chuvas\" do Hidroweb, a série diária (data; mm), "
    "a tabela de máximos anuais de um dia (ano; mm) e a de máximos anuais subdiários "
    "(ano; uma coluna por duração em minutos)";

[[noreturn]] void Erro(const std::string& caminho, int linha, const std::string& utf8) {
    throw ERegistroInvalido(OndeNaLinha(caminho, linha) + Ansi(utf8));
}

bool Inteiro(const std::string& s, int& v) { return !s.empty() && TryStrToInt(s, v) && s.find('+') == std::string::npos; }

// "yyyy-mm-dd" or "dd/mm/yyyy"; false when neither or not a real date.
bool LeData(const std::string& texto, int& diaCivil) {
    int a, m, d;
    const std::string s = SemBrancos(texto);
    if (s.size() == 10 && s[4] == '-' && s[7] == '-') {
        if (!Inteiro(s.substr(0, 4), a) || !Inteiro(s.substr(5, 2), m) || !Inteiro(s.substr(8, 2), d)) return false;
    } else if (s.size() == 10 && s[2] == '/' && s[5] == '/') {
        if (!Inteiro(s.substr(0, 2), d) || !Inteiro(s.substr(3, 2), m) || !Inteiro(s.substr(6, 4), a)) return false;
    } else {
        return false;
    }
    if (m < 1 || m > 12 || d < 1 || a < 1 || d > DiasNoMes(a, m)) return false;
    diaCivil = DiaCivil(a, m, d);
    return true;
}

// A depth in mm: blank gives NaN; text or a negative number is an error.
double LeAltura(const std::string& campo, char decimal, const std::string& caminho, int linha) {
    const std::string s = SemBrancos(campo);
    if (s.empty()) return std::numeric_limits<double>::quiet_NaN();
    double v;
    if (!TryStrToFloat(s, decimal, v) || !std::isfinite(v))
        Erro(caminho, linha, "\"" + Utf8(s) + "\" não é um número.");
    if (v < 0) Erro(caminho, linha, "altura negativa (" + Utf8(s) + " mm).");
    return v;
}

struct TDialeto { char Separador, Decimal; };

TRegistro LeSerieDiaria(const std::vector<std::string>& linhas, std::size_t cabecalho, TDialeto d,
                        const std::string& caminho) {
    TRegistro r;
    r.Tipo = TipoRegistro::Diario;
    r.Formato = Ansi("série diária");
    int linhaAnterior = 0;
    for (std::size_t i = cabecalho + 1; i < linhas.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const std::string linha = SemBrancos(linhas[i]);
        if (linha.empty() || linha[0] == '#') continue;
        std::vector<std::string> c = CamposDaLinha(linha, d.Separador);
        if (c.size() > 2 && SemBrancos(c.back()).empty()) c.pop_back();
        if (c.size() != 2) Erro(caminho, n, "esperava data e altura (2 campos), há " + std::to_string(c.size()) + ".");
        TDiaChuva dia;
        if (!LeData(c[0], dia.Dia)) Erro(caminho, n, "\"" + Utf8(SemBrancos(c[0])) + "\" não é uma data (aaaa-mm-dd ou dd/mm/aaaa).");
        dia.Altura = LeAltura(c[1], d.Decimal, caminho, n);
        dia.Estado = std::isnan(dia.Altura) ? EstadoDia::Faltante : EstadoDia::Valido;
        if (!r.Dias.empty() && dia.Dia <= r.Dias.back().Dia)
            Erro(caminho, n, "a data " + TextoData(dia.Dia) +
                                 (dia.Dia == r.Dias.back().Dia ? " repete a da linha " : " vem depois de " +
                                                                     TextoData(r.Dias.back().Dia) + ", da linha ") +
                                 std::to_string(linhaAnterior) + " (datas em ordem, uma vez cada).");
        r.Dias.push_back(dia);
        linhaAnterior = n;
    }
    if (r.Dias.empty()) throw ERegistroInvalido(TextoDoCaminho(caminho) + Ansi(": a série não tem nenhum dia."));
    return r;
}

TRegistro LeTabelaMaximos(const std::vector<std::string>& linhas, std::size_t cabecalho, TDialeto d,
                          const std::string& caminho) {
    TRegistro r;
    const std::vector<std::string> cab = CamposDaLinha(linhas[cabecalho], d.Separador);
    std::size_t colunas = cab.size();
    while (colunas > 2 && SemBrancos(cab[colunas - 1]).empty()) --colunas;
    if (colunas == 2) {
        r.Tipo = TipoRegistro::MaximosDiarios;
        r.Formato = Ansi("máximos anuais de um dia");
        r.Duracoes = {1440};
    } else {
        r.Tipo = TipoRegistro::MaximosSubdiarios;
        r.Formato = Ansi("máximos anuais subdiários");
        for (std::size_t j = 1; j < colunas; ++j) {
            double t;
            if (!TryStrToFloat(SemBrancos(cab[j]), d.Decimal, t) || !(t > 0))
                Erro(caminho, static_cast<int>(cabecalho) + 1,
                     "\"" + Utf8(SemBrancos(cab[j])) + "\" não é uma duração em minutos (cabeçalho: ano, depois uma coluna por duração).");
            if (!r.Duracoes.empty() && t <= r.Duracoes.back())
                Erro(caminho, static_cast<int>(cabecalho) + 1, "as durações do cabeçalho devem crescer.");
            r.Duracoes.push_back(t);
        }
    }
    for (std::size_t i = cabecalho + 1; i < linhas.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const std::string linha = SemBrancos(linhas[i]);
        if (linha.empty() || linha[0] == '#') continue;
        std::vector<std::string> c = CamposDaLinha(linha, d.Separador);
        while (c.size() > colunas && SemBrancos(c.back()).empty()) c.pop_back();
        if (c.size() != colunas)
            Erro(caminho, n, "esperava " + std::to_string(colunas) + " campos, há " + std::to_string(c.size()) + ".");
        TMaximoTabelado m;
        m.Linha = n;
        if (!Inteiro(SemBrancos(c[0]), m.Ano) || m.Ano < 1)
            Erro(caminho, n, "\"" + Utf8(SemBrancos(c[0])) + "\" não é um ano.");
        for (std::size_t j = 1; j < colunas; ++j) m.Alturas.push_back(LeAltura(c[j], d.Decimal, caminho, n));
        if (!r.Maximos.empty() && m.Ano <= r.Maximos.back().Ano)
            Erro(caminho, n, "o ano " + std::to_string(m.Ano) +
                                 (m.Ano == r.Maximos.back().Ano ? " repete o da linha " : " vem depois de " +
                                      std::to_string(r.Maximos.back().Ano) + ", da linha ") +
                                 std::to_string(r.Maximos.back().Linha) + " (anos em ordem, uma vez cada).");
        r.Maximos.push_back(std::move(m));
    }
    if (r.Maximos.empty()) throw ERegistroInvalido(TextoDoCaminho(caminho) + Ansi(": a tabela não tem nenhum ano."));
    return r;
}

}  // namespace

TRegistro LeRegistroDoTexto(const std::string& texto, const std::string& caminho, const TOpcoesLeitura& opcoes) {
    if (SemBrancos(texto).find_first_not_of("\r\n") == std::string::npos)
        throw ERegistroInvalido(TextoDoCaminho(caminho) + Ansi(": o arquivo está vazio."));
    TRegistro r;
    if (PareceHidroweb(texto)) {
        r = LeHidroweb(texto, caminho, opcoes);
    } else if (PareceSubdiaria(texto)) {
        r = LeSerieSubdiaria(texto, caminho);
    } else {
        std::string semBom = texto;
        if (semBom.rfind("\xEF\xBB\xBF", 0) == 0) semBom.erase(0, 3);
        const std::vector<std::string> linhas = LinhasDoTexto(semBom);
        std::size_t cab = 0;
        while (cab < linhas.size() && (SemBrancos(linhas[cab]).empty() || SemBrancos(linhas[cab])[0] == '#')) ++cab;
        std::size_t dado = cab + 1;
        while (dado < linhas.size() && (SemBrancos(linhas[dado]).empty() || SemBrancos(linhas[dado])[0] == '#')) ++dado;
        if (dado >= linhas.size())
            Erro(caminho, static_cast<int>(cab) + 1, std::string("esperava um cabeçalho e linhas de dados; ") + kFormatosLidos + ".");
        const TDialeto d = linhas[cab].find(';') != std::string::npos ? TDialeto{';', ','} : TDialeto{',', '.'};
        const std::string primeiro = SemBrancos(CamposDaLinha(linhas[dado], d.Separador)[0]);
        int dia, ano;
        if (LeData(primeiro, dia)) r = LeSerieDiaria(linhas, cab, d, caminho);
        else if (Inteiro(primeiro, ano)) r = LeTabelaMaximos(linhas, cab, d, caminho);
        else Erro(caminho, static_cast<int>(dado) + 1, std::string("\"") + Utf8(primeiro) + "\" não é uma data nem um ano; " + kFormatosLidos + ".");
    }
    r.Arquivo = caminho;
    if (r.Estacao.empty()) r.Estacao = CodigoNoNome(caminho);
    return r;
}

std::string LeTextoDoRegistro(const std::string& caminho) {
    // gzip or plain, read alike.
    gzFile f = gzopen(caminho.c_str(), "rb");
    if (!f) throw EInOutError(Ansi("Não foi possível abrir o arquivo ") + TextoDoCaminho(caminho) + ".");
    gzbuffer(f, 1 << 16);
    std::string texto;
    char bloco[1 << 16];
    int lidos;
    while ((lidos = gzread(f, bloco, sizeof bloco)) > 0) texto.append(bloco, static_cast<std::size_t>(lidos));
    int erro = Z_OK;
    gzerror(f, &erro);
    gzclose(f);
    if (lidos < 0 || (erro != Z_OK && erro != Z_STREAM_END))
        throw EInOutError(Ansi("Erro de leitura em ") + TextoDoCaminho(caminho) + Ansi(" (arquivo compactado danificado?)."));
    return texto;
}

TRegistro LeRegistro(const std::string& caminho, const TOpcoesLeitura& opcoes) {
    return LeRegistroDoTexto(LeTextoDoRegistro(caminho), caminho, opcoes);
}

bool PareceSubdiaria(const std::string& texto) {
    // The first data row (after the header and comments) begins with a date and a time.
    std::size_t i = texto.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    bool cabecalho = false;
    for (int linhas = 0; i < texto.size() && linhas < 50; ++linhas) {
        std::size_t fim = texto.find('\n', i);
        if (fim == std::string::npos) fim = texto.size();
        const std::string linha = SemBrancos(texto.substr(i, fim - i));
        i = fim + 1;
        if (linha.empty() || linha[0] == '#' || linha == "\r") continue;
        if (!cabecalho) {
            cabecalho = true;
            continue;
        }
        const char sep = linha.find(';') != std::string::npos ? ';' : ',';
        std::string primeiro = SemBrancos(CamposDaLinha(linha, sep)[0]);
        primeiro.erase(std::remove(primeiro.begin(), primeiro.end(), '"'), primeiro.end());
        long long minutos;
        return LeDataHora(primeiro, minutos);
    }
    return false;
}
