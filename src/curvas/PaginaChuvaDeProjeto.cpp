#include "curvas/PaginaChuvaDeProjeto.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

#include "curvas/FolhaIdf.h"
#include "curvas/TextosIdf.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "ui/Aplicacao.h"
#include "ui/TabelaSomenteLeitura.h"

namespace {
QString T(const char* utf8) { return QString::fromUtf8(utf8); }

double Campo(const QLineEdit* edit, const char* item) {
    return LeValor(Utf8ToCp1252(edit->text().toStdString()), Ansi(item));
}

const char* const Colunas[] = {"Início (min)", "Fim (min)", "Altura (mm)", "Intensidade (mm/h)", "Acumulada (mm)"};
}  // namespace

TPaginaChuvaDeProjeto::TPaginaChuvaDeProjeto(const TLugarIdf& lugar, QWidget* parent)
    : QWidget(parent), lugar_(lugar) {
    EdTr = new QLineEdit(NumeroGeral(10));
    EdDuracao = new QLineEdit(NumeroGeral(120));
    EdPasso = new QLineEdit(NumeroGeral(10));
    EdPico = new QLineEdit(NumeroGeral(0.5));
    EdPico->setToolTip(T("Fração da duração total em que fica o bloco maior: 0 no início, 0,5 no centro, 1 no fim"));
    BtnCalcular = new QPushButton(T("Ca&lcular"));
    CbMetodo = new QComboBox;
    for (int m = 0; m < MetodosDeChuva; ++m)
        CbMetodo->addItem(QString::fromStdString(Cp1252ToUtf8(NomeDoMetodo(static_cast<TMetodoChuva>(m)))));
    BtnSwmm = new QPushButton(T("Para o S&WMM..."));
    BtnSwmm->setToolTip(T("Grava a chuva para o EPA SWMM: série temporal .dat, ou as seções [RAINGAGES] e "
                          "[TIMESERIES] para um .inp"));
    BtnHecHms = new QPushButton(T("Para o HEC-HM&S..."));
    BtnHecHms->setToolTip(T("Grava a chuva para o HEC-HMS: tempo (min) e fração acumulada da altura, em CSV"));
    auto* campos = new QFormLayout;
    campos->addRow(T("Méto&do:"), CbMetodo);
    campos->addRow(T("Período de &retorno Tr (anos):"), EdTr);
    campos->addRow(T("Duração &total D (min):"), EdDuracao);
    campos->addRow(T("Inter&valo Δt (min):"), EdPasso);
    campos->addRow(T("Posição do &pico (0 a 1):"), EdPico);
    auto* metodo = new QLabel(DescricaoDoMetodo(TMetodoChuva::BlocosAlternados));
    metodo->setWordWrap(true);
    auto* topo = new QHBoxLayout;
    topo->addLayout(campos);
    auto* direita = new QVBoxLayout;
    direita->addWidget(metodo);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(BtnCalcular);
    botoes->addWidget(BtnSwmm);
    botoes->addWidget(BtnHecHms);
    botoes->addStretch(1);
    direita->addLayout(botoes);
    connect(CbMetodo, &QComboBox::currentIndexChanged, metodo, [metodo](int m) {
        metodo->setText(DescricaoDoMetodo(static_cast<TMetodoChuva>(m)));
    });
    connect(BtnSwmm, &QPushButton::clicked, this, Protegido([this] { ExportarSwmmClick(); }));
    connect(BtnHecHms, &QPushButton::clicked, this, Protegido([this] { ExportarHecHmsClick(); }));
    topo->addLayout(direita, 1);

    Tabela = new QTableWidget(0, 5);
    QStringList titulos;
    for (const char* c : Colunas) titulos << T(c);
    Tabela->setHorizontalHeaderLabels(titulos);
    Tabela->verticalHeader()->hide();
    PreparaTabelaSomenteLeitura(Tabela);
    Grafico = new QChartView(new QChart);
    Grafico->setRenderHint(QPainter::Antialiasing);
    Grafico->chart()->legend()->setAlignment(Qt::AlignBottom);
    Grafico->setMinimumWidth(420);
    auto* divisor = new QSplitter;
    divisor->addWidget(Tabela);
    divisor->addWidget(Grafico);
    divisor->setStretchFactor(1, 1);
    divisor->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(divisor, 1);
    connect(BtnCalcular, &QPushButton::clicked, this, Protegido([this] { CalcularClick(); }));
    for (QLineEdit* e : {EdTr, EdDuracao, EdPasso, EdPico})
        connect(e, &QLineEdit::returnPressed, this, Protegido([this] { CalcularClick(); }));
    // Tab goes through the fields in the order they stand.
    const QList<QWidget*> ordem{CbMetodo, EdTr, EdDuracao, EdPasso, EdPico, BtnCalcular, BtnSwmm, BtnHecHms};
    for (qsizetype i = 1; i < ordem.size(); ++i) QWidget::setTabOrder(ordem[i - 1], ordem[i]);
}

void TPaginaChuvaDeProjeto::CalcularClick() {
    const double tr = Campo(EdTr, "Período de retorno");
    const double duracao = Campo(EdDuracao, "Duração total");
    const double passo = Campo(EdPasso, "Intervalo de tempo");
    const double pico = Campo(EdPico, "Posição do pico");
    const auto metodo = static_cast<TMetodoChuva>(std::max(0, CbMetodo->currentIndex()));
    hietograma_ = CalculaChuva(metodo, lugar_.Parametros, tr, duracao, passo, pico);
    metodo_ = metodo;
    Mostra();
}

void TPaginaChuvaDeProjeto::Mostra() {
    const auto& blocos = hietograma_.Blocos;
    Tabela->setRowCount(static_cast<int>(blocos.size()));
    for (std::size_t i = 0; i < blocos.size(); ++i) {
        const TBlocoDeChuva& b = blocos[i];
        const QString valores[] = {NumeroGeral(b.Inicio), NumeroGeral(b.Fim), NumeroFixo(b.Altura, 2),
                                   NumeroFixo(b.Intensidade, 1), NumeroFixo(b.Acumulada, 2)};
        for (int j = 0; j < 5; ++j) {
            auto* celula = new QTableWidgetItem(valores[j]);
            celula->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (static_cast<int>(i) == hietograma_.BlocoDoPico) {
                QFont f = celula->font();
                f.setBold(true);
                celula->setFont(f);
            }
            Tabela->setItem(static_cast<int>(i), j, celula);
        }
    }

    AjustaLarguraDaTabela(Tabela, 560);

    // The hyetograph as touching bars of the blocks' intensity, the
    // cumulative depth on the right axis.
    QChart* grafico = Grafico->chart();
    grafico->removeAllSeries();
    for (QAbstractAxis* eixo : grafico->axes()) {
        grafico->removeAxis(eixo);
        delete eixo;
    }
    auto* topo = new QLineSeries;
    auto* base = new QLineSeries;
    auto* acumulada = new QLineSeries;
    acumulada->append(0, 0);
    double maior = 0;
    for (const TBlocoDeChuva& b : blocos) {
        topo->append(b.Inicio, 0);
        topo->append(b.Inicio, b.Intensidade);
        topo->append(b.Fim, b.Intensidade);
        topo->append(b.Fim, 0);
        acumulada->append(b.Fim, b.Acumulada);
        maior = std::max(maior, b.Intensidade);
    }
    base->append(0, 0);
    base->append(hietograma_.Duracao, 0);
    auto* barras = new QAreaSeries(topo, base);
    barras->setName(T("Intensidade do bloco (mm/h)"));
    barras->setColor(QColor(120, 190, 255));
    barras->setBorderColor(QColor(20, 60, 140));
    acumulada->setName(T("Altura acumulada (mm)"));
    acumulada->setPen(QPen(QColor(214, 39, 40), 2));
    grafico->addSeries(barras);
    grafico->addSeries(acumulada);
    grafico->setTitle(T("Hietograma de projeto (%4): Tr = %1 anos, D = %2 min, Δt = %3 min")
                          .arg(NumeroGeral(hietograma_.Tr), NumeroGeral(hietograma_.Duracao),
                               NumeroGeral(hietograma_.Passo),
                               QString::fromStdString(Cp1252ToUtf8(NomeDoMetodo(metodo_)))));

    auto* eixoX = new QValueAxis;
    eixoX->setRange(0, hietograma_.Duracao);
    eixoX->setLabelFormat(QStringLiteral("%.0f"));
    eixoX->setTitleText(T("Tempo desde o início (min)"));
    auto* eixoI = new QValueAxis;
    eixoI->setRange(0, maior > 0 ? maior * 1.05 : 1);
    eixoI->applyNiceNumbers();
    eixoI->setLabelFormat(QStringLiteral("%.0f"));
    eixoI->setTitleText(T("Intensidade (mm/h)"));
    auto* eixoP = new QValueAxis;
    const double total = blocos.empty() ? 1 : blocos.back().Acumulada;
    eixoP->setRange(0, total > 0 ? total * 1.05 : 1);
    eixoP->applyNiceNumbers();
    eixoP->setLabelFormat(QStringLiteral("%.0f"));
    eixoP->setTitleText(T("Altura acumulada (mm)"));
    grafico->addAxis(eixoX, Qt::AlignBottom);
    grafico->addAxis(eixoI, Qt::AlignLeft);
    grafico->addAxis(eixoP, Qt::AlignRight);
    barras->attachAxis(eixoX);
    barras->attachAxis(eixoI);
    acumulada->attachAxis(eixoX);
    acumulada->attachAxis(eixoP);
}

QStringList TPaginaChuvaDeProjeto::LinhasCsv() const {
    const THietograma& h = hietograma_;
    const QString metodo = metodo_ == TMetodoChuva::BlocosAlternados
                               ? T("blocos alternados")
                               : CampoCsv(QString::fromStdString(Cp1252ToUtf8(NomeDoMetodo(metodo_))));
    QStringList linhas{T("Chuva de projeto;") + metodo,
                       T("Tr (anos);") + NumeroCsv(h.Tr, 2),
                       T("Duração total (min);") + NumeroCsv(h.Duracao, 2),
                       T("Intervalo (min);") + NumeroCsv(h.Passo, 2),
                       T("Posição do pico;") + NumeroCsv(h.PosicaoDoPico, 3)};
    const std::string nota = NotaDeExtrapolacao(h.Tr, h.Duracao);
    if (!nota.empty()) linhas << T("Nota;") + CampoCsv(QString::fromStdString(Cp1252ToUtf8(nota)));
    linhas << QString();
    QStringList titulos;
    for (const char* c : Colunas) titulos << T(c);
    linhas << titulos.join(QLatin1Char(';'));
    for (const TBlocoDeChuva& b : h.Blocos)
        linhas << QStringList{NumeroCsv(b.Inicio, 2), NumeroCsv(b.Fim, 2), NumeroCsv(b.Altura, 3),
                              NumeroCsv(b.Intensidade, 3), NumeroCsv(b.Acumulada, 3)}
                      .join(QLatin1Char(';'));
    return linhas;
}

// The storm's values, the hyetograph, and the table continued over as many
// pages as it takes with its headings on each page.
void TPaginaChuvaDeProjeto::Imprime(TFolhaIdf& folha) const {
    const THietograma& h = hietograma_;
    folha.Texto(T("Blocos alternados: Tr = %1 anos, D = %2 min, Δt = %3 min, pico em %4 de D")
                    .arg(NumeroGeral(h.Tr), NumeroGeral(h.Duracao), NumeroGeral(h.Passo), NumeroGeral(h.PosicaoDoPico)));
    const std::string nota = NotaDeExtrapolacao(h.Tr, h.Duracao);
    if (!nota.empty()) folha.Texto(T("Nota: ") + QString::fromStdString(Cp1252ToUtf8(nota)), false, QColor(160, 0, 0));
    folha.Grafico(Grafico, false);
    folha.Espaco(2);
    QStringList titulos;
    for (const char* c : Colunas) titulos << T(c);
    std::vector<QStringList> linhas;
    std::vector<bool> destaque;
    for (std::size_t i = 0; i < h.Blocos.size(); ++i) {
        const TBlocoDeChuva& b = h.Blocos[i];
        linhas.push_back({NumeroGeral(b.Inicio), NumeroGeral(b.Fim), NumeroFixo(b.Altura, 2),
                          NumeroFixo(b.Intensidade, 1), NumeroFixo(b.Acumulada, 2)});
        destaque.push_back(static_cast<int>(i) == h.BlocoDoPico);
    }
    folha.Tabela(titulos, linhas, 0, destaque);
}
