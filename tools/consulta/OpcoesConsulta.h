#pragma once
// The command line of tormel21-consulta.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DialetoCsv.h"
#include "GisOpcoes.h"
#include "LeitorCoordenada.h"
#include "database/ContornosEstados.h"
#include "database/GradeNacional.h"
#include "model/ChuvasSinteticas.h"

// The items of a comma-separated option value, as written (an empty item
// too: "10," has two).
std::vector<std::string> ItensDaOpcao(const std::string& texto);

// Whether -o names an EPA SWMM file (.dat time series, .inp sections), which
// with --hietograma receives the storm alone.
bool SaidaDeModelo(const std::string& caminho);

struct TOpcoesConsulta {
    bool Ajuda = false;
    bool Versao = false;

    // One point: both set. Many points: Entrada set ("-" for standard input).
    std::string Latitude, Longitude;
    bool UmPonto = false;
    std::string Entrada;
    std::string Saida;          // empty: standard output; .gpkg or .geojson: through GDAL
    std::string ColunasCoordenadas;   // --colunas LAT,LON (names or 1-based numbers); empty: found by name
    TOpcoesGis Gis;             // --grade: a raster grid instead of points

    std::string PastaDados;     // empty: the path rule; otherwise ends with '/'
    TDialetoCsv Dialeto = TDialetoCsv::Brasileiro();
    TLeitorCoordenada::Convencao Convencao = TLeitorCoordenada::Convencao::Positivos;

    std::vector<double> Tr, Duracoes;   // both empty or both set
    bool Estacoes = false;              // contributing stations (one point)
    std::size_t MaxEstacoes = 0;        // 0: all
    bool Confianca = false;             // nearest station, counts, spread, warning
    bool Nacional = false;              // --nacional: the pool of every state
    // The states' outlines of the data folder (set by the program, not an
    // option): a point of a state outside the pool is said in its warning.
    std::shared_ptr<const TContornosEstados> Contornos;

    // One point's design storm and inverse questions.
    struct THietogramaPedido {
        double Tr = 0, Duracao = 0, Passo = 0, Pico = 0.5;
        TMetodoChuva Metodo = TMetodoChuva::BlocosAlternados;
    };
    std::optional<THietogramaPedido> Hietograma;          // --hietograma TR,D,DT[,r[,METODO]]
    bool HecHms = false;                                  // --hec-hms: the storm as the HEC-HMS pattern
    struct TVazaoPedida {
        double Area = 0, C = 0, Tc = 0, Tr = 0;           // km², -, min (0: Kirpich), years
        double Comprimento = 0, Desnivel = 0;             // km, m: Kirpich's tc
    };
    std::optional<TVazaoPedida> Vazao;                    // --vazao A,C,TC|L:H,TR
    std::vector<double> IntensidadesAlvo, AlturasAlvo;    // --duracao-intensidade, --duracao-altura (each --tr)
    struct TEvento {
        double Duracao = 0, Altura = 0;
    };
    std::optional<TEvento> Evento;                        // --tr-evento T,P
    bool Json = false;                  // --json: one JSON object (one per line for many points)
    // The points go to a GIS file through GDAL (never with --json, whose .json is JSON text).
    bool SaidaDeSig() const { return !Json && SaidaGis(Saida); }
    unsigned Tarefas = 0;               // 0: one per core; at most MaxTarefas
    static constexpr unsigned MaxTarefas = 256;

    // The answer's source: the stations, the national grid, or both side by side.
    enum class TFonte { Estacoes, Grade, Ambas };
    TFonte Fonte = TFonte::Estacoes;                    // --fonte
    TDesagregacaoGrade Desagregacao = TDesagregacaoGrade::Raster; // --desagregacao-grade

    std::vector<std::string> Avisos;    // UTF-8 notes on what was taken otherwise than asked

    // EUso with a Portuguese message for anything it cannot take.
    static TOpcoesConsulta Le(const std::vector<std::string>& argumentos);
    static const char* TextoAjuda();    // UTF-8
};
