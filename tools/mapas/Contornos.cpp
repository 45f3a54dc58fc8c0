#include "Contornos.h"

#include <QFile>
#include <QStringList>
#include <cmath>
#include <numbers>

#include "database/GeoReferencia.h"
#include "database/Estados.h"
#include "platform/Erros.h"

namespace {

double Mercator(double latGraus) {
    double r = latGraus * std::numbers::pi / 180.0;
    return std::log(std::tan(std::numbers::pi / 4 + r / 2)) * 180.0 / std::numbers::pi;
}

double MercatorInversa(double m) {
    double r = m * std::numbers::pi / 180.0;
    return (2 * std::atan(std::exp(r)) - std::numbers::pi / 2) * 180.0 / std::numbers::pi;
}

// Least squares y = a x + b; returns the largest residual in x units.
double Ajusta(const std::vector<QPointF>& pts, double& a, double& b) {
    double n = static_cast<double>(pts.size()), sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (auto p : pts) { sx += p.x(); sy += p.y(); sxx += p.x() * p.x(); sxy += p.x() * p.y(); }
    a = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    b = (sy - a * sx) / n;
    double r = 0;
    for (auto p : pts) r = std::max(r, std::abs((p.y() - b) / a - p.x()));
    return r;
}

[[noreturn]] void Falha(const QString& msg) { throw EDadosInvalidos(msg.toStdString()); }

}  // namespace

TProjecao::TProjecao(const std::vector<TContorno>& estados) {
    std::vector<QPointF> xs, ys;
    for (const auto& g : EstadosComMapa) {
        const QRectF& c = estados.at(g.Indice).Caixa;
        xs.push_back({-g.EastLongitude, c.right()});
        xs.push_back({-g.WestLongitude, c.left()});
        ys.push_back({Mercator(-g.NorthLatitude), c.top()});
        ys.push_back({Mercator(-g.SouthLatitude), c.bottom()});
    }
    residuo_ = std::max(Ajusta(xs, ax_, bx_), Ajusta(ys, ay_, by_));
}

QPointF TProjecao::Graus(QPointF svg) const {
    double lon = (svg.x() - bx_) / ax_;
    double lat = MercatorInversa((svg.y() - by_) / ay_);
    return {-lon, -lat};
}

TContornos::TContornos(const QString& arquivoCsv) {
    QFile f(arquivoCsv);
    if (!f.open(QIODevice::ReadOnly)) Falha("cannot read " + arquivoCsv);
    estados_.resize(NumEstados);
    for (int i = 0; i < NumEstados; ++i) estados_[i].Sigla = QString::fromLatin1(SiglasEstados[i]);
    int numLinha = 0;
    while (!f.atEnd()) {
        QString linha = QString::fromUtf8(f.readLine()).trimmed();
        ++numLinha;
        if (linha.isEmpty() || linha.startsWith('#') || linha.startsWith("uf,")) continue;
        QStringList campos = linha.split(',');
        if (campos.size() != 3) Falha(QString("%1:%2: three fields expected").arg(arquivoCsv).arg(numLinha));
        int i = 0;
        while (i < NumEstados && estados_[i].Sigla != campos[0]) ++i;
        if (i == NumEstados) Falha(QString("%1:%2: unknown state %3").arg(arquivoCsv).arg(numLinha).arg(campos[0]));
        QStringList v = campos[2].remove('"').split(' ', Qt::SkipEmptyParts);
        if (v.size() < 6 || v.size() % 2) Falha(QString("%1:%2: bad point list").arg(arquivoCsv).arg(numLinha));
        QPolygonF anel;
        for (qsizetype k = 0; k < v.size(); k += 2) anel << QPointF(v[k].toDouble(), v[k + 1].toDouble());
        estados_[i].Aneis.push_back(anel);
        estados_[i].Caixa = estados_[i].Caixa.isNull() ? anel.boundingRect()
                                                       : estados_[i].Caixa.united(anel.boundingRect());
    }
    for (const auto& e : estados_)
        if (e.Aneis.empty()) Falha(arquivoCsv + ": no outline for " + e.Sigla);
}

const TContorno& TContornos::DaSigla(const QString& sigla) const {
    for (const auto& e : estados_)
        if (e.Sigla == sigla) return e;
    Falha("unknown state " + sigla);
}

QRectF TContornos::CaixaTotal() const {
    QRectF r;
    for (const auto& e : estados_) r = r.isNull() ? e.Caixa : r.united(e.Caixa);
    return r;
}

std::vector<std::vector<QPolygonF>> TContornos::Transformados(
    const std::function<QPointF(QPointF)>& f) const {
    std::vector<std::vector<QPolygonF>> r;
    for (const auto& e : estados_) {
        std::vector<QPolygonF> aneis;
        for (const auto& a : e.Aneis) {
            QPolygonF t;
            t.reserve(a.size());
            for (auto p : a) t << f(p);
            aneis.push_back(t);
        }
        r.push_back(std::move(aneis));
    }
    return r;
}
