// The report document byte by byte, and the marked map read back from "Bit.bmp".
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "report/GeradorRelatorio.h"
#include "suporte/PastasQt.h"

namespace {

// Fixed head of every document, up to and including the body's title line;
// the program folder and the date are those of Dados() below.
const char* const kInicio =
    "<HTML><HEAD><META NAME=\"Author\" CONTENT=\"Quenda Ravosti\">"
    "<TITLE>Parâmetros da Equação de Intensidade, Duração e Frequência da Precipitação</TITLE></HEAD>"
    "<FONT FACE=\"Arial\"><FONT COLOR=\"#000099\"><FONT SIZE=-2>Data de emissão do relatório: 07/12/2026"
    "</FONT></FONT></FONT><P>"
    "<CENTER><IMG SRC=\"/opt/tormel 2.1/bin/../Arquivos Comuns/Cabecalho_Tormel21.jpg\" HEIGHT=73 WIDTH=550>"
    "</CENTER><HR>"
    "<BODY TEXT=\"#000000\" BGCOLOR=\"#FFFFFF\" LINK=\"#0000FF\" VLINK=\"#800080\" ALINK=\"#FF0000\">"
    "<CENTER><FONT FACE=\"Arial\"><FONT SIZE=+1><B>RELATÓRIO</B></FONT></FONT></CENTER>"
    "<CENTER><FONT FACE=\"Arial\"><FONT SIZE=3><B>Parâmetros da Equação de Intensidade, Duração e "
    "Frequência da Precipitação</B></FONT></FONT></CENTER><HR><P>";

const char* const kB = "<TD>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;<B>";

std::string Td(const std::string& rotulo, const std::string& valor) {
    return kB + rotulo + ": </B>" + valor + "</TD>";
}

TDadosRelatorio Dados() {
    TDadosRelatorio d;
    d.NomeLocal = Ansi("Rio Branco          ");   // stored name, trailing blanks kept
    d.NomeEstado = Ansi("Acre");
    d.LatitudeTexto = Ansi("09°58'29\"");
    d.LongitudeTexto = Ansi("67°48'36\"");
    d.K = "1234.5";
    d.A = "0.15";
    d.B = "12";
    d.C = "0.81";
    d.PastaPrograma = "/opt/tormel 2.1/bin/";
    d.DataEmissao = "07/12/2026";
    return d;
}

QImage MapaBranco(int largura, int altura, QImage::Format formato = QImage::Format_RGB32) {
    QImage mapa(largura, altura, formato);
    mapa.fill(QColor(0, 0, 255));
    return mapa;
}

}  // namespace

TEST(GeradorRelatorio, StationOnTheBrazilPageGivesTheWholeDocumentWithoutMap) {
    TPastaCorrente pasta;
    const std::string esperado = Ansi(std::string(kInicio) +
        "<FONT SIZE=3><B>LOCALIZAÇÃO:</B></FONT><TABLE CELLPADDING=3>"
        "<TR>" + Td("Localidade", "Rio Branco          ") + Td("Estado", "Acre") + "</TR>"
        "<TR>" + Td("Latitude", "09°58'29&quot;") + "</TR>"
        "<TR>" + Td("Longitude", "67°48'36&quot;") + "</TR></TABLE><P><P>"
        "<FONT SIZE=3><B>PARÂMETROS DA EQUAÇÃO:</B></FONT><TABLE CELLPADDING=3>"
        "<TR>" + Td("K", "1234.5") + "</TR><TR>" + Td("a", "0.15") + "</TR><TR>" + Td("b", "12") + "</TR>"
        "<TR>" + Td("c", "0.81") + "</TABLE><P><P></BODY></HTML>");

    const AnsiString documento = GeraRelatorio(Dados(), pasta.Caminho(""));

    EXPECT_EQ(documento, esperado);
    // Single-byte text in one line.
    EXPECT_NE(documento.find("RELAT\xD3RIO"), std::string::npos);
    EXPECT_EQ(documento.find('\n'), std::string::npos);
    EXPECT_EQ(documento.find('\r'), std::string::npos);
    EXPECT_FALSE(QFile::exists(pasta.Caminho("Bit.bmp")));
}

// A station of the national network names its source after the parameters;
// any other source (a table citation, an interpolation) adds nothing.
TEST(GeradorRelatorio, ANetworkStationNamesItsSource) {
    TPastaCorrente pasta;
    const struct { const char* fonte; bool secao; } casos[] = {
        {"ANA 00967000, 31 anos", true}, {"Interpolação", false}, {"FULANO et al. (1999)", false}};
    for (const auto& c : casos) {
        TDadosRelatorio d = Dados();
        d.Fonte = Ansi(c.fonte);
        const std::string documento = Cp1252ToUtf8(GeraRelatorio(d, pasta.Caminho("")));
        const std::string secao = std::string("<TD>") + c.fonte + ". ANA - Agência Nacional de Águas e Saneamento Básico: "
                                  "Rede Hidrometeorológica Nacional (dados abertos). Equação ajustada pelo Tormel 2.1";
        EXPECT_EQ(documento.find(secao) != std::string::npos, c.secao) << c.fonte;
        EXPECT_EQ(documento.find("<B>FONTE:</B>") != std::string::npos, c.secao) << c.fonte;
    }
}

TEST(GeradorRelatorio, LocalityOnAStateMapAddsTheMapSectionAndWritesTheMarkedMap) {
    TPastaCorrente pasta;
    TDadosRelatorio d = Dados();
    d.NomeLocal = Ansi("Uberlândia");
    d.NomeEstado = Ansi("Minas Gerais");
    d.K = "1234.560";
    d.A = "0.150";
    d.B = "12.300";
    d.C = "0.810";
    d.MapaVisivel = true;
    d.Mapa = MapaBranco(450, 450);
    d.MarcadorX = 120;
    d.MarcadorY = 300;

    const std::string esperado = Ansi(std::string(kInicio) +
        "<FONT SIZE=3><B>LOCALIZAÇÃO:</B></FONT><TABLE CELLPADDING=3>"
        "<TR>" + Td("Localidade", "Uberlândia") + Td("Estado", "Minas Gerais") + "</TR>"
        "<TR>" + Td("Latitude", "09°58'29&quot;") + "</TR>"
        "<TR>" + Td("Longitude", "67°48'36&quot;") + "</TR></TABLE><P><P>"
        "<FONT SIZE=3><B>PARÂMETROS DA EQUAÇÃO:</B></FONT><TABLE CELLPADDING=3>"
        "<TR>" + Td("K", "1234.560") + "</TR><TR>" + Td("a", "0.150") + "</TR><TR>" + Td("b", "12.300") +
        "</TR><TR>" + Td("c", "0.810") + "</TABLE><P><P>"
        "<FONT SIZE=3><B>MAPA DE LOCALIZAÇÃO:</B></FONT><TABLE CELLPADDING=3><TR><TD>"
        "<CENTER><IMG SRC=\"Bit.bmp\" HEIGHT=450 WIDTH=450></CENTER></TD></TR></TABLE></BODY></HTML>");

    EXPECT_EQ(GeraRelatorio(d, pasta.Caminho("")), esperado);
    EXPECT_EQ(QImage(pasta.Caminho("Bit.bmp"), "BMP").size(), QSize(450, 450));
}

TEST(GeradorRelatorio, TypedPointAndEmptyParameterLabels) {
    TPastaCorrente pasta;
    TDadosRelatorio d = Dados();
    d.NomeLocal = Ansi("Não definida");
    d.NomeEstado = Ansi("Paraná");
    d.LatitudeTexto = Ansi("25°25'00\"");
    d.LongitudeTexto = Ansi("49°16'00\"");
    d.K = d.A = d.B = d.C = "";
    d.MapaVisivel = true;
    d.Mapa = MapaBranco(300, 200);

    const AnsiString documento = GeraRelatorio(d, pasta.Caminho(""));

    const std::string localizacao = Ansi(
        "<TR>" + Td("Localidade", "Não definida") + Td("Estado", "Paraná") + "</TR>"
        "<TR>" + Td("Latitude", "25°25'00&quot;") + "</TR><TR>" + Td("Longitude", "49°16'00&quot;") + "</TR>");
    const std::string parametros = Ansi(
        "<TABLE CELLPADDING=3><TR>" + std::string(kB) + "K: </B></TD></TR><TR>" + kB + "a: </B></TD></TR>"
        "<TR>" + kB + "b: </B></TD></TR><TR>" + kB + "c: </B></TD></TABLE>");
    EXPECT_NE(documento.find(localizacao), std::string::npos) << documento;
    EXPECT_NE(documento.find(parametros), std::string::npos) << documento;
    EXPECT_NE(documento.find("<IMG SRC=\"Bit.bmp\" HEIGHT=200 WIDTH=300>"), std::string::npos);
}

TEST(GeradorRelatorio, ValuesAreEscapedSoNoMarkupCanBeInjected) {
    TPastaCorrente pasta;
    TDadosRelatorio d = Dados();
    d.NomeLocal = Ansi("Fazenda S&A <Sede> \"Velha\"");
    d.NomeEstado = "A<B";
    d.K = "1<2";
    d.PastaPrograma = "/home/a&b/\"x\"/";
    d.DataEmissao = "7>6";

    const AnsiString documento = GeraRelatorio(d, pasta.Caminho(""));

    EXPECT_NE(documento.find(Td("Localidade", "Fazenda S&amp;A &lt;Sede&gt; &quot;Velha&quot;")), std::string::npos);
    EXPECT_NE(documento.find(Td("Estado", "A&lt;B")), std::string::npos);
    EXPECT_NE(documento.find(Td("K", "1&lt;2")), std::string::npos);
    EXPECT_NE(documento.find("<IMG SRC=\"/home/a&amp;b/&quot;x&quot;/../Arquivos Comuns/"), std::string::npos);
    EXPECT_NE(documento.find("relat\xF3rio: 7&gt;6</FONT>"), std::string::npos);
    EXPECT_EQ(documento.find("<Sede>"), std::string::npos);
    EXPECT_EQ(EscapaHtml(Ansi("São Paulo 09°58'")), Ansi("São Paulo 09°58'"));
}

TEST(GeradorRelatorio, DotOfSixPixelsAtTheCrosshairInTheSavedBitmap) {
    TPastaCorrente pasta;
    TDadosRelatorio d = Dados();
    d.MapaVisivel = true;
    d.Mapa = MapaBranco(450, 450);
    const int x = 200, y = 151;
    d.MarcadorX = x;
    d.MarcadorY = y;
    GeraRelatorio(d, pasta.Caminho(""));

    QImage lido(pasta.Caminho("Bit.bmp"), "BMP");
    ASSERT_FALSE(lido.isNull());
    ASSERT_EQ(lido.size(), QSize(450, 450));
    const QColor preto(0, 0, 0), azul(0, 0, 255);
    int pretos = 0;
    for (int py = y - 5; py < y + 5; ++py) {
        for (int px = x - 5; px < x + 5; ++px) {
            const bool naCaixa = px >= x - 3 && px < x + 3 && py >= y - 3 && py < y + 3;
            const bool canto = (px == x - 3 || px == x + 2) && (py == y - 3 || py == y + 2);
            const QColor cor = lido.pixelColor(px, py);
            if (naCaixa && !canto)
                EXPECT_EQ(cor, preto) << px << "," << py;
            else if (!naCaixa)
                EXPECT_EQ(cor, azul) << px << "," << py;
            if (cor == preto) ++pretos;
        }
    }
    // The round dot: the 6 x 6 box less at most its four corner pixels.
    EXPECT_GE(pretos, 32);
    EXPECT_LE(pretos, 36);
    // Nothing else of the map changed.
    int mudados = 0;
    for (int py = 0; py < 450; ++py)
        for (int px = 0; px < 450; ++px)
            if (lido.pixelColor(px, py) != azul) ++mudados;
    EXPECT_EQ(mudados, pretos);
}

TEST(GeradorRelatorio, MarkedMapEdgesAndPixelFormats) {
    // A dot at the picture's corner is clipped, not an error.
    QImage canto = MapaMarcado(MapaBranco(20, 20), 1, 0);
    EXPECT_EQ(canto.pixelColor(0, 0), QColor(0, 0, 0));
    EXPECT_EQ(canto.pixelColor(3, 2), QColor(0, 0, 255));

    // An indexed picture with black in its table keeps its format.
    QImage indexado(10, 10, QImage::Format_Indexed8);
    indexado.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    indexado.fill(0);
    const QImage marcado = MapaMarcado(indexado, 5, 5);
    EXPECT_EQ(marcado.format(), QImage::Format_Indexed8);
    EXPECT_EQ(marcado.pixelColor(5, 5), QColor(0, 0, 0));
    EXPECT_EQ(marcado.pixelColor(9, 9), QColor(255, 255, 255));

    // One without black is widened to true colour.
    indexado.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 255)});
    const QImage largo = MapaMarcado(indexado, 5, 5);
    EXPECT_EQ(largo.pixelColor(4, 4), QColor(0, 0, 0));
    EXPECT_EQ(largo.pixelColor(0, 0), QColor(255, 255, 255));
}

TEST(GeradorRelatorio, LargeMapDimensionsAreWrittenWhole) {
    TPastaCorrente pasta;
    TDadosRelatorio d = Dados();
    d.MapaVisivel = true;
    d.Mapa = MapaBranco(12345, 8, QImage::Format_RGB888);
    d.MarcadorX = 4;
    d.MarcadorY = 4;
    EXPECT_NE(GeraRelatorio(d, pasta.Caminho("")).find("<IMG SRC=\"Bit.bmp\" HEIGHT=8 WIDTH=12345>"),
              std::string::npos);
}

TEST(GeradorRelatorio, MapThatCannotBeWrittenIsAnErrorAndNoDocument) {
    TPastaCorrente pasta;
    ASSERT_TRUE(QDir().mkdir(pasta.Caminho("Bit.bmp")));   // a folder where the file should go
    TDadosRelatorio d = Dados();
    d.MapaVisivel = true;
    d.Mapa = MapaBranco(50, 50);
    EXPECT_THROW(GeraRelatorio(d, pasta.Caminho("")), EInOutError);

    d.Mapa = QImage();
    EXPECT_THROW(GeraRelatorio(d, pasta.Caminho("")), Exception);
}
