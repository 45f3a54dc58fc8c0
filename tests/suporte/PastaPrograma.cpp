#include "PastaPrograma.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

TPastaPrograma::TPastaPrograma(const std::string& prefixo) : raiz_(prefixo) {
    fs::create_directory(Programa());
    fs::create_directory(Dados());
}

std::string TPastaPrograma::Programa() const { return raiz_.Caminho("bin/"); }
std::string TPastaPrograma::Dados() const { return raiz_.Caminho("Arquivos Comuns/"); }

std::string TPastaPrograma::GravaDados(const std::string& nome, const std::string& dados) const {
    GravaArquivo(Dados() + nome, dados);
    return Dados() + nome;
}

void TPastaPrograma::GravaEstacoes(const std::vector<std::vector<TEstacao>>& blocos, unsigned char inicial) const {
    GravaDados("Estados_Tor21.bin", MontaArquivo(blocos, inicial));
}

void TPastaPrograma::GravaLocalidades(const std::vector<std::vector<TLocalidade>>& blocos,
                                      unsigned char inicial) const {
    GravaDados("Localidades_Tor21.bin", MontaArquivo(blocos, inicial));
}

void TPastaPrograma::ApagaDados(const std::string& nome) const {
    if (nome.empty()) {
        fs::remove_all(Dados());
    } else if (!fs::remove(Dados() + nome)) {
        throw std::runtime_error("cannot remove " + Dados() + nome);
    }
}
