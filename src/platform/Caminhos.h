#pragma once
// File-system services the system needs.
#include <string>

#include "platform/AnsiString.h"

// Folder of the running executable, absolute, with a trailing separator.
std::string PastaDoPrograma();
bool PastaExiste(const std::string& path);
bool ArquivoExiste(const std::string& path);   // a regular file (not a folder)
// Whole file in one read; EInOutError naming the file when it cannot be read.
std::string LeArquivo(const std::string& path);
// A path as message text: converted to cp1252 when every character fits,
// the raw bytes otherwise.
AnsiString TextoDoCaminho(const std::string& path);
