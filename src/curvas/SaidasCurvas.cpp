// The IDF curves window's outputs: CSV, chart picture, printout, clipboard.
#include <QChart>
#include <QChartView>
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QFont>
#include <QGraphicsLayout>
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
#include "curvas/FolhaIdf.h"
#include "curvas/GraficoIdf.h"
#include "curvas/PaginaChuvaDeProjeto.h"
#include "curvas/TextosIdf.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"
#include "ui/TabelaSomenteLeitura.h"
#include "ui/TraducaoQt.h"

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
    return QStringList{T("Local;") + CampoCsv(lugar_.Nome.trimmed()),
            T("Estado;") + CampoCsv(lugar_.Estado),
            T("Latitude;") + CampoCsv(LatitudeComHemisferio(lugar_)),
            T("Longitude;") + CampoCsv(lugar_.Longitude + T(" W")),
            T("K;") + NumeroCsv(p.K, 6),
            T("a;") + NumeroCsv(p.a, 6),
            T("b;") + NumeroCsv(p.b, 6),
            T("c;") + NumeroCsv(p.c, 6),
            T("Fonte;") + CampoCsv(lugar_.Fonte),
            T("Equação;i = K·Tr^a/(t+b)^c (i em mm/h; Tr em anos; t em minutos)")}
           << LinhasDoAviso();
}

// The warning, the nearest stations and the note on values beyond the fitted
// ranges, as lines "Nome;valor" (only those that apply).
QStringList TfrmCurvasIdf::LinhasDoAviso() const {
    QStringList linhas;
    if (!lugar_.Aviso.isEmpty()) linhas << T("Aviso;") + CampoCsv(lugar_.Aviso);
    for (std::size_t i = 0; i < lugar_.Vizinhas.size(); ++i)
        linhas << T("Estação próxima %1;%2;%3 km")
                      .arg(i + 1)
                      .arg(CampoCsv(lugar_.Vizinhas[i].Nome), NumeroCsv(lugar_.Vizinhas[i].Km, 1));
    const QString nota = NotaDaTabela();
    if (!nota.isEmpty()) linhas << T("Nota;") + CampoCsv(nota);
    return linhas;
}

QChartView* TfrmCurvasIdf::GraficoDaPagina() const {
    if (Paginas->currentWidget() == ChuvaDeProjeto) return ChuvaDeProjeto->Grafico;
    if (auto* atual = qobject_cast<QChartView*>(Graficos->currentWidget())) return atual;
    return Grafico;
}

void TfrmCurvasIdf::ExportaCsv(const QString& caminho) const {
    QStringList linhas = LinhasDoLugar();
    if (Paginas->currentWidget() == ChuvaDeProjeto) {
        linhas.removeIf([](const QString& l) { return l.startsWith(QStringLiteral("Nota;")); });
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
    if (!lugar_.Intervalos.empty()) {
        linhas << QString() << T("Intervalo de 90% de i (mm/h), do ajuste da estação")
               << T("Tr (anos);t (min);inferior;superior");
        for (const TIntervaloIdf& i : lugar_.Intervalos)
            linhas << NumeroCsv(i.Tr, 0) + QLatin1Char(';') + NumeroCsv(i.Duracao, 2) + QLatin1Char(';') +
                          NumeroCsv(i.Inferior, 3) + QLatin1Char(';') + NumeroCsv(i.Superior, 3);
    }
    if (lugar_.Grade) linhas << LinhasCsvDaGrade();
    GravaCsv(caminho, linhas);
}

void TfrmCurvasIdf::ExportarCsvClick() {
    AplicaCampos();
    const QString caminho =
        EscolheArquivo(this, T("Exportar tabela"), T("Planilha CSV (*.csv);;Todos os arquivos (*)"), T("csv"));
    if (!caminho.isEmpty()) ExportaCsv(caminho);
}

// The saved chart carries its title: the place, the equation and the source
// (put back as it was once drawn).
void TfrmCurvasIdf::SalvaGrafico(const QString& caminho) const {
    QChart* grafico = GraficoDaPagina()->chart();
    const QString tituloAntes = grafico->title();
    const TParametrosIdf& par = lugar_.Parametros;
    QString titulo = T("<b>%1 (%2)</b><br>i = K·Tr<sup>a</sup>/(t+b)<sup>c</sup>: K = %3, a = %4, b = %5, c = %6"
                       "<br>Fonte: %7")
                         .arg(lugar_.Nome.trimmed().toHtmlEscaped(), lugar_.Estado.toHtmlEscaped(), NumeroGeral(par.K),
                              NumeroGeral(par.a), NumeroGeral(par.b), NumeroGeral(par.c), lugar_.Fonte.toHtmlEscaped());
    if (!tituloAntes.isEmpty()) titulo += T("<br>") + tituloAntes.toHtmlEscaped();
    grafico->setTitle(titulo);
    if (grafico->layout()) grafico->layout()->activate();
    struct TDevolve {
        QChart* g;
        QString t;
        ~TDevolve() {
            g->setTitle(t);
            if (g->layout()) g->layout()->activate();
        }
    } devolve{grafico, tituloAntes};
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
    AplicaCampos();
    const QString caminho = EscolheArquivo(this, T("Salvar gráfico"),
                                           T("Imagem PNG (*.png);;Desenho SVG (*.svg)"), T("png"));
    if (!caminho.isEmpty()) SalvaGrafico(caminho);
}

QString TfrmCurvasIdf::TextoDaSelecao() const {
    return ::TextoDaSelecao(Tabela, MostraAltura() ? T("t (min) \\ P (mm)") : T("t (min) \\ i (mm/h)"),
                            [this](int linha) { return NumeroGeral(duracoes_[static_cast<std::size_t>(linha)]); });
}

// The heading of every printed page: title, place, equation, warning.
QStringList TfrmCurvasIdf::CabecalhoImpresso(const QString& titulo) const {
    const TParametrosIdf& par = lugar_.Parametros;
    QStringList linhas{titulo + lugar_.Nome.trimmed() + T(" (") + lugar_.Estado + T(")"),
                       T("Latitude %1    Longitude %2 W").arg(LatitudeComHemisferio(lugar_), lugar_.Longitude),
                       T("i = K·Tr^a/(t+b)^c    K = %1    a = %2    b = %3    c = %4")
                           .arg(NumeroGeral(par.K), NumeroGeral(par.a), NumeroGeral(par.b), NumeroGeral(par.c))};
    if (!lugar_.Aviso.isEmpty()) linhas << T("Aviso: ") + lugar_.Aviso;
    return linhas;
}

QStringList TfrmCurvasIdf::RodapeImpresso() const {
    return {T("Fonte: ") + lugar_.Fonte, T("Tormel 2.1 - ") + DataDeHoje()};
}

void TfrmCurvasIdf::Imprime(QPrinter& impressora) const {
    if (Paginas->currentWidget() != ChuvaDeProjeto) {
        ImprimeCurvas(impressora);
        return;
    }
    TFolhaIdf folha(impressora, T("Chuva de projeto - ") + lugar_.Nome.trimmed(),
                    CabecalhoImpresso(T("Chuva de projeto - ")), RodapeImpresso());
    ChuvaDeProjeto->Imprime(folha);
    folha.Conclui();
}

// The place, the nearest stations, the table of the quantity shown over as
// many pages as it needs, the chart on a page of its own; heading and foot
// (source, date) on every page.
void TfrmCurvasIdf::ImprimeCurvas(QPrinter& impressora) const {
    TFolhaIdf folha(impressora, T("Curvas IDF - ") + lugar_.Nome.trimmed(), CabecalhoImpresso(T("Curvas IDF - ")),
                    RodapeImpresso());
    if (!lugar_.Vizinhas.empty()) {
        QStringList nomes;
        for (const TVizinhaIdf& v : lugar_.Vizinhas) nomes << T("%1, %2 km").arg(v.Nome, NumeroFixo(v.Km, 1));
        folha.Texto(T("Estações mais próximas: ") + nomes.join(T("; ")) + QLatin1Char('.'));
        folha.Espaco(2);
    }
    const bool altura = MostraAltura();
    folha.Texto(altura ? T("Altura de chuva P (mm) por duração t (min) e período de retorno Tr (anos)")
                       : T("Intensidade média i (mm/h) por duração t (min) e período de retorno Tr (anos)"));
    const QString nota = NotaDaTabela();
    if (!nota.isEmpty()) folha.Texto(T("Nota: ") + nota, false, QColor(160, 0, 0));
    folha.Espaco(1);
    QStringList titulos{T("t (min)")};
    for (double tr : periodos_) titulos << T("Tr = ") + NumeroGeral(tr);
    std::vector<QStringList> linhas;
    for (std::size_t i = 0; i < duracoes_.size(); ++i) {
        QStringList celulas{NumeroGeral(duracoes_[i])};
        for (const TValoresDeProjeto& v : tabela_.Valores[i])
            celulas << NumeroLegivel(altura ? v.Precipitacao : v.Intensidade, 1);
        linhas.push_back(std::move(celulas));
    }
    folha.Tabela(titulos, linhas);
    if (lugar_.Grade) ImprimeGrade(folha);
    folha.Grafico(Grafico);
    if (!lugar_.Intervalos.empty() && !altura) {
        // The band's values at one hour, for each return period of the table.
        QString faixa = T("Intervalo de 90% (faixa do gráfico) de i(Tr, 60 min):");
        for (double tr : periodos_)
            for (const TIntervaloIdf& i : lugar_.Intervalos)
                if (i.Tr == tr && i.Duracao == 60)
                    faixa += T("  Tr %1: %2 a %3 mm/h;").arg(NumeroGeral(tr), NumeroFixo(i.Inferior, 1), NumeroFixo(i.Superior, 1));
        folha.Texto(faixa);
    }
    folha.Conclui();
}

void TfrmCurvasIdf::ImprimirClick() {
    AplicaCampos();
    QPrinter impressora(QPrinter::HighResolution);
    QPrintDialog dialogo(&impressora, this);
    dialogo.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialogo.exec() == QDialog::Accepted) Imprime(impressora);
}
