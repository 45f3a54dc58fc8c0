#pragma once
// The GIS outputs (the GeoTIFF grid, GeoPackage and GeoJSON points) live in a
// module of their own, tormel21-consulta-gis.so beside the program, loaded
// only when one of them is asked for: GDAL and the hundred libraries it
// brings are not loaded for every answer, which would cost a one-point
// query more than its computation.
//
// Errors do not cross the module's edge as exceptions: the module returns
// them, and the program raises them as its own.
#include <cstddef>
#include <istream>
#include <ostream>

#include "OpcoesConsulta.h"
#include "database/GradeNacional.h"
#include "database/PoolInterpolacao.h"
#include "platform/AnsiString.h"

struct TErroGis {
    bool Houve = false;
    bool SemMemoria = false;
    AnsiString Mensagem;   // cp1252
};

// What the module gives: pointers to its two writers.
struct TModuloGis {
    std::size_t (*GravaGrade)(const TPoolInterpolacao& pool, const TOpcoesConsulta& opcoes, std::ostream& progresso,
                              TErroGis& erro);
    std::size_t (*GravaPontos)(const TPoolInterpolacao& pool, const TOpcoesConsulta& opcoes, std::istream& entrada,
                               std::ostream& erros, TErroGis& erro);
    void (*GravaGradeNacional)(const TGradeNacional& grade, const TOpcoesConsulta& opcoes, TErroGis& erro);
};

// The name of the module's one exported function, which returns its table.
inline constexpr const char* kEntradaModuloGis = "TormelModuloGis";
extern "C" {
using TEntradaModuloGis = const TModuloGis* (*)();
}

// Loaded on first use from the program's folder; EInOutError naming the file
// and the loader's message when it cannot be loaded. Both return what
// GravaGrade and GravaPontosGis return and raise what they raise.
std::size_t GravaGradeGis(const TPoolInterpolacao& pool, const TOpcoesConsulta& opcoes, std::ostream& progresso);
std::size_t GravaPontosGisModulo(const TPoolInterpolacao& pool, const TOpcoesConsulta& opcoes, std::istream& entrada,
                                 std::ostream& erros);
// --grade with --fonte grade: the national grid's own cells (GisGradeNacional.h).
void GravaGradeNacionalGis(const TGradeNacional& grade, const TOpcoesConsulta& opcoes);
