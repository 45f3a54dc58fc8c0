#pragma once
// Stations drawn as dots over a map picture. The layer is a widget of its
// own above the picture, transparent to the pointer: the picture's pixels
// (the blue test of a click, the colour table of the Brazil page, the
// report's marked map) and the picture's pointer events stay as they were.
#include <QPointF>
#include <QWidget>

#include <vector>

class TCamadaEstacoes : public QWidget {
public:
    // raio: of an ordinary dot, in pixels.
    TCamadaEstacoes(QWidget* parent, double raio);

    // Pixel positions of the stations in the picture; destaque is the index
    // of the current station among them, or -1.
    void DefinePontos(std::vector<QPointF> pontos, int destaque);
    const std::vector<QPointF>& Pontos() const { return pontos_; }
    int Destaque() const { return destaque_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<QPointF> pontos_;
    int destaque_ = -1;
    double raio_;
};
