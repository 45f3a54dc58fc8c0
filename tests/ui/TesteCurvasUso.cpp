// "Curvas IDF" as an engineer uses it, with real keys and clicks: answers
// that go with their inputs, typed lists that export, print and close act
// on, Enter after Tab, the lists kept however the window closes, long
// printouts, the warning and the fitted ranges on paper, the chart.
#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

#include "Ambiente.h"
#include "curvas/FoCurvasIdf.h"
#include "curvas/GraficoIdf.h"
#include "curvas/PaginaCalculadora.h"
#include "curvas/PaginaChuvaDeProjeto.h"
#include "model/ChuvaDeProjeto.h"
#include "platform/ArquivoIni.h"
#include "suporte/ArquivosDeTeste.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"

namespace {
const TParametrosIdf Par{1200, 0.16, 12, 0.78};

// P(tr, t) straight from the formula.
double Altura(double tr, double t) { return Par.K * std::pow(tr, Par.a) / std::pow(t + Par.b, Par.c) * t / 60; }

TLugarIdf Lugar() {
    TLugarIdf l;
    l.Nome = QStringLiteral("Ponto de teste");
    l.Estado = QStringLiteral("Bahia");
    l.Latitude = QString::fromUtf8("12°00'00\"");
    l.Longitude = QString::fromUtf8("40°00'00\"");
    l.Parametros = Par;
    l.Fonte = QString::fromUtf8("Interpolação");
    return l;
}

std::unique_ptr<TfrmCurvasIdf> Abre(const std::string& ini = {}, const TLugarIdf& lugar = Lugar()) {
    auto c = std::make_unique<TfrmCurvasIdf>(lugar, nullptr, ini);
    c->show();
    QApplication::setActiveWindow(c.get());
    (void)QTest::qWaitForWindowExposed(c.get());
    return c;
}

// Clicks into the field and types over its text; Enter when asked.
void Digita(QLineEdit* edit, const QString& texto, bool enter = true) {
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, texto);
    if (enter) QTest::keyClick(edit, Qt::Key_Return);
}

double Numero(QString texto) { return texto.replace(QLocale().decimalPoint(), QStringLiteral(".")).toDouble(); }

// The number after "t = " in an answer.
double ValorDe(const QString& resposta, const QString& rotulo) {
    const int i = resposta.indexOf(rotulo + QStringLiteral(" = "));
    if (i < 0) return NAN;
    return Numero(resposta.mid(i + rotulo.size() + 3).section(QLatin1Char(' '), 0, 0));
}

QString Csv(const QString& caminho) {
    return QString::fromUtf8(QByteArray::fromStdString(ConteudoDoArquivo(caminho.toStdString())).mid(3));
}

// The text of each page of a PDF (pdftotext), or empty when the tool is missing.
QStringList PaginasDoPdf(const QString& pdf) {
    const QString programa = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (programa.isEmpty()) return {};
    QProcess p;
    p.start(programa, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    QStringList paginas = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!paginas.isEmpty() && paginas.back().trimmed().isEmpty()) paginas.removeLast();
    return paginas;
}

// Runs `acao` on the modal dialog of type T as soon as it is open (looked for
// until it is: the click's own event processing may come first).
template <class T>
void QuandoAbrir(QObject* contexto, std::function<void(T*)> acao) {
    auto* relogio = new QTimer(contexto);
    QObject::connect(relogio, &QTimer::timeout, contexto, [relogio, acao = std::move(acao)] {
        if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget())) {
            relogio->stop();
            relogio->deleteLater();
            acao(d);
        }
    });
    relogio->start(5);
}

void Exporta(TfrmCurvasIdf* c, const QString& caminho) {
    QFile::remove(caminho);   // no question about replacing it
    QuandoAbrir<QFileDialog>(c, [caminho](QFileDialog* d) {
        d->selectFile(caminho);
        QMetaObject::invokeMethod(d, "accept");
    });
    QTest::mouseClick(c->BtnExportar, Qt::LeftButton);
}

void ImprimeEmPdf(TfrmCurvasIdf* c, const QString& pdf) {
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(pdf);
    c->Imprime(impressora);
}

QString Lista(int n, double primeira, double passo) {
    QStringList l;
    for (int i = 0; i < n; ++i) l << QString::number(primeira + i * passo);
    return l.join(QLatin1Char(' '));
}
}  // namespace

class TesteCurvasUso : public QObject {
    Q_OBJECT
    QTemporaryDir saida;

private slots:
    void init() { Caixas().Limpa(); }

    // An answer names its Tr and goes when an input it depends on changes or
    // is refused; asked again, it is the new Tr's.
    void calculadoraSemRespostaVelha_data() {
        QTest::addColumn<QString>("pergunta");
        QTest::addColumn<QString>("mudanca");
        QTest::newRow("depth, Tr changed") << "altura" << "tr";
        QTest::newRow("intensity, Tr changed") << "intensidade" << "tr";
        QTest::newRow("between, Tr changed") << "entre" << "tr";
        QTest::newRow("depth refused") << "altura" << "recusa";
        QTest::newRow("event, kind changed") << "evento" << "tipo";
    }
    void calculadoraSemRespostaVelha() {
        QFETCH(QString, pergunta);
        QFETCH(QString, mudanca);
        auto c = Abre();
        TPaginaCalculadora* k = c->Calculadora;
        c->Paginas->setCurrentWidget(k);
        QLabel* resposta = nullptr;
        const auto pergunta1 = [&] {
            if (pergunta == "altura") Digita(k->EdAltura, QStringLiteral("30")), resposta = k->RespAltura;
            if (pergunta == "intensidade") Digita(k->EdIntensidade, QStringLiteral("80")), resposta = k->RespIntensidade;
            if (pergunta == "entre") {
                Digita(k->EdT1, QStringLiteral("10"), false);
                Digita(k->EdT2, QStringLiteral("60"));
                resposta = k->RespEntre;
            }
            if (pergunta == "evento") {
                Digita(k->EdDuracaoEvento, QStringLiteral("60"), false);
                Digita(k->EdValorEvento, QStringLiteral("50"));
                resposta = k->RespEvento;
            }
        };
        pergunta1();
        QVERIFY(!resposta->text().isEmpty());
        if (pergunta != "evento") QVERIFY(resposta->text().contains(QStringLiteral("Tr = 10 anos")));
        if (mudanca == "tr") Digita(k->EdTr, QStringLiteral("25"), false);
        if (mudanca == "recusa") Digita(k->EdAltura, QStringLiteral("3O"));
        if (mudanca == "tipo") QTest::mouseClick(k->RbEventoIntensidade, Qt::LeftButton);
        QCOMPARE(resposta->text(), QString());
        QCOMPARE(Caixas().Erros().size(), mudanca == "recusa" ? 1 : 0);
        if (mudanca != "tr") return;
        pergunta1();
        QVERIFY2(resposta->text().contains(QStringLiteral("Tr = 25 anos")), qPrintable(resposta->text()));
        if (pergunta == "altura")   // P(25, t) = 30 mm at the answer
            QVERIFY(std::abs(Altura(25, ValorDe(resposta->text(), QStringLiteral("t"))) - 30) < 0.01);
    }

    // Beyond the fitted ranges the answer and the table carry the note, in
    // the window and the CSV; a huge number keeps to a few digits.
    void foraDaFaixaAjustada_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("nota");
        QTest::newRow("depth inside") << "altura" << "30" << false;
        QTest::newRow("depth needs > 1440 min") << "altura" << "300" << true;
        QTest::newRow("depth of 1e6 mm") << "altura" << "1000000" << true;
        QTest::newRow("Tr 500") << "tr" << "500" << true;
        QTest::newRow("list with 2 and 2880 min") << "duracoes" << "2 60 2880" << true;
        QTest::newRow("list with Tr 1000") << "periodos" << "10 1000" << true;
        QTest::newRow("lists inside") << "duracoes" << "5 60 1440" << false;
    }
    void foraDaFaixaAjustada() {
        QFETCH(QString, campo);
        QFETCH(QString, texto);
        QFETCH(bool, nota);
        auto c = Abre();
        const QString fora = QStringLiteral("fora da faixa");
        if (campo == "duracoes" || campo == "periodos") {
            Digita(campo == "duracoes" ? c->EdDuracoes : c->EdPeriodos, texto);
            QCOMPARE(c->Nota->isVisible(), nota);
            QCOMPARE(c->Nota->text().contains(fora), nota);
            if (nota) QVERIFY(c->Nota->text().contains(texto.split(QLatin1Char(' ')).back()));
            const QString csv = saida.filePath(QStringLiteral("faixa.csv"));
            Exporta(c.get(), csv);
            QCOMPARE(Csv(csv).contains(QStringLiteral("Nota;")), nota);
            return;
        }
        TPaginaCalculadora* k = c->Calculadora;
        c->Paginas->setCurrentWidget(k);
        if (campo == "tr") Digita(k->EdTr, texto, false);
        Digita(k->EdAltura, campo == "altura" ? texto : QStringLiteral("30"));
        const QString r = k->RespAltura->text();
        QCOMPARE(r.contains(fora), nota);
        QVERIFY2(r.size() < 400, qPrintable(r));
    }

    // Export, print and close act on what the list fields show, applied
    // first; a bad entry gets its message and nothing is written.
    void camposAplicadosAntes_data() {
        QTest::addColumn<QString>("acao");
        QTest::addColumn<QString>("duracoes");
        QTest::newRow("export") << "exportar" << "7 11";
        QTest::newRow("print") << "imprimir" << "7 11";
        QTest::newRow("close") << "fechar" << "7 11";
        QTest::newRow("export, bad entry") << "exportar" << "7 1l";
        QTest::newRow("close, bad entry") << "fechar" << "7 1l";
        QTest::newRow("storm export, Tr 100") << "chuva" << "";
    }
    void camposAplicadosAntes() {
        QFETCH(QString, acao);
        QFETCH(QString, duracoes);
        const QString csv = saida.filePath(acao + QStringLiteral(".csv"));
        QFile::remove(csv);
        const std::string ini = saida.filePath(QString::fromUtf8(QTest::currentDataTag()) + QStringLiteral(".ini")).toStdString();
        auto c = Abre(ini);
        const bool ruim = duracoes.contains(QLatin1Char('l'));
        if (acao == "chuva") {
            QTest::mouseClick(c->Paginas->tabBar(), Qt::LeftButton, {}, c->Paginas->tabBar()->tabRect(1).center());
            Digita(c->ChuvaDeProjeto->EdTr, QStringLiteral("100"), false);
        } else {
            Digita(c->EdDuracoes, duracoes, false);
        }
        if (acao == "exportar" || acao == "chuva") Exporta(c.get(), csv);
        std::vector<double> aoImprimir;
        if (acao == "imprimir") {   // what the print dialog opens on
            QuandoAbrir<QPrintDialog>(c.get(), [&aoImprimir, c = c.get()](QPrintDialog* d) {
                aoImprimir = c->Duracoes();
                d->reject();
            });
            QTest::mouseClick(c->BtnImprimir, Qt::LeftButton);
        }
        if (acao == "fechar") QTest::mouseClick(c->BtnFechar, Qt::LeftButton);
        Processa();
        QCOMPARE(Caixas().Erros().size(), ruim ? 1 : 0);
        if (ruim) {
            QVERIFY(!QFile::exists(csv));
            QCOMPARE(c->isVisible(), true);   // "&Fechar" refused: the entry can be mended
            QCOMPARE(c->Duracoes().size(), std::size_t(15));
            return;
        }
        if (acao == "chuva") {
            QVERIFY(Csv(csv).contains(QStringLiteral("Tr (anos);100,00")));
            return;
        }
        QCOMPARE(c->Duracoes(), (std::vector<double>{7, 11}));
        if (acao == "exportar") QVERIFY(Csv(csv).contains(QStringLiteral("\r\n11,00;")));
        if (acao == "imprimir") QCOMPARE(aoImprimir, (std::vector<double>{7, 11}));
        if (acao == "fechar") QCOMPARE(TArquivoIni(ini).ReadString(kSecaoCurvas, "Duracoes", ""), std::string("7; 11"));
    }

    // Enter in either list field applies, once, after any walk with Tab.
    void enterAposTab_data() {
        QTest::addColumn<bool>("periodos");
        QTest::addColumn<int>("tabs");
        QTest::newRow("durations, Tab to Aplicar") << false << 2;
        QTest::newRow("return periods, Tab to Aplicar") << true << 1;
        QTest::newRow("durations, Tab around") << false << 6;
    }
    void enterAposTab() {
        QFETCH(bool, periodos);
        QFETCH(int, tabs);
        auto c = Abre();
        QLineEdit* campo = periodos ? c->EdPeriodos : c->EdDuracoes;
        Digita(campo, QStringLiteral("7 11"), false);
        for (int i = 0; i < tabs; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(!campo->hasFocus());
        Digita(campo, QStringLiteral("3 4"));
        QCOMPARE(periodos ? c->Periodos() : c->Duracoes(), (std::vector<double>{3, 4}));
        Digita(campo, QStringLiteral("3 x"));
        QCOMPARE(Caixas().Erros().size(), 1);   // applied once, not again by a default button
    }

    // The lists are kept however the window closes.
    void listasGuardadasAoFechar_data() {
        QTest::addColumn<QString>("como");
        QTest::newRow("Esc") << "esc";
        QTest::newRow("close box") << "caixa";
        QTest::newRow("Fechar") << "fechar";
    }
    void listasGuardadasAoFechar() {
        QFETCH(QString, como);
        const std::string ini = saida.filePath(como + QStringLiteral(".ini")).toStdString();
        {
            auto c = Abre(ini);
            Digita(c->EdPeriodos, QStringLiteral("10 100"));
            Digita(c->EdDuracoes, QStringLiteral("15 30"), false);   // typed, not applied
            if (como == "esc") QTest::keyClick(c->EdDuracoes, Qt::Key_Escape);
            if (como == "caixa") {
                QCloseEvent fechar;
                QApplication::sendEvent(c.get(), &fechar);
            }
            if (como == "fechar") QTest::mouseClick(c->BtnFechar, Qt::LeftButton);
            QVERIFY(!c->isVisible());
        }
        auto c = Abre(ini);
        QCOMPARE(c->Periodos(), (std::vector<double>{10, 100}));
        QCOMPARE(c->Duracoes(), (std::vector<double>{15, 30}));
    }

    // Long tables over as many pages as they need: every row printed, the
    // headings on each page, the chart on a page of its own, source and
    // date on every page.
    void impressaoLonga_data() {
        QTest::addColumn<QString>("pagina");
        QTest::addColumn<int>("linhas");
        QTest::newRow("60 durations") << "curvas" << 60;
        QTest::newRow("100 durations x 20 Tr") << "curvas" << 100;
        QTest::newRow("storm of 288 blocks") << "chuva" << 288;
    }
    void impressaoLonga() {
        QFETCH(QString, pagina);
        QFETCH(int, linhas);
        auto c = Abre();
        const QString ultima = pagina == "curvas" ? QString::number(5 + 10 * (linhas - 1)) : QStringLiteral("1440");
        if (pagina == "curvas") {
            if (linhas == 100) Digita(c->EdPeriodos, Lista(20, 2, 5), false);
            Digita(c->EdDuracoes, Lista(linhas, 5, 10));
        } else {
            c->Paginas->setCurrentWidget(c->ChuvaDeProjeto);
            Digita(c->ChuvaDeProjeto->EdDuracao, QStringLiteral("1440"), false);
            Digita(c->ChuvaDeProjeto->EdPasso, QStringLiteral("5"));
        }
        const QString pdf = saida.filePath(QStringLiteral("longa.pdf"));
        ImprimeEmPdf(c.get(), pdf);
        if (qEnvironmentVariableIsSet("TORMEL_GUARDA_PDF") && linhas == 60)
            QFile::copy(pdf, qEnvironmentVariable("TORMEL_GUARDA_PDF"));
        const QStringList paginas = PaginasDoPdf(pdf);
        if (paginas.isEmpty()) QSKIP("pdftotext is not installed");
        QVERIFY(paginas.size() >= 3);
        const QString titulo = pagina == "curvas" ? QStringLiteral("t (min)") : QString::fromUtf8("Início (min)");
        int comTabela = 0;
        for (const QString& p : paginas) {
            QVERIFY(p.contains(QString::fromUtf8("Fonte: Interpolação")));
            QVERIFY(p.contains(QStringLiteral("Ponto de teste")));
            comTabela += p.contains(titulo);
        }
        QVERIFY(comTabela >= 2);
        const QString tudo = paginas.join(QLatin1Char('\n'));
        QVERIFY(tudo.contains(QRegularExpression(QStringLiteral("\\b") + ultima + QStringLiteral("\\b"))));
        if (pagina == "curvas") {
            if (linhas == 100) QVERIFY(tudo.contains(QStringLiteral("Tr = 97")));   // the last column
            QVERIFY(!paginas.back().contains(titulo));          // the chart's own page
        }
    }

    // The warning and the nearest stations go into the CSV and the PDF.
    void avisoNaSaida() {
        TLugarIdf lugar = Lugar();
        lugar.Aviso = QString::fromUtf8("A estação mais próxima está a 80 km.");
        lugar.Vizinhas = {{QStringLiteral("Alfa (BA)"), 80.04}, {QStringLiteral("Beta (BA)"), 91.5}};
        auto c = Abre({}, lugar);
        const QString csv = saida.filePath(QStringLiteral("aviso.csv"));
        Exporta(c.get(), csv);
        const QString texto = Csv(csv);
        QVERIFY(texto.contains(QString::fromUtf8("Aviso;A estação mais próxima está a 80 km.\r\n")));
        QVERIFY(texto.contains(QString::fromUtf8("Estação próxima 2;Beta (BA);91,5 km")));
        const QString pdf = saida.filePath(QStringLiteral("aviso.pdf"));
        ImprimeEmPdf(c.get(), pdf);
        if (qEnvironmentVariableIsSet("TORMEL_GUARDA_AVISO")) QFile::copy(pdf, qEnvironmentVariable("TORMEL_GUARDA_AVISO"));
        const QString paginas = PaginasDoPdf(pdf).join(QLatin1Char('\n')).simplified();
        if (paginas.isEmpty()) QSKIP("pdftotext is not installed");
        QVERIFY(paginas.contains(QString::fromUtf8("Aviso: A estação mais próxima está a 80 km.")));
        QVERIFY(paginas.contains(N("Alfa (BA), 80.0 km")));
    }

    // Opened from the query window for an interpolated place, the window
    // gets the five nearest stations, nearest first; for a station, none.
    void vizinhasDaConsulta_data() {
        QTest::addColumn<bool>("estacao");
        QTest::newRow("map click") << false;
        QTest::newRow("station") << true;
    }
    void vizinhasDaConsulta() {
        QFETCH(bool, estacao);
        TPastaTeste pasta;
        auto w = AbreJanela(pasta, nullptr, 4, estacao ? 0 : -1);
        if (!estacao) {
            QTest::mouseMove(w->EstadoBMP, QPoint(223, 223));
            QTest::mouseClick(w->EstadoBMP, Qt::LeftButton, {}, QPoint(223, 223));
        }
        std::vector<TVizinhaIdf> vizinhas;
        bool aberta = false;
        QuandoAbrir<TfrmCurvasIdf>(w.get(), [&](TfrmCurvasIdf* c) {
            aberta = true;
            vizinhas = c->Lugar().Vizinhas;
            c->reject();
        });
        QApplication::setActiveWindow(w.get());
        QTest::keyClick(w->LBEstacao, Qt::Key_I, Qt::ControlModifier);
        QTRY_VERIFY(aberta);
        QCOMPARE(vizinhas.size(), estacao ? std::size_t(1) : std::size_t(5));   // a station lists itself
        for (std::size_t i = 1; i < vizinhas.size(); ++i) QVERIFY(vizinhas[i - 1].Km <= vizinhas[i].Km);
        if (!estacao) QVERIFY(vizinhas[0].Nome.endsWith(QStringLiteral(")")));
    }

    // The chart: the tip's t and value agree with the table; depth shown as
    // depth; distinct colours; the log axis spans the data; a saved chart
    // carries its title.
    void grafico() {
        auto c = Abre();
        const QString dica = c->Grafico->TextoDaDica(10, 19.6);
        QVERIFY(dica.startsWith(QStringLiteral("t = 20 min")));
        const int linha20 = 3, colunaTr10 = 2;
        QVERIFY(dica.endsWith(c->Tabela->item(linha20, colunaTr10)->text() + QStringLiteral(" mm/h")));
        QTest::mouseClick(c->RbAltura, Qt::LeftButton);
        const QList<QPointF> pontos = c->Grafico->Curvas()[colunaTr10]->points();
        const auto em120 = std::find_if(pontos.begin(), pontos.end(),
                                        [](const QPointF& p) { return std::abs(p.x() - std::log10(120.0)) < 1e-9; });
        QVERIFY(em120 != pontos.end());
        QVERIFY(std::abs(em120->y() - Altura(10, 120)) < 1e-6);
        Digita(c->EdPeriodos, Lista(30, 2, 3));
        std::set<QRgb> cores;
        for (QLineSeries* s : c->Grafico->Curvas()) cores.insert(s->pen().color().rgb());
        QCOMPARE(cores.size(), std::size_t(30));
        QTest::mouseClick(c->RbIntensidade, Qt::LeftButton);
        QTest::mouseClick(c->CbEscalaLog, Qt::LeftButton);
        auto* eixo = qobject_cast<QLogValueAxis*>(c->Grafico->EixoY());
        QVERIFY(eixo);
        double menor = HUGE_VAL, maior = 0;
        for (QLineSeries* s : c->Grafico->Curvas())
            for (const QPointF& p : s->points()) menor = std::min(menor, p.y()), maior = std::max(maior, p.y());
        QVERIFY(eixo->min() <= menor && eixo->min() > menor / 2.5);
        QVERIFY(eixo->max() >= maior && eixo->max() < maior * 2.5);
        const QString svg = saida.filePath(QStringLiteral("grafico.svg"));
        c->SalvaGrafico(svg);
        const std::string desenho = ConteudoDoArquivo(svg.toStdString());
        for (const char* parte : {"Ponto de teste", "Fonte: Interpola\xC3\xA7\xC3\xA3o", "K = 1200"})
            QVERIFY2(desenho.find(parte) != std::string::npos, parte);
        QCOMPARE(c->Grafico->chart()->title(), QString());   // the window's chart as it was
    }
};

int ExecutaTesteCurvasUso(int argc, char** argv) {
    TesteCurvasUso t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteCurvasUso.moc"
