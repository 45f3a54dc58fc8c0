#include "database/Colacao.h"

#include <array>

// Three levels, compared one after the other over the whole names:
//   1. letters without accents and case (digits and other characters by code),
//   2. accents, position by position (plain letter first),
//   3. case, position by position (lower case first),
// and finally the bytes themselves, so that only equal texts compare equal.
namespace {

struct Peso {
    int primario = 0;  // letter rank, digit rank or other character rank
    int acento = 0;    // 0 = no accent
    int caixa = 0;     // 0 = lower case or no case, 1 = upper case
};

constexpr int kOutros = 0;      // blanks, punctuation, symbols: before digits
constexpr int kDigitos = 300;   // before letters
constexpr int kLetras = 400;

constexpr std::array<Peso, 256> MontaTabela() {
    std::array<Peso, 256> t{};
    for (int b = 0; b < 256; ++b) t[b].primario = kOutros + b;
    for (int d = 0; d < 10; ++d) t['0' + d].primario = kDigitos + d;
    auto letra = [&t](unsigned char b, char base, int acento, int caixa) {
        t[b] = Peso{kLetras + (base - 'a'), acento, caixa};
    };
    for (char c = 'a'; c <= 'z'; ++c) {
        letra(static_cast<unsigned char>(c), c, 0, 0);
        letra(static_cast<unsigned char>(c - 'a' + 'A'), c, 0, 1);
    }
    // Accented letters of cp1252: upper case at 0xC0..0xDE, lower case 0x20 above.
    struct Acentuada { unsigned char maiuscula; char base; int acento; };
    const Acentuada acentuadas[] = {
        {0xC0, 'a', 2}, {0xC1, 'a', 1}, {0xC2, 'a', 3}, {0xC3, 'a', 4}, {0xC4, 'a', 5}, {0xC5, 'a', 6},
        {0xC6, 'a', 7}, {0xC7, 'c', 1}, {0xC8, 'e', 2}, {0xC9, 'e', 1}, {0xCA, 'e', 3}, {0xCB, 'e', 5},
        {0xCC, 'i', 2}, {0xCD, 'i', 1}, {0xCE, 'i', 3}, {0xCF, 'i', 5}, {0xD0, 'd', 1}, {0xD1, 'n', 4},
        {0xD2, 'o', 2}, {0xD3, 'o', 1}, {0xD4, 'o', 3}, {0xD5, 'o', 4}, {0xD6, 'o', 5}, {0xD8, 'o', 6},
        {0xD9, 'u', 2}, {0xDA, 'u', 1}, {0xDB, 'u', 3}, {0xDC, 'u', 5}, {0xDD, 'y', 1}, {0xDE, 't', 8},
    };
    for (const auto& a : acentuadas) {
        letra(a.maiuscula, a.base, a.acento, 1);
        letra(static_cast<unsigned char>(a.maiuscula + 0x20), a.base, a.acento, 0);
    }
    letra(0xDF, 's', 8, 0);   // ß
    letra(0xFF, 'y', 5, 0);   // ÿ
    letra(0x9F, 'y', 5, 1);   // Ÿ
    letra(0x8A, 's', 9, 1);   // Š
    letra(0x9A, 's', 9, 0);   // š
    letra(0x8E, 'z', 9, 1);   // Ž
    letra(0x9E, 'z', 9, 0);   // ž
    letra(0x8C, 'o', 7, 1);   // Œ
    letra(0x9C, 'o', 7, 0);   // œ
    letra(0xAA, 'a', 9, 0);   // ª
    letra(0xBA, 'o', 9, 0);   // º
    return t;
}

// Built by the compiler: a lookup is one load, with no guard of a local static.
constexpr std::array<Peso, 256> kTabela = MontaTabela();

const Peso& PesoDe(char ch) { return kTabela[static_cast<unsigned char>(ch)]; }

}  // namespace

// Each level in turn, so that comparing two keys byte by byte compares the
// names level after level: the letters' ranks in two bytes each (never both
// zero) and two zero bytes, the accents and a zero byte, the cases and a zero
// byte, then the name's own bytes. A name whose ranks are a prefix of
// another's ends its first level with the zero bytes, so it comes first; equal
// first levels mean equal lengths, so the later levels line up.
AnsiString ChaveDeColacao(std::string_view nome) {
    AnsiString chave;
    chave.reserve(nome.size() * 5 + 4);
    for (char ch : nome) {
        const int primario = PesoDe(ch).primario + 1;
        chave += static_cast<char>(primario >> 8);
        chave += static_cast<char>(primario & 0xFF);
    }
    chave.append(2, '\0');
    for (char ch : nome) chave += static_cast<char>(PesoDe(ch).acento + 1);
    chave += '\0';
    for (char ch : nome) chave += static_cast<char>(PesoDe(ch).caixa + 1);
    chave += '\0';
    chave += nome;
    return chave;
}

int ComparaNomes(const AnsiString& a, const AnsiString& b) {
    const int r = ChaveDeColacao(a).compare(ChaveDeColacao(b));
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}
