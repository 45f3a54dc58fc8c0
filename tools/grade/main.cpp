// tormel21-grade: builds the national grid file from the GRIDF-BR GeoTIFFs.
//   tormel21-grade <GRIDF-BR folder> <output file>
// The folder holds RASTER/, STATION/ and CETESB/, each with the six rasters.
#include <cstdio>
#include <exception>
#include <string>

#include "LeituraGridf.h"

namespace {
// cp1252 text stored in the file and shown by the program as the grid's source.
const char* const kFonte =
    "GRIDF-BR: Gridded Intensity\x96" "Duration\x96" "Frequency Curves for Brazil (Marcus N. Gomes Jr., "
    "licen\xE7" "a MIT), ajustadas sobre a precipita\xE7\xE3o di\xE1ria em grade BR-DWGD (Xavier et al.), "
    "c\xE9lulas de 0,1\xB0";
}

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tormel21-grade <GRIDF-BR folder> <output file>\n");
        return 2;
    }
    try {
        const TGradeNacional grade = LeGridf(argv[1], kFonte);
        grade.Grava(argv[2]);
        std::printf("tormel21-grade: %d x %d cells\n", grade.Colunas(), grade.Linhas());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tormel21-grade: %s\n", e.what());
        return 1;
    }
    return 0;
}
