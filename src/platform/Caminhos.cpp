#include "platform/Caminhos.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Cp1252.h"
#include "platform/Erros.h"

AnsiString TextoDoCaminho(const std::string& path) {
    return IsCp1252Representable(path) ? Utf8ToCp1252(path) : AnsiString(path);
}

std::string PastaDoPrograma() {
    std::string buf(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= buf.size())
        throw EInOutError(Ansi("Não foi possível obter o caminho do programa."));
    buf.resize(static_cast<std::size_t>(n));
    return buf.substr(0, buf.rfind('/') + 1);
}

bool PastaExiste(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ArquivoExiste(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string LeArquivo(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int erro = errno;
        throw EInOutError(Ansi("Não foi possível abrir o arquivo ") + TextoDoCaminho(path) + " (" +
                          std::strerror(erro) + ").");
    }
    in.seekg(0, std::ios::end);
    const std::streamoff tamanho = in.tellg();
    in.seekg(0, std::ios::beg);
    std::string dados;
    if (tamanho > 0) {
        dados.resize(static_cast<std::size_t>(tamanho));
        in.read(dados.data(), tamanho);
    }
    if (tamanho < 0 || !in || in.gcount() != tamanho)
        throw EInOutError(Ansi("Não foi possível ler o arquivo ") + TextoDoCaminho(path) + ".");
    return dados;
}

TArquivoEntrada::TArquivoEntrada(const std::string& path) : path_(path) {
    do fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) {
        const int erro = errno;
        throw EInOutError(Ansi("Não foi possível abrir o arquivo ") + TextoDoCaminho(path) + " (" +
                          std::strerror(erro) + ").");
    }
}

TArquivoEntrada::~TArquivoEntrada() { ::close(fd_); }

void TArquivoEntrada::FalhaLeitura() const {
    throw EInOutError(Ansi("Não foi possível ler o arquivo ") + TextoDoCaminho(path_) + ".");
}

std::size_t TArquivoEntrada::Le(void* destino, std::size_t n) {
    auto* p = static_cast<char*>(destino);
    std::size_t lidos = 0;
    while (lidos < n) {
        const ssize_t r = ::read(fd_, p + lidos, std::min<std::size_t>(n - lidos, 1u << 30));
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) FalhaLeitura();
        if (r == 0) break;
        lidos += static_cast<std::size_t>(r);
    }
    return lidos;
}

std::size_t TArquivoEntrada::Pula(std::size_t n) {
    struct stat st {};
    const off_t atual = ::lseek(fd_, 0, SEEK_CUR);
    if (atual >= 0 && ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode)) {
        const std::size_t resta = st.st_size > atual ? static_cast<std::size_t>(st.st_size - atual) : 0;
        const std::size_t passo = std::min(n, resta);
        if (::lseek(fd_, static_cast<off_t>(passo), SEEK_CUR) < 0) FalhaLeitura();
        return passo;
    }
    char lixo[4096];
    std::size_t pulados = 0;
    while (pulados < n) {
        const std::size_t r = Le(lixo, std::min(sizeof lixo, n - pulados));
        if (r == 0) break;
        pulados += r;
    }
    return pulados;
}
