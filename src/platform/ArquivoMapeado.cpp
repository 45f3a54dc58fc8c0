#include "platform/ArquivoMapeado.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {
[[noreturn]] void Falha(const char* acao, const std::string& caminho, int erro) {
    throw EInOutError(Ansi("Não foi possível ") + acao + " o arquivo " + TextoDoCaminho(caminho) + " (" +
                      std::strerror(erro) + ").");
}
}  // namespace

TArquivoMapeado::TArquivoMapeado(const std::string& caminho) {
    int fd = -1;
    do fd = ::open(caminho.c_str(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) Falha("abrir", caminho, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int erro = errno;
        ::close(fd);
        Falha("ler", caminho, erro);
    }
    if (st.st_size > 0) {
        void* p = ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (p == MAP_FAILED) {
            const int erro = errno;
            ::close(fd);
            Falha("ler", caminho, erro);
        }
        dados_ = static_cast<const unsigned char*>(p);
        tamanho_ = static_cast<std::size_t>(st.st_size);
    }
    ::close(fd);   // the mapping stays
}

TArquivoMapeado::~TArquivoMapeado() {
    if (dados_) ::munmap(const_cast<unsigned char*>(dados_), tamanho_);
}

void TArquivoMapeado::VaiLer(std::size_t inicio, std::size_t bytes) const {
    if (!dados_ || inicio >= tamanho_) return;
    const std::size_t pagina = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::size_t base = inicio / pagina * pagina;
    // Page tables filled in one call (page by page faults cost more than
    // the reading); a kernel without it only takes the hint.
    void* p = const_cast<unsigned char*>(dados_) + base;
    const std::size_t n = std::min(bytes + (inicio - base), tamanho_ - base);
#ifdef MADV_POPULATE_READ
    if (::madvise(p, n, MADV_POPULATE_READ) == 0) return;
#endif
    ::madvise(p, n, MADV_WILLNEED);
}
