#pragma once
// "Chuva de projeto": the design storm of the place by alternating blocks,
// as a table of intervals and a hyetograph with the cumulative depth.
#include <QWidget>

#include "curvas/LugarIdf.h"
#include "model/ChuvasSinteticas.h"

class QChartView;
class QComboBox;
class QLineEdit;
class QPrinter;
class QPushButton;
class QTableWidget;
class TFolhaIdf;

// What the page says of a method (how its blocks are made and, for Huff's
// curves, where the ordinates come from).
QString DescricaoDoMetodo(TMetodoChuva metodo);

class TPaginaChuvaDeProjeto : public QWidget {
public:
    explicit TPaginaChuvaDeProjeto(const TLugarIdf& lugar, QWidget* parent = nullptr);

    QLineEdit *EdTr = nullptr, *EdDuracao = nullptr, *EdPasso = nullptr, *EdPico = nullptr;
    QComboBox* CbMetodo = nullptr;   // TMetodoChuva in order; alternating blocks first
    QPushButton* BtnCalcular = nullptr;
    QPushButton *BtnSwmm = nullptr, *BtnHecHms = nullptr;
    QTableWidget* Tabela = nullptr;
    QChartView* Grafico = nullptr;

    // Reads the four fields (a bad one is named and changes nothing) and
    // shows the storm.
    void CalcularClick();
    const THietograma& Hietograma() const { return hietograma_; }
    TMetodoChuva Metodo() const { return metodo_; }

    // The storm shown, for EPA SWMM: a .dat time series, or for an .inp (or
    // any other name) the [RAINGAGES]/[TIMESERIES] lines with the series
    // inline; for HEC-HMS the cumulative-fraction CSV. Written whole or not
    // at all; nothing to write before a storm is calculated is an error.
    void ExportaSwmm(const QString& caminho) const;
    void ExportaHecHms(const QString& caminho) const;
    void ExportarSwmmClick();
    void ExportarHecHmsClick();

    // Header lines of the storm for the CSV (after the place's lines).
    QStringList LinhasCsv() const;
    void Imprime(TFolhaIdf& folha) const;

private:
    void Mostra();

    TLugarIdf lugar_;
    THietograma hietograma_;
    TMetodoChuva metodo_ = TMetodoChuva::BlocosAlternados;
};
