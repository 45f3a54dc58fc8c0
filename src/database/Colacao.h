#pragma once
// The one collation of place names, shared by the window's lists and the data
// builder: letters compared without accents and case first, then ties broken
// by case/accents and finally by bytes, so the order is total and stable.
#include "platform/AnsiString.h"

int ComparaNomes(const AnsiString& a, const AnsiString& b);   // <0, 0, >0
inline bool NomeAntes(const AnsiString& a, const AnsiString& b) { return ComparaNomes(a, b) < 0; }
