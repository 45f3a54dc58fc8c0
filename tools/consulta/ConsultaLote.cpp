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

const AnsiString kInterpolacao = "Interpola\xE7\xE3o";
const std::vector<std::string> kColunasConfianca = {"estacao_proxima", "distancia_km",   "estacoes_25km", "estacoes_50km",
                                                    "i10_60_min",      "i10_60_max",     "aviso"};
const char* const kDadosCorrompidos = "dados das esta\xC3\xA7\xC3\xB5" "es corrompidos";

}  // namespace

std::vector<std::string> TConsultaLote::ColunasDeResultado(char decimal, bool comEvento) const {
    std::vector<std::string> nomes = {"latitude", "longitude", "lat_decimal", "lon_decimal", "local",
                                      "K",        "a",         "b",           "c",           "fonte"};
    for (double tr : opcoes_.Tr)
        for (double t : opcoes_.Duracoes) {
            const std::string sufixo = "_Tr" + FloatToStr(tr, decimal) + "_t" + FloatToStr(t, decimal);
            nomes.push_back("i" + sufixo);
            nomes.push_back("P" + sufixo);
        }
    if (opcoes_.Confianca) nomes.insert(nomes.end(), kColunasConfianca.begin(), kColunasConfianca.end());
    else nomes.push_back("aviso");
    if (comEvento) nomes.insert(nomes.end(), {"tr_evento", "nota_tr_evento"});
    if (grade_) {
        if (SoGrade()) nomes.resize(4);   // latitude, longitude, lat_decimal, lon_decimal
        const std::vector<std::string> grade = ColunasGrade(opcoes_, decimal);
        nomes.insert(nomes.end(), grade.begin(), grade.end());
    }
    nomes.push_back("erro");
    return nomes;
}

std::vector<std::string> TConsultaLote::Colunas(char decimal, const TEntradaLote& entrada) const {
    std::vector<std::string> nomes = entrada.Nomes;
    const std::vector<std::string> resultado = ColunasDeResultado(decimal, entrada.ComEvento());
    nomes.insert(nomes.end(), resultado.begin(), resultado.end());
    return nomes;
}

std::vector<TConsultaLote::TPonto> TConsultaLote::LePontos(std::istream& entrada, TEntradaLote* colunas) const {
    std::vector<TPonto> pontos;
    TLeitorCsv leitor(entrada, opcoes_.Dialeto.Separador,
                      opcoes_.Entrada.empty() || opcoes_.Entrada == "-" ? "a entrada padrão" : opcoes_.Entrada);
    const TLeitorCoordenada coordenadas(opcoes_.Convencao);
    TLinhaCsvPontos linha;
    TEntradaLote e;
    bool primeira = true;
    const std::string sep(1, opcoes_.Dialeto.Separador);
    while (leitor.Proxima(linha)) {
        if (primeira) {
            primeira = false;
            e = TEntradaLote::DaPrimeiraLinha(linha.Erro.empty() ? linha.Campos : std::vector<std::string>{},
                                              opcoes_.ColunasCoordenadas,
                                              ColunasDeResultado(opcoes_.Dialeto.Decimal, true));
            if (e.TemCabecalho) continue;
        }
        TPonto p;
        p.Linha = linha.Numero;
        p.Erro = linha.Erro;
        p.Campos = linha.Campos;
        auto campo = [&](std::size_t i) { return i < linha.Campos.size() ? linha.Campos[i] : std::string(); };
        p.Id = campo(e.ColunaId());
        p.LatitudeEntrada = campo(e.ColunaLatitude);
        p.LongitudeEntrada = campo(e.ColunaLongitude);
        if (p.Erro.empty()) {
            bool sobra = false;
            for (std::size_t i = e.Colunas(); i < linha.Campos.size(); ++i)
                sobra |= !SemBrancos(linha.Campos[i]).empty();
            const std::size_t minimo = std::max(e.ColunaLatitude, e.ColunaLongitude) + 1;
            if (linha.Campos.size() < minimo || sobra)
                p.Erro = "esperados " + std::to_string(e.Colunas()) + " campos separados por \"" + sep +
                         "\" (latitude no " + std::to_string(e.ColunaLatitude + 1) + "º, longitude no " +
                         std::to_string(e.ColunaLongitude + 1) + "º), lidos " + std::to_string(linha.Campos.size());
        }
        p.Campos.resize(e.Colunas());
        if (p.Erro.empty() && e.ComEvento()) LeEvento(linha.Campos, e.ColunaT, e.ColunaP, p);
        if (p.Erro.empty()) {
            try {
                p.Latitude = coordenadas.Texto(p.LatitudeEntrada, true);
                p.Longitude = coordenadas.Texto(p.LongitudeEntrada, false);
                p.GrausLatitude = coordenadas.Graus(p.LatitudeEntrada);
                p.GrausLongitude = coordenadas.Graus(p.LongitudeEntrada);
            } catch (const Exception& e) {
                p.Erro = e.what();
            }
        }
        pontos.push_back(std::move(p));
    }
    if (colunas) *colunas = e;
    return pontos;
}

void TConsultaLote::LeEvento(const std::vector<std::string>& campos, std::size_t colunaT, std::size_t colunaP,
                             TPonto& p) const {
    const std::string t = colunaT < campos.size() ? SemBrancos(campos[colunaT]) : std::string();
    const std::string altura = colunaP < campos.size() ? SemBrancos(campos[colunaP]) : std::string();
    if (t.empty() && altura.empty()) return;   // a row without an event
    const char dec = opcoes_.Dialeto.Decimal;
    // A number with the other dialect's decimal separator is not read as
    // something else: it is refused, saying why.
    auto separadorErrado = [&](const std::string& texto) -> std::string {
        const char outro = dec == ',' ? '.' : ',';
        if (texto.find(outro) == std::string::npos) return {};
        return dec == ',' ? " (no formato br a vírgula separa as casas decimais; use --formato int para o ponto)"
                          : " (no formato int o ponto separa as casas decimais)";
    };
    if (!TryStrToFloat(t, dec, p.DuracaoEvento) || !(p.DuracaoEvento > 0) || !std::isfinite(p.DuracaoEvento))
        p.Erro = "t: \"" + t + "\" não é uma duração em minutos maior que zero" + separadorErrado(t);
    else if (!TryStrToFloat(altura, dec, p.AlturaEvento) || !(p.AlturaEvento > 0) || !std::isfinite(p.AlturaEvento))
        p.Erro = "P: \"" + altura + "\" não é uma altura de chuva em mm maior que zero" + separadorErrado(altura);
    else
        p.TemEvento = true;
}

TConsultaLote::TResultado TConsultaLote::CalculaUm(const TPonto& ponto, std::vector<long double>& pesos) const {
    TResultado r;
    try {
        if (SoGrade()) {
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
        {
            TConfianca c = confianca_->Resumo(ponto.Latitude, ponto.Longitude,
                                              TPoolInterpolacao::TExigencia::RegistroIntegro);
            MarcaEstadoForaDaInterpolacao(c, opcoes_.Contornos.get(), pool_.Nacional(), ponto.Latitude, ponto.Longitude);
            const char dec = opcoes_.Dialeto.Decimal;
            auto valor = [&](const std::optional<double>& v) { return v ? FloatToStr(*v, dec) : std::string(); };
            const TEstacaoContribuinte* perto = c.MaisProxima();
            r.ResumoConfianca = c;
            r.Confianca = {perto ? Utf8(TiraBrancosFinais(perto->Estacao->Nome.Text())) + " (" +
                                       Utf8(SiglasEstados[static_cast<std::size_t>(perto->EstadoIndice)]) + ")"
                                 : std::string(),
                           perto ? FloatToStr(perto->DistanciaKm, dec) : std::string(),
                           std::to_string(c.Ate25Km), std::to_string(c.Ate50Km), valor(c.MenorI), valor(c.MaiorI),
                           Utf8(c.Aviso())};
            r.Aviso = r.Confianca.back();
            if (!opcoes_.Confianca) r.Confianca.erase(r.Confianca.begin(), r.Confianca.end() - 1);
        }
        if (ponto.TemEvento) {
            const TResposta tr = PeriodoDeRetornoDaAltura({e.K, e.a, e.b, e.c}, ponto.DuracaoEvento, ponto.AlturaEvento);
            r.TrEvento = tr;
            if (!tr.Existe) r.Evento = {std::string(), Utf8(tr.Motivo)};
            else r.Evento = {FloatToStr(tr.Valor, opcoes_.Dialeto.Decimal),
                             Utf8(NotaDeExtrapolacao(tr.Valor, ponto.DuracaoEvento))};
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

void TConsultaLote::DizAviso(const TPonto& p, const TResultado& r, std::ostream& erros) {
    if (!r.Aviso.empty())
        erros << "linha " << p.Linha << (p.Id.empty() ? "" : " (" + p.Id + ")") << ": " << r.Aviso << '\n';
}

void TConsultaLote::DizErroDosDados(const std::vector<TResultado>& resultados, std::ostream& erros) {
    const auto comErro =
        std::find_if(resultados.begin(), resultados.end(), [](const TResultado& r) { return !r.ErroDosDados.empty(); });
    if (comErro != resultados.end()) erros << comErro->ErroDosDados << '\n';
}

std::vector<std::string> TConsultaLote::CamposDeResultado(const TPonto& p, const TResultado& r) const {
    const char dec = opcoes_.Dialeto.Decimal;
    const TEstacao& e = r.Estacao;
    const bool exata = e.Nome.Len > 0 || e.Autor.Text() != kInterpolacao;
    std::vector<std::string> campos = {Utf8(p.Latitude), Utf8(p.Longitude), FloatToStr(-ParseDms(p.Latitude), dec),
                                       FloatToStr(-ParseDms(p.Longitude), dec)};
    if (SoGrade()) return campos;   // the grid's columns follow in Executa
    campos.push_back(Utf8(exata ? TiraBrancosFinais(e.Nome.Text()) : kInterpolacao));
    for (double v : {e.K, e.a, e.b, e.c}) campos.push_back(FloatToStr(v, dec));
    campos.push_back(Utf8(TiraBrancosFinais(e.Autor.Text())));
    for (double v : r.Valores) campos.push_back(FloatToStr(v, dec));
    campos.insert(campos.end(), r.Confianca.begin(), r.Confianca.end());
    return campos;
}

std::size_t TConsultaLote::Executa(std::istream& entrada, std::ostream& saida, std::ostream& erros) const {
    TEntradaLote colunas;
    const std::vector<TPonto> pontos = LePontos(entrada, &colunas);
    const std::vector<TResultado> resultados = Calcula(pontos, &erros);
    if (opcoes_.Json) return EscreveJson(pontos, resultados, saida, erros);
    const char dec = opcoes_.Dialeto.Decimal;

    TEscritorCsv escritor(saida, opcoes_.Dialeto.Separador);
    std::vector<std::string> campos = Colunas(dec, colunas);
    const std::size_t nColunas = campos.size();
    const std::size_t nGrade = grade_ ? ColunasGrade(opcoes_, dec).size() : 0;
    escritor.Linha(campos);

    DizErroDosDados(resultados, erros);

    std::size_t falhas = 0;
    for (std::size_t i = 0; i < pontos.size(); ++i) {
        const TPonto& p = pontos[i];
        const TResultado& r = resultados[i];
        const std::string erro = p.Erro.empty() ? r.Erro : p.Erro;
        campos = p.Campos;
        if (!erro.empty()) {
            ++falhas;
            if (r.ErroDosDados.empty())   // the data's fault was said once, above
                erros << "linha " << p.Linha << (p.Id.empty() ? "" : " (" + p.Id + ")") << ": " << erro << '\n';
            campos.resize(nColunas - 1);
            campos.push_back(erro);
            escritor.Linha(campos);
            continue;
        }
        DizAviso(p, r, erros);
        const std::vector<std::string> resultado = CamposDeResultado(p, r);
        campos.insert(campos.end(), resultado.begin(), resultado.end());
        if (colunas.ComEvento() && !SoGrade()) {
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
