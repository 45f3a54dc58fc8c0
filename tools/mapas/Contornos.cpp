#include "Contornos.h"

#include <QFile>
#include <QStringList>
#include <cmath>
#include <numbers>

#include "database/GeoReferencia.h"
#include "database/Estados.h"
#include "platform/Erros.h"

namespace {

[[noreturn]] void Falha(const QString& msg) { throw EDadosInvalidos(msg.toStdString()); }

}  // namespace

std::array<TCaixaSvg, NumEstados> TProjecao::Caixas(const std::vector<TContorno>& estados) {
    std::array<TCaixaSvg, NumEstados> caixas{};
    for (std::size_t i = 0; i < caixas.size() && i < estados.size(); ++i) {
        const QRectF& c = estados[i].Caixa;
        caixas[i] = {c.left(), c.top(), c.right(), c.bottom()};
    }
    return caixas;
}

TProjecao::TProjecao(const std::vector<TContorno>& estados) : projecao_(Caixas(estados)) {}

QPointF TProjecao::Graus(QPointF svg) const {
    const auto [lon, lat] = projecao_.Graus(svg.x(), svg.y());
    return {lon, lat};
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
