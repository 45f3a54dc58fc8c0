#include "ui/CamadaIntensidades.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

#include "database/GeoReferencia.h"

namespace {
// A sequential ramp from light yellow to dark purple.
constexpr std::array<std::array<int, 3>, 6> kRampa{{
    {255, 255, 178}, {254, 204, 92}, {253, 141, 60}, {240, 59, 32}, {189, 0, 38}, {96, 0, 96},
}};
constexpr int kOpacidade = 235;   // the state colours beneath barely show through
}  // namespace

TCamadaIntensidades::TCamadaIntensidades(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
}

QColor TCamadaIntensidades::CorDaIntensidade(double i) {
    const double f = std::clamp((i - Minimo) / (Maximo - Minimo), 0.0, 1.0) * (kRampa.size() - 1);
    const auto k = std::min<std::size_t>(static_cast<std::size_t>(f), kRampa.size() - 2);
    const double r = f - static_cast<double>(k);
    auto mistura = [&](int c) {
        return static_cast<int>(std::lround(kRampa[k][c] + r * (kRampa[k + 1][c] - kRampa[k][c])));
    };
    return QColor(mistura(0), mistura(1), mistura(2), kOpacidade);
}

void TCamadaIntensidades::Define(const TGradeNacional& grade, TDesagregacaoGrade desagregacao) {
    desagregacao_ = desagregacao;
    QImage imagem(size(), QImage::Format_ARGB32);
    imagem.fill(Qt::transparent);
    for (int y = 0; y < imagem.height(); ++y) {
        const double lat = -GeoReferenciaBrasil.LatitudeOfY(y + 0.5);
        auto* linha = reinterpret_cast<QRgb*>(imagem.scanLine(y));
        for (int x = 0; x < imagem.width(); ++x) {
            const double lon = -GeoReferenciaBrasil.LongitudeOfX(x + 0.5);
            const auto celula = grade.CelulaDoPonto(lat, lon);
            if (!celula) continue;
            const auto i = Intensidade10x60(grade.Celula(desagregacao, celula->first, celula->second));
            if (i) linha[x] = CorDaIntensidade(*i).rgba();
        }
    }
    imagem_ = std::move(imagem);
    update();
}

void TCamadaIntensidades::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, imagem_);
    // The legend in the lower-right corner (the sea), in a light box.
    const QRect caixa(width() - 118, height() - 158, 110, 150);
    p.setPen(QPen(QColor(120, 120, 120)));
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawRect(caixa);
    QFont f = font();
    f.setPointSizeF(7.5);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRect(caixa.left() + 4, caixa.top() + 2, caixa.width() - 8, 28), Qt::AlignLeft | Qt::TextWordWrap,
               QString::fromUtf8("i(10, 60) da grade\n(mm/h)"));
    const int topo = caixa.top() + 32, altura = 108, x = caixa.left() + 6;
    for (int k = 0; k < altura; ++k) {
        const double i = Maximo - (Maximo - Minimo) * k / (altura - 1);
        QColor c = CorDaIntensidade(i);
        p.setPen(c);
        p.drawLine(x, topo + k, x + 16, topo + k);
    }
    p.setPen(Qt::black);
    for (double i = Minimo; i <= Maximo + 1e-9; i += 20) {
        const int y = topo + static_cast<int>(std::lround((Maximo - i) / (Maximo - Minimo) * (altura - 1)));
        p.drawLine(x + 16, y, x + 20, y);
        const QString rotulo = (i == Maximo ? QStringLiteral("\u2265 ") : i == Minimo ? QStringLiteral("\u2264 ")
                                                                                       : QString()) +
                               QString::number(i, 'f', 0);
        p.drawText(x + 24, y + 4, rotulo);
    }
}
