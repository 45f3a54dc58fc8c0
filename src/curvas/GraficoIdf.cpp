#include "curvas/GraficoIdf.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPen>
#include <QLogValueAxis>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "curvas/TextosIdf.h"
#include "model/PrecipitacaoExponencialNegativa.h"
#include "model/Serie.h"

namespace {
// The model's series filled into a chart series: x is log10 of the duration,
// the axis labels put the minutes back.
class TSerieGrafico : public ISerie {
public:
    TSerieGrafico(QLineSeries* serie, bool altura) : serie_(serie), altura_(altura) {}
    ~TSerieGrafico() override { serie_->replace(pontos_); }
    void Clear() override { pontos_.clear(); }
    // The model gives the average intensity; the depth is i·t/60.
    void Add(double x, double y, const std::string&, uint32_t) override {
        pontos_.append({std::log10(x), altura_ ? y * x / 60 : y});
    }

private:
    QLineSeries* serie_;
    bool altura_;
    QList<QPointF> pontos_;
};

constexpr double DuracoesLegiveis[] = {1, 2, 5, 10, 30, 60, 120, 360, 1440, 2880, 4320, 10080};
constexpr int PontosDaCurva = 120;
constexpr int MaximoNaLegenda = 20;
// Ten colours told apart also on paper.
const QColor Cores[] = {QColor(31, 119, 180), QColor(255, 127, 14), QColor(44, 160, 44),  QColor(214, 39, 40),
                        QColor(148, 103, 189), QColor(140, 86, 75), QColor(227, 119, 194), QColor(127, 127, 127),
                        QColor(188, 189, 34),  QColor(23, 190, 207)};

// The colour of curve i of n: the ten above while they suffice, else n hues
// spread from blue to red, so no two curves share a colour.
QColor CorDaCurva(int i, int n) {
    if (n <= static_cast<int>(std::size(Cores))) return Cores[i];
    return QColor::fromHsvF(0.7 * (1.0 - static_cast<double>(i) / (n - 1)), 0.85, i % 2 ? 0.75 : 0.95);
}

// The nearest of 1, 2 and 5 times a power of ten at or below (abaixo) or at
// or above v: bounds of a logarithmic axis that span the data closely.
double Arredonda125(double v, bool abaixo) {
    const double decada = std::pow(10.0, std::floor(std::log10(v)));
    const double passos[] = {1, 2, 5, 10};
    if (abaixo) {
        for (int k = 3; k >= 0; --k)
            if (passos[k] * decada <= v * (1 + 1e-12)) return passos[k] * decada;
        return decada;
    }
    for (double passo : passos)
        if (passo * decada >= v * (1 - 1e-12)) return passo * decada;
    return 10 * decada;
}

}  // namespace

TGraficoIdf::TGraficoIdf(QWidget* parent) : QChartView(new QChart, parent) {
    setRenderHint(QPainter::Antialiasing);
    // One line per curve at the right: a row at the bottom cuts the names
    // short ("Tr =...") once there are a few curves.
    chart()->legend()->setAlignment(Qt::AlignRight);
    // Room on the right for the half of the last duration label that passes
    // the plot's edge.
    chart()->setMargins(QMargins(4, 4, 22, 4));
    // The axes are made once and kept: a removed axis leaves its drawing
    // until the event loop deletes it, and a printout made at once (export
    // or print right after the lists are applied) would show both.
    auto* eixoX = new QCategoryAxis;
    eixoX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    eixoX->setTitleText(QString::fromUtf8("Duração (min)"));
    eixoX->setGridLineVisible(true);
    auto* linear = new QValueAxis;
    linear->setLabelFormat(QStringLiteral("%.0f"));
    auto* log = new QLogValueAxis;
    log->setBase(10);
    log->setLabelFormat(QStringLiteral("%g"));
    log->setMinorTickCount(8);
    chart()->addAxis(eixoX, Qt::AlignBottom);
    chart()->addAxis(linear, Qt::AlignLeft);
    chart()->addAxis(log, Qt::AlignLeft);
    eixoX_ = eixoX;
    eixoLinear_ = linear;
    eixoLog_ = log;
    log->setVisible(false);
}

// The duration as shown (whole minutes from 10 min on, tenths below) and the
// value at that very duration, so the tip agrees with the table.
QString TGraficoIdf::TextoDaDica(double tr, double t) const {
    const int decimais = t < 10 ? 1 : 0;
    QString texto = NumeroFixo(t, decimais);
    const double mostrado = texto.replace(QLatin1Char(SeparadorDoLocal()), QLatin1Char('.')).toDouble();
    const TValoresDeProjeto v =
        ValoresDeProjeto(parametros_.K, parametros_.a, parametros_.b, parametros_.c, tr, mostrado);
    return altura_ ? QString::fromUtf8("t = %1 min\nTr = %2 anos\nP = %3 mm")
                         .arg(NumeroFixo(mostrado, decimais), NumeroGeral(tr), NumeroFixo(v.Precipitacao, 1))
                   : QString::fromUtf8("t = %1 min\nTr = %2 anos\ni = %3 mm/h")
                         .arg(NumeroFixo(mostrado, decimais), NumeroGeral(tr), NumeroFixo(v.Intensidade, 1));
}

void TGraficoIdf::Desenha(const TParametrosIdf& p, const std::vector<double>& duracoes,
                          const std::vector<double>& periodos, bool altura) {
    parametros_ = p;
    altura_ = altura;
    QChart* grafico = chart();
    grafico->removeAllSeries();
    curvas_.clear();
    faixas_.clear();
    curvasComparadas_.clear();   // removeAllSeries deleted them with the main curves
    if (duracoes.empty() || periodos.empty()) return;

    const double primeira = duracoes.front(), ultima = std::max(duracoes.back(), primeira * 1.0001);
    const std::vector<double> t = DuracoesDaCurva(primeira, ultima, PontosDaCurva, duracoes);
    TPrecipitacaoExponencialNegativa modelo;
    modelo.K = p.K;
    modelo.A = p.a;
    modelo.B = p.b;
    modelo.C = p.c;
    menor_ = HUGE_VAL;
    maior_ = 0;
    for (double tr : periodos) {
        auto* curva = new QLineSeries;
        curva->setName(QString::fromUtf8("Tr = %1").arg(NumeroGeral(tr)));
        curva->setPen(QPen(CorDaCurva(static_cast<int>(curvas_.size()), static_cast<int>(periodos.size())), 2));
        {
            TSerieGrafico serie(curva, altura);
            modelo.PreencheCurvaIdf(serie, tr, t);
        }
        for (const QPointF& ponto : curva->points()) {
            menor_ = std::min(menor_, ponto.y());
            maior_ = std::max(maior_, ponto.y());
        }
        grafico->addSeries(curva);
        QObject::connect(curva, &QLineSeries::hovered, this, [this, tr](const QPointF& ponto, bool dentro) {
            if (dentro) QToolTip::showText(QCursor::pos(), TextoDaDica(tr, std::pow(10.0, ponto.x())), this);
            else QToolTip::hideText();
        });
        curvas_.append(curva);
    }
    if (comparacao_) {
        TPrecipitacaoExponencialNegativa outro;
        outro.K = comparacao_->K;
        outro.A = comparacao_->a;
        outro.B = comparacao_->b;
        outro.C = comparacao_->c;
        for (double tr : periodos) {
            auto* curva = new QLineSeries;
            curva->setName(QString::fromUtf8("Tr = %1 (%2)").arg(NumeroGeral(tr), nomeComparacao_));
            curva->setPen(QPen(Cores[curvasComparadas_.size() % std::size(Cores)], 2, Qt::DashLine));
            {
                TSerieGrafico serie(curva, altura);
                outro.PreencheCurvaIdf(serie, tr, t);
            }
            for (const QPointF& ponto : curva->points()) {
                menor_ = std::min(menor_, ponto.y());
                maior_ = std::max(maior_, ponto.y());
            }
            grafico->addSeries(curva);
            // One legend entry per return period: the dashed twin has none.
            for (QLegendMarker* m : grafico->legend()->markers(curva)) m->setVisible(false);
            curvasComparadas_.append(curva);
        }
    }

    // With many curves the legend names every k-th, first and last always;
    // their hues run in order from blue to red, so each curve is placed.
    const int n = static_cast<int>(curvas_.size());
    const int passo = (n + MaximoNaLegenda - 1) / MaximoNaLegenda;
    for (int i = 0; i < n; ++i)
        for (QLegendMarker* m : grafico->legend()->markers(curvas_[i])) m->setVisible(i % passo == 0 || i == n - 1);

    auto* eixoX = static_cast<QCategoryAxis*>(eixoX_);
    for (const QString& rotulo : eixoX->categoriesLabels()) eixoX->remove(rotulo);
    for (double d : DuracoesLegiveis)
        if (d >= primeira && d <= ultima) eixoX->append(NumeroGeral(d), std::log10(d));
    if (eixoX->count() == 0) eixoX->append(NumeroGeral(primeira), std::log10(primeira));
    eixoX->setRange(std::log10(primeira), std::log10(ultima));
    for (QLineSeries* c : curvas_ + curvasComparadas_) c->attachAxis(eixoX);
    MontaEixoY();
}

void TGraficoIdf::SetEscalaLogaritmica(bool log) {
    escalaLog_ = log;
    MontaEixoY();
}

void TGraficoIdf::MontaEixoY() {
    QAbstractAxis* eixo = escalaLog_ ? static_cast<QAbstractAxis*>(eixoLog_) : eixoLinear_;
    QAbstractAxis* outro = escalaLog_ ? static_cast<QAbstractAxis*>(eixoLinear_) : eixoLog_;
    for (QLineSeries* c : curvas_ + curvasComparadas_) c->detachAxis(outro);
    for (QAbstractSeries* f : faixas_) f->detachAxis(outro);
    outro->setVisible(false);
    if (escalaLog_) {
        const double minimo = menor_ > 0 ? menor_ : 0.1;
        const double maximo = maior_ > minimo ? maior_ : minimo * 10;
        eixoLog_->setRange(Arredonda125(minimo, true), Arredonda125(maximo, false));
    } else {
        eixoLinear_->setTickCount(5);   // applyNiceNumbers changes it: each drawing starts afresh
        eixoLinear_->setRange(0, maior_ > 0 ? maior_ : 1);
        eixoLinear_->applyNiceNumbers();
    }
    eixo->setTitleText(QString::fromUtf8(altura_ ? "Altura de chuva (mm)" : "Intensidade (mm/h)"));
    for (QLineSeries* c : curvas_ + curvasComparadas_)
        if (!c->attachedAxes().contains(eixo)) c->attachAxis(eixo);
    for (QAbstractSeries* f : faixas_)
        if (!f->attachedAxes().contains(eixo)) f->attachAxis(eixo);
    eixo->setVisible(true);
    eixoY_ = eixo;
}

void TGraficoIdf::DesenhaFaixa(const std::vector<TIntervaloIdf>& intervalos, const std::vector<double>& periodos) {
    if (altura_ || !eixoX_) return;
    QChart* grafico = chart();
    for (std::size_t k = 0; k < periodos.size() && k < static_cast<std::size_t>(curvas_.size()); ++k) {
        // Bands of the first, the 10-year and the last period only: more would hide one another.
        if (k != 0 && k + 1 != periodos.size() && periodos[k] != 10) continue;
        auto* inferior = new QLineSeries;
        auto* superior = new QLineSeries;
        for (const TIntervaloIdf& i : intervalos)
            if (i.Tr == periodos[k] && i.Duracao > 0) {
                inferior->append(std::log10(i.Duracao), i.Inferior);
                superior->append(std::log10(i.Duracao), i.Superior);
                menor_ = std::min(menor_, i.Inferior);
                maior_ = std::max(maior_, i.Superior);
            }
        if (inferior->count() < 2) {
            delete inferior;
            delete superior;
            continue;
        }
        auto* faixa = new QAreaSeries(superior, inferior);
        faixa->setName(QString::fromUtf8("Intervalo de 90%"));
        QColor cor = curvas_[static_cast<int>(k)]->pen().color();
        cor.setAlpha(55);
        faixa->setBrush(cor);
        faixa->setPen(QPen(cor, 0.5));
        grafico->addSeries(faixa);
        faixa->attachAxis(eixoX_);
        if (!faixas_.isEmpty()) grafico->legend()->markers(faixa).front()->setVisible(false);
        faixas_.append(faixa);
    }
    MontaEixoY();   // the range takes the bands in
}

QStringList TGraficoIdf::RotulosDasDuracoes() const {
    auto* eixo = qobject_cast<QCategoryAxis*>(eixoX_);
    return eixo ? eixo->categoriesLabels() : QStringList();
}
