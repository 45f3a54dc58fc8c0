#include "Ambiente.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include "database/Citacoes.h"
#include "platform/Cp1252.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"

AnsiString A(const char* utf8) { return Utf8ToCp1252(utf8); }
QString U(const AnsiString& ansi) { return QString::fromStdString(Cp1252ToUtf8(ansi)); }

TEstacao Estacao(const char* nome, double k, double a, double b, double c, const char* autor, const char* lat,
                 const char* lon) {
    TEstacao e;
    e.Nome.Assign(A(nome));
    e.K = k, e.a = a, e.b = b, e.c = c;
    e.Autor.Assign(A(autor));
    e.Latitude.Assign(A(lat));
    e.Longitude.Assign(A(lon));
    return e;
}

TLocalidade Localidade(const char* nome, const char* lat, const char* lon) {
    TLocalidade l;
    l.Nome.Assign(A(nome));
    l.Latitude.Assign(A(lat));
    l.Longitude.Assign(A(lon));
    return l;
}

const QRect TPastaTeste::AzulBahia(100, 50, 301, 351);   // x 100..400, y 50..400

std::vector<std::vector<TEstacao>> TPastaTeste::Estacoes() {
    std::vector<std::vector<TEstacao>> e(27);
    const double a = 0.15, b = 20.5, c = 0.85;
    e[4] = {Estacao("Salvador   ", 1234.5678, a, b, c, "SICRANO (1999)   ", "12°58'00\"", "38°30'00\""),
            Estacao("Água Fria", 900, a, b, c, "SICRANO (1999)", "11°52'00\"", "38°46'00\""),
            Estacao("barra", 0.5, a, b, c, "MENGANO (1998)", "11°05'00\"", "43°10'00\""),
            Estacao("Irecê", 1500, a, b, c, "MENGANO (1998)", "11°18'00\"", "41°51'00\"")};
    e[8] = {Estacao("Goiânia", 800.25, a, b, c, Citacoes[9].Chave, "16°40'00\"", "49°15'00\""),
            Estacao("Anápolis", 700, a, b, c, "SICRANO (1999)", "16°20'00\"", "48°57'00\"")};
    e[15] = {Estacao("Curitiba", 1000, a, b, c, "FULANO et al. (1999)", "25°25'00\"", "49°16'00\""),
             Estacao("Londrina", 1100, a, b, c, "FULANO et al. (1999)", "23°18'00\"", "51°09'00\"")};
    e[24] = {Estacao("Campinas", 1200, a, b, c, "ZUTANO e FULANO (1992)", "22°54'00\"", "47°03'00\"")};
    e[25] = {};
    return e;
}

std::vector<std::vector<TLocalidade>> TPastaTeste::Localidades() {
    std::vector<std::vector<TLocalidade>> l(27);
    // Canudos stands exactly on the station "barra"; Abaíra lies in Bahia's
    // bounds but outside the blue area of the test map.
    l[4] = {Localidade("Canudos", "11°05'00\"", "43°10'00\""), Localidade("Abaíra", "08°40'00\"", "40°00'00\"")};
    l[15] = {Localidade("Ponta Grossa", "25°05'00\"", "50°09'00\"")};
    return l;
}

namespace {
template <class R>
QByteArray Arquivo(const std::vector<std::vector<R>>& blocos) {
    QByteArray dados(1, '\x07');
    for (const auto& bloco : blocos) {
        const auto n = static_cast<uint16_t>(bloco.size());
        dados.append(static_cast<char>(n & 0xFF)).append(static_cast<char>(n >> 8));
        for (const R& r : bloco) dados.append(reinterpret_cast<const char*>(&r), sizeof(R));
    }
    return dados;
}

void Grava(const QString& caminho, const QByteArray& dados) {
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(caminho));
    f.write(dados);
}
}  // namespace

TPastaTeste::TPastaTeste() {
    QDir raiz(dir_.path());
    raiz.mkpath(QStringLiteral("Prog"));
    raiz.mkpath(QStringLiteral("Arquivos Comuns"));
    Grava(Dados() + QStringLiteral("Estados_Tor21.bin"), Arquivo(Estacoes()));
    Grava(Dados() + QStringLiteral("Localidades_Tor21.bin"), Arquivo(Localidades()));
    MapaComArea(AzulBahia).save(Dados() + QStringLiteral("BA.bmp"), "BMP");
    MapaComArea(QRect(27, 101, 421, 268)).save(Dados() + QStringLiteral("PR.bmp"), "BMP");
    // No SP.bmp: São Paulo is the state whose map is missing.
}

std::string TPastaTeste::Programa() const { return (dir_.path() + QStringLiteral("/Prog/")).toStdString(); }

QString TPastaTeste::Dados() const { return dir_.path() + QStringLiteral("/Arquivos Comuns/"); }

QImage MapaComArea(const QRect& azul) {
    QImage img(450, 450, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.fillRect(azul, QColor(0, 0, 255));
    return img;
}

// Bahia (255,255,153) at 300..349 x 200..249, Goiás (102,102,102) at
// 200..249 x 250..299, Paraná (204,0,0) at 200..249 x 350..399, Sergipe's
// neutral (102,102,0) at 380..399 x 200..219, a black letter pixel at (320,220).
QImage MapaDoBrasilDeTeste() {
    QImage img(450, 450, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.fillRect(QRect(300, 200, 50, 50), QColor(255, 255, 153));
    p.fillRect(QRect(200, 250, 50, 50), QColor(102, 102, 102));
    p.fillRect(QRect(200, 350, 50, 50), QColor(204, 0, 0));
    p.fillRect(QRect(380, 200, 20, 20), QColor(102, 102, 0));
    p.end();
    img.setPixelColor(320, 220, Qt::black);
    return img;
}

void Processa() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

std::unique_ptr<TfrmFoConsulta> AbreJanela(const TPastaTeste& pasta, IAjuda* ajuda, int estado, int indEstacao,
                                           int indLocalidade, const char* latitude, const char* longitude) {
    auto janela = std::make_unique<TfrmFoConsulta>(pasta.Programa(), ajuda);
    janela->Estado->SetIndice(estado);
    janela->IndEstacao = static_cast<int16_t>(indEstacao);
    janela->IndLocalidade = static_cast<int16_t>(indLocalidade);
    if (latitude) janela->SetLatitudeText(A(latitude));
    if (longitude) janela->SetLongitudeText(A(longitude));
    janela->BrasilBMP->SetImagem(MapaDoBrasilDeTeste());
    janela->show();
    (void)QTest::qWaitForWindowExposed(janela.get());
    Processa();
    return janela;
}

QString FechaModalAo(const std::function<void()>& acao) {
    QString visto;
    QTimer vigia;
    vigia.setInterval(20);
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            visto = QString::fromLatin1(modal->metaObject()->className());
            vigia.stop();
            modal->close();
        }
    });
    vigia.start();
    acao();
    vigia.stop();
    Processa();
    return visto;
}

int PosicaoNaLista(const QListWidget* lista, const QString& texto) {
    for (int i = 0; i < lista->count(); ++i)
        if (lista->item(i)->text() == texto) return i;
    return -1;
}

void EscolheEstado(QComboBox* estados, int indice) {
    estados->showPopup();
    QAbstractItemView* vista = estados->view();
    const QModelIndex item = estados->model()->index(indice, 0);
    vista->scrollTo(item);
    QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, vista->visualRect(item).center());
    Processa();
}

void ClicaItem(QListWidget* lista, int posicao) {
    QListWidgetItem* item = lista->item(posicao);
    lista->scrollToItem(item);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(item).center());
}

QString N(const char* texto) { return QString::fromUtf8(texto).replace(QLatin1Char('.'), QLocale().decimalPoint()); }
