#include "database/ContornosEstados.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>

#include "database/GeoReferencia.h"
#include "platform/Erros.h"

double AjustaReta(const std::vector<std::pair<double, double>>& pontos, double& a, double& b) {
    double n = static_cast<double>(pontos.size()), sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const auto& [x, y] : pontos) {
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    a = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    b = (sy - a * sx) / n;
    double r = 0;
    for (const auto& [x, y] : pontos) r = std::max(r, std::abs((y - b) / a - x));
    return r;
}

namespace {

double MercatorInversa(double m) {
    const double r = m * std::numbers::pi / 180.0;
    return (2 * std::atan(std::exp(r)) - std::numbers::pi / 2) * 180.0 / std::numbers::pi;
}

}  // namespace

TProjecaoContornos::TProjecaoContornos(const std::array<TCaixaSvg, NumEstados>& caixas) {
    std::vector<std::pair<double, double>> xs, ys;
    for (const auto& g : EstadosComMapa) {
        const TCaixaSvg& c = caixas.at(static_cast<std::size_t>(g.Indice));
        xs.push_back({-g.EastLongitude, c.Direita});
        xs.push_back({-g.WestLongitude, c.Esquerda});
        ys.push_back({OrdenadaMercator(-g.NorthLatitude), c.Topo});
        ys.push_back({OrdenadaMercator(-g.SouthLatitude), c.Base});
    }
    residuo_ = std::max(AjustaReta(xs, ax_, bx_), AjustaReta(ys, ay_, by_));
}

std::pair<double, double> TProjecaoContornos::Graus(double x, double y) const {
    const double lon = (x - bx_) / ax_;
    const double lat = MercatorInversa((y - by_) / ay_);
    return {-lon, -lat};
}

TContornosEstados::TContornosEstados(std::string_view csv) {
    std::array<std::vector<std::vector<std::pair<double, double>>>, NumEstados> svg;
    std::array<TCaixaSvg, NumEstados> caixas{};
    std::istringstream in{std::string(csv)};
    int numero = 0;
    for (std::string linha; std::getline(in, linha);) {
        ++numero;
        if (!linha.empty() && linha.back() == '\r') linha.pop_back();
        if (linha.empty() || linha[0] == '#' || linha.rfind("uf,", 0) == 0) continue;
        const std::size_t v1 = linha.find(','), v2 = linha.find(',', v1 + 1);
        if (v1 == std::string::npos || v2 == std::string::npos)
            throw EDadosInvalidos("contornos, linha " + std::to_string(numero) + ": esperados 3 campos");
        const std::string sigla = linha.substr(0, v1);
        std::size_t estado = 0;
        while (estado < NumEstados && SiglasEstados[estado] != sigla) ++estado;
        if (estado == NumEstados)
            throw EDadosInvalidos("contornos, linha " + std::to_string(numero) + ": estado " + sigla);
        std::istringstream numeros(linha.substr(v2 + 1));
        std::vector<std::pair<double, double>> anel;
        for (double x, y; numeros >> x >> y;) anel.push_back({x, y});
        if (anel.size() < 3)
            throw EDadosInvalidos("contornos, linha " + std::to_string(numero) + ": anel com menos de 3 pontos");
        TCaixaSvg& c = caixas[estado];
        if (svg[estado].empty()) c = {anel[0].first, anel[0].second, anel[0].first, anel[0].second};
        for (const auto& [x, y] : anel) {
            c.Esquerda = std::min(c.Esquerda, x);
            c.Direita = std::max(c.Direita, x);
            c.Topo = std::min(c.Topo, y);
            c.Base = std::max(c.Base, y);
        }
        svg[estado].push_back(std::move(anel));
    }
    for (std::size_t s = 0; s < NumEstados; ++s)
        if (svg[s].empty()) throw EDadosInvalidos("contornos: o estado " + SiglasEstados[s] + " não tem contorno");
    const TProjecaoContornos projecao(caixas);
    for (std::size_t s = 0; s < NumEstados; ++s)
        for (const auto& anel : svg[s]) {
            std::vector<TPonto> graus;
            for (const auto& [x, y] : anel) {
                const auto [lon, lat] = projecao.Graus(x, y);
                graus.push_back({lon, lat});
            }
            aneis_[s].push_back(std::move(graus));
        }
}

bool TContornosEstados::Contem(int estado, double latitude, double longitude, double toleranciaKm) const {
    const auto& aneis = aneis_.at(static_cast<std::size_t>(estado));
    // Even-odd rule over every ring (islands and holes alike).
    bool dentro = false;
    for (const auto& anel : aneis)
        for (std::size_t i = 0, j = anel.size() - 1; i < anel.size(); j = i++) {
            const TPonto& a = anel[i];
            const TPonto& b = anel[j];
            if ((a.Lat > latitude) != (b.Lat > latitude) &&
                longitude < (b.Lon - a.Lon) * (latitude - a.Lat) / (b.Lat - a.Lat) + a.Lon)
                dentro = !dentro;
        }
    if (dentro) return true;
    // Near an edge: kilometres in a local plane (a degree of latitude 111.2 km).
    const double kmLon = 111.2 * std::cos(latitude * std::numbers::pi / 180);
    for (const auto& anel : aneis)
        for (std::size_t i = 0, j = anel.size() - 1; i < anel.size(); j = i++) {
            const double ax = (anel[j].Lon - longitude) * kmLon, ay = (anel[j].Lat - latitude) * 111.2;
            const double bx = (anel[i].Lon - longitude) * kmLon, by = (anel[i].Lat - latitude) * 111.2;
            const double dx = bx - ax, dy = by - ay, l2 = dx * dx + dy * dy;
            const double t = l2 > 0 ? std::clamp(-(ax * dx + ay * dy) / l2, 0.0, 1.0) : 0.0;
            if (std::hypot(ax + t * dx, ay + t * dy) <= toleranciaKm) return true;
        }
    return false;
}

std::array<double, 4> TContornosEstados::Extensao(int estado) const {
    std::array<double, 4> e = {90, 0, 180, 0};   // north, south, east, west
    for (const auto& anel : aneis_.at(static_cast<std::size_t>(estado)))
        for (const TPonto& p : anel) {
            e[0] = std::min(e[0], p.Lat);
            e[1] = std::max(e[1], p.Lat);
            e[2] = std::min(e[2], p.Lon);
            e[3] = std::max(e[3], p.Lon);
        }
    return e;
}
