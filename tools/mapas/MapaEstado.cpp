#include "MapaEstado.h"

#include <algorithm>

#include "FontePixel.h"
#include "Imagens.h"
#include "Rasterizador.h"
#include "Rotulos.h"
#include "database/Estados.h"

namespace {
const QRgb Azul = qRgb(0, 0, 255);
const QRgb Fundo = qRgb(244, 246, 248);
const QRgb Vizinho = qRgb(236, 228, 204);
const QRgb Divisa = qRgb(150, 140, 120);
const QRgb Letras = qRgb(120, 110, 95);
}  // namespace

TMapaEstado::TMapaEstado(const TContornos& contornos, const TProjecao& projecao, const TEstadoComMapa& geo)
    : contornos_(contornos), projecao_(projecao), geo_(geo) {
    e_ = n_ = 1e9;
    w_ = s_ = -1e9;
    for (const auto& anel : contornos.Estados().at(static_cast<size_t>(geo.Indice)).Aneis)
        for (auto p : anel) {
            QPointF g = projecao.Graus(p);
            e_ = std::min(e_, g.x());
            w_ = std::max(w_, g.x());
            n_ = std::min(n_, g.y());
            s_ = std::max(s_, g.y());
        }
}

QPointF TMapaEstado::Pixel(QPointF svg) const {
    QPointF g = projecao_.Graus(svg);
    double lon = geo_.EastLongitude + (g.x() - e_) * (geo_.WestLongitude - geo_.EastLongitude) / (w_ - e_);
    double lat = geo_.NorthLatitude + (g.y() - n_) * (geo_.SouthLatitude - geo_.NorthLatitude) / (s_ - n_);
    return {geo_.XOfLongitude(lon), geo_.YOfLatitude(lat)};
}

QImage TMapaEstado::Desenha() const {
    const int L = LadoMapaEstado;
    auto regioes = contornos_.Transformados([this](QPointF p) { return Pixel(p); });
    std::vector<int> rot = TRasterizador(L, L).Rotula(regioes);
    auto at = [&](int x, int y) { return (x < 0 || y < 0 || x >= L || y >= L) ? -2 : rot[static_cast<size_t>(y) * L + x]; };

    QImage img(L, L, QImage::Format_RGB32);
    for (int y = 0; y < L; ++y)
        for (int x = 0; x < L; ++x) {
            int r = at(x, y);
            QRgb c = Fundo;
            if (r == geo_.Indice) {
                c = Azul;
            } else if (r >= 0) {
                c = Vizinho;
                const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
                for (int k = 0; k < 4; ++k) {
                    int v = at(x + dx[k], y + dy[k]);
                    if (v != r && v != -2) c = Divisa;
                }
            }
            img.setPixel(x, y, c);
        }

    // Abbreviations of the neighbours that show enough of themselves.
    for (int i = 0; i < NumEstados; ++i) {
        if (i == geo_.Indice) continue;
        std::vector<char> m(rot.size());
        double sx = 0, sy = 0;
        int n = 0;
        for (size_t k = 0; k < rot.size(); ++k)
            if (rot[k] == i && (img.pixel(static_cast<int>(k % L), static_cast<int>(k / L)) | 0xff000000u) == (Vizinho | 0xff000000u)) {
                m[k] = 1;
                sx += static_cast<double>(k % L);
                sy += static_cast<double>(k / L);
                ++n;
            }
        if (n < 400) continue;
        TRotulos::Escreve(img, m, QPointF(sx / n, sy / n), QPoint(-9, -9),
                          QString::fromLatin1(SiglasEstados[static_cast<size_t>(i)]), Letras);
    }
    return img;
}
