#pragma once
// The command line of tormel21-consulta.
#include <string>
#include <vector>

#include "DialetoCsv.h"
#include "LeitorCoordenada.h"

struct TOpcoesConsulta {
    bool Ajuda = false;
    bool Versao = false;

    // One point: both set. Many points: Entrada set ("-" for standard input).
    std::string Latitude, Longitude;
    bool UmPonto = false;
    std::string Entrada;
    std::string Saida;          // empty: standard output

    std::string PastaDados;     // empty: the path rule; otherwise ends with '/'
    TDialetoCsv Dialeto = TDialetoCsv::Brasileiro();
    TLeitorCoordenada::Convencao Convencao = TLeitorCoordenada::Convencao::Positivos;

    std::vector<double> Tr, Duracoes;   // both empty or both set
    bool Estacoes = false;              // contributing stations (one point)
    std::size_t MaxEstacoes = 0;        // 0: all
    bool Confianca = false;             // nearest station, counts, spread, warning
    unsigned Tarefas = 0;               // 0: one per core

    // EUso with a Portuguese message for anything it cannot take.
    static TOpcoesConsulta Le(const std::vector<std::string>& argumentos);
    static const char* TextoAjuda();    // UTF-8
};
