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
// Paths are the file system's bytes (UTF-8). Where one becomes core text
// (cp1252: a message, the report) it is converted exactly once, here.

// A path as message text: converted to cp1252; a character that cp1252 cannot
// hold is written as <U+XXXX>, a byte that is not UTF-8 as <0xNN>.
AnsiString TextoDoCaminho(const std::string& path);
// The path as cp1252 text; EInOutError naming the path and the character when
// cp1252 cannot hold it (never a path with a character replaced).
AnsiString CaminhoCp1252(const std::string& path);
