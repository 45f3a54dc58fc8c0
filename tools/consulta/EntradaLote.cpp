#include "EntradaLote.h"

#include <algorithm>
#include <cctype>

#include "LeitorCoordenada.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

namespace {

bool ComecaPorLetra(const std::string& s) {
    const std::size_t i = s.find_first_not_of(" \t");
    return i != std::string::npos &&
           (std::isalpha(static_cast<unsigned char>(s[i])) || static_cast<unsigned char>(s[i]) >= 0xC0);
}

const std::vector<std::string> kNomesLatitude = {"lat", "latitude", "y"};
const std::vector<std::string> kNomesLongitude = {"lon", "long", "lng", "longitude", "x"};

bool Um(const std::string& nome, const std::vector<std::string>& nomes) {
    return std::find(nomes.begin(), nomes.end(), nome) != nomes.end();
}

}  // namespace

std::string NomeNormalizado(const std::string& utf8) {
    // cp1252 holds the accented letters of the names met in practice.
    const std::string texto = IsCp1252Representable(utf8) ? Utf8ToCp1252(utf8) : utf8;
    static const std::string com = "\xE0\xE1\xE2\xE3\xE4\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF1\xF2\xF3\xF4\xF5\xF6"
                                   "\xF9\xFA\xFB\xFC\xC0\xC1\xC2\xC3\xC4\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD1\xD2"
                                   "\xD3\xD4\xD5\xD6\xD9\xDA\xDB\xDC";
    static const std::string sem = "aaaaaceeeeiiiinooooouuuuaaaaaceeeeiiiinooooouuuu";
    std::string r;
    for (char c : texto) {
        const std::size_t i = com.find(c);
        r += i != std::string::npos ? sem[i] : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const std::size_t a = r.find_first_not_of(" \t"), b = r.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : r.substr(a, b - a + 1);
}

std::size_t TEntradaLote::ColunaId() const {
    for (std::size_t i = 0; i < Nomes.size(); ++i)
        if (i != ColunaLatitude && i != ColunaLongitude) return i;
    return Nomes.size();
}

TEntradaLote TEntradaLote::DaPrimeiraLinha(const std::vector<std::string>& campos, const std::string& colunas,
                                           const std::vector<std::string>& reservados) {
    TEntradaLote e;
    std::vector<std::string> normalizados;
    for (const std::string& c : campos) normalizados.push_back(NomeNormalizado(c));
    auto acha = [&](const std::string& nome) {
        const auto i = std::find(normalizados.begin(), normalizados.end(), NomeNormalizado(nome));
        if (i == normalizados.end())
            throw EConvertError(Ansi("--colunas: a coluna \"") + AnsiDaEntrada(nome) +
                                Ansi("\" não está no cabeçalho da entrada"));
        return static_cast<std::size_t>(i - normalizados.begin());
    };

    if (!colunas.empty()) {
        const std::size_t virgula = colunas.find(',');
        const std::string lat = colunas.substr(0, virgula), lon = colunas.substr(virgula + 1);
        int nLat = 0, nLon = 0;
        if (TryStrToInt(lat, nLat) && TryStrToInt(lon, nLon)) {
            e.ColunaLatitude = static_cast<std::size_t>(nLat - 1);
            e.ColunaLongitude = static_cast<std::size_t>(nLon - 1);
            e.TemCabecalho = e.ColunaLatitude < campos.size() && e.ColunaLongitude < campos.size() &&
                             ComecaPorLetra(campos[e.ColunaLatitude]) && ComecaPorLetra(campos[e.ColunaLongitude]);
        } else {
            e.ColunaLatitude = acha(lat);
            e.ColunaLongitude = acha(lon);
            e.TemCabecalho = true;
        }
    } else {
        const auto lat = std::find_if(normalizados.begin(), normalizados.end(),
                                      [](const std::string& n) { return Um(n, kNomesLatitude); });
        const auto lon = std::find_if(normalizados.begin(), normalizados.end(),
                                      [](const std::string& n) { return Um(n, kNomesLongitude); });
        if (lat != normalizados.end() && lon != normalizados.end()) {
            e.ColunaLatitude = static_cast<std::size_t>(lat - normalizados.begin());
            e.ColunaLongitude = static_cast<std::size_t>(lon - normalizados.begin());
            e.TemCabecalho = true;
        } else {
            e.TemCabecalho = campos.size() >= 3 && ComecaPorLetra(campos[1]) && ComecaPorLetra(campos[2]);
        }
    }

    const std::size_t n = std::max({campos.size(), e.ColunaLatitude + 1, e.ColunaLongitude + 1});
    for (std::size_t i = 0; i < n; ++i) {
        std::string nome;
        if (e.TemCabecalho && i < campos.size()) {
            const std::size_t a = campos[i].find_first_not_of(" \t"), b = campos[i].find_last_not_of(" \t");
            if (a != std::string::npos) nome = campos[i].substr(a, b - a + 1);
        }
        if (nome.empty())
            nome = i == e.ColunaLatitude ? "latitude" : i == e.ColunaLongitude ? "longitude"
                   : i == 0                  ? "id"
                                             : "campo" + std::to_string(i + 1);
        auto tomado = [&](const std::string& x) {
            auto igual = [&](const std::string& y) { return NomeNormalizado(y) == NomeNormalizado(x); };
            return std::any_of(reservados.begin(), reservados.end(), igual) ||
                   std::any_of(e.Nomes.begin(), e.Nomes.end(), igual);
        };
        if (tomado(nome)) nome += "_entrada";
        for (int k = 2; tomado(nome); ++k) nome = nome.substr(0, nome.rfind('_') + 1) + "entrada" + std::to_string(k);
        e.Nomes.push_back(nome);
        if (e.TemCabecalho && i > 0 && i < normalizados.size() && i != e.ColunaLatitude && i != e.ColunaLongitude) {
            if (normalizados[i] == "t") e.ColunaT = i;
            if (normalizados[i] == "p") e.ColunaP = i;
        }
    }
    if (e.ColunaT == 0 || e.ColunaP == 0) e.ColunaT = e.ColunaP = 0;
    return e;
}
