#include "Ambiente.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QTest>

#include "curvas/CurvasDaConsulta.h"
#include "database/Citacoes.h"
#include "database/Registros.h"
#include "platform/Cp1252.h"
#include "suporte/PastasQt.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"
#include "ui/MascaraCoordenada.h"

AnsiString A(const char* utf8) { return Utf8ToCp1252(utf8); }
QString U(const AnsiString& ansi) { return QString::fromStdString(Cp1252ToUtf8(ansi)); }
QString N(const char* numero) { return QString::fromUtf8(numero).replace(QLatin1Char('.'), QLocale().decimalPoint()); }

namespace {
// Every station has a 0.15, b 20.5, c 0.85, so any weighted mean shows them.
TEstacao Estacao(const char* nome, double k, const char* autor, const char* lat, const char* lon) {
    return ::Estacao(A(nome), k, 0.15, 20.5, 0.85, A(lat), A(lon), A(autor));
}

TLocalidade Localidade(const char* nome, const char* lat, const char* lon) {
    return ::Localidade(A(nome), A(lat), A(lon));
}

QImage Mapa(const QRect& azul) {
    QImage img = MapaLiso(450, 450, Qt::white);
    QPainter(&img).fillRect(azul, QColor(0, 0, 255));
    return img;
}

// Bahia at 300..349 x 200..249, Goiás at 200..249 x 250..299, Paraná at
// 200..249 x 350..399, Sergipe's neutral colour at 380..399 x 200..219 and a
// black letter pixel at (320, 220).
QImage MapaDoBrasil() {
    QImage img = MapaLiso(450, 450, Qt::white);
    QPainter p(&img);
    p.fillRect(QRect(300, 200, 50, 50), QColor(255, 255, 153));
    p.fillRect(QRect(200, 250, 50, 50), QColor(102, 102, 102));
    p.fillRect(QRect(200, 350, 50, 50), QColor(204, 0, 0));
    p.fillRect(QRect(380, 200, 20, 20), QColor(102, 102, 0));
    p.end();
    img.setPixelColor(320, 220, Qt::black);
    return img;
}
}  // namespace

TPastaTeste::TPastaTeste() {
    std::vector<std::vector<TEstacao>> e(27);
    e[4] = {Estacao("Salvador   ", 1234.5678, "SICRANO (1999)   ", "12°58'00\"", "38°30'00\""),
            Estacao("Água Fria", 900, "SICRANO (1999)", "11°52'00\"", "38°46'00\""),
            Estacao("barra", 0.5, "MENGANO (1998)", "11°05'00\"", "43°10'00\""),
            Estacao("Irecê", 1500, "MENGANO (1998)", "11°18'00\"", "41°51'00\""),
            // Entered with Espírito Santo's coordinates: beyond Bahia's map.
            Estacao("Vitória", 1300, "SICRANO (1999)", "20°19'00\"", "40°20'00\"")};
    e[8] = {Estacao("Goiânia", 800.25, Citacoes[9].Chave, "16°40'00\"", "49°15'00\""),
            Estacao("Anápolis", 700, "SICRANO (1999)", "16°20'00\"", "48°57'00\"")};
    e[15] = {Estacao("Curitiba", 1000, "FULANO et al. (1999)", "25°25'00\"", "49°16'00\""),
             Estacao("Londrina", 1100, "FULANO et al. (1999)", "23°18'00\"", "51°09'00\"")};
    e[24] = {Estacao("Campinas", 1200, "ZUTANO e FULANO (1992)", "22°54'00\"", "47°03'00\"")};
    // Roraima: Boa Vista north of the equator (the companion file says so).
    e[22] = {Estacao("Boa Vista", 900, "ANA 00260001, 30 anos", "02°49'11\"", "60°40'24\""),
             Estacao("Caroebe", 950, "ANA 00059000, 28 anos", "00°52'59\"", "59°41'45\"")};
    // Canudos stands on the station "barra"; Abaíra lies within Bahia's
    // bounds but outside the blue area of the test map.
    std::vector<std::vector<TLocalidade>> l(27);
    l[4] = {Localidade("Canudos", "11°05'00\"", "43°10'00\""), Localidade("Abaíra", "08°40'00\"", "40°00'00\"")};
    l[15] = {Localidade("Ponta Grossa", "25°05'00\"", "50°09'00\"")};
    pasta_.GravaEstacoes(e, 7);
    pasta_.GravaLocalidades(l, 7);
    pasta_.GravaDados("EstacoesAoNorte_Tor21.csv", "uf,posicao,nome\nRR,0,Boa Vista\n");
    GravaMapa(pasta_, "BA.bmp", Mapa(QRect(100, 50, 301, 351)));
    GravaMapa(pasta_, "PR.bmp", Mapa(QRect(27, 101, 421, 268)));
}

std::unique_ptr<TfrmFoConsulta> AbreJanela(const TPastaTeste& pasta, IAjuda* ajuda, int estado, int indEstacao,
                                           int indLocalidade, const char* latitude, const char* longitude) {
    auto janela = std::make_unique<TfrmFoConsulta>(pasta.Programa(), ajuda);
    janela->AbreCurvasIdf = MostraCurvasDaConsulta;   // as the component does
    janela->Estado->SetIndice(estado);
    janela->IndEstacao = static_cast<int16_t>(indEstacao);
    janela->IndLocalidade = static_cast<int16_t>(indLocalidade);
    if (latitude) janela->SetLatitudeText(A(latitude));
    if (longitude) janela->SetLongitudeText(A(longitude));
    janela->BrasilBMP->SetImagem(MapaDoBrasil());
    janela->show();
    (void)QTest::qWaitForWindowExposed(janela.get());
    Processa();
    return janela;
}

void ClicaItem(QListWidget* lista, const QString& texto) {
    const auto itens = lista->findItems(texto, Qt::MatchExactly);
    QVERIFY2(itens.size() == 1, qPrintable(texto));
    ClicaLinha(lista, lista->row(itens[0]));
}

void DigitaCoordenada(TMascaraCoordenada* edit, const QString& digitos) {
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClicks(edit, digitos);
}
