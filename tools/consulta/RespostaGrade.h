#pragma once
// The national grid's answer at a point of tormel21-consulta (--fonte grade
// or ambas): the cell's K, a, b, c, R² and KS p-value, the design values of
// the pairs asked for, and the relative difference of i(10, 60) from the
// stations'. Columns and "Nome: valor" lines share the grade_ names.
#include <array>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "OpcoesConsulta.h"
#include "database/GradeNacional.h"

extern const char* const FonteGradeNacional;   // "GRIDF-BR (grade nacional)", UTF-8

// The grid file of the data folder; nullptr when the options ask for the stations only.
std::unique_ptr<TGradeNacional> CarregaGradeDasOpcoes(const TOpcoesConsulta& o, const std::string& pastaDados);

struct TRespostaGrade {
    TValorGrade Valor;
    std::vector<double> Pares;   // i then P of each (Tr, t), as ValoresDosPares
};
// The grid at the coordinate texts; EDadosInvalidos-free: "sem dado na grade"
// is an EConvertError with that text.
TRespostaGrade RespostaDaGrade(const TGradeNacional& grade, const TOpcoesConsulta& o, const AnsiString& latitude,
                               const AnsiString& longitude);
// (i_grade − i_estacoes)/i_estacoes of i(10, 60); nullopt where either fails.
std::optional<double> DiferencaRelativa10x60(const TCelulaGrade& grade, double K, double a, double b, double c);

// Column names: grade_K ... grade_KS_p, grade_i_Tr.._t.., grade_P_..,
// then dif_i10_60 when both sources are asked for.
std::vector<std::string> ColunasGrade(const TOpcoesConsulta& o, char decimal);
// The fields of those columns (dif_i10_60 from the stations' K, a, b, c when given).
std::vector<std::string> CamposGrade(const TRespostaGrade& r, const TOpcoesConsulta& o,
                                     const std::optional<std::array<double, 4>>& estacoes);
// One point: "grade_K: valor" lines, the cell and the table of pairs.
void EscreveRespostaGrade(const TRespostaGrade& r, const TGradeNacional& grade, const TOpcoesConsulta& o,
                          const std::optional<std::array<double, 4>>& estacoes, std::ostream& saida);
