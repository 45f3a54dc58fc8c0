#include "Imagens.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "platform/Erros.h"

QPoint TComponente::Centro() const {
    return QPoint(static_cast<int>(std::nearbyint(Cx)), static_cast<int>(std::nearbyint(Cy)));
}

TComponente TImagens::MaiorComponente(const QImage& img, QRgb cor) {
    const int w = img.width(), h = img.height();
    std::vector<int> comp(static_cast<size_t>(w) * h, -1);
    TComponente melhor;
    int melhorId = -1, id = 0;
    std::vector<int> pilha;
    cor |= 0xff000000u;
    for (int y0 = 0; y0 < h; ++y0)
        for (int x0 = 0; x0 < w; ++x0) {
            size_t i0 = static_cast<size_t>(y0) * w + x0;
            if (comp[i0] >= 0 || (img.pixel(x0, y0) | 0xff000000u) != cor) continue;
            long area = 0;
            double sx = 0, sy = 0;
            pilha.assign(1, static_cast<int>(i0));
            comp[i0] = id;
            while (!pilha.empty()) {
                int i = pilha.back();
                pilha.pop_back();
                int x = i % w, y = i / w;
                ++area;
                sx += x;
                sy += y;
                const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
                for (int k = 0; k < 4; ++k) {
                    int nx = x + dx[k], ny = y + dy[k];
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                    size_t j = static_cast<size_t>(ny) * w + nx;
                    if (comp[j] < 0 && (img.pixel(nx, ny) | 0xff000000u) == cor) {
                        comp[j] = id;
                        pilha.push_back(static_cast<int>(j));
                    }
                }
            }
            if (area > melhor.Area) {
                melhor.Area = static_cast<int>(area);
                melhor.Cx = sx / area;
                melhor.Cy = sy / area;
                melhorId = id;
            }
            ++id;
        }
    if (melhorId >= 0) {
        melhor.Mascara.assign(comp.size(), 0);
        for (size_t i = 0; i < comp.size(); ++i) melhor.Mascara[i] = comp[i] == melhorId;
    }
    return melhor;
}

std::vector<QRgb> TImagens::Cores(const QImage& img) {
    std::set<QRgb> s;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) s.insert(img.pixel(x, y) | 0xff000000u);
    return {s.begin(), s.end()};
}

void TImagens::SalvaBmpIndexado(const QImage& img, const QString& arquivo) {
    std::vector<QRgb> cores = Cores(img);
    if (cores.size() > 256) throw EDadosInvalidos("more than 256 colours in " + arquivo.toStdString());
    QList<QRgb> tabela(cores.begin(), cores.end());
    while (tabela.size() < 256) tabela.push_back(qRgb(0, 0, 0));
    QImage ind(img.size(), QImage::Format_Indexed8);
    ind.setColorTable(tabela);
    for (int y = 0; y < img.height(); ++y) {
        uchar* linha = ind.scanLine(y);
        for (int x = 0; x < img.width(); ++x) {
            QRgb c = img.pixel(x, y) | 0xff000000u;
            linha[x] = static_cast<uchar>(std::lower_bound(cores.begin(), cores.end(), c) - cores.begin());
        }
    }
    if (!ind.save(arquivo, "BMP")) throw EDadosInvalidos("cannot write " + arquivo.toStdString());
}
