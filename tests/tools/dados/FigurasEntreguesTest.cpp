// The committed pictures: the seven state maps (as copied into the data
// folder), the map of Brazil, the header and the about picture.
#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "CoresMapaBrasil.h"
#include "database/BDPrecipitacao.h"
#include "database/Coordenadas.h"
#include "database/GeoReferencia.h"
#include "ImagemTeste.h"

namespace {

const std::string Pasta = std::string(TORMEL_DATA_DIR) + "/";
const std::string Recursos = std::string(TORMEL_SOURCE_DIR) + "/src/ui/resources/";

QRgb Cor(const TCorEstado& c) { return qRgb(c.R, c.G, c.B); }

// Largest 4-connected area of one colour: its size and centroid.
struct TArea {
    int Tamanho = 0;
    double Cx = 0, Cy = 0;
};

TArea MaiorArea(const QImage& img, QRgb cor) {
    const int w = img.width(), h = img.height();
    std::vector<char> visto(static_cast<size_t>(w) * h, 0);
    TArea melhor;
    std::vector<QPoint> pilha;
    for (int y0 = 0; y0 < h; ++y0)
        for (int x0 = 0; x0 < w; ++x0) {
            if (visto[static_cast<size_t>(y0) * w + x0] || img.pixel(x0, y0) != cor) continue;
            TArea a;
            pilha = {QPoint(x0, y0)};
            visto[static_cast<size_t>(y0) * w + x0] = 1;
            while (!pilha.empty()) {
                QPoint p = pilha.back();
                pilha.pop_back();
                ++a.Tamanho;
                a.Cx += p.x();
                a.Cy += p.y();
                for (QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    QPoint q = p + d;
                    if (!img.valid(q) || visto[static_cast<size_t>(q.y()) * w + q.x()] || img.pixel(q) != cor) continue;
                    visto[static_cast<size_t>(q.y()) * w + q.x()] = 1;
                    pilha.push_back(q);
                }
            }
            if (a.Tamanho > melhor.Tamanho) melhor = a;
        }
    if (melhor.Tamanho) {
        melhor.Cx /= melhor.Tamanho;
        melhor.Cy /= melhor.Tamanho;
    }
    return melhor;
}

}  // namespace

TEST(MapasDosEstados, TamanhoFormatoEAreaAzulNaCaixaDaTabela) {
    for (const auto& g : EstadosComMapa) {
        SCOPED_TRACE(g.Sigla);
        std::string arq = Pasta + g.Sigla + ".bmp";
        TBmpInfo info = LeCabecalhoBmp(arq);
        EXPECT_EQ(info.Largura, 450);
        EXPECT_EQ(info.Altura, 450);
        EXPECT_FALSE(info.Compactado);
        QImage img = LeImagem(arq);
        ASSERT_EQ(img.size(), QSize(450, 450));
        // Bounding box of the blue pixels against the table's box.
        int x0 = 450, y0 = 450, x1 = -1, y1 = -1;
        for (int y = 0; y < 450; ++y)
            for (int x = 0; x < 450; ++x)
                if (PixelAzul(img, x, y)) {
                    x0 = std::min(x0, x); x1 = std::max(x1, x);
                    y0 = std::min(y0, y); y1 = std::max(y1, y);
                }
        EXPECT_NEAR(x0, g.MapLeft, 1.0);
        EXPECT_NEAR(y0, g.MapTop, 1.0);
        EXPECT_NEAR(x1 + 1, g.MapLeft + g.MapWidth, 1.0);
        EXPECT_NEAR(y1 + 1, g.MapTop + g.MapHeight, 1.0);
        // Only the state is blue: its largest area holds (nearly) all blue pixels.
        int azuis = 0;
        for (int y = 0; y < 450; ++y)
            for (int x = 0; x < 450; ++x) azuis += PixelAzul(img, x, y);
        EXPECT_GE(MaiorArea(img, qRgb(0, 0, 255)).Tamanho * 100, azuis * 95);
        // Other colours are present (neighbours, background), and none is
        // a near-blue left over from smoothing.
        for (QRgb c : [&] {
                 std::set<QRgb> s;
                 for (int y = 0; y < 450; ++y)
                     for (int x = 0; x < 450; ++x) s.insert(img.pixel(x, y));
                 return s;
             }()) {
            if (c == qRgb(0, 0, 255)) continue;
            EXPECT_FALSE(qRed(c) < 60 && qGreen(c) < 60 && qBlue(c) > 180) << std::hex << c;
        }
    }
}

TEST(MapasDosEstados, PontoDosExemplosDaBahiaNoAzul) {
    QImage ba = LeImagem(Pasta + "BA.bmp");
    EXPECT_TRUE(PixelAzul(ba, 223, 223));
    EXPECT_FALSE(PixelAzul(ba, 0, 0));
    EXPECT_FALSE(PixelAzul(ba, -1, 223));
}

TEST(MapaDoBrasil, VinteENoveCoresExatas) {
    std::string arq = Recursos + "BrasilBMP.bmp";
    TBmpInfo info = LeCabecalhoBmp(arq);
    EXPECT_EQ(info.Largura, 450);
    EXPECT_EQ(info.Altura, 450);
    EXPECT_EQ(info.BitsPorPixel, 8);
    EXPECT_EQ(info.CoresNaPaleta, 256);
    QImage img = LeImagem(arq);
    ASSERT_EQ(img.size(), QSize(450, 450));
    std::set<QRgb> usadas, esperadas = {qRgb(255, 255, 255), qRgb(0, 0, 0)};
    for (const auto& c : CoresMapaBrasil) esperadas.insert(Cor(c));
    ASSERT_EQ(esperadas.size(), 29u);
    for (int y = 0; y < 450; ++y)
        for (int x = 0; x < 450; ++x) usadas.insert(img.pixel(x, y));
    EXPECT_EQ(usadas, esperadas);
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(449, 449), qRgb(255, 255, 255));
}

TEST(MapaDoBrasil, CentroDaMaiorAreaDeCadaEstadoTemSuaCor) {
    QImage img = LeImagem(Recursos + "BrasilBMP.bmp");
    std::map<std::string, TArea> areas;
    for (const auto& c : CoresMapaBrasil) {
        TArea a = MaiorArea(img, Cor(c));
        areas[c.Sigla] = a;
        ASSERT_GT(a.Tamanho, 30) << c.Sigla;
        QPoint centro(static_cast<int>(std::nearbyint(a.Cx)), static_cast<int>(std::nearbyint(a.Cy)));
        EXPECT_EQ(img.pixel(centro), Cor(c)) << c.Sigla << " at " << centro.x() << "," << centro.y();
    }
    // The colours stand where the states are.
    EXPECT_LT(areas["AC"].Cx, areas["AM"].Cx);
    EXPECT_LT(areas["RR"].Cy, areas["MT"].Cy);
    EXPECT_LT(areas["AP"].Cy, areas["PA"].Cy);
    EXPECT_GT(areas["RS"].Cy, areas["SC"].Cy);
    EXPECT_GT(areas["SC"].Cy, areas["PR"].Cy);
    EXPECT_GT(areas["PR"].Cy, areas["SP"].Cy);
    EXPECT_GT(areas["ES"].Cx, areas["MG"].Cx);
    EXPECT_GT(areas["RN"].Cx, areas["CE"].Cx);
    EXPECT_GT(areas["BA"].Cy, areas["PI"].Cy);
    EXPECT_LT(areas["TO"].Cx, areas["BA"].Cx);
    // Distrito Federal is a small square.
    EXPECT_LE(areas["DF"].Tamanho, 100);
    EXPECT_LT(std::abs(areas["DF"].Cx - areas["GO"].Cx), 60);
}

// The geo-reference of the Brazil picture that places the station dots:
// each shipped station, those north of the equator at their own position,
// lies on its own state's colour or within two pixels of it (the one-pixel
// borders and coast lines, lettering), but for a few on islands and capes.
TEST(MapaDoBrasil, GeoReferenciaPoeCadaEstacaoNoSeuEstado) {
    const QImage img = LeImagem(Recursos + "BrasilBMP.bmp");
    ASSERT_FALSE(img.isNull());
    TBDPrecipitacao bd(Pasta);
    bd.CarregaEstacoes();
    auto perto = [&](int x, int y, QRgb cor) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (img.rect().contains(x + dx, y + dy) && img.pixel(x + dx, y + dy) == cor) return true;
        return false;
    };
    int total = 0;
    std::vector<std::string> fora;
    for (const auto& c : CoresMapaBrasil) {
        const auto& estacoes = bd.Estacoes[static_cast<size_t>(c.Indice)];
        for (std::size_t i = 0; i < estacoes.size(); ++i) {
            const TEstacao& e = estacoes[i];
            const double lat = -bd.LatitudeComSinal(c.Indice, i), lon = ParseDms(e.Longitude.Text());
            const int x = PixelArredondado(GeoReferenciaBrasil.XOfLongitude(lon));
            const int y = PixelArredondado(GeoReferenciaBrasil.YOfLatitude(lat));
            ++total;
            if (!perto(x, y, Cor(c))) fora.push_back(e.Nome.Text());
        }
    }
    ASSERT_GT(total, 3000);
    EXPECT_LE(fora.size(), 10u) << fora.front();
}

TEST(Figuras, CabecalhoESobre) {
    QImage cab(QString::fromStdString(std::string(TORMEL_DATA_DIR) + "/Cabecalho_Tormel21.jpg"), "JPG");
    EXPECT_EQ(cab.size(), QSize(550, 73));
    std::string sobre = Recursos + "Sobre.bmp";
    TBmpInfo info = LeCabecalhoBmp(sobre);
    EXPECT_EQ(info.Largura, 559);
    EXPECT_EQ(info.Altura, 340);
    EXPECT_EQ(info.BitsPorPixel, 24);
    QImage img = LeImagem(sobre);
    ASSERT_EQ(img.size(), QSize(559, 340));
    // Blue ground on the left, light blue on the right.
    EXPECT_GT(qBlue(img.pixel(3, 3)), 2 * qRed(img.pixel(3, 3)));
    EXPECT_GT(qRed(img.pixel(555, 335)), 180);
    EXPECT_GT(qBlue(img.pixel(555, 335)), qRed(img.pixel(555, 335)));
}
