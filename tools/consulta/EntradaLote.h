#pragma once
// The columns of a batch's input: which hold the coordinates, whether the
// first line names them, the names the output gives them, and the columns
// of an observed storm. Every input column goes to the output, in order, in
// front of the results.
//
// The coordinate columns are those named by --colunas LAT,LON (names of the
// header, or 1-based numbers), else the header's columns named lat, latitude
// or y and lon, long, longitude or x (any case, with or without accents),
// else the second and third fields. A first line is a header when it names
// the coordinate columns, or when both coordinate fields begin with a letter.
#include <cstddef>
#include <string>
#include <vector>

struct TEntradaLote {
    bool TemCabecalho = false;
    std::size_t ColunaLatitude = 1, ColunaLongitude = 2;   // 0-based
    std::size_t ColunaT = 0, ColunaP = 0;                  // 0: no observed storm
    std::vector<std::string> Nomes;   // output names of the input columns

    bool ComEvento() const { return ColunaT > 0 || ColunaP > 0; }
    std::size_t Colunas() const { return Nomes.size(); }
    // The first column that is not a coordinate (the row's identifier in
    // messages), or Colunas() when there is none.
    std::size_t ColunaId() const;

    // From the first non-blank line. colunas: --colunas's value ("" when not
    // given); EConvertError when a name given there is not in the header.
    // reservados: the output's own column names, which an input column may
    // not take (it gets "_entrada" after its name).
    static TEntradaLote DaPrimeiraLinha(const std::vector<std::string>& campos, const std::string& colunas,
                                        const std::vector<std::string>& reservados);
};

// A column name compared without case, accents or surrounding blanks.
std::string NomeNormalizado(const std::string& utf8);
