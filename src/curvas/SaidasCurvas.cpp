// The IDF curves window's outputs: CSV, chart picture, printout, clipboard.
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableWidget>

#include <algorithm>

#include "curvas/FoCurvasIdf.h"
#include "curvas/GraficoIdf.h"
#include "curvas/PaginaChuvaDeProjeto.h"
#include "curvas/TextosIdf.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

namespace {
QString T(const char* utf8) { return QString::fromUtf8(utf8); }

// A file dialog the program draws itself (the same on every desktop, and one
// a test can fill in).
QString EscolheArquivo(QWidget* dono, const QString& titulo, const QString& filtros, const QString& sufixo) {
    QFileDialog dialogo(dono, titulo, QString(), filtros);
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setDefaultSuffix(sufixo);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return QString();
    return dialogo.selectedFiles().front();
}
}  // namespace

QStringList TfrmCurvasIdf::LinhasDoLugar() const {
    const TParametrosIdf& p = lugar_.Parametros;
    return {T("Local;") + CampoCsv(lugar_.Nome.trimmed()),
            T("Estado;") + CampoCsv(lugar_.Estado),
            T("Latitude;") + CampoCsv(lugar_.Latitude + T(" S")),
            T("Longitude;") + CampoCsv(lugar_.Longitude + T(" W")),
            T("K;") + NumeroCsv(p.K, 6),
            T("a;") + NumeroCsv(p.a, 6),
            T("b;") + NumeroCsv(p.b, 6),
            T("c;") + NumeroCsv(p.c, 6),
            T("Fonte;") + CampoCsv(lugar_.Fonte),
            T("Equação;i = K·Tr^a/(t+b)^c (i em mm/h; Tr em anos; t em minutos)")};
}

QChartView* TfrmCurvasIdf::GraficoDaPagina() const {
    if (Paginas->currentWidget() == ChuvaDeProjeto) return ChuvaDeProjeto->Grafico;
    return Grafico;
}

void TfrmCurvasIdf::ExportaCsv(const QString& caminho) const {
    QStringList linhas = LinhasDoLugar();
    if (Paginas->currentWidget() == ChuvaDeProjeto) {
        GravaCsv(caminho, linhas << QString() << ChuvaDeProjeto->LinhasCsv());
        return;
    }
    const auto bloco = [&](const QString& titulo, bool altura) {
        linhas << QString() << titulo;
        QString cabecalho = T("t (min)");
        for (double tr : periodos_)
            cabecalho += T(";Tr = ") + QString::fromStdString(FloatToStr(tr, ',')) + T(" anos");
        linhas << cabecalho;
        for (std::size_t i = 0; i < duracoes_.size(); ++i) {
            QString linha = NumeroCsv(duracoes_[i], 2);
            for (const TValoresDeProjeto& v : tabela_.Valores[i])
                linha += QLatin1Char(';') + NumeroCsv(altura ? v.Precipitacao : v.Intensidade, 3);
            linhas << linha;
        }
    };
    bloco(T("Intensidade média i (mm/h)"), false);
    bloco(T("Altura de chuva P (mm)"), true);
    if (lugar_.Grade) linhas << LinhasCsvDaGrade();
    GravaCsv(caminho, linhas);
}

void TfrmCurvasIdf::ExportarCsvClick() {
    const QString caminho =
        EscolheArquivo(this, T("Exportar tabela"), T("Planilha CSV (*.csv);;Todos os arquivos (*)"), T("csv"));
    if (!caminho.isEmpty()) ExportaCsv(caminho);
}

void TfrmCurvasIdf::SalvaGrafico(const QString& caminho) const {
    const QSize tamanho(900, 600);
    bool ok = false;
    if (caminho.endsWith(T(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(caminho);
        svg.setSize(tamanho);
        svg.setViewBox(QRect(QPoint(0, 0), tamanho));
        svg.setTitle(T("Curvas IDF - ") + lugar_.Nome.trimmed());
        QPainter pintor;
        ok = pintor.begin(&svg);
        if (ok) {
            GraficoDaPagina()->render(&pintor, QRectF(QPointF(0, 0), tamanho));
            ok = pintor.end();
        }
    } else {
        QImage imagem(tamanho, QImage::Format_ARGB32);
        imagem.fill(Qt::white);
        QPainter pintor(&imagem);
        pintor.setRenderHint(QPainter::Antialiasing);
        GraficoDaPagina()->render(&pintor, QRectF(QPointF(0, 0), tamanho));
        pintor.end();
        ok = imagem.save(caminho, "PNG");
    }
    if (!ok)
        throw EInOutError(Ansi("Não foi possível gravar o arquivo \"") +
                          TextoDoCaminho(QFile::encodeName(caminho).toStdString()) + Ansi("\"."));
}

void TfrmCurvasIdf::SalvarGraficoClick() {
    const QString caminho = EscolheArquivo(this, T("Salvar gráfico"),
                                           T("Imagem PNG (*.png);;Desenho SVG (*.svg)"), T("png"));
    if (!caminho.isEmpty()) SalvaGrafico(caminho);
}

QString TfrmCurvasIdf::TextoDaSelecao() const {
    const auto faixas = Tabela->selectedRanges();
    if (faixas.isEmpty()) return QString();
    int topo = Tabela->rowCount(), base = -1, esquerda = Tabela->columnCount(), direita = -1;
    for (const auto& f : faixas) {
        topo = std::min(topo, f.topRow());
        base = std::max(base, f.bottomRow());
        esquerda = std::min(esquerda, f.leftColumn());
        direita = std::max(direita, f.rightColumn());
    }
    QString texto = MostraAltura() ? T("t (min) \\ P (mm)") : T("t (min) \\ i (mm/h)");
    for (int j = esquerda; j <= direita; ++j) texto += QLatin1Char('\t') + Tabela->horizontalHeaderItem(j)->text();
    texto += QLatin1Char('\n');
    for (int i = topo; i <= base; ++i) {
        texto += NumeroGeral(duracoes_[static_cast<std::size_t>(i)]);
        for (int j = esquerda; j <= direita; ++j) {
            const QTableWidgetItem* celula = Tabela->item(i, j);
            texto += QLatin1Char('\t') + (celula && celula->isSelected() ? celula->text() : QString());
        }
        texto += QLatin1Char('\n');
    }
    return texto;
}

void TfrmCurvasIdf::Imprime(QPrinter& impressora) const {
    if (Paginas->currentWidget() != ChuvaDeProjeto) {
        ImprimeCurvas(impressora);
        return;
    }
    const TParametrosIdf& par = lugar_.Parametros;
    impressora.setDocName(T("Chuva de projeto - ") + lugar_.Nome.trimmed());
    ChuvaDeProjeto->Imprime(
        impressora,
        {T("Chuva de projeto - ") + lugar_.Nome.trimmed() + T(" (") + lugar_.Estado + T(")"),
         T("Latitude %1 S    Longitude %2 W").arg(lugar_.Latitude, lugar_.Longitude),
         T("i = K·Tr^a/(t+b)^c    K = %1    a = %2    b = %3    c = %4")
             .arg(NumeroGeral(par.K), NumeroGeral(par.a), NumeroGeral(par.b), NumeroGeral(par.c))},
        T("Fonte: ") + lugar_.Fonte + T("\nTormel 2.1 - ") +
            QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
}

// One A4 page with 2 cm margins: the place and its parameters, the table of
// the quantity shown, the chart, the source and the date.
void TfrmCurvasIdf::ImprimeCurvas(QPrinter& impressora) const {
    impressora.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                         QPageLayout::Millimeter));
    impressora.setDocName(T("Curvas IDF - ") + lugar_.Nome.trimmed());
    QPainter p;
    if (!p.begin(&impressora)) throw EInOutError(Ansi("Não foi possível iniciar a impressão."));
    const QRectF pagina(QPointF(0, 0), impressora.pageLayout().paintRectPixels(impressora.resolution()).size());
    const double mm = impressora.resolution() / 25.4;
    double y = 0;

    QFont titulo(T("DejaVu Sans"), 13, QFont::Bold);
    QFont texto(T("DejaVu Sans"), 9);
    QFont pequeno(T("DejaVu Sans"), 7);
    const auto linha = [&](const QFont& fonte, const QString& s) {
        p.setFont(fonte);
        const QRectF area(0, y, pagina.width(), pagina.height() - y);
        const QRectF usado = p.boundingRect(area, Qt::TextWordWrap, s);
        p.drawText(area, Qt::TextWordWrap, s);
        y += usado.height();
    };
    const TParametrosIdf& par = lugar_.Parametros;
    linha(titulo, T("Curvas IDF - ") + lugar_.Nome.trimmed() + T(" (") + lugar_.Estado + T(")"));
    y += 1.5 * mm;
    linha(texto, T("Latitude %1 S    Longitude %2 W").arg(lugar_.Latitude, lugar_.Longitude));
    linha(texto, T("i = K·Tr^a/(t+b)^c    K = %1    a = %2    b = %3    c = %4")
                     .arg(NumeroGeral(par.K), NumeroGeral(par.a), NumeroGeral(par.b), NumeroGeral(par.c)));
    y += 3 * mm;
    const bool altura = MostraAltura();
    linha(texto, altura ? T("Altura de chuva P (mm) por duração t (min) e período de retorno Tr (anos)")
                        : T("Intensidade média i (mm/h) por duração t (min) e período de retorno Tr (anos)"));
    y += 1 * mm;

    // The table: a column of durations and one per return period.
    const int colunas = static_cast<int>(periodos_.size()) + 1;
    const double largura = pagina.width() / colunas;
    p.setFont(pequeno);
    const double alturaLinha = QFontMetricsF(pequeno, &impressora).height() * 1.35;
    const auto celula = [&](int coluna, const QString& s, bool negrito) {
        QFont f = pequeno;
        f.setBold(negrito);
        p.setFont(f);
        const QRectF r(coluna * largura, y, largura, alturaLinha);
        p.drawRect(r);
        p.drawText(r.adjusted(0.8 * mm, 0, -0.8 * mm, 0), Qt::AlignRight | Qt::AlignVCenter, s);
    };
    p.setPen(QPen(Qt::black, 0.15 * mm));
    celula(0, T("t (min)"), true);
    for (int j = 1; j < colunas; ++j) celula(j, T("Tr = ") + NumeroGeral(periodos_[static_cast<std::size_t>(j - 1)]), true);
    y += alturaLinha;
    for (std::size_t i = 0; i < duracoes_.size(); ++i) {
        celula(0, NumeroGeral(duracoes_[i]), true);
        for (std::size_t j = 0; j < periodos_.size(); ++j) {
            const TValoresDeProjeto& v = tabela_.Valores[i][j];
            celula(static_cast<int>(j) + 1, NumeroFixo(altura ? v.Precipitacao : v.Intensidade, 1), false);
        }
        y += alturaLinha;
    }
    y += 4 * mm;
    if (lugar_.Grade) y = ImprimeGrade(p, y, pagina.width(), alturaLinha, mm);

    // The chart in the space left above the foot lines.
    const double pe = 2 * QFontMetricsF(texto, &impressora).height() + 2 * mm;
    const double alturaGrafico = std::max(40 * mm, std::min(pagina.height() - y - pe, pagina.width() * 0.62));
    Grafico->render(&p, QRectF(0, y, pagina.width(), alturaGrafico));
    y += alturaGrafico + 2 * mm;
    linha(texto, T("Fonte: ") + lugar_.Fonte);
    linha(texto, T("Tormel 2.1 - ") + QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    p.end();
}

void TfrmCurvasIdf::ImprimirClick() {
    QPrinter impressora(QPrinter::HighResolution);
    QPrintDialog dialogo(&impressora, this);
    dialogo.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialogo.exec() == QDialog::Accepted) Imprime(impressora);
}
