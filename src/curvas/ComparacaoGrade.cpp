// The curves window beside the national grid: the grid's table under the
// place's, its curves dashed in the chart, the cell's R² and KS p-value and
// the relative difference of i(10, 60) in the header, the CSV and the print.
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

#include "curvas/FoCurvasIdf.h"
#include "curvas/FolhaIdf.h"
#include "curvas/GraficoIdf.h"
#include "curvas/TextosIdf.h"
#include "model/EquacaoIdf.h"
#include "platform/Erros.h"
#include "ui/Aplicacao.h"
#include "ui/Janelas.h"
#include "ui/TabelaSomenteLeitura.h"

namespace {
QString T(const char* utf8) { return QString::fromUtf8(utf8); }

std::optional<double> I10x60(const TParametrosIdf& p) {
    try {
        const double i = ValoresDeProjeto(p.K, p.a, p.b, p.c, 10, 60).Intensidade;
        if (std::isfinite(i)) return i;
    } catch (const EMathError&) {
    }
    return std::nullopt;
}

QString Numero(double v, int decimais) { return std::isnan(v) ? T("—") : NumeroFixo(v, decimais); }
}  // namespace

void TfrmCurvasIdf::MontaComparacao() {
    if (!lugar_.Grade) return;
    QString cabecalho = Cabecalho->text();
    Cabecalho->setText(cabecalho + TextoDaGradeHtml() +
                       T(" &nbsp;<a href=\"gridf-br\">Sobre a grade GRIDF-BR...</a>"));
    Cabecalho->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);
    connect(Cabecalho, &QLabel::linkActivated, this,
            Protegido([this] { AutorClickComLegenda(this, T(FonteDaGradeNacional)); }));
    if (!ComparaGrade()) return;
    Grafico->DefineComparacao(lugar_.Grade->Parametros, T("grade"));
    auto* divisor = qobject_cast<QSplitter*>(Tabela->parentWidget());
    if (!divisor) return;
    auto* coluna = new QWidget;
    auto* layout = new QVBoxLayout(coluna);
    layout->setContentsMargins(0, 0, 0, 0);
    divisor->replaceWidget(0, coluna);
    RotuloGrade = new QLabel(T("Grade nacional GRIDF-BR (%1; curvas tracejadas):").arg(lugar_.Grade->Desagregacao));
    TabelaGrade = new QTableWidget;
    PreparaTabelaSomenteLeitura(TabelaGrade, [this] {
        return ::TextoDaSelecao(TabelaGrade, MostraAltura() ? T("t (min) \\ P (mm)") : T("t (min) \\ i (mm/h)"),
                                [this](int linha) { return NumeroGeral(duracoes_[static_cast<std::size_t>(linha)]); });
    });
    TabelaGrade->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TabelaGrade->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(Tabela, 1);
    layout->addWidget(RotuloGrade);
    layout->addWidget(TabelaGrade, 1);
    Tabela->show();
}

void TfrmCurvasIdf::PreencheTabelaGrade() {
    if (!TabelaGrade) return;
    if (tabelaGrade_.Duracoes != duracoes_ || tabelaGrade_.Periodos != periodos_)
        tabelaGrade_ = CalculaTabelaIdf(lugar_.Grade->Parametros, duracoes_, periodos_);
    const bool altura = MostraAltura();
    TabelaGrade->clear();
    TabelaGrade->setRowCount(Tabela->rowCount());
    TabelaGrade->setColumnCount(Tabela->columnCount());
    for (int j = 0; j < Tabela->columnCount(); ++j)
        TabelaGrade->setHorizontalHeaderItem(j, new QTableWidgetItem(Tabela->horizontalHeaderItem(j)->text()));
    for (int i = 0; i < Tabela->rowCount(); ++i)
        TabelaGrade->setVerticalHeaderItem(i, new QTableWidgetItem(Tabela->verticalHeaderItem(i)->text()));
    for (std::size_t i = 0; i < duracoes_.size(); ++i)
        for (std::size_t j = 0; j < periodos_.size(); ++j) {
            const TValoresDeProjeto& v = tabelaGrade_.Valores[i][j];
            auto* celula = new QTableWidgetItem(NumeroFixo(altura ? v.Precipitacao : v.Intensidade, 1));
            celula->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            TabelaGrade->setItem(static_cast<int>(i), static_cast<int>(j), celula);
        }
    AjustaLarguraDaTabela(TabelaGrade, 620);
    TabelaGrade->setToolTip(Tabela->toolTip() + T(" da grade nacional"));
}

// Plain lines: the grid's parameters, the cell's fit and, beside the
// place's values, i(10, 60) of both and their relative difference.
QStringList TfrmCurvasIdf::LinhasDaGrade() const {
    const TGradeDoLugar& g = *lugar_.Grade;
    const TParametrosIdf& p = g.Parametros;
    QStringList linhas;
    linhas << T("Grade nacional GRIDF-BR, desagregação %1; célula de centro %2%3")
                  .arg(g.Desagregacao, g.Celula,
                       g.DaVizinha ? T(" (vizinha: a célula do ponto não tem valor)") : QString());
    if (g.Comparar)
        linhas << T("Grade: K = %1    a = %2    b = %3    c = %4")
                      .arg(NumeroGeral(p.K), NumeroGeral(p.a), NumeroGeral(p.b), NumeroGeral(p.c));
    linhas << T("R² do ajuste da célula = %1    valor-p do teste de Kolmogorov-Smirnov = %2")
                  .arg(Numero(g.R2, 3), Numero(g.KsP, 3));
    if (g.Comparar) {
        const auto il = I10x60(lugar_.Parametros), ig = I10x60(p);
        QString dif = T("—");
        if (il && ig && *il != 0) dif = NumeroFixo(100 * (*ig - *il) / *il, 1) + T(" %");
        linhas << T("i(10, 60): lugar %1 mm/h, grade %2 mm/h; diferença relativa da grade %3")
                      .arg(il ? NumeroFixo(*il, 1) : T("—"), ig ? NumeroFixo(*ig, 1) : T("—"), dif);
    }
    return linhas;
}

QString TfrmCurvasIdf::TextoDaGradeHtml() const {
    QString html;
    for (const QString& l : LinhasDaGrade()) html += T("<br>") + l.toHtmlEscaped();
    return T("<span style=\"color:#204a87\">%1</span>").arg(html);
}

QStringList TfrmCurvasIdf::LinhasCsvDaGrade() const {
    const TGradeDoLugar& g = *lugar_.Grade;
    const TParametrosIdf& p = g.Parametros;
    QStringList linhas;
    linhas << QString() << T("Grade nacional;GRIDF-BR") << T("Desagregação;") + g.Desagregacao
           << T("Célula;") + CampoCsv(g.Celula + (g.DaVizinha ? T(" (vizinha)") : QString()));
    if (g.Comparar)
        linhas << T("grade K;") + NumeroCsv(p.K, 6) << T("grade a;") + NumeroCsv(p.a, 6)
               << T("grade b;") + NumeroCsv(p.b, 6) << T("grade c;") + NumeroCsv(p.c, 6);
    linhas << T("R²;") + (std::isnan(g.R2) ? QString() : NumeroCsv(g.R2, 6))
           << T("Valor-p KS;") + (std::isnan(g.KsP) ? QString() : NumeroCsv(g.KsP, 6));
    if (!g.Comparar) return linhas;
    const auto il = I10x60(lugar_.Parametros), ig = I10x60(p);
    linhas << T("Diferença relativa de i(10, 60);") +
                  (il && ig && *il != 0 ? NumeroCsv((*ig - *il) / *il, 6) : QString());
    for (bool altura : {false, true}) {
        linhas << QString() << (altura ? T("Grade: altura de chuva P (mm)") : T("Grade: intensidade média i (mm/h)"));
        QString cabecalho = T("t (min)");
        for (double tr : periodos_) cabecalho += T(";Tr = ") + NumeroGeral(tr).replace('.', ',') + T(" anos");
        linhas << cabecalho;
        for (std::size_t i = 0; i < duracoes_.size() && i < tabelaGrade_.Valores.size(); ++i) {
            QString linha = NumeroCsv(duracoes_[i], 2);
            for (const TValoresDeProjeto& v : tabelaGrade_.Valores[i])
                linha += QLatin1Char(';') + NumeroCsv(altura ? v.Precipitacao : v.Intensidade, 3);
            linhas << linha;
        }
    }
    return linhas;
}

// The grid's lines and, beside the place, its table as the place's is
// printed (continued over pages with its headings).
void TfrmCurvasIdf::ImprimeGrade(TFolhaIdf& folha) const {
    folha.Espaco(2);
    for (const QString& s : LinhasDaGrade()) folha.Texto(s);
    if (!ComparaGrade()) return;
    const bool altura = MostraAltura();
    folha.Espaco(1);
    folha.Texto(altura ? T("Grade nacional GRIDF-BR: altura de chuva P (mm)")
                       : T("Grade nacional GRIDF-BR: intensidade média i (mm/h)"),
                true);
    QStringList titulos{T("t (min)")};
    for (double tr : periodos_) titulos << T("Tr = ") + NumeroGeral(tr);
    std::vector<QStringList> linhas;
    for (std::size_t i = 0; i < duracoes_.size() && i < tabelaGrade_.Valores.size(); ++i) {
        QStringList celulas{NumeroGeral(duracoes_[i])};
        for (const TValoresDeProjeto& v : tabelaGrade_.Valores[i])
            celulas << NumeroLegivel(altura ? v.Precipitacao : v.Intensidade, 1);
        linhas.push_back(std::move(celulas));
    }
    folha.Tabela(titulos, linhas);
}
