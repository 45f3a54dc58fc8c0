#include "report/GeradorRelatorio.h"

#include <QString>

#include "database/Citacoes.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {

const char* const kTitulo = "Parâmetros da Equação de Intensidade, Duração e Frequência da Precipitação";
const char* const kEspacos = "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";

// One table cell: eight blanks, the bold label, the escaped value.
AnsiString Celula(const char* rotulo, const AnsiString& valor) {
    return AnsiString("<TD>") + kEspacos + "<B>" + rotulo + ": </B>" + EscapaHtml(valor) + "</TD>";
}

}  // namespace

AnsiString EscapaHtml(const AnsiString& texto) {
    AnsiString saida;
    saida.reserve(texto.size());
    for (char ch : texto) {
        switch (ch) {
            case '&': saida += "&amp;"; break;
            case '<': saida += "&lt;"; break;
            case '>': saida += "&gt;"; break;
            case '"': saida += "&quot;"; break;
            default: saida += ch;
        }
    }
    return saida;
}

QImage MapaMarcado(const QImage& mapa, int x, int y) {
    QImage bitmap = mapa;
    uint preto = 0;
    bool indexado = bitmap.format() == QImage::Format_Indexed8 || bitmap.format() == QImage::Format_Mono ||
                    bitmap.format() == QImage::Format_MonoLSB;
    if (indexado) {
        const int indice = bitmap.colorTable().indexOf(qRgb(0, 0, 0));
        if (indice < 0) {
            bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
            indexado = false;
        } else {
            preto = static_cast<uint>(indice);
        }
    }
    // Pixels of the 6 x 6 box whose centres lie inside the circle of radius 3
    // around (x, y): the box without its four corner pixels.
    for (int py = y - 3; py < y + 3; ++py) {
        for (int px = x - 3; px < x + 3; ++px) {
            const double dx = px + 0.5 - x;
            const double dy = py + 0.5 - y;
            if (dx * dx + dy * dy > 9.0 || !bitmap.valid(px, py)) continue;
            if (indexado)
                bitmap.setPixel(px, py, preto);
            else
                bitmap.setPixelColor(px, py, QColor(0, 0, 0));
        }
    }
    return bitmap;
}

AnsiString GeraImagemMapa(const TDadosRelatorio& dados, const QString& pastaDoMapa) {
    if (dados.Mapa.isNull()) throw Exception(Ansi("Não há mapa do estado para o relatório"));
    const QImage bitmap = MapaMarcado(dados.Mapa, dados.MarcadorX, dados.MarcadorY);
    if (!bitmap.save(pastaDoMapa + '/' + QString::fromLatin1(NomeImagemMapa), "BMP"))
        throw EInOutError(Ansi("Não foi possível gravar o arquivo ") + NomeImagemMapa);
    return AnsiString("<CENTER><IMG SRC=\"") + NomeImagemMapa + "\" HEIGHT=" + std::to_string(bitmap.height()) +
           " WIDTH=" + std::to_string(bitmap.width()) + "></CENTER>";
}

AnsiString GeraRelatorio(const TDadosRelatorio& dados, const QString& pastaDoMapa) {
    const AnsiString titulo = Ansi(kTitulo);
    AnsiString d;
    d += "<HTML>";
    d += "<HEAD>";
    d += "<META NAME=\"Author\" CONTENT=\"Quenda Ravosti\">";
    d += "<TITLE>" + titulo + "</TITLE>";
    d += "</HEAD>";
    d += Ansi("<FONT FACE=\"Arial\"><FONT COLOR=\"#000099\"><FONT SIZE=-2>Data de emissão do relatório: ") +
         EscapaHtml(dados.DataEmissao) + "</FONT></FONT></FONT>";
    d += "<P>";
    d += "<CENTER><IMG SRC=\"" + EscapaHtml(dados.PastaPrograma) +
         "../Arquivos Comuns/Cabecalho_Tormel21.jpg\" HEIGHT=73 WIDTH=550></CENTER>";
    d += "<HR>";
    d += "<BODY TEXT=\"#000000\" BGCOLOR=\"#FFFFFF\" LINK=\"#0000FF\" VLINK=\"#800080\" ALINK=\"#FF0000\">";
    d += Ansi("<CENTER><FONT FACE=\"Arial\"><FONT SIZE=+1><B>RELATÓRIO</B></FONT></FONT></CENTER>");
    d += "<CENTER><FONT FACE=\"Arial\"><FONT SIZE=3><B>" + titulo + "</B></FONT></FONT></CENTER>";
    d += "<HR>";
    d += "<P>";
    d += Ansi("<FONT SIZE=3><B>LOCALIZAÇÃO:</B></FONT>");
    d += "<TABLE CELLPADDING=3>";
    d += "<TR>";
    d += Celula("Localidade", dados.NomeLocal);
    d += Celula("Estado", dados.NomeEstado);
    d += "</TR>";
    d += "<TR>";
    d += Celula("Latitude", dados.LatitudeTexto);
    d += "</TR>";
    d += "<TR>";
    d += Celula("Longitude", dados.LongitudeTexto);
    d += "</TR>";
    d += "</TABLE>";
    d += "<P>";
    d += "<P>";
    d += Ansi("<FONT SIZE=3><B>PARÂMETROS DA EQUAÇÃO:</B></FONT>");
    d += "<TABLE CELLPADDING=3>";
    d += "<TR>" + Celula("K", dados.K) + "</TR>";
    d += "<TR>" + Celula("a", dados.A) + "</TR>";
    d += "<TR>" + Celula("b", dados.B) + "</TR>";
    d += "<TR>" + Celula("c", dados.C);
    d += "</TABLE>";
    d += "<P>";
    d += "<P>";
    // A station fitted by the data builder: where its numbers come from.
    if (const TCitacao* fonte = FonteDaCitacao(Cp1252ToUtf8(dados.Fonte).c_str())) {
        d += Ansi("<FONT SIZE=3><B>FONTE:</B></FONT>");
        d += "<TABLE CELLPADDING=3><TR><TD>" + EscapaHtml(dados.Fonte) + ". " + Ansi(fonte->Autores) + ". " +
             Ansi(fonte->Publicacao) + "</TD></TR></TABLE>";
        d += "<P>";
    }
    if (dados.MapaVisivel) {
        // The map file is written before anything of its section is appended:
        // a failure leaves no document at all.
        const AnsiString imagem = GeraImagemMapa(dados, pastaDoMapa);
        d += Ansi("<FONT SIZE=3><B>MAPA DE LOCALIZAÇÃO:</B></FONT>");
        d += "<TABLE CELLPADDING=3>";
        d += "<TR>";
        d += "<TD>";
        d += imagem;
        d += "</TD>";
        d += "</TR>";
        d += "</TABLE>";
    }
    d += "</BODY>";
    d += "</HTML>";
    return d;
}
