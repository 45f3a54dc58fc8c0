#include "curvas/GraficoIdf.h"

#include <QLegend>
#include <QLegendMarker>

#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
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
    explicit TSerieGrafico(QLineSeries* serie) : serie_(serie) {}
    ~TSerieGrafico() override { serie_->replace(pontos_); }
    void Clear() override { pontos_.clear(); }
    void Add(double x, double y, const std::string&, uint32_t) override { pontos_.append({std::log10(x), y}); }

private:
    QLineSeries* serie_;
    QList<QPointF> pontos_;
};

constexpr double DuracoesLegiveis[] = {1, 2, 5, 10, 30, 60, 120, 360, 1440, 2880, 4320, 10080};
constexpr int PontosDaCurva = 120;
// Ten colours told apart also on paper.
const QColor Cores[] = {QColor(31, 119, 180), QColor(255, 127, 14), QColor(44, 160, 44),  QColor(214, 39, 40),
                        QColor(148, 103, 189), QColor(140, 86, 75), QColor(227, 119, 194), QColor(127, 127, 127),
                        QColor(188, 189, 34),  QColor(23, 190, 207)};

}  // namespace

TGraficoIdf::TGraficoIdf(QWidget* parent) : QChartView(new QChart, parent) {
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->setMargins(QMargins(4, 4, 4, 4));
}

QString TGraficoIdf::TextoDaDica(double tr, double t) const {
    const TValoresDeProjeto v = ValoresDeProjeto(parametros_.K, parametros_.a, parametros_.b, parametros_.c, tr, t);
    return QString::fromUtf8("t = %1 min\nTr = %2 anos\ni = %3 mm/h")
        .arg(NumeroFixo(t, t < 10 ? 1 : 0), NumeroGeral(tr), NumeroFixo(v.Intensidade, 1));
}

void TGraficoIdf::Desenha(const TParametrosIdf& p, const std::vector<double>& duracoes,
                          const std::vector<double>& periodos) {
    parametros_ = p;
    QChart* grafico = chart();
    grafico->removeAllSeries();
    curvas_.clear();
    curvasComparadas_.clear();
    for (QAbstractAxis* eixo : grafico->axes()) {
        grafico->removeAxis(eixo);
        delete eixo;
    }
    eixoX_ = eixoY_ = nullptr;
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
        curva->setPen(QPen(Cores[curvas_.size() % std::size(Cores)], 2));
        {
            TSerieGrafico serie(curva);
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
                TSerieGrafico serie(curva);
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

    auto* eixoX = new QCategoryAxis;
    eixoX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (double d : DuracoesLegiveis)
        if (d >= primeira && d <= ultima) eixoX->append(NumeroGeral(d), std::log10(d));
    if (eixoX->count() == 0) eixoX->append(NumeroGeral(primeira), std::log10(primeira));
    eixoX->setRange(std::log10(primeira), std::log10(ultima));
    eixoX->setTitleText(QString::fromUtf8("Duração (min)"));
    eixoX->setGridLineVisible(true);
    grafico->addAxis(eixoX, Qt::AlignBottom);
    for (QLineSeries* c : curvas_ + curvasComparadas_) c->attachAxis(eixoX);
    eixoX_ = eixoX;
    MontaEixoY();
}

void TGraficoIdf::SetEscalaLogaritmica(bool log) {
    escalaLog_ = log;
    MontaEixoY();
}

void TGraficoIdf::MontaEixoY() {
    QChart* grafico = chart();
    if (eixoY_) {
        for (QLineSeries* c : curvas_ + curvasComparadas_) c->detachAxis(eixoY_);
        grafico->removeAxis(eixoY_);
        delete eixoY_;
        eixoY_ = nullptr;
    }
    if (curvas_.isEmpty()) return;
    QAbstractAxis* eixo = nullptr;
    if (escalaLog_) {
        auto* log = new QLogValueAxis;
        log->setBase(10);
        log->setLabelFormat(QStringLiteral("%g"));
        log->setMinorTickCount(8);
        const double minimo = menor_ > 0 ? menor_ : 0.1;
        const double maximo = maior_ > minimo ? maior_ : minimo * 10;
        log->setRange(std::pow(10.0, std::floor(std::log10(minimo))), std::pow(10.0, std::ceil(std::log10(maximo))));
        eixo = log;
    } else {
        auto* linear = new QValueAxis;
        linear->setRange(0, maior_ > 0 ? maior_ : 1);
        linear->applyNiceNumbers();
        linear->setLabelFormat(QStringLiteral("%.0f"));
        eixo = linear;
    }
    eixo->setTitleText(QString::fromUtf8("Intensidade (mm/h)"));
    grafico->addAxis(eixo, Qt::AlignLeft);
    for (QLineSeries* c : curvas_ + curvasComparadas_) c->attachAxis(eixo);
    eixoY_ = eixo;
}

QStringList TGraficoIdf::RotulosDasDuracoes() const {
    auto* eixo = qobject_cast<QCategoryAxis*>(eixoX_);
    return eixo ? eixo->categoriesLabels() : QStringList();
}
