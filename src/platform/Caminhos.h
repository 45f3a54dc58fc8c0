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

// A file read front to back straight into the caller's memory, so that its
// bytes are copied once. Opening and reading fail as in LeArquivo.
class TArquivoEntrada {
public:
    explicit TArquivoEntrada(const std::string& path);
    ~TArquivoEntrada();
    TArquivoEntrada(const TArquivoEntrada&) = delete;
    TArquivoEntrada& operator=(const TArquivoEntrada&) = delete;

    // Up to n bytes into destino; fewer only where the file ends.
    std::size_t Le(void* destino, std::size_t n);
    // n bytes passed over (without reading them when the file can seek);
    // fewer only where the file ends.
    std::size_t Pula(std::size_t n);

private:
    [[noreturn]] void FalhaLeitura() const;
    std::string path_;
    int fd_ = -1;
};
// Whether the running user may create files in the folder (effective user
// and groups); false when it is missing or on a read-only file system.
bool PastaGravavel(const std::string& pasta);
// The user's settings folder with a trailing '/': $XDG_CONFIG_HOME when it
// is an absolute path, else <home>/.config/ (home from $HOME, else from the
// user database); empty when no home is known.
std::string PastaDeConfiguracaoDoUsuario();
// The user's data folder with a trailing '/': $XDG_DATA_HOME when it is an
// absolute path, else <home>/.local/share/; empty when no home is known.
std::string PastaDeDadosDoUsuarioBase();
// Creates the folder and its missing parents (new ones open to the user
// only); EInOutError naming the folder when it cannot.
void CriaPasta(const std::string& pasta);

// Paths are the file system's bytes (UTF-8). Where one becomes core text
// (cp1252: a message, the report) it is converted exactly once, here.

// A path as message text: converted to cp1252; a character that cp1252 cannot
// hold is written as <U+XXXX>, a byte that is not UTF-8 as <0xNN>.
AnsiString TextoDoCaminho(const std::string& path);
// The path as cp1252 text; EInOutError naming the path and the character when
// cp1252 cannot hold it (never a path with a character replaced).
AnsiString CaminhoCp1252(const std::string& path);
