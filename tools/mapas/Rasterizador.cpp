#include "Rasterizador.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

std::vector<unsigned char> TRasterizador::Cobertura(const std::vector<QPolygonF>& aneis) const {
    QByteArray svg;
    svg += QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"") + QByteArray::number(largura_) +
           "\" height=\"" + QByteArray::number(altura_) + "\" viewBox=\"0 0 " + QByteArray::number(largura_) +
           " " + QByteArray::number(altura_) + "\"><path fill=\"#000000\" stroke=\"none\" fill-rule=\"evenodd\" d=\"";
    for (const auto& anel : aneis) {
        for (qsizetype i = 0; i < anel.size(); ++i) {
            svg += i == 0 ? "M" : "L";
            svg += QByteArray::number(anel[i].x(), 'f', 3) + " " + QByteArray::number(anel[i].y(), 'f', 3) + " ";
        }
        svg += "Z ";
    }
    svg += "\"/></svg>";

    QImage img(largura_, altura_, QImage::Format_Grayscale8);
    img.fill(255);
    {
        QPainter p(&img);
        QSvgRenderer r(svg);
        r.render(&p, QRectF(0, 0, largura_, altura_));
    }
    std::vector<unsigned char> c(static_cast<size_t>(largura_) * altura_);
    for (int y = 0; y < altura_; ++y) {
        const uchar* linha = img.constScanLine(y);
        for (int x = 0; x < largura_; ++x) c[static_cast<size_t>(y) * largura_ + x] = 255 - linha[x];
    }
    return c;
}

std::vector<int> TRasterizador::Rotula(const std::vector<std::vector<QPolygonF>>& regioes) const {
    const size_t n = static_cast<size_t>(largura_) * altura_;
    std::vector<int> rotulo(n, -1);
    std::vector<int> melhor(n, 127);   // a region needs at least 128 of 255
    std::vector<size_t> area(regioes.size(), 0);
    std::vector<std::vector<unsigned char>> cob;
    for (const auto& r : regioes) {
        cob.push_back(Cobertura(r));
        for (auto v : cob.back()) area[cob.size() - 1] += v;
    }
    for (size_t k = 0; k < regioes.size(); ++k) {
        for (size_t i = 0; i < n; ++i) {
            int v = cob[k][i];
            int atual = rotulo[i];
            // Equal coverage (a region drawn over another): the smaller one wins.
            if (v > melhor[i] || (v == melhor[i] && atual >= 0 && area[k] < area[static_cast<size_t>(atual)])) {
                melhor[i] = v;
                rotulo[i] = static_cast<int>(k);
            }
        }
    }
    return rotulo;
}
