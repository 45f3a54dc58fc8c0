#pragma once
// A data folder made by a test: a fresh temporary folder with a station file
// written from the stations given, removed with the object.
#include <string>
#include <vector>

struct TEstacaoTeste {
    int Estado;
    std::string Nome, Autor;          // UTF-8
    std::string Latitude, Longitude;  // UTF-8 coordinate texts, 19°55'30"
    double K, a, b, c;
};

class TPastaDadosTeste {
public:
    explicit TPastaDadosTeste(const std::vector<TEstacaoTeste>& estacoes);
    TPastaDadosTeste(const TPastaDadosTeste&) = delete;
    TPastaDadosTeste& operator=(const TPastaDadosTeste&) = delete;
    ~TPastaDadosTeste();

    const std::string& Pasta() const { return pasta_; }   // ends with '/'
    // Writes a file into the folder; returns its path.
    std::string Arquivo(const std::string& nome, const std::string& conteudo) const;
    static std::string Le(const std::string& caminho);

private:
    std::string pasta_;
};
