#include "platform/ArquivoAberto.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {
[[noreturn]] void Falha(const char* acao, const std::string& caminho, const char* razao) {
    throw EInOutError(Ansi("Não foi possível ") + acao + " o arquivo " + TextoDoCaminho(caminho) + " (" + razao + ").");
}
}  // namespace

TArquivoAberto::TArquivoAberto(const std::string& caminho) : caminho_(caminho) {
    do fd_ = ::open(caminho.c_str(), O_RDONLY | O_CLOEXEC);
    while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) Falha("abrir", caminho, std::strerror(errno));
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        const int erro = errno;
        ::close(fd_);
        Falha("ler", caminho, std::strerror(erro));
    }
    tamanho_ = static_cast<std::uint64_t>(st.st_size);
}

TArquivoAberto::~TArquivoAberto() { ::close(fd_); }

void TArquivoAberto::Le(std::uint64_t posicao, std::size_t bytes, void* destino) const {
    auto* d = static_cast<char*>(destino);
    while (bytes > 0) {
        const ssize_t lidos = ::pread(fd_, d, bytes, static_cast<off_t>(posicao));
        if (lidos < 0 && errno == EINTR) continue;
        if (lidos < 0) Falha("ler", caminho_, std::strerror(errno));
        if (lidos == 0) Falha("ler", caminho_, "o arquivo terminou antes do esperado");
        d += lidos;
        bytes -= static_cast<std::size_t>(lidos);
        posicao += static_cast<std::uint64_t>(lidos);
    }
}
