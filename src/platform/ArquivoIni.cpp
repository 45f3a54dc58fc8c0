#include "platform/ArquivoIni.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string_view>
#include <vector>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define TORMEL_TEM_FSYNC 1
#endif

#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

namespace fs = std::filesystem;

namespace {

enum class TipoLinha { Outra, Secao, Chave };

// One line of the file: [inicio, fimTexto) is its text, [fimTexto, fim) its line end.
struct Linha {
    std::size_t inicio, fimTexto, fim;
    TipoLinha tipo;
    std::string_view nome;    // section or key name, blanks dropped
    std::string_view valor;   // key value, blanks dropped (quotes still on)
};

bool EhBranco(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

std::string_view Apara(std::string_view s) {
    while (!s.empty() && EhBranco(s.front())) s.remove_prefix(1);
    while (!s.empty() && EhBranco(s.back())) s.remove_suffix(1);
    return s;
}

// Upper case of a Windows-1252 byte: ASCII, the accented Latin-1 letters and š œ ž ÿ.
unsigned char Maiuscula(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
    }
}

bool MesmoNome(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Maiuscula(static_cast<unsigned char>(a[i])) != Maiuscula(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

Linha Classifica(std::string_view texto, std::size_t inicio, std::size_t fimTexto, std::size_t fim) {
    Linha l{inicio, fimTexto, fim, TipoLinha::Outra, {}, {}};
    const std::string_view s = Apara(texto.substr(inicio, fimTexto - inicio));
    if (s.empty() || s.front() == ';') return l;
    if (s.front() == '[') {
        const std::size_t fecha = s.rfind(']');
        if (fecha != std::string_view::npos) {
            l.tipo = TipoLinha::Secao;
            l.nome = Apara(s.substr(1, fecha - 1));
        }
        return l;
    }
    const std::size_t igual = s.find('=');
    if (igual != std::string_view::npos) {
        l.tipo = TipoLinha::Chave;
        l.nome = Apara(s.substr(0, igual));
        l.valor = Apara(s.substr(igual + 1));
    }
    return l;
}

// Lines end in LF, CRLF or a lone CR, each line with its own end.
std::vector<Linha> DivideLinhas(std::string_view texto) {
    std::vector<Linha> linhas;
    std::size_t inicio = 0;
    while (inicio < texto.size()) {
        const std::size_t quebra = texto.find_first_of("\r\n", inicio);
        std::size_t fimTexto = quebra == std::string_view::npos ? texto.size() : quebra;
        std::size_t fim = fimTexto;
        if (quebra != std::string_view::npos) {
            fim = quebra + 1;
            if (texto[quebra] == '\r' && fim < texto.size() && texto[fim] == '\n') ++fim;
        }
        linhas.push_back(Classifica(texto, inicio, fimTexto, fim));
        inicio = fim;
    }
    return linhas;
}

// The line end used for new lines: the file's first one (LF, CRLF or CR),
// CRLF for a file without any.
std::string_view FimDeLinha(std::string_view texto) {
    const std::size_t quebra = texto.find_first_of("\r\n");
    if (quebra == std::string_view::npos) return "\r\n";
    if (texto[quebra] == '\n') return "\n";
    if (quebra + 1 < texto.size() && texto[quebra + 1] == '\n') return "\r\n";
    return "\r";
}

// Where a section lies: the index of its header and one past its last line.
struct Posicao {
    std::size_t cabecalho, fim;
};

std::optional<Posicao> AchaSecao(const std::vector<Linha>& linhas, std::string_view secao) {
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        if (linhas[i].tipo != TipoLinha::Secao || !MesmoNome(linhas[i].nome, Apara(secao))) continue;
        std::size_t j = i + 1;
        while (j < linhas.size() && linhas[j].tipo != TipoLinha::Secao) ++j;
        return Posicao{i, j};
    }
    return std::nullopt;
}

std::optional<std::size_t> AchaChave(const std::vector<Linha>& linhas, const Posicao& p, std::string_view chave) {
    for (std::size_t i = p.cabecalho + 1; i < p.fim; ++i)
        if (linhas[i].tipo == TipoLinha::Chave && MesmoNome(linhas[i].nome, Apara(chave))) return i;
    return std::nullopt;
}

std::optional<std::string_view> Valor(std::string_view texto, std::string_view secao, std::string_view chave) {
    const std::vector<Linha> linhas = DivideLinhas(texto);
    const auto p = AchaSecao(linhas, secao);
    if (!p) return std::nullopt;
    const auto k = AchaChave(linhas, *p, chave);
    if (!k) return std::nullopt;
    std::string_view v = linhas[*k].valor;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v;
}

// File names and system messages are native (UTF-8) text; messages are cp1252.
AnsiString NomeNaMensagem(const std::string& path) { return TextoDoCaminho(path); }

[[noreturn]] void FalhaDeGravacao(const std::string& path, const std::string& causa) {
    throw EInOutError(Ansi("Não foi possível gravar o arquivo \"") + NomeNaMensagem(path) + "\": " +
                      NomeNaMensagem(causa));
}

[[noreturn]] void FalhaDeLeitura(const std::string& path, const std::string& causa) {
    throw EInOutError(Ansi("Não foi possível ler o arquivo \"") + NomeNaMensagem(path) + "\": " +
                      NomeNaMensagem(causa));
}

bool TemQuebra(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// Reads the whole file; false when it does not exist or cannot be read.
bool LeTudo(const std::string& path, AnsiString& out, std::string& causa) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (!fs::exists(st)) {
        causa = "inexistente";
        return false;
    }
    if (!fs::is_regular_file(st)) {
        causa = "não é um arquivo";
        return false;
    }
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        causa = "sem acesso";
        return false;
    }
    std::ostringstream s;
    s << f.rdbuf();
    if (f.bad() || s.fail()) {
        // An empty file makes operator<< set failbit without reading anything.
        if (fs::file_size(path, ec) != 0 || ec) {
            causa = "erro de leitura";
            return false;
        }
    }
    out = std::move(s).str();
    return true;
}

std::string NomeTemporario(const fs::path& alvo, unsigned tentativa) {
    static thread_local std::mt19937 gerador{std::random_device{}()};
    char sufixo[32];
    std::snprintf(sufixo, sizeof sufixo, ".~%08x%u.tmp", static_cast<unsigned>(gerador()), tentativa);
    return alvo.string() + sufixo;
}

}  // namespace

TArquivoIni::TArquivoIni(std::string path) : path_(std::move(path)) {}

AnsiString TArquivoIni::Conteudo() const {
    if (lote_) return *lote_;
    AnsiString texto;
    std::string causa;
    if (!LeTudo(path_, texto, causa)) return {};
    return texto;
}

AnsiString TArquivoIni::ConteudoParaAlterar() const {
    if (lote_) return *lote_;
    AnsiString texto;
    std::string causa;
    if (LeTudo(path_, texto, causa)) return texto;
    std::error_code ec;
    // A missing file is created; one that exists but cannot be read must not be replaced.
    if (!fs::exists(fs::status(path_, ec))) return {};
    FalhaDeLeitura(path_, causa);
}

AnsiString TArquivoIni::ReadString(const AnsiString& section, const AnsiString& key, const AnsiString& def) const {
    const AnsiString texto = Conteudo();
    const auto v = Valor(texto, section, key);
    return v ? AnsiString(*v) : def;
}

int TArquivoIni::ReadInteger(const AnsiString& section, const AnsiString& key, int def) const {
    const AnsiString texto = Conteudo();
    const auto v = Valor(texto, section, key);
    int n = 0;
    if (!v || !TryStrToInt(*v, n)) return def;
    return n;
}

double TArquivoIni::ReadFloat(const AnsiString& section, const AnsiString& key, double def) const {
    const AnsiString texto = Conteudo();
    const auto v = Valor(texto, section, key);
    if (!v || v->empty()) return def;
    AnsiString numero(*v);
    for (char& c : numero)
        if (c == ',') c = '.';
    double x = 0;
    if (!TryStrToFloat(numero, '.', x) || !std::isfinite(x)) return def;
    return x;
}

bool TArquivoIni::ValueExists(const AnsiString& section, const AnsiString& key) const {
    const AnsiString texto = Conteudo();
    return Valor(texto, section, key).has_value();
}

void TArquivoIni::WriteString(const AnsiString& section, const AnsiString& key, const AnsiString& value) {
    Altera(section, key, &value);
}

void TArquivoIni::WriteInteger(const AnsiString& section, const AnsiString& key, int value) {
    const AnsiString texto = std::to_string(value);
    Altera(section, key, &texto);
}

void TArquivoIni::WriteFloat(const AnsiString& section, const AnsiString& key, double value, char decSep) {
    const AnsiString texto = FloatToStr(value, decSep);
    Altera(section, key, &texto);
}

void TArquivoIni::DeleteKey(const AnsiString& section, const AnsiString& key) { Altera(section, key, nullptr); }

void TArquivoIni::EmLote(const std::function<void()>& alteracoes) {
    if (lote_) {
        alteracoes();
        return;
    }
    lote_ = ConteudoParaAlterar();
    loteAlterado_ = false;
    try {
        alteracoes();
    } catch (...) {
        lote_.reset();
        throw;
    }
    AnsiString texto = std::move(*lote_);
    const bool alterado = loteAlterado_;
    lote_.reset();
    if (alterado) Grava(texto);
}

void TArquivoIni::Altera(const AnsiString& section, const AnsiString& key, const AnsiString* value) {
    if (TemQuebra(section) || TemQuebra(key) || (value && TemQuebra(*value)) ||
        section.find(']') != AnsiString::npos || key.find('=') != AnsiString::npos || Apara(key).empty() ||
        Apara(key).front() == ';' || Apara(key).front() == '[')
        FalhaDeGravacao(path_, Utf8(Ansi("nome ou valor inválido")));

    AnsiString texto = ConteudoParaAlterar();
    const std::vector<Linha> linhas = DivideLinhas(texto);
    const std::string_view eol = FimDeLinha(texto);
    const auto p = AchaSecao(linhas, section);

    if (!value) {
        if (!p) return;
        const auto k = AchaChave(linhas, *p, key);
        if (!k) return;
        const Linha& l = linhas[*k];
        texto.erase(l.inicio, l.fim - l.inicio);
        // A lone CR before the removed line and an LF after it would join
        // into one CRLF, and the line that the LF ended would be lost: that
        // CR becomes a CRLF.
        if (l.inicio > 0 && texto[l.inicio - 1] == '\r' && l.inicio < texto.size() && texto[l.inicio] == '\n')
            texto.insert(l.inicio, 1, '\n');
    } else if (p) {
        if (const auto k = AchaChave(linhas, *p, key)) {
            const Linha& l = linhas[*k];
            texto.replace(l.inicio, l.fimTexto - l.inicio, AnsiString(l.nome) + "=" + *value);
        } else {
            // After the section's last key line, or right after its header.
            std::size_t ultima = p->cabecalho;
            for (std::size_t i = p->cabecalho + 1; i < p->fim; ++i)
                if (linhas[i].tipo == TipoLinha::Chave) ultima = i;
            const Linha& l = linhas[ultima];
            AnsiString novo = AnsiString(Apara(key)) + "=" + *value + AnsiString(eol);
            // The file's last line had no line end: without one the new key
            // would join it.
            if (l.fim == l.fimTexto) novo.insert(0, eol);
            // Ending in a lone CR right before an LF, the new line would take
            // that LF as its own and the line it ended would be lost.
            if (novo.back() == '\r' && l.fim < texto.size() && texto[l.fim] == '\n') novo += '\n';
            texto.insert(l.fim, novo);
        }
    } else {
        if (!texto.empty() && texto.back() != '\n' && texto.back() != '\r') texto += eol;
        texto += "[" + AnsiString(Apara(section)) + "]" + AnsiString(eol) + AnsiString(Apara(key)) + "=" + *value +
                 AnsiString(eol);
    }

    if (lote_) {
        *lote_ = std::move(texto);
        loteAlterado_ = true;
    } else {
        Grava(texto);
    }
}

std::error_code TArquivoIni::Substitui(const std::string& temporario, const std::string& alvo) {
    std::error_code ec;
    fs::rename(temporario, alvo, ec);
    return ec;
}

void TArquivoIni::Grava(const AnsiString& conteudo) {
    // Through a symbolic link the file it names is replaced, not the link.
    fs::path alvo(path_);
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(alvo, ec))) {
        const fs::path real = fs::weakly_canonical(alvo, ec);
        if (!ec) alvo = real;
    }

    std::string temporario;
    std::FILE* f = nullptr;
    for (unsigned tentativa = 0; tentativa < 16 && !f; ++tentativa) {
        temporario = NomeTemporario(alvo, tentativa);
        f = std::fopen(temporario.c_str(), "wbx");
        if (!f && errno != EEXIST) break;
    }
    if (!f) FalhaDeGravacao(path_, std::generic_category().message(errno));

    bool ok = std::fwrite(conteudo.data(), 1, conteudo.size(), f) == conteudo.size();
    ok = std::fflush(f) == 0 && ok;
#ifdef TORMEL_TEM_FSYNC
    ok = ::fsync(::fileno(f)) == 0 && ok;
#endif
    const int erro = errno;
    ok = std::fclose(f) == 0 && ok;
    if (!ok) {
        fs::remove(temporario, ec);
        FalhaDeGravacao(path_, std::generic_category().message(erro ? erro : EIO));
    }

    // The replacement keeps the permissions of the file it replaces.
    const fs::file_status antigo = fs::status(alvo, ec);
    if (!ec && fs::exists(antigo)) fs::permissions(temporario, antigo.permissions(), ec);

    if (const std::error_code falha = Substitui(temporario, alvo.string())) {
        fs::remove(temporario, ec);
        FalhaDeGravacao(path_, falha.message());
    }
}
