// State selection, the missing state map and "&Mapa do Brasil".
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include "Ambiente.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"
#include "ui/MascaraCoordenada.h"

namespace {
QStringList Itens(const QListWidget* lista) {
    QStringList r;
    for (int i = 0; i < lista->count(); ++i) r << lista->item(i)->text();
    return r;
}
const QString ErroSP = QString::fromUtf8("Erro. Não foi possível localizar o arquivo BMP do estado selecinado (São Paulo).");
}  // namespace

class TesteConsultaEstados : public QObject {
    Q_OBJECT
    TPastaTeste pasta;
    TAjudaGravada ajuda;

private slots:
    void init() { Caixas().Limpa(); }

    // Roraima after a state with a map: its stations on the Brazil page, no
    // error from the map left behind; Boa Vista's latitude is north.
    void roraimaDepoisDaBahia() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        EscolheEstado(w->Estados, 22);
        QCOMPARE(Caixas().Erros(), QStringList());
        QCOMPARE(w->Notebook1->currentIndex(), 0);
        QVERIFY(w->EstadoBMP->isHidden() && w->Autor->isEnabled());
        const struct { const char* nome; const char* latitude; } casos[] = {
            {"Boa Vista", "02°49'11\" N"}, {"Caroebe", "00°52'59\""}, {"Boa Vista", "02°49'11\" N"}};
        for (const auto& c : casos) {
            ClicaItem(w->LBEstacao, QString::fromUtf8(c.nome));
            QCOMPARE(w->LabelLatitude->text(), QString::fromUtf8(c.latitude));
            QCOMPARE(w->LatitudeDoLugar(), QString::fromUtf8(c.latitude));
        }
        QCOMPARE(w->Autor->text(), QStringLiteral("ANA 00260001, 30 anos"));
        QCOMPARE(Caixas().Erros(), QStringList());
    }

    void goias() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        EscolheEstado(w->Estados, 8);
        QCOMPARE(w->windowTitle(), QString::fromUtf8("Tormel 2.1 - Estado: Goiás     "));
        QCOMPARE(w->Notebook1->currentIndex(), 0);
        QVERIFY(w->EstadoBMP->isHidden() && !w->PrecLaAux->isEnabled() && !w->Calculalalo->isEnabled());
        QVERIFY(w->LBLocalidade->isHidden() && w->LLocalidades->isHidden());
        QCOMPARE(Itens(w->LBEstacao), (QStringList{QString::fromUtf8("Anápolis"), QString::fromUtf8("Goiânia")}));
        QCOMPARE(U(w->PlaceName), QString::fromUtf8("Anápolis"));   // the first station is shown
        QCOMPARE(w->PrecB->text(), N("20.5"));
        QVERIFY(!w->NomeCid->isHidden());
        QCOMPARE(w->LabelLatitude->text(), QString::fromUtf8("16°20'00\""));
    }

    void sergipeDepoisDaBahia() {
        auto w = AbreJanela(pasta, &ajuda, 4, 3);
        EscolheEstado(w->Estados, 25);
        QCOMPARE(w->Estado->Indice, 25);
        QCOMPARE(w->Notebook1->currentIndex(), 1);
        QVERIFY(!w->EstadoBMP->isHidden() && w->PrecLaAux->isEnabled() && w->Calculalalo->isEnabled());
        QCOMPARE(StateMapGeoRef.SouthLatitude, 18.349041);
        QCOMPARE(w->Autor->text(), QString());
        QVERIFY(!w->Autor->isEnabled());
        QCOMPARE(w->LBEstacao->count(), 0);
        QVERIFY(w->EixoX->isHidden() && w->PrecK->text().isEmpty());
    }

    void saoPauloSemMapaVoltaAoParana() {
        auto w = AbreJanela(pasta, &ajuda, 15, 0);
        EscolheEstado(w->Estados, 24);
        QCOMPARE(Caixas().Erros(), QStringList{ErroSP});
        QCOMPARE(w->Estado->Indice, 15);
        QCOMPARE(w->Estados->currentIndex(), 15);
        QVERIFY(!w->EstadoBMP->isHidden());
        QCOMPARE(StateMapGeoRef.MapTop, 101.0);
        QCOMPARE(Itens(w->LBEstacao), (QStringList{"Curitiba", "Londrina"}));
        QCOMPARE(w->PrecK->text(), QStringLiteral("1000"));
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // At activation there is no other state to go back to: one error, and the
    // state stays chosen without its map, still usable.
    void saoPauloSemMapaNaAtivacao() {
        auto w = AbreJanela(pasta, &ajuda, 24, 0);
        QCOMPARE(Caixas().Erros(), QStringList{ErroSP});
        QVERIFY(w->isVisible());
        QCOMPARE(w->Estados->currentIndex(), 24);
        QCOMPARE(w->Notebook1->currentIndex(), 0);
        QVERIFY(w->EstadoBMP->isHidden() && !w->Calculalalo->isEnabled());
        QCOMPARE(w->LBEstacao->currentRow(), -1);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        ClicaItem(w->LBEstacao, QStringLiteral("Campinas"));
        QCOMPARE(w->PrecK->text(), QStringLiteral("1200"));
        EscolheEstado(w->Estados, 24);   // re-selection: once more, once
        QCOMPARE(Caixas().Erros(), (QStringList{ErroSP, ErroSP}));
    }

    void mapaDoBrasil_data() {
        QTest::addColumn<int>("estado");
        QTest::addColumn<int>("depois");
        QTest::newRow("Parana goes to Acre") << 15 << 0;
        QTest::newRow("Goias keeps its selection") << 8 << 8;
    }
    void mapaDoBrasil() {
        QFETCH(int, estado);
        QFETCH(int, depois);
        auto w = AbreJanela(pasta, &ajuda, estado, 1);
        const QString k = w->PrecK->text();
        QTest::mouseClick(w->MainMenu1, Qt::LeftButton, {}, w->MainMenu1->actionGeometry(w->MapadoBrasil1).center());
        QCOMPARE(w->Notebook1->currentIndex(), 0);
        QCOMPARE(w->Estado->Indice, depois);
        QCOMPARE(w->LBEstacao->count(), estado == depois ? 2 : 0);
        QCOMPARE(w->PrecK->text(), estado == depois ? k : QString());
    }

    void arquivoDeEstacoesAusente() {
        TPastaTeste outra;
        QVERIFY(QFile::remove(outra.Dados() + QStringLiteral("Estados_Tor21.bin")));
        auto w = AbreJanela(outra, &ajuda, 4);
        QCOMPARE(Caixas().Erros().size(), 1);
        QVERIFY(Caixas().Erros().value(0).contains(QStringLiteral("Estados_Tor21.bin")));
        QVERIFY(w->isVisible());
        QCOMPARE(w->LBEstacao->count(), 0);
    }
};

int ExecutaTesteConsultaEstados(int argc, char** argv) {
    TesteConsultaEstados t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteConsultaEstados.moc"
