#pragma once
// The charts engineers read beside the intensity curves: the depth of rain
// against the duration (one curve per return period, log t), and the value
// of the table's quantity against the return period (one curve per duration,
// log Tr). Both from the one evaluation of the equation (ValoresDeProjeto).
#include <QChartView>

#include <vector>

#include "model/TabelaIdf.h"

class TGraficoAltura : public QChartView {
public:
    explicit TGraficoAltura(QWidget* parent = nullptr);
    void Desenha(const TParametrosIdf& p, const std::vector<double>& duracoes, const std::vector<double>& periodos);
};

class TGraficoPorPeriodo : public QChartView {
public:
    explicit TGraficoPorPeriodo(QWidget* parent = nullptr);
    // altura: depth P (mm), else the average intensity i (mm/h).
    void Desenha(const TParametrosIdf& p, const std::vector<double>& duracoes, const std::vector<double>& periodos,
                 bool altura);
};
