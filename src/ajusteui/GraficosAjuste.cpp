#include "ajusteui/GraficosAjuste.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "ajuste/Ajuste.h"
#include "platform/Cp1252.h"

namespace {

QString T(const char* utf8) { return QString::fromUtf8(utf8); }
QString A(const AnsiString& ansi) { return QString::fromStdString(Utf8(ansi)); }

QChart* NovoGrafico(const QString& titulo) {
    auto* g = new QChart;
    g->setTitle(titulo);
    g->legend()->setAlignment(Qt::AlignBottom);
    g->setMargins(QMargins(4, 4, 4, 4));
    return g;
}

QValueAxis* Eixo(const QString& titulo, double minimo, double maximo, const char* formato = "%.0f") {
    auto* e = new QValueAxis;
    e->setTitleText(titulo);
    e->setRange(minimo, maximo);
    e->setLabelFormat(T(formato));
    return e;
}

void Liga(QChart* g, QAbstractSeries* s, QAbstractAxis* x, QAbstractAxis* y) {
    g->addSeries(s);
    s->attachAxis(x);
    s->attachAxis(y);
}

const QColor kCores[] = {QColor(0, 90, 180), QColor(200, 60, 30), QColor(40, 140, 60), QColor(140, 60, 160),
                         QColor(120, 120, 0), QColor(0, 140, 140), QColor(90, 90, 90), QColor(180, 120, 0)};

}  // namespace

double VariavelReduzida(double p) { return -std::log(-std::log(p)); }

QChart* GraficoMaximosAnuais(const TResultadoAjuste& r) {
    QChart* g = NovoGrafico(r.Maximos.UmDia ? T("Máximos anuais da chuva de um dia") : T("Máximos anuais"));
    const TMaximosAnuais& m = r.Maximos;
    double maior = 0;
    for (const TAnoMaximo& a : m.Usados) maior = std::max(maior, a.Alturas[0]);
    const int primeiro = std::min(m.Usados.front().Ano, m.Deixados.empty() ? m.Usados.front().Ano : m.Deixados.front().Ano);
    const int ultimo = std::max(m.Usados.back().Ano, m.Deixados.empty() ? m.Usados.back().Ano : m.Deixados.back().Ano);
    auto* x = Eixo(T("Ano"), primeiro - 1, ultimo + 1);
    x->setTickCount(std::min(12, ultimo - primeiro + 3));
    auto* y = Eixo(T("Altura (mm)"), 0, maior * 1.1);
    y->applyNiceNumbers();
    g->addAxis(x, Qt::AlignBottom);
    g->addAxis(y, Qt::AlignLeft);
    auto* linha = new QLineSeries;
    linha->setPen(QPen(kCores[0], 1.5));
    auto* pontos = new QScatterSeries;
    pontos->setColor(kCores[0]);
    pontos->setName(m.UmDia ? T("máximo anual (1 dia)") : T("máximo anual (") + QLocale().toString(m.Duracoes[0]) + T(" min)"));
    pontos->setMarkerSize(7);
    for (const TAnoMaximo& a : m.Usados) {
        linha->append(a.Ano, a.Alturas[0]);
        pontos->append(a.Ano, a.Alturas[0]);
    }
    Liga(g, linha, x, y);
    Liga(g, pontos, x, y);
    g->legend()->markers(linha).front()->setVisible(false);
    if (!m.Deixados.empty()) {
        auto* fora = new QScatterSeries;
        fora->setName(T("ano deixado de fora"));
        fora->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        fora->setMarkerSize(7);
        fora->setColor(QColor(180, 180, 180));
        for (const TAnoDeixado& d : m.Deixados) fora->append(d.Ano, 0);
        Liga(g, fora, x, y);
    }
    return g;
}

QChart* GraficoProbabilidade(const TResultadoAjuste& r, std::size_t serie) {
    const TAnaliseSerie& s = r.Series.at(serie);
    std::size_t coluna = 0;
    for (std::size_t j = 0; j < r.Maximos.Duracoes.size(); ++j)
        if (r.Maximos.Duracoes[j] == s.Duracao) coluna = j;
    QChart* g = NovoGrafico(r.Series.size() > 1 ? T("Papel de probabilidade de Gumbel (%1 min)").arg(QLocale().toString(s.Duracao))
                                                : T("Papel de probabilidade de Gumbel"));
    std::vector<double> x = r.Maximos.Serie(coluna);
    std::sort(x.begin(), x.end());
    const double n = static_cast<double>(x.size());
    const double yMin = std::min(-2.0, VariavelReduzida(1 / (n + 1)) - 0.3), yMax = VariavelReduzida(1 - 1.0 / 200);
    double maior = x.back();
    for (const TCandidata& c : s.Candidatas) maior = std::max(maior, QuantilTr(c.P, 200));
    auto* eixoX = Eixo(T("Variável reduzida de Gumbel y = -ln(-ln F)"), yMin, yMax, "%.0f");
    eixoX->setTickType(QValueAxis::TicksDynamic);
    eixoX->setTickAnchor(0);
    eixoX->setTickInterval(1);
    auto* eixoY = Eixo(T("Altura (mm)"), 0, maior * 1.05);
    eixoY->applyNiceNumbers();
    g->addAxis(eixoX, Qt::AlignBottom);
    g->addAxis(eixoY, Qt::AlignLeft);
    auto* tr = new QCategoryAxis;
    tr->setTitleText(T("Tr (anos)"));
    tr->setRange(yMin, yMax);
    tr->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (double t : {2.0, 5.0, 10.0, 25.0, 50.0, 100.0, 200.0})
        tr->append(QLocale().toString(t), VariavelReduzida(1 - 1 / t));
    g->addAxis(tr, Qt::AlignTop);
    for (std::size_t c = 0; c < s.Candidatas.size(); ++c) {
        const TParametros& p = s.Candidatas[c].P;
        auto* linha = new QLineSeries;
        const char* sigla = p.Met == Metodo::Momentos ? "MOM" : p.Met == Metodo::LMomentos ? "LMOM" : "MV";
        linha->setName(A(NomeDistribuicao(p.Dist)) + T("-") + T(sigla) + (c == s.Escolhida ? T(" (escolhida)") : QString()));
        QPen caneta(kCores[c % 8], c == s.Escolhida ? 2.5 : 1.2);
        if (c != s.Escolhida) caneta.setStyle(Qt::DashLine);
        linha->setPen(caneta);
        for (int k = 0; k <= 60; ++k) {
            const double y = yMin + (yMax - yMin) * k / 60;
            linha->append(y, Quantil(p, std::exp(-std::exp(-y))));
        }
        Liga(g, linha, eixoX, eixoY);
    }
    auto* observados = new QScatterSeries;
    observados->setName(T("observado (Weibull)"));
    observados->setMarkerSize(7);
    observados->setColor(Qt::black);
    for (std::size_t i = 0; i < x.size(); ++i) observados->append(VariavelReduzida((i + 1) / (n + 1)), x[i]);
    Liga(g, observados, eixoX, eixoY);
    return g;
}

QChart* GraficoEquacaoAjustada(const TResultadoAjuste& r) {
    QChart* g = NovoGrafico(T("Equação ajustada e intervalo de 90%"));
    auto* x = new QLogValueAxis;
    x->setTitleText(T("Duração t (min)"));
    x->setBase(10);
    x->setLabelFormat(T("%g"));
    x->setRange(std::max(1.0, r.Duracoes.front() * 0.8), r.Duracoes.back() * 1.25);
    x->setMinorTickCount(8);
    auto* y = new QLogValueAxis;
    y->setTitleText(T("Intensidade i (mm/h)"));
    y->setBase(10);
    y->setLabelFormat(T("%g"));
    double menor = 1e300, maior = 0;
    for (const TLinhaTabela& l : r.Tabela) {
        menor = std::min({menor, l.Ponto.I, r.Replicas ? l.IcAjustada.Inferior : l.Ponto.I});
        maior = std::max({maior, l.Ponto.I, r.Replicas ? l.IcAjustada.Superior : l.Ponto.I});
    }
    y->setRange(menor * 0.8, maior * 1.25);
    g->addAxis(x, Qt::AlignBottom);
    g->addAxis(y, Qt::AlignLeft);
    // A few return periods keep the chart readable: the first, 10 and the last.
    std::vector<double> periodos;
    for (double tr : r.Tr)
        if (tr == r.Tr.front() || tr == 10 || tr == r.Tr.back()) periodos.push_back(tr);
    for (std::size_t k = 0; k < periodos.size(); ++k) {
        const double tr = periodos[k];
        const QColor cor = kCores[k % 8];
        if (r.Replicas > 0) {
            auto* inferior = new QLineSeries;
            auto* superior = new QLineSeries;
            for (double t : r.Duracoes)
                if (const TLinhaTabela* l = r.Linha(tr, t)) {
                    inferior->append(t, l->IcAjustada.Inferior);
                    superior->append(t, l->IcAjustada.Superior);
                }
            auto* faixa = new QAreaSeries(superior, inferior);
            faixa->setName(T("Intervalo de 90%"));
            QColor preenchimento = cor;
            preenchimento.setAlpha(50);
            faixa->setBrush(preenchimento);
            faixa->setPen(QPen(preenchimento, 0.5));
            Liga(g, faixa, x, y);
            if (k > 0) g->legend()->markers(faixa).front()->setVisible(false);
        }
        auto* curva = new QLineSeries;
        curva->setName(T("Tr ") + QLocale().toString(tr) + T(" anos"));
        curva->setPen(QPen(cor, 2));
        const double t0 = r.Duracoes.front(), t1 = r.Duracoes.back();
        for (int i = 0; i <= 80; ++i) {
            const double t = t0 * std::pow(t1 / t0, i / 80.0);
            curva->append(t, r.Equacao.Intensidade(tr, t));
        }
        Liga(g, curva, x, y);
        auto* pontos = new QScatterSeries;
        pontos->setName(T("Tr ") + QLocale().toString(tr) + (r.FonteDesagregacao.empty() ? T(": tabela") : T(": desagregada")));
        pontos->setMarkerSize(6);
        pontos->setColor(cor);
        for (double t : r.Duracoes)
            if (const TLinhaTabela* l = r.Linha(tr, t)) pontos->append(t, l->Ponto.I);
        Liga(g, pontos, x, y);
        g->legend()->markers(pontos).front()->setVisible(false);   // the points take their curve's colour
    }
    return g;
}
