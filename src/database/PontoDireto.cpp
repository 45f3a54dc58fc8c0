#include "database/PontoDireto.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <memory>
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
inline bool LeTexto(const TFracoes& f, const TextoFixo<9>& t, long double& l, double& d) {
    const char* c = t.Chars;
    if (t.Len < 8 || t.Len > 9 || !(Digito(c[0]) & Digito(c[1]) & Digito(c[3]) & Digito(c[4]) & Digito(c[6]) & Digito(c[7])))
        return false;
    const int graus = (c[0] - '0') * 10 + (c[1] - '0');
    const int minutos = (c[3] - '0') * 10 + (c[4] - '0');
    const int segundos = (c[6] - '0') * 10 + (c[7] - '0');
    const int ms = minutos * 100 + segundos;
    l = f.Longa[ms] + static_cast<long double>(graus);
    d = f.Dupla[ms] + static_cast<double>(graus);
    return true;
}

// A whole record with usual texts.
inline bool LeRapido(const TFracoes& f, const TEstacao& e, TLeitura& r) {
    if (!LeTexto(f, e.Latitude, r.Lat, r.LatD) || !LeTexto(f, e.Longitude, r.Lon, r.LonD)) return false;
    const double K = e.K, a = e.a, b = e.b, c = e.c;
    return std::isfinite(K) && std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

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
            blocos_[k++] = {tamanho_, reinterpret_cast<const TEstacao*>(dados + pos), n, s};
            tamanho_ += n;
        }
        pos += bytes;
    }
}

namespace {

using TBloco = TPontoDireto::TBloco;

struct TAlvo {
    const AnsiString& Latitude;
    const AnsiString& Longitude;
    double Lat, Lon;
};

struct TLiberaGrande {
    std::size_t Bytes;
    void operator()(void* p) const { LiberaGrande(p, Bytes); }
};
template <typename T>
using TArranjoGrande = std::unique_ptr<T, TLiberaGrande>;
// Uninitialised room for n values, in huge pages where the system has them.
template <typename T>
TArranjoGrande<T> ArranjoGrande(std::size_t n) {
    const std::size_t bytes = std::max<std::size_t>(n, 1) * sizeof(T);
    return TArranjoGrande<T>(static_cast<T*>(ReservaGrande(bytes)), TLiberaGrande{bytes});
}

constexpr std::size_t kPorPedaco = 1024;
constexpr std::size_t kAdiante = 32;   // stations read ahead

// f(i, stations, m, block) for the stations [inicio, fim) of the scan, m at
// a time from scan index i on, each piece's page tables filled first.
template <typename F>
void PercorrePedacos(const TArquivoMapeado& arquivo, const std::array<TBloco, 8>& blocos, std::size_t inicio,
                     std::size_t fim, F f) {
    for (const TBloco& b : blocos) {
        const std::size_t de = std::max(inicio, b.Inicio), ate = std::min(fim, b.Inicio + b.Quantas);
        if (de < ate)
            arquivo.VaiLer(static_cast<std::size_t>(reinterpret_cast<const unsigned char*>(b.Primeira + (de - b.Inicio)) -
                                                    arquivo.Dados()),
                           (ate - de) * sizeof(TEstacao));
        for (std::size_t i = de; i < ate; i += kPorPedaco) f(i, b.Primeira + (i - b.Inicio), std::min(kPorPedaco, ate - i), b);
    }
}

// f(i, station, block) for each station.
template <typename F>
void Percorre(const TArquivoMapeado& arquivo, const std::array<TBloco, 8>& blocos, std::size_t inicio, std::size_t fim,
              F f) {
    PercorrePedacos(arquivo, blocos, inicio, fim, [&](std::size_t i, const TEstacao* e, std::size_t m, const TBloco& b) {
        for (std::size_t j = 0; j < m; ++j) f(i + j, e[j], b);
    });
}

// A record that is not read the usual way, examined as the pool examines
// it; its first defect goes to defeito.
bool LeDevagar(const TEstacao& e, TLeitura& r, AnsiString& defeito) {
    TExameEstacao x = ExaminaEstacao(e);
    defeito = std::move(x.Defeito);
    if (!x.Legivel) return false;
    r = {x.Lat, x.Lon, ParseDms(e.Latitude.Text()), ParseDms(e.Longitude.Text())};
    return true;
}

// A station's texts as the pool and the confidence read them; false when
// they do not read.
inline bool Le(const TFracoes& f, const TEstacao& e, TLeitura& r, AnsiString& defeito) {
    return LeRapido(f, e, r) || LeDevagar(e, r, defeito);
}

const TFracoes& Fracoes() {
    static const TFracoes fracoes;
    return fracoes;
}

// A part [Inicio, Fim) of the scan, whose first pass may run beside the
// others': the weights up to the first station that is the
// answer or a record that is not whole, and, over every station, the
// nearest ones.
struct TParte {
    TParte(std::size_t inicio, std::size_t fim, const TAlvo& alvo)
        : Inicio(inicio), Fim(fim), Evento(fim), Vizinhos(alvo.Lat, alvo.Lon) {}
    std::size_t Inicio, Fim;
    std::size_t Evento;         // first answer or record that is not whole; Fim when none
    AnsiString Defeito;         // the message, when Evento is a record that is not whole
    TVizinhos Vizinhos;
    TCandidatasEnvoltoria Envoltoria;   // only when the hull is asked for
    long double Soma = 0;       // of the weights, in scan order (kept by the first part only)
    std::exception_ptr Erro;    // the file could not be read

    // Each piece is read first (texts, events, the nearest stations), then
    // weighed in a loop of its own, where the divisions and square roots of
    // many stations overlap.
    void PrimeiraPassagem(const TArquivoMapeado& arquivo, const std::array<TBloco, 8>& blocos, const TAlvo& alvo,
                          const AnsiString& nomeArquivo, long double* pesos, bool soma) {
        const TFracoes& fracoes = Fracoes();
        bool parou = false;
        AnsiString defeito;
        std::vector<long double> lat(kPorPedaco), lon(kPorPedaco);
        PercorrePedacos(arquivo, blocos, Inicio, Fim, [&](std::size_t i, const TEstacao* e, std::size_t m, const TBloco& b) {
            std::size_t ate = parou ? 0 : m;   // stations to weigh
            for (std::size_t j = 0; j < m; ++j) {
                // The memory of a station a few pages ahead is asked for
                // now: the processor's own prefetch stops at each page.
                if (j + kAdiante < m) {
                    __builtin_prefetch(&e[j + kAdiante].K);
                    __builtin_prefetch(&e[j + kAdiante].Longitude);
                }
                TLeitura r{};
                defeito.clear();
                if (Le(fracoes, e[j], r, defeito)) Vizinhos.Ve(i + j, r.LatD, r.LonD);
                if (j >= ate) continue;
                lat[j] = r.Lat;
                lon[j] = r.Lon;
                if (!defeito.empty()) {
                    ate = j;
                    Evento = i + j;
                    Defeito = MensagemRegistroCorrompido(nomeArquivo, DescreveRegistro(e[j], b.Estado, i + j - b.Inicio),
                                                         defeito);
                } else if (r.LatD == alvo.Lat && r.LonD == alvo.Lon && e[j].Latitude.Vista() == alvo.Latitude &&
                           e[j].Longitude.Vista() == alvo.Longitude) {
                    // Equal texts read alike: the texts are compared only then.
                    ate = j;
                    Evento = i + j;
                }
            }
            if (ate < m) parou = true;
            for (std::size_t j = 0; j < ate; ++j) {
                const long double d2 = passos_interpolacao::Distancia2(lat[j], lon[j], alvo.Lat, alvo.Lon);
                if (d2 == 0) {
                    parou = true;
                    Evento = i + j;
                    Defeito.clear();
                    break;
                }
                pesos[i + j] = passos_interpolacao::Peso(d2);
                if (soma) Soma += pesos[i + j];
            }
        });
    }

    // The hull's candidates, for a point that the stations do not surround.
    void Envolve(const TArquivoMapeado& arquivo, const std::array<TBloco, 8>& blocos) {
        const TFracoes& fracoes = Fracoes();
        AnsiString defeito;
        Percorre(arquivo, blocos, Inicio, Fim, [&](std::size_t, const TEstacao& e, const TBloco&) {
            TLeitura r{};
            if (Le(fracoes, e, r, defeito)) Envoltoria.Inclui({r.LonD, r.LatD});
        });
    }
};

// The second pass of the nearest stations, when the first did not keep them all.
std::vector<TVizinhos::TListada> Lista(const TArquivoMapeado& arquivo, const std::array<TBloco, 8>& blocos,
                                       std::size_t n, const TVizinhos& vizinhos) {
    const TFracoes& fracoes = Fracoes();
    std::vector<TVizinhos::TListada> lista;
    AnsiString defeito;
    Percorre(arquivo, blocos, 0, n, [&](std::size_t i, const TEstacao& e, const TBloco&) {
        TLeitura r{};
        if (!Le(fracoes, e, r, defeito)) return;
        const double km = vizinhos.Km(r.LatD, r.LonD);
        if (km >= 0) lista.push_back({i, km});
    });
    return lista;
}

// f(parte) for each part, the first on this thread and the others beside
// it; a part whose thread the system refuses runs on this thread. The
// first error, in the order of the parts, is raised here.
template <typename F>
void EmParalelo(std::vector<TParte>& partes, F f) {
    auto protegida = [&f](TParte& p) {
        try {
            f(p);
        } catch (...) {
            p.Erro = std::current_exception();
        }
    };
    std::vector<std::thread> outras;
    for (std::size_t k = 1; k < partes.size(); ++k) {
        try {
            outras.emplace_back([&, k] { protegida(partes[k]); });
        } catch (const std::system_error&) {
            protegida(partes[k]);
        }
    }
    protegida(partes[0]);
    for (std::thread& t : outras) t.join();
    for (const TParte& p : partes)
        if (p.Erro) std::rethrow_exception(p.Erro);
}

}  // namespace

TPontoDireto::TResposta TPontoDireto::Responde(const AnsiString& latitude, const AnsiString& longitude,
                                               double distanciaDeAviso) const {
    const TAlvo alvo{latitude, longitude, ParseDms(latitude), ParseDms(longitude)};
    const std::size_t n = tamanho_;
    // Written by the first pass up to its first event, read only when there is none.
    const TArranjoGrande<long double> pesos = ArranjoGrande<long double>(n);

    // The first pass in parts of the scan, one per core (a few at most).
    constexpr std::size_t kPorParte = 1u << 16;
    const std::size_t nucleos = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
    const std::size_t nPartes = std::clamp<std::size_t>(n / kPorParte, 1, nucleos);
    std::vector<TParte> partes;
    for (std::size_t k = 0; k < nPartes; ++k) partes.emplace_back(n * k / nPartes, n * (k + 1) / nPartes, alvo);
    const AnsiString nomeArquivo = TextoDoCaminho(caminho_);
    EmParalelo(partes, [&](TParte& p) {
        p.PrimeiraPassagem(arquivo_, blocos_, alvo, nomeArquivo, pesos.get(), &p == &partes[0]);
    });

    // In scan order: the first station that is the answer or a record that
    // is not whole decides.
    std::size_t achada = n;
    for (const TParte& p : partes)
        if (p.Evento < p.Fim) {
            if (!p.Defeito.empty()) throw EDadosInvalidos(p.Defeito);
            achada = p.Evento;
            break;
        }
    for (std::size_t k = 1; k < partes.size(); ++k) partes[0].Vizinhos.Junta(partes[k].Vizinhos);
    TVizinhos& vizinhos = partes[0].Vizinhos;
    vizinhos.Fecha();
    const std::vector<TVizinhos::TListada> listadas =
        vizinhos.Completa() ? vizinhos.Listadas() : Lista(arquivo_, blocos_, n, vizinhos);
    auto bloco = [&](std::size_t q) -> const TBloco& {
        std::size_t k = 0;
        while (k + 1 < blocos_.size() && blocos_[k + 1].Inicio <= q) ++k;
        return blocos_[k];
    };
    auto estacao = [&](std::size_t q) -> const TEstacao& { return bloco(q).Primeira[q - bloco(q).Inicio]; };

    TResposta resposta;
    long double soma = 0;
    const TEstacao* unica = nullptr;
    if (achada < n) {
        unica = &estacao(achada);
        resposta.Estacao = *unica;
    } else {
        if (n == 1) unica = &estacao(0);
        long double total = partes[0].Soma;
        for (std::size_t q = partes[0].Fim; q < n; ++q) total += pesos.get()[q];
        soma = VerificaL(total);
        // Second pass: each parameter summed in scan order with the shares.
        double somas[4] = {0, 0, 0, 0};
        for (const TBloco& b : blocos_)
            for (std::size_t j = 0; j < b.Quantas; ++j) {
                const TEstacao& e = b.Primeira[j];
                passos_interpolacao::Soma(somas, pesos.get()[b.Inicio + j] / soma, e.K, e.a, e.b, e.c);
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

    std::vector<TEstacaoContribuinte> lista;
    lista.reserve(listadas.size());
    for (const auto& [q, km] : listadas) {
        const TEstacao* e = &estacao(q);
        const double parcela = achada < n ? (q == achada ? 1.0 : 0.0) : static_cast<double>(pesos.get()[q] / soma);
        lista.push_back({e, bloco(q).Estado, km, parcela, {}});
    }
    auto foraDaEnvoltoria = [&] {
        if (vizinhos.Cercado()) return false;
        EmParalelo(partes, [&](TParte& p) { p.Envolve(arquivo_, blocos_); });
        for (std::size_t k = 1; k < partes.size(); ++k) partes[0].Envoltoria.Junta(partes[k].Envoltoria);
        return !partes[0].Envoltoria.Envoltoria().Contem({alvo.Lon, alvo.Lat});
    };
    resposta.Confianca = ConcluiConfianca(std::move(lista), alvo.Lat, alvo.Lon, unica, foraDaEnvoltoria, distanciaDeAviso);
    return resposta;
}
