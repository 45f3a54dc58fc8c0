#include "RespostaJson.h"

#include "database/Citacoes.h"
#include "database/Coordenadas.h"
#include "database/Estados.h"
#include "platform/Cp1252.h"

namespace {

const AnsiString kInterpolacao = "Interpola\xE7\xE3o";

}  // namespace

TJson JsonCoordenada(const AnsiString& texto) {
    return TJson::Objeto().Poe("texto", Utf8(texto)).Poe("graus", GrausDecimaisComSinal(texto));
}

void PoeResposta(TJson& o, const AnsiString& latitude, const AnsiString& longitude, const TEstacao& r) {
    const bool exata = r.Nome.Len > 0 || r.Autor.Text() != kInterpolacao;
    const std::string fonte = Utf8(TiraBrancosFinais(r.Autor.Text()));
    o.Poe("latitude", JsonCoordenada(latitude))
        .Poe("longitude", JsonCoordenada(longitude))
        .Poe("local", Utf8(exata ? TiraBrancosFinais(r.Nome.Text()) : kInterpolacao))
        .Poe("estacao_exata", exata)
        .Poe("K", r.K)
        .Poe("a", r.a)
        .Poe("b", r.b)
        .Poe("c", r.c)
        .Poe("unidades", TJson::Objeto()
                             .Poe("i", "mm/h")
                             .Poe("K", "mm/h com Tr em anos e t em min")
                             .Poe("a", "adimensional")
                             .Poe("b", "min")
                             .Poe("c", "adimensional"))
        .Poe("fonte", fonte);
    const int i = IndiceCitacao(fonte.c_str());
    const TCitacao* ajustada = FonteDaCitacao(fonte.c_str());
    if (i < 0 && !ajustada) {
        o.Poe("citacao", TJson());
        return;
    }
    const TCitacao& c = ajustada ? *ajustada : Citacoes[static_cast<std::size_t>(i)];
    o.Poe("citacao",
          TJson::Objeto().Poe("autores", c.Autores).Poe("titulo", c.Titulo).Poe("publicacao", c.Publicacao));
}

TJson JsonPares(const std::vector<double>& tr, const std::vector<double>& duracoes,
                const std::vector<double>& valores) {
    TJson lista = TJson::Lista();
    std::size_t v = 0;
    for (double r : tr)
        for (double t : duracoes) {
            lista.Acrescenta(
                TJson::Objeto().Poe("tr_anos", r).Poe("t_min", t).Poe("i_mm_h", valores[v]).Poe("P_mm", valores[v + 1]));
            v += 2;
        }
    return lista;
}

void AcrescentaAviso(const TConfianca& c, TJson& avisos) {
    const std::string aviso = Utf8(c.Aviso());
    if (!aviso.empty()) avisos.Acrescenta(aviso);
}

TJson JsonConfianca(const TConfianca& c) {
    const TEstacaoContribuinte* perto = c.MaisProxima();
    TJson proxima;
    if (perto)
        proxima = TJson::Objeto()
                      .Poe("nome", Utf8(TiraBrancosFinais(perto->Estacao->Nome.Text())))
                      .Poe("uf", Utf8(SiglasEstados[static_cast<std::size_t>(perto->EstadoIndice)]))
                      .Poe("distancia_km", perto->DistanciaKm);
    const std::string aviso = Utf8(c.Aviso());
    return TJson::Objeto()
        .Poe("estacao_proxima", proxima)
        .Poe("estacoes_25km", c.Ate25Km)
        .Poe("estacoes_50km", c.Ate50Km)
        .Poe("i10_60_min_mm_h", c.MenorI)
        .Poe("i10_60_max_mm_h", c.MaiorI)
        .Poe("longe", c.Longe)
        .Poe("fora_da_envoltoria", c.ForaDaEnvoltoria)
        .Poe("fora_do_brasil", c.ForaDoBrasil)
        .Poe("distancia_de_aviso_km", c.DistanciaDeAviso)
        .Poe("aviso", aviso.empty() ? TJson() : TJson(aviso));
}

void PoeRespostaCalculadora(TJson& o, const std::string& nome, const std::string& nomeMotivo, const TResposta& r) {
    o.Poe(nome, r.Existe ? TJson(r.Valor) : TJson());
    o.Poe(nomeMotivo, r.Existe ? TJson() : TJson(Utf8(r.Motivo)));
}

TJson JsonTrEvento(double t, double altura, const TResposta& tr, TJson& avisos) {
    TJson o = TJson::Objeto().Poe("t_min", t).Poe("P_mm", altura).Poe("i_mm_h", altura * 60 / t);
    PoeRespostaCalculadora(o, "tr_anos", "motivo", tr);
    TJson nota;
    const std::string texto = tr.Existe ? NotaDeExtrapolacao(tr.Valor, t) : std::string();
    if (!texto.empty()) {
        nota = Utf8(texto);
        avisos.Acrescenta(nota);
    }
    return o.Poe("nota", nota);
}
