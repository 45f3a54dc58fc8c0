#pragma once
// Reads the GRIDF-BR GeoTIFFs (one folder per disaggregation, IDF_k.tif ...
// IDF_KS_p.tif) into the core's national grid. GDAL is used here only.
#include <string>

#include "database/GradeNacional.h"

// The file of each band in a disaggregation's folder.
extern const char* const ArquivosBandasGridf[NumeroBandasGrade];

// Every raster must have one band, the same size and geotransform as the
// first and no rotation; EDadosInvalidos naming the file otherwise,
// EArquivoNaoExiste for a missing one.
TGradeNacional LeGridf(const std::string& pasta, const AnsiString& fonte);
