#include "EscritorJson.h"

#include <charconv>
#include <cmath>
#include <sstream>

#include "platform/Cp1252.h"
#include "platform/Erros.h"

TJson::TJson(double v) : tipo_(Tipo::Real), real_(v) {
    if (!std::isfinite(v)) throw EInvalidOp(Ansi("Um valor da resposta não é um número finito."));
}

TJson TJson::Objeto() {
    TJson j;
    j.tipo_ = Tipo::Objeto;
    return j;
}

TJson TJson::Lista() {
    TJson j;
    j.tipo_ = Tipo::Lista;
    return j;
}

TJson& TJson::Poe(const std::string& nome, TJson valor) {
    nomes_.push_back(nome);
    itens_.push_back(std::move(valor));
    return *this;
}

TJson& TJson::Acrescenta(TJson valor) {
    itens_.push_back(std::move(valor));
    return *this;
}

namespace {

// Length of the valid UTF-8 sequence at s[i], or 0.
std::size_t Sequencia(const std::string& s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    std::size_t n = 0;
    unsigned char min2 = 0x80, max2 = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) n = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) min2 = 0xA0;
        if (c == 0xED) max2 = 0x9F;   // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) min2 = 0x90;
        if (c == 0xF4) max2 = 0x8F;
    } else return 0;
    if (i + n > s.size()) return 0;
    if (b(i + 1) < min2 || b(i + 1) > max2) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if (b(i + k) < 0x80 || b(i + k) > 0xBF) return 0;
    return n;
}

}  // namespace

std::string TextoJson(const std::string& s) {
    std::string r = "\"";
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            if (c == '"') r += "\\\"";
            else if (c == '\\') r += "\\\\";
            else if (c == '\n') r += "\\n";
            else if (c == '\t') r += "\\t";
            else if (c == '\r') r += "\\r";
            else if (c < 0x20 || c == 0x7F) {
                static const char hex[] = "0123456789abcdef";
                r += "\\u00";
                r += hex[c >> 4];
                r += hex[c & 15];
            } else r += static_cast<char>(c);
            ++i;
            continue;
        }
        const std::size_t n = Sequencia(s, i);
        if (n == 0) {
            r += "\xEF\xBF\xBD";
            ++i;
        } else {
            r.append(s, i, n);
            i += n;
        }
    }
    return r + "\"";
}

void TJson::Escreve(std::ostream& saida) const {
    switch (tipo_) {
        case Tipo::Nulo: saida << "null"; return;
        case Tipo::Logico: saida << (logico_ ? "true" : "false"); return;
        case Tipo::Inteiro: saida << inteiro_; return;
        case Tipo::Real: {
            char buf[32];
            const auto r = std::to_chars(buf, buf + sizeof buf, real_);
            std::string_view t(buf, static_cast<std::size_t>(r.ptr - buf));
            saida << t;
            // "1e+20" and "25" are JSON numbers as they stand.
            return;
        }
        case Tipo::Texto: saida << TextoJson(texto_); return;
        case Tipo::Lista:
            saida << '[';
            for (std::size_t i = 0; i < itens_.size(); ++i) {
                if (i) saida << ',';
                itens_[i].Escreve(saida);
            }
            saida << ']';
            return;
        case Tipo::Objeto:
            saida << '{';
            for (std::size_t i = 0; i < itens_.size(); ++i) {
                if (i) saida << ',';
                saida << TextoJson(nomes_[i]) << ':';
                itens_[i].Escreve(saida);
            }
            saida << '}';
            return;
    }
}

std::string TJson::Texto() const {
    std::ostringstream s;
    Escreve(s);
    return s.str();
}
