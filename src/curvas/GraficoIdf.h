#pragma once
// Chart of IDF curves: average intensity against duration, one curve per
// return period, on a logarithmic duration axis with labels at readable
// durations; the intensity axis linear or logarithmic. Hovering a curve shows
// t, Tr and the value.
#include <QChartView>
#include <optional>
#include <vector>

#include "curvas/LugarIdf.h"

class QAbstractAxis;
class QAbstractSeries;
class QLineSeries;
class QLogValueAxis;
class QValueAxis;

class TGraficoIdf : public QChartView {
public:
    explicit TGraficoIdf(QWidget* parent = nullptr);

    // Draws the curves of `p` for each return period over [first, last] of
    // `duracoes` (minutes): the average intensity, or the depth.
    void Desenha(const TParametrosIdf& p, const std::vector<double>& duracoes, const std::vector<double>& periodos,
                 bool altura = false);
    bool MostraAltura() const { return altura_; }
    // The band "Intervalo de 90%" (a fitted station's table of intensities)
    // of the first, the 10-year and the last return period drawn, in its
    // curve's colour; none while the chart shows depths.
    void DesenhaFaixa(const std::vector<TIntervaloIdf>& intervalos, const std::vector<double>& periodos);
    const QList<QAbstractSeries*>& Faixas() const { return faixas_; }
    void SetEscalaLogaritmica(bool log);
    // Curves of a second source drawn dashed beside each return period's
    // (the national grid); nullopt: none. Takes effect at the next Desenha.
    void DefineComparacao(const std::optional<TParametrosIdf>& p, const QString& nome) {
        comparacao_ = p;
        nomeComparacao_ = nome;
    }
    const QList<QLineSeries*>& CurvasComparadas() const { return curvasComparadas_; }
    bool EscalaLogaritmica() const { return escalaLog_; }

    // Labels of the duration axis: the readable durations within the range.
    QStringList RotulosDasDuracoes() const;
    const QList<QLineSeries*>& Curvas() const { return curvas_; }
    // The vertical axis shown (linear or logarithmic).
    QAbstractAxis* EixoY() const { return eixoY_; }
    // Tooltip text of the curve of return period tr at duration t: the
    // duration as shown and the value there.
    QString TextoDaDica(double tr, double t) const;

private:
    void MontaEixoY();

    TParametrosIdf parametros_;
    QList<QLineSeries*> curvas_;
    QList<QAbstractSeries*> faixas_;
    std::optional<TParametrosIdf> comparacao_;
    QString nomeComparacao_;
    QList<QLineSeries*> curvasComparadas_;
    QAbstractAxis* eixoX_ = nullptr;
    QAbstractAxis* eixoY_ = nullptr;   // the one shown of the two below
    QValueAxis* eixoLinear_ = nullptr;
    QLogValueAxis* eixoLog_ = nullptr;
    bool escalaLog_ = false;
    bool altura_ = false;
    double menor_ = 1, maior_ = 1;   // intensity range of the curves
};
