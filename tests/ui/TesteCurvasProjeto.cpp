// The curves window's design pages with real keys and clicks: the Chicago
// storm chosen and written for SWMM and HEC-HMS, the peak flow by the
// rational method (a bad field named, nothing changed), and the calculation
// memorial printed to PDF through its button.
#include <QApplication>
#include <QComboBox>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QRadioButton>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include "Ambiente.h"
#include "curvas/FoCurvasIdf.h"
#include "curvas/GraficosProjeto.h"
#include "curvas/PaginaChuvaDeProjeto.h"
#include "curvas/PaginaVazao.h"
#include "suporte/ArquivosDeTeste.h"
#include "ui/FoConsulta.h"

namespace {
long double I(const TParametrosIdf& p, long double tr, long double t) {
    return p.K * std::pow(tr, static_cast<long double>(p.a)) / std::pow(t + p.b, static_cast<long double>(p.c));
}
double Numero(QString texto) { return texto.replace(QLocale().decimalPoint(), QStringLiteral(".")).toDouble(); }

bool ComCurvas(TfrmFoConsulta* w, const std::function<void(TfrmCurvasIdf*)>& acao) {
    bool aberta = false;
    AoAbrirModal<TfrmCurvasIdf>(w, [&](TfrmCurvasIdf* c) {
        aberta = true;
        acao(c);
        if (c->isVisible()) c->reject();
    });
    QApplication::setActiveWindow(w);
    QTest::keyClick(w->LBEstacao, Qt::Key_I, Qt::ControlModifier);
    Processa();
    return aberta;
}

void Digita(QWidget* edit, const QString& texto) {
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, texto);
}

void ClicaAba(TfrmCurvasIdf* c, QWidget* pagina) {
    QTest::mouseClick(c->Paginas->tabBar(), Qt::LeftButton, {},
                      c->Paginas->tabBar()->tabRect(c->Paginas->indexOf(pagina)).center());
    QCOMPARE(c->Paginas->currentWidget(), pagina);
}

// Clicks `botao` and saves through the file dialog it opens as `caminho`.
void SalvaComo(QWidget* dono, QPushButton* botao, const QString& caminho) {
    AoAbrirModal<QFileDialog>(dono, [&](QFileDialog* d) {
        d->selectFile(caminho);
        QMetaObject::invokeMethod(d, "accept");
    });
    QTest::mouseClick(botao, Qt::LeftButton);
}

QString Texto(const QString& arquivo) { return QString::fromStdString(ConteudoDoArquivo(arquivo.toStdString())); }
}  // namespace

class TesteCurvasProjeto : public QObject {
    Q_OBJECT
    TPastaTeste pasta;
    TAjudaGravada ajuda;
    QTemporaryDir saida;

private slots:
    void init() { Caixas().Limpa(); }
    void cleanup() { QVERIFY2(Caixas().Erros().isEmpty(), qPrintable(Caixas().Erros().join('\n'))); }

    // Chicago, 120 min in 10-minute blocks: the blocks add up to P(10, 120)
    // and the two around the centre hold P(10, 20); the SWMM and HEC-HMS
    // files carry the storm; the rational method's worked example; the
    // memorial gathers all of it.
    void chicagoVazaoEMemorial() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        const QString inp = saida.filePath(QStringLiteral("chuva.inp")), hms = saida.filePath(QStringLiteral("chuva.csv"));
        const QString pdf = saida.filePath(QStringLiteral("memorial.pdf"));
        double vazao = 0;
        QVERIFY(ComCurvas(w.get(), [&](TfrmCurvasIdf* c) {
            const TParametrosIdf p = c->Lugar().Parametros;
            TPaginaChuvaDeProjeto* chuva = c->ChuvaDeProjeto;
            QApplication::setActiveWindow(c);   // the offscreen platform activates no window by itself
            ClicaAba(c, chuva);
            QTest::mouseClick(chuva->EdTr, Qt::LeftButton);
            QTest::keyClick(chuva->EdTr, Qt::Key_Tab, Qt::ShiftModifier);   // back to the method, then the next one
            QCOMPARE(QApplication::focusWidget(), chuva->CbMetodo);
            QTest::keyClick(chuva->CbMetodo, Qt::Key_Down);
            QCOMPARE(chuva->CbMetodo->currentText(), QStringLiteral("Chicago (Keifer e Chu)"));
            Digita(chuva->EdDuracao, QStringLiteral("120"));
            QTest::keyClick(chuva->EdDuracao, Qt::Key_Return);
            QCOMPARE(chuva->Tabela->rowCount(), 12);
            double soma = 0;
            for (int i = 0; i < 12; ++i) soma += Numero(chuva->Tabela->item(i, 2)->text());
            QVERIFY(std::abs(soma - static_cast<double>(I(p, 10, 120) * 2)) < 12 * 0.005 + 1e-9);
            const double centro = Numero(chuva->Tabela->item(5, 2)->text()) + Numero(chuva->Tabela->item(6, 2)->text());
            QVERIFY(std::abs(centro - static_cast<double>(I(p, 10, 20) * 20 / 60)) < 0.01 + 1e-9);
            QVERIFY(chuva->Tabela->item(5, 2)->font().bold() || chuva->Tabela->item(6, 2)->font().bold());

            SalvaComo(c, chuva->BtnSwmm, inp);
            SalvaComo(c, chuva->BtnHecHms, hms);

            TPaginaVazao* q = c->Vazao;
            ClicaAba(c, q);
            QVERIFY(!c->BtnExportar->isEnabled());
            Digita(q->EdArea, QStringLiteral("50"));   // ha
            Digita(q->EdC, N("0.6"));
            Digita(q->EdTc, QStringLiteral("20"));
            Digita(q->EdTr, QStringLiteral("10"));
            QTest::mouseClick(q->BtnCalcular, Qt::LeftButton);
            vazao = static_cast<double>(0.6L * I(p, 10, 20) * 0.5L / 3.6L);
            QVERIFY2(q->Resultado->text().contains(N(QByteArray::number(vazao, 'f', 3).constData()) + QStringLiteral(" m³/s")),
                     qPrintable(q->Resultado->text()));
            QVERIFY(!q->Resultado->text().contains(QStringLiteral("Nota")));

            SalvaComo(c, c->BtnMemorial, pdf);
        }));
        const QString secoes = Texto(inp);
        QVERIFY2(secoes.contains(QStringLiteral("Tormel  INTENSITY  0:10  1.0  TIMESERIES ChuvaTormel")), qPrintable(secoes));
        QVERIFY(secoes.contains(QStringLiteral("\nChuvaTormel  2:00 0\n")));
        QVERIFY(Texto(hms).endsWith(QStringLiteral("\n120,1\n")));

        QProcess texto;
        texto.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
        QVERIFY(texto.waitForFinished(30000));
        const QString memorial = QString::fromUtf8(texto.readAllStandardOutput())
                                     .replace(QChar(0xFB01), QStringLiteral("fi"))   // the font's ligature
                                     .simplified();
        for (const char* trecho : {"Memorial de cálculo", "1. Identificação do local", "Cinco estações mais próximas",
                                   "2. Equação de chuvas intensas", "3. Tabela de projeto", "4. Curvas IDF",
                                   "Método: Chicago (Keifer e Chu)", "6. Vazão de projeto", "Q = C·i·A/3,6",
                                   "Tormel 2.1,"})
            QVERIFY2(memorial.contains(QString::fromUtf8(trecho)), qPrintable(QString::fromUtf8(trecho) + QStringLiteral(" | ") + memorial));
        QVERIFY(memorial.contains(N(QByteArray::number(vazao, 'f', 3).constData())));
    }

    // Beside the intensity chart: depth by duration (a curve per Tr) and the
    // table's quantity by return period (a curve per duration), following
    // the quantity chosen.
    void graficosDeProjeto() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QVERIFY(ComCurvas(w.get(), [&](TfrmCurvasIdf* c) {
            const TParametrosIdf p = c->Lugar().Parametros;
            QTabBar* abas = c->Graficos->tabBar();
            QTest::mouseClick(abas, Qt::LeftButton, {}, abas->tabRect(1).center());
            QCOMPARE(c->Graficos->currentWidget(), static_cast<QWidget*>(c->GraficoAltura));
            const auto alturas = c->GraficoAltura->chart()->series();
            QCOMPARE(alturas.size(), static_cast<qsizetype>(c->Periodos().size()));
            const auto* primeira = static_cast<QLineSeries*>(alturas.front());
            const QPointF fim = primeira->points().back();
            QCOMPARE(fim.x(), c->Duracoes().back());
            QVERIFY(std::abs(fim.y() - static_cast<double>(I(p, c->Periodos().front(), fim.x()) * fim.x() / 60)) < 1e-9);

            QTest::mouseClick(abas, Qt::LeftButton, {}, abas->tabRect(2).center());
            QTest::mouseClick(c->RbAltura, Qt::LeftButton);
            const auto porTr = c->GraficoPorPeriodo->chart()->series();
            QCOMPARE(porTr.size(), static_cast<qsizetype>(c->Duracoes().size()));
            const auto pontos = static_cast<QLineSeries*>(porTr.front())->points();
            const double t = c->Duracoes().front(), tr = c->Periodos().back();
            QCOMPARE(pontos.back().x(), tr);
            QVERIFY(std::abs(pontos.back().y() - static_cast<double>(I(p, tr, t) * t / 60)) < 1e-9);
            QVERIFY(qobject_cast<QLogValueAxis*>(c->GraficoPorPeriodo->chart()->axes(Qt::Horizontal).value(0)));
        }));
    }

    // A field out of range is named with its range and the last result
    // stays; Kirpich's tc from L and H, and the note beyond 2 km².
    void vazaoRecusaENotas() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QVERIFY(ComCurvas(w.get(), [&](TfrmCurvasIdf* c) {
            TPaginaVazao* q = c->Vazao;
            ClicaAba(c, q);
            Digita(q->EdArea, QStringLiteral("300"));
            Digita(q->EdC, N("0.5"));
            Digita(q->EdL, N("1.2"));
            Digita(q->EdH, QStringLiteral("30"));
            QTest::keyClick(q->EdH, Qt::Key_Return);
            const QString antes = q->Resultado->text();
            QVERIFY2(antes.contains(N("18.99 min")), qPrintable(antes));   // 57·(1.2³/30)^0.385
            QVERIFY(antes.contains(QStringLiteral("2 km²")));
            const struct {
                QLineEdit* edit;
                const char* texto;
                const char* mensagem;
            } ruins[] = {{q->EdC, "1.5", "Coeficiente de escoamento C inválido: deve estar entre 0 e 1."},
                         {q->EdArea, "-3", "Área de drenagem inválida: deve ser maior que zero."},
                         {q->EdH, "0", "Desnível inválido: deve ser maior que zero (m)."}};
            for (const auto& r : ruins) {
                const QString valido = r.edit->text();
                Digita(r.edit, N(r.texto));
                QTest::keyClick(r.edit, Qt::Key_Return);
                QCOMPARE(Caixas().Erros(), QStringList{QString::fromUtf8(r.mensagem)});
                Caixas().Limpa();
                QCOMPARE(q->Resultado->text(), antes);
                Digita(r.edit, valido);
            }
        }));
    }
};

int ExecutaTesteCurvasProjeto(int argc, char** argv) {
    TesteCurvasProjeto t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteCurvasProjeto.moc"
