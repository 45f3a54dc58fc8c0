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
#include "database/Csv.h"
#include "ImagemTeste.h"
#include "database/Importador.h"
#include "database/BDPrecipitacao.h"
#include "database/Citacoes.h"
#include "database/Colacao.h"
#include "database/Coordenadas.h"
#include "database/DadosDoUsuario.h"
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
    const std::set<std::string> pool = {"BA", "ES", "GO", "MG", "PR", "RJ", "SP", "TO"};
    for (int s = 0; s < NumEstados; ++s) {
        const std::string uf = SiglasEstados[s];
        EXPECT_GE(bd_->Estacoes[s].size(), pool.count(uf) ? 50u : 5u) << uf;
    }
}

TEST_F(DadosEntregues, ParametrosPlausiveisECoordenadasValidas) {
    std::size_t aoNorte = 0;
    for (int s = 0; s < NumEstados; ++s)
        for (std::size_t i = 0; i < bd_->Estacoes[s].size(); ++i) {
            const TEstacao& e = bd_->Estacoes[s][i];
            SCOPED_TRACE(Nome(e.Nome.Text()));
            EXPECT_GE(e.K, 200);
            EXPECT_LE(e.K, 20000);
            EXPECT_GE(e.a, 0.03);
            EXPECT_LE(e.a, 0.6);
            EXPECT_GE(e.b, 0);
            EXPECT_LE(e.b, 100);
            EXPECT_GE(e.c, 0.5);
            EXPECT_LE(e.c, 1.2);
            EXPECT_EQ(e.Latitude.Len, 9);
            EXPECT_EQ(e.Longitude.Len, 9);
            // North of the equator only in the states the equator crosses.
            if (bd_->AoNorte(s, i)) {
                ++aoNorte;
                EXPECT_TRUE(std::set<std::string>({"AP", "AM", "PA", "RR"}).count(SiglasEstados[s])) << SiglasEstados[s];
            }
        }
    EXPECT_GT(aoNorte, 20u);
}

// Every station is the national network's or one of Rio de Janeiro's city
// gauges, fitted here: its citation names it, and its description and 90%
// intervals are shipped.
TEST_F(DadosEntregues, CitacoesDaRedeComDescricaoEIntervalos) {
    std::size_t n = 0, pluviografos = 0;
    for (int s = 0; s < NumEstados; ++s)
        for (const auto& e : bd_->Estacoes[s]) {
            const std::string chave = Cp1252ToUtf8(TiraBrancosFinais(e.Autor.Text()));
            const bool rede = CitacaoDaRedeNacional(chave.c_str());
            ASSERT_TRUE(rede || (CitacaoDoAlertaRio(chave.c_str()) && s == 18)) << chave;
            pluviografos += !rede;
            if (++n % 97 != 1 && rede) continue;   // a sample of the network: each lookup reads the files
            EXPECT_NE(DescricaoDoAjuste(Pasta, chave).find(rede ? "Estação " + chave.substr(4, 8) : "Pluviógrafo "),
                      std::string::npos) << chave;
            EXPECT_EQ(IntervalosDoAjuste(Pasta, SiglasEstados[s], Nome(TiraBrancosFinais(e.Nome.Text()))).size(),
                      rede ? 96u : 88u) << chave;
        }
    EXPECT_GT(n, 3000u);
    EXPECT_EQ(pluviografos, 25u);
}

// The gauges stand where the network put them: those of a state with a map
// lie on its blue area or, on a border river or the coast, within a few
// pixels of it (the maps' outlines are simplified), so the crosshair marks
// them on their own state.
TEST_F(DadosEntregues, EstacoesDosEstadosComMapaCaemNoAzul) {
    for (const auto& g : EstadosComMapa) {
        QImage mapa = LeImagem(Pasta + g.Sigla + ".bmp");
        ASSERT_FALSE(mapa.isNull()) << g.Sigla;
        ASSERT_FALSE(bd_->Estacoes[g.Indice].empty()) << g.Sigla;
        auto perto = [&](QPoint p, int raio) {
            for (int dy = -raio; dy <= raio; ++dy)
                for (int dx = -raio; dx <= raio; ++dx)
                    if (PixelAzul(mapa, p.x() + dx, p.y() + dy)) return true;
            return false;
        };
        std::size_t fora = 0;
        for (const auto& e : bd_->Estacoes[g.Indice]) {
            QPoint p = Pixel(g, e.Latitude.Text(), e.Longitude.Text());
            fora += !PixelAzul(mapa, p.x(), p.y());
            EXPECT_TRUE(perto(p, 4)) << g.Sigla << " " << Nome(e.Nome.Text()) << " at " << p.x() << "," << p.y();
        }
        EXPECT_LE(fora, bd_->Estacoes[g.Indice].size() / 10) << g.Sigla;
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
        for (const auto& l : loc) {
            EXPECT_TRUE(g->DentroDosLimites(ParseDms(l.Latitude.Text()), ParseDms(l.Longitude.Text())))
                << g->Sigla << " " << Nome(l.Nome.Text());
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
