#pragma once
// The one collation of place names, shared by the window's lists and the data
// builder: letters compared without accents and case first, then ties broken
// by case/accents and finally by bytes, so the order is total and stable.
#include <string_view>

#include "platform/AnsiString.h"

int ComparaNomes(const AnsiString& a, const AnsiString& b);   // <0, 0, >0
// A key whose byte order (std::string's compare) is the order of ComparaNomes:
// made once per name, it sorts long lists at the cost of plain comparisons.
AnsiString ChaveDeColacao(std::string_view nome);
inline bool NomeAntes(const AnsiString& a, const AnsiString& b) { return ComparaNomes(a, b) < 0; }
