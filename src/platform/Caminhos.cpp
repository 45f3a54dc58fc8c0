#include "platform/Caminhos.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {

// Length of the UTF-8 sequence that begins with this byte (1 for a stray byte).
std::size_t TamanhoUtf8(unsigned char c) {
    if (c >= 0xF0 && c <= 0xF4) return 4;
    if (c >= 0xE0) return c <= 0xEF ? 3 : 1;
    if (c >= 0xC2) return 2;
    return 1;
}

// Code point of one well-formed UTF-8 sequence.
unsigned PontoDeCodigo(std::string_view s) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(s[i])); };
    switch (s.size()) {
    case 2: return ((b(0) & 0x1Fu) << 6) | (b(1) & 0x3Fu);
    case 3: return ((b(0) & 0x0Fu) << 12) | ((b(1) & 0x3Fu) << 6) | (b(2) & 0x3Fu);
    case 4: return ((b(0) & 0x07u) << 18) | ((b(1) & 0x3Fu) << 12) | ((b(2) & 0x3Fu) << 6) | (b(3) & 0x3Fu);
    default: return b(0);
    }
}

// The path in cp1252 with each character that cp1252 cannot hold written as
// <U+XXXX> (a byte that is not UTF-8 as <0xNN>); primeiro gets the first such
// mark without its brackets.
AnsiString Marcado(const std::string& path, std::string* primeiro) {
    AnsiString texto;
    for (std::size_t i = 0; i < path.size();) {
        std::size_t n = std::min(TamanhoUtf8(static_cast<unsigned char>(path[i])), path.size() - i);
        for (std::size_t j = 1; j < n; ++j)
            if ((static_cast<unsigned char>(path[i + j]) & 0xC0) != 0x80) n = 1;   // a broken sequence
        const std::string_view trecho(path.data() + i, n);
        if (IsCp1252Representable(trecho)) {
            texto += Utf8ToCp1252(trecho);
        } else {
            char buf[16];
            std::snprintf(buf, sizeof buf, n > 1 ? "U+%04X" : "0x%02X",
                          n > 1 ? PontoDeCodigo(trecho) : static_cast<unsigned>(static_cast<unsigned char>(path[i])));
            if (primeiro && primeiro->empty()) *primeiro = buf;
            texto += AnsiString("<") + buf + ">";
        }
        i += n;
    }
    return texto;
}

}  // namespace

AnsiString TextoDoCaminho(const std::string& path) {
    return IsCp1252Representable(path) ? Utf8ToCp1252(path) : Marcado(path, nullptr);
}

AnsiString CaminhoCp1252(const std::string& path) {
    if (IsCp1252Representable(path)) return Utf8ToCp1252(path);
    std::string primeiro;
    const AnsiString marcado = Marcado(path, &primeiro);
    throw EInOutError(Ansi("O caminho \"") + marcado + Ansi("\" não pode ser usado: o caractere ") + primeiro +
                      Ansi(" não existe na página de código Windows-1252. Use uma pasta cujo caminho só tenha "
                           "letras do português."));
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

bool PastaGravavel(const std::string& pasta) {
    return PastaExiste(pasta) && ::faccessat(AT_FDCWD, pasta.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

namespace {

// $<variavel> when it is an absolute path, else <home>/<padrao>; empty when no home is known.
std::string PastaXdg(const char* variavel, const char* padrao) {
    const char* xdg = std::getenv(variavel);
    if (xdg && xdg[0] == '/') {
        std::string pasta(xdg);
        if (pasta.back() != '/') pasta += '/';
        return pasta;
    }
    std::string casa;
    if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
        casa = home;
    } else if (const passwd* usuario = ::getpwuid(::geteuid()); usuario && usuario->pw_dir &&
                                                                 usuario->pw_dir[0] == '/') {
        casa = usuario->pw_dir;
    }
    if (casa.empty()) return {};
    if (casa.back() != '/') casa += '/';
    return casa + padrao;
}

}  // namespace

std::string PastaDeConfiguracaoDoUsuario() { return PastaXdg("XDG_CONFIG_HOME", ".config/"); }

std::string PastaDeDadosDoUsuarioBase() { return PastaXdg("XDG_DATA_HOME", ".local/share/"); }

void CriaPasta(const std::string& pasta) {
    // Each level in turn, so a new parent gets the same private mode.
    for (std::size_t fim = pasta.find('/', 1); ; fim = pasta.find('/', fim + 1)) {
        const std::string parte = pasta.substr(0, fim);
        if (!parte.empty() && !PastaExiste(parte) && ::mkdir(parte.c_str(), 0700) != 0 && errno != EEXIST) {
            const int erro = errno;
            throw EInOutError(Ansi("Não foi possível criar a pasta \"") + TextoDoCaminho(pasta) + "\": " +
                              std::strerror(erro));
        }
        if (fim == std::string::npos) break;
    }
    if (!PastaExiste(pasta))
        throw EInOutError(Ansi("Não foi possível criar a pasta \"") + TextoDoCaminho(pasta) + "\": " +
                          std::strerror(ENOTDIR));
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
