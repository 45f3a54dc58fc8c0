#include "GisGradeNacional.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "GisComum.h"
#include "GisGrade.h"
#include "model/EquacaoIdf.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {
struct TFechaGdal {
    void operator()(GDALDataset* d) const { GDALClose(d); }
};
}  // namespace

TRecorteGrade RecorteDaArea(const TGradeNacional& g, double latMin, double latMax, double lonMin, double lonMax) {
    // A cell is kept when it overlaps the box by more than its edge.
    const int c0 = std::max(0, static_cast<int>(std::floor((lonMin - g.X0()) / g.Dx())));
    const int c1 = std::min(g.Colunas(), static_cast<int>(std::ceil((lonMax - g.X0()) / g.Dx())));
    const int l0 = std::max(0, static_cast<int>(std::floor((latMax - g.Y0()) / g.Dy())));
    const int l1 = std::min(g.Linhas(), static_cast<int>(std::ceil((latMin - g.Y0()) / g.Dy())));
    if (c1 <= c0 || l1 <= l0) throw EConvertError(Ansi("A área pedida fica fora da grade nacional."));
    return {c0, l0, c1 - c0, l1 - l0};
}

void GravaGradeNacional(const TGradeNacional& grade, const TOpcoesConsulta& opcoes) {
    const TOpcoesGis& gis = opcoes.Gis;
    const TRecorteGrade r = RecorteDaArea(grade, gis.LatMin, gis.LatMax, gis.LonMin, gis.LonMax);
    std::vector<std::string> nomes = BandasDaGrade(opcoes);
    if (opcoes.Tr.empty()) nomes = {"K", "a", "b", "c", "R2", "KS_p"};
    const auto nBandas = static_cast<int>(nomes.size());

    Gis::Inicializa();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GTiff");
    if (!driver) Gis::Falha(Ansi("O GDAL não tem o formato GeoTIFF para escrever"), gis.Grade);
    Gis::TArquivoTemporario temporario(gis.Grade);
    const char* const criacao[] = {"COMPRESS=DEFLATE", nullptr};
    std::unique_ptr<GDALDataset, TFechaGdal> ds(driver->Create(temporario.Caminho().c_str(), r.Colunas, r.Linhas,
                                                               nBandas, GDT_Float32, const_cast<char**>(criacao)));
    if (!ds) Gis::Falha(Ansi("Não foi possível criar o arquivo"), gis.Grade);
    double gt[6] = {grade.X0() + r.Coluna0 * grade.Dx(), grade.Dx(), 0,
                    grade.Y0() + r.Linha0 * grade.Dy(), 0, grade.Dy()};
    OGRSpatialReference wgs84;
    wgs84.importFromEPSG(4326);
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    if (ds->SetGeoTransform(gt) != CE_None || ds->SetSpatialRef(&wgs84) != CE_None)
        Gis::Falha(Ansi("Não foi possível georreferenciar o arquivo"), gis.Grade);
    ds->SetMetadataItem("FONTE", grade.Fonte().c_str());
    ds->SetMetadataItem("DESAGREGACAO", NomeDesagregacao(opcoes.Desagregacao));

    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> valores(static_cast<std::size_t>(r.Colunas) * static_cast<std::size_t>(r.Linhas));
    for (int b = 0; b < nBandas; ++b) {
        for (int l = 0; l < r.Linhas; ++l)
            for (int c = 0; c < r.Colunas; ++c) {
                const TCelulaGrade celula = grade.Celula(opcoes.Desagregacao, r.Coluna0 + c, r.Linha0 + l);
                float v = nan;
                if (opcoes.Tr.empty()) {
                    v = static_cast<float>(celula.Valores[static_cast<std::size_t>(b)]);
                } else if (celula.TemParametros()) {
                    const double tr = opcoes.Tr[static_cast<std::size_t>(b) / opcoes.Duracoes.size()];
                    const double t = opcoes.Duracoes[static_cast<std::size_t>(b) % opcoes.Duracoes.size()];
                    try {
                        v = static_cast<float>(ValoresDeProjeto(celula.K(), celula.A(), celula.B(), celula.C(), tr, t)
                                                   .Intensidade);
                    } catch (const EMathError&) {
                    }
                }
                valores[static_cast<std::size_t>(l) * r.Colunas + c] = v;
            }
        GDALRasterBand* banda = ds->GetRasterBand(b + 1);
        banda->SetDescription(nomes[static_cast<std::size_t>(b)].c_str());
        banda->SetNoDataValue(std::numeric_limits<double>::quiet_NaN());
        if (banda->RasterIO(GF_Write, 0, 0, r.Colunas, r.Linhas, valores.data(), r.Colunas, r.Linhas, GDT_Float32, 0,
                            0, nullptr) != CE_None)
            Gis::Falha(Ansi("Não foi possível escrever o arquivo"), gis.Grade);
    }
    CPLErrorReset();
    ds.reset();
    if (CPLGetLastErrorType() >= CE_Failure) Gis::Falha(Ansi("Não foi possível concluir o arquivo"), gis.Grade);
    temporario.Conclui();
}
