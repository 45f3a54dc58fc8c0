#pragma once
// What the GIS writers share: GDAL set up once, the SIRGAS 2000 geographic
// reference (EPSG:4674) with longitude first as GIS files store it, GDAL's
// last message as an error of the system, and the output file that appears
// complete or not at all.
#include <string>

#include "platform/AnsiString.h"

class OGRSpatialReference;

namespace Gis {

void Inicializa();
const OGRSpatialReference& Sirgas2000();

// EInOutError: `acao` (cp1252), the file and GDAL's message.
[[noreturn]] void Falha(const AnsiString& acao, const std::string& caminho);

// GDAL writes under a temporary name beside the target; Conclui renames it
// over the target (a link's final target: the link stays). A folder, a pipe
// or a device is refused at construction (EInOutError). The temporary file
// goes away if Conclui is not reached.
class TArquivoTemporario {
public:
    explicit TArquivoTemporario(const std::string& caminho);
    ~TArquivoTemporario();
    const std::string& Caminho() const { return temporario_; }
    void Conclui();

private:
    std::string caminho_, destino_, temporario_;
};

// Lower-case extension with its dot (".gpkg"), empty when there is none.
std::string Extensao(const std::string& caminho);

}  // namespace Gis
