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
// A path as message text: converted to cp1252 when every character fits,
// the raw bytes otherwise.
AnsiString TextoDoCaminho(const std::string& path);
