#include "PastaDadosTeste.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "database/Estados.h"
#include "database/Registros.h"
#include "platform/Cp1252.h"

TPastaDadosTeste::TPastaDadosTeste(const std::vector<TEstacaoTeste>& estacoes) {
    std::string modelo = (std::filesystem::temp_directory_path() / "consulta-XXXXXX").string();
    if (!::mkdtemp(modelo.data())) throw std::runtime_error("mkdtemp");
    pasta_ = modelo + "/";
    std::array<std::vector<TEstacao>, NumEstados> porEstado;
    for (const auto& e : estacoes) {
        TEstacao r;
        r.Nome.Assign(Ansi(e.Nome));
        r.Autor.Assign(Ansi(e.Autor));
        r.Latitude.Assign(Ansi(e.Latitude));
        r.Longitude.Assign(Ansi(e.Longitude));
        r.K = e.K;
        r.a = e.a;
        r.b = e.b;
        r.c = e.c;
        porEstado.at(static_cast<std::size_t>(e.Estado)).push_back(r);
    }
    std::string bytes(1, '\x07');   // the leading byte carries nothing
    for (const auto& lista : porEstado) {
        bytes += static_cast<char>(lista.size() & 0xFF);
        bytes += static_cast<char>(lista.size() >> 8);
        bytes.append(reinterpret_cast<const char*>(lista.data()), lista.size() * sizeof(TEstacao));
    }
    Arquivo("Estados_Tor21.bin", bytes);
}

TPastaDadosTeste::~TPastaDadosTeste() {
    std::error_code ec;
    std::filesystem::remove_all(pasta_, ec);
}

std::string TPastaDadosTeste::Arquivo(const std::string& nome, const std::string& conteudo) const {
    std::ofstream(pasta_ + nome, std::ios::binary) << conteudo;
    return pasta_ + nome;
}

std::string TPastaDadosTeste::Le(const std::string& caminho) {
    std::ostringstream s;
    s << std::ifstream(caminho, std::ios::binary).rdbuf();
    return s.str();
}
