#pragma once
// Where -o sends the output. A regular file (or a name not yet taken)
// appears whole or not at all: the output is written under a temporary name
// in the file's own folder and renamed over it once complete. A symbolic
// link is followed to its final target, which is replaced the same way, so
// the link stays a link. A pipe, a device or the program's own standard
// output is written directly, since there is nothing to replace. A folder
// is refused at once.
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "LimpezaSinais.h"

// The end of a chain of symbolic links (the path itself when it is none); a
// link may point to a name not yet taken.
std::string FimDosLinks(std::string caminho);

// The temporary name a GIS output is written under beside its final target
// (links followed), the extension kept last (GDAL and SQLite look at it):
// "grade.tmp<pid>.tif".
std::string NomeTemporarioGis(const std::string& caminho);
// The other files a GIS writer may make beside a file: SQLite's journals,
// GDAL's side file, the grid's first GeoTIFF, a Shapefile's or a MapInfo
// table's companions (those with the file's stem: their extensions).
std::vector<std::string> CompanheirosGis(const std::string& arquivo);
// The companions that belong to the format and move with the file.
std::vector<std::string> ExtensoesIrmasGis(const std::string& arquivo);

class TSaidaConsulta {
public:
    // EInOutError naming the path when it cannot be written.
    TSaidaConsulta(const std::string& caminho, std::ostream& saidaPadrao);
    ~TSaidaConsulta();
    TSaidaConsulta(const TSaidaConsulta&) = delete;
    TSaidaConsulta& operator=(const TSaidaConsulta&) = delete;

    std::ostream& Fluxo() { return direta_ ? *direta_ : arquivo_; }
    // Flushes and, for a regular file, puts it in place.
    void Conclui();

private:
    [[noreturn]] void Falha(const std::string& motivo = "") const;

    std::string caminho_;      // as given, for messages
    std::string destino_;      // the file renamed over (links followed)
    std::string temporario_;   // empty when writing directly
    std::ofstream arquivo_;
    std::ostream* direta_ = nullptr;
    std::unique_ptr<TTemporarioVigiado> vigia_;   // removes temporario_ on a signal
};
