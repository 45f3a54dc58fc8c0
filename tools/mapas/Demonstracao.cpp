#include "Demonstracao.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>
#include <set>

#include "database/Csv.h"
#include "database/GeoReferencia.h"
#include "database/Citacoes.h"
#include "database/Colacao.h"
#include "database/Coordenadas.h"
#include "database/Estados.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {

// Stations wanted per state; the four states without a data source get none.
int EstacoesDesejadas(const std::string& uf) {
    static const std::map<std::string, int> n = {
        {"BA", 40}, {"ES", 26}, {"GO", 36}, {"MG", 48}, {"PR", 36}, {"RJ", 30}, {"SP", 48}, {"TO", 24},
        {"AP", 0}, {"DF", 0}, {"RR", 0}, {"SE", 0}};
    auto it = n.find(uf);
    return it != n.end() ? it->second : 4;
}

uint64_t Hash(const std::string& s) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : s) { h ^= c; h *= 1099511628211ull; }
    return h;
}

// Deterministic value in [-1, 1] for (seed, k).
double Ruido(const std::string& semente, int k) {
    uint64_t h = Hash(semente + "#" + std::to_string(k));
    return static_cast<double>(h >> 11) / static_cast<double>(1ull << 53) * 2 - 1;
}

double Arredonda(double v, int casas) {
    double f = std::pow(10.0, casas);
    return std::nearbyint(v * f) / f;
}

std::string Numero(double v, int casas) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", casas, v);
    return buf;
}

// Short citations of a state's stations, by the areas of the citation table.
std::string Citacao(const std::string& uf, size_t k) {
    auto par = [&](int x, int y) { return std::string(Citacoes[static_cast<size_t>(k % 3 == 2 ? y : x) - 1].Chave); };
    if (uf == "SP") return par(1, 4);
    if (uf == "BA") return par(2, 4);
    if (uf == "TO") return par(3, 4);
    if (uf == "RJ" || uf == "ES") return par(5, 4);
    if (uf == "MG") return Citacoes[5].Chave;
    if (uf == "PR") return Citacoes[k % 2 ? 7 : 6].Chave;
    if (uf == "GO") return Citacoes[k % 2 ? 8 : 9].Chave;
    return Citacoes[8].Chave;
}

bool Azul(const QImage& img, int x, int y) {
    return img.valid(x, y) && (img.pixel(x, y) & 0xffffffu) == 0x0000ffu;
}

// Moves the town to the blue pixel nearest its own (ties: the first in
// rows from the top) whose whole-second coordinate texts fall on it again.
void LevaAoAzul(TCidade& c, const TEstadoComMapa& geo, const QImage& mapa) {
    const double x0 = geo.XOfLongitude(c.Longitude), y0 = geo.YOfLatitude(c.Latitude);
    struct TCandidato {
        double d;
        int x, y;
    };
    std::vector<TCandidato> azuis;
    for (int y = 0; y < mapa.height(); ++y)
        for (int x = 0; x < mapa.width(); ++x)
            if (Azul(mapa, x, y)) azuis.push_back({std::hypot(x - x0, y - y0), x, y});
    std::stable_sort(azuis.begin(), azuis.end(), [](const TCandidato& a, const TCandidato& b) { return a.d < b.d; });
    for (const TCandidato& p : azuis) {
        const AnsiString lat = FormatDms(geo.LatitudeFromY(p.y)), lon = FormatDms(geo.LongitudeFromX(p.x));
        const double la = ParseDms(lat), lo = ParseDms(lon);
        if (PixelArredondado(geo.XOfLongitude(lo)) != p.x || PixelArredondado(geo.YOfLatitude(la)) != p.y) continue;
        c.Latitude = la;
        c.Longitude = lo;
        c.LatitudeTexto = Cp1252ToUtf8(lat);
        c.LongitudeTexto = Cp1252ToUtf8(lon);
        return;
    }
    throw EDadosInvalidos("no blue pixel for " + c.Nome);
}

}  // namespace

TParametros TDemonstracao::Parametros(double lat, double lon, const std::string& semente) {
    const double pi = std::numbers::pi;
    double u = (lat - 3) / 31, v = (lon - 34) / 40;   // 0..1 north-south, east-west
    double k = 0.5 + 0.32 * std::sin(2.1 * pi * u + 0.7) * std::cos(1.3 * pi * v) + 0.15 * std::sin(5 * v + 3 * u);
    TParametros p;
    p.K = std::clamp((600 + 3800 * k) * (1 + 0.04 * Ruido(semente, 0)), 500.0, 5000.0);
    p.a = std::clamp(0.12 + 0.05 * (1 + std::sin(3.1 * u + 1.7 * v)) + 0.01 * Ruido(semente, 1), 0.10, 0.25);
    p.b = std::clamp(8 + 14 * (1 + std::cos(2.3 * u - 2.9 * v + 0.4)) + 1.5 * Ruido(semente, 2), 5.0, 40.0);
    p.c = std::clamp(0.70 + 0.15 * (1 + std::sin(1.9 * v - 2.5 * u + 1.1)) + 0.02 * Ruido(semente, 3), 0.65, 1.05);
    p.K = Arredonda(p.K, 2);
    p.a = Arredonda(p.a, 4);
    p.b = Arredonda(p.b, 3);
    p.c = Arredonda(p.c, 4);
    return p;
}

TDemonstracao::TDemonstracao(const QString& cidadesCsv, const std::vector<QImage>& mapas) {
    QFile f(cidadesCsv);
    if (!f.open(QIODevice::ReadOnly)) throw EInOutError("cannot read " + cidadesCsv.toStdString());
    QByteArray texto = f.readAll();
    std::vector<TErroCsv> erros;
    auto linhas = TCsv::Le(std::string_view(texto.constData(), static_cast<size_t>(texto.size())), erros);
    if (!erros.empty() || linhas.empty()) throw EDadosInvalidos("malformed " + cidadesCsv.toStdString());
    for (size_t k = 1; k < linhas.size(); ++k) {
        const auto& c = linhas[k].Campos;
        if (c.size() != 4) throw EDadosInvalidos("malformed town line " + std::to_string(linhas[k].Numero));
        TCidade t;
        t.Estado = -1;
        for (int i = 0; i < NumEstados; ++i)
            if (SiglasEstados[static_cast<size_t>(i)] == c[0]) t.Estado = i;
        // Names that the records cannot hold are left out.
        if (t.Estado < 0 || !IsCp1252Representable(c[1]) || Utf8ToCp1252(c[1]).size() > 68) continue;
        t.Nome = c[1];
        double lon = -std::stod(c[2]), lat = -std::stod(c[3]);
        if (lat <= 0 || lon <= 0) continue;
        t.LatitudeTexto = Cp1252ToUtf8(FormatDms(lat));
        t.LongitudeTexto = Cp1252ToUtf8(FormatDms(lon));
        t.Latitude = ParseDms(FormatDms(lat));
        t.Longitude = ParseDms(FormatDms(lon));
        cidades_.push_back(t);
    }
    Seleciona(mapas);
}

void TDemonstracao::Seleciona(const std::vector<QImage>& mapas) {
    estacoes_.assign(NumEstados, {});
    localidades_.assign(NumEstados, {});
    for (int s = 0; s < NumEstados; ++s) {
        const std::string uf = SiglasEstados[static_cast<size_t>(s)];
        const TEstadoComMapa* geo = EstadoComMapaDaSigla(uf);
        const QImage* mapa = nullptr;
        for (size_t g = 0; g < EstadosComMapa.size(); ++g)
            if (geo == &EstadosComMapa[g]) mapa = &mapas.at(g);

        // Candidates in the order of the town list, one per name (the first
        // of equal names).
        std::vector<TCidade> cand;
        std::set<AnsiString, bool (*)(const AnsiString&, const AnsiString&)> nomes(NomeAntes);
        for (const auto& c : cidades_)
            if (c.Estado == s && nomes.insert(Utf8ToCp1252(c.Nome)).second) cand.push_back(c);

        auto pixel = [&](const TCidade& c) {
            return QPoint(PixelArredondado(geo->XOfLongitude(c.Longitude)), PixelArredondado(geo->YOfLatitude(c.Latitude)));
        };
        std::vector<TCidade> noAzul;   // station candidates
        std::vector<TCidade> resto;    // locality candidates of a map state
        for (const auto& c : cand) {
            if (!geo) { noAzul.push_back(c); continue; }
            if (!geo->DentroDosLimites(c.Latitude, c.Longitude)) continue;
            QPoint p = pixel(c);
            if (Azul(*mapa, p.x(), p.y())) noAzul.push_back(c);
            else {
                // Towns on the coast or the border just outside the drawn area
                // may still be localities.
                bool perto = false;
                for (int dy = -3; dy <= 3 && !perto; ++dy)
                    for (int dx = -3; dx <= 3 && !perto; ++dx) perto = Azul(*mapa, p.x() + dx, p.y() + dy);
                if (perto) resto.push_back(c);
            }
        }

        // Stations spread over the state: the town nearest the centre of the
        // candidates, then each time the town farthest from those already chosen.
        int n = std::min<int>(EstacoesDesejadas(uf), static_cast<int>(noAzul.size()));
        double latMedia = 0, lonMedia = 0;
        for (const auto& c : noAzul) {
            latMedia += c.Latitude / static_cast<double>(noAzul.size());
            lonMedia += c.Longitude / static_cast<double>(noAzul.size());
        }
        std::vector<char> usada(noAzul.size(), 0);
        for (int k = 0; k < n; ++k) {
            size_t melhor = 0;
            double dMelhor = -1e300;
            for (size_t i = 0; i < noAzul.size(); ++i) {
                if (usada[i]) continue;
                double d = 1e9;
                if (k == 0) d = -std::hypot(latMedia - noAzul[i].Latitude, lonMedia - noAzul[i].Longitude);
                for (const auto& e : estacoes_[static_cast<size_t>(s)])
                    d = std::min(d, std::hypot(e.Latitude - noAzul[i].Latitude, e.Longitude - noAzul[i].Longitude));
                if (d > dMelhor + 1e-12) { dMelhor = d; melhor = i; }
            }
            usada[melhor] = 1;
            estacoes_[static_cast<size_t>(s)].push_back(noAzul[melhor]);
        }
        if (!geo) continue;
        for (size_t i = 0; i < noAzul.size(); ++i)
            if (!usada[i]) resto.push_back(noAzul[i]);
        // At least 90 % of a state's localities lie on blue: the towns just
        // off the drawn area are kept only within that share.
        std::stable_sort(resto.begin(), resto.end(), [&](const TCidade& a, const TCidade& b) {
            return Azul(*mapa, pixel(a).x(), pixel(a).y()) > Azul(*mapa, pixel(b).x(), pixel(b).y());
        });
        size_t azuis = static_cast<size_t>(std::count_if(resto.begin(), resto.end(), [&](const TCidade& c) {
            return Azul(*mapa, pixel(c).x(), pixel(c).y());
        }));
        resto.resize(std::min(resto.size(), azuis + azuis / 19));
        // A town just off the drawn area (the coast, a border) stands at the
        // nearest blue pixel, so its point is on the state's map.
        for (TCidade& c : resto)
            if (!Azul(*mapa, pixel(c).x(), pixel(c).y())) {
                const TCidade original = c;
                LevaAoAzul(c, *geo, *mapa);
                movidas_.push_back({original, c});
            }
        localidades_[static_cast<size_t>(s)] = resto;
    }
}

void TDemonstracao::Escreve(const QString& estacoesCsv, const QString& localidadesCsv) const {
    auto ordena = [](std::vector<TCidade> v) {
        std::stable_sort(v.begin(), v.end(), [](const TCidade& a, const TCidade& b) {
            return NomeAntes(Utf8ToCp1252(a.Nome), Utf8ToCp1252(b.Nome));
        });
        return v;
    };
    std::string e =
        "# Demonstration stations: real town positions (GeoNames, CC BY 4.0), synthetic K, a, b, c.\n"
        "# These are not measurements. Coordinates are degrees south and west.\n";
    e += TCsv::Linha({"uf", "nome", "K", "a", "b", "c", "citacao", "latitude", "longitude"});
    std::string l =
        "# Demonstration localities of the seven states with a map: real town positions (GeoNames, CC BY 4.0).\n"
        "# A town just off its state's blue area (on the coast or a border) stands at the nearest blue pixel of\n"
        "# the state map, so that its point is on the map; these towns, with their own positions, are:\n";
    for (const auto& [original, movida] : movidas_)
        l += "#   " + std::string(SiglasEstados[static_cast<size_t>(original.Estado)]) + " " + original.Nome + ": " +
             original.LatitudeTexto + " " + original.LongitudeTexto + " -> " + movida.LatitudeTexto + " " +
             movida.LongitudeTexto + "\n";
    l += TCsv::Linha({"uf", "nome", "latitude", "longitude"});
    for (int s = 0; s < NumEstados; ++s) {
        const std::string uf = SiglasEstados[static_cast<size_t>(s)];
        // Citations follow the order of choice, so each source covers the whole state.
        std::map<std::string, std::string> citacao;
        const auto& est = estacoes_[static_cast<size_t>(s)];
        for (size_t k = 0; k < est.size(); ++k) citacao[est[k].Nome] = Citacao(uf, k);
        for (const auto& c : ordena(est)) {
            TParametros p = Parametros(c.Latitude, c.Longitude, uf + "|" + c.Nome);
            e += TCsv::Linha({uf, c.Nome, Numero(p.K, 2), Numero(p.a, 4), Numero(p.b, 3), Numero(p.c, 4),
                              citacao[c.Nome], c.LatitudeTexto, c.LongitudeTexto});
        }
        for (const auto& c : ordena(localidades_[static_cast<size_t>(s)]))
            l += TCsv::Linha({uf, c.Nome, c.LatitudeTexto, c.LongitudeTexto});
    }
    for (auto [arquivo, texto] : {std::pair{estacoesCsv, &e}, std::pair{localidadesCsv, &l}}) {
        if (arquivo.isEmpty()) continue;
        QFile f(arquivo);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            f.write(texto->data(), static_cast<qint64>(texto->size())) != static_cast<qint64>(texto->size()))
            throw EInOutError("cannot write " + arquivo.toStdString());
    }
}

std::string TDemonstracao::Resumo() const {
    std::string r;
    for (int s = 0; s < NumEstados; ++s)
        r += std::string(SiglasEstados[static_cast<size_t>(s)]) + ": " +
             std::to_string(estacoes_[static_cast<size_t>(s)].size()) + " stations, " +
             std::to_string(localidades_[static_cast<size_t>(s)].size()) + " localities\n";
    return r;
}
