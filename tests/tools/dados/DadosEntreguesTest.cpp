// The shipped data folder, as the build makes it from the committed CSV
// files: order of the blocks, positions of stations and localities on the
// state maps, parameters and citations.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "database/GeoReferencia.h"
#include "Csv.h"
#include "ImagemTeste.h"
#include "Importador.h"
#include "database/BDPrecipitacao.h"
#include "database/Citacoes.h"
#include "database/Colacao.h"
#include "database/Coordenadas.h"
#include "platform/Cp1252.h"

namespace {

const std::string Pasta = std::string(TORMEL_DATA_DIR) + "/";

class DadosEntregues : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        bd_ = new TBDPrecipitacao(Pasta);
        bd_->CarregaEstacoes();
    }
    static void TearDownTestSuite() {
        delete bd_;
        bd_ = nullptr;
    }
    static std::vector<TLocalidade> Localidades(int estado) {
        bd_->CarregaLocalidades(estado);
        return bd_->Localidades;
    }
    static TBDPrecipitacao* bd_;
};
TBDPrecipitacao* DadosEntregues::bd_ = nullptr;

QPoint Pixel(const TEstadoComMapa& g, const AnsiString& lat, const AnsiString& lon) {
    return QPoint(PixelArredondado(g.XOfLongitude(ParseDms(lon))), PixelArredondado(g.YOfLatitude(ParseDms(lat))));
}

std::string Nome(const AnsiString& s) { return Cp1252ToUtf8(s); }

}  // namespace

TEST_F(DadosEntregues, CsvImportamSemErros) {
    TImportador imp;
    imp.LeArquivoEstacoes(std::string(TORMEL_SOURCE_DIR) + "/data/estacoes.csv");
    imp.LeArquivoLocalidades(std::string(TORMEL_SOURCE_DIR) + "/data/localidades.csv");
    for (const auto& e : imp.Erros()) ADD_FAILURE() << e.Texto();
    // The built file holds exactly what the CSV files hold.
    auto estacoes = imp.Estacoes();
    for (int s = 0; s < NumEstados; ++s) EXPECT_EQ(estacoes[s].size(), bd_->Estacoes[s].size()) << s;
}

TEST_F(DadosEntregues, BlocosOrdenadosNaColacaoDasListas) {
    for (int s = 0; s < NumEstados; ++s) {
        const auto& est = bd_->Estacoes[s];
        for (size_t i = 1; i < est.size(); ++i)
            EXPECT_LT(ComparaNomes(est[i - 1].Nome.Text(), est[i].Nome.Text()), 0)
                << SiglasEstados[s] << ": " << Nome(est[i - 1].Nome.Text()) << " / " << Nome(est[i].Nome.Text());
        auto loc = Localidades(s);
        for (size_t i = 1; i < loc.size(); ++i)
            EXPECT_LT(ComparaNomes(loc[i - 1].Nome.Text(), loc[i].Nome.Text()), 0)
                << SiglasEstados[s] << ": " << Nome(loc[i - 1].Nome.Text()) << " / " << Nome(loc[i].Nome.Text());
    }
}

TEST_F(DadosEntregues, EstadosComEstacoes) {
    const std::set<std::string> semFonte = {"AP", "DF", "RR", "SE"},
                                pool = {"BA", "ES", "GO", "MG", "PR", "RJ", "SP", "TO"};
    for (int s = 0; s < NumEstados; ++s) {
        const std::string uf = SiglasEstados[s];
        size_t n = bd_->Estacoes[s].size();
        if (semFonte.count(uf)) EXPECT_EQ(n, 0u) << uf;
        else if (pool.count(uf)) EXPECT_GE(n, 20u) << uf;
        else EXPECT_GE(n, 3u) << uf;
    }
}

// Every town of the town list that falls on its own state's blue area is a
// station or a locality of that state.
TEST_F(DadosEntregues, CidadesNoAzulSaoEstacoesOuLocalidades) {
    std::ifstream f(std::string(TORMEL_SOURCE_DIR) + "/data/cidades.csv", std::ios::binary);
    const std::string texto((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::vector<TErroCsv> erros;
    const auto linhas = TCsv::Le(texto, erros);
    ASSERT_TRUE(erros.empty());
    ASSERT_GT(linhas.size(), 5000u);
    std::map<std::string, std::set<AnsiString>> lugares;
    std::map<std::string, QImage> mapas;
    for (const auto& g : EstadosComMapa) {
        for (const auto& e : bd_->Estacoes[g.Indice]) lugares[g.Sigla].insert(e.Nome.Text());
        for (const auto& l : Localidades(g.Indice)) lugares[g.Sigla].insert(l.Nome.Text());
        mapas[g.Sigla] = LeImagem(Pasta + g.Sigla + ".bmp");
    }
    size_t noAzul = 0;
    for (size_t k = 1; k < linhas.size(); ++k) {
        const auto& c = linhas[k].Campos;
        ASSERT_EQ(c.size(), 4u) << linhas[k].Numero;
        const TEstadoComMapa* g = EstadoComMapaDaSigla(c[0]);
        if (!g || !IsCp1252Representable(c[1])) continue;
        const AnsiString lat = FormatDms(-std::stod(c[3])), lon = FormatDms(-std::stod(c[2]));
        if (!g->DentroDosLimites(ParseDms(lat), ParseDms(lon))) continue;
        const QPoint p = Pixel(*g, lat, lon);
        if (!PixelAzul(mapas[g->Sigla], p.x(), p.y())) continue;
        ++noAzul;
        EXPECT_TRUE(lugares[g->Sigla].count(Utf8ToCp1252(c[1]))) << g->Sigla << " " << c[1];
    }
    EXPECT_GT(noAzul, 2000u);
}

TEST_F(DadosEntregues, ParametrosPlausiveisECoordenadasValidas) {
    for (int s = 0; s < NumEstados; ++s)
        for (const auto& e : bd_->Estacoes[s]) {
            SCOPED_TRACE(Nome(e.Nome.Text()));
            EXPECT_GE(e.K, 500);
            EXPECT_LE(e.K, 5000);
            EXPECT_GE(e.a, 0.10);
            EXPECT_LE(e.a, 0.25);
            EXPECT_GE(e.b, 5);
            EXPECT_LE(e.b, 40);
            EXPECT_GE(e.c, 0.65);
            EXPECT_LE(e.c, 1.05);
            EXPECT_EQ(e.Latitude.Len, 9);
            EXPECT_EQ(e.Longitude.Len, 9);
            EXPECT_GT(ParseDms(e.Latitude.Text()), 0.0);   // south of the equator
        }
}

TEST_F(DadosEntregues, CitacoesSeguemAsAreasDaTabela) {
    // Rows (1-based) allowed per state; everything else row 9.
    const std::map<std::string, std::set<int>> linhas = {
        {"SP", {1, 4}}, {"BA", {2, 4}}, {"TO", {3, 4}}, {"RJ", {4, 5}}, {"ES", {4, 5}},
        {"MG", {6}},    {"PR", {7, 8}}, {"GO", {9, 10}}};
    std::set<int> goias;
    for (int s = 0; s < NumEstados; ++s)
        for (const auto& e : bd_->Estacoes[s]) {
            std::string chave = Cp1252ToUtf8(e.Autor.Text());
            int linha = IndiceCitacao(chave.c_str()) + 1;
            ASSERT_GT(linha, 0) << chave;
            auto it = linhas.find(SiglasEstados[s]);
            std::set<int> permitidas = it != linhas.end() ? it->second : std::set<int>{9};
            EXPECT_TRUE(permitidas.count(linha)) << SiglasEstados[s] << " " << chave;
            if (s == 8) goias.insert(linha);
        }
    // Goiás shows both sources, so the disaggregation warning can be seen.
    EXPECT_EQ(goias, (std::set<int>{9, 10}));
}

TEST_F(DadosEntregues, EstacoesDosEstadosComMapaCaemNoAzul) {
    for (const auto& g : EstadosComMapa) {
        QImage mapa = LeImagem(Pasta + g.Sigla + ".bmp");
        ASSERT_FALSE(mapa.isNull()) << g.Sigla;
        ASSERT_FALSE(bd_->Estacoes[g.Indice].empty()) << g.Sigla;
        for (const auto& e : bd_->Estacoes[g.Indice]) {
            QPoint p = Pixel(g, e.Latitude.Text(), e.Longitude.Text());
            EXPECT_TRUE(PixelAzul(mapa, p.x(), p.y())) << g.Sigla << " " << Nome(e.Nome.Text()) << " at " << p.x()
                                                       << "," << p.y();
        }
    }
}

// Every locality's point falls on its state's blue area, so choosing it
// marks it on the map.
TEST_F(DadosEntregues, LocalidadesNoAzulDoEstado) {
    for (int s = 0; s < NumEstados; ++s) {
        const TEstadoComMapa* g = EstadoComMapaDaSigla(SiglasEstados[s]);
        auto loc = Localidades(s);
        if (!g) {
            EXPECT_TRUE(loc.empty()) << SiglasEstados[s];
            continue;
        }
        EXPECT_FALSE(loc.empty()) << g->Sigla;
        QImage mapa = LeImagem(Pasta + g->Sigla + ".bmp");
        std::set<std::string> estacoes;
        for (const auto& e : bd_->Estacoes[s]) estacoes.insert(e.Nome.Text());
        for (const auto& l : loc) {
            EXPECT_TRUE(g->DentroDosLimites(ParseDms(l.Latitude.Text()), ParseDms(l.Longitude.Text())))
                << g->Sigla << " " << Nome(l.Nome.Text());
            EXPECT_FALSE(estacoes.count(l.Nome.Text())) << "also a station: " << Nome(l.Nome.Text());
            QPoint p = Pixel(*g, l.Latitude.Text(), l.Longitude.Text());
            EXPECT_TRUE(PixelAzul(mapa, p.x(), p.y()))
                << g->Sigla << " " << Nome(l.Nome.Text()) << " at " << p.x() << "," << p.y();
        }
    }
}

TEST_F(DadosEntregues, ArquivosDeDadosTemOTamanhoDosBlocos) {
    size_t total = 1;
    for (const auto& b : bd_->Estacoes) total += 2 + 152 * b.size();
    std::ifstream f(Pasta + "Estados_Tor21.bin", std::ios::binary | std::ios::ate);
    EXPECT_EQ(static_cast<size_t>(f.tellg()), total);
}
