#pragma once
// Temporary data folders and data files written byte by byte for the tests.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "database/Registros.h"

class PastaTemporaria {
public:
    PastaTemporaria() {
        std::string modelo = (std::filesystem::temp_directory_path() / "tormel_bd_XXXXXX").string();
        if (!mkdtemp(modelo.data())) throw std::runtime_error("mkdtemp");
        raiz_ = modelo;
    }
    ~PastaTemporaria() { std::filesystem::remove_all(raiz_); }
    PastaTemporaria(const PastaTemporaria&) = delete;
    PastaTemporaria& operator=(const PastaTemporaria&) = delete;

    std::string Caminho() const { return raiz_ + "/"; }

private:
    std::string raiz_;
};

inline TEstacao Estacao(const std::string& nome, double k, double a, double b, double c,
                        const std::string& lat, const std::string& lon, const std::string& autor = "AUTOR (2000)") {
    TEstacao e;
    e.Nome.Assign(nome);
    e.K = k;
    e.a = a;
    e.b = b;
    e.c = c;
    e.Autor.Assign(autor);
    e.Latitude.Assign(lat);
    e.Longitude.Assign(lon);
    return e;
}

inline TLocalidade Localidade(const std::string& nome, const std::string& lat, const std::string& lon) {
    TLocalidade l;
    l.Nome.Assign(nome);
    l.Latitude.Assign(lat);
    l.Longitude.Assign(lon);
    return l;
}

// Leading byte, then 27 blocks: little-endian 16-bit count and the raw records.
template <typename Registro>
std::string MontaArquivo(const std::vector<std::vector<Registro>>& blocos, unsigned char inicial = 0) {
    std::string dados(1, static_cast<char>(inicial));
    for (std::size_t s = 0; s < 27; ++s) {
        const std::size_t n = s < blocos.size() ? blocos[s].size() : 0;
        dados += static_cast<char>(n & 0xFF);
        dados += static_cast<char>((n >> 8) & 0xFF);
        if (n) dados.append(reinterpret_cast<const char*>(blocos[s].data()), n * sizeof(Registro));
    }
    return dados;
}

inline void GravaArquivo(const std::string& caminho, const std::string& dados) {
    std::ofstream out(caminho, std::ios::binary | std::ios::trunc);
    out.write(dados.data(), static_cast<std::streamsize>(dados.size()));
}
