#include "OpcoesFonte.h"

#include "ErrosConsulta.h"
#include "GisOpcoes.h"
#include "platform/Cp1252.h"

namespace {
[[noreturn]] void Uso(const std::string& mensagemUtf8) { throw EUso(AnsiDaEntrada(mensagemUtf8)); }
}  // namespace

void LeOpcaoFonte(const std::string& opcao, const std::string& valor, TOpcoesConsulta& o) {
    using F = TOpcoesConsulta::TFonte;
    if (opcao == "--fonte") {
        if (valor == "estacoes") o.Fonte = F::Estacoes;
        else if (valor == "grade") o.Fonte = F::Grade;
        else if (valor == "ambas") o.Fonte = F::Ambas;
        else Uso("--fonte: use estacoes, grade ou ambas, não \"" + valor + "\"");
        return;
    }
    const auto d = DesagregacaoDaChave(valor);
    if (!d) Uso("--desagregacao-grade: use raster, estacao ou cetesb, não \"" + valor + "\"");
    o.Desagregacao = *d;
}

void ConfereOpcoesFonte(const TOpcoesConsulta& o) {
    using F = TOpcoesConsulta::TFonte;
    if (!o.Gis.Grade.empty() && o.Fonte == F::Ambas)
        Uso("--grade escreve uma fonte só: use --fonte estacoes ou --fonte grade");
    if (!o.Gis.Grade.empty() && o.Fonte == F::Grade && o.Gis.Passo != 60)
        Uso("--passo não vale com --fonte grade: as células são as da grade nacional");
    if (o.Fonte != F::Estacoes && o.Estacoes) Uso("--estacoes vale só com --fonte estacoes");
    if (o.Fonte == F::Grade && o.Confianca) Uso("--confianca vale só com as estações (--fonte estacoes ou ambas)");
    if (o.Fonte != F::Estacoes && o.Json) Uso("--json vale só com --fonte estacoes: a grade nacional sai em CSV ou texto");
    if (o.Fonte != F::Estacoes && !o.Saida.empty() && o.SaidaDeSig())
        Uso("a grade nacional sai em CSV ou texto; GeoPackage e GeoJSON só com --fonte estacoes");
}
