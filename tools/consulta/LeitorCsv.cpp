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

bool TLeitorCsv::Proxima(TLinhaCsvPontos& linha) {
    std::string texto;
    for (;;) {
        bool temLinha = false;
        try {
            errno = 0;
            temLinha = entrada_.good() && LeLinha(entrada_, texto);
        } catch (const std::ios_base::failure&) {   // the file buffer's read failed
            const int motivo = errno;
            entrada_.setstate(std::ios::badbit);
            throw EInOutError(Ansi("Não foi possível ler ") + AnsiDaEntrada(nome_) +
                              (motivo ? " (" + AnsiDaEntrada(std::strerror(motivo)) + ")" : AnsiString()) + ".");
        }
        if (!temLinha) break;
        ++numero_;
        if (numero_ == 1 && texto.compare(0, 3, "\xEF\xBB\xBF") == 0) texto.erase(0, 3);
        if (EmBranco(texto)) continue;
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
