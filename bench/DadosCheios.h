#pragma once
// Data at the format's largest size for the benchmarks: a temporary program
// folder (<tmp>/bin/ beside <tmp>/Arquivos Comuns/) with a station file of
// 27 blocks of 65,535 random stations and a locality file with 65,535
// localities for the states asked for, removed at exit.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "database/BDPrecipitacao.h"
#include "database/GeoReferencia.h"

namespace dados_cheios {

constexpr int kPorBloco = 65535;

inline std::string Dms(int graus, int minutos, int segundos) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d\xB0%02d'%02d\"", graus, minutos, segundos);
    return buf;
}

// A name of random letters, so that sorting the lists does real work.
inline std::string Nome(std::mt19937& g, const char* prefixo) {
    std::uniform_int_distribution<int> letra(0, 25);
    std::string nome = prefixo;
    for (int i = 0; i < 12; ++i) nome += static_cast<char>((i == 0 ? 'A' : 'a') + letra(g));
    return nome;
}

inline std::string DmsDeSegundos(int segundos) { return Dms(segundos / 3600, segundos / 60 % 60, segundos % 60); }

// Stations between 5° and 30° south, 35° and 60° west; those of a state with
// a map within the middle of its map's bounds, where the window shows them.
inline TEstacao EstacaoAleatoria(std::mt19937& g, int estado = -1) {
    int norte = 5 * 3600, sul = 30 * 3600, leste = 35 * 3600, oeste = 60 * 3600;
    if (const TEstadoComMapa* mapa = EstadoComMapa(estado)) {
        const auto margem = [](double a, double b) { return static_cast<int>(a * 3600 + (b - a) * 360); };
        norte = margem(mapa->NorthLatitude, mapa->SouthLatitude);
        sul = margem(mapa->SouthLatitude, mapa->NorthLatitude);
        leste = margem(mapa->EastLongitude, mapa->WestLongitude);
        oeste = margem(mapa->WestLongitude, mapa->EastLongitude);
    }
    std::uniform_int_distribution<int> lat(norte, sul), lon(leste, oeste);
    std::uniform_real_distribution<double> p(0.05, 3000);
    TEstacao e;
    e.Nome.Assign(Nome(g, "Esta\xE7\xE3o "));
    e.K = p(g);
    e.a = p(g) / 3000;
    e.b = p(g) / 100;
    e.c = p(g) / 3000;
    e.Autor.Assign("AUTOR (2000)");
    e.Latitude.Assign(DmsDeSegundos(lat(g)));
    e.Longitude.Assign(DmsDeSegundos(lon(g)));
    return e;
}

template <typename Registro>
void GravaBlocos(const std::string& caminho, const std::vector<std::vector<Registro>>& blocos) {
    std::ofstream out(caminho, std::ios::binary);
    out.put('\0');
    for (const auto& bloco : blocos) {
        const char n[2] = {static_cast<char>(bloco.size() & 0xFF), static_cast<char>(bloco.size() >> 8)};
        out.write(n, 2);
        out.write(reinterpret_cast<const char*>(bloco.data()),
                  static_cast<std::streamsize>(bloco.size() * sizeof(Registro)));
    }
    if (!out.flush()) std::abort();
}

class TPastaCheia {
public:
    explicit TPastaCheia(const std::vector<int>& estadosComLocalidades = {}) {
        std::string modelo = (std::filesystem::temp_directory_path() / "tormel_bench_XXXXXX").string();
        if (!mkdtemp(modelo.data())) std::abort();
        raiz_ = modelo + "/";
        std::filesystem::create_directories(Programa());
        std::filesystem::create_directories(Dados());
        std::mt19937 g(42);
        std::vector<std::vector<TEstacao>> estacoes(NumEstados);
        for (int s = 0; s < NumEstados; ++s) {
            auto& bloco = estacoes[static_cast<std::size_t>(s)];
            bloco.resize(kPorBloco);
            for (auto& e : bloco) e = EstacaoAleatoria(g, s);
        }
        GravaBlocos(Dados() + "Estados_Tor21.bin", estacoes);
        std::vector<std::vector<TLocalidade>> localidades(NumEstados);
        for (int s : estadosComLocalidades) {
            auto& bloco = localidades[static_cast<std::size_t>(s)];
            bloco.resize(kPorBloco);
            for (auto& l : bloco) {
                const TEstacao e = EstacaoAleatoria(g, s);
                l.Nome.Assign(Nome(g, ""));
                l.Latitude = e.Latitude;
                l.Longitude = e.Longitude;
            }
        }
        GravaBlocos(Dados() + "Localidades_Tor21.bin", localidades);
    }
    ~TPastaCheia() { std::filesystem::remove_all(raiz_); }
    TPastaCheia(const TPastaCheia&) = delete;
    TPastaCheia& operator=(const TPastaCheia&) = delete;

    std::string Programa() const { return raiz_ + "bin/"; }
    std::string Dados() const { return PastaDados(Programa()); }

private:
    std::string raiz_;
};

}  // namespace dados_cheios
