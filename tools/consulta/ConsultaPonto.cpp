#include "ConsultaPonto.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>
#include <vector>

#include "ChuvaConsulta.h"
#include "EscritorCsv.h"
#include "ParesIdf.h"
#include "RespostaGrade.h"
#include "database/Confianca.h"
#include "database/Estados.h"
#include "model/ChuvaDeProjeto.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

void TConsultaPonto::EscrevePerguntas(const TParametrosIdf& p, std::ostream& saida, std::ostream& tabela,
                                      std::ostream& notas) const {
    const char sep = opcoes_.Dialeto.Decimal;
    auto resposta = [&](const TResposta& x) { return x.Existe ? FloatToStr(x.Valor, sep) : Utf8(x.Motivo); };
    // An answer beyond the fitted ranges is noted, with its question.
    auto nota = [&](const std::string& pergunta, double tr, const TResposta& t) {
        if (!t.Existe) return;
        const std::string texto = NotaDeExtrapolacao(tr, t.Valor);
        if (!texto.empty()) notas << pergunta << ": t = " << FloatToStr(t.Valor, sep) << " min: " << Utf8(texto) << '\n';
    };
    if (!opcoes_.IntensidadesAlvo.empty()) {
        saida << "\nTr (anos)\ti (mm/h)\tt, intensidade m\xC3\xA9" "dia (min)\tt, intensidade instant\xC3\xA2nea (min)\n";
        for (double tr : opcoes_.Tr)
            for (double i : opcoes_.IntensidadesAlvo) {
                const TResposta media = DuracaoDaIntensidadeMedia(p, tr, i);
                saida << FloatToStr(tr, sep) << '\t' << FloatToStr(i, sep) << '\t' << resposta(media) << '\t'
                      << resposta(DuracaoDaIntensidadeInstantanea(p, tr, i)) << '\n';
                nota("Tr = " + FloatToStr(tr, sep) + " anos, i = " + FloatToStr(i, sep) + " mm/h", tr, media);
            }
    }
    if (!opcoes_.AlturasAlvo.empty()) {
        saida << "\nTr (anos)\tP (mm)\tt (min)\n";
        for (double tr : opcoes_.Tr)
            for (double altura : opcoes_.AlturasAlvo) {
                const TResposta t = DuracaoDaAltura(p, tr, altura);
                saida << FloatToStr(tr, sep) << '\t' << FloatToStr(altura, sep) << '\t' << resposta(t) << '\n';
                nota("Tr = " + FloatToStr(tr, sep) + " anos, P = " + FloatToStr(altura, sep) + " mm", tr, t);
            }
    }
    if (opcoes_.Evento) {
        const auto [t, altura] = *opcoes_.Evento;
        const TResposta tr = PeriodoDeRetornoDaAltura(p, t, altura);
        const std::string texto = tr.Existe ? Utf8(NotaDeExtrapolacao(tr.Valor, t)) : std::string();
        if (!texto.empty())
            notas << "t = " << FloatToStr(t, sep) << " min, P = " << FloatToStr(altura, sep)
                  << " mm: Tr = " << FloatToStr(tr.Valor, sep) << " anos: " << texto << '\n';
        saida << "\nt (min)\tP (mm)\ti (mm/h)\tTr (anos)\tNota\n"
              << FloatToStr(t, sep) << '\t' << FloatToStr(altura, sep) << '\t' << FloatToStr(altura * 60 / t, sep)
              << '\t' << resposta(tr) << '\t'
              << texto << '\n';
    }
    if (opcoes_.Hietograma) {
        const TOpcoesConsulta::THietogramaPedido& pedido = *opcoes_.Hietograma;
        const THietograma h = CalculaChuva(pedido.Metodo, p, pedido.Tr, pedido.Duracao, pedido.Passo, pedido.Pico);
        saida << '\n' << DescricaoDaChuva(h, pedido.Metodo, sep) << '\n';
        TEscritorCsv csv(tabela, opcoes_.Dialeto.Separador);
        csv.Linha({"inicio_min", "fim_min", "altura_mm", "intensidade_mm_h", "acumulada_mm"});
        for (const TBlocoDeChuva& b : h.Blocos)
            csv.Linha({FloatToStr(b.Inicio, sep), FloatToStr(b.Fim, sep), FloatToStr(b.Altura, sep),
                       FloatToStr(b.Intensidade, sep), FloatToStr(b.Acumulada, sep)});
    }
    if (opcoes_.Vazao) EscreveVazao(p, *opcoes_.Vazao, sep, saida);
}

TConsultaPonto::TLocal TConsultaPonto::Localiza() const {
    const TLeitorCoordenada leitor(opcoes_.Convencao);
    TLocal l;
    l.Latitude = leitor.Texto(opcoes_.Latitude, true);
    l.Longitude = leitor.Texto(opcoes_.Longitude, false);
    if (direto_) l.Direta = direto_->Responde(l.Latitude, l.Longitude);
    std::vector<long double> pesos;
    l.Estacao = l.Direta ? l.Direta->Estacao
                         : pool_->Interpola(l.Latitude, l.Longitude, pesos,
                                            TPoolInterpolacao::TExigencia::RegistroIntegro);
    const TEstacao& r = l.Estacao;
    if (!std::isfinite(r.K) || !std::isfinite(r.a) || !std::isfinite(r.b) || !std::isfinite(r.c))
        throw EInvalidOp(Ansi("Os parâmetros calculados não são números: os dados das estações estão "
                              "corrompidos."));
    return l;
}

void TConsultaPonto::Executa(std::ostream& destino, std::ostream* avisos) const {
    if (grade_ && opcoes_.Fonte == TOpcoesConsulta::TFonte::Grade) return ExecutaGrade(destino, avisos);
    if (opcoes_.Json) {
        const std::string json = RespostaJson(avisos).Texto();   // whole before written
        destino << json << '\n';
        return;
    }
    TLocal lugar = Localiza();
    const AnsiString& latitude = lugar.Latitude;
    const AnsiString& longitude = lugar.Longitude;
    const TEstacao& r = lugar.Estacao;
    constexpr auto kIntegro = TPoolInterpolacao::TExigencia::RegistroIntegro;

    const char sep = opcoes_.Dialeto.Decimal;
    if (opcoes_.Hietograma && (opcoes_.HecHms || SaidaDeModelo(opcoes_.Saida))) {
        destino << ChuvaParaModelo({r.K, r.a, r.b, r.c}, latitude, longitude, opcoes_);
        return;
    }
    // The whole answer is made before any of it is written: an error leaves
    // the output empty.
    const std::vector<double> valores =
        ValoresDosPares(r.K, r.a, r.b, r.c, opcoes_.Tr, opcoes_.Duracoes, sep);
    std::ostringstream saida;
    const bool exata = r.Nome.Len > 0 || r.Autor.Text() != "Interpola\xE7\xE3o";
    const AnsiString local = exata ? TiraBrancosFinais(r.Nome.Text()) : AnsiString("Interpola\xE7\xE3o");
    saida << "Local: " << Utf8(local) << '\n'
          << "Latitude: " << Utf8(latitude) << '\n'
          << "Longitude: " << Utf8(longitude) << '\n'
          << "K: " << FloatToStr(r.K, sep) << '\n'
          << "a: " << FloatToStr(r.a, sep) << '\n'
          << "b: " << FloatToStr(r.b, sep) << '\n'
          << "c: " << FloatToStr(r.c, sep) << '\n'
          << "Fonte: " << Utf8(TiraBrancosFinais(r.Autor.Text())) << '\n';

    if (!opcoes_.Duracoes.empty()) {
        saida << "\nTr (anos)\tt (min)\ti (mm/h)\tP (mm)\n";
        std::size_t v = 0;
        for (double tr : opcoes_.Tr)
            for (double t : opcoes_.Duracoes) {
                saida << FloatToStr(tr, sep) << '\t' << FloatToStr(t, sep) << '\t' << FloatToStr(valores[v], sep)
                      << '\t' << FloatToStr(valores[v + 1], sep) << '\n';
                v += 2;
            }
    }

    // With -o, a design storm makes the file a plain CSV of its blocks; the
    // rest of the answer goes to standard error.
    const bool soATabela = opcoes_.Hietograma && !opcoes_.Saida.empty() && avisos;
    std::ostringstream tabela, notas;
    EscrevePerguntas({r.K, r.a, r.b, r.c}, saida, soATabela ? tabela : saida, notas);

    TConfianca c =
        lugar.Direta ? std::move(lugar.Direta->Confianca) : TAvaliadorConfianca(*pool_).Resumo(latitude, longitude, kIntegro);
    MarcaEstadoForaDaInterpolacao(c, opcoes_.Contornos.get(), pool_ && pool_->Nacional(), latitude, longitude);
    if (opcoes_.Confianca) {
        const TEstacaoContribuinte* perto = c.MaisProxima();
        auto valor = [&](const std::optional<double>& v) { return v ? FloatToStr(*v, sep) : std::string(); };
        saida << "\nEsta\xC3\xA7\xC3\xA3o mais pr\xC3\xB3xima: "
              << (perto ? Utf8(TiraBrancosFinais(perto->Estacao->Nome.Text())) + " (" +
                              Utf8(SiglasEstados[static_cast<std::size_t>(perto->EstadoIndice)]) + ")"
                        : std::string())
              << '\n'
              << "Dist\xC3\xA2ncia (km): " << (perto ? FloatToStr(perto->DistanciaKm, sep) : std::string()) << '\n'
              << "Esta\xC3\xA7\xC3\xB5" "es at\xC3\xA9 25 km: " << c.Ate25Km << '\n'
              << "Esta\xC3\xA7\xC3\xB5" "es at\xC3\xA9 50 km: " << c.Ate50Km << '\n'
              << "i(10, 60) m\xC3\xADnimo das 5 mais pr\xC3\xB3ximas (mm/h): " << valor(c.MenorI) << '\n'
              << "i(10, 60) m\xC3\xA1ximo das 5 mais pr\xC3\xB3ximas (mm/h): " << valor(c.MaiorI) << '\n'
              << "Aviso: " << Utf8(c.Aviso()) << '\n';
    }

    if (opcoes_.Estacoes && pool_) {
        const auto lista = pool_->Contribuicoes(latitude, longitude, kIntegro);
        const std::size_t n =
            opcoes_.MaxEstacoes == 0 ? lista.size() : std::min(lista.size(), opcoes_.MaxEstacoes);
        saida << "\nEsta\xC3\xA7\xC3\xA3o\tLatitude\tLongitude\tDist\xC3\xA2ncia (graus)\tPeso (%)\n";
        for (std::size_t i = 0; i < n; ++i) {
            const TEstacao& e = *lista[i].Estacao;
            saida << Utf8(TiraBrancosFinais(e.Nome.Text())) << '\t' << Utf8(e.Latitude.Text()) << '\t'
                  << Utf8(e.Longitude.Text()) << '\t' << FloatToStr(lista[i].Distancia, sep) << '\t'
                  << FloatToStr(100 * lista[i].Parcela, sep) << '\n';
        }
    }
    if (grade_ && opcoes_.Fonte == TOpcoesConsulta::TFonte::Ambas) {
        saida << '\n';
        EscreveRespostaGrade(RespostaDaGrade(*grade_, opcoes_, latitude, longitude), *grade_, opcoes_,
                             std::array<double, 4>{r.K, r.a, r.b, r.c}, saida);
    }
    if (soATabela) {
        *avisos << saida.str();
        destino << tabela.str();
    } else {
        destino << saida.str();
    }
    if (avisos && !c.Aviso().empty()) *avisos << "tormel21-consulta: " << Utf8(c.Aviso()) << '\n';
    if (avisos) {
        std::istringstream linhas(notas.str());
        for (std::string linha; std::getline(linhas, linha);) *avisos << "tormel21-consulta: " << linha << '\n';
    }
}
