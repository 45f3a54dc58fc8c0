#pragma once
// The national grid of IDF parameters (GRIDF-BR): K, a, b, c, the fit's R²
// and the Kolmogorov–Smirnov p-value per cell of a regular latitude/longitude
// grid, for each of three ways of disaggregating the daily maxima. The file
// is made by the data builder from the product's GeoTIFFs; the core reads it
// without any GIS library.
//
// File layout (little-endian): the 8 bytes "TGRADE01"; int32 columns, rows;
// double x0, dx, y0, dy (west edge, column width, north edge, row height,
// negative, as a GeoTIFF's geotransform); uint16 length and the source text
// (cp1252); uint8 number of layers (3), then per layer in TDesagregacaoGrade order
// its 6 bands in TBandaGrade order, each a uint32 count of cells with a
// value, a bitmap of columns*rows bits (row by row from the north-west
// corner, bit 0 of a byte first) and that many float32 values in cell order.
// Cells without a value (NaN) cost one bit.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/AnsiString.h"

enum class TDesagregacaoGrade { Raster = 0, Estacao = 1, Cetesb = 2 };
constexpr int NumeroDesagregacoes = 3;
enum TBandaGrade { BandaK = 0, BandaA, BandaB, BandaC, BandaR2, BandaKsP, NumeroBandasGrade };

// "RASTER", "STATION", "CETESB": the product's folder names.
const char* NomeDesagregacao(TDesagregacaoGrade d);
// The option word of the command line and settings: "raster", "estacao", "cetesb".
const char* ChaveDesagregacao(TDesagregacaoGrade d);
// The option word back (case-insensitive); nullopt for any other text.
std::optional<TDesagregacaoGrade> DesagregacaoDaChave(const std::string& chave);

struct TCelulaGrade {
    int Coluna = 0, Linha = 0;
    double LatitudeCentro = 0, LongitudeCentro = 0;
    std::array<double, NumeroBandasGrade> Valores{};  // NaN where the cell has none
    double K() const { return Valores[BandaK]; }
    double A() const { return Valores[BandaA]; }
    double B() const { return Valores[BandaB]; }
    double C() const { return Valores[BandaC]; }
    double R2() const { return Valores[BandaR2]; }
    double KsP() const { return Valores[BandaKsP]; }
    // K, a, b and c all present.
    bool TemParametros() const;
};

// The answer at a point: the cell that holds it, or, when that cell has no
// parameters, the nearest neighbouring cell (of the eight around it) that has.
struct TValorGrade {
    TCelulaGrade Celula;
    bool DaVizinha = false;   // taken from a neighbouring cell
};

extern const char* const TextoSemDadoNaGrade;  // "sem dado na grade"

class TGradeNacional {
public:
    static constexpr const char* NomeArquivo = "GradeNacional_Tor21.bin";

    // Reads the whole file; EArquivoNaoExiste when missing, EDadosInvalidos
    // naming the file when it is malformed or truncated (nothing kept then).
    void Carrega(const std::string& caminho);
    // Writes the grid in the layout above (the data builder and the tests).
    void Grava(const std::string& caminho) const;

    // A grid of the given geometry with every cell NaN.
    void Define(int colunas, int linhas, double x0, double dx, double y0, double dy, const AnsiString& fonte);
    void DefineValor(TDesagregacaoGrade d, TBandaGrade banda, int coluna, int linha, float valor);

    bool Vazia() const { return colunas_ == 0; }
    int Colunas() const { return colunas_; }
    int Linhas() const { return linhas_; }
    double X0() const { return x0_; }
    double Dx() const { return dx_; }
    double Y0() const { return y0_; }
    double Dy() const { return dy_; }
    const AnsiString& Fonte() const { return fonte_; }

    // The cell that holds the point, with GDAL's arithmetic (so the cell at
    // an edge is the one GDAL's tools name: the east and south one); nullopt
    // outside the grid.
    std::optional<std::pair<int, int>> CelulaDoPonto(double latitude, double longitude) const;
    TCelulaGrade Celula(TDesagregacaoGrade d, int coluna, int linha) const;
    // The value at a point (see TValorGrade); nullopt is "sem dado na grade".
    std::optional<TValorGrade> Valor(TDesagregacaoGrade d, double latitude, double longitude) const;

private:
    float Bruto(TDesagregacaoGrade d, int banda, int coluna, int linha) const {
        return bandas_[static_cast<std::size_t>(d)][static_cast<std::size_t>(banda)]
                      [static_cast<std::size_t>(linha) * colunas_ + coluna];
    }

    int colunas_ = 0, linhas_ = 0;
    double x0_ = 0, dx_ = 0, y0_ = 0, dy_ = 0;
    AnsiString fonte_;
    std::array<std::array<std::vector<float>, NumeroBandasGrade>, NumeroDesagregacoes> bandas_;
};

// i(10, 60) of the cell's parameters, mm/h, through the model's equation;
// nullopt when the cell has no parameters or the equation fails there.
std::optional<double> Intensidade10x60(const TCelulaGrade& celula);
