// Station and locality lists, the parameter display, the source warning and
// the closing buttons.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "Ambiente.h"
#include "database/Citacoes.h"
#include "platform/Numeros.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"
#include "ui/MascaraCoordenada.h"

class TesteConsultaListas : public QObject {
    Q_OBJECT
    TPastaTeste pasta;
    TAjudaGravada ajuda;

private slots:
    void init() { Caixas().Limpa(); }

    // The data file keeps Bahia's stations in another order than the list
    // shows them; a click must still give the clicked name's record.
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
        auto w = AbreJanela(pasta, &ajuda, 4, -1, -1);
        QCOMPARE(w->LBEstacao->item(0)->text(), QString::fromUtf8("Água Fria"));
        const int pos = PosicaoNaLista(w->LBEstacao, nome);
        QVERIFY(pos >= 0);
        ClicaItem(w->LBEstacao, pos);
        QCOMPARE(w->IndEstacao, pos);
        QCOMPARE(U(w->PlaceName), nome);   // as stored, blanks kept
        QCOMPARE(U(w->CurrentRecord.Nome.Text()), nome);
        QCOMPARE(w->PrecK->text(), N(k.toUtf8().constData()));
        QCOMPARE(w->PrecA->text(), N("0.15"));
        QCOMPARE(w->PrecC->text(), N("0.85"));
        QCOMPARE(w->LegendaAutor(), autor);   // trailing blanks removed
        QCOMPARE(w->LBLocalidade->currentRow(), -1);
        QVERIFY(!w->EixoX->isHidden() && !w->EixoY->isHidden());
        QCOMPARE(w->EixoY->x(), static_cast<int>(std::nearbyint(StateMapGeoRef.XOfLongitude(w->Longitude))));
        QCOMPARE(w->LabelLat->text(), U(w->LatitudeText));
        QCOMPARE(U(w->PrecLaAux->Texto()), U(w->LatitudeText));
    }

    void posicaoRestauradaAlemDaLista() {
        auto w = AbreJanela(pasta, &ajuda, 4, 10, -1);
        QVERIFY(Caixas().Erros.isEmpty());
        QCOMPARE(w->LBEstacao->currentRow(), -1);
        QCOMPARE(w->PrecK->text(), QString());
        QVERIFY(w->EixoX->isHidden());
    }

    void setasPercorremEstacoes() {
        auto w = AbreJanela(pasta, &ajuda, 4, -1, 1);   // locality "Canudos" restored
        QCOMPARE(w->LBLocalidade->currentRow(), 1);
        QCOMPARE(U(w->PlaceName), QStringLiteral("Canudos"));
        ClicaItem(w->LBEstacao, 0);
        QCOMPARE(w->LBLocalidade->currentRow(), -1);
        const QStringList esperados{"barra", QString::fromUtf8("Irecê"), "Salvador   "};
        const QStringList ks{N("0.5"), "1500", N("1234.5678")};
        for (int i = 0; i < esperados.size(); ++i) {
            QTest::keyClick(w->LBEstacao, Qt::Key_Down);
            QCOMPARE(w->IndEstacao, i + 1);
            QCOMPARE(U(w->PlaceName), esperados[i]);
            QCOMPARE(w->PrecK->text(), ks[i]);
        }
    }

    // Canudos stands on the station "barra": the interpolation gives that
    // station's record, shown with the locality formats.
    void localidadeComSeusFormatos() {
        auto w = AbreJanela(pasta, &ajuda, 4, 3, -1);
        ClicaItem(w->LBLocalidade, PosicaoNaLista(w->LBLocalidade, "Canudos"));
        QCOMPARE(w->LBEstacao->currentRow(), -1);
        QCOMPARE(U(w->PlaceName), QStringLiteral("Canudos"));
        QCOMPARE(w->PrecK->text(), N(".500"));
        QCOMPARE(w->PrecA->text(), N("0.150"));
        QCOMPARE(w->PrecB->text(), N("20.500"));
        QCOMPARE(w->PrecC->text(), N("0.850"));
        QCOMPARE(w->LegendaAutor(), QString::fromUtf8("Interpolação"));
        QVERIFY(!w->EixoX->isHidden());
        QCOMPARE(U(w->PrecLoAux->Texto()), QString::fromUtf8("43°10'00\""));
    }

    void localidadeForaDaAreaAzul() {
        auto w = AbreJanela(pasta, &ajuda, 4, 2, -1);   // Irecê, marked
        QCOMPARE(w->LegendaAutor(), QStringLiteral("MENGANO (1998)"));
        QVERIFY(!w->EixoX->isHidden());
        ClicaItem(w->LBLocalidade, PosicaoNaLista(w->LBLocalidade, QString::fromUtf8("Abaíra")));
        QCOMPARE(w->IndLocalidade, 0);
        QCOMPARE(U(w->PlaceName), QString::fromUtf8("Abaíra"));
        QVERIFY(!w->PrecK->text().isEmpty());
        QVERIFY(w->EixoX->isHidden() && w->EixoY->isHidden() && w->LabelLat->isHidden());
        QCOMPARE(w->LegendaAutor(), QStringLiteral("MENGANO (1998)"));
        QVERIFY(Caixas().Erros.isEmpty());
    }

    void avisoDaFonte() {
        auto w = AbreJanela(pasta, &ajuda, 8, 1);   // Goiânia, the warned source
        QCOMPARE(w->LegendaAutor(), QString::fromUtf8(Citacoes[9].Chave));
        QVERIFY(!w->lAviso->isHidden());
        ClicaItem(w->LBEstacao, 0);   // Anápolis, another source
        QVERIFY(w->lAviso->isHidden());
        ClicaItem(w->LBEstacao, 1);
        QVERIFY(!w->lAviso->isHidden());
        // Another state's first station hides it.
        EscolheEstado(w->Estados, 15);
        QVERIFY(w->lAviso->isHidden());
    }

    void avisoNaoMudaComLocalidade() {
        auto w = AbreJanela(pasta, &ajuda, 8, 1);
        QVERIFY(!w->lAviso->isHidden());
        EscolheEstado(w->Estados, 4);   // Bahia shows its first station: warning off
        QVERIFY(w->lAviso->isHidden());
        w->lAviso->show();
        ClicaItem(w->LBLocalidade, 1);
        QVERIFY(!w->lAviso->isHidden());
    }

    void fecharDevolveAEscolha_data() {
        QTest::addColumn<int>("estado");
        QTest::addColumn<int>("posicao");
        QTest::addColumn<double>("k");
        QTest::addColumn<QString>("autoria");
        QTest::newRow("station with K 0.5") << 4 << 1 << 0.5 << "MENGANO (1998)";
        QTest::newRow("nothing chosen") << 0 << -1 << -1.0 << "";
    }
    void fecharDevolveAEscolha() {
        QFETCH(int, estado);
        QFETCH(int, posicao);
        QFETCH(double, k);
        QFETCH(QString, autoria);
        auto w = AbreJanela(pasta, &ajuda, estado, posicao, -1);
        QCOMPARE(w->LegendaAutor(), autoria.isEmpty() ? QStringLiteral("Autor") : autoria);
        QTest::mouseClick(w->BtnOk, Qt::LeftButton);
        QCOMPARE(w->result(), 1);
        QCOMPARE(w->IndEstacao, posicao);
        QCOMPARE(U(w->Autoria), autoria);
        if (k >= 0) QCOMPARE(StrToFloat(w->PrecK->text().toStdString(), w->SeparadorDecimal()), k);
    }

    void teclasDeFechar_data() {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("resultado");
        QTest::newRow("Enter closes with OK") << int(Qt::Key_Return) << 1;
        QTest::newRow("Esc cancels") << int(Qt::Key_Escape) << 2;
    }
    void teclasDeFechar() {
        QFETCH(int, tecla);
        QFETCH(int, resultado);
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        w->hide();
        QTimer::singleShot(50, w.get(), [&] { QTest::keyClick(w->LBEstacao, Qt::Key(tecla)); });
        QCOMPARE(w->exec(), resultado);
    }

    void cancelarComMouse() {
        auto w = AbreJanela(pasta, &ajuda, 4, 0);
        QTest::mouseClick(w->BtnCancel, Qt::LeftButton);
        QCOMPARE(w->result(), 2);
        QVERIFY(!w->isVisible());
    }
};

int ExecutaTesteConsultaListas(int argc, char** argv) {
    TesteConsultaListas t;
    return QTest::qExec(&t, argc, argv);
}

#include "TesteConsultaListas.moc"
