#pragma once
// A file read in place: its bytes mapped into memory, read-only, for as long
// as the object lives (nothing copied; pages come from the page cache as
// they are touched).
#include <cstddef>
#include <string>

class TArquivoMapeado {
public:
    // A file that cannot be opened or mapped: EInOutError naming it and the
    // system's reason. An empty file maps to no bytes.
    explicit TArquivoMapeado(const std::string& caminho);
    ~TArquivoMapeado();
    TArquivoMapeado(const TArquivoMapeado&) = delete;
    TArquivoMapeado& operator=(const TArquivoMapeado&) = delete;

    const unsigned char* Dados() const { return dados_; }
    std::size_t Tamanho() const { return tamanho_; }
    // The range will be read front to back soon (a hint).
    void VaiLer(std::size_t inicio, std::size_t bytes) const;

private:
    const unsigned char* dados_ = nullptr;
    std::size_t tamanho_ = 0;
};
