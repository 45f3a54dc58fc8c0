#include "database/PontoDireto.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

#include "database/BDPrecipitacao.h"
#include "database/Coordenadas.h"
#include "database/PoolInterpolacao.h"
#include "platform/Caminhos.h"
#include "platform/Erros.h"
#include "platform/MemoriaGrande.h"
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

// The minutes and seconds of every usual text, ((s/60)+m)/60, worked out
// once with the operations of ParseDmsL and ParseDms: a text's value is then
// one addition of its degrees, the same to the last bit.
struct TFracoes {
    TFracoes() {
        for (int m = 0; m < 100; ++m)
            for (int s = 0; s < 100; ++s) {
                const double minutos = m, segundos = s;
                Longa[m * 100 + s] = ((static_cast<long double>(segundos) / 60) + static_cast<long double>(minutos)) / 60;
                Dupla[m * 100 + s] = ((segundos / 60) + minutos) / 60;
            }
    }
    long double Longa[10000];
    double Dupla[10000];
};

inline bool Digito(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// The usual text, three two-digit pieces at their places, read as ParseDmsL
// and ParseDms read it (the same whole numbers, the same operations); false
// for any other text, which the pool's own reading then takes.
inline bool LeTexto(const TFracoes& f, const TextoFixo<9>& t, long double& l, double& d, int& emSegundos) {
    const char* c = t.Chars;
    if (t.Len < 8 || t.Len > 9 || !(Digito(c[0]) & Digito(c[1]) & Digito(c[3]) & Digito(c[4]) & Digito(c[6]) & Digito(c[7])))
        return false;
    const int graus = (c[0] - '0') * 10 + (c[1] - '0');
    const int minutos = (c[3] - '0') * 10 + (c[4] - '0');
    const int segundos = (c[6] - '0') * 10 + (c[7] - '0');
    const int ms = minutos * 100 + segundos;
    l = f.Longa[ms] + static_cast<long double>(graus);
    d = f.Dupla[ms] + static_cast<double>(graus);
    emSegundos = minutos < 60 && segundos < 60 ? graus * 3600 + minutos * 60 + segundos : -1;
    return true;
}

// A whole record with usual texts, read without a copy.
inline bool LeRapido(const TFracoes& f, const TEstacao& e, TLeitura& r) {
    if (!LeTexto(f, e.Latitude, r.Lat, r.LatD, r.LatS) || !LeTexto(f, e.Longitude, r.Lon, r.LonD, r.LonS)) return false;
    const double K = e.K, a = e.a, b = e.b, c = e.c;
    return std::isfinite(K) && std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

// Every vertex of the stations' hull is, among the stations at its
// longitude, the southernmost or the northernmost: those are kept by the
// whole second of longitude (in order, so the hull needs no sorting), the
// stations of other texts as they are.
class TExtremos {
public:
    TExtremos() : faixa_(kSegundos, {INT32_MAX, -1}) {}
    void Inclui(const TLeitura& r) {
        if (r.LatS < 0 || r.LonS < 0) {
            outros_.push_back({r.LonD, r.LatD});
            return;
        }
        TFaixa& f = faixa_[static_cast<std::size_t>(r.LonS)];
        f.Menor = std::min(f.Menor, r.LatS);
        f.Maior = std::max(f.Maior, r.LatS);
    }
    void Junta(const TExtremos& outros) {
        for (std::size_t x = 0; x < faixa_.size(); ++x) {
            faixa_[x].Menor = std::min(faixa_[x].Menor, outros.faixa_[x].Menor);
            faixa_[x].Maior = std::max(faixa_[x].Maior, outros.faixa_[x].Maior);
        }
        outros_.insert(outros_.end(), outros.outros_.begin(), outros.outros_.end());
    }
    TEnvoltoriaConvexa Envoltoria() const {
        std::vector<TEnvoltoriaConvexa::TPonto> pontos;
        pontos.reserve(2 * static_cast<std::size_t>(
                                std::count_if(faixa_.begin(), faixa_.end(), [](const TFaixa& f) { return f.Maior >= 0; })));
        for (int x = 0; x < kSegundos; ++x) {
            const TFaixa& f = faixa_[static_cast<std::size_t>(x)];
            if (f.Maior < 0) continue;
            const double lon = Graus(x);
            pontos.push_back({lon, Graus(f.Menor)});
            if (f.Maior != f.Menor) pontos.push_back({lon, Graus(f.Maior)});
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
    struct TFaixa {
        int Menor, Maior;   // latitude seconds
    };
    std::vector<TFaixa, TAlocadorGrande<TFaixa>> faixa_;   // by longitude second
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

namespace {

struct TAlvo {
    const AnsiString& Latitude;
    const AnsiString& Longitude;
    double Lat, Lon;
};

// The first pass over the stations [inicio, fim) of the scan, which may run
// beside the others: every station's position (for the confidence) and, up
// to the first station that is the answer or a record that is not whole,
// the weights.
struct TParte {
    std::size_t Inicio = 0, Fim = 0;
    std::size_t Evento = 0;     // first answer or record that is not whole; Fim when none
    AnsiString Defeito;         // the message, when Evento is a record that is not whole
    TExtremos Extremos;

    void Percorre(const std::vector<TAvaliadorConfianca::TBloco>& blocos, const std::vector<std::size_t>& quantas,
                  const TAlvo& alvo, const AnsiString& arquivo, TAvaliadorConfianca::TPosicao* posicoes,
                  long double* pesos) {
        static const TFracoes fracoes;
        Evento = Fim;
        bool parou = false;
        for (std::size_t k = 0; k < blocos.size(); ++k) {
            const std::size_t de = std::max(Inicio, blocos[k].Inicio), ate = std::min(Fim, blocos[k].Inicio + quantas[k]);
            for (std::size_t i = de; i < ate; ++i) {
                const TEstacao& e = blocos[k].Primeira[i - blocos[k].Inicio];
                TLeitura r{};
                bool legivel = true;
                if (!LeRapido(fracoes, e, r)) {
                    const TExameEstacao x = ExaminaEstacao(e);
                    legivel = x.Legivel;
                    if (!parou && !x.Defeito.empty()) {
                        parou = true;
                        Evento = i;
                        Defeito = MensagemRegistroCorrompido(arquivo, DescreveRegistro(e, blocos[k].Estado, i - blocos[k].Inicio),
                                                             x.Defeito);
                    }
                    if (legivel) r = {x.Lat, x.Lon, ParseDms(e.Latitude.Text()), ParseDms(e.Longitude.Text()), -1, -1};
                }
                if (legivel) {
                    posicoes[i] = {r.LatD, r.LonD};
                    Extremos.Inclui(r);
                } else {
                    posicoes[i] = {std::nan(""), std::nan("")};
                }
                if (parou) continue;
                // Equal texts read alike: the texts are compared only then.
                if (r.LatD == alvo.Lat && r.LonD == alvo.Lon && e.Latitude.Vista() == alvo.Latitude &&
                    e.Longitude.Vista() == alvo.Longitude) {
                    parou = true;
                    Evento = i;
                    continue;
                }
                const long double d2 = passos_interpolacao::Distancia2(r.Lat, r.Lon, alvo.Lat, alvo.Lon);
                if (d2 == 0) {
                    parou = true;
                    Evento = i;
                    continue;
                }
                pesos[i] = passos_interpolacao::Peso(d2);
            }
        }
    }
};

// f(parte) for each part, the first on this thread and the others beside
// it; a part whose thread the system refuses runs on this thread.
template <typename F>
void EmParalelo(std::vector<TParte>& partes, F f) {
    std::vector<std::thread> outras;
    for (std::size_t k = 1; k < partes.size(); ++k) {
        try {
            outras.emplace_back([&, k] { f(partes[k]); });
        } catch (const std::system_error&) {
            f(partes[k]);
        }
    }
    f(partes[0]);
    for (std::thread& t : outras) t.join();
}

}  // namespace

TPontoDireto::TResposta TPontoDireto::Responde(const AnsiString& latitude, const AnsiString& longitude,
                                               double distanciaDeAviso) const {
    const TAlvo alvo{latitude, longitude, ParseDms(latitude), ParseDms(longitude)};
    const std::size_t n = tamanho_;
    std::vector<TAvaliadorConfianca::TBloco> blocos;
    std::vector<std::size_t> quantas;
    for (std::size_t k = 0, inicio = 0; k < blocos_.size(); inicio += blocos_[k++].Quantas) {
        blocos.push_back({inicio, blocos_[k].Primeira, blocos_[k].Estado});
        quantas.push_back(blocos_[k].Quantas);
    }
    TAvaliadorConfianca::TPosicoes posicoes(n);
    std::vector<long double, TAlocadorGrande<long double>> pesos(n);

    // The stations in parts of the scan, one per core (a few at most).
    constexpr std::size_t kPorParte = 1u << 16;
    const std::size_t nucleos = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
    const std::size_t nPartes = std::clamp<std::size_t>(n / kPorParte, 1, nucleos);
    std::vector<TParte> partes(nPartes);
    for (std::size_t k = 0; k < nPartes; ++k) {
        partes[k].Inicio = n * k / nPartes;
        partes[k].Fim = n * (k + 1) / nPartes;
    }
    const AnsiString arquivo = TextoDoCaminho(caminho_);
    EmParalelo(partes, [&](TParte& p) { p.Percorre(blocos, quantas, alvo, arquivo, posicoes.data(), pesos.data()); });

    // In scan order: the first station that is the answer or a record that
    // is not whole decides; otherwise the weights are summed in scan order.
    std::size_t achada = n;
    for (const TParte& p : partes)
        if (p.Evento < p.Fim) {
            if (!p.Defeito.empty()) throw EDadosInvalidos(p.Defeito);
            achada = p.Evento;
            break;
        }
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
        long double total = 0;
        for (std::size_t q = 0; q < n; ++q) total += pesos[q];
        soma = VerificaL(total);
        // Second pass: the shares beside each other, then each parameter
        // summed in scan order.
        EmParalelo(partes, [&](TParte& p) {
            for (std::size_t q = p.Inicio; q < p.Fim; ++q) pesos[q] = pesos[q] / soma;
        });
        double somas[4] = {0, 0, 0, 0};
        std::size_t q = 0;
        for (const TBloco& bloco : blocos_)
            for (std::size_t j = 0; j < bloco.Quantas; ++j, ++q) {
                const TEstacao& e = bloco.Primeira[j];
                passos_interpolacao::Soma(somas, pesos[q], e.K, e.a, e.b, e.c);
            }
        TEstacao& r = resposta.Estacao;
        r.K = somas[0];
        r.a = somas[1];
        r.b = somas[2];
        r.c = somas[3];
        r.Nome.Assign("");
        r.Autor.Assign("Interpola\xE7\xE3o");
        r.Latitude.Assign(latitude);
        r.Longitude.Assign(longitude);
    }

    const TEstacao* unica = achada < n ? &estacao(achada) : n == 1 ? &estacao(0) : nullptr;
    auto parcela = [&](std::size_t q) {
        if (achada < n) return q == achada ? 1.0 : 0.0;
        return static_cast<double>(pesos[q]);   // already divided by the sum
    };
    for (std::size_t k = 1; k < partes.size(); ++k) partes[0].Extremos.Junta(partes[k].Extremos);
    const TAvaliadorConfianca avaliador(std::move(blocos), std::move(posicoes), partes[0].Extremos.Envoltoria(),
                                        distanciaDeAviso);
    resposta.Confianca = avaliador.ResumoDe(alvo.Lat, alvo.Lon, unica, parcela);
    return resposta;
}
