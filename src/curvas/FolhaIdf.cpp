#include "curvas/FolhaIdf.h"

#include <QChartView>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinter>

#include <algorithm>

#include "platform/Cp1252.h"
#include "platform/Erros.h"

TFolhaIdf::TFolhaIdf(QPrinter& impressora, const QString& documento, QStringList cabecalho, QStringList rodape)
    : impressora_(impressora),
      cabecalho_(std::move(cabecalho)),
      rodape_(std::move(rodape)),
      titulo_(QStringLiteral("DejaVu Sans"), 13, QFont::Bold),
      texto_(QStringLiteral("DejaVu Sans"), 9),
      pequeno_(QStringLiteral("DejaVu Sans"), 7) {
    impressora_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                          QPageLayout::Millimeter));
    impressora_.setDocName(documento);
    if (!p_.begin(&impressora_)) throw EInOutError(Ansi("Não foi possível iniciar a impressão."));
    ativo_ = true;
    pagina_ = QRectF(QPointF(0, 0), impressora_.pageLayout().paintRectPixels(impressora_.resolution()).size());
    mm_ = impressora_.resolution() / 25.4;
    double pe = 2 * mm_;
    for (const QString& linha : rodape_) pe += AlturaDoTexto(linha, pequeno_);
    limite_ = pagina_.height() - pe;
    Cabecalho();
}

TFolhaIdf::~TFolhaIdf() {
    if (ativo_) p_.end();
}

double TFolhaIdf::AlturaDoTexto(const QString& texto, const QFont& fonte) const {
    return QFontMetricsF(fonte, &impressora_)
        .boundingRect(QRectF(0, 0, pagina_.width(), 1e6), Qt::TextWordWrap, texto)
        .height();
}

void TFolhaIdf::Cabecalho() {
    y_ = 0;
    for (int i = 0; i < cabecalho_.size(); ++i) {
        Texto(cabecalho_[i], i == 0, i > 0 && cabecalho_[i].startsWith(QStringLiteral("Aviso:")) ? QColor(160, 0, 0)
                                                                                                 : QColor(Qt::black));
        if (i == 0) y_ += 1.5 * mm_;
    }
    y_ += 3 * mm_;
    Rodape();
}

void TFolhaIdf::Rodape() {
    double y = limite_ + 2 * mm_;
    p_.setPen(Qt::black);
    p_.setFont(pequeno_);
    for (int i = 0; i < rodape_.size(); ++i) {
        QString linha = rodape_[i];
        if (i == rodape_.size() - 1) linha += QString::fromUtf8(" - página %1").arg(paginas_);
        const QRectF area(0, y, pagina_.width(), pagina_.height() - y);
        p_.drawText(area, Qt::TextWordWrap, linha);
        y += AlturaDoTexto(linha, pequeno_);
    }
}

void TFolhaIdf::NovaPagina() {
    impressora_.newPage();
    ++paginas_;
    Cabecalho();
}

void TFolhaIdf::Texto(const QString& texto, bool negrito, const QColor& cor) {
    const QFont& fonte = negrito && y_ == 0 ? titulo_ : texto_;
    QFont f = fonte;
    f.setBold(negrito);
    const double altura = AlturaDoTexto(texto, f);
    if (y_ > 0 && !Cabe(altura)) NovaPagina();
    p_.setFont(f);
    p_.setPen(cor);
    p_.drawText(QRectF(0, y_, pagina_.width(), altura), Qt::TextWordWrap, texto);
    p_.setPen(Qt::black);
    y_ += altura;
}

void TFolhaIdf::Espaco(double mm) { y_ += mm * mm_; }

void TFolhaIdf::Tabela(const QStringList& titulos, const std::vector<QStringList>& linhas, int fixas,
                       const std::vector<bool>& destaque) {
    const int total = static_cast<int>(titulos.size());
    const double alturaLinha = QFontMetricsF(pequeno_, &impressora_).height() * 1.35;
    const int porGrupo = std::max(1, ColunasPorGrupo - fixas);
    for (int inicio = fixas; inicio < total || inicio == fixas; inicio += porGrupo) {
        std::vector<int> colunas;
        for (int j = 0; j < fixas; ++j) colunas.push_back(j);
        for (int j = inicio; j < std::min(total, inicio + porGrupo); ++j) colunas.push_back(j);
        const double largura = pagina_.width() / std::max<std::size_t>(colunas.size(), 6);
        const auto linha = [&](const QStringList& celulas, bool negrito) {
            QFont f = pequeno_;
            f.setBold(negrito);
            p_.setFont(f);
            p_.setPen(QPen(Qt::black, 0.15 * mm_));
            for (std::size_t k = 0; k < colunas.size(); ++k) {
                const QRectF r(static_cast<double>(k) * largura, y_, largura, alturaLinha);
                p_.drawRect(r);
                p_.drawText(r.adjusted(0.8 * mm_, 0, -0.8 * mm_, 0), Qt::AlignRight | Qt::AlignVCenter,
                            celulas.value(colunas[k]));
            }
            y_ += alturaLinha;
        };
        if (!Cabe(3 * alturaLinha)) NovaPagina();
        linha(titulos, true);
        for (std::size_t i = 0; i < linhas.size(); ++i) {
            if (!Cabe(alturaLinha)) {
                NovaPagina();
                linha(titulos, true);   // the headings again on each page
            }
            QStringList celulas = linhas[i];
            linha(celulas, i < destaque.size() && destaque[i]);
        }
        y_ += 3 * mm_;
        if (inicio + porGrupo >= total) break;
    }
}

void TFolhaIdf::Grafico(QChartView* grafico, bool paginaPropria) {
    const double proporcao = paginaPropria ? 0.8 : 0.55;
    if (paginaPropria || !Cabe(pagina_.width() * proporcao)) NovaPagina();
    const double altura = std::min(limite_ - y_, pagina_.width() * proporcao);
    const QRectF alvo(0, y_, pagina_.width(), altura);
    // A chart just redrawn lays out its legend and drops its old axes on
    // posted events: handled now, or the page would show the legend missing
    // and the old axis labels over the new ones.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    grafico->render(&p_, alvo);   // the chart's own proportions, centred in the space
    y_ += altura + 2 * mm_;
}

int TFolhaIdf::Conclui() {
    if (ativo_) p_.end();
    ativo_ = false;
    return paginas_;
}
