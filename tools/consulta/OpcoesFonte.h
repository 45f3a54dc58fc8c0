#pragma once
// --fonte and --desagregacao-grade of tormel21-consulta.
#include <string>

#include "OpcoesConsulta.h"

// Takes the value of one of the two options; EUso for another word.
void LeOpcaoFonte(const std::string& opcao, const std::string& valor, TOpcoesConsulta& o);
// The combinations the grid refuses (a GeoTIFF of both sources, --passo
// with the grid's own cells, contributing stations without stations).
void ConfereOpcoesFonte(const TOpcoesConsulta& o);
