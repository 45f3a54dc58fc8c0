// Many points as JSON Lines (--json with --entrada): one object per input
// row, in input order, with the row's number and id, its input texts, and
// either the answer (the columns of the CSV as numbers and objects) or erro.
#include "ConsultaLote.h"
#include "RespostaJson.h"

std::size_t TConsultaLote::EscreveJson(const std::vector<TPonto>& pontos, const std::vector<TResultado>& resultados,
                                       std::ostream& saida, std::ostream& erros) const {
    DizErroDosDados(resultados, erros);
    std::size_t falhas = 0;
    for (std::size_t i = 0; i < pontos.size(); ++i) {
        const TPonto& p = pontos[i];
        const TResultado& r = resultados[i];
        const std::string erro = p.Erro.empty() ? r.Erro : p.Erro;
        TJson o = TJson::Objeto();
        o.Poe("tipo", "ponto_do_lote")
            .Poe("versao_esquema", VersaoEsquemaJson)
            .Poe("linha", p.Linha)
            .Poe("id", p.Id)
            .Poe("entrada", TJson::Objeto()
                                .Poe("latitude", p.LatitudeEntrada)
                                .Poe("longitude", p.LongitudeEntrada)
                                .Poe("graus_negativos_sul_oeste",
                                     opcoes_.Convencao == TLeitorCoordenada::Convencao::Negativos));
        TJson avisos = TJson::Lista();
        if (!erro.empty()) {
            ++falhas;
            if (r.ErroDosDados.empty())   // the data's fault was said once, above
                erros << "linha " << p.Linha << (p.Id.empty() ? "" : " (" + p.Id + ")") << ": " << erro << '\n';
        } else {
            PoeResposta(o, p.Latitude, p.Longitude, r.Estacao);
            if (!opcoes_.Duracoes.empty()) o.Poe("intensidades", JsonPares(opcoes_.Tr, opcoes_.Duracoes, r.Valores));
            if (p.TemEvento) o.Poe("tr_evento", JsonTrEvento(p.DuracaoEvento, p.AlturaEvento, r.TrEvento, avisos));
            if (r.ResumoConfianca) {
                AcrescentaAviso(*r.ResumoConfianca, avisos);
                if (opcoes_.Confianca) o.Poe("confianca", JsonConfianca(*r.ResumoConfianca));
            }
            DizAviso(p, r, erros);
        }
        o.Poe("avisos", std::move(avisos)).Poe("erro", erro.empty() ? TJson() : TJson(erro));
        o.Escreve(saida);
        saida << '\n';
    }
    return falhas;
}
