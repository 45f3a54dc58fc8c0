#include "GisOpcoes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

#include "ErrosConsulta.h"
#include "GisComum.h"
#include "LeitorCoordenada.h"
#include "OpcoesConsulta.h"
#include "database/GeoReferencia.h"
#include "platform/Numeros.h"

namespace {
[[noreturn]] void Uso(const std::string& mensagemUtf8) { LancaUtf8<EUso>(mensagemUtf8); }
}  // namespace

void TOpcoesGis::LeArea(const std::string& texto) {
    std::vector<double> v;
    for (const std::string& item : ItensDaOpcao(texto)) {
        double x = 0;
        if (!TryStrToFloat(item, '.', x) || !std::isfinite(x))
            Uso("--area: \"" + item + "\" não é um número (graus decimais com ponto, separados por vírgula)");
        v.push_back(x);
    }
    if (v.size() != 4) Uso("--area: dê LATMIN,LATMAX,LONMIN,LONMAX (quatro números)");
    // The coordinate texts have no sign and two digits of degrees.
    for (double x : v)
        if (x > 0 || x <= -100)
            Uso("--area: os valores vão de 0 a -99.99 (sul e oeste negativos; o texto de coordenada não tem sinal)");
    if (!(v[0] < v[1]) || !(v[2] < v[3])) Uso("--area: LATMIN deve ser menor que LATMAX e LONMIN menor que LONMAX");
    LatMin = v[0];
    LatMax = v[1];
    LonMin = v[2];
    LonMax = v[3];
    AreaDada = true;
}

void TOpcoesGis::LePasso(const std::string& texto) {
    double x = 0;
    if (!TryStrToFloat(texto, '.', x) || !std::isfinite(x) || !(x >= 1))
        Uso("--passo: \"" + texto + "\" não é um número de segundos de arco de 1 em diante");
    Passo = x;
}

// The box of the seven state maps covers every pool state (Goiás, the one
// without a map, lies within the boxes of its neighbours).
void TOpcoesGis::PoeAreaPadrao() {
    double norte = 90, sul = 0, leste = 180, oeste = 0;
    for (const auto& g : EstadosComMapa) {
        norte = std::min(norte, g.NorthLatitude);
        sul = std::max(sul, g.SouthLatitude);
        leste = std::min(leste, g.EastLongitude);
        oeste = std::max(oeste, g.WestLongitude);
    }
    LatMin = -std::ceil(sul);
    LatMax = -std::floor(norte);
    LonMin = -std::ceil(oeste);
    LonMax = -std::floor(leste);
}

namespace {

const TFormatoGis kPontos[] = {
    {".gpkg", "GPKG", "GeoPackage"},          {".geojson", "GeoJSON", "GeoJSON"},
    {".json", "GeoJSON", "GeoJSON"},          {".geojsonl", "GeoJSONSeq", "sequência GeoJSON"},
    {".geojsons", "GeoJSONSeq", "sequência GeoJSON"}, {".shp", "ESRI Shapefile", "Shapefile"},
    {".fgb", "FlatGeobuf", "FlatGeobuf"},     {".kml", "KML", "KML"},
    {".gml", "GML", "GML"},                   {".sqlite", "SQLite", "SQLite/SpatiaLite"},
    {".tab", "MapInfo File", "MapInfo"},      {".xlsx", "XLSX", "planilha XLSX"},
    {".ods", "ODS", "planilha ODS"},
};
const TFormatoGis kGrades[] = {
    {".tif", "COG", "GeoTIFF otimizado para a nuvem (COG)"}, {".tiff", "COG", "GeoTIFF otimizado para a nuvem (COG)"},
    {".nc", "netCDF", "NetCDF"},                            {".img", "HFA", "Erdas Imagine"},
    {".asc", "AAIGrid", "grade ASCII", true},               {".xyz", "XYZ", "XYZ", true},
};

template <std::size_t N>
const TFormatoGis* Acha(const TFormatoGis (&tabela)[N], const std::string& caminho) {
    const std::string ext = Gis::Extensao(caminho);
    for (const TFormatoGis& f : tabela)
        if (ext == f.Extensao) return &f;
    return nullptr;
}

}  // namespace

const TFormatoGis* FormatoDePontos(const std::string& caminho) { return Acha(kPontos, caminho); }
const TFormatoGis* FormatoDeGrade(const std::string& caminho) { return Acha(kGrades, caminho); }

bool SaidaDeTexto(const std::string& caminho) {
    const std::string ext = Gis::Extensao(caminho);
    return ext.empty() || ext == ".csv" || ext == ".txt" || ext == ".tsv";
}

std::string FormatosAceitos(bool grade) {
    std::string r;
    auto lista = [&](const auto& tabela) {
        for (const TFormatoGis& f : tabela) r += std::string(r.empty() ? "" : ", ") + f.Extensao + " (" + f.Nome + ")";
    };
    if (grade) {
        lista(kGrades);
    } else {
        r = ".csv, .txt, .tsv ou sem extensão (CSV)";
        lista(kPontos);
    }
    return r;
}

bool SaidaGis(const std::string& caminho) { return FormatoDePontos(caminho) != nullptr; }

namespace Gis {

std::string Extensao(const std::string& caminho) {
    const std::size_t barra = caminho.find_last_of('/');
    const std::size_t ponto = caminho.find_last_of('.');
    if (ponto == std::string::npos || (barra != std::string::npos && ponto < barra)) return {};
    std::string ext = caminho.substr(ponto);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

}  // namespace Gis
