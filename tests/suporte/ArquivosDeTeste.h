#pragma once
// Plain C++ pieces the tests share: a temporary folder removed with its
// object, whole files written and read back byte for byte, and station and
// locality records packed into data files the way the loaders read them.
// Header-only, so that a test program may use it without linking anything
// but the core.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "database/Registros.h"

// Writes `dados` as the whole file (created or truncated); throws when it
// cannot, so a test never runs on a file it did not get.
inline void GravaArquivo(const std::string& caminho, const std::string& dados) {
    std::ofstream out(caminho, std::ios::binary | std::ios::trunc);
    out.write(dados.data(), static_cast<std::streamsize>(dados.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + caminho);
}

// The whole file as bytes; empty when it cannot be read.
inline std::string ConteudoDoArquivo(const std::string& caminho) {
    std::ifstream f(caminho, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// A fresh folder <tmp>/<prefixo>XXXXXX, removed with everything in it.
class TPastaTemporaria {
public:
    explicit TPastaTemporaria(const std::string& prefixo = "tormel_") {
        std::string modelo = (std::filesystem::temp_directory_path() / (prefixo + "XXXXXX")).string();
        if (!::mkdtemp(modelo.data())) throw std::runtime_error("mkdtemp " + modelo);
        raiz_ = modelo;
    }
    ~TPastaTemporaria() {
        std::error_code ec;
        std::filesystem::remove_all(raiz_, ec);
    }
    TPastaTemporaria(const TPastaTemporaria&) = delete;
    TPastaTemporaria& operator=(const TPastaTemporaria&) = delete;

    std::string Caminho() const { return raiz_ + "/"; }                       // ends with '/'
    std::string Caminho(const std::string& nome) const { return Caminho() + nome; }
    // Writes a file into the folder; returns its path.
    std::string Grava(const std::string& nome, const std::string& dados) const {
        GravaArquivo(Caminho(nome), dados);
        return Caminho(nome);
    }

private:
    std::string raiz_;
};

// Records with every field given; texts are cp1252 bytes.
inline TEstacao Estacao(const AnsiString& nome, double k, double a, double b, double c, const AnsiString& lat,
                        const AnsiString& lon, const AnsiString& autor = "AUTOR (2000)") {
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

inline TLocalidade Localidade(const AnsiString& nome, const AnsiString& lat, const AnsiString& lon) {
    TLocalidade l;
    l.Nome.Assign(nome);
    l.Latitude.Assign(lat);
    l.Longitude.Assign(lon);
    return l;
}

// A data file: the leading byte, then 27 blocks in state order, each a
// little-endian 16-bit count and the raw records; missing blocks are empty.
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
