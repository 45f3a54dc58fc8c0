// "Adicionar aos meus dados..." driven as a user does: the fitted station
// is named in the dialog with the keyboard and added; the query window then
// shows it in its state, the source button gives the fit's description and
// the curves window draws its 90% band, which its CSV carries. The user's
// data set lives in a temporary XDG_DATA_HOME.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "ajuste/Ajuste.h"
#include "ajusteui/FoAdicionaEstacao.h"
#include "ajusteui/FoAjusteEquacao.h"
#include "curvas/CurvasDaConsulta.h"
#include "curvas/FoCurvasIdf.h"
#include "curvas/GraficoIdf.h"
#include "database/DadosDoUsuario.h"
#include "platform/Caminhos.h"
#include "suporte/ArquivosDeTeste.h"
#include "suporte/ExecutaTestes.h"
#include "suporte/JanelasModais.h"
#include "ui/FoAutor.h"
#include "ui/FoConsulta.h"

namespace {

void CopiaPasta(const std::string& de, const std::string& para) {
    std::filesystem::create_directories(para);
    for (const auto& f : std::filesystem::directory_iterator(de))
        if (f.is_regular_file()) std::filesystem::copy_file(f.path(), para + f.path().filename().string());
}

}  // namespace

class TTesteAdicaoAosDados : public QObject {
    Q_OBJECT
private slots:
    void init() { Caixas().Limpa(); }

    void AdicionadaAparecesNaConsultaNaFonteENasCurvas() {
        // The program's folder with the shipped set; the user's set already made from it.
        TPastaTemporaria raiz;
        const std::string programa = raiz.Caminho("bin/"), usuario = raiz.Caminho("xdg/tormel21/");
        CopiaPasta(TORMEL_DATA_DIR, raiz.Caminho("Arquivos Comuns/"));
        std::filesystem::create_directories(programa);
        CopiaPasta(TORMEL_DATA_DIR, usuario);
        const std::string binDoPrograma = LeArquivo(raiz.Caminho("Arquivos Comuns/Estados_Tor21.bin"));
        QVERIFY(::setenv("XDG_DATA_HOME", raiz.Caminho("xdg").c_str(), 1) == 0);

        TfrmFoConsulta consulta(programa, nullptr);
        consulta.show();
        QVERIFY(QTest::qWaitForWindowExposed(&consulta));
        Processa();
        TfrmAjusteEquacao j(&consulta);
        j.PastaDoPrograma = programa;
        j.EstacaoAdicionada = [&](int estado, const QString& nome) { consulta.MostraEstacaoAdicionada(estado, nome); };
        j.show();
        QVERIFY(QTest::qWaitForWindowExposed(&j));
        QVERIFY(!j.BtnAdicionar->isEnabled());
        QTest::mouseClick(j.EdRegistro, Qt::LeftButton);
        QTest::keyClicks(j.EdRegistro, QStringLiteral(TORMEL_DADOS_ANA "/rainfall_01943011.csv"));
        j.SbReplicas->setValue(200);
        QTest::keyClick(j.EdRegistro, Qt::Key_Return);
        QVERIFY(j.Resultado());
        QVERIFY(j.BtnAdicionar->isEnabled());

        QString estado, foco;
        AoAbrirModal<TfrmAdicionaEstacao>(&j, [&](TfrmAdicionaEstacao* d) {
            QApplication::setActiveWindow(d);
            d->CbEstado->setFocus();
            QTest::keyClicks(d->CbEstado, QStringLiteral("MG"));
            QTest::keyClick(d->CbEstado, Qt::Key_Tab);
            QTest::keyClick(d->EdNome, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(d->EdNome, QStringLiteral("Rio Preto Ajustada"));
            QTest::keyClick(d->EdNome, Qt::Key_Tab);
            QTest::keyClicks(d->EdLatitude, QStringLiteral("19,5"));
            QTest::keyClick(d->EdLatitude, Qt::Key_Tab);
            QTest::keyClicks(d->EdLongitude, QStringLiteral("43,25"));
            estado = d->CbEstado->currentText();
            foco = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
            QTest::mouseClick(d->BtnOk, Qt::LeftButton);
        });
        QTest::mouseClick(j.BtnAdicionar, Qt::LeftButton);
        QCOMPARE(estado, QStringLiteral("MG"));
        QCOMPARE(foco, QStringLiteral("EdLongitude"));
        QVERIFY2(Caixas().Erros().isEmpty(), qPrintable(Caixas().Erros().join('\n')));
        QCOMPARE(Caixas().Informacoes().size(), 1);
        QVERIFY(Caixas().Informacoes()[0].contains(QString::fromStdString(usuario)));

        // The query window: the station selected in Minas Gerais, with its parameters.
        QCOMPARE(int(consulta.Estado->Indice), 12);
        QVERIFY(consulta.LBEstacao->currentItem());
        QCOMPARE(consulta.LBEstacao->currentItem()->text().trimmed(), QStringLiteral("Rio Preto Ajustada"));
        QVERIFY(consulta.LegendaAutor().startsWith(QStringLiteral("Ajuste ANA 01943011 (")));
        QCOMPARE(consulta.PrecK->text(), QStringLiteral("766,65"));
        // Written into the user's set; the program's folder untouched, its backup kept.
        QCOMPARE(LeArquivo(raiz.Caminho("Arquivos Comuns/Estados_Tor21.bin")), binDoPrograma);
        QCOMPARE(LeArquivo(usuario + "anterior/Estados_Tor21.bin"), binDoPrograma);

        // The source button: the fit's description.
        QString fonte;
        AoAbrirModal<TfrmFoAutor>(&consulta, [&](TfrmFoAutor* d) {
            fonte = d->Pagina->text();
            QTest::mouseClick(d->OK, Qt::LeftButton);
        });
        QTest::mouseClick(consulta.Autor, Qt::LeftButton);
        QVERIFY2(fonte.contains(QStringLiteral("01943011")), qPrintable(fonte));

        // The curves window: one band per return period, and in the CSV.
        TfrmCurvasIdf curvas(LugarAtual(consulta), nullptr, std::string());
        curvas.show();
        QVERIFY(QTest::qWaitForWindowExposed(&curvas));
        QVERIFY(!curvas.Grafico->Faixas().isEmpty());
        QCOMPARE(curvas.Grafico->Faixas()[0]->name(), QStringLiteral("Intervalo de 90%"));
        const std::string csv = raiz.Caminho("curvas.csv");
        curvas.ExportaCsv(QString::fromStdString(csv));
        const std::string texto = LeArquivo(csv);
        QVERIFY(texto.find("Intervalo de 90%") != std::string::npos);
        QVERIFY(texto.find("10;60,00;") != std::string::npos);
        ::unsetenv("XDG_DATA_HOME");
    }
};

TORMEL_TEST_MAIN(TTesteAdicaoAosDados, LocaleBrasil())
#include "TesteAdicaoAosDados.moc"
