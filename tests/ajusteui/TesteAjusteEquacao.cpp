// "Ajustar equação" driven as a user does: the path typed and Enter, a
// distribution chosen with the keyboard and "Ajustar" clicked, a refused
// record, a Hidroweb file's stations, the CSV and the printed report.
#include <QChartView>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "ajuste/Ajuste.h"
#include "platform/Numeros.h"
#include "ajusteui/FoAjusteEquacao.h"
#include "suporte/ArquivosDeTeste.h"
#include "suporte/ExecutaTestes.h"

namespace {
const QString kAna = QStringLiteral(TORMEL_DADOS_ANA);
}

class TTesteAjusteEquacao : public QObject {
    Q_OBJECT
private slots:
    void init() { Caixas().Limpa(); }

    void CaminhoDigitadoEEnterAjustamEAbremAsPaginas() {
        TfrmAjusteEquacao j;
        j.show();
        QVERIFY(QTest::qWaitForWindowExposed(&j));
        QVERIFY(!j.Paginas->isTabEnabled(1));
        QTest::mouseClick(j.EdRegistro, Qt::LeftButton);
        QTest::keyClicks(j.EdRegistro, kAna + QStringLiteral("/rainfall_01943011.csv"));
        j.SbReplicas->setValue(100);
        QTest::keyClick(j.EdRegistro, Qt::Key_Return);
        QVERIFY2(Caixas().Erros().isEmpty(), qPrintable(Caixas().Erros().join('\n')));
        QVERIFY(j.Resultado());
        for (int i = 1; i < j.Paginas->count(); ++i) QVERIFY(j.Paginas->isTabEnabled(i));
        QCOMPARE(j.TbMaximos->rowCount(), 27);
        QCOMPARE(j.TbDeixados->rowCount(), 4);
        QCOMPARE(j.TbDeixados->item(0, 0)->text(), QStringLiteral("1941"));
        QCOMPARE(j.TbDistribuicoes->rowCount(), 4);
        QCOMPARE(j.TbDesagregacao->rowCount(), 96);
        QVERIFY(j.GrProbabilidade->chart()->series().size() >= 5);   // four candidates and the observed maxima
        QVERIFY(j.GrEquacao->chart()->series().size() >= 9);         // band, curve and points for three Tr

        // GEV chosen with the keyboard, then "Ajustar" clicked.
        j.Paginas->setCurrentIndex(0);
        j.CbDistribuicao->setFocus();
        QTest::keyClick(j.CbDistribuicao, Qt::Key_Down);
        QTest::keyClick(j.CbDistribuicao, Qt::Key_Down);
        QCOMPARE(j.CbDistribuicao->currentIndex(), 2);
        QTest::mouseClick(j.BtnAjustar, Qt::LeftButton);
        QVERIFY(Caixas().Erros().isEmpty());
        QCOMPARE(j.TbDistribuicoes->rowCount(), 2);
        QCOMPARE(j.Resultado()->Series[0].Parametros().Dist, Distribuicao::Gev);

        // A record with too few years: the box names the years, the fit shown stays.
        const double k = j.Resultado()->Equacao.K;
        j.EdRegistro->selectAll();
        QTest::keyClicks(j.EdRegistro, kAna + QStringLiteral("/rainfall_02549017.csv"));
        QTest::keyClick(j.EdRegistro, Qt::Key_Return);
        QCOMPARE(Caixas().Erros().size(), 1);
        QVERIFY2(Caixas().Erros()[0].contains(QStringLiteral("(1995, 1996, 1997)")), qPrintable(Caixas().Erros()[0]));
        QCOMPARE(j.Resultado()->Equacao.K, k);
    }

    // An hourly gauge: its durations one at a time on the distribution page,
    // chosen with the keyboard, and the ratios it measured beside CETESB's.
    void SerieSubdiariaUmaDuracaoDeCadaVez() {
        TPastaTemporaria pasta;
        std::string texto = "data;chuva\n";
        char linha[64];
        const int inicio = DiaCivil(2001, 1, 1), fim = DiaCivil(2013, 1, 1);
        for (int dia = inicio; dia < fim; ++dia)
            for (int h = 1; h <= 24; ++h) {
                int a, m, d;
                DataCivil(h == 24 ? dia + 1 : dia, a, m, d);
                // One storm a year, in March, larger each year: 3 hours of 20, 10, 5 mm times f.
                int ano, mes, dd;
                DataCivil(dia, ano, mes, dd);
                const double f = 1 + 0.15 * (ano - 2001) + 0.05 * ((ano * 7) % 5);
                const double v = mes == 3 && dd == 10 && h >= 14 && h <= 16 ? (h == 14 ? 20 : h == 15 ? 10 : 5) * f : 0;
                std::snprintf(linha, sizeof linha, "%02d/%02d/%04d %02d:00;%.1f\n", d, m, a, h % 24, v);
                texto += linha;
            }
        for (std::size_t p; (p = texto.find('.')) != std::string::npos;) texto[p] = ',';
        const std::string arquivo = pasta.Grava("horaria.csv", texto);
        TfrmAjusteEquacao j;
        j.show();
        QVERIFY(QTest::qWaitForWindowExposed(&j));
        j.SbReplicas->setValue(20);
        QTest::mouseClick(j.EdRegistro, Qt::LeftButton);
        QTest::keyClicks(j.EdRegistro, QString::fromStdString(arquivo));
        QTest::keyClick(j.EdRegistro, Qt::Key_Return);
        QVERIFY2(Caixas().Erros().isEmpty(), qPrintable(Caixas().Erros().join('\n')));
        QCOMPARE(j.CbSerie->count(), 8);   // 60 to 1440 min: the shorter ones need a finer gauge
        QVERIFY(!j.TbRazoes->isHidden() && j.TbRazoes->rowCount() > 3);
        j.Paginas->setCurrentIndex(2);
        j.CbSerie->setFocus();
        QTest::keyClick(j.CbSerie, Qt::Key_Down);
        QTest::keyClick(j.CbSerie, Qt::Key_Down);
        QCOMPARE(j.CbSerie->currentIndex(), 2);
        QVERIFY2(j.GrProbabilidade->chart()->title().contains(QStringLiteral("180 min")),
                 qPrintable(j.GrProbabilidade->chart()->title()));
        QCOMPARE(j.TbQuantis->item(0, 1)->text().replace(QLatin1Char(','), QLatin1Char('.')),
                 QString::fromStdString(FormatFloat("0.0", j.Resultado()->Series[2].Quantis[0], '.')));
    }

    void HidrowebComVariasEstacoesOfereceALista() {
        TPastaTemporaria pasta;
        std::string texto = "//Hidroweb\r\n//EstacaoCodigo;NivelConsistencia;Data;";
        for (int d = 1; d <= 31; ++d) texto += "Chuva" + std::string(d < 10 ? "0" : "") + std::to_string(d) + ";";
        for (int d = 1; d <= 31; ++d) texto += "Chuva" + std::string(d < 10 ? "0" : "") + std::to_string(d) + "Status;";
        texto += "\r\n02043000;2;01/01/2000;\r\n01943011;2;01/01/2000;\r\n";
        const std::string caminho = pasta.Grava("chuvas.txt", texto);
        TfrmAjusteEquacao j;
        j.show();
        QVERIFY(QTest::qWaitForWindowExposed(&j));
        QTest::mouseClick(j.EdRegistro, Qt::LeftButton);
        QTest::keyClicks(j.EdRegistro, QString::fromStdString(caminho));
        QTest::keyClick(j.EdRegistro, Qt::Key_Tab);   // leaving the edit reads the file's stations
        QCOMPARE(j.CbEstacao->count(), 2);
        QVERIFY(j.CbEstacao->isEnabled());
        QCOMPARE(j.CbEstacao->itemText(1), QStringLiteral("01943011"));
    }

    void CsvEImpressaoLevamAsTabelasEOsGraficos() {
        TfrmAjusteEquacao j;
        j.show();
        QVERIFY(QTest::qWaitForWindowExposed(&j));
        j.DefineRegistro(kAna + QStringLiteral("/rainfall_01943011.csv"));
        j.SbReplicas->setValue(50);
        QTest::mouseClick(j.BtnAjustar, Qt::LeftButton);
        QVERIFY(j.Resultado());
        TPastaTemporaria pasta;
        const QString csv = QString::fromStdString(pasta.Caminho("ajuste.csv"));
        j.ExportaCsv(csv);
        const std::string tabelas = ConteudoDoArquivo(csv.toStdString());
        QVERIFY(tabelas.rfind("\xEF\xBB\xBF", 0) == 0);
        QVERIFY(tabelas.find("1962;133,0\r\n") != std::string::npos);   // pt_BR: ';' and decimal comma
        QPrinter impressora(QPrinter::HighResolution);
        impressora.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = QString::fromStdString(pasta.Caminho("ajuste.pdf"));
        impressora.setOutputFileName(pdf);
        j.Imprime(impressora);
        const std::string bytes = ConteudoDoArquivo(pdf.toStdString());
        QVERIFY(bytes.rfind("%PDF-", 0) == 0);
        QVERIFY(bytes.size() > 20000);   // the three charts are pictures in it
    }
};

TORMEL_TEST_MAIN(TTesteAjusteEquacao, LocaleBrasil())
#include "TesteAjusteEquacao.moc"
