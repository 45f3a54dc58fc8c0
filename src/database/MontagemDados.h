#pragma once
// The data files of a folder built from the data CSV files: the one road
// from CSV to Estados_Tor21.bin and Localidades_Tor21.bin, taken by the data
// builder (tormel21-dados) and by the program when the user adds a station.
#include <cstddef>
#include <string>
#include <vector>

#include "database/Importador.h"

struct TMontagemDados {
    std::vector<TErroImportacao> Erros;    // nothing was written when there is one
    std::vector<TErroImportacao> Avisos;
    std::size_t Estacoes = 0, Localidades = 0;
};

// Reads both CSV files (the states' outlines from `contornos`, or from
// contornos.csv beside the stations file when empty and it exists), checks
// every row and, when there is no error, writes both data files into `pasta`
// (ending with '/') together (TArquivosDados::GravaPar). EInOutError when a
// file cannot be read or written.
TMontagemDados MontaDados(const std::string& estacoesCsv, const std::string& localidadesCsv, const std::string& pasta,
                          std::string contornos = {}, bool estrito = false);
