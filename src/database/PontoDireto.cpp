#include "database/PontoDireto.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "database/BDPrecipitacao.h"
#include "database/Coordenadas.h"
#include "database/PoolInterpolacao.h"
#include "platform/Caminhos.h"
#include "platform/Erros.h"
#include "platform/PontoFlutuante.h"

namespace {

// Opens the file after the check that it exists (the message of a missing file first).
const std::string& Existente(const std::string& caminho) {
    ExigeArquivoDeDados(caminho);
    return caminho;
}

struct TLeitura {
    long double Lat, Lon;   // as the pool reads them
    double LatD, LonD;      // as the confidence reads them
    int LatS, LonS;         // whole seconds when minutes and seconds are under 60, else -1
};

// The usual text, three two-digit pieces at their places, read as ParseDmsL
// and ParseDms read it (the same whole numbers, the same operations); false
// for any other text, which the pool's own reading then takes.
bool LeTexto(const TextoFixo<9>& t, long double& l, double& d, int& emSegundos) {
    if (t.Len < 8 || t.Len > 9) return false;
    const char* c = t.Chars;
    for (int k : {0, 1, 3, 4, 6, 7})
        if (c[k] < '0' || c[k] > '9') return false;
    const double graus = (c[0] - '0') * 10 + (c[1] - '0');
    const double minutos = (c[3] - '0') * 10 + (c[4] - '0');
    const double segundos = (c[6] - '0') * 10 + (c[7] - '0');
    l = ((static_cast<long double>(segundos) / 60) + static_cast<long double>(minutos)) / 60 +
        static_cast<long double>(graus);
    d = ((segundos / 60) + minutos) / 60 + graus;
    emSegundos = minutos < 60 && segundos < 60 ? static_cast<int>(graus * 3600 + minutos * 60 + segundos) : -1;
    return true;
}

// A whole record with usual texts, read without a copy.
bool LeRapido(const TEstacao& e, TLeitura& r) {
    if (!LeTexto(e.Latitude, r.Lat, r.LatD, r.LatS) || !LeTexto(e.Longitude, r.Lon, r.LonD, r.LonS)) return false;
    const double K = e.K, a = e.a, b = e.b, c = e.c;
    return std::isfinite(K) && std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

// Every vertex of the stations' hull is, among the stations at its
// longitude, the southernmost or the northernmost: those are kept by the
// whole second of longitude (in order, so the hull needs no sorting), the
// stations of other texts as they are.
class TExtremos {
public:
    TExtremos() : menor_(kSegundos, INT32_MAX), maior_(kSegundos, -1) {}
    void Inclui(const TLeitura& r) {
        if (r.LatS < 0 || r.LonS < 0) {
            outros_.push_back({r.LonD, r.LatD});
            return;
        }
        menor_[r.LonS] = std::min(menor_[r.LonS], r.LatS);
        maior_[r.LonS] = std::max(maior_[r.LonS], r.LatS);
    }
    TEnvoltoriaConvexa Envoltoria() const {
        std::vector<TEnvoltoriaConvexa::TPonto> pontos;
        pontos.reserve(2 * static_cast<std::size_t>(std::count_if(maior_.begin(), maior_.end(), [](int y) { return y >= 0; })));
        for (int x = 0; x < kSegundos; ++x) {
            if (maior_[x] < 0) continue;
            const double lon = Graus(x);
            pontos.push_back({lon, Graus(menor_[x])});
            if (maior_[x] != menor_[x]) pontos.push_back({lon, Graus(maior_[x])});
        }
        if (outros_.empty()) return TEnvoltoriaConvexa::DeOrdenados(pontos);
        pontos.insert(pontos.end(), outros_.begin(), outros_.end());
        return TEnvoltoriaConvexa(std::move(pontos));
    }

private:
    static constexpr int kSegundos = 100 * 3600;
    // As LeTexto reads the text of these seconds.
    static double Graus(int s) {
        const double graus = s / 3600, minutos = s / 60 % 60, segundos = s % 60;
        return ((segundos / 60) + minutos) / 60 + graus;
    }
    std::vector<int> menor_, maior_;   // latitude seconds by longitude second
    std::vector<TEnvoltoriaConvexa::TPonto> outros_;
};

}  // namespace

TPontoDireto::TPontoDireto(const std::string& caminhoEstacoes)
    : caminho_(caminhoEstacoes), arquivo_(Existente(caminhoEstacoes)) {
    const unsigned char* dados = arquivo_.Dados();
    const std::size_t total = arquivo_.Tamanho();
    if (total < 1) throw EDadosInvalidos(MensagemSemByteInicial(caminho_));
    std::size_t pos = 1, k = 0;
    for (int s = 0; s < NumEstados; ++s) {
        if (total - pos < 2) throw EDadosInvalidos(MensagemArquivoIncompleto(caminho_, s));
        const std::size_t n = static_cast<std::size_t>(dados[pos] | (dados[pos + 1] << 8));
        pos += 2;
        const std::size_t bytes = n * sizeof(TEstacao);
        if (total - pos < bytes) throw EDadosInvalidos(MensagemArquivoIncompleto(caminho_, s));
        if (k < EstadosInterpolacao.size() && EstadosInterpolacao[k] == s) {
            blocos_[k++] = {reinterpret_cast<const TEstacao*>(dados + pos), n, s};
            tamanho_ += n;
            arquivo_.VaiLer(pos, bytes);
        }
        pos += bytes;
    }
}

TPontoDireto::TResposta TPontoDireto::Responde(const AnsiString& latitude, const AnsiString& longitude,
                                               double distanciaDeAviso) const {
    const double lat = ParseDms(latitude);
    const double lon = ParseDms(longitude);
    const std::size_t n = tamanho_;
    std::vector<TAvaliadorConfianca::TBloco> blocos;
    std::vector<TAvaliadorConfianca::TPosicao> posicoes(n);
    std::vector<long double> pesos(n);

    // First pass, in scan order: the first station whose texts equal the
    // target's or whose position is the target's is the answer; a record
    // that is not whole before it is an error; the others weigh. Every
    // station is read, for the confidence.
    std::size_t achada = n;
    bool parou = false;
    long double total = 0;
    std::size_t i = 0;
    TExtremos extremos;
    for (const TBloco& bloco : blocos_) {
        blocos.push_back({i, bloco.Primeira, bloco.Estado});
        for (std::size_t j = 0; j < bloco.Quantas; ++j, ++i) {
            const TEstacao& e = bloco.Primeira[j];
            TLeitura r{};
            bool legivel = true;
            if (!LeRapido(e, r)) {
                const TExameEstacao x = ExaminaEstacao(e);
                legivel = x.Legivel;
                if (!parou && !x.Defeito.empty())
                    throw EDadosInvalidos(
                        MensagemRegistroCorrompido(TextoDoCaminho(caminho_), DescreveRegistro(e, bloco.Estado, j), x.Defeito));
                if (legivel) r = {x.Lat, x.Lon, ParseDms(e.Latitude.Text()), ParseDms(e.Longitude.Text()), -1, -1};
            }
            if (legivel) {
                posicoes[i] = {r.LatD, r.LonD};
                extremos.Inclui(r);
            } else {
                posicoes[i] = {std::nan(""), std::nan("")};
            }
            if (parou) continue;
            if (e.Latitude.Vista() == latitude && e.Longitude.Vista() == longitude) {
                achada = i;
                parou = true;
                continue;
            }
            const long double dLat = r.Lat - lat;
            const long double dLon = r.Lon - lon;
            const long double d2 = dLat * dLat + dLon * dLon;
            if (d2 == 0) {
                achada = i;
                parou = true;
                continue;
            }
            const long double peso = 1.0L / (d2 * d2 * std::sqrt(d2));
            pesos[i] = peso;
            total += peso;
        }
    }
    // The stations in scan order, through the blocks.
    auto estacao = [&](std::size_t q) -> const TEstacao& {
        std::size_t k = 0;
        while (k + 1 < blocos.size() && blocos[k + 1].Inicio <= q) ++k;
        return blocos[k].Primeira[q - blocos[k].Inicio];
    };

    TResposta resposta;
    long double soma = 0;
    if (achada < n) {
        resposta.Estacao = estacao(achada);
    } else {
        soma = VerificaL(total);
        // Second pass: each parameter summed in scan order.
        double K = 0, a = 0, b = 0, c = 0;
        std::size_t q = 0;
        for (const TBloco& bloco : blocos_)
            for (std::size_t j = 0; j < bloco.Quantas; ++j, ++q) {
                const TEstacao& e = bloco.Primeira[j];
                const double pK = e.K, pa = e.a, pb = e.b, pc = e.c;
                const long double fator = pesos[q] / soma;
                K = static_cast<double>(K + fator * pK);
                a = static_cast<double>(a + fator * pa);
                b = static_cast<double>(b + fator * pb);
                c = static_cast<double>(c + fator * pc);
            }
        TEstacao& r = resposta.Estacao;
        r.K = K;
        r.a = a;
        r.b = b;
        r.c = c;
        r.Nome.Assign("");
        r.Autor.Assign("Interpola\xE7\xE3o");
        r.Latitude.Assign(latitude);
        r.Longitude.Assign(longitude);
    }

    const TEstacao* unica = achada < n ? &estacao(achada) : n == 1 ? &estacao(0) : nullptr;
    auto parcela = [&](std::size_t q) {
        if (achada < n) return q == achada ? 1.0 : 0.0;
        return static_cast<double>(pesos[q] / soma);
    };
    const TAvaliadorConfianca avaliador(std::move(blocos), std::move(posicoes), extremos.Envoltoria(),
                                        distanciaDeAviso);
    resposta.Confianca = avaliador.ResumoDe(lat, lon, unica, parcela);
    return resposta;
}
