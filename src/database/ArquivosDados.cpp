#include "ArquivosDados.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "database/Csv.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {

template <class T>
std::string Serializa(const std::array<std::vector<T>, NumEstados>& blocos) {
    std::string r(1, '\0');
    for (int s = 0; s < NumEstados; ++s) {
        const auto& b = blocos[static_cast<size_t>(s)];
        if (b.size() > 65535)
            throw EDadosInvalidos("O estado " + NomesEstados[static_cast<size_t>(s)] + " tem " +
                                  std::to_string(b.size()) + Ansi(" registros (máximo 65535)."));
        r += static_cast<char>(b.size() & 0xFF);
        r += static_cast<char>(b.size() >> 8);
        r.append(reinterpret_cast<const char*>(b.data()), b.size() * sizeof(T));
    }
    return r;
}

}  // namespace

std::string TArquivosDados::Estacoes(const TBlocosEstacoes& blocos) { return Serializa(blocos); }
std::string TArquivosDados::Localidades(const TBlocosLocalidades& blocos) { return Serializa(blocos); }

namespace {

[[noreturn]] void FalhaGravacao(const std::string& caminho, int erro) {
    throw EInOutError(Ansi("Não foi possível gravar o arquivo ") + TextoDoCaminho(caminho) + " (" +
                      std::strerror(erro) + ").");
}

// The bytes under a new temporary name beside `caminho`, flushed to the
// disk; the name, or EInOutError with nothing left behind.
std::string GravaTemporario(const std::string& caminho, const std::string& bytes) {
    std::string temp = caminho + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) FalhaGravacao(caminho, errno);
    auto falha = [&](int erro) {
        ::close(fd);
        ::unlink(temp.c_str());
        FalhaGravacao(caminho, erro);
    };
    const mode_t mascara = ::umask(0);
    ::umask(mascara);
    if (::fchmod(fd, 0666 & ~mascara) != 0) falha(errno);
    for (std::size_t feito = 0; feito < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + feito, bytes.size() - feito);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) falha(n < 0 ? errno : EIO);
        feito += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) falha(errno);
    if (::close(fd) != 0) {
        const int erro = errno;
        ::unlink(temp.c_str());
        FalhaGravacao(caminho, erro);
    }
    return temp;
}

}  // namespace

void TArquivosDados::Grava(const std::string& caminho, const std::string& bytes) {
    const std::string temp = GravaTemporario(caminho, bytes);
    if (std::rename(temp.c_str(), caminho.c_str()) != 0) {
        const int erro = errno;
        ::unlink(temp.c_str());
        FalhaGravacao(caminho, erro);
    }
}

std::string TArquivosDados::AoNorte(const TBlocosEstacoes& blocos,
                                   const std::array<std::set<AnsiString>, NumEstados>& nomesAoNorte) {
    std::string t = "# Esta\xC3\xA7\xC3\xB5" "es ao norte do equador: o texto de latitude do registro \xC3\xA9 em graus norte.\n"
                    "uf,posicao,nome\n";
    for (std::size_t s = 0; s < blocos.size(); ++s)
        for (std::size_t i = 0; i < blocos[s].size(); ++i) {
            const AnsiString nome = blocos[s][i].Nome.Text();
            if (nomesAoNorte[s].count(nome))
                t += TCsv::Linha({Cp1252ToUtf8(SiglasEstados[s]), std::to_string(i), Cp1252ToUtf8(nome)});
        }
    return t;
}

void TArquivosDados::GravaPar(const std::string& pasta, const std::string& estacoes,
                              const std::string& localidades) {
    const std::string destinoE = pasta + NomeEstacoes, destinoL = pasta + NomeLocalidades;
    const std::string tempE = GravaTemporario(destinoE, estacoes);
    std::string tempL;
    try {
        tempL = GravaTemporario(destinoL, localidades);
    } catch (...) {
        ::unlink(tempE.c_str());
        throw;
    }
    // The old stations file is kept under a second name until the new
    // localities file is in place, so that a failed rename can put it back.
    const std::string antigo = destinoE + ".antigo" + std::to_string(::getpid());
    const bool haviaAntigo = ::link(destinoE.c_str(), antigo.c_str()) == 0;
    if (std::rename(tempE.c_str(), destinoE.c_str()) != 0) {
        const int erro = errno;
        ::unlink(tempE.c_str());
        ::unlink(tempL.c_str());
        if (haviaAntigo) ::unlink(antigo.c_str());
        FalhaGravacao(destinoE, erro);
    }
    if (std::rename(tempL.c_str(), destinoL.c_str()) != 0) {
        const int erro = errno;
        ::unlink(tempL.c_str());
        if (haviaAntigo) std::rename(antigo.c_str(), destinoE.c_str());
        else ::unlink(destinoE.c_str());
        FalhaGravacao(destinoL, erro);
    }
    if (haviaAntigo) ::unlink(antigo.c_str());
}
