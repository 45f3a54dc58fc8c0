#pragma once
// Station records fitted from a network's table of annual maxima of the
// one-day depth and its inventory: the road from the national network's
// records to the data builder's CSV files (tormel21-dados --maximos-anuais).
//
// Maxima table (UTF-8, comma, quotes allowed): the columns Date (dd/mm/yyyy,
// the first day of the station's hydrological year), Pdmax (mm) and
// Estacao_codigo (leading zeros may be missing). Inventory: station_code,
// station_name, state_code, municipality, latitude, longitude (signed
// decimal degrees).
//
// Screening, in this order, each removed value listed with its reason:
//   1. zero or negative;
//   2. above MaximoFisico, which no one-day rain reaches;
//   3. error codes: a value whose whole part is 999 or 9999 (the missing-value
//      code), and a value above LimiarCodigo found at two or more stations in
//      the same year (one device's code copied over many stations);
//   4. a value more than RazaoDaMediana times the median of the station's
//      other values (a monthly total, a shifted decimal point: no day of rain
//      stands that far above a station's own years);
//   5. low outliers by the multiple Grubbs-Beck test (GrubbsBeck.h).
// A value above the Grubbs-Beck high threshold, or above LimiarAlto, stays
// and is flagged. A station needs MinimoDeAnos values after screening.
//
// Each station is then fitted by the fitting window's chain (AjustaRegistro
// with its defaults: distribution by the best Anderson-Darling p-value, the
// CETESB ratios, K, a, b, c by least squares, 90% limits by a bootstrap of
// the whole chain), seeded by its code, so the result does not depend on the
// number of threads.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ajuste/Ajuste.h"
#include "database/DadosDoUsuario.h"
#include "database/ContornosEstados.h"
#include "database/Importador.h"

struct TOpcoesRede {
    std::size_t MinimoDeAnos = 25;
    double MaximoFisico = 1000;       // mm in one day
    double LimiarCodigo = 300;        // mm
    double LimiarAlto = 500;          // mm: flagged above it
    double RazaoDaMediana = 5;        // 0: no such rule
    int Bootstrap = 1000;
    int ReplicasAderencia = 1000;
    std::uint64_t Semente = 20260101; // each station's seed: this plus its code
    unsigned Tarefas = 0;             // threads; 0: one per core
    std::string NomeMaximos = "maximos_anuais_ana.csv";   // the tables' names in the texts
    std::string NomeInventario = "inventario_ana.csv";
};

struct TValorTriado {
    std::string Codigo;
    int Ano = 0;
    double Valor = 0;
    std::string Motivo;               // UTF-8
};

struct TEstacaoDeixada {
    std::string Codigo, Uf, Nome;     // UTF-8 as in the inventory
    std::string Motivo;
};

struct TEstacaoRede {
    std::string Codigo, Uf;           // 8 digits; state abbreviation
    std::string Nome;                 // the record's name (UTF-8, at most 68 cp1252 bytes)
    double Latitude = 0, Longitude = 0;   // signed decimal degrees (inventory)
    std::size_t Anos = 0;
    int PrimeiroAno = 0, UltimoAno = 0;
    TParametros Distribuicao;
    TEquacao Equacao;
    double I10_60 = 0;                // mm/h of the fitted equation
    TEstacaoAdicionada Dados;         // row, citation, description, 90% intervals
};

struct TRedeAjustada {
    std::vector<TEstacaoRede> Estacoes;       // by state, then code
    std::vector<TEstacaoDeixada> Deixadas;    // by code
    std::vector<TValorTriado> Removidos;      // by code, then year
    std::vector<TValorTriado> Sinalizados;
    std::size_t EstacoesNaTabela = 0, ValoresNaTabela = 0;
};

// Errors of the tables (file, line, field) as the importer gives them;
// EDadosInvalidos listing them when there is any. EInOutError when a file
// cannot be read.
TRedeAjustada AjustaRede(const std::string& maximosCsv, const std::string& inventarioCsv, const TOpcoesRede& opcoes);
TRedeAjustada AjustaRedeDoTexto(const std::string& maximos, const std::string& inventario,
                                const TOpcoesRede& opcoes, const std::string& nomeMaximos = "maximos.csv",
                                const std::string& nomeInventario = "inventario.csv");

// "ANA 02345006, 41 anos"
std::string CitacaoDaRede(const std::string& codigo, std::size_t anos);

// The city of Rio de Janeiro's 15-minute gauges (or any list of sub-daily
// gauges: arquivo,nome,latitude,longitude, the files beside the list, gzip
// or not), each fitted from its own maxima per duration without
// disaggregation, added to the network's stations in the state whose outline
// holds it. Citation "Alerta Rio <name>" (30 bytes at most); the description
// names the gauge, its years and its measured ratios. EDadosInvalidos for a
// gauge outside every outline, ERegistroInvalido for a bad file.
struct TPluviografoRede {
    std::string Arquivo, Nome;
    std::size_t Anos = 0;
    int Intervalo = 0;
    TDesagregacao Razoes;             // measured
};
std::vector<TPluviografoRede> AcrescentaPluviografos(TRedeAjustada& rede, const std::string& lista,
                                                     const TContornosEstados& contornos, const TOpcoesRede& opcoes);
std::string CitacaoDoPluviografo(const std::string& nome);
// "SALTO DO ITARARÉ" -> "Salto do Itararé"
std::string NomeProprio(const std::string& maiusculasUtf8);

// The builder's three CSV texts of the fitted stations (UTF-8): estacoes.csv
// (a latitude north of the equator written with " N"), ajustes.csv and
// intervalos.csv, in the layout the user's additions use.
struct TCsvsRede {
    std::string Estacoes, Ajustes, Intervalos;
};
TCsvsRede CsvsDaRede(const TRedeAjustada& rede);
