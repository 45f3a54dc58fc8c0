#pragma once
// The report's values taken from the query window as it stands.
#include "report/DadosRelatorio.h"

class TfrmFoConsulta;

TDadosRelatorio DadosDaConsulta(const TfrmFoConsulta& janela);
