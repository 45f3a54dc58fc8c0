// "Mostrar estações", "Estações da interpolação" and the warnings, with real
// pointer and key events.
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "Ambiente.h"
#include "curvas/FoCurvasIdf.h"
#include "database/Confianca.h"
#include "platform/ArquivoIni.h"
#include "suporte/ArquivosDeTeste.h"
#include "ui/CamadaEstacoes.h"
#include "ui/FoConsulta.h"
#include "ui/FoEstacoesInterpolacao.h"
#include "ui/Imagem.h"

namespace {

// "Exibir" > "Mostrar estações" with the pointer.
void ClicaMostrarEstacoes(TfrmFoConsulta* w) {
    QMenu* exibir = w->MostrarEstacoes1->associatedObjects().isEmpty()
                        ? nullptr
                        : qobject_cast<QMenu*>(w->MostrarEstacoes1->associatedObjects().first());
    QVERIFY(exibir);
    QTest::mouseClick(w->MainMenu1, Qt::LeftButton, {}, w->MainMenu1->actionGeometry(exibir->menuAction()).center());
    QTRY_VERIFY(exibir->isVisible());
    QTest::mouseClick(exibir, Qt::LeftButton, {}, exibir->actionGeometry(w->MostrarEstacoes1).center());
    QTRY_VERIFY(!exibir->isVisible());
    Processa();
}

// The widget of the shown map page under the pointer at p: what a real
// pointer reaches, the station layer being transparent to it.
QWidget* SobOPonteiro(TfrmFoConsulta* w, QPoint p) { return w->Notebook1->currentWidget()->childAt(p); }

// Opens the contributing stations with Ctrl+E and hands the dialog to acao.
bool ComEstacoes(TfrmFoConsulta* w, const std::function<void(TfrmEstacoesInterpolacao*)>& acao) {
    bool aberta = false;
    AoAbrirModal<TfrmEstacoesInterpolacao>(w, [&](TfrmEstacoesInterpolacao* d) {
        aberta = true;
        acao(d);
        if (d->isVisible()) QTest::mouseClick(d->BtnFechar, Qt::LeftButton);
    });
    QApplication::setActiveWindow(w);
    QTest::keyClick(w->LBEstacao, Qt::Key_E, Qt::ControlModifier);
    Processa();
    return aberta;
}

double Numero(QString texto) { return texto.replace(QLocale().decimalPoint(), QStringLiteral(".")).toDouble(); }

}  // namespace

class TesteConsultaEstacoes : public QObject {
    Q_OBJECT
    TPastaTeste pasta;
    TAjudaGravada ajuda;
    QTemporaryDir saida;

private slots:
    void init() { Caixas().Limpa(); }

    // The menu item shows and hides the dots; "&Fechar" stores the choice in
    // [OPCOES] keeping every other line, the next window starts with it, and
    // "&Cancelar" stores nothing.
    void menuMostraEstacoesELembra() {
        const std::string ini = saida.filePath(QStringLiteral("Tormel21.ini")).toStdString();
        GravaArquivo(ini, "; nota\r\n[PRINCIPAL]\r\nIndEstado=4\r\n");
        auto w = AbreJanela(pasta, &ajuda, 4, 3);   // Salvador
        w->ArquivoConfiguracao = ini;
        w->LeOpcoes();
        QVERIFY(!w->MostrarEstacoes1->isChecked());
        QVERIFY(w->CamadaEstado->isHidden());
        ClicaMostrarEstacoes(w.get());
        QVERIFY(w->MostrarEstacoes1->isChecked());
        QVERIFY(w->CamadaEstado->isVisible());
        // Bahia's five stations, Salvador highlighted on the crosshair's pixel.
        QCOMPARE(w->CamadaEstado->Pontos().size(), std::size_t(5));
        QVERIFY(w->CamadaEstado->Destaque() >= 0);
        QCOMPARE(w->CamadaEstado->Pontos()[std::size_t(w->CamadaEstado->Destaque())],
                 QPointF(w->EixoY->x() + 0.5, w->EixoX->y() + 0.5));
        QTest::mouseClick(w->BtnOk, Qt::LeftButton);
        const std::string texto = ConteudoDoArquivo(ini);
        QVERIFY(texto.starts_with("; nota\r\n[PRINCIPAL]\r\nIndEstado=4\r\n"));
        QCOMPARE(TArquivoIni(ini).ReadString("OPCOES", "MostrarEstacoes", ""), std::string("1"));

        auto outra = AbreJanela(pasta, &ajuda, 4, 0);
        outra->ArquivoConfiguracao = ini;
        outra->LeOpcoes();
        QVERIFY(outra->MostrarEstacoes1->isChecked());
        QVERIFY(outra->CamadaEstado->isVisible());
        // The Brazil page: every station of the data, twelve.
        QTest::mouseClick(outra->MainMenu1, Qt::LeftButton, {},
                          outra->MainMenu1->actionGeometry(outra->MapadoBrasil1).center());
        QCOMPARE(outra->Notebook1->currentIndex(), 0);
        QVERIFY(outra->CamadaBrasil->isVisible());
        QCOMPARE(outra->CamadaBrasil->Pontos().size(), std::size_t(12));
        ClicaMostrarEstacoes(outra.get());
        QVERIFY(outra->CamadaEstado->isHidden() && outra->CamadaBrasil->isHidden());
        QTest::mouseClick(outra->BtnCancel, Qt::LeftButton);
        QCOMPARE(ConteudoDoArquivo(ini), texto);
    }

    // A choice that cannot be stored is reported once; "&Fechar" still closes.
    void opcaoQueNaoSeGravaNaoPrendeAJanela() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        w->ArquivoConfiguracao = "/proc/tormel-nao-existe/Tormel21.ini";
        ClicaMostrarEstacoes(w.get());
        QTest::mouseClick(w->BtnOk, Qt::LeftButton);
        QCOMPARE(Caixas().Erros().size(), 1);
        QCOMPARE(w->result(), 1);
        QVERIFY(!w->isVisible());
    }

    // A click on a dot reaches the picture and answers the pixel exactly as
    // without the dots.
    void cliqueNoPontoComoAntes() {
        auto semPontos = AbreJanela(pasta, &ajuda, 4, 0);
        auto comPontos = AbreJanela(pasta, &ajuda, 4, 0);
        ClicaMostrarEstacoes(comPontos.get());
        QVERIFY(comPontos->CamadaEstado->isVisible());
        for (const QPointF& ponto : comPontos->CamadaEstado->Pontos()) {
            const QPoint p = ponto.toPoint();
            if (!QRect(0, 0, 450, 450).contains(p)) continue;   // Vitória lies beyond the map
            TfrmFoConsulta* janelas[] = {semPontos.get(), comPontos.get()};
            for (TfrmFoConsulta* w : janelas) {
                QWidget* alvo = SobOPonteiro(w, p);
                QCOMPARE(alvo, static_cast<QWidget*>(w->EstadoBMP));
                QTest::mouseClick(alvo, Qt::LeftButton, {}, p);
            }
            QCOMPARE(comPontos->LatitudeText, semPontos->LatitudeText);
            QCOMPARE(comPontos->LongitudeText, semPontos->LongitudeText);
            QCOMPARE(comPontos->PrecK->text(), semPontos->PrecK->text());
            QCOMPARE(comPontos->LegendaAutor(), semPontos->LegendaAutor());
        }
        // On the Brazil page too: Bahia's colour under a dot opens its map.
        for (TfrmFoConsulta* w : {semPontos.get(), comPontos.get()}) {
            QTest::mouseClick(w->MainMenu1, Qt::LeftButton, {}, w->MainMenu1->actionGeometry(w->MapadoBrasil1).center());
            QCOMPARE(SobOPonteiro(w, QPoint(310, 210)), static_cast<QWidget*>(w->BrasilBMP));
        }
        QVERIFY(Caixas().Erros().isEmpty());
    }

    // A point far from every station: the dialog lists all ten, nearest
    // first, with shares adding up to 100 % and the warning; the source
    // button's hint and the curves window's header say the same.
    void dialogoDeUmPonto() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QTest::mouseClick(w->EstadoBMP, Qt::LeftButton, {}, QPoint(223, 223));
        QCOMPARE(w->LegendaAutor(), QString::fromUtf8("Interpolação"));
        const QString aviso = w->AvisoAtual();
        QVERIFY(aviso.contains(QString::fromUtf8("mais próxima está a")));
        QCOMPARE(w->Autor->toolTip(), aviso);
        QVERIFY(ComEstacoes(w.get(), [&](TfrmEstacoesInterpolacao* d) {
            QCOMPARE(d->Aviso->text(), aviso);
            QVERIFY(d->Situacao->text().contains(QStringLiteral("10")));
            QCOMPARE(d->Tabela->rowCount(), 10);
            QVERIFY(d->BtnMostrarTodas->isHidden());
            double soma = 0, anterior = 0;
            for (int i = 0; i < 10; ++i) {
                const double km = Numero(d->Tabela->item(i, 2)->text());
                QVERIFY(km >= anterior);
                anterior = km;
                soma += Numero(d->Tabela->item(i, 3)->text());
            }
            QVERIFY(qAbs(soma - 100) < 10 * 0.005 + 1e-9);
            QCOMPARE(d->Tabela->item(0, 0)->text(), QString::fromUtf8("Irecê"));
            QCOMPARE(d->Tabela->item(0, 1)->text(), QStringLiteral("BA"));
            QVERIFY(d->Dispersao->text().contains(QString::fromUtf8("cinco estações mais próximas")));
        }));
        QApplication::setActiveWindow(w.get());
        bool curvas = false;
        AoAbrirModal<TfrmCurvasIdf>(w.get(), [&](TfrmCurvasIdf* c) {
            curvas = true;
            QVERIFY(c->Cabecalho->text().contains(aviso.toHtmlEscaped()));
            c->reject();
        });
        QTest::keyClick(w->LBEstacao, Qt::Key_I, Qt::ControlModifier);
        Processa();
        QVERIFY(curvas);        // The warning distance is the setting's: far enough, and only the
        // hull could still warn.
        const std::string ini = saida.filePath(QStringLiteral("Aviso.ini")).toStdString();
        GravaArquivo(ini, "[OPCOES]\r\nDistanciaDeAviso=5000\r\n");
        w->ArquivoConfiguracao = ini;
        w->LeOpcoes();
        QCOMPARE(w->DistanciaDeAviso, 5000.0);
        QVERIFY(!w->Autor->toolTip().contains(QString::fromUtf8("mais próxima está a")));
    }

    // A station, and a locality on a station: the station's own values.
    void dialogoDeEstacaoELocalidade() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        ClicaItem(w->LBEstacao, QStringLiteral("barra"));
        QVERIFY(w->Autor->toolTip().isEmpty());
        QVERIFY(ComEstacoes(w.get(), [&](TfrmEstacoesInterpolacao* d) {
            QVERIFY(d->Situacao->text().contains(QString::fromUtf8("própria estação")));
            QVERIFY(d->Aviso->isHidden());
            QCOMPARE(d->Tabela->rowCount(), 1);
            QCOMPARE(d->Tabela->item(0, 0)->text(), QStringLiteral("barra"));
            QCOMPARE(Numero(d->Tabela->item(0, 3)->text()), 100.0);
        }));
        ClicaItem(w->LBLocalidade, QStringLiteral("Canudos"));
        QVERIFY(ComEstacoes(w.get(), [&](TfrmEstacoesInterpolacao* d) {
            QVERIFY2(d->Situacao->text().startsWith(QString::fromUtf8("Esta localidade coincide com a estação barra")),
                     qPrintable(d->Situacao->text()));
            QCOMPARE(d->Tabela->rowCount(), 1);
            QCOMPARE(d->Tabela->item(0, 2)->text(), N("0.0"));
            // F1 and "Ajuda" open the dialog's own topic.
            ajuda = TAjudaGravada();
            QTest::keyClick(d->Tabela, Qt::Key_F1);
            QTest::mouseClick(d->BtnAjuda, Qt::LeftButton);
            QCOMPARE(ajuda.Topicos, (std::vector<int>{12, 12}));
        }));
        QVERIFY(Caixas().Erros().isEmpty());
    }

    // More than ten stations: ten rows, the rest behind "mostrar todas".
    void mostrarTodas() {
        TEstacao e;
        e.Nome.Assign("X");
        TDadosEstacoesInterpolacao dados;
        for (int i = 0; i < 12; ++i) dados.Confianca.Estacoes.push_back({&e, 4, double(i), 1.0 / 12, 50.0});
        TfrmEstacoesInterpolacao d(dados, '.', nullptr);
        d.show();
        QCOMPARE(d.Tabela->rowCount(), 10);
        QVERIFY(d.BtnMostrarTodas->isVisible());
        QTest::mouseClick(d.BtnMostrarTodas, Qt::LeftButton);
        QCOMPARE(d.Tabela->rowCount(), 12);
        QVERIFY(d.BtnMostrarTodas->isHidden());
    }
};

int ExecutaTesteConsultaEstacoes(int argc, char** argv) {
    TesteConsultaEstacoes t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteConsultaEstacoes.moc"
