#include "curvas/CurvasDaConsulta.h"

#include "curvas/FoCurvasIdf.h"
#include "database/Citacoes.h"
#include "database/DadosDoUsuario.h"
#include "database/Estados.h"
#include "platform/Cp1252.h"
#include "ui/FoConsulta.h"

namespace {
QString Q(const AnsiString& ansi) { return QString::fromStdString(Cp1252ToUtf8(ansi)); }
}  // namespace

TLugarIdf LugarAtual(const TfrmFoConsulta& consulta) {
    TLugarIdf lugar;
    lugar.Nome = consulta.NomeDoLugar();
    lugar.Estado = consulta.EstadoDoLugar();
    lugar.Latitude = consulta.LatitudeDoLugar();
    lugar.Longitude = Q(consulta.LongitudeText);
    lugar.Fonte = consulta.LegendaAutor();
    const TEstacao r = consulta.RegistroDoLugar();
    lugar.Parametros = {r.K, r.a, r.b, r.c};
    lugar.Aviso = consulta.AvisoAtual();
    if (CitacaoComDescricao(lugar.Fonte.toUtf8().constData()) && consulta.Estado)
        lugar.Intervalos = IntervalosDoAjuste(PastaDadosEmUso(consulta.PastaDoPrograma()),
                                              Cp1252ToUtf8(SiglasEstados.at(static_cast<std::size_t>(consulta.Estado->Indice))),
                                              lugar.Nome.trimmed().toStdString());
    consulta.AcrescentaGrade(lugar);   // the national grid's cell, when compared
    // The pool's stations about a northern station would be found about its
    // mirror image: a station north of the equator lists none.
    if (consulta.TemParametros() && !consulta.LugarAoNorte())
        lugar.Vizinhas = VizinhasDoLugar(consulta.Avaliador().Resumo(consulta.LatitudeText, consulta.LongitudeText));
    return lugar;
}

void MostraCurvasDaConsulta(TfrmFoConsulta& consulta) {
    MostraCurvasIdf(&consulta, LugarAtual(consulta), consulta.Ajuda(), consulta.ArquivoConfiguracao);
}
