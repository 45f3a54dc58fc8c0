#include "SaidaConsulta.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {


bool MesmoArquivo(const struct stat& a, int fd) {
    struct stat b {};
    return ::fstat(fd, &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

std::string FimDosLinks(std::string caminho) {
    for (int salto = 0; salto < 40; ++salto) {
        struct stat st {};
        if (::lstat(caminho.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return caminho;
        std::string alvo(PATH_MAX, '\0');
        const ssize_t n = ::readlink(caminho.c_str(), alvo.data(), alvo.size());
        if (n <= 0) return caminho;
        alvo.resize(static_cast<std::size_t>(n));
        if (alvo[0] != '/') {
            const std::size_t barra = caminho.rfind('/');
            alvo = (barra == std::string::npos ? std::string() : caminho.substr(0, barra + 1)) + alvo;
        }
        caminho = alvo;
    }
    return caminho;   // a loop: the rename over it fails and says so
}

std::string NomeTemporarioGis(const std::string& caminho) {
    auto extensao = [](const std::string& c) {
        const std::size_t barra = c.find_last_of('/'), ponto = c.find_last_of('.');
        return ponto == std::string::npos || (barra != std::string::npos && ponto < barra) ? std::string()
                                                                                            : c.substr(ponto);
    };
    const std::string destino = FimDosLinks(caminho);
    return destino.substr(0, destino.size() - extensao(destino).size()) + ".tmp" + std::to_string(::getpid()) +
           extensao(caminho);
}

std::vector<std::string> ExtensoesIrmasGis(const std::string& arquivo) {
    const std::size_t ponto = arquivo.find_last_of('.'), barra = arquivo.find_last_of('/');
    std::string ext = ponto == std::string::npos || (barra != std::string::npos && ponto < barra) ? std::string()
                                                                                                : arquivo.substr(ponto);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".shp") return {".shx", ".dbf", ".prj", ".cpg", ".qix"};
    if (ext == ".tab") return {".dat", ".map", ".id", ".ind"};
    if (ext == ".asc") return {".prj"};
    return {};
}

std::vector<std::string> CompanheirosGis(const std::string& arquivo) {
    std::vector<std::string> r;
    for (const char* sufixo : {"-journal", "-wal", "-shm", ".aux.xml", ".base.tif"}) r.push_back(arquivo + sufixo);
    const std::size_t ponto = arquivo.find_last_of('.');
    for (const std::string& ext : ExtensoesIrmasGis(arquivo)) r.push_back(arquivo.substr(0, ponto) + ext);
    return r;
}

TSaidaConsulta::TSaidaConsulta(const std::string& caminho, std::ostream& saidaPadrao) : caminho_(caminho) {
    struct stat st {};
    if (::stat(caminho_.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) Falha(": \xC3\xA9 uma pasta");
        if (MesmoArquivo(st, STDOUT_FILENO)) {   // /dev/stdout, /dev/fd/1, the file it was sent to
            direta_ = &saidaPadrao;
            return;
        }
        if (!S_ISREG(st.st_mode)) {   // a pipe, a device, a socket: written as it is
            arquivo_.open(caminho_, std::ios::binary | std::ios::app);
            if (!arquivo_) Falha();
            return;
        }
    }
    destino_ = FimDosLinks(caminho_);
    std::string modelo = destino_ + ".XXXXXX";
    const int fd = ::mkstemp(modelo.data());
    if (fd < 0) Falha();
    vigia_ = std::make_unique<TTemporarioVigiado>(modelo);
    // mkstemp makes the file private; give it the mode the file has, or the
    // one a new file gets.
    mode_t modo = 0;
    if (::stat(destino_.c_str(), &st) == 0) {
        modo = st.st_mode & 07777;
    } else {
        const mode_t mascara = ::umask(0);
        ::umask(mascara);
        modo = 0666 & ~mascara;
    }
    const bool ok = ::fchmod(fd, modo) == 0;
    ::close(fd);
    if (ok) arquivo_.open(modelo, std::ios::binary | std::ios::trunc);
    if (!ok || !arquivo_) {   // no destructor runs for a constructor that throws
        std::remove(modelo.c_str());
        vigia_.reset();
        Falha();
    }
    temporario_ = modelo;
}

TSaidaConsulta::~TSaidaConsulta() {
    if (!temporario_.empty()) std::remove(temporario_.c_str());
}

void TSaidaConsulta::Conclui() {
    if (direta_) {
        if (!direta_->flush()) throw EInOutError(Ansi("Não foi possível escrever na saída padrão."));
        return;
    }
    arquivo_.close();
    if (arquivo_.fail()) Falha();
    if (temporario_.empty()) return;
    if (std::rename(temporario_.c_str(), destino_.c_str()) != 0) Falha();
    temporario_.clear();
}

void TSaidaConsulta::Falha(const std::string& motivo) const {
    throw EInOutError(Ansi("Não foi possível escrever o arquivo ") + TextoDoCaminho(caminho_) + Ansi(motivo) + ".");
}
