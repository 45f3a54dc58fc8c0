#pragma once
// A design storm written for the hydraulic models.
//  - EPA SWMM time series: one "h:mm value" line per block, the value the
//    block's intensity in mm/h (INTENSITY format: the value holds from its
//    time to the next one), a last line at the storm's end with 0, comment
//    lines starting with ';'.
//  - The [RAINGAGES] and [TIMESERIES] sections of an .inp: a gage of
//    INTENSITY format whose interval is the block, reading the series either
//    inline or from a .dat file.
//  - HEC-HMS user-specified pattern: CSV of the time (min) and the cumulative
//    fraction of the storm's depth, from 0 at the start to 1 at the end.
// Numbers with a decimal point, as the models read them. Times must fall on
// whole minutes (h:mm): a block that is not a whole number of minutes is
// refused with a Portuguese message (Exception).
#include <string>

#include "model/ChuvaDeProjeto.h"

// "h:mm" of a time in minutes (whole minutes); Exception otherwise.
std::string HorasEMinutos(double minutos);

// The .dat time series; `descricao` (UTF-8) goes on the first comment line.
std::string SerieSwmm(const THietograma& h, const std::string& descricao);
// The two sections; with an empty `arquivoDat` the series is written inline,
// otherwise the [TIMESERIES] line names the file.
std::string SecoesSwmm(const THietograma& h, const std::string& descricao, const std::string& arquivoDat = {});
// The HEC-HMS pattern.
std::string PadraoHecHms(const THietograma& h);
