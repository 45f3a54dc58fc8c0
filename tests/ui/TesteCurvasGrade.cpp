// The national grid in the query and curves windows, with real pointer and
// key events: a station of Bahia compared with its cell, a click in Sergipe
// on the real Brazil picture answered by the grid alone, and the intensity
// layer that the pointer passes through.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <QLineSeries>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "Ambiente.h"
#include "curvas/FoCurvasIdf.h"
#include "curvas/GraficoIdf.h"
#include "curvas/TextosIdf.h"
#include "database/Coordenadas.h"
#include "database/GeoReferencia.h"
#include "database/GradeNacional.h"
#include "model/EquacaoIdf.h"
#include "platform/ArquivoIni.h"
#include "suporte/ArquivosDeTeste.h"
#include "ui/CamadaIntensidades.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"
#include "ui/MascaraCoordenada.h"
#include "ui/PontoNaGrade.h"

namespace {

// "Exibir" > item, with the pointer.
void ClicaNoExibir(TfrmFoConsulta* w, QAction* item) {
    auto* exibir = qobject_cast<QMenu*>(w->MostrarEstacoes1->associatedObjects().first());
    QVERIFY(exibir);
    QTest::mouseClick(w->MainMenu1, Qt::LeftButton, {}, w->MainMenu1->actionGeometry(exibir->menuAction()).center());
    QTRY_VERIFY(exibir->isVisible());
    QTest::mouseClick(exibir, Qt::LeftButton, {}, exibir->actionGeometry(item).center());
    QTRY_VERIFY(!exibir->isVisible());
    Processa();
}

const TGradeNacional& Grade() {
    static const TGradeNacional g = [] {
        TGradeNacional x;
        x.Carrega(TORMEL_ARQUIVO_GRADE);
        return x;
    }();
    return g;
}

// The single-precision value by its shortest decimal, as the window shows it.
double Curto(double v) {
    char texto[32];
    const auto fim = std::to_chars(texto, texto + sizeof texto, static_cast<float>(v)).ptr;
    return std::strtod(std::string(texto, fim).c_str(), nullptr);
}

// Like AoAbrirModal, for a window that opens only after another modal one
// has closed: waits for it, up to two seconds.
template <class T>
void QuandoAbrir(QObject* contexto, std::function<void(T*)> acao) {
    auto* relogio = new QTimer(contexto);
    auto tentativas = std::make_shared<int>(0);
    QObject::connect(relogio, &QTimer::timeout, contexto, [relogio, tentativas, acao] {
        if (auto* janela = qobject_cast<T*>(QApplication::activeModalWidget())) {
            relogio->deleteLater();
            relogio->stop();
            acao(janela);
        } else if (++*tentativas > 200) {
            relogio->deleteLater();
            relogio->stop();
        }
    });
    relogio->start(10);
}

}  // namespace

class TesteCurvasGrade : public QObject {
    Q_OBJECT
    TPastaTeste pasta;
    TAjudaGravada ajuda;
    QTemporaryDir saida;

private slots:
    void initTestCase() {
        QFile::remove(pasta.Dados() + TGradeNacional::NomeArquivo);
        QVERIFY(QFile::copy(QStringLiteral(TORMEL_ARQUIVO_GRADE), pasta.Dados() + TGradeNacional::NomeArquivo));
    }
    void init() { Caixas().Limpa(); }

    // Salvador (Bahia): the menu item checked, Ctrl+I shows the grid's table,
    // dashed curves, R², KS p-value and the difference of i(10, 60) that the
    // grid's cell gives; the CSV carries them; "&Fechar" keeps the choice.
    void estacaoDaBahiaComparadaComAGrade() {
        const std::string ini = saida.filePath(QStringLiteral("Tormel21.ini")).toStdString();
        GravaArquivo(ini, "[PRINCIPAL]\r\nIndEstado=4\r\n");
        auto w = AbreJanela(pasta, &ajuda, 4, 3);   // Salvador, 12°58'00" S 38°30'00" W
        w->ArquivoConfiguracao = ini;
        w->LeOpcoes();
        QVERIFY(!w->CompararComGrade1->isChecked());
        ClicaNoExibir(w.get(), w->DesagregacaoGrade1[2]);   // CETESB
        ClicaNoExibir(w.get(), w->CompararComGrade1);
        QVERIFY(w->CompararComGrade1->isChecked());

        const auto v = Grade().Valor(TDesagregacaoGrade::Cetesb, -(12 + 58 / 60.0), -(38 + 30 / 60.0));
        QVERIFY(v && !v->DaVizinha);
        const TCelulaGrade& c = v->Celula;
        const double ig = ValoresDeProjeto(Curto(c.K()), Curto(c.A()), Curto(c.B()), Curto(c.C()), 10, 60).Intensidade;
        const QString csv = saida.filePath(QStringLiteral("feira.csv"));
        const QString pdf = saida.filePath(QStringLiteral("salvador.pdf"));
        bool aberta = false;
        AoAbrirModal<TfrmCurvasIdf>(w.get(), [&](TfrmCurvasIdf* d) {
            aberta = true;
            QVERIFY(d->TabelaGrade);
            QCOMPARE(d->TabelaGrade->rowCount(), d->Tabela->rowCount());
            // Row "60 min", column "Tr = 10" of the default lists.
            const int linha = static_cast<int>(std::find(d->Duracoes().begin(), d->Duracoes().end(), 60.0) -
                                               d->Duracoes().begin());
            const int coluna = static_cast<int>(std::find(d->Periodos().begin(), d->Periodos().end(), 10.0) -
                                                d->Periodos().begin());
            QCOMPARE(d->TabelaGrade->item(linha, coluna)->text(), NumeroFixo(ig, 1));
            QCOMPARE(d->Grafico->CurvasComparadas().size(), static_cast<int>(d->Periodos().size()));
            QCOMPARE(d->Grafico->CurvasComparadas().first()->pen().style(), Qt::DashLine);
            // Depth, then the log scale: the twins are drawn again on the
            // axes shown, not added to the old ones.
            QTest::mouseClick(d->RbAltura, Qt::LeftButton);
            QTest::mouseClick(d->CbEscalaLog, Qt::LeftButton);
            QVERIFY(d->CbEscalaLog->isChecked());
            QCOMPARE(d->Grafico->CurvasComparadas().size(), static_cast<int>(d->Periodos().size()));
            for (QLineSeries* s : d->Grafico->CurvasComparadas()) {
                QVERIFY(s->attachedAxes().contains(d->Grafico->EixoY()));
                QCOMPARE(s->attachedAxes().size(), 2);
            }
            const double pg = ValoresDeProjeto(Curto(c.K()), Curto(c.A()), Curto(c.B()), Curto(c.C()), 10, 60).Precipitacao;
            QCOMPARE(d->TabelaGrade->item(linha, coluna)->text(), NumeroFixo(pg, 1));
            {
                QPrinter impressora(QPrinter::HighResolution);
                impressora.setOutputFormat(QPrinter::PdfFormat);
                impressora.setOutputFileName(pdf);
                d->Imprime(impressora);
            }
            const double il = ValoresDeProjeto(d->Lugar().Parametros.K, d->Lugar().Parametros.a,
                                               d->Lugar().Parametros.b, d->Lugar().Parametros.c, 10, 60)
                                  .Intensidade;
            QVERIFY2(d->Cabecalho->text().contains(NumeroFixo(100 * (ig - il) / il, 1) + QStringLiteral(" %")),
                     qPrintable(d->Cabecalho->text()));
            QVERIFY(d->Cabecalho->text().contains(QStringLiteral("CETESB")));
            QVERIFY(d->Cabecalho->text().contains(NumeroFixo(Curto(c.KsP()), 3)));
            d->ExportaCsv(csv);
            QTest::mouseClick(d->BtnFechar, Qt::LeftButton);
        });
        QApplication::setActiveWindow(w.get());
        QTest::keyClick(w->LBEstacao, Qt::Key_I, Qt::ControlModifier);
        Processa();
        QVERIFY(aberta);
        const QString texto = QString::fromUtf8(ConteudoDoArquivo(csv.toStdString()));
        QVERIFY(texto.contains(QStringLiteral("Grade nacional;GRIDF-BR")));
        QVERIFY(texto.contains(QStringLiteral("Desagregação;CETESB")));
        QVERIFY(texto.contains(QStringLiteral("Grade: intensidade média i (mm/h)")));
        // The printout: the grid's lines and its table of depths after the place's.
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
        QVERIFY(pdftotext.waitForFinished(30000));
        const QString impresso = QString::fromUtf8(pdftotext.readAllStandardOutput());
        QVERIFY2(impresso.contains(QStringLiteral("Grade nacional GRIDF-BR, desagregação CETESB")), qPrintable(impresso));
        QVERIFY(impresso.contains(QStringLiteral("Grade nacional GRIDF-BR: altura de chuva P (mm)")));
        QVERIFY(impresso.contains(QStringLiteral("valor-p do teste de Kolmogorov-Smirnov")));

        QTest::mouseClick(w->BtnOk, Qt::LeftButton);
        const TArquivoIni lido(ini);
        QCOMPARE(lido.ReadInteger("OPCOES", "CompararComGrade", 0), 1);
        QCOMPARE(lido.ReadString("OPCOES", "DesagregacaoGrade", ""), AnsiString("cetesb"));
    }

    // Sergipe on the real Brazil picture: with the comparison checked, a
    // click near Aracaju opens the curves window on the grid's cell alone
    // and the parameter boxes stay empty; without it, nothing opens.
    void pontoEmSergipeRespondidoPelaGrade() {
        auto w = AbreJanela(pasta, &ajuda, 25);   // Sergipe: no data source
        w->BrasilBMP->SetImagem(QImage(QStringLiteral(":/imagens/BrasilBMP.bmp")));
        const QPoint aracaju(405, 177);
        QCOMPARE(w->BrasilBMP->CorDoPixel(aracaju.x(), aracaju.y()), QColor(102, 102, 0));   // Sergipe's colour
        bool aberta = false;
        TLugarIdf lugar;
        const auto clica = [&] {
            AoAbrirModal<TfrmCurvasIdf>(w.get(), [&](TfrmCurvasIdf* d) {
                aberta = true;
                lugar = d->Lugar();
                QVERIFY(!d->TabelaGrade);   // nothing to compare with
                QTest::mouseClick(d->BtnFechar, Qt::LeftButton);
            });
            QTest::mouseClick(w->BrasilBMP, Qt::LeftButton, {}, aracaju);
            Processa();
        };
        clica();
        QVERIFY(!aberta);

        ClicaNoExibir(w.get(), w->CompararComGrade1);
        clica();
        QVERIFY(aberta);
        QCOMPARE(lugar.Fonte, QStringLiteral("GRIDF-BR (grade nacional)"));
        QCOMPARE(lugar.Estado, QStringLiteral("Sergipe"));
        const auto v = Grade().Valor(TDesagregacaoGrade::Raster, -GeoReferenciaBrasil.LatitudeOfY(aracaju.y() + 0.5),
                                     -GeoReferenciaBrasil.LongitudeOfX(aracaju.x() + 0.5));
        QVERIFY(v);
        QCOMPARE(lugar.Parametros.K, Curto(v->Celula.K()));
        QCOMPARE(lugar.Parametros.c, Curto(v->Celula.C()));
        for (QLabel* caixa : {w->PrecK, w->PrecA, w->PrecB, w->PrecC}) QVERIFY(caixa->text().isEmpty());

        // A typed point: Aracaju's texts, Enter in the longitude.
        TLugarIdf digitado;
        AoAbrirModal<TPontoNaGrade>(w.get(), [&](TPontoNaGrade* d) {
            QuandoAbrir<TfrmCurvasIdf>(w.get(), [&](TfrmCurvasIdf* c) {
                digitado = c->Lugar();
                QTest::mouseClick(c->BtnFechar, Qt::LeftButton);
            });
            DigitaCoordenada(d->Latitude, QStringLiteral("105500"));
            DigitaCoordenada(d->Longitude, QStringLiteral("370400"));
            QTest::keyClick(d->Longitude, Qt::Key_Return);
        });
        ClicaNoExibir(w.get(), w->PontoNaGrade1);
        QTRY_COMPARE(digitado.Fonte, QStringLiteral("GRIDF-BR (grade nacional)"));
        const auto noPonto = Grade().Valor(TDesagregacaoGrade::Raster, -(10 + 55 / 60.0), -(37 + 4 / 60.0));
        QVERIFY(noPonto);
        QCOMPARE(digitado.Parametros.K, Curto(noPonto->Celula.K()));
        QCOMPARE(digitado.Latitude, QStringLiteral("10°55'00\""));
    }

    // The intensity layer colours Feira de Santana's pixel with the grid's i(10, 60)
    // while a pointer there still reaches the Brazil picture.
    void mapaDeIntensidadesDeixaOPonteiroNaFigura() {
        auto w = AbreJanela(pasta, &ajuda, 8);   // Goiás: the Brazil page
        ClicaNoExibir(w.get(), w->MapaDeIntensidades1);
        QVERIFY(w->CamadaIntensidades && w->CamadaIntensidades->isVisible());
        const QPoint feira(qRound(GeoReferenciaBrasil.XOfLongitude(38.97)),
                              qRound(GeoReferenciaBrasil.YOfLatitude(12.27)));
        QCOMPARE(w->Notebook1->currentWidget()->childAt(feira), static_cast<QWidget*>(w->BrasilBMP));
        const auto celula = Grade().CelulaDoPonto(-GeoReferenciaBrasil.LatitudeOfY(feira.y() + 0.5),
                                                  -GeoReferenciaBrasil.LongitudeOfX(feira.x() + 0.5));
        QVERIFY(celula);
        const auto i = Intensidade10x60(Grade().Celula(TDesagregacaoGrade::Raster, celula->first, celula->second));
        QVERIFY(i);
        const QImage camada = w->CamadaIntensidades->grab().toImage();
        QCOMPARE(camada.pixelColor(feira).rgb(), TCamadaIntensidades::CorDaIntensidade(*i).rgb());
        ClicaNoExibir(w.get(), w->MapaDeIntensidades1);
        QVERIFY(w->CamadaIntensidades->isHidden());
    }
};

int ExecutaTesteCurvasGrade(int argc, char** argv) {
    TesteCurvasGrade t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteCurvasGrade.moc"
