#include "Importador.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "Csv.h"
#include "database/Citacoes.h"
#include "database/Colacao.h"
#include "database/Coordenadas.h"
#include "database/ExtensaoBrasil.h"
#include "database/GeoReferencia.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {

const std::vector<std::string> ColunasEstacoes = {"uf", "nome", "K", "a", "b", "c", "citacao", "latitude", "longitude"};
const std::vector<std::string> ColunasLocalidades = {"uf", "nome", "latitude", "longitude"};

std::string Apara(const std::string& s) {
    size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

template <class T>
void OrdenaPorNome(std::vector<T>& v) {
    std::stable_sort(v.begin(), v.end(), [](const T& x, const T& y) { return NomeAntes(x.Nome.Text(), y.Nome.Text()); });
}

}  // namespace

std::string TErroImportacao::Texto() const {
    std::string s = Arquivo + ", linha " + std::to_string(Linha);
    if (!Campo.empty()) s += ", campo " + Campo;
    return s + ": " + Motivo;
}

void TImportador::Erro(const std::string& arquivo, int linha, std::string campo, std::string motivo) {
    erros_.push_back({arquivo, linha, std::move(campo), std::move(motivo)});
}

void TImportador::Aviso(const std::string& arquivo, int linha, std::string campo, std::string motivo) {
    avisos_.push_back({arquivo, linha, std::move(campo), "aviso: " + std::move(motivo)});
}

// A place inside Brazil's extent; for a station, inside its state's bounds
// when the state has a map (a warning, an error when strict), and at a
// position no other station has.
bool TImportador::ConfereLugar(const AnsiString& lat, const AnsiString& lon, const std::string& arquivo, int linha,
                               int estado, bool estacao, bool norte) {
    const double graus[2] = {norte ? -ParseDms(lat) : ParseDms(lat), ParseDms(lon)};
    if (ForaDaExtensaoDoBrasil(graus[0], graus[1])) {
        Erro(arquivo, linha, "latitude",
             "a posição " + Cp1252ToUtf8(lat) + " " + Cp1252ToUtf8(lon) + " fica fora do Brasil");
        return false;
    }
    if (!estacao) return true;
    const TEstadoComMapa* mapa = EstadoComMapa(estado);
    std::string onde;   // what of the state the place lies outside, when it does
    if (contornos_ && mapa) {
        if (!contornos_->Contem(estado, graus[0], graus[1], ToleranciaContornoKm)) onde = "do contorno";
    } else if (contornos_) {
        // north, south, east, west; the tolerance as degrees (a degree is at least 111 km north-south).
        const auto e = contornos_->Extensao(estado);
        const double m = ToleranciaContornoKm / 111.0 / std::max(0.2, std::cos(graus[0] * 3.14159265358979 / 180));
        if (graus[0] < e[0] - m || graus[0] > e[1] + m || graus[1] < e[2] - m || graus[1] > e[3] + m)
            onde = "da extensão";
    } else if (mapa && !mapa->DentroDosLimites(graus[0], graus[1])) {
        onde = "dos limites";
    }
    if (!onde.empty()) {
        const std::string motivo = "a posição " + Cp1252ToUtf8(lat) + " " + Cp1252ToUtf8(lon) + " fica fora " + onde +
                                   " do estado " + SiglasEstados[static_cast<size_t>(estado)];
        if (estrito_) {
            Erro(arquivo, linha, "latitude", motivo);
            return false;
        }
        Aviso(arquivo, linha, "latitude", motivo);
    }
    const auto [posicao, nova] = posicoes_.emplace((norte ? "N" : "") + lat + lon, linha);
    if (!nova) {
        Erro(arquivo, linha, "latitude",
             "a posição " + Cp1252ToUtf8(lat) + " " + Cp1252ToUtf8(lon) + " é a mesma da estação da linha " +
                 std::to_string(posicao->second) + " (a interpolação só acharia uma delas)");
        return false;
    }
    return true;
}

bool TImportador::Cabecalho(const std::vector<std::string>& campos, const std::vector<std::string>& esperado,
                            const std::string& arquivo, int linha) {
    std::vector<std::string> lidos;
    for (const auto& c : campos) lidos.push_back(Apara(c));
    if (lidos == esperado) return true;
    std::string e;
    for (const auto& c : esperado) e += (e.empty() ? "" : ",") + c;
    Erro(arquivo, linha, "", "cabeçalho esperado: " + e);
    return false;
}

bool TImportador::LeEstado(const std::string& texto, const std::string& arquivo, int linha, int& estado) {
    std::string s = Apara(texto);
    for (int i = 0; i < NumEstados; ++i)
        if (s == SiglasEstados[static_cast<size_t>(i)]) { estado = i; return true; }
    Erro(arquivo, linha, "uf", "estado desconhecido \"" + s + "\"");
    return false;
}

bool TImportador::LeNome(const std::string& texto, const std::string& arquivo, int linha, int estado,
                         std::vector<std::vector<std::string>>& vistos, AnsiString& nome) {
    if (texto.empty()) {
        Erro(arquivo, linha, "nome", "nome vazio");
        return false;
    }
    if (!IsCp1252Representable(texto)) {
        Erro(arquivo, linha, "nome", "\"" + texto + "\" tem caracteres fora do cp1252");
        return false;
    }
    nome = Utf8ToCp1252(texto);
    if (std::any_of(nome.begin(), nome.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
        Erro(arquivo, linha, "nome", "nome com caractere de controle");
        return false;
    }
    if (nome.size() > 68) {
        Erro(arquivo, linha, "nome", "\"" + texto + "\" tem " + std::to_string(nome.size()) + " bytes (máximo 68)");
        return false;
    }
    auto& v = vistos[static_cast<size_t>(estado)];
    for (const auto& outro : v)
        if (ComparaNomes(outro, nome) == 0) {
            Erro(arquivo, linha, "nome", "\"" + texto + "\" repetido no mesmo estado");
            return false;
        }
    // Equal but for case and accents ("São Paulo", "Sao paulo"): most likely
    // one place written twice.
    for (const auto& outro : v)
        if (ProcuraNoNome(outro, nome) == 0 && ProcuraNoNome(nome, outro) == 0) {
            Aviso(arquivo, linha, "nome",
                  "\"" + texto + "\" difere de \"" + Cp1252ToUtf8(outro) + "\", no mesmo estado, só em maiúsculas ou acentos");
            break;
        }
    v.push_back(nome);
    return true;
}

bool TImportador::LeCoordenada(const std::string& texto, const std::string& arquivo, int linha, const char* campo,
                               AnsiString& valor, bool* norte) {
    std::string s = Apara(texto);
    // A station's latitude north of the equator: the text and " N".
    if (norte) {
        *norte = s.size() > 9 && (s.back() == 'N' || s.back() == 'n');
        if (*norte) s = Apara(s.substr(0, s.size() - 1));
    }
    AnsiString a = IsCp1252Representable(s) ? Utf8ToCp1252(s) : AnsiString();
    auto digito = [&](size_t k) { return a[k] >= '0' && a[k] <= '9'; };
    bool ok = a.size() == 9 && digito(0) && digito(1) && a[2] == '\xB0' && digito(3) && digito(4) && a[5] == '\'' &&
              digito(6) && digito(7) && a[8] == '"' && a.substr(3, 2) < "60" && a.substr(6, 2) < "60";
    if (!ok) {
        Erro(arquivo, linha, campo, "\"" + s + "\" não é uma coordenada DD°MM'SS\" (graus, minutos e segundos)");
        return false;
    }
    valor = a;
    return true;
}

bool TImportador::LeParametro(const std::string& texto, const std::string& arquivo, int linha, const char* campo,
                              double& valor) {
    std::string s = Apara(texto);
    const char* fim = s.data() + s.size();
    auto [p, ec] = std::from_chars(s.data(), fim, valor, std::chars_format::general);
    if (s.empty() || ec != std::errc() || p != fim || !std::isfinite(valor)) {
        Erro(arquivo, linha, campo, "\"" + s + "\" não é um número");
        return false;
    }
    if (valor < 0 || std::signbit(valor)) {
        Erro(arquivo, linha, campo, "\"" + s + "\" é negativo");
        return false;
    }
    return true;
}

std::vector<TLinhaCsv> TImportador::LinhasDeDados(std::string_view textoUtf8, const std::string& arquivo,
                                                 const std::vector<std::string>& colunas) {
    std::vector<TErroCsv> errosCsv;
    std::vector<TLinhaCsv> linhas = TCsv::Le(textoUtf8, errosCsv);
    for (const auto& e : errosCsv) Erro(arquivo, e.Linha, "", e.Motivo);
    if (linhas.empty()) {
        if (errosCsv.empty()) Erro(arquivo, 1, "", "arquivo sem cabeçalho");
        return {};
    }
    if (!Cabecalho(linhas[0].Campos, colunas, arquivo, linhas[0].Numero)) return {};
    std::vector<TLinhaCsv> dados;
    for (size_t k = 1; k < linhas.size(); ++k) {
        const auto& l = linhas[k];
        if (l.Campos.size() != colunas.size()) {
            Erro(arquivo, l.Numero, "",
                 "esperados " + std::to_string(colunas.size()) + " campos, encontrados " +
                     std::to_string(l.Campos.size()));
            continue;
        }
        dados.push_back(std::move(linhas[k]));
    }
    return dados;
}

void TImportador::LeEstacoes(std::string_view textoUtf8, const std::string& arquivo) {
    for (const auto& l : LinhasDeDados(textoUtf8, arquivo, ColunasEstacoes)) {
        const auto& f = l.Campos;
        TEstacao e;
        int estado = 0;
        AnsiString nome, lat, lon;
        bool ok = LeEstado(f[0], arquivo, l.Numero, estado);
        ok = ok && LeNome(f[1], arquivo, l.Numero, estado, nomesEstacoes_, nome);
        // Read into aligned locals: the packed record's doubles take no reference.
        double pk = 0, pa = 0, pb = 0, pc = 0;
        ok = LeParametro(f[2], arquivo, l.Numero, "K", pk) && ok;
        ok = LeParametro(f[3], arquivo, l.Numero, "a", pa) && ok;
        ok = LeParametro(f[4], arquivo, l.Numero, "b", pb) && ok;
        ok = LeParametro(f[5], arquivo, l.Numero, "c", pc) && ok;
        std::string citacao = Apara(f[6]);
        // Compared whole: a NUL would end the key early and let what follows it in.
        if (citacao.find('\0') != std::string::npos ||
            (IndiceCitacao(citacao.c_str()) < 0 && !CitacaoComDescricao(citacao.c_str()))) {
            Erro(arquivo, l.Numero, "citacao", "\"" + citacao + "\" não está na tabela de citações do programa");
            ok = false;
        }
        bool norte = false;
        ok = LeCoordenada(f[7], arquivo, l.Numero, "latitude", lat, &norte) && ok;
        ok = LeCoordenada(f[8], arquivo, l.Numero, "longitude", lon) && ok;
        ok = ok && ConfereLugar(lat, lon, arquivo, l.Numero, estado, true, norte);
        if (!ok) continue;
        e.K = pk;
        e.a = pa;
        e.b = pb;
        e.c = pc;
        e.Nome.Assign(nome);
        e.Autor.Assign(Utf8ToCp1252(citacao));
        e.Latitude.Assign(lat);
        e.Longitude.Assign(lon);
        estacoes_[static_cast<size_t>(estado)].push_back(e);
        if (norte) aoNorte_[static_cast<size_t>(estado)].insert(nome);
    }
}

void TImportador::LeLocalidades(std::string_view textoUtf8, const std::string& arquivo) {
    for (const auto& l : LinhasDeDados(textoUtf8, arquivo, ColunasLocalidades)) {
        const auto& f = l.Campos;
        TLocalidade r;
        int estado = 0;
        AnsiString nome, lat, lon;
        bool ok = LeEstado(f[0], arquivo, l.Numero, estado);
        ok = ok && LeNome(f[1], arquivo, l.Numero, estado, nomesLocalidades_, nome);
        ok = LeCoordenada(f[2], arquivo, l.Numero, "latitude", lat) && ok;
        ok = LeCoordenada(f[3], arquivo, l.Numero, "longitude", lon) && ok;
        ok = ok && ConfereLugar(lat, lon, arquivo, l.Numero, estado, false, false);
        if (!ok) continue;
        r.Nome.Assign(nome);
        r.Latitude.Assign(lat);
        r.Longitude.Assign(lon);
        localidades_[static_cast<size_t>(estado)].push_back(r);
    }
}

void TImportador::LeArquivoEstacoes(const std::string& caminho) { LeEstacoes(LeArquivo(caminho), caminho); }
void TImportador::LeArquivoLocalidades(const std::string& caminho) { LeLocalidades(LeArquivo(caminho), caminho); }

void TImportador::VerificaSemErros() const {
    if (erros_.empty()) return;
    std::string msg;
    for (const auto& e : erros_) msg += (msg.empty() ? "" : "\n") + e.Texto();
    // The message text of the system's errors is cp1252; file names or values
    // that cp1252 cannot hold keep their UTF-8 bytes.
    throw EDadosInvalidos(IsCp1252Representable(msg) ? Utf8ToCp1252(msg) : msg);
}

TBlocosEstacoes TImportador::Estacoes() const {
    TBlocosEstacoes r = estacoes_;
    for (auto& b : r) OrdenaPorNome(b);
    return r;
}

TBlocosLocalidades TImportador::Localidades() const {
    TBlocosLocalidades r = localidades_;
    for (auto& b : r) OrdenaPorNome(b);
    return r;
}
