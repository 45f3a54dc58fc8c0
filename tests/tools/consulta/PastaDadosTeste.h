#pragma once
// A data folder made by a test: a fresh temporary folder with a station file
// written from the stations given, removed with the object.
#include <string>
#include <vector>

#include "suporte/ArquivosDeTeste.h"

struct TEstacaoTeste {
    int Estado;
    std::string Nome, Autor;          // UTF-8
    std::string Latitude, Longitude;  // UTF-8 coordinate texts, 19°55'30"
    double K, a, b, c;
};

class TPastaDadosTeste {
public:
    explicit TPastaDadosTeste(const std::vector<TEstacaoTeste>& estacoes);

    std::string Pasta() const { return pasta_.Caminho(); }   // ends with '/'
    // Writes a file into the folder; returns its path.
    std::string Arquivo(const std::string& nome, const std::string& conteudo) const {
        return pasta_.Grava(nome, conteudo);
    }
    static std::string Le(const std::string& caminho) { return ConteudoDoArquivo(caminho); }

private:
    TPastaTemporaria pasta_{"consulta-"};
};
