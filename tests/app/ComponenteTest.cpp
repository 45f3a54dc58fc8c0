// The query component in process: the checks before the window, the values it
// passes in, and what Execute hands back after the user closes the window with
// real clicks and keys.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "DadosDeTeste.h"
#include "app/Tormel21Comp.h"
#include "database/BDPrecipitacao.h"
#include "database/Coordenadas.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"
#include "suporte/ExecutaTestes.h"
#include "ui/Aplicacao.h"
#include "ui/FoConsulta.h"

using namespace DadosDeTeste;

namespace {

int JanelasVivas() {
    int n = 0;
    for (QWidget* w : QApplication::allWidgets())
        if (qobject_cast<QDialog*>(w) && dynamic_cast<TfrmFoConsulta*>(w)) ++n;
    return n;
}

// Counts the showings of a query window.
class TObservaExibicao : public QObject {
public:
    int Exibicoes = 0;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && dynamic_cast<TfrmFoConsulta*>(o)) ++Exibicoes;
        return false;
    }
};

QString Q(const AnsiString& s) { return QString::fromStdString(Cp1252ToUtf8(s)); }

void Clica(QListWidget* lista, int linha) {
    QListWidgetItem* item = lista->item(linha);
    QVERIFY(item);
    const QPoint centro = lista->visualItemRect(item).center();
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, centro);
}

void PinaLocale(const QString& nome) {
    QLocale::setDefault(nome == QLatin1String("virgula") ? QLocale(QLocale::Portuguese, QLocale::Brazil)
                                                          : QLocale(QLocale::English, QLocale::UnitedStates));
}

}  // namespace

class TesteComponente : public QObject {
    Q_OBJECT

private:
    TCaixasGravadas& caixas_ = Caixas();
    TPastaPrograma raiz_;
    std::string pasta_;
    TObservaExibicao observa_;
    bool acaoExecutada_ = false;
    bool fechadaPorSeguranca_ = false;
    QPointer<QTimer> espera_;

    // Acts on the query window once its activation has run; a window that the
    // action did not close is closed after a while, and the test fails.
    void AoMostrar(std::function<void(TfrmFoConsulta*)> acao) {
        acaoExecutada_ = false;
        fechadaPorSeguranca_ = false;
        delete espera_;
        auto* espera = new QTimer(this);
        espera_ = espera;
        espera->setInterval(20);
        QObject::connect(espera, &QTimer::timeout, this, [this, espera, acao] {
            TfrmFoConsulta* janela = frmFoConsulta;
            if (!janela || !janela->isVisible() || QApplication::activeModalWidget() != janela) return;
            espera->stop();
            espera->deleteLater();
            // Queued behind the window's own activation.
            QMetaObject::invokeMethod(
                this,
                [this, acao] {
                    TfrmFoConsulta* j = frmFoConsulta;
                    if (!j) return;
                    acaoExecutada_ = true;
                    QPointer<TfrmFoConsulta> alvo(j);
                    acao(j);
                    QTimer::singleShot(3000, this, [this, alvo] {
                        if (alvo && alvo->isVisible()) {
                            fechadaPorSeguranca_ = true;
                            alvo->done(2);
                        }
                    });
                },
                Qt::QueuedConnection);
        });
        espera->start();
    }

    std::unique_ptr<TTormel21> NovoComponente(const std::string& pasta) {
        auto c = std::make_unique<TTormel21>(nullptr, pasta, nullptr);
        return c;
    }

private slots:
    void initTestCase() {
        pasta_ = CriaPastas(raiz_);
        qApp->installEventFilter(&observa_);
    }

    void init() {
        caixas_.Limpa();
        observa_.Exibicoes = 0;
    }

    void cleanup() {
        delete espera_;
        QCOMPARE(frmFoConsulta, nullptr);
        QCOMPARE(JanelasVivas(), 0);
        QVERIFY(!fechadaPorSeguranca_);
        QVERIFY2(caixas_.Erros().isEmpty(), qPrintable(caixas_.Erros().join(QLatin1Char('\n'))));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    // Errors before the modal display: the folder and file checks (before
    // the window exists), then the state index and the coordinates (the window
    // is destroyed unshown). The properties stay as they were.
    void recusaAntesDeMostrar_data() {
        QTest::addColumn<QString>("apagar");
        QTest::addColumn<int>("estado");
        QTest::addColumn<QString>("latitude");
        QTest::addColumn<QString>("classe");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("sem pasta") << "" << 0 << "" << "Exception"
                                   << "Erro. Não foi possível localizar a pasta contendo o banco de dados.";
        QTest::newRow("sem estacoes") << "Estados_Tor21.bin" << 0 << "" << "Exception"
                                      << "Erro. Não foi possível localizar o banco de dados contendo os estados.";
        QTest::newRow("sem localidades") << "Localidades_Tor21.bin" << 0 << "" << "Exception"
                                         << "Erro. Não foi possível localizar o banco de dados contendo as localidades.";
        QTest::newRow("sem estado") << "-" << -1 << "" << "Exception" << "É necessário entrar com um índice para o estado";
        QTest::newRow("estado 27") << "-" << 27 << "" << "ENumeroEstado" << " Não existe estado com índice igual a 27";
        QTest::newRow("latitude ilegivel") << "-" << 12 << "ab°cd'ef\"" << "EConvertError"
                                           << "'ab' is not a valid floating point value";
    }
    void recusaAntesDeMostrar() {
        QFETCH(QString, apagar);
        QFETCH(int, estado);
        QFETCH(QString, latitude);
        QFETCH(QString, classe);
        QFETCH(QString, mensagem);
        TPastaPrograma outra;
        std::string pasta = pasta_;
        if (apagar != QLatin1String("-")) {
            pasta = CriaPastas(outra);
            outra.ApagaDados(apagar.toStdString());
        }
        auto c = NovoComponente(pasta);
        c->IndEstado = static_cast<int16_t>(estado);
        c->Latitude = Utf8ToCp1252(latitude.toStdString());
        c->Longitude = LongitudeBeloHorizonte();
        try {
            c->Execute();
            QFAIL("Execute did not raise");
        } catch (const Exception& e) {
            QCOMPARE(QString::fromUtf8(e.ClassName()), classe);
            QCOMPARE(Q(e.Message()), mensagem);
        }
        QCOMPARE(observa_.Exibicoes, 0);
        QCOMPARE(c->IndEstado, static_cast<int16_t>(estado));
        QVERIFY(c->StrEstado.empty());
    }

    // What the component passes in: parameters other than 0 into the current
    // record, an empty-mask coordinate treated as no coordinate, the labels
    // formatted before the activation clears them.
    void passaValoresParaAJanela() {
        PinaLocale(QStringLiteral("virgula"));
        auto c = NovoComponente(pasta_);
        c->IndEstado = 0;
        c->IndEstacao = -1;
        c->IndLocalidade = -1;
        c->HelpContext = 33;
        c->Latitude = TextoCoordenadaVazio;
        c->Longitude = LongitudeRioBranco();
        c->Precipitacao().SetK(5.5);
        c->Precipitacao().SetC(0.25);
        TEstacao registro;
        AnsiString lat, lon;
        int contexto = 0;
        QString rotuloKAntes, rotuloCAntes;
        AoMostrar([&](TfrmFoConsulta* j) {
            registro = j->CurrentRecord;
            lat = j->LatitudeText;
            lon = j->LongitudeText;
            contexto = j->HelpContext;
            QTest::mouseClick(j->BtnCancel, Qt::LeftButton);
        });
        // The labels as the component set them, before the modal display.
        QTimer::singleShot(0, this, [&] {
            if (!frmFoConsulta) return;
            rotuloKAntes = frmFoConsulta->PrecK->text();
            rotuloCAntes = frmFoConsulta->PrecC->text();
        });
        QVERIFY(!c->Execute());
        QVERIFY(acaoExecutada_);
        QCOMPARE(registro.K, 5.5);
        QCOMPARE(registro.a, 0.0);
        QCOMPARE(registro.c, 0.25);
        QVERIFY(lat.empty());
        QCOMPARE(lon, LongitudeRioBranco());
        QCOMPARE(contexto, 33);
        QCOMPARE(rotuloKAntes, QStringLiteral("5,500"));
        QCOMPARE(rotuloCAntes, QStringLiteral("0,2500"));
    }

    // "&Cancelar" after changing the state, and the close box: nothing changes.
    void cancelaNaoMudaNada_data() {
        QTest::addColumn<bool>("caixaDeFechar");
        QTest::newRow("Cancelar") << false;
        QTest::newRow("caixa de fechar") << true;
    }
    void cancelaNaoMudaNada() {
        QFETCH(bool, caixaDeFechar);
        auto c = NovoComponente(pasta_);
        c->IndEstado = 12;
        c->IndEstacao = 1;
        c->IndLocalidade = 0;
        c->Latitude = LatitudeBeloHorizonte();
        c->Longitude = LongitudeBeloHorizonte();
        c->Precipitacao().SetK(10);
        c->Precipitacao().SetA(0.5);
        int estadoNaJanela = -1;
        AoMostrar([&](TfrmFoConsulta* j) {
            j->Estados->setFocus();
            QTest::keyClick(j->Estados, Qt::Key_Down);   // Pará
            estadoNaJanela = j->Estado->Indice;
            if (caixaDeFechar) j->close();
            else QTest::mouseClick(j->BtnCancel, Qt::LeftButton);
        });
        QVERIFY(!c->Execute());
        QCOMPARE(estadoNaJanela, 13);
        QCOMPARE(c->IndEstado, static_cast<int16_t>(12));
        QVERIFY(c->StrEstado.empty());
        QCOMPARE(c->IndEstacao, static_cast<int16_t>(1));
        QCOMPARE(c->IndLocalidade, static_cast<int16_t>(0));
        QCOMPARE(c->Latitude, LatitudeBeloHorizonte());
        QVERIFY(c->StrCidade.empty());
        QCOMPARE(c->Precipitacao().K, 10.0);
        QCOMPARE(c->Precipitacao().A, 0.5);
        QCOMPARE(c->Precipitacao().B, 0.0);
    }

    // A station's parameters come back with all their digits, in both kinds
    // of decimal separator; the name keeps its blanks, the citation does not.
    void okEstacaoDevolveTodosOsDigitos_data() {
        QTest::addColumn<QString>("locale");
        QTest::newRow("virgula") << "virgula";
        QTest::newRow("ponto") << "ponto";
    }
    void okEstacaoDevolveTodosOsDigitos() {
        QFETCH(QString, locale);
        PinaLocale(locale);
        auto c = NovoComponente(pasta_);
        c->IndEstado = 12;
        c->IndEstacao = 2;
        QString textoK;
        AoMostrar([&](TfrmFoConsulta* j) {
            Clica(j->LBEstacao, 0);   // Belo Horizonte
            textoK = j->PrecK->text();
            QTest::mouseClick(j->BtnOk, Qt::LeftButton);
        });
        QVERIFY(c->Execute());
        QCOMPARE(textoK, locale == QLatin1String("virgula") ? QStringLiteral("1447,8721") : QStringLiteral("1447.8721"));
        QCOMPARE(c->Precipitacao().K, KBeloHorizonte);
        QCOMPARE(c->Precipitacao().A, ABeloHorizonte);
        QCOMPARE(c->Precipitacao().B, BBeloHorizonte);
        QCOMPARE(c->Precipitacao().C, CBeloHorizonte);
        QCOMPARE(c->IndEstado, static_cast<int16_t>(12));
        QCOMPARE(Q(c->StrEstado), QStringLiteral("Minas Gerais"));
        QCOMPARE(c->IndEstacao, static_cast<int16_t>(0));
        QCOMPARE(c->IndLocalidade, static_cast<int16_t>(-1));
        QCOMPARE(c->StrCidade, AnsiString("Belo Horizonte"));
        QCOMPARE(c->Latitude, LatitudeBeloHorizonte());
        QCOMPARE(c->Longitude, LongitudeBeloHorizonte());
        QCOMPARE(c->Autoria(), AnsiString("PINHEIRO (1997)"));

        // Montes Claros is stored with trailing blanks: the place name keeps them.
        c->IndEstacao = 0;
        AoMostrar([&](TfrmFoConsulta* j) {
            Clica(j->LBEstacao, 2);
            QTest::mouseClick(j->BtnOk, Qt::LeftButton);
        });
        QVERIFY(c->Execute());
        QCOMPARE(c->StrCidade, AnsiString("Montes Claros   "));
        QCOMPARE(c->Precipitacao().K, 900.25);

        // Clear resets every property but the citation.
        c->Clear();
        QCOMPARE(c->IndEstado, static_cast<int16_t>(-1));
        QCOMPARE(c->IndEstacao, static_cast<int16_t>(0));
        QVERIFY(c->StrCidade.empty() && c->StrEstado.empty() && c->Latitude.empty());
        QCOMPARE(c->Precipitacao().K, 0.0);
        QCOMPARE(c->Autoria(), AnsiString("PINHEIRO (1997)"));
    }

    // A locality's parameters come back as shown: three decimals.
    void okLocalidadeArredondaATresDecimais_data() { okEstacaoDevolveTodosOsDigitos_data(); }
    void okLocalidadeArredondaATresDecimais() {
        QFETCH(QString, locale);
        PinaLocale(locale);
        TBDPrecipitacao bd(PastaDados(pasta_));
        bd.CarregaEstacoes();
        const TEstacao r = bd.Interpola(LatitudeContagem(), LongitudeContagem());
        auto tres = [](double v) { return StrToFloat(FormatFloat("0.000", v, '.'), '.'); };
        QVERIFY2(tres(r.K) != r.K && tres(r.c) != r.c, "the data must need rounding");

        auto c = NovoComponente(pasta_);
        c->IndEstado = 12;
        AoMostrar([&](TfrmFoConsulta* j) {
            Clica(j->LBLocalidade, 0);   // Contagem
            QTest::mouseClick(j->BtnOk, Qt::LeftButton);
        });
        QVERIFY(c->Execute());
        QCOMPARE(c->Precipitacao().K, tres(r.K));
        QCOMPARE(c->Precipitacao().A, tres(r.a));
        QCOMPARE(c->Precipitacao().B, tres(r.b));
        QCOMPARE(c->Precipitacao().C, tres(r.c));
        QCOMPARE(c->StrCidade, AnsiString("Contagem"));
        QCOMPARE(c->IndLocalidade, static_cast<int16_t>(0));
        QCOMPARE(c->IndEstacao, static_cast<int16_t>(-1));
        QCOMPARE(c->Latitude, LatitudeContagem());
        QCOMPARE(Q(c->Autoria()), QStringLiteral("Interpolação"));
    }

    // "&Fechar" with nothing shown keeps the window open; a caller that closes
    // it with OK all the same gets the conversion error, after the state was taken.
    void okSemParametrosLevantaErroDeConversao() {
        auto c = NovoComponente(pasta_);
        c->IndEstado = 3;   // Amazonas: no stations
        c->IndEstacao = 4;
        c->Latitude = LatitudeRioBranco();
        c->Longitude = LongitudeRioBranco();
        c->Precipitacao().SetK(7);
        AoMostrar([&](TfrmFoConsulta* j) {
            j->Estados->setFocus();
            QTest::keyClick(j->Estados, Qt::Key_Up);   // Amapá, no stations either
            QTest::mouseClick(j->BtnOk, Qt::LeftButton);
            QVERIFY(j->isVisible());
            QCOMPARE(caixas_.Informacoes(), QStringList{QString::fromUtf8(MensagemSemParametros)});
            j->done(QDialog::Accepted);
        });
        try {
            c->Execute();
            QFAIL("Execute did not raise");
        } catch (const EConvertError& e) {
            QCOMPARE(Q(e.Message()), QStringLiteral("'' is not a valid floating point value"));
        }
        QCOMPARE(c->IndEstado, static_cast<int16_t>(2));
        QCOMPARE(Q(c->StrEstado), QStringLiteral("Amapá"));
        QCOMPARE(c->IndEstacao, static_cast<int16_t>(4));
        QCOMPARE(c->Latitude, LatitudeRioBranco());
        QVERIFY(c->StrCidade.empty());
        QCOMPARE(c->Precipitacao().K, 7.0);
    }

    // A refused value leaves the previous parameter set whole.
    void okComParametroNegativoNaoMisturaParametros() {
        auto c = NovoComponente(pasta_);
        c->IndEstado = 12;
        c->Precipitacao().SetK(10);
        c->Precipitacao().SetA(0.5);
        AoMostrar([&](TfrmFoConsulta* j) {
            Clica(j->LBEstacao, 0);
            j->PrecC->setText(QStringLiteral("-1"));
            QTest::mouseClick(j->BtnOk, Qt::LeftButton);
        });
        try {
            c->Execute();
            QFAIL("Execute did not raise");
        } catch (const Exception& e) {
            QCOMPARE(Q(e.Message()), QStringLiteral("O valor do parâmetro \"c\" deve ser maior que zero."));
        }
        QCOMPARE(c->Precipitacao().K, 10.0);
        QCOMPARE(c->Precipitacao().A, 0.5);
        QCOMPARE(c->Precipitacao().C, 0.0);
        QVERIFY(c->StrCidade.empty());
    }
};

TORMEL_TEST_MAIN(TesteComponente, LocaleEstadosUnidos())

#include "ComponenteTest.moc"
