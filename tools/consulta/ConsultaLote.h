#pragma once
// Many points: reads the CSV of points, computes them on several threads
// (each thread takes whole points; the stations of one point are always
// summed in scan order) and writes one row per input row, in input order.
// A row that cannot be read or computed is written with its message in the
// last column and reported with its line number; the others are computed.
// A corrupt station record that the points reach is reported once, and the
// rows it stops say that the data is at fault.
#include <cstddef>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "EntradaLote.h"
#include "OpcoesConsulta.h"
#include "database/Confianca.h"
#include "database/GradeNacional.h"
#include "model/ChuvaDeProjeto.h"
#include "database/PoolInterpolacao.h"

class TConsultaLote {
public:
    // grade: the national grid, for --fonte grade or ambas (else nullptr).
    TConsultaLote(const TPoolInterpolacao& pool, const TOpcoesConsulta& opcoes,
                  const TGradeNacional* grade = nullptr)
        : pool_(pool), opcoes_(opcoes), grade_(grade),
          confianca_(std::make_unique<TAvaliadorConfianca>(pool)) {}

    // Returns the number of rows that failed.
    std::size_t Executa(std::istream& entrada, std::ostream& saida, std::ostream& erros) const;

    struct TPonto {
        long Linha = 0;
        std::vector<std::string> Campos;                     // every input column, UTF-8 as read
        std::string Id, LatitudeEntrada, LongitudeEntrada;   // UTF-8 as read
        AnsiString Latitude, Longitude;                      // coordinate texts
        double GrausLatitude = 0, GrausLongitude = 0;        // the input's position, south and west negative
        std::string Erro;                                    // UTF-8; empty when readable
        bool TemEvento = false;                              // t and P of an observed storm given
        double DuracaoEvento = 0, AlturaEvento = 0;          // min, mm
    };
    struct TResultado {
        TEstacao Estacao;
        std::vector<double> Valores;   // i and P for each Tr, then each duration
        std::string Erro;
        std::string ErroDosDados;      // the station file's fault that stopped this point
        std::vector<std::string> Confianca;   // --confianca columns (or only the warning without it), UTF-8
        std::vector<std::string> Evento;      // tr_evento, nota_tr_evento (UTF-8) of a row with t and P
        std::optional<TConfianca> ResumoConfianca;   // the numbers behind Confianca
        TResposta TrEvento;                          // the number behind Evento
        std::string Aviso;                    // the warning, UTF-8; empty when none
        std::vector<std::string> Grade;       // grade_ columns (and dif_i10_60); empty: no grid value
    };
    // A row's warning on standard error, with its line number.
    static void DizAviso(const TPonto& p, const TResultado& r, std::ostream& erros);

    // The output's column names: the input's columns (TEntradaLote::Nomes),
    // then latitude, longitude (the coordinate texts used), lat_decimal,
    // lon_decimal (their signed decimal degrees), local, K, a, b, c,
    // fonte, i and P of each pair (Tr, t) named with this decimal separator,
    // the --confianca columns when asked for (else aviso alone: a point
    // outside Brazil or far from every station is always warned of),
    // tr_evento and nota_tr_evento
    // when the input has t and P columns, erro. Every output uses them.
    std::vector<std::string> Colunas(char decimal, const TEntradaLote& entrada) const;
    // The result columns of a computed row, after the input's, up to the
    // --confianca ones (or aviso) included.
    std::vector<std::string> CamposDeResultado(const TPonto& p, const TResultado& r) const;
    // The names the results take (those after the input's columns).
    std::vector<std::string> ColunasDeResultado(char decimal, bool comEvento) const;

    // A header that names columns t and P (minutes, mm) gives each row an
    // observed storm whose return period is computed. EConvertError when
    // --colunas names a column the header lacks.
    std::vector<TPonto> LePontos(std::istream& entrada, TEntradaLote* colunas = nullptr) const;
    // Results in the order of the points; points with Erro set are skipped.
    // When fewer threads than asked can be started, the run goes on with
    // those and says so on avisos.
    std::vector<TResultado> Calcula(const std::vector<TPonto>& pontos, std::ostream* avisos = nullptr) const;

    // The station file's fault that stopped some rows, said once (before
    // the rows, which then say only that the data is at fault).
    static void DizErroDosDados(const std::vector<TResultado>& resultados, std::ostream& erros);

private:
    // The rows as JSON Lines (--json; ConsultaLoteJson.cpp); returns the
    // number of rows that failed.
    std::size_t EscreveJson(const std::vector<TPonto>& pontos, const std::vector<TResultado>& resultados,
                            std::ostream& saida, std::ostream& erros) const;
    void LeEvento(const std::vector<std::string>& campos, std::size_t colunaT, std::size_t colunaP, TPonto& p) const;

    TResultado CalculaUm(const TPonto& ponto, std::vector<long double>& pesos) const;

    const TPoolInterpolacao& pool_;
    const TOpcoesConsulta& opcoes_;
    const TGradeNacional* grade_;
    std::unique_ptr<TAvaliadorConfianca> confianca_;
    // --fonte grade: the grid's columns alone after the coordinates.
    bool SoGrade() const { return grade_ && opcoes_.Fonte == TOpcoesConsulta::TFonte::Grade; }
};
