#pragma once
// Single-byte text of the system: every string of the core holds Windows-1252
// bytes (records, settings file, report, coordinate texts). The user interface
// converts at its edge (see Cp1252.h).
#include <string>

using AnsiString = std::string;
