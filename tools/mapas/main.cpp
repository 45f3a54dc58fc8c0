// tormel21-mapas: draws the map pictures from the state outlines and builds
// the localities from the towns, all into the committed folders.
//   tormel21-mapas <data folder> <resource folder of the windows>
// Reads <data>/contornos.csv and <data>/cidades.csv; writes the seven state
// bitmaps and Cabecalho_Tormel21.jpg into <data>/mapas, localidades.csv into
// <data>, BrasilBMP.bmp and Sobre.bmp into the resources.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <exception>

#include "Contornos.h"
#include "Demonstracao.h"
#include "Figuras.h"
#include "database/GeoReferencia.h"
#include "Imagens.h"
#include "MapaBrasil.h"
#include "MapaEstado.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tormel21-mapas <data folder> <resource folder>\n");
        return 2;
    }
    try {
        QDir dados(QString::fromLocal8Bit(argv[1])), recursos(QString::fromLocal8Bit(argv[2]));
        dados.mkpath("mapas");
        TContornos contornos(dados.filePath("contornos.csv"));
        TProjecao projecao(contornos.Estados());
        std::printf("projection fitted, largest residual %.3f degrees\n", projecao.ResiduoMaximo());

        std::vector<QImage> mapas;
        for (const auto& g : EstadosComMapa) {
            QImage img = TMapaEstado(contornos, projecao, g).Desenha();
            TImagens::SalvaBmpIndexado(img, dados.filePath(QString("mapas/%1.bmp").arg(g.Sigla)));
            mapas.push_back(img);
            std::printf("%s.bmp\n", g.Sigla);
        }
        QImage brasil = TMapaBrasil::Desenha(contornos);
        TImagens::SalvaBmpIndexado(brasil, recursos.filePath("BrasilBMP.bmp"));
        std::printf("BrasilBMP.bmp: %zu colours\n", TImagens::Cores(brasil).size());

        TFiguras::Cabecalho(contornos).save(dados.filePath("mapas/Cabecalho_Tormel21.jpg"), "JPG", 92);
        TFiguras::Sobre(contornos).save(recursos.filePath("Sobre.bmp"), "BMP");

        TDemonstracao demo(dados.filePath("cidades.csv"), mapas);
        demo.Escreve(QString(), dados.filePath("localidades.csv"));
        std::printf("%s", demo.Resumo().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tormel21-mapas: %s\n", e.what());
        return 1;
    }
    return 0;
}
