#pragma once
// A file opened for reading at given places (pread): the reads of several
// threads may go side by side.
#include <cstddef>
#include <cstdint>
#include <string>

class TArquivoAberto {
public:
    // A file that cannot be opened: EInOutError naming it and the system's reason.
    explicit TArquivoAberto(const std::string& caminho);
    ~TArquivoAberto();
    TArquivoAberto(const TArquivoAberto&) = delete;
    TArquivoAberto& operator=(const TArquivoAberto&) = delete;

    std::uint64_t Tamanho() const { return tamanho_; }
    // bytes from the position on into destino; a read that fails or ends
    // early (the file shrank) raises EInOutError.
    void Le(std::uint64_t posicao, std::size_t bytes, void* destino) const;

private:
    std::string caminho_;
    int fd_ = -1;
    std::uint64_t tamanho_ = 0;
};
