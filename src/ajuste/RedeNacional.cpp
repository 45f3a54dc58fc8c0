#include "ajuste/RedeNacional.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <charconv>
#include <cmath>
#include <exception>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "ajuste/ErrosAjuste.h"
#include "ajuste/GrubbsBeck.h"
#include "ajuste/RelatorioAjuste.h"
#include "ajuste/SerieSubdiaria.h"
#include "database/Confianca.h"
#include "database/Coordenadas.h"
#include "database/Csv.h"
#include "database/Estados.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

namespace {

struct TValorLido {
    int Ano = 0;
    double Valor = 0;
};

struct TInventario {
    std::string Nome, Municipio, Uf;
    int Estado = -1;
    double Latitude = 0, Longitude = 0;
};

bool Numero(const std::string& texto, double& v) {
    std::string s = texto;
    while (!s.empty() && s.back() == ' ') s.pop_back();
    while (!s.empty() && s.front() == ' ') s.erase(0, 1);
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size() && std::isfinite(v);
}

bool Codigo(const std::string& texto, std::string& codigo) {
    std::string s;
    for (char c : texto)
        if (c != ' ') s += c;
    if (s.empty() || s.size() > 8 || !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    codigo = std::string(8 - s.size(), '0') + s;
    return true;
}

// Column of each name in the header, -1 when missing.
std::vector<int> Colunas(const std::vector<std::string>& cabecalho, const std::vector<std::string>& nomes) {
    std::vector<int> c;
    for (const std::string& n : nomes) {
        const auto it = std::find(cabecalho.begin(), cabecalho.end(), n);
        c.push_back(it == cabecalho.end() ? -1 : static_cast<int>(it - cabecalho.begin()));
    }
    return c;
}

class TLeitura {
public:
    std::vector<TErroImportacao> Erros;

    void Erro(const std::string& arquivo, int linha, std::string campo, std::string motivo) {
        if (Erros.size() < 100) Erros.push_back({arquivo, linha, std::move(campo), std::move(motivo)});
    }

    std::vector<TLinhaCsv> Linhas(const std::string& texto, const std::string& arquivo,
                                  const std::vector<std::string>& nomes, std::vector<int>& colunas) {
        std::vector<TErroCsv> errosCsv;
        std::vector<TLinhaCsv> linhas = TCsv::Le(texto, errosCsv);
        for (const auto& e : errosCsv) Erro(arquivo, e.Linha, "", e.Motivo);
        if (linhas.empty()) {
            Erro(arquivo, 1, "", "arquivo sem cabeçalho");
            return {};
        }
        colunas = Colunas(linhas[0].Campos, nomes);
        for (std::size_t i = 0; i < nomes.size(); ++i)
            if (colunas[i] < 0) Erro(arquivo, linhas[0].Numero, nomes[i], "coluna \"" + nomes[i] + "\" ausente do cabeçalho");
        if (std::find(colunas.begin(), colunas.end(), -1) != colunas.end()) return {};
        linhas.erase(linhas.begin());
        return linhas;
    }
};

const std::string& Campo(const TLinhaCsv& l, int coluna) {
    static const std::string vazio;
    return static_cast<std::size_t>(coluna) < l.Campos.size() ? l.Campos[static_cast<std::size_t>(coluna)] : vazio;
}

std::map<std::string, std::vector<TValorLido>> LeMaximos(const std::string& texto, const std::string& arquivo,
                                                         TLeitura& leitura, std::size_t& valores) {
    std::vector<int> c;
    std::map<std::string, std::vector<TValorLido>> porEstacao;
    std::map<std::string, int> linhaDoAno;   // code + year: the line that gave it
    for (const TLinhaCsv& l : leitura.Linhas(texto, arquivo, {"Date", "Pdmax", "Estacao_codigo"}, c)) {
        std::string codigo;
        double valor = 0;
        const std::string& data = Campo(l, c[0]);
        int dia = 0, mes = 0, ano = 0;
        const bool dataOk = data.size() == 10 && data[2] == '/' && data[5] == '/' &&
                            std::from_chars(data.data(), data.data() + 2, dia).ptr == data.data() + 2 &&
                            std::from_chars(data.data() + 3, data.data() + 5, mes).ptr == data.data() + 5 &&
                            std::from_chars(data.data() + 6, data.data() + 10, ano).ptr == data.data() + 10 &&
                            mes >= 1 && mes <= 12 && dia >= 1 && dia <= DiasNoMes(ano, mes) && ano >= 1800;
        if (!Codigo(Campo(l, c[2]), codigo)) {
            leitura.Erro(arquivo, l.Numero, "Estacao_codigo", "\"" + Campo(l, c[2]) + "\" não é um código de estação");
            continue;
        }
        if (!dataOk) {
            leitura.Erro(arquivo, l.Numero, "Date", "\"" + data + "\" não é uma data dd/mm/aaaa");
            continue;
        }
        if (!Numero(Campo(l, c[1]), valor)) {
            leitura.Erro(arquivo, l.Numero, "Pdmax", "\"" + Campo(l, c[1]) + "\" não é um número");
            continue;
        }
        const auto [it, novo] = linhaDoAno.emplace(codigo + std::to_string(ano), l.Numero);
        if (!novo) {
            leitura.Erro(arquivo, l.Numero, "Date",
                         "o ano " + std::to_string(ano) + " da estação " + codigo + " repete o da linha " +
                             std::to_string(it->second));
            continue;
        }
        porEstacao[codigo].push_back({ano, valor});
        ++valores;
    }
    for (auto& [codigo, v] : porEstacao)
        std::sort(v.begin(), v.end(), [](const TValorLido& a, const TValorLido& b) { return a.Ano < b.Ano; });
    return porEstacao;
}

std::map<std::string, TInventario> LeInventario(const std::string& texto, const std::string& arquivo,
                                                TLeitura& leitura, const std::set<std::string>& procurados) {
    std::vector<int> c;
    std::map<std::string, TInventario> inv;
    const auto linhas = leitura.Linhas(
        texto, arquivo, {"station_code", "station_name", "state_code", "municipality", "latitude", "longitude"}, c);
    for (const TLinhaCsv& l : linhas) {
        std::string codigo;
        if (!Codigo(Campo(l, c[0]), codigo)) {
            leitura.Erro(arquivo, l.Numero, "station_code", "\"" + Campo(l, c[0]) + "\" não é um código de estação");
            continue;
        }
        if (!procurados.count(codigo)) continue;   // only the stations of the maxima are checked
        TInventario e;
        e.Nome = Campo(l, c[1]);
        e.Uf = Campo(l, c[2]);
        e.Municipio = Campo(l, c[3]);
        for (int s = 0; s < NumEstados; ++s)
            if (Utf8ToCp1252(e.Uf) == SiglasEstados[static_cast<std::size_t>(s)]) e.Estado = s;
        if (e.Estado < 0) leitura.Erro(arquivo, l.Numero, "state_code", "\"" + e.Uf + "\" não é uma sigla de estado");
        if (e.Nome.empty() || !IsCp1252Representable(e.Nome) || !IsCp1252Representable(e.Municipio))
            leitura.Erro(arquivo, l.Numero, "station_name", "nome vazio ou com caracteres fora do cp1252");
        if (!Numero(Campo(l, c[4]), e.Latitude) || std::abs(e.Latitude) > 90)
            leitura.Erro(arquivo, l.Numero, "latitude", "\"" + Campo(l, c[4]) + "\" não é uma latitude em graus");
        if (!Numero(Campo(l, c[5]), e.Longitude) || std::abs(e.Longitude) > 180)
            leitura.Erro(arquivo, l.Numero, "longitude", "\"" + Campo(l, c[5]) + "\" não é uma longitude em graus");
        if (!inv.emplace(codigo, e).second)
            leitura.Erro(arquivo, l.Numero, "station_code", "a estação " + codigo + " aparece duas vezes");
    }
    return inv;
}

std::string Mm(double v) { return Utf8(FormatFloat("0.0", v, ',')) + " mm"; }

struct TTriagem {
    std::vector<TValorLido> Usados;
    std::vector<TValorTriado> Removidos, Sinalizados;
};

TTriagem Tria(const std::string& codigo, const std::vector<TValorLido>& valores, const TOpcoesRede& o,
              const std::map<std::pair<int, double>, int>& repetidos) {
    TTriagem t;
    for (const TValorLido& v : valores) {
        std::string motivo;
        const double inteiro = std::floor(v.Valor);
        if (!(v.Valor > 0)) motivo = "zero";
        else if (v.Valor > o.MaximoFisico)
            motivo = "acima de " + Mm(o.MaximoFisico) + ", que nenhuma chuva de um dia alcança";
        else if (inteiro == 999 || inteiro == 9999)
            motivo = "código de erro (" + Utf8(FormatFloat("0", inteiro, ',')) + ", o valor que marca a falta de dado)";
        else if (v.Valor > o.LimiarCodigo) {
            const auto it = repetidos.find({v.Ano, v.Valor});
            if (it != repetidos.end() && it->second >= 2)
                motivo = "código de erro (o mesmo valor em " + std::to_string(it->second) + " estações no ano " +
                         std::to_string(v.Ano) + ")";
        }
        if (motivo.empty()) t.Usados.push_back(v);
        else t.Removidos.push_back({codigo, v.Ano, v.Valor, motivo});
    }
    // Far above what the station's own years make plausible: each value
    // against the median of the others (before any is removed here).
    if (o.RazaoDaMediana > 0 && t.Usados.size() >= 5) {
        std::vector<double> todos;
        for (const TValorLido& v : t.Usados) todos.push_back(v.Valor);
        std::vector<TValorLido> ficam;
        for (std::size_t i = 0; i < t.Usados.size(); ++i) {
            std::vector<double> outros = todos;
            outros.erase(outros.begin() + static_cast<std::ptrdiff_t>(i));
            const double mediana = Percentil(outros, 0.5);
            if (t.Usados[i].Valor > o.RazaoDaMediana * mediana)
                t.Removidos.push_back({codigo, t.Usados[i].Ano, t.Usados[i].Valor,
                                       "mais de " + Utf8(FormatFloat("0.#", o.RazaoDaMediana, ',')) +
                                           " vezes a mediana dos outros máximos da estação (" + Mm(mediana) +
                                           "): não se distingue de um erro de registro"});
            else ficam.push_back(t.Usados[i]);
        }
        t.Usados = ficam;
    }
    std::vector<double> alturas;
    for (const TValorLido& v : t.Usados) alturas.push_back(v.Valor);
    const TTesteBaixos baixos = GrubbsBeckMultiplo(alturas);
    if (baixos.Quantos > 0) {
        std::vector<TValorLido> ficam;
        for (const TValorLido& v : t.Usados) {
            if (v.Valor < baixos.Limiar)
                t.Removidos.push_back({codigo, v.Ano, v.Valor,
                                       "baixo atípico pelo teste de Grubbs-Beck múltiplo (abaixo de " +
                                           Mm(baixos.Limiar) + ")"});
            else ficam.push_back(v);
        }
        t.Usados = ficam;
        alturas.clear();
        for (const TValorLido& v : t.Usados) alturas.push_back(v.Valor);
    }
    const double alto = LimiarAltoGrubbsBeck(alturas);
    for (const TValorLido& v : t.Usados) {
        if (v.Valor > alto)
            t.Sinalizados.push_back({codigo, v.Ano, v.Valor,
                                     "acima do limiar alto de Grubbs-Beck (" + Mm(alto) + "); mantido"});
        else if (v.Valor > o.LimiarAlto)
            t.Sinalizados.push_back({codigo, v.Ano, v.Valor, "acima de " + Mm(o.LimiarAlto) + "; mantido"});
    }
    std::sort(t.Removidos.begin(), t.Removidos.end(),
              [](const TValorTriado& a, const TValorTriado& b) { return a.Ano < b.Ano; });
    return t;
}

std::string Lista(const std::vector<TValorTriado>& v) {
    std::string s;
    for (const TValorTriado& x : v)
        s += (s.empty() ? "" : "; ") + std::to_string(x.Ano) + " (" + Mm(x.Valor) + ": " + x.Motivo + ")";
    return s;
}

// The record's name: "Station (Municipality)", the station's part cut to fit 68 bytes.
std::string NomeDoRegistro(const TInventario& e, const std::string& sufixo) {
    const AnsiString nome = Utf8ToCp1252(NomeProprio(e.Nome));
    const AnsiString municipio = Utf8ToCp1252(NomeProprio(e.Municipio));
    // The municipality, unless the station's name already holds it as whole
    // words ("BELO HORIZONTE (HORTO)" in Belo Horizonte).
    bool temMunicipio = municipio.empty();
    const auto letra = [](unsigned char c) { return std::isalnum(c) || c >= 0x80; };
    for (std::size_t p = e.Nome.find(e.Municipio); !temMunicipio && p != std::string::npos;
         p = e.Nome.find(e.Municipio, p + 1)) {
        const std::size_t fim = p + e.Municipio.size();
        temMunicipio = (p == 0 || !letra(static_cast<unsigned char>(e.Nome[p - 1]))) &&
                       (fim == e.Nome.size() || !letra(static_cast<unsigned char>(e.Nome[fim])));
    }
    AnsiString fim = (temMunicipio ? AnsiString() : " (" + municipio + ")") + Utf8ToCp1252(sufixo);
    if (fim.size() > 40) fim = fim.substr(0, 40);
    AnsiString inicio = nome.substr(0, 68 - fim.size());
    while (!inicio.empty() && inicio.back() == ' ') inicio.pop_back();
    return Cp1252ToUtf8(inicio + fim);
}

}  // namespace

std::string CitacaoDaRede(const std::string& codigo, std::size_t anos) {
    return "ANA " + codigo + ", " + std::to_string(anos) + " anos";
}

std::string NomeProprio(const std::string& maiusculasUtf8) {
    static const std::set<AnsiString> minusculas = {"de", "da", "do", "das", "dos", "e", "d'"};
    static const std::set<AnsiString> romanos = {"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII"};
    const AnsiString texto = Utf8ToCp1252(maiusculasUtf8);
    AnsiString r;
    std::size_t i = 0;
    auto baixa = [](unsigned char c) -> char {
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char>(c + 0x20);
        return static_cast<char>(c);
    };
    auto alta = [](unsigned char c) -> char {
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<char>(c - 0x20);
        return static_cast<char>(c);
    };
    while (i < texto.size()) {
        std::size_t j = i;
        while (j < texto.size() && texto[j] != ' ' && texto[j] != '-' && texto[j] != '/' && texto[j] != '(') ++j;
        const AnsiString palavra = texto.substr(i, j - i);
        AnsiString p;
        for (char c : palavra) p += baixa(static_cast<unsigned char>(c));
        const bool digitos = std::any_of(palavra.begin(), palavra.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (romanos.count(palavra) || digitos) p = palavra;
        else if (p.size() > 2 && p.compare(0, 2, "d'") == 0) p[2] = alta(static_cast<unsigned char>(p[2]));   // d'Água
        else if (!(r.size() > 0 && minusculas.count(p)) && !p.empty()) p[0] = alta(static_cast<unsigned char>(p[0]));
        r += p;
        if (j < texto.size()) r += texto[j];
        i = j + 1;
    }
    return Cp1252ToUtf8(r);
}

TRedeAjustada AjustaRede(const std::string& maximosCsv, const std::string& inventarioCsv, const TOpcoesRede& o) {
    return AjustaRedeDoTexto(LeArquivo(maximosCsv), LeArquivo(inventarioCsv), o, maximosCsv, inventarioCsv);
}

TRedeAjustada AjustaRedeDoTexto(const std::string& maximos, const std::string& inventario, const TOpcoesRede& o,
                                const std::string& nomeMaximos, const std::string& nomeInventario) {
    TRedeAjustada rede;
    TLeitura leitura;
    auto porEstacao = LeMaximos(maximos, nomeMaximos, leitura, rede.ValoresNaTabela);
    std::set<std::string> codigos;
    for (const auto& [c, v] : porEstacao) codigos.insert(c);
    const auto inv = LeInventario(inventario, nomeInventario, leitura, codigos);
    for (const std::string& c : codigos)
        if (!inv.count(c)) leitura.Erro(nomeInventario, 0, "station_code", "a estação " + c + " dos máximos não está no inventário");
    if (!leitura.Erros.empty()) {
        std::string msg;
        for (const auto& e : leitura.Erros) msg += (msg.empty() ? "" : "\n") + e.Texto();
        throw EDadosInvalidos(IsCp1252Representable(msg) ? Utf8ToCp1252(msg) : msg);
    }
    rede.EstacoesNaTabela = porEstacao.size();

    // The same value above the code threshold at several stations of one year.
    std::map<std::pair<int, double>, int> repetidos;
    for (const auto& [c, v] : porEstacao)
        for (const TValorLido& x : v)
            if (x.Valor > o.LimiarCodigo) ++repetidos[{x.Ano, x.Valor}];

    struct TCandidataRede {
        std::string Codigo;
        const TInventario* Inv;
        TTriagem Triagem;
    };
    std::vector<TCandidataRede> candidatas;
    for (const auto& [codigo, valores] : porEstacao) {
        const TInventario& e = inv.at(codigo);
        TTriagem t = Tria(codigo, valores, o, repetidos);
        rede.Removidos.insert(rede.Removidos.end(), t.Removidos.begin(), t.Removidos.end());
        if (t.Usados.size() < o.MinimoDeAnos) {
            rede.Deixadas.push_back({codigo, e.Uf, e.Nome,
                                     std::to_string(t.Usados.size()) + " anos utilizáveis depois da triagem (mínimo " +
                                         std::to_string(o.MinimoDeAnos) + ")"});
            continue;
        }
        rede.Sinalizados.insert(rede.Sinalizados.end(), t.Sinalizados.begin(), t.Sinalizados.end());
        candidatas.push_back({codigo, &e, std::move(t)});
    }

    // Two stations on the same second of arc: the interpolation would find
    // only one, so the one with fewer years (then the higher code) stays out.
    {
        std::map<std::string, std::size_t> porPosicao;
        std::vector<bool> fica(candidatas.size(), true);
        for (std::size_t i = 0; i < candidatas.size(); ++i) {
            const TInventario& e = *candidatas[i].Inv;
            const std::string chave = std::string(e.Latitude > 0 ? "N" : "S") + Cp1252ToUtf8(TextoDeGrausDecimais(std::abs(e.Latitude))) +
                                      Cp1252ToUtf8(TextoDeGrausDecimais(std::abs(e.Longitude)));
            const auto [it, novo] = porPosicao.emplace(chave, i);
            if (novo) continue;
            std::size_t& outro = it->second;
            std::size_t sai = candidatas[i].Triagem.Usados.size() > candidatas[outro].Triagem.Usados.size() ? outro : i;
            const std::size_t mantida = sai == i ? outro : i;
            fica[sai] = false;
            rede.Deixadas.push_back({candidatas[sai].Codigo, candidatas[sai].Inv->Uf, candidatas[sai].Inv->Nome,
                                     "no mesmo segundo de arco da estação " + candidatas[mantida].Codigo +
                                         ", que tem mais anos"});
            outro = mantida;
        }
        std::vector<TCandidataRede> restantes;
        for (std::size_t i = 0; i < candidatas.size(); ++i)
            if (fica[i]) restantes.push_back(std::move(candidatas[i]));
        candidatas = std::move(restantes);
    }

    // The fits, on every core; each station's result depends on it alone.
    std::vector<TEstacaoRede> feitas(candidatas.size());
    std::vector<std::string> falhas(candidatas.size());
    std::atomic<std::size_t> proxima{0};
    auto trabalha = [&] {
        for (std::size_t i; (i = proxima++) < candidatas.size();) {
            const TCandidataRede& c = candidatas[i];
            try {
                TRegistro r;
                r.Tipo = TipoRegistro::MaximosDiarios;
                r.Arquivo = o.NomeMaximos;
                r.Formato = Ansi("máximos anuais de um dia da rede nacional da ANA, por ano hidrológico");
                r.Estacao = c.Codigo;
                r.Duracoes = {1440};
                for (const TValorLido& v : c.Triagem.Usados) r.Maximos.push_back({v.Ano, {v.Valor}, 0});
                TOpcoesAjuste oa;
                oa.Bootstrap = o.Bootstrap;
                oa.ReplicasAderencia = o.ReplicasAderencia;
                oa.Semente = o.Semente + std::stoull(c.Codigo);
                const TResultadoAjuste a = AjustaRegistro(r, oa);
                TEstacaoRede& e = feitas[i];
                e.Codigo = c.Codigo;
                e.Uf = c.Inv->Uf;
                e.Latitude = c.Inv->Latitude;
                e.Longitude = c.Inv->Longitude;
                e.Anos = c.Triagem.Usados.size();
                e.PrimeiroAno = c.Triagem.Usados.front().Ano;
                e.UltimoAno = c.Triagem.Usados.back().Ano;
                e.Distribuicao = a.Series[0].Parametros();
                e.Equacao = a.Equacao;
                e.I10_60 = a.Equacao.Intensidade(10, 60);
                e.Dados.Uf = e.Uf;
                e.Dados.Citacao = CitacaoDaRede(c.Codigo, e.Anos);
                std::string d = "Estação " + c.Codigo + " da rede hidrometeorológica nacional (ANA, dados abertos): " +
                                c.Inv->Nome + ", " + c.Inv->Municipio + "/" + c.Inv->Uf + ". " + Utf8(a.Descricao());
                const std::string removidos = Lista(c.Triagem.Removidos), sinalizados = Lista(c.Triagem.Sinalizados);
                if (!removidos.empty()) d += " Valores removidos na triagem: " + removidos + ".";
                if (!sinalizados.empty()) d += " Valores altos sinalizados e mantidos: " + sinalizados + ".";
                e.Dados.Descricao = d;
                for (const TLinhaTabela& l : a.Tabela)
                    e.Dados.Intervalos.push_back({l.Ponto.Tr, l.Ponto.T, l.IcAjustada.Inferior, l.IcAjustada.Superior});
            } catch (const Exception& e) {
                falhas[i] = e.what();
            } catch (const std::exception& e) {
                falhas[i] = e.what();
            }
        }
    };
    const unsigned tarefas = std::max(1u, o.Tarefas ? o.Tarefas : std::thread::hardware_concurrency());
    std::vector<std::thread> fios;
    for (unsigned t = 1; t < tarefas; ++t) fios.emplace_back(trabalha);
    trabalha();
    for (auto& f : fios) f.join();

    // Names: unique within the state, the code added to those that repeat.
    std::map<std::pair<std::string, std::string>, int> vezes;
    for (std::size_t i = 0; i < feitas.size(); ++i)
        if (falhas[i].empty()) ++vezes[{feitas[i].Uf, NomeDoRegistro(*candidatas[i].Inv, "")}];
    for (std::size_t i = 0; i < feitas.size(); ++i) {
        const TCandidataRede& c = candidatas[i];
        if (!falhas[i].empty()) {
            rede.Deixadas.push_back({c.Codigo, c.Inv->Uf, c.Inv->Nome, "sem ajuste: " + falhas[i]});
            continue;
        }
        TEstacaoRede& e = feitas[i];
        const std::string nome = NomeDoRegistro(*c.Inv, "");
        e.Nome = vezes[{e.Uf, nome}] > 1 ? NomeDoRegistro(*c.Inv, " - " + c.Codigo) : nome;
        e.Dados.Nome = e.Nome;
        rede.Estacoes.push_back(std::move(e));
    }
    std::sort(rede.Estacoes.begin(), rede.Estacoes.end(), [](const TEstacaoRede& a, const TEstacaoRede& b) {
        return a.Uf != b.Uf ? a.Uf < b.Uf : a.Codigo < b.Codigo;
    });
    std::sort(rede.Deixadas.begin(), rede.Deixadas.end(),
              [](const TEstacaoDeixada& a, const TEstacaoDeixada& b) { return a.Codigo < b.Codigo; });
    std::stable_sort(rede.Removidos.begin(), rede.Removidos.end(),
                     [](const TValorTriado& a, const TValorTriado& b) { return a.Codigo < b.Codigo; });
    std::stable_sort(rede.Sinalizados.begin(), rede.Sinalizados.end(),
                     [](const TValorTriado& a, const TValorTriado& b) { return a.Codigo < b.Codigo; });
    return rede;
}

TCsvsRede CsvsDaRede(const TRedeAjustada& rede) {
    TCsvsRede c;
    c.Estacoes =
        "# Estações da Rede Hidrometeorológica Nacional (ANA, dados abertos): equações ajustadas pelo construtor\n"
        "# de dados aos máximos anuais de chuva de um dia, com nomes e posições do inventário da rede. Gerado por\n"
        "# tormel21-dados --maximos-anuais (veja notas-dos-dados.md); latitude com \" N\": ao norte do equador.\n"
        "uf,nome,K,a,b,c,citacao,latitude,longitude\n";
    c.Ajustes = "uf,nome,citacao,descricao\n";
    c.Intervalos = "uf,nome,tr,duracao,inferior,superior\n";
    for (const TEstacaoRede& e : rede.Estacoes) {
        std::string linha = Utf8(LinhaEstacaoCsv(Ansi(e.Uf), Utf8ToCp1252(e.Nome), e.Equacao, Utf8ToCp1252(e.Dados.Citacao),
                                                 e.Latitude, e.Longitude));
        if (e.Latitude > 0) {
            // The latitude is the eighth field: its closing quote gains the hemisphere.
            const std::string lat = TCsv::Campo(Cp1252ToUtf8(TextoDeGrausDecimais(e.Latitude)));
            const std::size_t p = linha.rfind(lat);
            linha.replace(p, lat.size(), TCsv::Campo(Cp1252ToUtf8(TextoDeGrausDecimais(e.Latitude)) + " N"));
        }
        c.Estacoes += linha + "\n";
        LinhasDoAjuste(e.Dados, c.Ajustes, c.Intervalos);
    }
    return c;
}

std::string CitacaoDoPluviografo(const std::string& nome) {
    AnsiString c = Ansi("Alerta Rio ") + Utf8ToCp1252(nome);
    if (c.size() > 30) c = c.substr(0, 30);
    while (!c.empty() && c.back() == ' ') c.pop_back();
    return Cp1252ToUtf8(c);
}

std::vector<TPluviografoRede> AcrescentaPluviografos(TRedeAjustada& rede, const std::string& lista,
                                                     const TContornosEstados& contornos, const TOpcoesRede& o) {
    TLeitura leitura;
    std::vector<int> c;
    const std::vector<TLinhaCsv> linhas =
        leitura.Linhas(LeArquivo(lista), lista, {"arquivo", "nome", "latitude", "longitude"}, c);
    const std::size_t barra = lista.find_last_of('/');
    const std::string pasta = barra == std::string::npos ? std::string() : lista.substr(0, barra + 1);
    struct TGauge {
        std::string Arquivo, Nome;
        double Lat = 0, Lon = 0;
        int Estado = -1;
    };
    std::vector<TGauge> gauges;
    for (const TLinhaCsv& l : linhas) {
        TGauge g{Campo(l, c[0]), Campo(l, c[1])};
        if (!Numero(Campo(l, c[2]), g.Lat) || !Numero(Campo(l, c[3]), g.Lon))
            leitura.Erro(lista, l.Numero, "latitude", "posição que não se lê em graus decimais");
        else if ((g.Estado = EstadoDoPonto(contornos, -g.Lat, -g.Lon)) < 0)
            leitura.Erro(lista, l.Numero, "latitude", "a posição não fica em nenhum estado");
        gauges.push_back(g);
    }
    if (!leitura.Erros.empty()) {
        std::string msg;
        for (const auto& e : leitura.Erros) msg += (msg.empty() ? "" : "\n") + e.Texto();
        throw EDadosInvalidos(IsCp1252Representable(msg) ? Utf8ToCp1252(msg) : msg);
    }
    std::vector<TPluviografoRede> feitos;
    std::set<std::string> citacoes;
    for (std::size_t i = 0; i < gauges.size(); ++i) {
        const TGauge& g = gauges[i];
        TRegistro r = LeRegistro(pasta + g.Arquivo);
        r.Arquivo = g.Arquivo;
        TOpcoesAjuste oa;
        oa.Bootstrap = o.Bootstrap;
        oa.ReplicasAderencia = o.ReplicasAderencia;
        oa.Semente = o.Semente + i;
        const TResultadoAjuste a = AjustaRegistro(r, oa);
        TPluviografoRede p{g.Arquivo, g.Nome, a.Maximos.Usados.size(), a.Maximos.Intervalo,
                           RazoesMedidas(a.Maximos, Ansi("razões medidas no pluviógrafo ") + Utf8ToCp1252(g.Nome))};
        TEstacaoRede e;
        e.Uf = Utf8(SiglasEstados[static_cast<std::size_t>(g.Estado)]);
        e.Nome = g.Nome + " - Alerta Rio";
        e.Latitude = g.Lat;
        e.Longitude = g.Lon;
        e.Anos = p.Anos;
        e.PrimeiroAno = a.Maximos.Usados.front().Ano;
        e.UltimoAno = a.Maximos.Usados.back().Ano;
        e.Distribuicao = a.Series[0].Parametros();
        e.Equacao = a.Equacao;
        e.I10_60 = a.Equacao.Intensidade(10, 60);
        e.Dados.Uf = e.Uf;
        e.Dados.Nome = e.Nome;
        e.Dados.Citacao = CitacaoDoPluviografo(g.Nome);
        if (!citacoes.insert(e.Dados.Citacao).second)
            throw EDadosInvalidos(Ansi("Dois pluviógrafos têm a mesma citação \"") + Utf8ToCp1252(e.Dados.Citacao) + "\".");
        std::string razoes;
        for (const TRazao& z : p.Razoes.Razoes)
            razoes += (razoes.empty() ? "" : "; ") + Utf8(FloatToStr(z.Duracao, ',')) + " min / " +
                      (z.Base == 0 ? std::string("1 dia") : Utf8(FloatToStr(z.Base, ',')) + " min") + " = " +
                      Utf8(FormatFloat("0.000", z.Razao, ','));
        e.Dados.Descricao = "Pluviógrafo " + g.Nome + " do Alerta Rio, o sistema de alerta de chuvas da cidade do Rio de "
                            "Janeiro (dados públicos de " + std::to_string(a.Maximos.Intervalo) + " min, " +
                            g.Arquivo + "). " + Utf8(a.Descricao()) +
                            (razoes.empty() ? std::string() : " Razões medidas entre as médias dos máximos: " + razoes + ".");
        for (const AnsiString& aviso : a.Maximos.Avisos) e.Dados.Descricao += " " + Utf8(aviso);
        for (const TLinhaTabela& l : a.Tabela)
            e.Dados.Intervalos.push_back({l.Ponto.Tr, l.Ponto.T, l.IcAjustada.Inferior, l.IcAjustada.Superior});
        rede.Estacoes.push_back(std::move(e));
        feitos.push_back(std::move(p));
    }
    std::stable_sort(rede.Estacoes.begin(), rede.Estacoes.end(), [](const TEstacaoRede& a, const TEstacaoRede& b) {
        return a.Uf != b.Uf ? a.Uf < b.Uf : a.Codigo < b.Codigo;
    });
    return feitos;
}
