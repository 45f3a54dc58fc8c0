#include "LeituraGridf.h"

#include <gdal_priv.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "platform/Caminhos.h"
#include "platform/Erros.h"

const char* const ArquivosBandasGridf[NumeroBandasGrade] = {"IDF_k.tif", "IDF_a.tif",  "IDF_b.tif",
                                                            "IDF_c.tif", "IDF_R2.tif", "IDF_KS_p.tif"};

namespace {

struct FechaGdal {
    void operator()(GDALDataset* d) const { GDALClose(d); }
};

[[noreturn]] void Recusa(const std::string& caminho, const AnsiString& motivo) {
    throw EDadosInvalidos("O arquivo " + TextoDoCaminho(caminho) + " " + motivo + ".");
}

}  // namespace

TGradeNacional LeGridf(const std::string& pasta, const AnsiString& fonte) {
    GDALAllRegister();
    TGradeNacional grade;
    double gt0[6] = {};
    for (int d = 0; d < NumeroDesagregacoes; ++d) {
        const auto desagregacao = static_cast<TDesagregacaoGrade>(d);
        for (int b = 0; b < NumeroBandasGrade; ++b) {
            const std::string caminho = pasta + "/" + NomeDesagregacao(desagregacao) + "/" + ArquivosBandasGridf[b];
            if (!ArquivoExiste(caminho))
                throw EArquivoNaoExiste("O arquivo " + TextoDoCaminho(caminho) + " n\xE3o existe.");
            std::unique_ptr<GDALDataset, FechaGdal> ds(
                static_cast<GDALDataset*>(GDALOpen(caminho.c_str(), GA_ReadOnly)));
            if (!ds) Recusa(caminho, "n\xE3o p\xF4" "de ser lido pelo GDAL");
            if (ds->GetRasterCount() != 1) Recusa(caminho, "deve ter uma banda");
            double gt[6];
            if (ds->GetGeoTransform(gt) != CE_None) Recusa(caminho, "n\xE3o tem georrefer\xEAncia");
            if (gt[2] != 0 || gt[4] != 0 || !(gt[1] > 0) || !(gt[5] < 0)) Recusa(caminho, "tem grade girada");
            const int nx = ds->GetRasterXSize(), ny = ds->GetRasterYSize();
            if (grade.Vazia()) {
                grade.Define(nx, ny, gt[0], gt[1], gt[3], gt[5], fonte);
                std::copy(gt, gt + 6, gt0);
            } else if (nx != grade.Colunas() || ny != grade.Linhas() || !std::equal(gt, gt + 6, gt0)) {
                Recusa(caminho, "tem tamanho ou georrefer\xEAncia diferente do primeiro");
            }
            std::vector<float> valores(static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny));
            GDALRasterBand* banda = ds->GetRasterBand(1);
            if (banda->RasterIO(GF_Read, 0, 0, nx, ny, valores.data(), nx, ny, GDT_Float32, 0, 0) != CE_None)
                Recusa(caminho, "n\xE3o p\xF4" "de ser lido pelo GDAL");
            int temNoData = 0;
            const double noData = banda->GetNoDataValue(&temNoData);
            for (int l = 0; l < ny; ++l)
                for (int c = 0; c < nx; ++c) {
                    float v = valores[static_cast<std::size_t>(l) * nx + c];
                    if (temNoData && !std::isnan(noData) && v == static_cast<float>(noData)) continue;
                    if (!std::isnan(v))
                        grade.DefineValor(desagregacao, static_cast<TBandaGrade>(b), c, l, v);
                }
        }
    }
    return grade;
}
