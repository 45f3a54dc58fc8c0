// Bad state maps and a bad locality file met when a state is chosen: one
// error box naming the file and what is wrong, and the window back on a
// state whose map, lists and records belong together, so that a click on
// a list shows that state's own place.
#include <QComboBox>
#include <QImage>
#include <QBuffer>
#include <QLabel>
#include <QListWidget>
#include <QStackedWidget>
#include <QTest>

#include <string>

#include "suporte/CaixasGravadas.h"
#include "JanelaTeste.h"
#include "PastaJanela.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"
#include "ui/LeituraMapaEstado.h"

namespace {

const QStringList kEstacoesMinas{QStringLiteral("Belo Horizonte"), QStringLiteral("Juiz de Fora"),
                                 QStringLiteral("Montes Claros")};

QString Erro(const QString& mensagem) { return QStringLiteral("Tormel 2.1|") + mensagem; }

QString Invalido(const TPastaJanela& p) {
    return QStringLiteral("O arquivo %1 não é um bitmap BMP válido ou está incompleto (mapa do estado Bahia).")
        .arg(p.CaminhoComoOProgramaVe(QStringLiteral("BA.bmp")));
}

QString Tamanho(const TPastaJanela& p, int l, int a) {
    return QStringLiteral("O arquivo %1 tem %2 × %3 pixels; o mapa do estado Bahia deve ter 450 × 450.")
        .arg(p.CaminhoComoOProgramaVe(QStringLiteral("BA.bmp")))
        .arg(l)
        .arg(a);
}

QString SemAzul(const TPastaJanela& p) {
    return QStringLiteral("O arquivo %1 não tem nenhum pixel azul puro: o mapa do estado Bahia não mostra a área "
                          "do estado.")
        .arg(p.CaminhoComoOProgramaVe(QStringLiteral("BA.bmp")));
}

QString Incompleto(const TPastaJanela& p, int estado, const QString& nome) {
    return QStringLiteral("O arquivo %1 está incompleto: os dados terminam no bloco do estado %2 (%3).")
        .arg(p.CaminhoComoOProgramaVe(QStringLiteral("Localidades_Tor21.bin")))
        .arg(estado)
        .arg(nome);
}

QByteArray QuaseAzul() {
    QImage imagem(450, 450, QImage::Format_RGB32);
    imagem.fill(QColor(0, 0, 254));
    imagem.setPixelColor(10, 10, QColor(0, 1, 255));
    QByteArray dados;
    QBuffer buffer(&dados);
    buffer.open(QIODevice::WriteOnly);
    imagem.save(&buffer, "BMP");
    return dados;
}

// A 450 × 450 run-length map (RLE8; palette: 0 white, 1 pure blue) whose
// left half is the state: each row, bottom first, is a run of 225 blue and
// one of 225 white pixels and an end of line. The spoiled ones stop early
// (data cut in half, an end of bitmap after half the rows) or skip ten rows
// with a delta escape: rows without colour.
enum class TRle { Inteiro, CortadoAoMeio, FimAntecipado, Delta };

QByteArray MapaRle8(TRle defeito) {
    QByteArray pixels;
    for (int y = 0; y < 450; ++y) {
        if (defeito == TRle::FimAntecipado && y == 225) break;
        if (defeito == TRle::Delta && y == 100) {
            pixels.append("\0\2\0\12", 4);   // dx 0, dy 10
            y += 10;
        }
        pixels.append("\xE1\1\xE1\0\0\0", 6);
    }
    pixels.append("\0\1", 2);
    if (defeito == TRle::CortadoAoMeio) pixels.truncate(pixels.size() / 2);
    auto u32 = [](QByteArray& b, quint32 v) {
        for (int i = 0; i < 4; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    QByteArray bmp("BM");
    u32(bmp, 62 + static_cast<quint32>(pixels.size()));
    u32(bmp, 0);
    u32(bmp, 62);                       // pixels after 14 + 40 + 2 palette entries
    u32(bmp, 40);
    u32(bmp, 450);
    u32(bmp, 450);
    u32(bmp, 1 | 8 << 16);              // one plane, 8 bits
    u32(bmp, 1);                        // RLE8
    u32(bmp, static_cast<quint32>(pixels.size()));
    u32(bmp, 2835);
    u32(bmp, 2835);
    u32(bmp, 2);                        // colours used
    u32(bmp, 0);
    bmp.append("\xFF\xFF\xFF\0\xFF\0\0\0", 8);   // white, blue (B, G, R, 0)
    return bmp + pixels;
}

enum class TEsperado { Invalido, Tamanho, SemAzul };

}  // namespace

class TesteMapasRuins : public QObject {
    Q_OBJECT

private slots:
    void init() { Caixas().Limpa(); }

    void mapaRuimVoltaAoEstadoAnterior_data() {
        QTest::addColumn<QByteArray>("bmp");
        QTest::addColumn<int>("esperado");
        QTest::addColumn<int>("largura");
        QTest::addColumn<int>("altura");
        const QByteArray bom = TPastaJanela::MapaAzul();
        const auto inv = static_cast<int>(TEsperado::Invalido);
        QTest::newRow("texto") << QByteArray("isto não é um bitmap\r\n") << inv << 0 << 0;
        QTest::newRow("vazio") << QByteArray() << inv << 0 << 0;
        QTest::newRow("PNG com nome de BMP") << TPastaJanela::MapaAzul(450, 450, "PNG") << inv << 0 << 0;
        QTest::newRow("só o cabeçalho") << bom.left(54) << inv << 0 << 0;
        QTest::newRow("truncado no meio") << bom.left(bom.size() / 2) << inv << 0 << 0;
        QTest::newRow("falta um byte") << bom.left(bom.size() - 1) << inv << 0 << 0;
        QTest::newRow("300 x 300") << TPastaJanela::MapaAzul(300, 300) << static_cast<int>(TEsperado::Tamanho)
                                   << 300 << 300;
        QTest::newRow("450 x 451") << TPastaJanela::MapaAzul(450, 451) << static_cast<int>(TEsperado::Tamanho)
                                   << 450 << 451;
        QTest::newRow("sem azul puro") << QuaseAzul() << static_cast<int>(TEsperado::SemAzul) << 0 << 0;
        QTest::newRow("RLE8 cortado ao meio") << MapaRle8(TRle::CortadoAoMeio) << inv << 0 << 0;
        QTest::newRow("RLE8 com fim antecipado") << MapaRle8(TRle::FimAntecipado) << inv << 0 << 0;
        QTest::newRow("RLE8 com salto delta") << MapaRle8(TRle::Delta) << inv << 0 << 0;
    }
    void mapaRuimVoltaAoEstadoAnterior() {
        QFETCH(QByteArray, bmp);
        QFETCH(int, esperado);
        QFETCH(int, largura);
        QFETCH(int, altura);
        TPastaJanela pasta;
        pasta.Grava(QStringLiteral("BA.bmp"), bmp);
        auto janela = AbreJanela(pasta, 12, 0);
        QVERIFY2(Caixas().ErrosComTitulo().isEmpty(), qPrintable(Caixas().ErrosComTitulo().join('\n')));

        EscolheEstado(janela->Estados, 4);
        const QString mensagem = esperado == static_cast<int>(TEsperado::Invalido) ? Invalido(pasta)
                                 : esperado == static_cast<int>(TEsperado::Tamanho) ? Tamanho(pasta, largura, altura)
                                                                                     : SemAzul(pasta);
        QCOMPARE(Caixas().ErrosComTitulo(), QStringList{Erro(mensagem)});

        // Minas Gerais again, whole: state, combo, caption, map, lists.
        QCOMPARE(janela->Estado->Indice, int16_t(12));
        QCOMPARE(janela->Estados->currentIndex(), 12);
        QVERIFY(janela->windowTitle().contains(QStringLiteral("Minas Gerais")));
        QCOMPARE(janela->Notebook1->currentIndex(), 1);
        QVERIFY(janela->EstadoBMP->isVisible());
        QCOMPARE(janela->EstadoBMP->Imagem().size(), QSize(450, 450));
        QCOMPARE(Itens(janela->LBEstacao), kEstacoesMinas);
        QCOMPARE(Itens(janela->LBLocalidade), QStringList{QStringLiteral("Contagem")});

        // The third line is Minas Gerais's third station.
        ClicaLinha(janela->LBEstacao, 2);
        QCOMPARE(QString::fromLatin1(janela->PlaceName.c_str()), QStringLiteral("Montes Claros"));
        QVERIFY2(janela->PrecK->text().startsWith(QStringLiteral("800")), qPrintable(janela->PrecK->text()));
        QCOMPARE(Caixas().ErrosComTitulo().size(), 1);
    }

    // The check refuses only what cannot serve: the shipped maps pass it.
    void mapasEntreguesSaoAceitos() {
        for (const char* sigla : {"BA", "ES", "MG", "PR", "RJ", "SP", "TO"}) {
            const std::string caminho = std::string(TORMEL_MAPAS) + "/" + sigla + ".bmp";
            try {
                const QImage mapa = LeMapaEstado(caminho, sigla);
                QCOMPARE(mapa.size(), QSize(450, 450));
            } catch (const std::exception& e) {
                QFAIL(qPrintable(QString::fromStdString(caminho) + ": " + QString::fromUtf8(e.what())));
            }
        }
    }

    // A whole run-length map is decoded pixel for pixel.
    void mapaRle8InteiroEAceito() {
        TPastaJanela pasta;
        pasta.Grava(QStringLiteral("BA.bmp"), MapaRle8(TRle::Inteiro));
        const QImage mapa = LeMapaEstado(QString(pasta.Dados() + QStringLiteral("BA.bmp")).toStdString(), "Bahia");
        QCOMPARE(mapa.size(), QSize(450, 450));
        for (int y : {0, 224, 449})
            for (int x : {0, 224, 225, 449})
                QCOMPARE(mapa.pixel(x, y), x < 225 ? qRgb(0, 0, 255) : qRgb(255, 255, 255));
    }

    // The bad map met at the window's activation: there is no other state to
    // go back to, so Bahia stays chosen, on the Brazil page, without its map.
    void mapaRuimNaAtivacao() {
        TPastaJanela pasta;
        pasta.Grava(QStringLiteral("BA.bmp"), QByteArray("BM não"));
        auto janela = AbreJanela(pasta, 4, 0);
        QCOMPARE(Caixas().ErrosComTitulo(), QStringList{Erro(Invalido(pasta))});
        QCOMPARE(janela->Estado->Indice, int16_t(4));
        QCOMPARE(janela->Notebook1->currentIndex(), 0);
        QVERIFY(!janela->EstadoBMP->isVisible());
        QVERIFY(!janela->LBLocalidade->isVisible());
        QCOMPARE(Itens(janela->LBEstacao), QStringList{QStringLiteral("Salvador")});
        ClicaLinha(janela->LBEstacao, 0);
        QCOMPARE(QString::fromLatin1(janela->PlaceName.c_str()), QStringLiteral("Salvador"));
        QVERIFY2(janela->PrecK->text().startsWith(QStringLiteral("1100")), qPrintable(janela->PrecK->text()));
        QCOMPARE(Caixas().ErrosComTitulo().size(), 1);
    }

    // Minas Gerais's block cut short: choosing it from Bahia fails naming the
    // block, and Bahia comes back with its map and its own lists.
    void localidadesTruncadasNoEstadoEscolhido() {
        TPastaJanela pasta;
        const QByteArray inteiro = TPastaJanela::ArquivoLocalidades();
        pasta.Grava(QStringLiteral("Localidades_Tor21.bin"), inteiro.left(inteiro.size() - 14 * 2 - 10));
        auto janela = AbreJanela(pasta, 4, 0);
        QVERIFY2(Caixas().ErrosComTitulo().isEmpty(), qPrintable(Caixas().ErrosComTitulo().join('\n')));
        EscolheEstado(janela->Estados, 12);
        QCOMPARE(Caixas().ErrosComTitulo(), QStringList{Erro(Incompleto(pasta, 12, QStringLiteral("Minas Gerais")))});
        QCOMPARE(janela->Estado->Indice, int16_t(4));
        QCOMPARE(janela->Estados->currentIndex(), 4);
        QVERIFY(janela->EstadoBMP->isVisible());
        QCOMPARE(Itens(janela->LBEstacao), QStringList{QStringLiteral("Salvador")});
        QCOMPARE(Itens(janela->LBLocalidade), QStringList{QStringLiteral("Acajutiba")});
        ClicaLinha(janela->LBLocalidade, 0);
        QCOMPARE(QString::fromLatin1(janela->PlaceName.c_str()), QStringLiteral("Acajutiba"));
        QCOMPARE(Caixas().ErrosComTitulo().size(), 1);
    }

    // Bahia's block cut short: Minas Gerais's block lies after it, so
    // choosing Minas Gerais fails naming Bahia's block, and Goiás comes back.
    void localidadesTruncadasAntesDoEstadoAnterior() {
        TPastaJanela pasta;
        pasta.Grava(QStringLiteral("Localidades_Tor21.bin"), TPastaJanela::ArquivoLocalidades().left(1 + 4 * 2 + 2 + 40));
        auto janela = AbreJanela(pasta, 8, 0);
        QVERIFY2(Caixas().ErrosComTitulo().isEmpty(), qPrintable(Caixas().ErrosComTitulo().join('\n')));
        EscolheEstado(janela->Estados, 12);   // Minas Gerais: skipping Bahia's block fails
        QCOMPARE(Caixas().ErrosComTitulo(), QStringList{Erro(Incompleto(pasta, 4, QStringLiteral("Bahia")))});
        QCOMPARE(janela->Estado->Indice, int16_t(8));
        QCOMPARE(janela->Notebook1->currentIndex(), 0);
        QCOMPARE(Itens(janela->LBEstacao), QStringList{QStringLiteral("Goiânia")});
        ClicaLinha(janela->LBEstacao, 0);
        QCOMPARE(QString::fromLatin1(janela->PlaceName.c_str()), QStringLiteral("Goiânia"));
    }
};

#include "MapasRuinsTest.moc"

int ExecutaTesteMapasRuins(int argc, char** argv) {
    TesteMapasRuins t;
    return QTest::qExec(&t, argc, argv);
}
