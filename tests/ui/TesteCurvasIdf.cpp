// "Curvas IDF" opened from the query window with real keys and clicks: the
// place and its numbers, the lists, the quantity, copy, export, print, the
// lists remembered in the settings file.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLogValueAxis>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTest>

#include <cmath>

#include "Ambiente.h"
#include "curvas/FoCurvasIdf.h"
#include "curvas/GraficoIdf.h"
#include "curvas/PaginaCalculadora.h"
#include "curvas/PaginaChuvaDeProjeto.h"
#include "curvas/TextosIdf.h"
#include "platform/ArquivoIni.h"
#include "platform/Erros.h"
#include "suporte/ArquivosDeTeste.h"
#include "ui/FoConsulta.h"
#include "ui/FoEstacoesInterpolacao.h"
#include "ui/Imagem.h"
#include "ui/MascaraCoordenada.h"

namespace {
// i = K·Tr^a/(t+b)^c straight from the formula, in long double.
double Intensidade(const TParametrosIdf& p, double tr, double t) {
    return static_cast<double>(p.K * std::pow(static_cast<long double>(tr), static_cast<long double>(p.a)) /
                               std::pow(static_cast<long double>(t) + p.b, static_cast<long double>(p.c)));
}

double Numero(QString texto) { return texto.replace(QLocale().decimalPoint(), QStringLiteral(".")).toDouble(); }

// Opens "Curvas IDF" with Ctrl+I and hands the window to `acao`, which must
// close it; false when no window opened.
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
    QTest::keyClick(edit, Qt::Key_Return);
}
}  // namespace

class TesteCurvasIdf : public QObject {
    Q_OBJECT
    TPastaTeste pasta;
    TAjudaGravada ajuda;
    QTemporaryDir saida;

private slots:
    void init() { Caixas().Limpa(), ajuda = TAjudaGravada(); }

    // The window shows the query window's place with its parameters at all
    // their digits, and a table computed straight from the formula agrees.
    void abreParaOLugar_data() {
        QTest::addColumn<QString>("lugar");
        QTest::newRow("station") << "station";
        QTest::newRow("locality") << "locality";
        QTest::newRow("map click") << "map";
        QTest::newRow("typed point") << "typed";
    }
    void abreParaOLugar() {
        QFETCH(QString, lugar);
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        if (lugar == "station") ClicaItem(w->LBEstacao, QStringLiteral("Salvador   "));
        if (lugar == "locality") ClicaItem(w->LBLocalidade, QStringLiteral("Canudos"));
        if (lugar == "map") {
            QTest::mouseMove(w->EstadoBMP, QPoint(223, 223));
            QTest::mouseClick(w->EstadoBMP, Qt::LeftButton, {}, QPoint(223, 223));
        }
        if (lugar == "typed") {
            for (auto [edit, texto] : {std::pair{w->PrecLaAux, "120000"}, std::pair{w->PrecLoAux, "400000"}}) {
                QTest::mouseClick(edit, Qt::LeftButton);
                QTest::keyClick(edit, Qt::Key_Home);
                QTest::keyClicks(edit, QString::fromLatin1(texto));
            }
            QTest::keyClick(w->PrecLoAux, Qt::Key_Return);
        }
        const QString k = w->PrecK->text(), nome = U(w->PlaceName);
        const TEstacao esperado = lugar == "station" ? w->CurrentRecord : w->BD->Interpola(w->LatitudeText, w->LongitudeText);
        QVERIFY(ComCurvas(w.get(), [&](TfrmCurvasIdf* c) {
            const TParametrosIdf& p = c->Lugar().Parametros;
            QCOMPARE(p.K, double(esperado.K));
            QCOMPARE(p.c, double(esperado.c));
            QCOMPARE(c->Lugar().Latitude, U(w->LatitudeText));
            const bool ponto = lugar == "map" || lugar == "typed";
            QVERIFY(c->Cabecalho->text().contains(ponto ? QStringLiteral("<b>Ponto ") : nome.trimmed().toHtmlEscaped()));
            QVERIFY(c->Cabecalho->text().contains(N(qPrintable(QString::number(esperado.K, 'g', 15)))));
            QCOMPARE(c->Tabela->rowCount(), 15);
            QCOMPARE(c->Tabela->columnCount(), 8);
            for (int i = 0; i < 15; ++i)
                for (int j = 0; j < 8; ++j) {
                    const double v = Intensidade(p, c->Periodos()[j], c->Duracoes()[i]);
                    QVERIFY(std::abs(Numero(c->Tabela->item(i, j)->text()) - v) <= 0.05 + 1e-9 * v);
                }
        }));
        QCOMPARE(w->PrecK->text(), k);   // the query window is left as it was
        QCOMPARE(U(w->PlaceName), nome);
    }

    // The new windows name the place as it was taken: a point by its
    // coordinates, in the state of the map it was chosen on whatever the
    // combo shows since, and an interpolated locality's source is
    // "Interpolação" even off the blue area (the query window keeps "Não
    // definida" for a point).
    void lugarComoFoiTomado_data() {
        QTest::addColumn<QString>("acao");
        QTest::addColumn<QString>("nome");
        QTest::newRow("locality off the blue area") << "Abaíra" << "Abaíra";
        QTest::newRow("typed point") << "typed" << "Ponto 12°00'00\" S, 40°00'00\" W";
        QTest::newRow("map click after a state without source") << "Sergipe, map" << "Ponto 13°26'26\" S, 41°59'03\" W";
    }
    void lugarComoFoiTomado() {
        QFETCH(QString, acao);
        QFETCH(QString, nome);
        const QString fonte = QString::fromUtf8("Interpolação");
        auto w = AbreJanela(pasta, &ajuda, 4, 2);   // Irecê, its own source
        if (acao == QString::fromUtf8("Abaíra")) ClicaItem(w->LBLocalidade, acao);
        if (acao == "typed") {
            DigitaCoordenada(w->PrecLaAux, QStringLiteral("120000"));
            DigitaCoordenada(w->PrecLoAux, QStringLiteral("400000"));
            QTest::keyClick(w->PrecLoAux, Qt::Key_Return);
        }
        if (acao.startsWith("Sergipe")) {
            EscolheEstado(w->Estados, 25);
            QVERIFY(w->EstadoBMP->isVisible());   // Bahia's map stays
            QTest::mouseMove(w->EstadoBMP, QPoint(223, 223));
            QTest::mouseClick(w->EstadoBMP, Qt::LeftButton, {}, QPoint(223, 223));
            QCOMPARE(U(w->PlaceName), QString::fromUtf8("Não definida"));
        }
        QCOMPARE(w->LegendaAutor(), fonte);
        const QString estado = QStringLiteral("Bahia");
        QVERIFY(ComCurvas(w.get(), [&](TfrmCurvasIdf* c) {
            QCOMPARE(c->Lugar().Nome, nome);
            QCOMPARE(c->Lugar().Estado, estado);
            QCOMPARE(c->Lugar().Fonte, fonte);
            QVERIFY2(c->Cabecalho->text().startsWith(
                         QStringLiteral("<b>%1</b> &mdash; %2<br>").arg(nome.toHtmlEscaped(), estado)),
                     qPrintable(c->Cabecalho->text()));
            QVERIFY(c->windowTitle().endsWith(nome));
        }));
        QString estacoes;
        AoAbrirModal<TfrmEstacoesInterpolacao>(w.get(), [&](TfrmEstacoesInterpolacao* d) {
            estacoes = d->Lugar->text();
            d->reject();
        });
        QApplication::setActiveWindow(w.get());
        QTest::keyClick(w->LBEstacao, Qt::Key_E, Qt::ControlModifier);
        Processa();
        QVERIFY2(estacoes.startsWith(QStringLiteral("<b>%1 — %2").arg(nome.toHtmlEscaped(), estado)), qPrintable(estacoes));
    }

    void menuSemParametros() {
        auto w = AbreJanela(pasta, &ajuda, 25);   // Sergipe: no stations
        QVERIFY(!w->CurvasIdf1->isEnabled());
        QVERIFY(!ComCurvas(w.get(), [](TfrmCurvasIdf*) {}));
        EscolheEstado(w->Estados, 4);
        QVERIFY(w->CurvasIdf1->isEnabled());
    }

    // A bad entry is named and changes nothing; a good one replaces the list.
    void listas() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QVERIFY(ComCurvas(w.get(), [&](TfrmCurvasIdf* c) {
            const QString antes = c->Tabela->item(0, 0)->text();
            Digita(c->EdDuracoes, QStringLiteral("5; 1O; 60"));
            QCOMPARE(Caixas().Erros().size(), 1);
            QVERIFY(Caixas().Erros()[0].contains(QStringLiteral("\"1O\"")));
            QCOMPARE(c->Tabela->rowCount(), 15);
            QCOMPARE(c->Tabela->item(0, 0)->text(), antes);
            Digita(c->EdDuracoes, QStringLiteral("60 10,5;10.5"));
            QCOMPARE(c->Duracoes(), (std::vector<double>{10.5, 60}));
            QCOMPARE(c->Tabela->verticalHeaderItem(0)->text(), N("10.5 min"));
            QVERIFY(c->Grafico->RotulosDasDuracoes().contains(QStringLiteral("30")));
        }));
    }

    // A refused entry is named with its gender, and one beyond a limit
    // names the limit.
    void entradaRecusada_data() {
        QTest::addColumn<bool>("periodos");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("duration, not a number")
            << false << "5 1O" << "Duração inválida: \"1O\". Escreva números maiores que zero separados por \";\" ou "
                                   "espaços, com vírgula ou ponto decimal.";
        QTest::newRow("duration beyond a week") << false << "5 20000" << "Duração inválida: \"20000\" (duração até 10.080 min).";
        QTest::newRow("return period beyond the limit")
            << true << "2 200000" << "Período de retorno inválido: \"200000\" (Tr até 100.000 anos).";
    }
    void entradaRecusada() {
        QFETCH(bool, periodos);
        QFETCH(QString, texto);
        QFETCH(QString, mensagem);
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QVERIFY(ComCurvas(w.get(), [&](TfrmCurvasIdf* c) { Digita(periodos ? c->EdPeriodos : c->EdDuracoes, texto); }));
        QCOMPARE(Caixas().Erros(), QStringList{mensagem});
    }

    // Depth P = i·t/60; copy of a selection pastes as tab-separated text.
    void alturaECopia() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QVERIFY(ComCurvas(w.get(), [&](TfrmCurvasIdf* c) {
            const TParametrosIdf& p = c->Lugar().Parametros;
            QTest::mouseClick(c->RbAltura, Qt::LeftButton);
            const int linha60 = 6, colunaTr10 = 2;   // t = 60 min, Tr = 10 years
            QVERIFY(std::abs(Numero(c->Tabela->item(linha60, colunaTr10)->text()) - Intensidade(p, 10, 60)) <= 0.05);
            const auto centro = [&](int i, int j) { return c->Tabela->visualItemRect(c->Tabela->item(i, j)).center(); };
            QTest::mouseClick(c->Tabela->viewport(), Qt::LeftButton, {}, centro(0, 0));
            QTest::mouseClick(c->Tabela->viewport(), Qt::LeftButton, Qt::ShiftModifier, centro(1, 1));
            QTRY_VERIFY(c->Tabela->hasFocus());
            QTest::keyClick(c->Tabela, Qt::Key_C, Qt::ControlModifier);
            const QStringList linhas = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            QCOMPARE(linhas.size(), 3);
            QCOMPARE(linhas[0].split(QLatin1Char('\t')).mid(1), (QStringList{"Tr = 2", "Tr = 5"}));
            QCOMPARE(linhas[2].split(QLatin1Char('\t')),
                     (QStringList{"10", c->Tabela->item(1, 0)->text(), c->Tabela->item(1, 1)->text()}));
            QTest::mouseClick(c->CbEscalaLog, Qt::LeftButton);
            QVERIFY(qobject_cast<QLogValueAxis*>(c->Grafico->EixoY()));
        }));
    }

    // The read-only tables let Tab go on to the next control; Ctrl+A selects
    // every cell; Ctrl+C copies the selection as tab-separated text under
    // its column headings.
    void tabelasSomenteLeitura_data() {
        QTest::addColumn<QString>("tabela");
        QTest::newRow("curves") << "curves";
        QTest::newRow("design storm") << "storm";
        QTest::newRow("contributing stations") << "stations";
    }
    void tabelasSomenteLeitura() {
        QFETCH(QString, tabela);
        auto w = AbreJanela(pasta, &ajuda, 4, -1, 0);   // Abaíra: interpolated from several stations
        QString problemas;
        const auto verifica = [&](QTableWidget* t) {
            const auto centro = [&](int i, int j) { return t->visualItemRect(t->item(i, j)).center(); };
            QApplication::setActiveWindow(t->window());
            QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, centro(0, 0));
            if (!QTest::qWaitFor([&] { return t->hasFocus(); })) problemas += "no focus; ";
            QTest::keyClick(t, Qt::Key_A, Qt::ControlModifier);
            if (t->selectedItems().size() != t->rowCount() * t->columnCount()) problemas += "Ctrl+A; ";
            QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, centro(0, 1));
            QTest::mouseClick(t->viewport(), Qt::LeftButton, Qt::ShiftModifier, centro(1, 2));
            QTest::keyClick(t, Qt::Key_C, Qt::ControlModifier);
            const QString esperado = QStringList{t->horizontalHeaderItem(1)->text(), t->horizontalHeaderItem(2)->text()}
                                         .join('\t') + '\n' + t->item(0, 1)->text() + '\t' + t->item(0, 2)->text() +
                                     '\n' + t->item(1, 1)->text() + '\t' + t->item(1, 2)->text() + '\n';
            const QString copiado = QApplication::clipboard()->text();
            if (tabela != "curves" && copiado != esperado) problemas += "Ctrl+C: " + copiado + "; ";
            QTest::keyClick(t, Qt::Key_Tab);
            if (t->hasFocus()) problemas += "Tab stays; ";
        };
        if (tabela == "stations") {
            AoAbrirModal<TfrmEstacoesInterpolacao>(w.get(), [&](TfrmEstacoesInterpolacao* d) {
                verifica(d->Tabela);
                d->reject();
            });
            QApplication::setActiveWindow(w.get());
            QTest::keyClick(w->LBEstacao, Qt::Key_E, Qt::ControlModifier);
            Processa();
        } else {
            QVERIFY(ComCurvas(w.get(), [&](TfrmCurvasIdf* c) {
                if (tabela == "storm") c->Paginas->setCurrentWidget(c->ChuvaDeProjeto);
                verifica(tabela == "storm" ? c->ChuvaDeProjeto->Tabela : c->Tabela);
            }));
        }
        QVERIFY2(problemas.isEmpty(), qPrintable(problemas));
    }

    // The CSV read back: byte-order mark, the place, both quantities.
    void exportaCsv() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        const QString caminho = saida.filePath(QStringLiteral("curvas.csv"));
        QVERIFY(ComCurvas(w.get(), [&](TfrmCurvasIdf* c) {
            AoAbrirModal<QFileDialog>(c, [&](QFileDialog* d) {
                d->selectFile(caminho);
                QMetaObject::invokeMethod(d, "accept");
            });
            QTest::mouseClick(c->BtnExportar, Qt::LeftButton);
        }));
        const QByteArray bytes = ConteudoDoArquivo(caminho.toStdString()).c_str();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList linhas = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
        QCOMPARE(linhas[0], QString::fromUtf8("Local;Água Fria"));
        const int intensidade = linhas.indexOf(QString::fromUtf8("Intensidade média i (mm/h)"));
        const int altura = linhas.indexOf(QString::fromUtf8("Altura de chuva P (mm)"));
        QVERIFY(intensidade > 0 && altura > intensidade);
        QStringList t60 = linhas[intensidade + 2 + 6].split(QLatin1Char(';'));
        QCOMPARE(t60[0], QStringLiteral("60,00"));
        const TEstacao e = w->CurrentRecord;
        const TParametrosIdf p{e.K, e.a, e.b, e.c};
        QVERIFY(std::abs(t60[3].replace(QLatin1Char(','), QLatin1Char('.')).toDouble() - Intensidade(p, 10, 60)) < 5e-4);
        QString p30 = linhas[altura + 2 + 4].split(QLatin1Char(';'))[3];   // P = i·t/60 at t = 30 min
        QVERIFY(std::abs(p30.replace(QLatin1Char(','), QLatin1Char('.')).toDouble() - Intensidade(p, 10, 30) / 2) < 5e-4);
    }

    // "&Fechar" stores the lists in [CURVAS] and keeps every other line; the
    // next opening shows them.
    void listasLembradas() {
        const std::string ini = saida.filePath(QStringLiteral("Tormel21.ini")).toStdString();
        GravaArquivo(ini, "; comentario\r\n[PRINCIPAL]\r\nIndEstado=4\r\n");
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        w->ArquivoConfiguracao = ini;
        QVERIFY(ComCurvas(w.get(), [&](TfrmCurvasIdf* c) {
            Digita(c->EdPeriodos, QStringLiteral("10 100"));
            QTest::mouseClick(c->RbAltura, Qt::LeftButton);
            QTest::mouseClick(c->BtnFechar, Qt::LeftButton);
        }));
        const std::string texto = ConteudoDoArquivo(ini);
        QVERIFY(texto.starts_with("; comentario\r\n[PRINCIPAL]\r\nIndEstado=4\r\n"));
        QVERIFY(texto.find("[CURVAS]\r\n") != std::string::npos);
        QCOMPARE(TArquivoIni(ini).ReadString(kSecaoCurvas, "Periodos", ""), std::string("10; 100"));
        QVERIFY(ComCurvas(w.get(), [&](TfrmCurvasIdf* c) {
            QCOMPARE(c->Periodos(), (std::vector<double>{10, 100}));
            QVERIFY(c->RbAltura->isChecked());
        }));
    }

    // The design storm typed in and exported: the blocks add up to P(Tr, D);
    // a time step that does not divide D is named and changes nothing.
    void chuvaDeProjeto() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        const QString caminho = saida.filePath(QStringLiteral("chuva.csv"));
        QVERIFY(ComCurvas(w.get(), [&](TfrmCurvasIdf* c) {
            TPaginaChuvaDeProjeto* pagina = c->ChuvaDeProjeto;
            QTest::mouseClick(c->Paginas->tabBar(), Qt::LeftButton, {}, c->Paginas->tabBar()->tabRect(1).center());
            QCOMPARE(c->Paginas->currentWidget(), pagina);
            Digita(pagina->EdDuracao, QStringLiteral("90"));
            Digita(pagina->EdPasso, N("7.5"));
            QCOMPARE(pagina->Tabela->rowCount(), 12);
            double soma = 0;
            for (int i = 0; i < 12; ++i) soma += Numero(pagina->Tabela->item(i, 2)->text());
            QVERIFY(std::abs(soma - Intensidade(c->Lugar().Parametros, 10, 90) * 1.5) < 12 * 0.005 + 1e-9);
            Digita(pagina->EdPasso, QStringLiteral("7"));
            QVERIFY(Caixas().Erros().value(0).startsWith(QString::fromUtf8("Intervalo de tempo inválido")));
            QCOMPARE(pagina->Tabela->rowCount(), 12);
            Digita(pagina->EdPasso, N("7.5"));
            AoAbrirModal<QFileDialog>(c, [&](QFileDialog* d) {
                d->selectFile(caminho);
                QMetaObject::invokeMethod(d, "accept");
            });
            QTest::mouseClick(c->BtnExportar, Qt::LeftButton);
        }));
        const QStringList linhas =
            QString::fromUtf8(QByteArray::fromStdString(ConteudoDoArquivo(caminho.toStdString())).mid(3)).split("\r\n");
        const int cabecalho = linhas.indexOf(QString::fromUtf8("Início (min);Fim (min);Altura (mm);Intensidade (mm/h);Acumulada (mm)"));
        QVERIFY(cabecalho > 0);
        QCOMPARE(linhas[cabecalho + 12].section(QLatin1Char(';'), 0, 1), QStringLiteral("82,50;90,00"));
    }

    // Each question answered with its unit; a question with no answer says
    // why; a bad number is named.
    void calculadora() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QVERIFY(ComCurvas(w.get(), [&](TfrmCurvasIdf* c) {
            TPaginaCalculadora* calc = c->Calculadora;
            c->Paginas->setCurrentWidget(calc);
            QVERIFY(!c->BtnExportar->isEnabled());
            Digita(calc->EdAltura, QStringLiteral("40"));
            QVERIFY(calc->RespAltura->text().contains(QStringLiteral(" min")));
            QTest::keyClicks(calc->EdT1, QStringLiteral("90"));
            Digita(calc->EdT2, QStringLiteral("30"));
            QVERIFY(calc->RespEntre->text().contains(QString::fromUtf8("menor que t2")));
            QTest::keyClicks(calc->EdDuracaoEvento, QStringLiteral("60"));
            Digita(calc->EdValorEvento, QStringLiteral("200"));
            QVERIFY(calc->RespEvento->text().contains(QStringLiteral(" anos")));
            QVERIFY(calc->RespEvento->text().contains(QString::fromUtf8("extrapolação")));
            Digita(calc->EdIntensidade, QStringLiteral("8O"));
            QCOMPARE(Caixas().Erros(), QStringList{QString::fromUtf8(
                         "Intensidade inválida: \"8O\". Escreva um número, com vírgula ou ponto decimal.")});
        }));
    }

    void ajudaEImpressao() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        const QString pdf = saida.filePath(QStringLiteral("curvas.pdf"));
        QVERIFY(ComCurvas(w.get(), [&](TfrmCurvasIdf* c) {
            QTest::keyClick(c->Tabela, Qt::Key_F1);
            QPrinter impressora(QPrinter::HighResolution);
            impressora.setOutputFormat(QPrinter::PdfFormat);
            impressora.setOutputFileName(pdf);
            c->Imprime(impressora);
            const QMarginsF margens = impressora.pageLayout().margins(QPageLayout::Millimeter);
            QCOMPARE(margens, QMarginsF(20, 20, 20, 20));
        }));
        QCOMPARE(ajuda.Topicos, std::vector<int>{TfrmCurvasIdf::ContextoDeAjuda});
        const std::string conteudo = ConteudoDoArquivo(pdf.toStdString());
        QVERIFY(conteudo.starts_with("%PDF"));
        std::size_t paginas = 0;
        for (std::size_t i = conteudo.find("/Type /Page\n"); i != std::string::npos; i = conteudo.find("/Type /Page\n", i + 1))
            ++paginas;
        QCOMPARE(paginas, std::size_t(2));   // the table, the chart
        if (qEnvironmentVariableIsSet("TORMEL_GUARDA_PDF")) QFile::copy(pdf, qEnvironmentVariable("TORMEL_GUARDA_PDF"));
    }

    // Under the C locale the dates of the program's own outputs are still
    // written as the program speaks: dd/MM/yyyy.
    void dataNaLinguaDoPrograma_data() {
        QTest::addColumn<QString>("onde");
        QTest::newRow("curves PDF") << "curves";
        QTest::newRow("design storm PDF") << "storm";
        QTest::newRow("report") << "report";
    }
    void dataNaLinguaDoPrograma() {
        QFETCH(QString, onde);
        const QLocale antes;
        QLocale::setDefault(QLocale::c());
        const auto volta = qScopeGuard([&] { QLocale::setDefault(antes); });
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QString texto;
        if (onde == "report") {
            AoAbrirModal<QDialog>(w.get(), [&](QDialog* r) {
                auto* viewer = r->findChild<QTextBrowser*>();
                if (viewer && QTest::qWaitFor([&] { return !viewer->toPlainText().isEmpty(); }))
                    texto = viewer->toPlainText();
                r->reject();
            });
            QApplication::setActiveWindow(w.get());
            QTest::keyClick(w->LBEstacao, Qt::Key_R, Qt::AltModifier);
            Processa();
        } else {
            const QString pdf = saida.filePath(QStringLiteral("data.pdf"));
            QVERIFY(ComCurvas(w.get(), [&](TfrmCurvasIdf* c) {
                if (onde == "storm") c->Paginas->setCurrentWidget(c->ChuvaDeProjeto);
                QPrinter impressora(QPrinter::HighResolution);
                impressora.setOutputFormat(QPrinter::PdfFormat);
                impressora.setOutputFileName(pdf);
                c->Imprime(impressora);
            }));
            QProcess pdftotext;
            pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
            QVERIFY(pdftotext.waitForFinished(30000));
            texto = QString::fromUtf8(pdftotext.readAllStandardOutput());
        }
        QVERIFY2(texto.contains(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))), qPrintable(texto.right(300)));
    }

    // A path that cannot be written is named in the message converted once:
    // "ç" and "ã" as cp1252, a character cp1252 lacks as its code.
    void caminhoNaMensagem() {
        const QString caminho = saida.filePath(QStringLiteral("ł/Precipitação/curvas.csv"));
        try {
            GravaCsv(caminho, {QStringLiteral("a;b")});
            QFAIL("written into a folder that does not exist");
        } catch (const EInOutError& e) {
            const std::string texto = e.Message();
            QVERIFY2(texto.find("<U+0142>/Precipita\xE7\xE3o/curvas.csv") != std::string::npos, texto.c_str());
        }
    }
};

int ExecutaTesteCurvasIdf(int argc, char** argv) {
    TesteCurvasIdf t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteCurvasIdf.moc"
