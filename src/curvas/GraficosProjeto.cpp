#include "curvas/GraficosProjeto.h"

#include <QChart>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

#include "curvas/TextosIdf.h"
#include "platform/Erros.h"

namespace {
QString T(const char* utf8) { return QString::fromUtf8(utf8); }

void Limpa(QChart* grafico) {
    grafico->removeAllSeries();
    for (QAbstractAxis* eixo : grafico->axes()) {
        grafico->removeAxis(eixo);
        delete eixo;
    }
}

// A value of the equation, or none where it cannot be evaluated.
bool Valor(const TParametrosIdf& p, double tr, double t, bool altura, double& v) {
    try {
        const TValoresDeProjeto x = ValoresDeProjeto(p.K, p.a, p.b, p.c, tr, t);
        v = altura ? x.Precipitacao : x.Intensidade;
        return std::isfinite(v) && v > 0;
    } catch (const Exception&) {
        return false;
    }
}

// Log axis over [menor, maior] and a linear axis from 0 over the series.
void Eixos(QChart* grafico, double menor, double maior, double maiorY, const QString& tituloX, const QString& tituloY) {
    auto* x = new QLogValueAxis;
    x->setBase(10);
    x->setRange(menor, maior);
    x->setLabelFormat(QStringLiteral("%g"));
    x->setMinorTickCount(8);
    x->setTitleText(tituloX);
    auto* y = new QValueAxis;
    y->setRange(0, maiorY > 0 ? maiorY * 1.05 : 1);
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%.0f"));
    y->setTitleText(tituloY);
    grafico->addAxis(x, Qt::AlignBottom);
    grafico->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : grafico->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
}
}  // namespace

TGraficoAltura::TGraficoAltura(QWidget* parent) : QChartView(new QChart, parent) {
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->setAlignment(Qt::AlignBottom);
}

void TGraficoAltura::Desenha(const TParametrosIdf& p, const std::vector<double>& duracoes,
                             const std::vector<double>& periodos) {
    QChart* grafico = chart();
    Limpa(grafico);
    if (duracoes.empty() || periodos.empty()) return;
    const double primeira = duracoes.front(), ultima = std::max(duracoes.back(), primeira * 2);
    const std::vector<double> ts = DuracoesDaCurva(primeira, ultima, 120, duracoes);
    double maior = 0;
    for (double tr : periodos) {
        auto* s = new QLineSeries;
        s->setName(T("Tr = ") + NumeroGeral(tr));
        for (double t : ts) {
            double v = 0;
            if (Valor(p, tr, t, true, v)) {
                s->append(t, v);
                maior = std::max(maior, v);
            }
        }
        grafico->addSeries(s);
    }
    grafico->setTitle(T("Altura de chuva P(Tr, t) = i·t/60 pela equação do local"));
    Eixos(grafico, primeira, ultima, maior, T("Duração (min)"), T("Altura de chuva (mm)"));
}

TGraficoPorPeriodo::TGraficoPorPeriodo(QWidget* parent) : QChartView(new QChart, parent) {
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->setAlignment(Qt::AlignBottom);
}

void TGraficoPorPeriodo::Desenha(const TParametrosIdf& p, const std::vector<double>& duracoes,
                                 const std::vector<double>& periodos, bool altura) {
    QChart* grafico = chart();
    Limpa(grafico);
    if (duracoes.empty() || periodos.empty()) return;
    double menor = periodos.front(), maior = periodos.back();
    if (maior <= menor * 1.5) menor = std::min(menor, 2.0), maior = std::max(maior, 100.0);
    // Return periods evenly spaced in log Tr, the listed ones among them.
    std::vector<double> trs(periodos);
    for (int k = 0; k <= 60; ++k) trs.push_back(menor * std::pow(maior / menor, k / 60.0));
    std::sort(trs.begin(), trs.end());
    double topo = 0;
    for (double t : duracoes) {
        auto* s = new QLineSeries;
        s->setName(T("t = %1 min").arg(NumeroGeral(t)));
        for (double tr : trs) {
            double v = 0;
            if (tr >= menor && tr <= maior && Valor(p, tr, t, altura, v)) {
                s->append(tr, v);
                topo = std::max(topo, v);
            }
        }
        grafico->addSeries(s);
    }
    grafico->setTitle(altura ? T("Altura de chuva por período de retorno, uma curva por duração")
                             : T("Intensidade média por período de retorno, uma curva por duração"));
    grafico->legend()->setVisible(duracoes.size() <= 16);
    Eixos(grafico, menor, maior, topo, T("Período de retorno Tr (anos, escala logarítmica)"),
          altura ? T("Altura de chuva (mm)") : T("Intensidade média (mm/h)"));
}
