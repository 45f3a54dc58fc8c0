// "Memorial de cálculo...": one A4 document (PDF through Qt's printing, 2 cm
// margins) of what was done for the place in this window: identification,
// equation, design table, chart, design storm, peak flow and date; every
// section says where its numbers came from.
#include <QApplication>
#include <QChartView>
#include <QResizeEvent>
#include <QDateTime>
#include <QFileDialog>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>

#include "curvas/FoCurvasIdf.h"
#include "curvas/GraficoIdf.h"
#include "curvas/PaginaChuvaDeProjeto.h"
#include "curvas/PaginaVazao.h"
#include "curvas/TextosIdf.h"
#include "database/Citacoes.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "report/FoRelatTormel.h"
#include "ui/TraducaoQt.h"

namespace {
QString T(const char* utf8) { return QString::fromUtf8(utf8); }
QString H(const QString& s) { return s.toHtmlEscaped(); }

// The chart drawn at a fixed size (960 x 540, twice the pixels for print),
// whatever the page it stands on shows now.
QImage Figura(QChartView* grafico) {
    const QSize antes = grafico->size();
    const bool oculto = !grafico->isVisible();
    // A hidden view takes its new size only when shown: the resize event is
    // sent here so that the chart lays itself out for the picture.
    const auto dimensiona = [grafico](const QSize& tamanho) {
        const QSize velho = grafico->size();
        grafico->resize(tamanho);
        QResizeEvent evento(tamanho, velho);
        QApplication::sendEvent(grafico, &evento);
    };
    if (oculto) dimensiona(QSize(960, 540));
    QImage imagem(1920, 1080, QImage::Format_ARGB32);
    imagem.fill(Qt::white);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    grafico->QGraphicsView::render(&p, QRectF(0, 0, 1920, 1080), grafico->viewport()->rect(), Qt::IgnoreAspectRatio);
    p.end();
    if (oculto) dimensiona(antes);
    return imagem;
}

QString TabelaHtml(const QStringList& titulos, const QList<QStringList>& linhas) {
    QString s = T("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\"><tr>");
    for (const QString& t : titulos) s += T("<th>") + H(t) + T("</th>");
    s += T("</tr>");
    for (const QStringList& l : linhas) {
        s += T("<tr>");
        for (const QString& c : l) s += T("<td align=\"right\">") + H(c) + T("</td>");
        s += T("</tr>");
    }
    return s + T("</table>");
}
}  // namespace

void TfrmCurvasIdf::ImprimeMemorial(QPrinter& impressora) const {
    impressora.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                         QPageLayout::Millimeter));
    const TParametrosIdf& p = lugar_.Parametros;
    QTextDocument doc;
    QString h = T("<h2>Memorial de cálculo: chuvas intensas</h2>");

    h += T("<h3>1. Identificação do local</h3><p>");
    h += T("Local: <b>%1</b> (%2)<br>Latitude %3, longitude %4 W<br>")
             .arg(H(lugar_.Nome.trimmed()), H(lugar_.Estado), H(LatitudeComHemisferio(lugar_)), H(lugar_.Longitude));
    const bool interpolado = lugar_.Fonte == T("Interpolação");
    if (interpolado) {
        h += T("Fonte: interpolação pela média ponderada pelo inverso da quinta potência da distância entre as "
               "estações (parâmetros calculados pelo Tormel 2.1 nas coordenadas acima).");
    } else {
        h += T("Fonte: ") + H(lugar_.Fonte);
        const int i = IndiceCitacao(lugar_.Fonte.toUtf8().constData());
        if (i >= 0) {
            const TCitacao& c = Citacoes[static_cast<std::size_t>(i)];
            QString autores = T(c.Autores);
            if (!autores.endsWith(QLatin1Char('.'))) autores += QLatin1Char('.');
            h += T(". ") + H(autores) + T(" <i>") + H(T(c.Titulo)) + T("</i>. ") + H(T(c.Publicacao));
        }
        if (const TCitacao* fonte = FonteDaCitacao(lugar_.Fonte.toUtf8().constData()))
            h += T(". ") + H(T(fonte->Autores)) + T(". ") + H(T(fonte->Publicacao));
        else h += T(" (parâmetros da estação, como publicados).");
    }
    h += T("</p><p>Aviso: ") + (lugar_.Aviso.isEmpty() ? T("nenhum.") : H(lugar_.Aviso)) + T("</p>");
    if (!lugar_.Vizinhas.empty()) {
        QStringList nomes;
        for (const TVizinhaIdf& v : lugar_.Vizinhas) nomes << T("%1, %2 km").arg(v.Nome, QLocale().toString(v.Km, 'f', 1));
        h += T("<p>Cinco estações mais próximas (distância geodésica): ") + H(nomes.join(T("; "))) + T(".</p>");
    }

    h += T("<h3>2. Equação de chuvas intensas</h3><p>i = K·Tr<sup>a</sup>/(t+b)<sup>c</sup>, com i em mm/h, Tr em "
           "anos e t em minutos; a altura de chuva é P = i·t/60 (mm).<br>K = %1, a = %2, b = %3, c = %4 (da fonte "
           "acima).</p>")
             .arg(NumeroGeral(p.K), NumeroGeral(p.a), NumeroGeral(p.b), NumeroGeral(p.c));

    h += T("<h3>3. Tabela de projeto</h3><p>Intensidade média i (mm/h) pela equação do item 2 em cada duração t e "
           "período de retorno Tr.</p>");
    QStringList titulos{T("t (min)")};
    for (double tr : periodos_) titulos << T("Tr %1 anos").arg(NumeroGeral(tr));
    QList<QStringList> linhas;
    for (std::size_t i = 0; i < duracoes_.size() && i < tabela_.Valores.size(); ++i) {
        QStringList l{NumeroGeral(duracoes_[i])};
        for (const TValoresDeProjeto& v : tabela_.Valores[i]) l << NumeroFixo(v.Intensidade, 1);
        linhas << l;
    }
    h += TabelaHtml(titulos, linhas);
    doc.addResource(QTextDocument::ImageResource, QUrl(T("memorial://curvas.png")), Figura(Grafico));
    h += T("<h3>4. Curvas IDF</h3><p>As curvas da tabela do item 3 (equação do item 2).</p>"
           "<p><img src=\"memorial://curvas.png\" width=\"620\" height=\"349\"></p>");

    h += T("<h3>5. Chuva de projeto</h3>");
    const THietograma& c = ChuvaDeProjeto->Hietograma();
    if (c.Blocos.empty()) {
        h += T("<p>Nenhuma chuva de projeto foi calculada.</p>");
    } else {
        h += T("<p>Método: %1. Tr = %2 anos, duração total D = %3 min, intervalo Δt = %4 min%5. Altura total "
               "P(Tr, D) = %6 mm, da equação do item 2.</p><p>%7</p>")
                 .arg(H(QString::fromStdString(Cp1252ToUtf8(NomeDoMetodo(ChuvaDeProjeto->Metodo())))),
                      NumeroGeral(c.Tr), NumeroGeral(c.Duracao), NumeroGeral(c.Passo),
                      QuartilDeHuff(ChuvaDeProjeto->Metodo()) == 0
                          ? T(", pico em r = %1 de D").arg(NumeroGeral(c.PosicaoDoPico))
                          : QString(),
                      NumeroFixo(c.Blocos.back().Acumulada, 2), H(DescricaoDoMetodo(ChuvaDeProjeto->Metodo())));
        QList<QStringList> blocos;
        for (const TBlocoDeChuva& b : c.Blocos)
            blocos << QStringList{NumeroGeral(b.Inicio), NumeroGeral(b.Fim), NumeroFixo(b.Altura, 2),
                                  NumeroFixo(b.Intensidade, 1), NumeroFixo(b.Acumulada, 2)};
        doc.addResource(QTextDocument::ImageResource, QUrl(T("memorial://chuva.png")), Figura(ChuvaDeProjeto->Grafico));
        h += T("<p><img src=\"memorial://chuva.png\" width=\"620\" height=\"349\"></p>");
        h += TabelaHtml({T("Início (min)"), T("Fim (min)"), T("Altura (mm)"), T("Intensidade (mm/h)"),
                     T("Acumulada (mm)")},
                    blocos);
    }

    h += T("<h3>6. Vazão de projeto</h3>");
    h += Vazao->Vazao() ? T("<p>") + Vazao->TextoDoCalculo() + T("</p>")
                        : T("<p>Nenhuma vazão de projeto foi calculada.</p>");

    h += T("<p><br>Tormel 2.1, %1.</p>").arg(DataDeHoje());
    doc.setHtml(h);
    PaginaParaImpressao(doc, impressora);
    doc.print(&impressora);
}

void TfrmCurvasIdf::MemorialClick() {
    QFileDialog dialogo(this, T("Memorial de cálculo"), QString(), T("Documento PDF (*.pdf)"));
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setDefaultSuffix(T("pdf"));
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return;
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(dialogo.selectedFiles().front());
    ImprimeMemorial(impressora);
}
