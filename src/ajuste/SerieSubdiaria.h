#pragma once
// Sub-daily rain series: a date-and-time column and a depth per fixed
// interval (5 to 60 minutes), as the city gauges' 15-minute files
// (datetime_local,p15_mm) or any CSV in the dialects the other readers take
// ("," with a decimal point, ";" with a decimal comma). Their annual maxima
// per duration, and the ratios between those maxima measured at the gauge.
#include <string>

#include "ajuste/Desagregacao.h"
#include "ajuste/MaximosAnuais.h"
#include "ajuste/Registro.h"

// "yyyy-mm-dd HH:MM[:SS]" (or a "T" between), "dd/mm/yyyy HH:MM[:SS]":
// minutes since 1970-01-01 00:00.
bool LeDataHora(const std::string& texto, long long& minutos);

// The series of a text whose data rows begin with a date and time, the time
// that ends the row's interval (15:00 holds the rain of 14:45 to 15:00). The
// interval is the most common step between rows. Local times that jump at
// the summer-time changes (an hour repeated, an hour skipped) are taken as
// consecutive intervals, and said in Notas; a longer step is a gap.
// ERegistroInvalido naming the file and the line: a time out of step, a
// depth that is not a number or is negative.
TRegistro LeSerieSubdiaria(const std::string& texto, const std::string& caminho);

// The annual maxima per duration of a sub-daily record (MaximosAnuais takes
// this road for TipoRegistro::Subdiario).
void MaximosSubdiarios(const TRegistro& r, const TOpcoesMaximos& o, TMaximosAnuais& m);

// The ratios of the gauge's mean annual maxima, for the durations of the
// CETESB table it measures (each over its base), and 24 h over the civil
// day: a disaggregation that takes a daily record down with what this gauge
// measured. fonte names it.
TDesagregacao RazoesMedidas(const TMaximosAnuais& m, const AnsiString& fonte);
