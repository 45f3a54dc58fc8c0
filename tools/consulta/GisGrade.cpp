#include "GisGrade.h"

#include <gdal_priv.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <exception>
#include <limits>
#include <memory>
#include <thread>

#include <unistd.h>

#include "GisComum.h"
#include "Paralelo.h"
#include "database/Coordenadas.h"
#include "model/EquacaoIdf.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

namespace {

constexpr int kLadoBloco = 256;   // tile side; rows are computed a tile row at a time

// Texts of the centre `n` cells (plus half a cell) away from an edge given in
// degrees south or west. The position is taken in seconds and truncated to a
// whole second by the core's one conversion (a centre that falls on a whole
// second is not lost to rounding).
AnsiString TextoDoCentro(double bordaGraus, double passo, long n) {
    const long double segundos = static_cast<long double>(bordaGraus) * 3600.0L + (n + 0.5L) * passo;
    if (segundos < -1e-6L)
        throw EConvertError(Ansi("A grade passa do equador ou de Greenwich: o texto de coordenada não tem sinal."));
    if (segundos + 1e-6L >= 100.0L * 3600.0L)
        throw EConvertError(Ansi("A grade passa de 99°59'59\": o texto de coordenada tem dois algarismos de graus."));
    return TextoDeSegundos(std::max(segundos, 0.0L));
}

long Celulas(double graus, double passo) {
    const double n = std::ceil(graus * 3600.0 / passo - 1e-9);
    if (!(n >= 1) || n > std::numeric_limits<int>::max())
        throw EConvertError(Ansi("A grade teria células demais; use um passo maior ou uma área menor."));
    return static_cast<long>(n);
}

class TBarraProgresso {
public:
    explicit TBarraProgresso(std::ostream& saida)
        : saida_(saida), inicio_(std::chrono::steady_clock::now()), terminal_(::isatty(STDERR_FILENO) == 1) {}
    void Mostra(double fracao) {
        if (!terminal_) return;   // a file or a pipe gets no bar
        if (!mostrando_ && std::chrono::steady_clock::now() - inicio_ < std::chrono::seconds(1)) return;
        mostrando_ = true;
        const int cheios = static_cast<int>(fracao * 40);
        saida_ << '\r' << std::string(static_cast<std::size_t>(cheios), '#')
               << std::string(static_cast<std::size_t>(40 - cheios), '.') << ' ' << static_cast<int>(fracao * 100)
               << '%' << std::flush;
    }
    void Termina() {
        if (mostrando_) saida_ << '\n' << std::flush;
    }

private:
    std::ostream& saida_;
    std::chrono::steady_clock::time_point inicio_;
    bool terminal_;
    bool mostrando_ = false;
};

struct TFechaGdal {
    void operator()(GDALDataset* d) const { GDALClose(d); }
};

}  // namespace

TGradeGis::TGradeGis(double latMin, double latMax, double lonMin, double lonMax, double passo)
    : norte_(latMax), oeste_(lonMin), passo_(passo) {
    colunas_ = Celulas(lonMax - lonMin, passo);
    linhas_ = Celulas(latMax - latMin, passo);
    (void)LatitudeDaLinha(linhas_ - 1);   // the far edges still fit the texts
    (void)LongitudeDaColuna(0);
}

AnsiString TGradeGis::LatitudeDaLinha(long linha) const { return TextoDoCentro(-norte_, passo_, linha); }

// Columns run eastward, the texts count westward: column n lies n + ½ cells
// east of the west edge.
AnsiString TGradeGis::LongitudeDaColuna(long coluna) const {
    return TextoDoCentro(-oeste_, -passo_, coluna);
}

std::vector<double> TGradeGis::Geotransformacao() const {
    return {oeste_, passo_ / 3600.0, 0, norte_, 0, -passo_ / 3600.0};
}

std::vector<std::string> BandasDaGrade(const TOpcoesConsulta& opcoes) {
    if (opcoes.Tr.empty()) return {"K", "a", "b", "c"};
    std::vector<std::string> nomes;
    for (double tr : opcoes.Tr)
        for (double t : opcoes.Duracoes) nomes.push_back("i_Tr" + FloatToStr(tr, '.') + "_t" + FloatToStr(t, '.'));
    return nomes;
}

std::size_t GravaGrade(const TPoolInterpolacao& pool, const TOpcoesConsulta& opcoes, std::ostream& progresso) {
    const TOpcoesGis& gis = opcoes.Gis;
    const TGradeGis grade(gis.LatMin, gis.LatMax, gis.LonMin, gis.LonMax, gis.Passo);
    const std::vector<std::string> nomes = BandasDaGrade(opcoes);
    const auto nBandas = static_cast<int>(nomes.size());
    const long colunas = grade.Colunas(), linhas = grade.Linhas();

    Gis::Inicializa();
    // The grid is computed into a tiled GeoTIFF, then copied into the format
    // of the extension (a Cloud-Optimised GeoTIFF for .tif).
    const TFormatoGis* formato = FormatoDeGrade(gis.Grade);
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GTiff");
    GDALDriver* final = formato ? GetGDALDriverManager()->GetDriverByName(formato->Driver) : nullptr;
    if (!driver || !final)
        Gis::Falha(Ansi("O GDAL não tem o formato ") + (formato ? formato->Nome : "") + Ansi(" para escrever"),
                   gis.Grade);
    Gis::TArquivoTemporario temporario(gis.Grade);
    const std::string base = temporario.Caminho() + ".base.tif";
    static_assert(kLadoBloco == 256);
    const char* const criacao[] = {"COMPRESS=DEFLATE", "TILED=YES",        "BLOCKXSIZE=256",
                                   "BLOCKYSIZE=256",   "BIGTIFF=IF_SAFER", nullptr};
    std::unique_ptr<GDALDataset, TFechaGdal> ds(driver->Create(base.c_str(), static_cast<int>(colunas),
                                                               static_cast<int>(linhas), nBandas, GDT_Float64,
                                                               const_cast<char**>(criacao)));
    if (!ds) Gis::Falha(Ansi("Não foi possível criar o arquivo"), gis.Grade);
    std::vector<double> gt = grade.Geotransformacao();
    if (ds->SetGeoTransform(gt.data()) != CE_None || ds->SetSpatialRef(&Gis::Sirgas2000()) != CE_None)
        Gis::Falha(Ansi("Não foi possível georreferenciar o arquivo"), gis.Grade);
    for (int b = 0; b < nBandas; ++b) {
        GDALRasterBand* banda = ds->GetRasterBand(b + 1);
        banda->SetDescription(nomes[static_cast<std::size_t>(b)].c_str());
        banda->SetNoDataValue(std::numeric_limits<double>::quiet_NaN());
    }

    std::vector<AnsiString> longitudes(static_cast<std::size_t>(colunas));
    for (long c = 0; c < colunas; ++c) longitudes[static_cast<std::size_t>(c)] = grade.LongitudeDaColuna(c);

    unsigned tarefas = opcoes.Tarefas ? opcoes.Tarefas : std::max(1u, std::thread::hardware_concurrency());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::atomic<std::size_t> falhas{0};
    std::atomic<bool> temErroDosDados{false};
    std::string erroDosDados;   // written once, by the thread that set the flag
    TBarraProgresso barra(progresso);
    std::vector<double> valores;
    for (long y0 = 0; y0 < linhas; y0 += kLadoBloco) {
        const long h = std::min<long>(kLadoBloco, linhas - y0);
        const std::size_t porBanda = static_cast<std::size_t>(h) * static_cast<std::size_t>(colunas);
        valores.assign(porBanda * static_cast<std::size_t>(nBandas), nan);

        // Each thread takes whole rows; each cell is one call of the engine.
        std::atomic<long> proxima{0};
        std::exception_ptr erro;
        std::atomic<bool> parou{false};
        auto trabalho = [&] {
            std::vector<long double> pesos;
            try {
                for (long l; (l = proxima.fetch_add(1)) < h && !parou;) {
                    const AnsiString latitude = grade.LatitudeDaLinha(y0 + l);
                    for (long c = 0; c < colunas; ++c) {
                        const std::size_t celula = static_cast<std::size_t>(l * colunas + c);
                        try {
                            const TEstacao e = pool.Interpola(latitude, longitudes[static_cast<std::size_t>(c)], pesos,
                                                            TPoolInterpolacao::TExigencia::RegistroIntegro);
                            if (!std::isfinite(e.K) || !std::isfinite(e.a) || !std::isfinite(e.b) || !std::isfinite(e.c))
                                throw EInvalidOp("NaN");
                            if (opcoes.Tr.empty()) {
                                const double v[] = {e.K, e.a, e.b, e.c};
                                for (int b = 0; b < 4; ++b) valores[static_cast<std::size_t>(b) * porBanda + celula] = v[b];
                            } else {
                                std::size_t b = 0;
                                for (double tr : opcoes.Tr)
                                    for (double t : opcoes.Duracoes)
                                        valores[b++ * porBanda + celula] =
                                            ValoresDeProjeto(e.K, e.a, e.b, e.c, tr, t).Intensidade;
                            }
                        } catch (const Exception& e) {
                            for (int b = 0; b < nBandas; ++b) valores[static_cast<std::size_t>(b) * porBanda + celula] = nan;
                            ++falhas;
                            // A corrupt station record is the data's fault: named once, at the end.
                            if (dynamic_cast<const EDadosInvalidos*>(&e) && !temErroDosDados.exchange(true))
                                erroDosDados = e.what();
                        }
                    }
                }
            } catch (...) {   // out of memory and the like: ends the run
                if (!parou.exchange(true)) erro = std::current_exception();
            }
        };
        // Said once: the later blocks ask only for the threads that started.
        tarefas = ExecutaEmParalelo(tarefas, trabalho, y0 == 0 ? &progresso : nullptr);
        if (erro) std::rethrow_exception(erro);

        for (int b = 0; b < nBandas; ++b)
            if (ds->GetRasterBand(b + 1)->RasterIO(GF_Write, 0, static_cast<int>(y0), static_cast<int>(colunas),
                                                   static_cast<int>(h), valores.data() + static_cast<std::size_t>(b) * porBanda,
                                                   static_cast<int>(colunas), static_cast<int>(h), GDT_Float64, 0, 0,
                                                   nullptr) != CE_None)
                Gis::Falha(Ansi("Não foi possível escrever o arquivo"), gis.Grade);
        barra.Mostra(static_cast<double>(y0 + h) / static_cast<double>(linhas));
    }
    barra.Termina();
    if (temErroDosDados) progresso << erroDosDados << '\n';
    CPLErrorReset();
    ds.reset();   // writes the last blocks and the directory
    if (CPLGetLastErrorType() >= CE_Failure) Gis::Falha(Ansi("Não foi possível concluir o arquivo"), gis.Grade);
    {
        std::unique_ptr<GDALDataset, TFechaGdal> origem(GDALDataset::Open(base.c_str(), GDAL_OF_RASTER));
        if (!origem) Gis::Falha(Ansi("Não foi possível reler a grade para"), gis.Grade);
        const std::string nome = formato->Driver;
        std::vector<const char*> opcoesCopia;
        if (nome == "COG") opcoesCopia = {"COMPRESS=DEFLATE", "BLOCKSIZE=256", "BIGTIFF=IF_SAFER"};
        else if (nome == "netCDF") opcoesCopia = {"FORMAT=NC4", "COMPRESS=DEFLATE"};
        else if (nome == "HFA") opcoesCopia = {"COMPRESSED=YES"};
        opcoesCopia.push_back(nullptr);
        CPLErrorReset();
        std::unique_ptr<GDALDataset, TFechaGdal> copia(final->CreateCopy(temporario.Caminho().c_str(), origem.get(),
                                                                        FALSE, const_cast<char**>(opcoesCopia.data()),
                                                                        nullptr, nullptr));
        if (!copia) Gis::Falha(Ansi("Não foi possível criar o arquivo"), gis.Grade);
        copia.reset();
        if (CPLGetLastErrorType() >= CE_Failure) Gis::Falha(Ansi("Não foi possível concluir o arquivo"), gis.Grade);
    }
    std::remove(base.c_str());
    temporario.Conclui();
    return falhas;
}
