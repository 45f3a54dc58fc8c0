#pragma once
// One point's design storm for the hydraulic models and its peak flow by the
// rational method, as tormel21-consulta writes them.
#include <ostream>
#include <string>

#include "OpcoesConsulta.h"
#include "model/ChuvasSinteticas.h"
#include "platform/AnsiString.h"

// "Chuva de projeto (Chicago (Keifer e Chu)): Tr 10 anos, D 120 min,
// intervalo 10 min, pico em 0,4 de D" (UTF-8); Huff's curves name no peak
// position.
std::string DescricaoDaChuva(const THietograma& h, TMetodoChuva metodo, char sep);

// The storm of --hietograma as the file the options ask for: the SWMM time
// series (-o .dat), the SWMM sections with the series inline (-o .inp) or the
// HEC-HMS pattern (--hec-hms). Made whole before it is returned.
std::string ChuvaParaModelo(const TParametrosIdf& p, const AnsiString& latitude, const AnsiString& longitude,
                            const TOpcoesConsulta& opcoes);

// The --vazao section: inputs, tc (typed or by Kirpich), i(Tr, tc), Q and the
// notes. Domain errors are the core's Exception naming the field.
void EscreveVazao(const TParametrosIdf& p, const TOpcoesConsulta::TVazaoPedida& pedido, char sep, std::ostream& saida);
