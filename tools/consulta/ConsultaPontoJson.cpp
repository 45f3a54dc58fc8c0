// The one-point answer as one JSON object (--json): the same core calls as
// the text answer, every value a number, made whole before it is written.
#include <algorithm>
#include <cmath>
#include <optional>

#include "ConsultaPonto.h"
#include "ParesIdf.h"
#include "RespostaJson.h"
#include "database/Confianca.h"
#include "model/ChuvasSinteticas.h"
#include "model/MetodoRacional.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {

TJson JsonHietograma(const THietograma& h, TMetodoChuva metodo) {
    TJson blocos = TJson::Lista();
    for (const TBlocoDeChuva& b : h.Blocos)
        blocos.Acrescenta(TJson::Objeto()
                              .Poe("inicio_min", b.Inicio)
                              .Poe("fim_min", b.Fim)
                              .Poe("altura_mm", b.Altura)
                              .Poe("intensidade_mm_h", b.Intensidade)
                              .Poe("acumulada_mm", b.Acumulada));
    return TJson::Objeto()
        .Poe("metodo", Utf8(NomeDoMetodo(metodo)))
        .Poe("tr_anos", h.Tr)
        .Poe("duracao_min", h.Duracao)
        .Poe("passo_min", h.Passo)
        .Poe("posicao_do_pico", h.PosicaoDoPico)
        .Poe("bloco_do_pico", h.BlocoDoPico)
        .Poe("blocos", blocos);
}

// A duration found beyond the fitted ranges is noted among the warnings.
void NotaDaDuracao(double tr, const TResposta& t, TJson& avisos) {
    const std::string nota = t.Existe ? NotaDeExtrapolacao(tr, t.Valor) : std::string();
    if (!nota.empty()) avisos.Acrescenta(TJson(Utf8(nota)));
}

}  // namespace

TJson TConsultaPonto::RespostaJson(std::ostream* destinoAvisos) const {
    TLocal lugar = Localiza();
    const AnsiString& latitude = lugar.Latitude;
    const AnsiString& longitude = lugar.Longitude;
    const TEstacao& r = lugar.Estacao;
    constexpr auto kIntegro = TPoolInterpolacao::TExigencia::RegistroIntegro;
    const TParametrosIdf p{r.K, r.a, r.b, r.c};

    TJson o = TJson::Objeto();
    TJson avisos = TJson::Lista();
    o.Poe("tipo", "ponto")
        .Poe("versao_esquema", VersaoEsquemaJson)
        .Poe("entrada", TJson::Objeto()
                            .Poe("latitude", opcoes_.Latitude)
                            .Poe("longitude", opcoes_.Longitude)
                            .Poe("graus_negativos_sul_oeste",
                                 opcoes_.Convencao == TLeitorCoordenada::Convencao::Negativos));
    PoeResposta(o, latitude, longitude, r);

    if (!opcoes_.Duracoes.empty())
        o.Poe("intensidades", JsonPares(opcoes_.Tr, opcoes_.Duracoes,
                                        ValoresDosPares(r.K, r.a, r.b, r.c, opcoes_.Tr, opcoes_.Duracoes, '.')));
    if (!opcoes_.IntensidadesAlvo.empty()) {
        TJson lista = TJson::Lista();
        for (double tr : opcoes_.Tr)
            for (double i : opcoes_.IntensidadesAlvo) {
                TJson item = TJson::Objeto().Poe("tr_anos", tr).Poe("i_mm_h", i);
                const TResposta media = DuracaoDaIntensidadeMedia(p, tr, i);
                NotaDaDuracao(tr, media, avisos);
                PoeRespostaCalculadora(item, "t_media_min", "motivo_media", media);
                PoeRespostaCalculadora(item, "t_instantanea_min", "motivo_instantanea",
                                       DuracaoDaIntensidadeInstantanea(p, tr, i));
                lista.Acrescenta(std::move(item));
            }
        o.Poe("duracao_intensidade", std::move(lista));
    }
    if (!opcoes_.AlturasAlvo.empty()) {
        TJson lista = TJson::Lista();
        for (double tr : opcoes_.Tr)
            for (double altura : opcoes_.AlturasAlvo) {
                TJson item = TJson::Objeto().Poe("tr_anos", tr).Poe("P_mm", altura);
                const TResposta t = DuracaoDaAltura(p, tr, altura);
                NotaDaDuracao(tr, t, avisos);
                PoeRespostaCalculadora(item, "t_min", "motivo", t);
                lista.Acrescenta(std::move(item));
            }
        o.Poe("duracao_altura", std::move(lista));
    }
    if (opcoes_.Evento)
        o.Poe("tr_evento", JsonTrEvento(opcoes_.Evento->Duracao, opcoes_.Evento->Altura,
                                        PeriodoDeRetornoDaAltura(p, opcoes_.Evento->Duracao, opcoes_.Evento->Altura),
                                        avisos));
    if (opcoes_.Hietograma) {
        const TOpcoesConsulta::THietogramaPedido& h = *opcoes_.Hietograma;
        o.Poe("hietograma", JsonHietograma(CalculaChuva(h.Metodo, p, h.Tr, h.Duracao, h.Passo, h.Pico), h.Metodo));
    }
    if (opcoes_.Vazao) {
        const TOpcoesConsulta::TVazaoPedida& v = *opcoes_.Vazao;
        const bool kirpich = v.Tc == 0;
        const TVazaoDeProjeto q =
            CalculaVazao(p, v.Area, v.C, kirpich ? TempoDeKirpich(v.Comprimento, v.Desnivel) : v.Tc, v.Tr);
        TJson vazao = TJson::Objeto().Poe("area_km2", q.AreaKm2).Poe("C", q.C);
        if (kirpich) vazao.Poe("comprimento_km", v.Comprimento).Poe("desnivel_m", v.Desnivel);
        vazao.Poe("tc_min", q.Tc)
            .Poe("tc_por_kirpich", kirpich)
            .Poe("tr_anos", q.Tr)
            .Poe("i_mm_h", q.Intensidade)
            .Poe("Q_m3_s", q.Vazao);
        for (const std::string& nota : q.Notas) avisos.Acrescenta(TJson(Utf8(nota)));
        o.Poe("vazao", std::move(vazao));
    }
    // The warning comes with every answer; the summary with --confianca.
    TConfianca confianca =
        lugar.Direta ? std::move(lugar.Direta->Confianca) : TAvaliadorConfianca(*pool_).Resumo(latitude, longitude, kIntegro);
    MarcaEstadoForaDaInterpolacao(confianca, opcoes_.Contornos.get(), pool_ && pool_->Nacional(), latitude, longitude);
    AcrescentaAviso(confianca, avisos);
    if (opcoes_.Confianca) o.Poe("confianca", JsonConfianca(confianca));
    if (destinoAvisos && !confianca.Aviso().empty())
        *destinoAvisos << "tormel21-consulta: " << Utf8(confianca.Aviso()) << '\n';
    if (opcoes_.Estacoes && pool_) {
        const auto contribuicoes = pool_->Contribuicoes(latitude, longitude, kIntegro);
        const std::size_t n = opcoes_.MaxEstacoes == 0 ? contribuicoes.size()
                                                       : std::min(contribuicoes.size(), opcoes_.MaxEstacoes);
        TJson lista = TJson::Lista();
        for (std::size_t i = 0; i < n; ++i) {
            const TEstacao& e = *contribuicoes[i].Estacao;
            lista.Acrescenta(TJson::Objeto()
                                 .Poe("nome", Utf8(TiraBrancosFinais(e.Nome.Text())))
                                 .Poe("latitude", JsonCoordenada(e.Latitude.Text()))
                                 .Poe("longitude", JsonCoordenada(e.Longitude.Text()))
                                 .Poe("distancia_graus", contribuicoes[i].Distancia)
                                 .Poe("peso_pct", 100 * contribuicoes[i].Parcela));
        }
        o.Poe("estacoes", std::move(lista));
    }
    return o.Poe("avisos", std::move(avisos));
}
