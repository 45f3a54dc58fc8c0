#include "GisComum.h"

#include <sys/stat.h>

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include "SaidaConsulta.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <mutex>
#include <unistd.h>

#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "LeitorCoordenada.h"

namespace Gis {

void Inicializa() {
    static std::once_flag feito;
    std::call_once(feito, [] {
        GDALAllRegister();
        CPLSetErrorHandler(CPLQuietErrorHandler);   // messages come back as errors
    });
}

const OGRSpatialReference& Sirgas2000() {
    static const OGRSpatialReference srs = [] {
        OGRSpatialReference s;
        if (s.importFromEPSG(4674) != OGRERR_NONE)
            throw EInOutError(Ansi("O GDAL não conhece o sistema de referência EPSG:4674 (SIRGAS 2000)."));
        s.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        return s;
    }();
    return srs;
}

void Falha(const AnsiString& acao, const std::string& caminho) {
    const char* msg = CPLGetLastErrorMsg();
    AnsiString texto = acao + " " + TextoDoCaminho(caminho);
    if (msg && *msg) texto += " (GDAL: " + AnsiDaEntrada(msg) + ")";
    throw EInOutError(texto + ".");
}

TArquivoTemporario::TArquivoTemporario(const std::string& caminho) : caminho_(caminho) {
    // GDAL writes these formats by seeking back and forth: only a regular
    // file (or a name not yet taken) can receive them.
    struct stat st {};
    if (::stat(caminho.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            throw EInOutError(Ansi("Não foi possível escrever o arquivo ") + TextoDoCaminho(caminho) + Ansi(": é uma pasta."));
        if (!S_ISREG(st.st_mode))
            throw EInOutError(Ansi("Não foi possível escrever o arquivo ") + TextoDoCaminho(caminho) +
                              Ansi(": um arquivo de SIG só é escrito num arquivo comum, não num pipe ou dispositivo."));
    }
    // A link stays a link: its final target is replaced. The extension stays
    // last: GDAL and SQLite look at it.
    destino_ = FimDosLinks(caminho);
    temporario_ = NomeTemporarioGis(caminho);
    std::remove(temporario_.c_str());
}

TArquivoTemporario::~TArquivoTemporario() {
    if (temporario_.empty()) return;
    std::remove(temporario_.c_str());
    for (const std::string& outro : CompanheirosGis(temporario_)) std::remove(outro.c_str());
}

void TArquivoTemporario::Conclui() {
    // A Shapefile's companions first: the main file appears last.
    const std::string deTemp = temporario_.substr(0, temporario_.find_last_of('.'));
    const std::string deDestino = destino_.substr(0, destino_.find_last_of('.'));
    for (const std::string& ext : ExtensoesIrmasGis(temporario_)) {
        struct stat st {};
        if (::stat((deTemp + ext).c_str(), &st) == 0 && std::rename((deTemp + ext).c_str(), (deDestino + ext).c_str()) != 0)
            throw EInOutError(Ansi("Não foi possível escrever o arquivo ") + TextoDoCaminho(deDestino + ext) + ".");
    }
    // GDAL's side file (band names and statistics of some formats) moves too.
    struct stat st {};
    if (::stat((temporario_ + ".aux.xml").c_str(), &st) == 0 &&
        std::rename((temporario_ + ".aux.xml").c_str(), (destino_ + ".aux.xml").c_str()) != 0)
        throw EInOutError(Ansi("Não foi possível escrever o arquivo ") + TextoDoCaminho(destino_ + ".aux.xml") + ".");
    if (std::rename(temporario_.c_str(), destino_.c_str()) != 0)
        throw EInOutError(Ansi("Não foi possível escrever o arquivo ") + TextoDoCaminho(caminho_) + ".");
    for (const std::string& outro : CompanheirosGis(temporario_)) std::remove(outro.c_str());
    temporario_.clear();
}

}  // namespace Gis
