#pragma once
// i(10, 60) of the national grid as a colour layer over the Brazil picture,
// with its legend in mm/h. Like the station dots, a widget of its own above
// the picture and transparent to the pointer, so the picture's pixels (the
// colour table of a click, the blue test) and its pointer events stay as
// they were.
#include <QImage>
#include <QWidget>

#include "database/GradeNacional.h"

class TCamadaIntensidades : public QWidget {
public:
    explicit TCamadaIntensidades(QWidget* parent);

    // Colours the picture's pixels from the grid's cells (the cell that
    // holds each pixel's position; no colour where it has no value).
    void Define(const TGradeNacional& grade, TDesagregacaoGrade desagregacao);
    TDesagregacaoGrade Desagregacao() const { return desagregacao_; }
    bool Definida() const { return !imagem_.isNull(); }

    // The legend's range, mm/h, and the colour of a value in it.
    static constexpr double Minimo = 20, Maximo = 100;
    static QColor CorDaIntensidade(double i);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage imagem_;
    TDesagregacaoGrade desagregacao_ = TDesagregacaoGrade::Raster;
};
