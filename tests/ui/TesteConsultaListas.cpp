// Station and locality lists, parameter formats, the source warning, closing.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>

#include "Ambiente.h"
#include "database/Citacoes.h"
#include "platform/Numeros.h"
#include "ui/FoConsulta.h"
#include "ui/MascaraCoordenada.h"

class TesteConsultaListas : public QObject {
    Q_OBJECT
    TPastaTeste pasta;
    TAjudaGravada ajuda;

private slots:
    void init() { Caixas().Limpa(); }

    // The file holds Bahia's stations in another order than the list shows.
    void cliqueDaONomeClicado_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("k");
        QTest::addColumn<QString>("autor");
        QTest::newRow("accented first letter") << QString::fromUtf8("Água Fria") << "900" << "SICRANO (1999)";
        QTest::newRow("lower case") << "barra" << "0.5" << "MENGANO (1998)";
        QTest::newRow("accent inside") << QString::fromUtf8("Irecê") << "1500" << "MENGANO (1998)";
        QTest::newRow("blank padded") << "Salvador   " << "1234.5678" << "SICRANO (1999)";
    }
    void cliqueDaONomeClicado() {
        QFETCH(QString, nome);
        QFETCH(QString, k);
        QFETCH(QString, autor);
        auto w = AbreJanela(pasta, &ajuda, 4);
        QCOMPARE(w->LBEstacao->item(0)->text(), QString::fromUtf8("Água Fria"));
        ClicaItem(w->LBEstacao, nome);
        QCOMPARE(w->IndEstacao, w->LBEstacao->currentRow());
        QCOMPARE(U(w->PlaceName), nome);                  // blanks kept
        QCOMPARE(w->PrecK->text(), N(k.toUtf8().constData()));
        QCOMPARE(w->LegendaAutor(), autor);               // blanks removed
        QCOMPARE(w->EixoY->x(), int(std::nearbyint(StateMapGeoRef.XOfLongitude(w->Longitude))));
        QVERIFY(!w->EixoX->isHidden());
        QCOMPARE(U(w->PrecLaAux->Texto()), U(w->LatitudeText));
    }

    void posicaoRestauradaAlemDaLista() {
        auto w = AbreJanela(pasta, &ajuda, 4, 10);
        QVERIFY(Caixas().Erros().isEmpty());
        QCOMPARE(w->LBEstacao->currentRow(), -1);
        QCOMPARE(w->PrecK->text(), QString());
    }

    void setasPercorremEstacoes() {
        auto w = AbreJanela(pasta, &ajuda, 4, -1, 1);   // the locality Canudos restored
        QCOMPARE(U(w->PlaceName), QStringLiteral("Canudos"));
        ClicaItem(w->LBEstacao, QString::fromUtf8("Água Fria"));
        QCOMPARE(w->LBLocalidade->currentRow(), -1);
        for (const QString& k : {N("0.5"), QStringLiteral("1500"), N("1234.5678")}) {
            QTest::keyClick(w->LBEstacao, Qt::Key_Down);
            QCOMPARE(w->PrecK->text(), k);
        }
        QCOMPARE(w->IndEstacao, 3);
    }

    // Canudos stands on "barra": its record, with the locality formats.
    void localidadeNaAreaAzul() {
        auto w = AbreJanela(pasta, &ajuda, 4, 3);
        ClicaItem(w->LBLocalidade, QStringLiteral("Canudos"));
        QCOMPARE(w->LBEstacao->currentRow(), -1);
        QCOMPARE((QStringList{w->PrecK->text(), w->PrecA->text(), w->PrecB->text(), w->PrecC->text()}),
                 (QStringList{N(".500"), N("0.150"), N("20.500"), N("0.850")}));
        QCOMPARE(w->LegendaAutor(), QString::fromUtf8("Interpolação"));
        QVERIFY(!w->EixoX->isHidden());
    }

    // Abaíra is off the blue area: no crosshair, but its values are
    // interpolated and the source says so, whether it is clicked after a
    // station with a citation or restored at the next start.
    void localidadeForaDaAreaAzul_data() {
        QTest::addColumn<bool>("restaurada");
        QTest::newRow("clicked after a station") << false;
        QTest::newRow("restored at start") << true;
    }
    void localidadeForaDaAreaAzul() {
        QFETCH(bool, restaurada);
        auto w = restaurada ? AbreJanela(pasta, &ajuda, 4, -1, 0) : AbreJanela(pasta, &ajuda, 4, 2);   // Irecê
        if (!restaurada) ClicaItem(w->LBLocalidade, QString::fromUtf8("Abaíra"));
        QCOMPARE(U(w->PlaceName), QString::fromUtf8("Abaíra"));
        QVERIFY(!w->PrecK->text().isEmpty());
        QVERIFY(w->EixoX->isHidden() && w->EixoY->isHidden() && w->LabelLat->isHidden());
        QCOMPARE(w->LegendaAutor(), QString::fromUtf8("Interpolação"));
    }

    void avisoDaFonte() {
        auto w = AbreJanela(pasta, &ajuda, 8, 1);   // Goiânia: the warned source
        QCOMPARE(w->LegendaAutor(), QString::fromUtf8(Citacoes[9].Chave));
        QVERIFY(!w->lAviso->isHidden());
        ClicaItem(w->LBEstacao, QString::fromUtf8("Anápolis"));
        QVERIFY(w->lAviso->isHidden());
        ClicaItem(w->LBEstacao, QString::fromUtf8("Goiânia"));
        QVERIFY(!w->lAviso->isHidden());
        EscolheEstado(w->Estados, 4);   // a locality does not change it...
        w->lAviso->show();
        ClicaItem(w->LBLocalidade, QStringLiteral("Canudos"));
        QVERIFY(!w->lAviso->isHidden());
        ClicaItem(w->LBEstacao, QStringLiteral("barra"));   // ...another state's station hides it
        QVERIFY(w->lAviso->isHidden());
    }

    void fechar_data() {
        QTest::addColumn<int>("estado");
        QTest::addColumn<int>("posicao");
        QTest::addColumn<QString>("autoria");
        QTest::newRow("station with K 0.5") << 4 << 1 << "MENGANO (1998)";
    }
    void fechar() {
        QFETCH(int, estado);
        QFETCH(int, posicao);
        QFETCH(QString, autoria);
        auto w = AbreJanela(pasta, &ajuda, estado, posicao);
        QTest::mouseClick(w->BtnOk, Qt::LeftButton);
        QCOMPARE(w->result(), 1);
        QCOMPARE(w->IndEstacao, posicao);
        QCOMPARE(U(w->Autoria), autoria);
        if (posicao >= 0) QCOMPARE(StrToFloat(w->PrecK->text().toStdString(), w->SeparadorDecimal()), 0.5);
    }

    void teclasEBotoesDeFechar_data() {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("resultado");
        QTest::newRow("Enter") << int(Qt::Key_Return) << 1;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << 2;
        QTest::newRow("Cancelar") << 0 << 2;
    }
    void teclasEBotoesDeFechar() {
        QFETCH(int, tecla);
        QFETCH(int, resultado);
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        w->hide();
        QTimer::singleShot(50, w.get(), [&] {
            if (tecla) QTest::keyClick(w->LBEstacao, Qt::Key(tecla));
            else QTest::mouseClick(w->BtnCancel, Qt::LeftButton);
        });
        QCOMPARE(w->exec(), resultado);
    }
};

int ExecutaTesteConsultaListas(int argc, char** argv) {
    TesteConsultaListas t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteConsultaListas.moc"
