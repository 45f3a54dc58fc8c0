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
// Whether the running user may create files in the folder (effective user
// and groups); false when it is missing or on a read-only file system.
bool PastaGravavel(const std::string& pasta);
// The user's settings folder with a trailing '/': $XDG_CONFIG_HOME when it
// is an absolute path, else <home>/.config/ (home from $HOME, else from the
// user database); empty when no home is known.
std::string PastaDeConfiguracaoDoUsuario();
// Creates the folder and its missing parents (new ones open to the user
// only); EInOutError naming the folder when it cannot.
void CriaPasta(const std::string& pasta);
// A path as message text: converted to cp1252 when every character fits,
// the raw bytes otherwise.
AnsiString TextoDoCaminho(const std::string& path);
