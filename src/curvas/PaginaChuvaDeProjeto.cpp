#include "curvas/PaginaChuvaDeProjeto.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
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

#include "curvas/TextosIdf.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "ui/Aplicacao.h"

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
    auto* campos = new QFormLayout;
    campos->addRow(T("Período de &retorno Tr (anos):"), EdTr);
    campos->addRow(T("Duração &total D (min):"), EdDuracao);
    campos->addRow(T("Inter&valo Δt (min):"), EdPasso);
    campos->addRow(T("Posição do &pico (0 a 1):"), EdPico);
    auto* metodo = new QLabel(T("Método dos blocos alternados: as alturas de chuva dos intervalos de Δt, "
                                "tiradas da curva P(Tr, t), dispostas da maior para a menor, alternadamente "
                                "depois e antes do pico."));
    metodo->setWordWrap(true);
    auto* topo = new QHBoxLayout;
    topo->addLayout(campos);
    auto* direita = new QVBoxLayout;
    direita->addWidget(metodo);
    direita->addWidget(BtnCalcular, 0, Qt::AlignLeft);
    topo->addLayout(direita, 1);

    Tabela = new QTableWidget(0, 5);
    QStringList titulos;
    for (const char* c : Colunas) titulos << T(c);
    Tabela->setHorizontalHeaderLabels(titulos);
    Tabela->verticalHeader()->hide();
    Tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabela->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
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
}

void TPaginaChuvaDeProjeto::CalcularClick() {
    const double tr = Campo(EdTr, "Período de retorno");
    const double duracao = Campo(EdDuracao, "Duração total");
    const double passo = Campo(EdPasso, "Intervalo de tempo");
    const double pico = Campo(EdPico, "Posição do pico");
    hietograma_ = CalculaHietograma(lugar_.Parametros, tr, duracao, passo, pico);
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
    grafico->setTitle(T("Hietograma de projeto: Tr = %1 anos, D = %2 min, Δt = %3 min")
                          .arg(NumeroGeral(hietograma_.Tr), NumeroGeral(hietograma_.Duracao),
                               NumeroGeral(hietograma_.Passo)));

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
    QStringList linhas{T("Chuva de projeto;blocos alternados"),
                       T("Tr (anos);") + NumeroCsv(h.Tr, 2),
                       T("Duração total (min);") + NumeroCsv(h.Duracao, 2),
                       T("Intervalo (min);") + NumeroCsv(h.Passo, 2),
                       T("Posição do pico;") + NumeroCsv(h.PosicaoDoPico, 3),
                       QString()};
    QStringList titulos;
    for (const char* c : Colunas) titulos << T(c);
    linhas << titulos.join(QLatin1Char(';'));
    for (const TBlocoDeChuva& b : h.Blocos)
        linhas << QStringList{NumeroCsv(b.Inicio, 2), NumeroCsv(b.Fim, 2), NumeroCsv(b.Altura, 3),
                              NumeroCsv(b.Intensidade, 3), NumeroCsv(b.Acumulada, 3)}
                      .join(QLatin1Char(';'));
    return linhas;
}

// The header, the hyetograph and the table, continued on as many pages as it
// takes, on A4 with 2 cm margins.
void TPaginaChuvaDeProjeto::Imprime(QPrinter& impressora, const QStringList& cabecalho, const QString& rodape) const {
    impressora.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                         QPageLayout::Millimeter));
    QPainter p;
    if (!p.begin(&impressora)) throw EInOutError(Ansi("Não foi possível iniciar a impressão."));
    const QRectF pagina(QPointF(0, 0), impressora.pageLayout().paintRectPixels(impressora.resolution()).size());
    const double mm = impressora.resolution() / 25.4;
    const QFont texto(T("DejaVu Sans"), 9), pequeno(T("DejaVu Sans"), 7);
    double y = 0;
    p.setFont(texto);
    for (const QString& linha : cabecalho) {
        const QRectF area(0, y, pagina.width(), pagina.height() - y);
        y += p.boundingRect(area, Qt::TextWordWrap, linha).height();
        p.drawText(area, Qt::TextWordWrap, linha);
    }
    y += 2 * mm;
    const double alturaGrafico = pagina.width() * 0.55;
    Grafico->render(&p, QRectF(0, y, pagina.width(), alturaGrafico));
    y += alturaGrafico + 3 * mm;

    const double largura = pagina.width() / 5;
    const double alturaLinha = QFontMetricsF(pequeno, &impressora).height() * 1.35;
    p.setPen(QPen(Qt::black, 0.15 * mm));
    const auto linha = [&](const QStringList& celulas, bool negrito) {
        if (y + alturaLinha > pagina.height() - alturaLinha) {
            impressora.newPage();
            y = 0;
        }
        QFont f = pequeno;
        f.setBold(negrito);
        p.setFont(f);
        for (int j = 0; j < celulas.size(); ++j) {
            const QRectF r(j * largura, y, largura, alturaLinha);
            p.drawRect(r);
            p.drawText(r.adjusted(0.8 * mm, 0, -0.8 * mm, 0), Qt::AlignRight | Qt::AlignVCenter, celulas[j]);
        }
        y += alturaLinha;
    };
    QStringList titulos;
    for (const char* c : Colunas) titulos << T(c);
    linha(titulos, true);
    for (std::size_t i = 0; i < hietograma_.Blocos.size(); ++i) {
        const TBlocoDeChuva& b = hietograma_.Blocos[i];
        linha({NumeroGeral(b.Inicio), NumeroGeral(b.Fim), NumeroFixo(b.Altura, 2), NumeroFixo(b.Intensidade, 1),
               NumeroFixo(b.Acumulada, 2)},
              static_cast<int>(i) == hietograma_.BlocoDoPico);
    }
    y += 2 * mm;
    p.setFont(texto);
    if (y + 2 * alturaLinha > pagina.height()) {
        impressora.newPage();
        y = 0;
    }
    p.drawText(QRectF(0, y, pagina.width(), pagina.height() - y), Qt::TextWordWrap, rodape);
    p.end();
}
