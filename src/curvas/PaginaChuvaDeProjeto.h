#pragma once
// "Chuva de projeto": the design storm of the place by alternating blocks,
// as a table of intervals and a hyetograph with the cumulative depth.
#include <QWidget>

#include "curvas/LugarIdf.h"
#include "model/ChuvaDeProjeto.h"

class QChartView;
class QLineEdit;
class QPrinter;
class QPushButton;
class QTableWidget;
class TFolhaIdf;

class TPaginaChuvaDeProjeto : public QWidget {
public:
    explicit TPaginaChuvaDeProjeto(const TLugarIdf& lugar, QWidget* parent = nullptr);

    QLineEdit *EdTr = nullptr, *EdDuracao = nullptr, *EdPasso = nullptr, *EdPico = nullptr;
    QPushButton* BtnCalcular = nullptr;
    QTableWidget* Tabela = nullptr;
    QChartView* Grafico = nullptr;

    // Reads the four fields (a bad one is named and changes nothing) and
    // shows the storm.
    void CalcularClick();
    const THietograma& Hietograma() const { return hietograma_; }

    // Header lines of the storm for the CSV (after the place's lines).
    QStringList LinhasCsv() const;
    void Imprime(TFolhaIdf& folha) const;

private:
    void Mostra();

    TLugarIdf lugar_;
    THietograma hietograma_;
};
