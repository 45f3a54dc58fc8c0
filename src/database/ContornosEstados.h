#pragma once
// The states' outlines of data/contornos.csv (rings of points in the units
// of the source SVG map) and their projection to degrees. The source map is
// a Mercator projection; its scale and offset are fitted by least squares
// to the bounds of the seven states of the geo-reference table: the map
// generator draws the state maps with this fit, and the data builder checks
// a station against its state's outline with it.
#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "database/Estados.h"

// Least squares y = a·x + b over (x, y); the largest residual in x units.
double AjustaReta(const std::vector<std::pair<double, double>>& pontos, double& a, double& b);

struct TCaixaSvg {
    double Esquerda = 0, Topo = 0, Direita = 0, Base = 0;
};

// SVG units to degrees (west, south, positive) and back.
class TProjecaoContornos {
public:
    // caixas: each state's bounding box in SVG units, in state-index order.
    explicit TProjecaoContornos(const std::array<TCaixaSvg, NumEstados>& caixas);
    std::pair<double, double> Graus(double x, double y) const;   // (longitude west, latitude south)
    double ResiduoMaximo() const { return residuo_; }             // degrees

private:
    double ax_ = 1, bx_ = 0, ay_ = 1, by_ = 0, residuo_ = 0;
};

class TContornosEstados {
public:
    // From the CSV text (uf,anel,pontos; '#' comments). EDadosInvalidos on
    // a malformed file or a state without an outline.
    explicit TContornosEstados(std::string_view csv);

    // The point (degrees south and west) inside the state's rings, or within
    // toleranciaKm of their edges (the outlines are simplified).
    bool Contem(int estado, double latitude, double longitude, double toleranciaKm) const;
    // The state's extent in degrees: north, south, east, west (south and west positive).
    std::array<double, 4> Extensao(int estado) const;

private:
    struct TPonto {
        double Lon, Lat;   // degrees west and south
    };
    std::array<std::vector<std::vector<TPonto>>, NumEstados> aneis_;
};
