#pragma once
// The demonstration data set: stations and localities at real town
// positions with synthetic IDF parameters. Stations of a map state are kept
// only where they fall on the state's blue area; localities come from the
// remaining towns of the seven map states, a town just off the blue area
// moved to its nearest blue pixel.
#include <QImage>
#include <QString>
#include <string>
#include <utility>
#include <vector>

struct TCidade {
    int Estado = 0;
    std::string Nome;              // UTF-8
    double Latitude = 0, Longitude = 0;   // degrees south / west, from the texts
    std::string LatitudeTexto, LongitudeTexto;   // UTF-8 DD°MM'SS"
};

struct TParametros {
    double K, a, b, c;
};

class TDemonstracao {
public:
    // mapas: the seven state maps in the order of the geo-reference table.
    TDemonstracao(const QString& cidadesCsv, const std::vector<QImage>& mapas);
    // An empty name writes nothing: the shipped stations are the national
    // network's (tormel21-dados --maximos-anuais); the towns chosen here as
    // stations are still kept out of the localities, which stay as shipped.
    void Escreve(const QString& estacoesCsv, const QString& localidadesCsv) const;
    std::string Resumo() const;

    // Smooth field over Brazil plus a small deterministic noise from the name.
    static TParametros Parametros(double lat, double lon, const std::string& semente);

private:
    void Seleciona(const std::vector<QImage>& mapas);
    std::vector<TCidade> cidades_;
    std::vector<std::vector<TCidade>> estacoes_, localidades_;   // per state
    // Localities moved onto their state's blue area: own position, new position.
    std::vector<std::pair<TCidade, TCidade>> movidas_;
};
