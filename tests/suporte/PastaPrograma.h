#pragma once
// A program folder as the program finds its files: <tmp>/bin/ beside the
// data folder <tmp>/Arquivos Comuns/ (program folder + "../Arquivos Comuns/"),
// both removed with the object. The test writes the data files it needs.
#include <string>
#include <vector>

#include "ArquivosDeTeste.h"

class TPastaPrograma {
public:
    explicit TPastaPrograma(const std::string& prefixo = "tormel_programa_");

    std::string Raiz() const { return raiz_.Caminho(); }   // "<tmp>/"
    std::string Programa() const;                           // "<tmp>/bin/"
    std::string Dados() const;                              // "<tmp>/Arquivos Comuns/"

    // Writes a file into the data folder; returns its path.
    std::string GravaDados(const std::string& nome, const std::string& dados) const;
    // Estados_Tor21.bin and Localidades_Tor21.bin from their state blocks.
    void GravaEstacoes(const std::vector<std::vector<TEstacao>>& blocos, unsigned char inicial = 0) const;
    void GravaLocalidades(const std::vector<std::vector<TLocalidade>>& blocos, unsigned char inicial = 0) const;
    // Removes one file of the data folder, or the whole folder for an empty name.
    void ApagaDados(const std::string& nome) const;

private:
    TPastaTemporaria raiz_;
};
