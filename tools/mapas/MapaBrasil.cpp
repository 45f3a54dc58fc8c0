#include "MapaBrasil.h"

#include <cmath>

#include "CoresMapaBrasil.h"
#include "FontePixel.h"
#include "Imagens.h"
#include "Rasterizador.h"
#include "Rotulos.h"
#include "database/Estados.h"
#include "platform/Erros.h"

namespace {

QRgb Cor(const TCorEstado& c) { return qRgb(c.R, c.G, c.B); }
const QRgb Branco = qRgb(255, 255, 255), Preto = qRgb(0, 0, 0);
constexpr int IndiceDF = 6, IndiceGO = 8;

bool Escura(const TCorEstado& c) { return 0.299 * c.R + 0.587 * c.G + 0.114 * c.B < 110; }

}  // namespace

std::vector<int> TMapaBrasil::Regioes(const TContornos& contornos, int w, int h, QRectF destino) {
    QRectF caixa = contornos.CaixaTotal();
    double escala = std::min(destino.width() / caixa.width(), destino.height() / caixa.height());
    double ox = destino.center().x() - caixa.center().x() * escala;
    double oy = destino.center().y() - caixa.center().y() * escala;
    auto regioes = contornos.Transformados([&](QPointF p) { return QPointF(ox + p.x() * escala, oy + p.y() * escala); });
    return TRasterizador(w, h).Rotula(regioes);
}

QImage TMapaBrasil::Desenha(const TContornos& contornos) {
    const int margem = 8;
    std::vector<int> rot = Regioes(contornos, Lado, Lado, QRectF(margem, margem, Lado - 2 * margem, Lado - 2 * margem));
    auto at = [&](int x, int y) -> int& { return rot[static_cast<size_t>(y) * Lado + x]; };

    // Distrito Federal becomes a 7 x 7 square at its centre, inside Goiás.
    double sx = 0, sy = 0;
    int n = 0;
    for (int y = 0; y < Lado; ++y)
        for (int x = 0; x < Lado; ++x)
            if (at(x, y) == IndiceDF) { sx += x; sy += y; ++n; at(x, y) = IndiceGO; }
    if (n == 0) throw EDadosInvalidos("Distrito Federal not drawn");
    const int qx = static_cast<int>(std::nearbyint(sx / n)) - 3, qy = static_cast<int>(std::nearbyint(sy / n)) - 3;
    for (int y = qy; y < qy + 7; ++y)
        for (int x = qx; x < qx + 7; ++x) at(x, y) = IndiceDF;

    QImage img(Lado, Lado, QImage::Format_RGB32);
    img.fill(Branco);
    for (int y = 0; y < Lado; ++y)
        for (int x = 0; x < Lado; ++x) {
            int r = at(x, y);
            if (r < 0) continue;
            // One-pixel black line on the borders: drawn on the side of the
            // state with the larger index, and along the coast.
            bool borda = false;
            const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
            for (int k = 0; k < 4 && !borda; ++k) {
                int nx = x + dx[k], ny = y + dy[k];
                int v = (nx < 0 || ny < 0 || nx >= Lado || ny >= Lado) ? -1 : at(nx, ny);
                borda = v != r && (v < 0 || v < r);
            }
            img.setPixel(x, y, borda ? Preto : Cor(CoresMapaBrasil[static_cast<size_t>(r)]));
        }

    // Abbreviations: inside the state where they fit, else on the white
    // ground next to it (Distrito Federal: beside its square, in white).
    for (const auto& c : CoresMapaBrasil) {
        QString sigla = QString::fromLatin1(c.Sigla);
        TComponente comp = TImagens::MaiorComponente(img, Cor(c));
        QPointF alvo(comp.Cx, comp.Cy);
        if (c.Indice == IndiceDF) {
            std::vector<char> goias = TRotulos::PixelsDaCor(img, Cor(CoresMapaBrasil[IndiceGO]));
            if (!TRotulos::Escreve(img, goias, QPointF(qx + 14, qy + 3), QPoint(-9, -9), sigla, Branco, 20))
                throw EDadosInvalidos("no place for the DF abbreviation");
            continue;
        }
        if (TRotulos::Escreve(img, comp.Mascara, alvo, comp.Centro(), sigla, Escura(c) ? Branco : Preto)) continue;
        std::vector<char> fundo = TRotulos::PixelsDaCor(img, Branco);
        if (!TRotulos::Escreve(img, fundo, alvo, QPoint(-9, -9), sigla, Preto, 40))
            throw EDadosInvalidos("no place for the abbreviation " + sigla.toStdString());
    }

    std::vector<int> falhas = CentrosForaDaCor(img);
    if (!falhas.empty())
        throw EDadosInvalidos("lettering covers the centre of " + std::string(CoresMapaBrasil[static_cast<size_t>(falhas[0])].Sigla));
    return img;
}

std::vector<int> TMapaBrasil::CentrosForaDaCor(const QImage& mapa) {
    std::vector<int> falhas;
    for (const auto& c : CoresMapaBrasil) {
        TComponente comp = TImagens::MaiorComponente(mapa, Cor(c));
        if (comp.Area == 0 || (mapa.pixel(comp.Centro()) | 0xff000000u) != (Cor(c) | 0xff000000u))
            falhas.push_back(c.Indice);
    }
    return falhas;
}
