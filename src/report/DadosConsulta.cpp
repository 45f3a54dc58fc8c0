#include "report/DadosConsulta.h"

#include <QDate>
#include <QFrame>
#include <QLabel>
#include <QLocale>

#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"
#include "ui/TraducaoQt.h"

namespace {
AnsiString Legenda(const QLabel* rotulo) { return rotulo ? Utf8ToCp1252(rotulo->text().toStdString()) : AnsiString(); }
}  // namespace

TDadosRelatorio DadosDaConsulta(const TfrmFoConsulta& janela) {
    TDadosRelatorio dados;
    dados.NomeLocal = janela.PlaceName;
    dados.NomeEstado = janela.Estado ? janela.Estado->Nome() : AnsiString();
    dados.LatitudeTexto = Utf8ToCp1252(janela.LatitudeDoLugar().toStdString());
    dados.LongitudeTexto = janela.LongitudeText;
    dados.K = Legenda(janela.PrecK);
    dados.A = Legenda(janela.PrecA);
    dados.B = Legenda(janela.PrecB);
    dados.C = Legenda(janela.PrecC);
    dados.Fonte = Utf8ToCp1252(janela.LegendaAutor().toStdString());
    dados.MapaVisivel = janela.EstadoBMP && !janela.EstadoBMP->isHidden();
    if (dados.MapaVisivel) {
        dados.Mapa = janela.EstadoBMP->Imagem();
        dados.MarcadorX = janela.EixoY ? janela.EixoY->x() : 0;
        dados.MarcadorY = janela.EixoX ? janela.EixoX->y() : 0;
    }
    dados.PastaPrograma = CaminhoCp1252(janela.PastaDoPrograma());
    dados.DataEmissao = Utf8ToCp1252(DataDeHoje().toStdString());
    return dados;
}
