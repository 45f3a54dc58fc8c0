#pragma once
// Packed records of the data files; the in-memory layout is the file layout.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/AnsiString.h"

#pragma pack(push, 1)
// Fixed-capacity text: one length byte, then N character bytes.
template <std::size_t N>
struct TextoFixo {
    uint8_t Len = 0;
    char Chars[N] = {};

    AnsiString Text() const { return AnsiString(Vista()); }
    // The same characters without a copy: at most N of them.
    std::string_view Vista() const { return {Chars, std::min<std::size_t>(Len, N)}; }
    // Cut to the capacity.
    void Assign(std::string_view s) {
        std::size_t n = std::min(s.size(), N);
        std::memset(Chars, 0, N);
        std::memcpy(Chars, s.data(), n);
        Len = static_cast<uint8_t>(n);
    }
};

struct TEstacao {
    TextoFixo<68> Nome;
    double K = 0, a = 0, b = 0, c = 0;
    TextoFixo<30> Autor;
    TextoFixo<9> Latitude;
    TextoFixo<9> Longitude;
};

struct TLocalidade {
    TextoFixo<68> Nome;
    TextoFixo<9> Latitude;
    TextoFixo<9> Longitude;
};
#pragma pack(pop)

static_assert(sizeof(TEstacao) == 152, "station record is 152 bytes");
static_assert(sizeof(TLocalidade) == 89, "locality record is 89 bytes");

// Trailing blanks (code 32 only) removed.
AnsiString TiraBrancosFinais(const AnsiString& s);
