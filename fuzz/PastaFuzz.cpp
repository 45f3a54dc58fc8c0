#include "PastaFuzz.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string CriaPasta() {
    std::error_code ec;
    const std::string base = fs::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0
                                 ? std::string("/dev/shm")
                                 : fs::temp_directory_path().string();
    std::string modelo = base + "/tormel-fuzz-XXXXXX";
    if (!::mkdtemp(modelo.data())) throw std::runtime_error("mkdtemp failed under " + base);
    return modelo + "/";
}

struct Remocao {
    std::string caminho;
    ~Remocao() {
        std::error_code ec;
        fs::remove_all(caminho, ec);
    }
};

}  // namespace

const std::string& TPastaFuzz::Caminho() {
    static const Remocao pasta{CriaPasta()};
    return pasta.caminho;
}

std::string TPastaFuzz::Grava(const std::string& nome, const uint8_t* dados, std::size_t tamanho) {
    const std::string caminho = Caminho() + nome;
    std::FILE* f = std::fopen(caminho.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + caminho);
    const bool ok = tamanho == 0 || std::fwrite(dados, 1, tamanho, f) == tamanho;
    if (std::fclose(f) != 0 || !ok) throw std::runtime_error("cannot write " + caminho);
    return caminho;
}
