#include "platform/Caminhos.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <pwd.h>
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

bool PastaGravavel(const std::string& pasta) {
    return PastaExiste(pasta) && ::faccessat(AT_FDCWD, pasta.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

std::string PastaDeConfiguracaoDoUsuario() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
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
    return casa + ".config/";
}

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
