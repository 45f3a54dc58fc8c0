#include "ConsultaLote.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <exception>
#include <new>
#include <system_error>
#include <thread>

#include "EscritorCsv.h"
#include "LeitorCsv.h"
#include "Paralelo.h"
#include "ParesIdf.h"
#include "RespostaGrade.h"
#include "database/Coordenadas.h"
#include "database/Estados.h"
#include "model/ChuvaDeProjeto.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

namespace {

std::string SemBrancos(const std::string& s) {
    const std::size_t i = s.find_first_not_of(" \t");
    if (i == std::string::npos) return {};
    return s.substr(i, s.find_last_not_of(" \t") - i + 1);
}

bool ComecaPorLetra(const std::string& s) {
    const std::string t = SemBrancos(s);
    return !t.empty() && std::isalpha(static_cast<unsigned char>(t[0]));
}

const AnsiString kInterpolacao = "Interpola\xE7\xE3o";
const std::vector<std::string> kColunasConfianca = {"estacao_proxima", "distancia_km",   "estacoes_25km", "estacoes_50km",
                                                    "i10_60_min",      "i10_60_max",     "aviso"};
const char* const kDadosCorrompidos = "dados das esta\xC3\xA7\xC3\xB5" "es corrompidos";

}  // namespace

std::vector<std::string> TConsultaLote::Colunas(char decimal, bool comEvento) const {
    std::vector<std::string> nomes = {"id", "latitude", "longitude", "local", "K", "a", "b", "c", "fonte"};
    for (double tr : opcoes_.Tr)
        for (double t : opcoes_.Duracoes) {
            const std::string sufixo = "_Tr" + FloatToStr(tr, decimal) + "_t" + FloatToStr(t, decimal);
            nomes.push_back("i" + sufixo);
            nomes.push_back("P" + sufixo);
        }
    if (confianca_) nomes.insert(nomes.end(), kColunasConfianca.begin(), kColunasConfianca.end());
    if (comEvento) nomes.insert(nomes.end(), {"tr_evento", "nota_tr_evento"});
    if (grade_) {
        if (opcoes_.Fonte == TOpcoesConsulta::TFonte::Grade) nomes.resize(3);   // id, latitude, longitude
        const std::vector<std::string> grade = ColunasGrade(opcoes_, decimal);
        nomes.insert(nomes.end(), grade.begin(), grade.end());
    }
    nomes.push_back("erro");
    return nomes;
}

std::vector<TConsultaLote::TPonto> TConsultaLote::LePontos(std::istream& entrada, bool* comEvento) const {
    std::vector<TPonto> pontos;
    // The columns of an observed storm, when the header names them.
    std::size_t colunaT = 0, colunaP = 0;
    TLeitorCsv leitor(entrada, opcoes_.Dialeto.Separador);
    const TLeitorCoordenada coordenadas(opcoes_.Convencao);
    TLinhaCsvPontos linha;
    bool primeira = true;
    while (leitor.Proxima(linha)) {
        // A header names its columns: both coordinate fields begin with a letter.
        if (primeira && linha.Erro.empty() && linha.Campos.size() >= 3 && ComecaPorLetra(linha.Campos[1]) &&
            ComecaPorLetra(linha.Campos[2])) {
            for (std::size_t i = 3; i < linha.Campos.size(); ++i) {
                const std::string nome = SemBrancos(linha.Campos[i]);
                if (nome == "t" || nome == "T") colunaT = i;
                if (nome == "P" || nome == "p") colunaP = i;
            }
            if (colunaT == 0 || colunaP == 0) colunaT = colunaP = 0;
            primeira = false;
            continue;
        }
        primeira = false;
        TPonto p;
        p.Linha = linha.Numero;
        p.Erro = linha.Erro;
        if (!linha.Campos.empty()) p.Id = linha.Campos[0];
        if (linha.Campos.size() >= 2) p.LatitudeEntrada = linha.Campos[1];
        if (linha.Campos.size() >= 3) p.LongitudeEntrada = linha.Campos[2];
        if (p.Erro.empty()) {
            bool sobra = false;
            for (std::size_t i = 3; i < linha.Campos.size(); ++i)
                sobra |= i != colunaT && i != colunaP && !SemBrancos(linha.Campos[i]).empty();
            if (linha.Campos.size() < 3 || sobra)
                p.Erro = "esperados 3 campos (identificador" + std::string(1, opcoes_.Dialeto.Separador) +
                         "latitude" + std::string(1, opcoes_.Dialeto.Separador) + "longitude), lidos " +
                         std::to_string(linha.Campos.size());
        }
        if (p.Erro.empty() && colunaT > 0) LeEvento(linha.Campos, colunaT, colunaP, p);
        if (p.Erro.empty()) {
            try {
                p.Latitude = coordenadas.Texto(p.LatitudeEntrada, true);
                p.Longitude = coordenadas.Texto(p.LongitudeEntrada, false);
            } catch (const Exception& e) {
                p.Erro = e.what();
            }
        }
        pontos.push_back(std::move(p));
    }
    if (comEvento) *comEvento = colunaT > 0;
    return pontos;
}

void TConsultaLote::LeEvento(const std::vector<std::string>& campos, std::size_t colunaT, std::size_t colunaP,
                             TPonto& p) const {
    const std::string t = colunaT < campos.size() ? SemBrancos(campos[colunaT]) : std::string();
    const std::string altura = colunaP < campos.size() ? SemBrancos(campos[colunaP]) : std::string();
    if (t.empty() && altura.empty()) return;   // a row without an event
    const char dec = opcoes_.Dialeto.Decimal;
    if (!TryStrToFloat(t, dec, p.DuracaoEvento) || !(p.DuracaoEvento > 0) || !std::isfinite(p.DuracaoEvento))
        p.Erro = "t: \"" + t + "\" não é uma duração em minutos maior que zero";
    else if (!TryStrToFloat(altura, dec, p.AlturaEvento) || !(p.AlturaEvento > 0) || !std::isfinite(p.AlturaEvento))
        p.Erro = "P: \"" + altura + "\" não é uma altura de chuva em mm maior que zero";
    else
        p.TemEvento = true;
}

TConsultaLote::TResultado TConsultaLote::CalculaUm(const TPonto& ponto, std::vector<long double>& pesos) const {
    TResultado r;
    try {
        if (grade_ && opcoes_.Fonte == TOpcoesConsulta::TFonte::Grade) {
            r.Grade = CamposGrade(RespostaDaGrade(*grade_, opcoes_, ponto.Latitude, ponto.Longitude), opcoes_,
                                  std::nullopt);
            return r;
        }
        r.Estacao = pool_.Interpola(ponto.Latitude, ponto.Longitude, pesos,
                                    TPoolInterpolacao::TExigencia::RegistroIntegro);
        const TEstacao& e = r.Estacao;
        if (!std::isfinite(e.K) || !std::isfinite(e.a) || !std::isfinite(e.b) || !std::isfinite(e.c))
            throw EInvalidOp(Ansi("os parâmetros calculados não são números (dados das estações corrompidos)"));
        r.Valores = ValoresDosPares(e.K, e.a, e.b, e.c, opcoes_.Tr, opcoes_.Duracoes, opcoes_.Dialeto.Decimal);
        if (confianca_) {
            const TConfianca c = confianca_->Resumo(ponto.Latitude, ponto.Longitude,
                                                    TPoolInterpolacao::TExigencia::RegistroIntegro);
            const char dec = opcoes_.Dialeto.Decimal;
            auto valor = [&](const std::optional<double>& v) { return v ? FloatToStr(*v, dec) : std::string(); };
            const TEstacaoContribuinte* perto = c.MaisProxima();
            r.Confianca = {perto ? Utf8(TiraBrancosFinais(perto->Estacao->Nome.Text())) + " (" +
                                       Utf8(SiglasEstados[static_cast<std::size_t>(perto->EstadoIndice)]) + ")"
                                 : std::string(),
                           perto ? FloatToStr(perto->DistanciaKm, dec) : std::string(),
                           std::to_string(c.Ate25Km), std::to_string(c.Ate50Km), valor(c.MenorI), valor(c.MaiorI),
                           Utf8(c.Aviso())};
        }
        if (ponto.TemEvento) {
            const TResposta tr = PeriodoDeRetornoDaAltura({e.K, e.a, e.b, e.c}, ponto.DuracaoEvento, ponto.AlturaEvento);
            if (!tr.Existe) r.Evento = {std::string(), Utf8(tr.Motivo)};
            else r.Evento = {FloatToStr(tr.Valor, opcoes_.Dialeto.Decimal),
                             ForaDaFaixaAjustada(tr.Valor) ? Utf8(NotaDeExtrapolacao()) : std::string()};
        }
        // Beside the stations, a point without a grid value keeps its
        // stations' answer with the grid's columns empty.
        if (grade_ && grade_->Valor(opcoes_.Desagregacao, GrausDecimaisComSinal(ponto.Latitude),
                                    GrausDecimaisComSinal(ponto.Longitude)))
            r.Grade = CamposGrade(RespostaDaGrade(*grade_, opcoes_, ponto.Latitude, ponto.Longitude), opcoes_,
                                  std::array<double, 4>{e.K, e.a, e.b, e.c});
    } catch (const EDadosInvalidos& e) {
        r.Erro = kDadosCorrompidos;
        r.ErroDosDados = e.what();
        r.Valores.clear();
        r.Confianca.clear();
    } catch (const Exception& e) {
        r.Erro = e.what();
        r.Valores.clear();
        r.Confianca.clear();
    }
    return r;
}

std::vector<TConsultaLote::TResultado> TConsultaLote::Calcula(const std::vector<TPonto>& pontos,
                                                               std::ostream* avisos) const {
    std::vector<TResultado> resultados(pontos.size());
    unsigned tarefas = opcoes_.Tarefas ? opcoes_.Tarefas : std::max(1u, std::thread::hardware_concurrency());
    tarefas = static_cast<unsigned>(std::min<std::size_t>(tarefas, std::max<std::size_t>(1, pontos.size())));

    std::atomic<std::size_t> proximo{0};
    std::exception_ptr falha;
    std::atomic<bool> falhou{false};
    auto trabalho = [&] {
        std::vector<long double> pesos;
        try {
            for (;;) {
                const std::size_t i = proximo.fetch_add(1);
                if (i >= pontos.size() || falhou) return;
                if (pontos[i].Erro.empty()) resultados[i] = CalculaUm(pontos[i], pesos);
            }
        } catch (...) {   // out of memory and the like: ends the run
            if (!falhou.exchange(true)) falha = std::current_exception();
        }
    };
    ExecutaEmParalelo(tarefas, trabalho, avisos);
    if (falha) std::rethrow_exception(falha);
    return resultados;
}

void TConsultaLote::DizErroDosDados(const std::vector<TResultado>& resultados, std::ostream& erros) {
    const auto comErro =
        std::find_if(resultados.begin(), resultados.end(), [](const TResultado& r) { return !r.ErroDosDados.empty(); });
    if (comErro != resultados.end()) erros << comErro->ErroDosDados << '\n';
}

std::size_t TConsultaLote::Executa(std::istream& entrada, std::ostream& saida, std::ostream& erros) const {
    bool comEvento = false;
    const std::vector<TPonto> pontos = LePontos(entrada, &comEvento);
    const std::vector<TResultado> resultados = Calcula(pontos, &erros);
    const char dec = opcoes_.Dialeto.Decimal;

    TEscritorCsv escritor(saida, opcoes_.Dialeto.Separador);
    std::vector<std::string> campos = Colunas(dec, comEvento);
    const std::size_t nColunas = campos.size();
    const std::size_t nGrade = grade_ ? ColunasGrade(opcoes_, dec).size() : 0;
    escritor.Linha(campos);

    DizErroDosDados(resultados, erros);

    std::size_t falhas = 0;
    for (std::size_t i = 0; i < pontos.size(); ++i) {
        const TPonto& p = pontos[i];
        const TResultado& r = resultados[i];
        const std::string erro = p.Erro.empty() ? r.Erro : p.Erro;
        campos.assign(1, p.Id);
        if (!erro.empty()) {
            ++falhas;
            if (r.ErroDosDados.empty())   // the data's fault was said once, above
                erros << "linha " << p.Linha << (p.Id.empty() ? "" : " (" + p.Id + ")") << ": " << erro << '\n';
            campos.push_back(p.LatitudeEntrada);
            campos.push_back(p.LongitudeEntrada);
            campos.resize(nColunas - 1);
            campos.push_back(erro);
            escritor.Linha(campos);
            continue;
        }
        if (grade_ && opcoes_.Fonte == TOpcoesConsulta::TFonte::Grade) {
            campos.push_back(Utf8(p.Latitude));
            campos.push_back(Utf8(p.Longitude));
            campos.insert(campos.end(), r.Grade.begin(), r.Grade.end());
            campos.push_back("");
            escritor.Linha(campos);
            continue;
        }
        const TEstacao& e = r.Estacao;
        const bool exata = e.Nome.Len > 0 || e.Autor.Text() != kInterpolacao;
        campos.push_back(Utf8(p.Latitude));
        campos.push_back(Utf8(p.Longitude));
        campos.push_back(Utf8(exata ? TiraBrancosFinais(e.Nome.Text()) : kInterpolacao));
        for (double v : {e.K, e.a, e.b, e.c}) campos.push_back(FloatToStr(v, dec));
        campos.push_back(Utf8(TiraBrancosFinais(e.Autor.Text())));
        for (double v : r.Valores) campos.push_back(FloatToStr(v, dec));
        campos.insert(campos.end(), r.Confianca.begin(), r.Confianca.end());
        if (comEvento) {
            campos.insert(campos.end(), r.Evento.begin(), r.Evento.end());
            campos.resize(nColunas - 1 - nGrade);   // a row without an event: both empty
        }
        campos.insert(campos.end(), r.Grade.begin(), r.Grade.end());
        campos.resize(nColunas - 1);   // no grid value: its columns empty
        campos.push_back("");
        escritor.Linha(campos);
    }
    return falhas;
}
