// The fitting window's outputs: every table as CSV, the printed report (the
// core's HTML with the three charts, A4 with 2 cm margins).
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QFileDialog>
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTextFrame>
#include <QUrl>
#include <fstream>

#include "ajuste/Ajuste.h"
#include "ajuste/RelatorioAjuste.h"
#include "ajusteui/FoAjusteEquacao.h"
#include "ajusteui/GraficosAjuste.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {

QString T(const char* utf8) { return QString::fromUtf8(utf8); }

// A chart drawn afresh at the picture's own size (the window's view may be
// any size), in a view that is never shown on screen.
QImage Imagem(QChart* grafico, QSize tamanho) {
    QChartView v(grafico);
    v.setAttribute(Qt::WA_DontShowOnScreen);
    v.setRenderHint(QPainter::Antialiasing);
    v.resize(tamanho);
    v.show();
    return v.grab().toImage();
}

}  // namespace

void TfrmAjusteEquacao::ExportaCsv(const QString& caminho) const {
    if (!Resultado()) return;
    const std::string destino = caminho.toStdString();
    const char decimal = QLocale().decimalPoint().at(0).toLatin1();
    const std::string texto = "\xEF\xBB\xBF" + Utf8(RelatorioCsv(*Resultado(), decimal == ',' ? ';' : ',', decimal));
    const std::string temporario = destino + ".tmp";
    {
        std::ofstream f(temporario, std::ios::binary | std::ios::trunc);
        f << texto;
        if (!f.flush()) {
            std::remove(temporario.c_str());
            throw EInOutError(Ansi("Não foi possível escrever ") + TextoDoCaminho(destino) + ".");
        }
    }
    if (std::rename(temporario.c_str(), destino.c_str()) != 0) {
        std::remove(temporario.c_str());
        throw EInOutError(Ansi("Não foi possível escrever ") + TextoDoCaminho(destino) + ".");
    }
}

void TfrmAjusteEquacao::ExportarCsvClick() {
    const QString caminho = QFileDialog::getSaveFileName(const_cast<TfrmAjusteEquacao*>(this), T("Exportar CSV"),
                                                         T("ajuste.csv"), T("CSV (*.csv)"));
    if (!caminho.isEmpty()) ExportaCsv(caminho);
}

void TfrmAjusteEquacao::Imprime(QPrinter& impressora) const {
    if (!Resultado()) return;
    impressora.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                         QPageLayout::Millimeter));
    impressora.setDocName(T("Ajuste de equação IDF"));
    QTextDocument doc;
    doc.setDefaultFont(QFont(T("DejaVu Sans"), 8));
    const QSize tamanho(900, 560);
    QChart* graficos[] = {GraficoMaximosAnuais(*Resultado()), GraficoProbabilidade(*Resultado()),
                          GraficoEquacaoAjustada(*Resultado())};
    QString figuras;
    for (int i = 0; i < 3; ++i) {
        const QString nome = T("grafico%1.png").arg(i);
        doc.addResource(QTextDocument::ImageResource, QUrl(nome), Imagem(graficos[i], tamanho));
        figuras += T("<p><img src=\"%1\" width=\"600\"></p>").arg(nome);
    }
    QString html = QString::fromStdString(Utf8(RelatorioHtml(*Resultado(), QLocale().decimalPoint().at(0).toLatin1())));
    html.replace(T("windows-1252"), T("utf-8"));
    const int h3 = html.indexOf(T("<h3>"));
    html.insert(h3 < 0 ? html.indexOf(T("</body>")) : h3, figuras);
    doc.setHtml(html);
    // The paper's margins are the printer's: the document adds none of its own.
    const QSizeF pagina = impressora.pageLayout().paintRectPixels(impressora.resolution()).size();
    doc.setPageSize(QSizeF(pagina.width() * 96.0 / impressora.resolution(), pagina.height() * 96.0 / impressora.resolution()));
    QTextFrameFormat raiz = doc.rootFrame()->frameFormat();
    raiz.setMargin(0);
    doc.rootFrame()->setFrameFormat(raiz);
    doc.print(&impressora);
}

void TfrmAjusteEquacao::ImprimirClick() {
    QPrinter impressora(QPrinter::HighResolution);
    QPrintDialog dialogo(&impressora, this);
    if (dialogo.exec() == QDialog::Accepted) Imprime(impressora);
}
