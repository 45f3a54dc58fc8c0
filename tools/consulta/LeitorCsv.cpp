#include "LeitorCsv.h"

#include <cerrno>
#include <cstring>
#include <ios>

#include "LeitorCoordenada.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {

bool Utf8Valido(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        int extra = 0;
        char32_t cp = 0;
        if (c < 0x80) { ++i; continue; }
        if (c >= 0xC2 && c <= 0xDF) { extra = 1; cp = c & 0x1F; }
        else if (c >= 0xE0 && c <= 0xEF) { extra = 2; cp = c & 0x0F; }
        else if (c >= 0xF0 && c <= 0xF4) { extra = 3; cp = c & 0x07; }
        else return false;
        if (i + static_cast<std::size_t>(extra) >= s.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

bool EmBranco(const std::string& s) {
    return s.find_first_not_of(" \t") == std::string::npos;
}

// One line without its end: LF, CR or CR LF, mixed as they come. False at the
// end of the input when nothing is left.
bool LeLinha(std::istream& entrada, std::string& texto) {
    texto.clear();
    std::streambuf* buffer = entrada.rdbuf();
    using Tracos = std::char_traits<char>;
    for (;;) {
        const Tracos::int_type c = buffer->sbumpc();
        if (Tracos::eq_int_type(c, Tracos::eof())) {
            entrada.setstate(std::ios::eofbit);
            return !texto.empty();
        }
        if (c == '\n') return true;
        if (c == '\r') {
            if (buffer->sgetc() == '\n') buffer->sbumpc();
            return true;
        }
        texto += Tracos::to_char_type(c);
    }
}

}  // namespace

bool TLeitorCsv::Divide(const std::string& texto, char separador, std::vector<std::string>& campos,
                        std::string& erro) {
    campos.clear();
    erro.clear();
    std::string campo;
    std::size_t i = 0;
    const std::size_t n = texto.size();
    for (;;) {
        campo.clear();
        if (i < n && texto[i] == '"') {
            ++i;
            bool fechado = false;
            while (i < n) {
                if (texto[i] == '"') {
                    if (i + 1 < n && texto[i + 1] == '"') {
                        campo += '"';
                        i += 2;
                        continue;
                    }
                    fechado = true;
                    ++i;
                    break;
                }
                campo += texto[i++];
            }
            if (!fechado) {
                erro = "aspas abertas e não fechadas na linha";
                return false;
            }
            if (i < n && texto[i] != separador) {
                erro = "texto depois das aspas de fechamento de um campo";
                return false;
            }
        } else {
            while (i < n && texto[i] != separador) campo += texto[i++];
        }
        campos.push_back(campo);
        if (i >= n) return true;
        ++i;   // the separator
    }
}

namespace {

void PoeUtf8(char32_t cp, std::string& saida) {
    if (cp < 0x80) {
        saida += static_cast<char>(cp);
    } else if (cp < 0x800) {
        saida += static_cast<char>(0xC0 | (cp >> 6));
        saida += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        saida += static_cast<char>(0xE0 | (cp >> 12));
        saida += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        saida += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        saida += static_cast<char>(0xF0 | (cp >> 18));
        saida += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        saida += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        saida += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// UTF-16 (after its mark) as UTF-8. A lone surrogate becomes a byte that is
// not UTF-8, so that its line is refused as such.
std::string Utf8DeUtf16(const std::string& bytes, bool grandeExtremidade) {
    std::string saida;
    saida.reserve(bytes.size());
    auto unidade = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        return grandeExtremidade ? (a << 8 | b) : (b << 8 | a);
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char32_t u = unidade(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t v = unidade(i + 2);
            if (v >= 0xDC00 && v <= 0xDFFF) {
                PoeUtf8(0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00), saida);
                i += 2;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF) saida += '\xFF';
        else PoeUtf8(u, saida);
    }
    if (bytes.size() % 2) saida += '\xFF';
    return saida;
}

}  // namespace

// The encoding is told by the mark at the start: UTF-16 (LE or BE, as a
// spreadsheet saves "Unicode text") is converted whole to UTF-8; otherwise
// the input is read as UTF-8 line by line.
void TLeitorCsv::Inicia() {
    std::streambuf* buffer = entrada_.rdbuf();
    using Tracos = std::char_traits<char>;
    const Tracos::int_type primeiro = buffer->sgetc();
    if (primeiro != 0xFF && primeiro != 0xFE) return;
    buffer->sbumpc();
    const Tracos::int_type segundo = buffer->sgetc();
    if (segundo != (primeiro == 0xFF ? 0xFE : 0xFF)) {
        pendente_ = std::string(1, Tracos::to_char_type(primeiro));   // not a mark: an invalid first line
        return;
    }
    buffer->sbumpc();
    std::string bytes;
    for (Tracos::int_type c; !Tracos::eq_int_type(c = buffer->sbumpc(), Tracos::eof());)
        bytes += Tracos::to_char_type(c);
    entrada_.setstate(std::ios::eofbit);
    convertida_.str(Utf8DeUtf16(bytes, primeiro == 0xFE));
    fonte_ = &convertida_;
}

bool TLeitorCsv::Proxima(TLinhaCsvPontos& linha) {
    std::string texto;
    for (;;) {
        bool temLinha = false;
        try {
            errno = 0;
            if (!iniciado_) {
                iniciado_ = true;
                Inicia();
            }
            temLinha = fonte_->good() && LeLinha(*fonte_, texto);
        } catch (const std::ios_base::failure&) {   // the file buffer's read failed
            const int motivo = errno;
            entrada_.setstate(std::ios::badbit);
            throw EInOutError(Ansi("Não foi possível ler ") + AnsiDaEntrada(nome_) +
                              (motivo ? " (" + AnsiDaEntrada(std::strerror(motivo)) + ")" : AnsiString()) + ".");
        }
        if (!temLinha && pendente_.empty()) break;
        texto.insert(0, pendente_);
        pendente_.clear();
        ++numero_;
        if (numero_ == 1 && texto.compare(0, 3, "\xEF\xBB\xBF") == 0) texto.erase(0, 3);
        // UTF-16 without its mark cannot be told from text: refused whole.
        if (texto.find('\0') != std::string::npos)
            throw EInOutError(Ansi("O arquivo ") + AnsiDaEntrada(nome_) +
                              Ansi(" tem bytes nulos: não é texto UTF-8. Salve a planilha como \"CSV UTF-8\" ou "
                                   "como \"Texto Unicode\" (UTF-16 com a marca de início)."));
        if (EmBranco(texto)) continue;
        // A first line with tabs between its fields (what a spreadsheet's
        // "Unicode text" writes) makes tab the separator of the whole input.
        if (!separadorVisto_) {
            separadorVisto_ = true;
            if (texto.find('\t') != std::string::npos && texto.find(separador_) == std::string::npos) separador_ = '\t';
        }
        linha.Numero = numero_;
        linha.Campos.clear();
        linha.Erro.clear();
        if (!Utf8Valido(texto)) {
            linha.Erro = "a linha não é texto UTF-8 válido (salve o arquivo como CSV UTF-8)";
            return true;
        }
        Divide(texto, separador_, linha.Campos, linha.Erro);
        return true;
    }
    return false;
}
