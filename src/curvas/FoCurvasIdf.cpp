// The IDF curves window: layout, the two lists, the table, the settings.
#include "curvas/FoCurvasIdf.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

#include "curvas/GraficoIdf.h"
#include "curvas/GraficosProjeto.h"
#include "curvas/PaginaCalculadora.h"
#include "curvas/PaginaChuvaDeProjeto.h"
#include "curvas/PaginaVazao.h"
#include "curvas/TextosIdf.h"
#include "model/ChuvaDeProjeto.h"
#include "platform/ArquivoIni.h"
#include "platform/Cp1252.h"
#include "ui/Ajuda.h"
#include "ui/Aplicacao.h"
#include "ui/TabelaSomenteLeitura.h"

const char* const DuracoesPadrao = "5; 10; 15; 20; 30; 45; 60; 90; 120; 180; 240; 360; 480; 720; 1440";
const char* const PeriodosPadrao = "2; 5; 10; 15; 20; 25; 50; 100";

namespace {
constexpr double DuracaoMaxima = 10080;     // a week, in minutes
constexpr double PeriodoMaximo = 100000;    // years

QString T(const char* utf8) { return QString::fromUtf8(utf8); }

// The limits as a refused entry names them.
std::vector<double> Lista(const QString& texto, const char* item, double maximo) {
    const char* limite = maximo == DuracaoMaxima ? "duração até 10.080 min" : "Tr até 100.000 anos";
    return LeListaDeValores(Utf8ToCp1252(texto.toStdString()), Ansi(item), maximo, 100, Ansi(limite));
}

QString TextoDaLista(const std::vector<double>& valores) {
    return QString::fromStdString(EscreveListaDeValores(valores, SeparadorDoLocal()));
}
}  // namespace

TfrmCurvasIdf::TfrmCurvasIdf(const TLugarIdf& lugar, IAjuda* ajuda, std::string arquivoIni, QWidget* parent)
    : QDialog(parent), lugar_(lugar), ajuda_(ajuda), arquivoIni_(std::move(arquivoIni)) {
    MontaJanela();
    MontaComparacao();
    LeOpcoes();
    PreencheTabela();
    ChuvaDeProjeto->CalcularClick();
}

void TfrmCurvasIdf::PaginaClick() {
    const bool calculadora = Paginas->currentWidget() == Calculadora || Paginas->currentWidget() == Vazao;
    for (QPushButton* b : {BtnExportar, BtnSalvarGrafico, BtnImprimir}) b->setEnabled(!calculadora);
}

void TfrmCurvasIdf::MontaJanela() {
    setWindowTitle(T("Curvas IDF - ") + lugar_.Nome.trimmed());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    resize(1180, 700);
    setProperty("helpContext", ContextoDeAjuda);

    Cabecalho = new QLabel(TextoDoCabecalho());
    Cabecalho->setTextFormat(Qt::RichText);
    Cabecalho->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Cabecalho->setWordWrap(true);

    Paginas = new QTabWidget;
    Paginas->addTab(MontaPaginaCurvas(), T("&Curvas IDF"));
    ChuvaDeProjeto = new TPaginaChuvaDeProjeto(lugar_);
    Paginas->addTab(ChuvaDeProjeto, T("C&huva de projeto"));
    Calculadora = new TPaginaCalculadora(lugar_);
    Paginas->addTab(Calculadora, T("Calculad&ora"));
    Vazao = new TPaginaVazao(lugar_);
    Paginas->addTab(Vazao, T("Vazão de pro&jeto"));

    BtnExportar = new QPushButton(T("E&xportar CSV..."));
    BtnSalvarGrafico = new QPushButton(T("Salvar &gráfico..."));
    BtnImprimir = new QPushButton(T("I&mprimir..."));
    BtnAjuda = new QPushButton(T("Aj&uda"));
    BtnFechar = new QPushButton(T("&Fechar"));
    BtnMemorial = new QPushButton(T("M&emorial de cálculo..."));
    // Enter belongs to the field it is pressed in (see keyPressEvent): no
    // button is the default.
    for (QPushButton* b : {BtnExportar, BtnSalvarGrafico, BtnImprimir, BtnAjuda, BtnFechar, BtnAplicar, BtnMemorial})
        b->setAutoDefault(false);
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {BtnExportar, BtnSalvarGrafico, BtnImprimir}) botoes->addWidget(b);
    botoes->addWidget(BtnMemorial);
    botoes->addStretch();
    botoes->addWidget(BtnAjuda);
    botoes->addWidget(BtnFechar);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Cabecalho);
    layout->addWidget(Paginas, 1);
    layout->addLayout(botoes);

    connect(Paginas, &QTabWidget::currentChanged, this, Protegido([this] { PaginaClick(); }));
    connect(BtnAplicar, &QPushButton::clicked, this, Protegido([this] { AplicarClick(); }));
    for (QLineEdit* e : {EdDuracoes, EdPeriodos})
        connect(e, &QLineEdit::returnPressed, this, Protegido([this] { AplicarClick(); }));
    connect(RbIntensidade, &QRadioButton::toggled, this, Protegido([this] { GrandezaClick(); }));
    connect(CbEscalaLog, &QCheckBox::toggled, this, Protegido([this] { EscalaLogClick(); }));
    connect(BtnExportar, &QPushButton::clicked, this, Protegido([this] { ExportarCsvClick(); }));
    connect(BtnSalvarGrafico, &QPushButton::clicked, this, Protegido([this] { SalvarGraficoClick(); }));
    connect(BtnImprimir, &QPushButton::clicked, this, Protegido([this] { ImprimirClick(); }));
    connect(BtnAjuda, &QPushButton::clicked, this, Protegido([this] { AjudaClick(); }));
    connect(BtnMemorial, &QPushButton::clicked, this, Protegido([this] { MemorialClick(); }));
    connect(BtnFechar, &QPushButton::clicked, this, Protegido([this] { FecharClick(); }));
}

QWidget* TfrmCurvasIdf::MontaPaginaCurvas() {
    auto* pagina = new QWidget;
    EdDuracoes = new QLineEdit;
    EdPeriodos = new QLineEdit;
    EdDuracoes->setToolTip(T("Durações em minutos, separadas por \";\" ou espaços"));
    EdPeriodos->setToolTip(T("Períodos de retorno em anos, separados por \";\" ou espaços"));
    BtnAplicar = new QPushButton(T("&Aplicar"));
    auto* rotuloDuracoes = new QLabel(T("&Durações (min):"));
    rotuloDuracoes->setBuddy(EdDuracoes);
    auto* rotuloPeriodos = new QLabel(T("&Períodos de retorno (anos):"));
    rotuloPeriodos->setBuddy(EdPeriodos);

    RbIntensidade = new QRadioButton(T("&Intensidade média (mm/h)"));
    RbAltura = new QRadioButton(T("Al&tura de chuva (mm)"));
    RbIntensidade->setChecked(true);
    auto* grupo = new QButtonGroup(pagina);
    grupo->addButton(RbIntensidade);
    grupo->addButton(RbAltura);
    CbEscalaLog = new QCheckBox(T("Intensidade em escala &logarítmica"));

    auto* listas = new QGridLayout;
    listas->addWidget(rotuloDuracoes, 0, 0);
    listas->addWidget(EdDuracoes, 0, 1);
    listas->addWidget(rotuloPeriodos, 1, 0);
    listas->addWidget(EdPeriodos, 1, 1);
    listas->addWidget(BtnAplicar, 0, 2, 2, 1);
    auto* opcoes = new QHBoxLayout;
    opcoes->addWidget(RbIntensidade);
    opcoes->addWidget(RbAltura);
    opcoes->addStretch();
    opcoes->addWidget(CbEscalaLog);

    Tabela = new QTableWidget;
    PreparaTabelaSomenteLeitura(Tabela, [this] { return TextoDaSelecao(); });
    Grafico = new TGraficoIdf;
    Grafico->setMinimumWidth(480);
    auto* divisor = new QSplitter;
    divisor->addWidget(Tabela);
    // The intensity chart and, beside it, depth by duration and value by
    // return period.
    Graficos = new QTabWidget;
    Graficos->setTabPosition(QTabWidget::South);
    GraficoAltura = new TGraficoAltura;
    GraficoPorPeriodo = new TGraficoPorPeriodo;
    Graficos->addTab(Grafico, T("I&ntensidade × duração"));
    Graficos->addTab(GraficoAltura, T("Altura × du&ração"));
    Graficos->addTab(GraficoPorPeriodo, T("&Valor × período de retorno"));
    divisor->addWidget(Graficos);
    divisor->setStretchFactor(0, 0);
    divisor->setStretchFactor(1, 1);
    divisor->setChildrenCollapsible(false);

    Nota = new QLabel;
    Nota->setWordWrap(true);
    Nota->setStyleSheet(QStringLiteral("color: #a00000"));
    Nota->hide();

    auto* layout = new QVBoxLayout(pagina);
    layout->addLayout(listas);
    layout->addLayout(opcoes);
    layout->addWidget(Nota);
    layout->addWidget(divisor, 1);
    return pagina;
}

QString TfrmCurvasIdf::TextoDoCabecalho() const {
    const TParametrosIdf& p = lugar_.Parametros;
    const QString estado = lugar_.Estado.isEmpty() ? QString() : T(" &mdash; ") + lugar_.Estado.toHtmlEscaped();
    return T("<b>%1</b>%2<br>Latitude %3 &nbsp; Longitude %4 W<br>"
             "i = K&middot;Tr<sup>a</sup>/(t+b)<sup>c</sup> &nbsp; K = %5 &nbsp; a = %6 &nbsp; b = %7 &nbsp; c = %8"
             "<br>Fonte: %9")
        .arg(lugar_.Nome.trimmed().toHtmlEscaped(), estado,
             LatitudeComHemisferio(lugar_).toHtmlEscaped(), lugar_.Longitude.toHtmlEscaped(), NumeroGeral(p.K),
             NumeroGeral(p.a), NumeroGeral(p.b), NumeroGeral(p.c), lugar_.Fonte.toHtmlEscaped()) +
           (lugar_.Aviso.isEmpty() ? QString()
                                   : QStringLiteral("<br><span style=\"color:#a00000\"><b>%1</b></span>")
                                         .arg(lugar_.Aviso.toHtmlEscaped()));
}

// The lists and the quantity of the last normal close; defaults when there
// is none or it cannot be read.
void TfrmCurvasIdf::LeOpcoes() {
    QString duracoes = T(DuracoesPadrao), periodos = T(PeriodosPadrao);
    bool altura = false;
    if (!arquivoIni_.empty()) {
        const TArquivoIni ini(arquivoIni_);
        const auto le = [&](const char* chave, QString& destino) {
            const AnsiString v = ini.ReadString(kSecaoCurvas, chave, "");
            if (!v.empty()) destino = QString::fromStdString(Cp1252ToUtf8(v));
        };
        le("Duracoes", duracoes);
        le("Periodos", periodos);
        altura = ini.ReadString(kSecaoCurvas, "Grandeza", "I") == "P";
    }
    try {
        duracoes_ = Lista(duracoes, "Duração", DuracaoMaxima);
        periodos_ = Lista(periodos, "Período de retorno", PeriodoMaximo);
    } catch (const std::exception&) {
        duracoes_ = Lista(T(DuracoesPadrao), "Duração", DuracaoMaxima);
        periodos_ = Lista(T(PeriodosPadrao), "Período de retorno", PeriodoMaximo);
    }
    EdDuracoes->setText(TextoDaLista(duracoes_));
    EdPeriodos->setText(TextoDaLista(periodos_));
    (altura ? RbAltura : RbIntensidade)->setChecked(true);
}

bool TfrmCurvasIdf::MostraAltura() const { return RbAltura->isChecked(); }

void TfrmCurvasIdf::AplicarClick() {
    // Both lists are read before anything changes: a bad entry changes nothing.
    std::vector<double> duracoes = Lista(EdDuracoes->text(), "Duração", DuracaoMaxima);
    std::vector<double> periodos = Lista(EdPeriodos->text(), "Período de retorno", PeriodoMaximo);
    const TTabelaIdf tabela = CalculaTabelaIdf(lugar_.Parametros, duracoes, periodos);
    duracoes_ = std::move(duracoes);
    periodos_ = std::move(periodos);
    tabela_ = tabela;
    EdDuracoes->setText(TextoDaLista(duracoes_));
    EdPeriodos->setText(TextoDaLista(periodos_));
    PreencheTabela();
}

void TfrmCurvasIdf::PreencheTabela() {
    if (tabela_.Duracoes != duracoes_ || tabela_.Periodos != periodos_)
        tabela_ = CalculaTabelaIdf(lugar_.Parametros, duracoes_, periodos_);
    const bool altura = MostraAltura();
    Tabela->clear();
    Tabela->setRowCount(static_cast<int>(duracoes_.size()));
    Tabela->setColumnCount(static_cast<int>(periodos_.size()));
    QStringList colunas, linhas;
    for (double tr : periodos_) colunas << T("Tr = %1").arg(NumeroGeral(tr));
    for (double t : duracoes_) linhas << T("%1 min").arg(NumeroGeral(t));
    Tabela->setHorizontalHeaderLabels(colunas);
    Tabela->setVerticalHeaderLabels(linhas);
    for (std::size_t i = 0; i < duracoes_.size(); ++i) {
        for (std::size_t j = 0; j < periodos_.size(); ++j) {
            const TValoresDeProjeto& v = tabela_.Valores[i][j];
            auto* celula = new QTableWidgetItem(NumeroFixo(altura ? v.Precipitacao : v.Intensidade, 1));
            celula->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Tabela->setItem(static_cast<int>(i), static_cast<int>(j), celula);
        }
    }
    // The table as wide as its columns, the chart the rest.
    AjustaLarguraDaTabela(Tabela, 620);
    Tabela->setToolTip(altura ? T("Altura de chuva P (mm)") : T("Intensidade média i (mm/h)"));
    PreencheTabelaGrade();
    Grafico->Desenha(lugar_.Parametros, duracoes_, periodos_, altura);
    if (!lugar_.Intervalos.empty()) Grafico->DesenhaFaixa(lugar_.Intervalos, periodos_);
    GraficoAltura->Desenha(lugar_.Parametros, duracoes_, periodos_);
    GraficoPorPeriodo->Desenha(lugar_.Parametros, duracoes_, periodos_, altura);
    const QString nota = NotaDaTabela();
    Nota->setText(nota);
    Nota->setVisible(!nota.isEmpty());
}

QString TfrmCurvasIdf::NotaDaTabela() const {
    QStringList tForaDaFaixa, trForaDaFaixa;
    for (double t : duracoes_)
        if (DuracaoForaDaFaixaAjustada(t)) tForaDaFaixa << NumeroGeral(t);
    for (double tr : periodos_)
        if (ForaDaFaixaAjustada(tr)) trForaDaFaixa << NumeroGeral(tr);
    const std::string nota = NotaDeExtrapolacao(trForaDaFaixa.isEmpty() ? NAN : 0, tForaDaFaixa.isEmpty() ? NAN : 0);
    if (nota.empty()) return {};
    QStringList quais;
    if (!tForaDaFaixa.isEmpty()) quais << T("t = %1 min").arg(tForaDaFaixa.join(T("; ")));
    if (!trForaDaFaixa.isEmpty()) quais << T("Tr = %1 anos").arg(trForaDaFaixa.join(T("; ")));
    return quais.join(T(", ")) + T(": ") + QString::fromStdString(Cp1252ToUtf8(nota));
}

void TfrmCurvasIdf::GrandezaClick() { PreencheTabela(); }

void TfrmCurvasIdf::EscalaLogClick() { Grafico->SetEscalaLogaritmica(CbEscalaLog->isChecked()); }

void TfrmCurvasIdf::AjudaClick() {
    if (ajuda_) ajuda_->MostraTopico(ContextoDeAjuda);
}

void TfrmCurvasIdf::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        ExecutaProtegido([this] { AjudaClick(); });
        return;
    }
    // Enter reaches the window after the field it was pressed in has acted
    // on it (returnPressed), whichever button last had the focus: it goes no
    // further, so nothing acts twice.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (auto* botao = qobject_cast<QPushButton*>(focusWidget())) botao->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// The fields of the page shown, applied when they differ from what the page
// shows: export, print and close act on what the fields say, and a bad entry
// stops them with its message.
void TfrmCurvasIdf::AplicaCampos() {
    if (Paginas->currentWidget() == ChuvaDeProjeto) {
        ChuvaDeProjeto->CalcularClick();
        return;
    }
    if (EdDuracoes->text() != TextoDaLista(duracoes_) || EdPeriodos->text() != TextoDaLista(periodos_))
        AplicarClick();
}

void TfrmCurvasIdf::FecharClick() {
    if (Paginas->currentWidget() != ChuvaDeProjeto) AplicaCampos();
    done(QDialog::Accepted);
}

// The lists are a preference: kept however the window closes ("&Fechar",
// Esc, the close box), as typed when they can be read, else as applied.
void TfrmCurvasIdf::done(int resultado) {
    ExecutaProtegido([this] { GravaOpcoes(); });
    QDialog::done(resultado);
}

// The lists and the quantity go to the settings file in one change.
void TfrmCurvasIdf::GravaOpcoes() const {
    if (arquivoIni_.empty()) return;
    std::vector<double> duracoes = duracoes_, periodos = periodos_;
    try {
        duracoes = Lista(EdDuracoes->text(), "Duração", DuracaoMaxima);
        periodos = Lista(EdPeriodos->text(), "Período de retorno", PeriodoMaximo);
    } catch (const std::exception&) {
        duracoes = duracoes_, periodos = periodos_;
    }
    TArquivoIni ini(arquivoIni_);
    ini.EmLote([&] {
        ini.WriteString(kSecaoCurvas, "Duracoes", EscreveListaDeValores(duracoes, '.'));
        ini.WriteString(kSecaoCurvas, "Periodos", EscreveListaDeValores(periodos, '.'));
        ini.WriteString(kSecaoCurvas, "Grandeza", MostraAltura() ? "P" : "I");
    });
}

void MostraCurvasIdf(QWidget* dono, const TLugarIdf& lugar, IAjuda* ajuda, const std::string& arquivoIni) {
    TfrmCurvasIdf janela(lugar, ajuda, arquivoIni, dono);
    janela.exec();
}
