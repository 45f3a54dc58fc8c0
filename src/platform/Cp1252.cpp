#include "platform/Cp1252.h"

#include <cstdint>
#include <cstdio>

#include "platform/Erros.h"

namespace {

// Code points of the bytes 0x80..0x9F; 0 marks the five undefined bytes.
constexpr char32_t kFaixa80[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The code point of a byte; U+FFFD for the five undefined ones.
char32_t CodigoDe(unsigned char b) {
    if (b < 0x80 || b > 0x9F) return b;
    const char32_t cp = kFaixa80[b - 0x80];
    return cp == 0 ? char32_t(0xFFFD) : cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The cp1252 byte of a code point, or -1 when the table has none.
int ByteDe(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kFaixa80[i] != 0 && kFaixa80[i] == cp) return 0x80 + i;
    return -1;
}

enum class Falha { Nenhuma, Malformado, ForaDaTabela };

// Decodes UTF-8 strictly (no overlongs, no surrogates, nothing above U+10FFFF)
// and maps each character to cp1252. On failure tells where and what.
Falha Converte(std::string_view utf8, AnsiString* out, std::size_t& pos, char32_t& cpFalho) {
    pos = 0;
    while (pos < utf8.size()) {
        const auto b0 = static_cast<unsigned char>(utf8[pos]);
        int extra;
        char32_t cp;
        if (b0 < 0x80) { extra = 0; cp = b0; }
        else if (b0 >= 0xC2 && b0 <= 0xDF) { extra = 1; cp = b0 & 0x1F; }
        else if (b0 >= 0xE0 && b0 <= 0xEF) { extra = 2; cp = b0 & 0x0F; }
        else if (b0 >= 0xF0 && b0 <= 0xF4) { extra = 3; cp = b0 & 0x07; }
        else return Falha::Malformado;
        for (int k = 1; k <= extra; ++k) {
            if (pos + k >= utf8.size()) return Falha::Malformado;
            const auto bk = static_cast<unsigned char>(utf8[pos + k]);
            if ((bk & 0xC0) != 0x80) return Falha::Malformado;
            cp = (cp << 6) | (bk & 0x3F);
        }
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return Falha::Malformado;
        const int b = ByteDe(cp);
        if (b < 0) { cpFalho = cp; return Falha::ForaDaTabela; }
        if (out) *out += static_cast<char>(b);
        pos += 1 + extra;
    }
    return Falha::Nenhuma;
}

}  // namespace

void Cp1252ParaUtf16(std::string_view ansi, char16_t* destino) {
    for (char ch : ansi) *destino++ = static_cast<char16_t>(CodigoDe(static_cast<unsigned char>(ch)));
}

std::string Cp1252ToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 4);
    for (char ch : ansi) AppendUtf8(out, CodigoDe(static_cast<unsigned char>(ch)));
    return out;
}

AnsiString Utf8ToCp1252(std::string_view utf8) {
    AnsiString out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    char32_t cp = 0;
    switch (Converte(utf8, &out, pos, cp)) {
    case Falha::Nenhuma:
        return out;
    case Falha::Malformado: {
        char buf[96];
        std::snprintf(buf, sizeof buf, "Texto UTF-8 malformado na posi\xE7\xE3o %zu (byte 0x%02X).", pos,
                      static_cast<unsigned>(static_cast<unsigned char>(utf8[pos])));
        throw ECodificacao(buf);
    }
    case Falha::ForaDaTabela: {
        // The character itself cannot be written in cp1252: name it by code point.
        char buf[96];
        std::snprintf(buf, sizeof buf, "O caractere U+%04X n\xE3o existe na p\xE1gina de c\xF3" "digo Windows-1252.",
                      static_cast<unsigned>(cp));
        throw ECodificacao(buf);
    }
    }
    return out;
}

bool IsCp1252Representable(std::string_view utf8) {
    std::size_t pos = 0;
    char32_t cp = 0;
    return Converte(utf8, nullptr, pos, cp) == Falha::Nenhuma;
}
