// The Python module tormel21: the core's interpolation and design values
// for scalars and NumPy arrays. The work on the points runs in C++ on
// several threads with the interpreter released; every answer is the one
// tormel21-consulta gives for the same coordinate texts (the same reader of
// coordinates, the same pool, the same order of operations), and every
// refusal is a Python exception with the program's message.
#include <dlfcn.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <thread>

#include "EntradaPython.h"
#include "LeitorCoordenada.h"
#include "Paralelo.h"
#include "ParesIdf.h"
#include "database/BDPrecipitacao.h"
#include "database/Confianca.h"
#include "database/ContornosEstados.h"
#include "database/Estados.h"
#include "model/ChuvaDeProjeto.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

#ifndef TORMEL_PY_DADOS_INSTALADOS
#define TORMEL_PY_DADOS_INSTALADOS "../../tormel21/Arquivos Comuns/"
#endif
#ifndef TORMEL_VERSAO
#define TORMEL_VERSAO "2.1"
#endif

namespace {

constexpr unsigned kMaxTarefas = 256;

std::string ComBarra(std::string pasta) {
    if (pasta.empty() || pasta.back() != '/') pasta += '/';
    return pasta;
}

// TORMEL21_DADOS, else the data folder of the installed package relative to
// this module, else the build's (the module in build/python, the data in
// build/Arquivos Comuns); the installed one is named when none is there.
std::string PastaPadrao() {
    if (const char* ambiente = std::getenv("TORMEL21_DADOS"); ambiente && *ambiente) return ComBarra(ambiente);
    Dl_info info{};
    std::string modulo;
    if (dladdr(reinterpret_cast<void*>(&PastaPadrao), &info) && info.dli_fname)
        modulo = std::filesystem::path(info.dli_fname).parent_path().string() + "/";
    for (const char* relativa : {TORMEL_PY_DADOS_INSTALADOS, "../Arquivos Comuns/"})
        if (std::filesystem::exists(modulo + relativa + "Estados_Tor21.bin")) return modulo + relativa;
    return modulo + TORMEL_PY_DADOS_INSTALADOS;
}

unsigned Tarefas(std::optional<unsigned> pedidas) {
    if (pedidas && *pedidas == 0) LancaPython(TTipoErro::Entrada, "tarefas: dê um número inteiro de 1 em diante");
    const unsigned n = pedidas ? *pedidas : std::max(1u, std::thread::hardware_concurrency());
    return std::min(n, kMaxTarefas);
}

// Runs f(i, pesos) for every point on the threads, the interpreter released.
// The lowest point that fails (or every point below it having succeeded) is
// raised with its message, prefixed by its index for an array.
template <typename F>
void PorPonto(std::size_t n, bool escalar, unsigned tarefas, F&& f) {
    std::atomic<std::size_t> proximo{0};
    std::atomic<std::size_t> menorFalha{std::numeric_limits<std::size_t>::max()};
    std::mutex m;
    TTipoErro tipo = TTipoErro::Outro;
    std::string mensagem;
    auto falha = [&](std::size_t i, TTipoErro t, std::string texto) {
        std::lock_guard<std::mutex> trava(m);
        if (i >= menorFalha) return;
        menorFalha = i;
        tipo = t;
        mensagem = std::move(texto);
    };
    auto trabalho = [&] {
        std::vector<long double> pesos;
        for (;;) {
            const std::size_t i = proximo.fetch_add(1);
            if (i >= n || i > menorFalha) return;
            try {
                f(i, pesos);
            } catch (const Exception& e) {
                falha(i, TipoDoErro(e), e.what());
            } catch (const std::bad_alloc&) {
                falha(i, TTipoErro::Outro, "mem\xC3\xB3ria insuficiente");
            } catch (const std::exception& e) {
                falha(i, TTipoErro::Outro, e.what());
            }
        }
    };
    {
        py::gil_scoped_release livre;
        ExecutaEmParalelo(static_cast<unsigned>(std::min<std::size_t>(tarefas, std::max<std::size_t>(n, 1))),
                          trabalho, nullptr);
    }
    if (menorFalha != std::numeric_limits<std::size_t>::max())
        LancaPython(tipo, escalar ? mensagem : "ponto " + std::to_string(menorFalha.load()) + ": " + mensagem);
}

struct TPontos {
    TCoordenadasPy Lat, Lon;
    TLeitorCoordenada Leitor;
    bool Escalar() const { return Lat.Escalar; }
    std::size_t Tamanho() const { return Lat.Tamanho(); }
    AnsiString Latitude(std::size_t i) const {
        return Lat.Texto(i) ? Leitor.Texto(Lat.Textos[i], true) : Leitor.TextoDeGraus(Lat.Graus[i], true);
    }
    AnsiString Longitude(std::size_t i) const {
        return Lon.Texto(i) ? Leitor.Texto(Lon.Textos[i], false) : Leitor.TextoDeGraus(Lon.Graus[i], false);
    }
};

TPontos LePontos(py::handle lat, py::handle lon, bool negativos) {
    TPontos p{LeCoordenadas(lat, "lat"), LeCoordenadas(lon, "lon"),
              TLeitorCoordenada(negativos ? TLeitorCoordenada::Convencao::Negativos
                                          : TLeitorCoordenada::Convencao::Positivos)};
    if (p.Lat.Forma != p.Lon.Forma)
        LancaPython(TTipoErro::Entrada, "lat e lon t\xC3\xAAm formas diferentes: " + TextoDaForma(p.Lat.Forma) +
                                            " e " + TextoDaForma(p.Lon.Forma));
    return p;
}

// A float for a scalar point, else the array.
py::object Resultado(const py::array_t<double>& a, bool escalar) {
    return escalar ? py::object(py::float_(*a.data())) : py::object(a);
}

class TDadosPy {
public:
    TDadosPy(std::optional<std::string> pasta, bool nacional) : pedida_(std::move(pasta)), nacional_(nacional) {
        pasta_ = pedida_ ? ComBarra(*pedida_) : PastaPadrao();
        bd_ = std::make_unique<TBDPrecipitacao>(pasta_);
        if (nacional) bd_->CarregaEstacoesNacionais();
        else bd_->CarregaEstacoesDaInterpolacao();
        if (ArquivoExiste(pasta_ + "contornos.csv"))
            contornos_ = std::make_unique<TContornosEstados>(LeArquivo(pasta_ + "contornos.csv"));
        if (bd_->Pool().Tamanho() == 0)
            throw EDadosInvalidos(Ansi("O arquivo ") + TextoDoCaminho(bd_->CaminhoEstacoes()) +
                                  Ansi(" não tem estações nos estados usados na interpolação."));
    }

    const std::optional<std::string>& Pedida() const { return pedida_; }
    bool Nacional() const { return nacional_; }
    const std::string& Pasta() const { return pasta_; }
    std::size_t Estacoes() const { return bd_->Pool().Tamanho(); }

    // The station or the interpolation at point i, as the program checks it.
    TEstacao Interpola(const TPontos& p, std::size_t i, std::vector<long double>& pesos) const {
        const TEstacao r = bd_->Pool().Interpola(p.Latitude(i), p.Longitude(i), pesos,
                                                 TPoolInterpolacao::TExigencia::RegistroIntegro);
        if (!std::isfinite(r.K) || !std::isfinite(r.a) || !std::isfinite(r.b) || !std::isfinite(r.c))
            throw EInvalidOp(Ansi("Os parâmetros calculados não são números: os dados das estações estão "
                                  "corrompidos."));
        return r;
    }

    py::dict Parametros(py::handle lat, py::handle lon, bool negativos, std::optional<unsigned> tarefas) const {
        const TPontos p = LePontos(lat, lon, negativos);
        py::array_t<double> K(p.Lat.Forma), a(p.Lat.Forma), b(p.Lat.Forma), c(p.Lat.Forma);
        double *pk = K.mutable_data(), *pa = a.mutable_data(), *pb = b.mutable_data(), *pc = c.mutable_data();
        PorPonto(p.Tamanho(), p.Escalar(), Tarefas(tarefas), [&](std::size_t i, std::vector<long double>& pesos) {
            const TEstacao r = Interpola(p, i, pesos);
            pk[i] = r.K;
            pa[i] = r.a;
            pb[i] = r.b;
            pc[i] = r.c;
        });
        py::dict d;
        d["K"] = Resultado(K, p.Escalar());
        d["a"] = Resultado(a, p.Escalar());
        d["b"] = Resultado(b, p.Escalar());
        d["c"] = Resultado(c, p.Escalar());
        return d;
    }

    // i (mm/h) or P (mm) of Tr and t, each a number or an array of the points' shape.
    py::object Projeto(py::handle lat, py::handle lon, py::handle tr, py::handle t, bool negativos,
                       std::optional<unsigned> tarefas, bool altura) const {
        const TPontos p = LePontos(lat, lon, negativos);
        const TNumerosPy trs = LeNumerosPositivos(tr, "tr", p.Lat.Forma);
        const TNumerosPy ts = LeNumerosPositivos(t, "t", p.Lat.Forma);
        py::array_t<double> saida(p.Lat.Forma);
        double* v = saida.mutable_data();
        PorPonto(p.Tamanho(), p.Escalar(), Tarefas(tarefas), [&](std::size_t i, std::vector<long double>& pesos) {
            const TEstacao r = Interpola(p, i, pesos);
            const std::vector<double> par = ValoresDosPares(r.K, r.a, r.b, r.c, {trs[i]}, {ts[i]}, '.');
            v[i] = par[altura ? 1 : 0];
            if (!std::isfinite(v[i])) throw EInvalidOp(Ansi("O valor calculado não é um número."));
        });
        return Resultado(saida, p.Escalar());
    }

    py::dict Hietograma(py::handle lat, py::handle lon, double tr, double duracao, double passo, double pico,
                        bool negativos) const {
        const TPontos p = LePontos(lat, lon, negativos);
        if (!p.Escalar()) LancaPython(TTipoErro::Entrada, "hietograma: d\xC3\xAA um ponto s\xC3\xB3");
        THietograma h;
        PorPonto(1, true, 1, [&](std::size_t, std::vector<long double>& pesos) {
            const TEstacao r = Interpola(p, 0, pesos);
            try {
                h = CalculaHietograma({r.K, r.a, r.b, r.c}, tr, duracao, passo, pico);
            } catch (const EMathError&) {
                throw;
            } catch (const Exception& e) {   // a field refused: the caller's input
                throw EConvertError(e.Message());
            }
        });
        const py::ssize_t n = static_cast<py::ssize_t>(h.Blocos.size());
        py::array_t<double> inicio(n), fim(n), alturas(n), intensidade(n), acumulada(n);
        for (py::ssize_t i = 0; i < n; ++i) {
            const TBlocoDeChuva& b = h.Blocos[static_cast<std::size_t>(i)];
            inicio.mutable_at(i) = b.Inicio;
            fim.mutable_at(i) = b.Fim;
            alturas.mutable_at(i) = b.Altura;
            intensidade.mutable_at(i) = b.Intensidade;
            acumulada.mutable_at(i) = b.Acumulada;
        }
        py::dict d;
        d["inicio_min"] = inicio;
        d["fim_min"] = fim;
        d["altura_mm"] = alturas;
        d["intensidade_mm_h"] = intensidade;
        d["acumulada_mm"] = acumulada;
        d["bloco_do_pico"] = h.BlocoDoPico;
        return d;
    }

    py::object Confianca(py::handle lat, py::handle lon, bool negativos, double distancia,
                         std::optional<unsigned> tarefas) const {
        if (!std::isfinite(distancia) || !(distancia > 0))
            LancaPython(TTipoErro::Entrada, "distancia_de_aviso: dê um número de km maior que zero");
        const TPontos p = LePontos(lat, lon, negativos);
        const TAvaliadorConfianca& avaliador = Avaliador(distancia);
        std::vector<TConfianca> resumos(p.Tamanho());
        PorPonto(p.Tamanho(), p.Escalar(), Tarefas(tarefas), [&](std::size_t i, std::vector<long double>& pesos) {
            Interpola(p, i, pesos);   // the same refusals as the parameters
            resumos[i] = avaliador.Resumo(p.Latitude(i), p.Longitude(i), TPoolInterpolacao::TExigencia::RegistroIntegro);
            MarcaEstadoForaDaInterpolacao(resumos[i], contornos_.get(), nacional_, p.Latitude(i), p.Longitude(i));
        });
        py::list lista;
        for (const TConfianca& c : resumos) lista.append(DictDaConfianca(c));
        return p.Escalar() ? py::object(lista[0]) : py::object(lista);
    }

private:
    static py::dict DictDaConfianca(const TConfianca& c) {
        const TEstacaoContribuinte* perto = c.MaisProxima();
        auto opcional = [](const std::optional<double>& v) { return v ? py::object(py::float_(*v)) : py::object(py::none()); };
        py::dict d;
        d["estacao_proxima"] = perto ? py::object(py::str(Utf8(TiraBrancosFinais(perto->Estacao->Nome.Text()))))
                                     : py::object(py::none());
        d["uf"] = perto ? py::object(py::str(Utf8(SiglasEstados[static_cast<std::size_t>(perto->EstadoIndice)])))
                        : py::object(py::none());
        d["distancia_km"] = perto ? py::object(py::float_(perto->DistanciaKm)) : py::object(py::none());
        d["estacoes_25km"] = c.Ate25Km;
        d["estacoes_50km"] = c.Ate50Km;
        d["i10_60_min_mm_h"] = opcional(c.MenorI);
        d["i10_60_max_mm_h"] = opcional(c.MaiorI);
        d["longe"] = c.Longe;
        d["fora_da_envoltoria"] = c.ForaDaEnvoltoria;
        d["fora_do_brasil"] = c.ForaDoBrasil;
        const std::string aviso = Utf8(c.Aviso());
        d["aviso"] = aviso.empty() ? py::object(py::none()) : py::object(py::str(aviso));
        return d;
    }

    const TAvaliadorConfianca& Avaliador(double distancia) const {
        std::lock_guard<std::mutex> trava(*mutex_);
        auto& a = avaliadores_[distancia];
        if (!a) a = std::make_unique<TAvaliadorConfianca>(bd_->Pool(), distancia);
        return *a;
    }

    std::optional<std::string> pedida_;
    std::string pasta_;
    bool nacional_ = false;
    std::unique_ptr<TBDPrecipitacao> bd_;
    std::unique_ptr<TContornosEstados> contornos_;
    std::unique_ptr<std::mutex> mutex_ = std::make_unique<std::mutex>();
    mutable std::map<double, std::unique_ptr<TAvaliadorConfianca>> avaliadores_;
};

std::optional<std::string> PastaDoArgumento(const py::object& pasta) {
    if (pasta.is_none()) return std::nullopt;
    return py::module_::import("os").attr("fspath")(pasta).cast<std::string>();
}

}  // namespace

PYBIND11_MODULE(tormel21, m) {
    m.doc() = "Parâmetros K, a, b, c da equação de chuvas intensas i = K·Tr^a/(t+b)^c do Tormel 2.1, "
              "com os mesmos dados e o mesmo cálculo de tormel21-consulta.";
    m.attr("__version__") = TORMEL_VERSAO;
    CriaExcecoes(m);
    m.def("pasta_padrao", &PastaPadrao,
          "A pasta de dados usada por Dados() sem argumento: TORMEL21_DADOS, senão a do pacote instalado.");

    using namespace pybind11::literals;
    const char* docPontos =
        "lat e lon: números (graus decimais; por padrão negativos para sul e oeste, como escrevem os "
        "programas de SIG; negativos=False: positivos para sul e oeste) ou textos DD°MM'SS\", escalares ou "
        "matrizes da mesma forma. tarefas: linhas de execução (padrão: uma por núcleo).";
    py::class_<TDadosPy>(m, "Dados")
        .def(py::init([](const py::object& pasta, bool nacional) {
                 return std::make_unique<TDadosPy>(PastaDoArgumento(pasta), nacional);
             }),
             "pasta"_a = py::none(), py::kw_only(), "nacional"_a = false,
             "Carrega a pasta de dados (padrão: tormel21.pasta_padrao()). Só as estações dos oito estados da "
             "interpolação são lidas; nacional=True lê as dos 27 estados e interpola entre todas (a de "
             "tormel21-consulta --nacional). Sem ela, o aviso de confianca() diz quando o ponto fica em outro estado.")
        .def_property_readonly("nacional", &TDadosPy::Nacional)
        .def_property_readonly("pasta", &TDadosPy::Pasta)
        .def_property_readonly("estacoes", &TDadosPy::Estacoes, "Número de estações da interpolação.")
        .def("parametros", &TDadosPy::Parametros, "lat"_a, "lon"_a, py::kw_only(), "negativos"_a = true,
             "tarefas"_a = py::none(),
             (std::string("K, a, b, c de cada ponto: um dict de matrizes (floats para um ponto). ") + docPontos).c_str())
        .def(
            "intensidade",
            [](const TDadosPy& d, py::handle lat, py::handle lon, py::handle tr, py::handle t, bool negativos,
               std::optional<unsigned> tarefas) { return d.Projeto(lat, lon, tr, t, negativos, tarefas, false); },
            "lat"_a, "lon"_a, "tr"_a, "t"_a, py::kw_only(), "negativos"_a = true, "tarefas"_a = py::none(),
            "Intensidade média i (mm/h) para Tr (anos) e t (min), números ou matrizes da forma dos pontos.")
        .def(
            "altura",
            [](const TDadosPy& d, py::handle lat, py::handle lon, py::handle tr, py::handle t, bool negativos,
               std::optional<unsigned> tarefas) { return d.Projeto(lat, lon, tr, t, negativos, tarefas, true); },
            "lat"_a, "lon"_a, "tr"_a, "t"_a, py::kw_only(), "negativos"_a = true, "tarefas"_a = py::none(),
            "Altura de chuva P = i·t/60 (mm) para Tr (anos) e t (min).")
        .def("hietograma", &TDadosPy::Hietograma, "lat"_a, "lon"_a, "tr"_a, "duracao"_a, "passo"_a,
             py::kw_only(), "pico"_a = 0.5, "negativos"_a = true,
             "Chuva de projeto de um ponto pelos blocos alternados: Tr (anos), duração total e intervalo (min), "
             "pico na fração pico da duração. Um dict de matrizes por intervalo.")
        .def("confianca", &TDadosPy::Confianca, "lat"_a, "lon"_a, py::kw_only(), "negativos"_a = true,
             "distancia_de_aviso"_a = DistanciaDeAvisoPadrao, "tarefas"_a = py::none(),
             "Estação mais próxima, contagens até 25 e 50 km, i(10, 60) das cinco mais próximas e o aviso: "
             "um dict (uma lista de dicts para uma matriz).")
        .def("__repr__",
             [](const TDadosPy& d) {
                 return "tormel21.Dados('" + d.Pasta() + "', " + std::to_string(d.Estacoes()) + " esta\xC3\xA7\xC3\xB5" "es)";
             })
        .def(py::pickle([](const TDadosPy& d) { return py::make_tuple(d.Pedida(), d.Nacional()); },
                        [](const py::tuple& estado) {
                            return std::make_unique<TDadosPy>(estado[0].cast<std::optional<std::string>>(),
                                                              estado.size() > 1 && estado[1].cast<bool>());
                        }));
}
