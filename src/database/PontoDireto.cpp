#include "database/PontoDireto.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
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
    const std::uint64_t total = arquivo_.Tamanho();
    if (total < 1) throw EDadosInvalidos(MensagemSemByteInicial(caminho_));
    std::uint64_t pos = 1;
    std::size_t k = 0;
    for (int s = 0; s < NumEstados; ++s) {
        if (total - pos < 2) throw EDadosInvalidos(MensagemArquivoIncompleto(caminho_, s));
        unsigned char quantas[2];
        arquivo_.Le(pos, 2, quantas);
        const std::size_t n = static_cast<std::size_t>(quantas[0] | (quantas[1] << 8));
        pos += 2;
        const std::uint64_t bytes = n * sizeof(TEstacao);
        if (total - pos < bytes) throw EDadosInvalidos(MensagemArquivoIncompleto(caminho_, s));
        if (k < EstadosInterpolacao.size() && EstadosInterpolacao[k] == s) {
            blocos_[k++] = {tamanho_, pos, n, s};
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

struct TParametros {
    double K, a, b, c;
};

constexpr std::size_t kPorPedaco = 1024;

// f(i, stations, m, block) for the stations [inicio, fim) of the scan, m
// at a time from scan index i on, read into lidas (kPorPedaco stations),
// which stays in the processor's cache.
template <typename F>
void PercorrePedacos(const TArquivoAberto& arquivo, const std::array<TBloco, 8>& blocos, std::size_t inicio,
                     std::size_t fim, std::vector<TEstacao>& lidas, F f) {
    for (const TBloco& b : blocos) {
        const std::size_t de = std::max(inicio, b.Inicio), ate = std::min(fim, b.Inicio + b.Quantas);
        for (std::size_t i = de; i < ate; i += kPorPedaco) {
            const std::size_t m = std::min(kPorPedaco, ate - i);
            arquivo.Le(b.Posicao + (i - b.Inicio) * sizeof(TEstacao), m * sizeof(TEstacao), lidas.data());
            f(i, lidas.data(), m, b);
        }
    }
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

// What one thread gathers over the parts it takes, and its buffers.
struct TTrabalho {
    explicit TTrabalho(const TAlvo& alvo) : Vizinhos(alvo.Lat, alvo.Lon) {}
    TVizinhos Vizinhos;
    TCandidatasEnvoltoria Envoltoria;   // only when the hull is asked for
    std::vector<TEstacao> Lidas = std::vector<TEstacao>(kPorPedaco);
    std::vector<long double> Lat = std::vector<long double>(kPorPedaco), Lon = std::vector<long double>(kPorPedaco);
};

// A part [Inicio, Fim) of the scan: its first event, the first station that
// is the answer or a record that is not whole.
struct TParte {
    TParte(std::size_t inicio, std::size_t fim) : Inicio(inicio), Fim(fim), Evento(fim) {}
    std::size_t Inicio, Fim;
    std::size_t Evento;         // Fim when none
    AnsiString Defeito;         // the message, when Evento is a record that is not whole
    std::exception_ptr Erro;    // the file could not be read

    // The weights up to the event (soma, when given, the running sum of the
    // weights of the parts before this one in scan order, goes on), and
    // every station to the nearest ones. Each piece is read first (texts,
    // events, the nearest stations), then weighed in a loop of its own,
    // where the divisions and square roots of many stations overlap.
    void PrimeiraPassagem(const TArquivoAberto& arquivo, const std::array<TBloco, 8>& blocos, const TAlvo& alvo,
                          const AnsiString& nomeArquivo, long double* pesos, TParametros* parametros,
                          long double* soma, TTrabalho& t) {
        const TFracoes& fracoes = Fracoes();
        bool parou = false;
        AnsiString defeito;
        long double* lat = t.Lat.data();
        long double* lon = t.Lon.data();
        PercorrePedacos(arquivo, blocos, Inicio, Fim, t.Lidas,
                        [&](std::size_t i, const TEstacao* e, std::size_t m, const TBloco& b) {
            std::size_t ate = parou ? 0 : m;   // stations to weigh
            for (std::size_t j = 0; j < m; ++j) {
                TLeitura r{};
                defeito.clear();
                if (Le(fracoes, e[j], r, defeito)) t.Vizinhos.Ve(i + j, r.LatD, r.LonD);
                if (j >= ate) continue;
                lat[j] = r.Lat;
                lon[j] = r.Lon;
                parametros[i + j] = {e[j].K, e[j].a, e[j].b, e[j].c};
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
                if (soma) *soma += pesos[i + j];
            }
        });
    }

    // The hull's candidates, for a point that the stations do not surround.
    void Envolve(const TArquivoAberto& arquivo, const std::array<TBloco, 8>& blocos, TTrabalho& t) {
        const TFracoes& fracoes = Fracoes();
        AnsiString defeito;
        PercorrePedacos(arquivo, blocos, Inicio, Fim, t.Lidas,
                        [&](std::size_t, const TEstacao* e, std::size_t m, const TBloco&) {
                            for (std::size_t j = 0; j < m; ++j) {
                                TLeitura r{};
                                if (Le(fracoes, e[j], r, defeito)) t.Envoltoria.Inclui({r.LonD, r.LatD});
                            }
                        });
    }
};

// f(parte, daFrente, trabalho) for each part: this thread takes them from
// the front, in scan order, with trabalhos[0], and the others (one per
// further trabalho) from the back, so that a thread that starts late takes
// fewer. Returns how many this thread took (parts [0, k)). Without threads
// this thread takes them all. The first error, in the order of the parts,
// is raised here.
template <typename F>
std::size_t EmParalelo(std::vector<TParte>& partes, std::vector<TTrabalho>& trabalhos, F f) {
    std::mutex guarda;
    std::size_t frente = 0, tras = partes.size();
    auto pega = [&](bool daFrente) -> TParte* {
        const std::lock_guard<std::mutex> trava(guarda);
        if (frente >= tras) return nullptr;
        return daFrente ? &partes[frente++] : &partes[--tras];
    };
    auto faz = [&](bool daFrente, TTrabalho& t) {
        while (TParte* p = pega(daFrente)) {
            try {
                f(*p, daFrente, t);
            } catch (...) {
                p->Erro = std::current_exception();
            }
        }
    };
    std::vector<std::thread> outras;
    for (std::size_t k = 1; k < std::min(trabalhos.size(), partes.size()); ++k) {
        try {
            outras.emplace_back(faz, false, std::ref(trabalhos[k]));
        } catch (const std::system_error&) {
            break;
        }
    }
    faz(true, trabalhos[0]);
    for (std::thread& t : outras) t.join();
    for (const TParte& p : partes)
        if (p.Erro) std::rethrow_exception(p.Erro);
    return frente;
}

// f() on another thread while g() (which raises nothing) runs on this one,
// both here when the system refuses the thread; an error of f is raised here.
template <typename F, typename G>
void AoMesmoTempo(F f, G g) {
    std::exception_ptr erro;
    auto protegida = [&] {
        try {
            f();
        } catch (...) {
            erro = std::current_exception();
        }
    };
    std::thread outra;
    try {
        outra = std::thread(protegida);
    } catch (const std::system_error&) {
        protegida();
    }
    g();
    if (outra.joinable()) outra.join();
    if (erro) std::rethrow_exception(erro);
}

}  // namespace

TPontoDireto::TResposta TPontoDireto::Responde(const AnsiString& latitude, const AnsiString& longitude,
                                               double distanciaDeAviso) const {
    const TAlvo alvo{latitude, longitude, ParseDms(latitude), ParseDms(longitude)};
    const std::size_t n = tamanho_;
    // Written by the first pass up to its first event, read only when there is none.
    const TArranjoGrande<long double> pesos = ArranjoGrande<long double>(n);
    const TArranjoGrande<TParametros> parametros = ArranjoGrande<TParametros>(n);

    // The first pass in parts of the scan, taken by the cores (a few at
    // most) as they come.
    constexpr std::size_t kPorParte = 1u << 14;
    const std::size_t nPartes = std::max<std::size_t>(1, (n + kPorParte - 1) / kPorParte);
    std::vector<TParte> partes;
    for (std::size_t k = 0; k < nPartes; ++k) partes.emplace_back(n * k / nPartes, n * (k + 1) / nPartes);
    const std::size_t nucleos = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
    std::vector<TTrabalho> trabalhos(std::min(nucleos, nPartes), TTrabalho(alvo));
    const AnsiString nomeArquivo = TextoDoCaminho(caminho_);
    long double somaDaFrente = 0;   // of the parts this thread took, which come first
    const std::size_t daFrente = EmParalelo(partes, trabalhos, [&](TParte& p, bool frente, TTrabalho& t) {
        p.PrimeiraPassagem(arquivo_, blocos_, alvo, nomeArquivo, pesos.get(), parametros.get(),
                           frente ? &somaDaFrente : nullptr, t);
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
    for (std::size_t k = 1; k < trabalhos.size(); ++k) trabalhos[0].Vizinhos.Junta(trabalhos[k].Vizinhos);
    TVizinhos& vizinhos = trabalhos[0].Vizinhos;
    vizinhos.Fecha();
    auto bloco = [&](std::size_t q) -> const TBloco& {
        std::size_t k = 0;
        while (k + 1 < blocos_.size() && blocos_[k + 1].Inicio <= q) ++k;
        return blocos_[k];
    };
    // The record of scan index q, kept for as long as this object.
    auto estacao = [&](std::size_t q) -> const TEstacao& {
        TEstacao e;
        arquivo_.Le(bloco(q).Posicao + (q - bloco(q).Inicio) * sizeof(TEstacao), sizeof(TEstacao), &e);
        return lidas_.emplace_back(e);
    };

    TResposta resposta;
    long double soma = 0;
    const TEstacao* unica = nullptr;
    // The nearest stations with their shares, and the summary.
    auto resume = [&] {
        std::vector<TEstacaoContribuinte> lista;
        for (const auto& [q, km] : vizinhos.Listadas()) {
            const TEstacao* e = q == achada || n == 1 ? unica : &estacao(q);
            const double parcela = achada < n ? (q == achada ? 1.0 : 0.0) : static_cast<double>(pesos.get()[q] / soma);
            lista.push_back({e, bloco(q).Estado, km, parcela, {}});
        }
        auto foraDaEnvoltoria = [&] {
            if (vizinhos.Cercado()) return false;
            EmParalelo(partes, trabalhos, [&](TParte& p, bool, TTrabalho& t) { p.Envolve(arquivo_, blocos_, t); });
            for (std::size_t k = 1; k < trabalhos.size(); ++k) trabalhos[0].Envoltoria.Junta(trabalhos[k].Envoltoria);
            return !trabalhos[0].Envoltoria.Envoltoria().Contem({alvo.Lon, alvo.Lat});
        };
        resposta.Confianca =
            ConcluiConfianca(std::move(lista), alvo.Lat, alvo.Lon, unica, foraDaEnvoltoria, distanciaDeAviso);
    };
    if (achada < n) {
        unica = &estacao(achada);
        resposta.Estacao = *unica;
        resume();
        return resposta;
    }
    if (n == 1) unica = &estacao(0);
    long double total = somaDaFrente;
    for (std::size_t q = daFrente < partes.size() ? partes[daFrente].Inicio : n; q < n; ++q) total += pesos.get()[q];
    soma = VerificaL(total);
    // Second pass: each parameter summed in scan order with the shares,
    // while another thread makes the summary.
    double somas[4] = {0, 0, 0, 0};
    AoMesmoTempo(resume, [&] {
        for (std::size_t q = 0; q < n; ++q) {
            const TParametros& p = parametros.get()[q];
            passos_interpolacao::Soma(somas, pesos.get()[q] / soma, p.K, p.a, p.b, p.c);
        }
    });
    resposta.Estacao = passos_interpolacao::Interpolada(somas, latitude, longitude);
    return resposta;
}
