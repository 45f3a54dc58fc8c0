#include "platform/Caminhos.h"

#include <cerrno>
#include <cstring>
#include <fstream>
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
