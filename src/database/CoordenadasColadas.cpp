#include "database/CoordenadasColadas.h"

#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "database/Coordenadas.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

namespace {

[[noreturn]] void Recusa(const std::string& motivoUtf8) {
    throw EConvertError(Ansi("Coordenadas não reconhecidas: " + motivoUtf8 + "."));
}

enum class TUnidade { Nenhuma, Grau, Minuto, Segundo };

struct TNumero {
    std::string Texto;   // digits and at most one '.' (a decimal comma made a point)
    bool Decimal = false;
    TUnidade Unidade = TUnidade::Nenhuma;
};

struct TGrupo {
    std::vector<TNumero> Numeros;
    char Sinal = 0;        // '-', '+' or 0
    char Hemisferio = 0;   // 'N', 'S', 'E', 'W' or 0
};

bool Digito(char c) { return c >= '0' && c <= '9'; }

bool ComecaCom(std::string_view s, std::size_t i, std::string_view prefixo) {
    return s.compare(i, prefixo.size(), prefixo) == 0;
}

// A hemisphere letter at i: one letter not followed by another letter.
char Hemisferio(std::string_view s, std::size_t i) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(s[i])));
    if (i + 1 < s.size() && std::isalpha(static_cast<unsigned char>(s[i + 1]))) return 0;
    switch (c) {
    case 'N': return 'N';
    case 'S': return 'S';
    case 'E': case 'L': return 'E';
    case 'W': case 'O': return 'W';
    default: return 0;
    }
}

class TLeitura {
public:
    explicit TLeitura(std::string_view s) : s_(s) {}

    std::vector<TGrupo> Grupos() {
        prefixo_ = PrimeiroEhLetra();
        for (std::size_t i = 0; i < s_.size();) i = Passo(i);
        Fecha();
        return grupos_;
    }

private:
    bool PrimeiroEhLetra() const {
        for (std::size_t i = 0; i < s_.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(s_[i]);
            if (c == ' ' || c == '\t') continue;
            return std::isalpha(c) && Hemisferio(s_, i) != 0;
        }
        return false;
    }

    void Fecha() {
        if (!atual_.Numeros.empty() || atual_.Sinal || atual_.Hemisferio) grupos_.push_back(atual_);
        atual_ = {};
    }
    void Unidade(TUnidade u, std::string_view simbolo) {
        if (atual_.Numeros.empty() || atual_.Numeros.back().Unidade != TUnidade::Nenhuma)
            Recusa("o sinal " + std::string(simbolo) + " não segue um número");
        atual_.Numeros.back().Unidade = u;
    }

    std::size_t Passo(std::size_t i) {
        const char c = s_[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') return i + 1;
        if (ComecaCom(s_, i, "\xC2\xA0")) return i + 2;   // no-break space
        if (Digito(c)) return Numero(i);
        if (c == '-' || c == '+' || ComecaCom(s_, i, "\xE2\x88\x92")) {
            if (!atual_.Numeros.empty() || atual_.Sinal) Fecha();
            atual_.Sinal = c == '+' ? '+' : '-';
            return i + (c == '-' || c == '+' ? 1 : 3);
        }
        if (c == ',' || c == ';' || c == '/') {
            if (atual_.Numeros.empty() && !atual_.Hemisferio) {
                if (grupos_.empty() && !atual_.Sinal) Recusa("o texto começa por um separador");
                return i + 1;
            }
            if (!prefixo_ || !atual_.Numeros.empty()) Fecha();
            return i + 1;
        }
        if (ComecaCom(s_, i, "\xC2\xB0") || ComecaCom(s_, i, "\xC2\xBA")) return Unidade(TUnidade::Grau, "°"), i + 2;
        if (c == '\'' && i + 1 < s_.size() && s_[i + 1] == '\'') return Unidade(TUnidade::Segundo, "\""), i + 2;
        if (c == '\'') return Unidade(TUnidade::Minuto, "'"), i + 1;
        if (ComecaCom(s_, i, "\xE2\x80\xB2") || ComecaCom(s_, i, "\xE2\x80\x99"))
            return Unidade(TUnidade::Minuto, "'"), i + 3;
        if (ComecaCom(s_, i, "\xC2\xB4")) return Unidade(TUnidade::Minuto, "'"), i + 2;
        if (c == '"') return Unidade(TUnidade::Segundo, "\""), i + 1;
        if (ComecaCom(s_, i, "\xE2\x80\xB3") || ComecaCom(s_, i, "\xE2\x80\x9D"))
            return Unidade(TUnidade::Segundo, "\""), i + 3;
        if (std::isalpha(static_cast<unsigned char>(c))) {
            const char h = Hemisferio(s_, i);
            if (!h) Recusa(std::string("a letra \"") + c + "\" não é um hemisfério (N, S, E/L, W/O)");
            if (prefixo_) {
                Fecha();
                atual_.Hemisferio = h;
            } else {
                if (atual_.Numeros.empty()) Recusa(std::string("o hemisfério ") + c + " não segue um número");
                atual_.Hemisferio = h;
                Fecha();
            }
            return i + 1;
        }
        // The character as written, up to the end of its UTF-8 sequence.
        std::size_t fim = i + 1;
        while (fim < s_.size() && (static_cast<unsigned char>(s_[fim]) & 0xC0) == 0x80) ++fim;
        Recusa("caractere \"" + std::string(s_.substr(i, fim - i)) + "\" não esperado");
    }

    std::size_t Numero(std::size_t i) {
        TNumero n;
        while (i < s_.size()) {
            const char c = s_[i];
            if (Digito(c)) {
                n.Texto += c;
                ++i;
            } else if ((c == '.' || c == ',') && !n.Decimal && i + 1 < s_.size() && Digito(s_[i + 1])) {
                n.Texto += '.';
                n.Decimal = true;
                ++i;
            } else {
                break;
            }
        }
        // A degree value after a complete one starts the second coordinate
        // ("23°33'02\" 46°38'00\"" with nothing between).
        const bool unidadeSegue = ComecaCom(s_, i, "\xC2\xB0") || ComecaCom(s_, i, "\xC2\xBA");
        if (unidadeSegue && !atual_.Numeros.empty() && !prefixo_) Fecha();
        atual_.Numeros.push_back(n);
        return i;
    }

    std::string_view s_;
    bool prefixo_ = false;
    TGrupo atual_;
    std::vector<TGrupo> grupos_;
};

struct TValor {
    long double Segundos;   // magnitude, in seconds of arc
    bool Decimal;           // a single decimal-degree value
    long double Graus;      // the decimal degrees when Decimal
    char Hemisferio;        // N S E W, resolved
};

long double Le(const TNumero& n) {
    double v = 0;
    if (!TryStrToFloat(n.Texto, '.', v) || !std::isfinite(v)) Recusa("\"" + n.Texto + "\" não é um número");
    return v;
}

// The magnitude of one coordinate: decimal degrees, degrees and decimal
// minutes, or degrees, minutes and seconds.
TValor Valor(const TGrupo& g, const char* qual) {
    const auto& n = g.Numeros;
    if (n.empty()) Recusa(std::string("falta o número da ") + qual);
    if (n.size() > 3) Recusa(std::string("a ") + qual + " tem mais de três partes (graus, minutos e segundos)");
    static const TUnidade ordem[] = {TUnidade::Grau, TUnidade::Minuto, TUnidade::Segundo};
    for (std::size_t k = 0; k < n.size(); ++k) {
        if (n[k].Unidade != TUnidade::Nenhuma && n[k].Unidade != ordem[k])
            Recusa(std::string("as partes da ") + qual + " estão fora da ordem graus, minutos, segundos");
        if (n[k].Decimal && k + 1 < n.size())
            Recusa(std::string("só a última parte da ") + qual + " pode ter casas decimais");
    }
    const long double graus = Le(n[0]);
    const long double minutos = n.size() > 1 ? Le(n[1]) : 0;
    const long double segundos = n.size() > 2 ? Le(n[2]) : 0;
    if (n.size() > 1 && minutos >= 60) Recusa(std::string("minutos da ") + qual + " acima de 59");
    if (n.size() > 2 && segundos >= 60) Recusa(std::string("segundos da ") + qual + " acima de 59");
    return {graus * 3600 + minutos * 60 + segundos, n.size() == 1, graus, 0};
}

AnsiString Texto(const TValor& v, bool latitude) {
    const char* qual = latitude ? "latitude" : "longitude";
    if (latitude && v.Segundos > 90 * 3600.0L) Recusa("latitude acima de 90 graus");
    if (v.Segundos >= 100 * 3600.0L)
        Recusa(std::string("a ") + qual + " tem 100 graus ou mais, que o texto de coordenada não guarda");
    // Decimal degrees take the core's conversion from decimal degrees; a
    // position given in seconds takes the same truncation from seconds.
    return v.Decimal ? TextoDeGrausDecimais(static_cast<double>(v.Graus)) : TextoDeSegundos(v.Segundos);
}

}  // namespace

TCoordenadasColadas LeCoordenadasColadas(std::string_view texto) {
    if (texto.find_first_not_of(" \t\r\n") == std::string_view::npos) Recusa("o texto está vazio");
    std::vector<TGrupo> grupos = TLeitura(texto).Grupos();

    // Plain numbers with no sign, letter or separator: split them in halves
    // ("-23 33 02 46 38 00" is read above by its signs).
    if (grupos.size() == 1 && !grupos[0].Hemisferio && !grupos[0].Sinal) {
        const auto& n = grupos[0].Numeros;
        bool semUnidades = true;
        for (const auto& x : n) semUnidades = semUnidades && x.Unidade == TUnidade::Nenhuma;
        if (semUnidades && (n.size() == 2 || n.size() == 4 || n.size() == 6)) {
            TGrupo a, b;
            a.Numeros.assign(n.begin(), n.begin() + static_cast<long>(n.size() / 2));
            b.Numeros.assign(n.begin() + static_cast<long>(n.size() / 2), n.end());
            grupos = {a, b};
        }
    }
    if (grupos.size() == 1) Recusa("só uma coordenada foi achada; dê a latitude e a longitude");
    if (grupos.size() != 2) Recusa("esperava duas coordenadas (latitude e longitude), achou " + std::to_string(grupos.size()));

    const bool letras = grupos[0].Hemisferio || grupos[1].Hemisferio;
    if (letras && !(grupos[0].Hemisferio && grupos[1].Hemisferio))
        Recusa("só uma das coordenadas tem a letra do hemisfério");
    const bool sinais = grupos[0].Sinal || grupos[1].Sinal;
    if (letras && sinais) Recusa("use o sinal ou a letra do hemisfério, não os dois");

    int iLat = 0, iLon = 1;
    if (letras) {
        auto eLatitude = [](char h) { return h == 'N' || h == 'S'; };
        if (eLatitude(grupos[0].Hemisferio) == eLatitude(grupos[1].Hemisferio))
            Recusa(eLatitude(grupos[0].Hemisferio) ? "as duas coordenadas são latitudes (N/S)"
                                                   : "as duas coordenadas são longitudes (E/W)");
        if (!eLatitude(grupos[0].Hemisferio)) std::swap(iLat, iLon);
    }
    const TGrupo& lat = grupos[static_cast<std::size_t>(iLat)];
    const TGrupo& lon = grupos[static_cast<std::size_t>(iLon)];
    const TValor vLat = Valor(lat, "latitude");
    const TValor vLon = Valor(lon, "longitude");

    // North and east: a letter says it, or a value without "-" where the
    // other one is signed; "+" always. Zero is on both sides.
    const bool norte = lat.Hemisferio == 'N' || lat.Sinal == '+' || (sinais && !letras && lat.Sinal == 0);
    const bool leste = lon.Hemisferio == 'E' || lon.Sinal == '+' || (sinais && !letras && lon.Sinal == 0);
    if (norte && vLat.Segundos > 0)
        Recusa("latitude norte; o programa guarda só latitudes sul (com sinal, o sul é negativo)");
    if (leste && vLon.Segundos > 0)
        Recusa("longitude leste; o programa guarda só longitudes oeste (com sinal, o oeste é negativo)");
    return {Texto(vLat, true), Texto(vLon, false)};
}

bool PareceCoordenada(std::string_view s) {
    std::size_t i = s.find_first_not_of(" \t");
    if (i == std::string_view::npos) return false;
    if (Digito(s[i]) || s[i] == '-' || s[i] == '+' || ComecaCom(s, i, "\xE2\x88\x92")) return true;
    if (!std::isalpha(static_cast<unsigned char>(s[i])) || !Hemisferio(s, i)) return false;
    i = s.find_first_not_of(" \t", i + 1);
    return i != std::string_view::npos && Digito(s[i]);
}
