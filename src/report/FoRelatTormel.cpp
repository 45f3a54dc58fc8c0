#include "report/FoRelatTormel.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QScreen>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTextBrowser>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>
#include <algorithm>
#include <memory>

#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "report/DadosConsulta.h"
#include "report/GeradorRelatorio.h"
#include "ui/Aplicacao.h"
#include "report/LimitesJanela.h"
#include "ui/FoConsulta.h"
#include "ui/Janelas.h"

namespace {

const char* const kTitulo =
    "Relatório - Parâmetros da Equação de Intensidade, Duração e Frequência da Precipitação";

// The two 16 x 16 pictures of the tool bar: a printer and a closing cross.
QIcon IconeImprimir() {
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setPen(Qt::black);
    g.setBrush(Qt::white);
    g.drawRect(4, 1, 8, 5);           // paper
    g.setBrush(QColor(160, 160, 160));
    g.drawRect(1, 6, 14, 6);          // body
    g.setBrush(Qt::white);
    g.drawRect(4, 10, 8, 5);          // sheet out
    return QIcon(p);
}

QIcon IconeFechar() {
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(180, 0, 0), 2.5));
    g.drawLine(3, 3, 13, 13);
    g.drawLine(13, 3, 3, 13);
    return QIcon(p);
}

QSize TamanhoDaTela() {
    const QScreen* tela = QGuiApplication::primaryScreen();
    return tela ? tela->size() : QSize(1024, 768);
}

}  // namespace

TfrmFoRelatTormel::TfrmFoRelatTormel(QWidget* dono, std::function<TDadosRelatorio()> dados)
    : QDialog(dono), dados_(std::move(dados)), impressora_(QPrinter::HighResolution) {
    setObjectName("frmFoRelatTormel");
    setWindowTitle(QString::fromUtf8(kTitulo));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(QFont("MS Sans Serif", 8));

    toolBar1_ = new QToolBar(this);
    toolBar1_->setObjectName("ToolBar1");
    toolBar1_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolBar1_->setIconSize(QSize(16, 16));
    toolBar1_->setMovable(false);

    ToolButton1 = new QToolButton(toolBar1_);
    ToolButton1->setObjectName("ToolButton1");
    ToolButton1->setText("&Imprimir");
    ToolButton1->setToolTip("Imprimir");
    ToolButton1->setIcon(IconeImprimir());
    BFechar = new QToolButton(toolBar1_);
    BFechar->setObjectName("BFechar");
    BFechar->setText("Fechar");
    BFechar->setToolTip("Fechar");
    BFechar->setIcon(IconeFechar());
    for (QToolButton* botao : {ToolButton1, BFechar}) {
        botao->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        botao->setAutoRaise(true);
        botao->setMinimumSize(48, 36);
        toolBar1_->addWidget(botao);
    }
    connect(ToolButton1, &QToolButton::clicked, this, Protegido([this] { ToolButton1Click(); }));
    connect(BFechar, &QToolButton::clicked, this, Protegido([this] { BFecharClick(); }));

    Viewer = new QTextBrowser(this);
    Viewer->setObjectName("Viewer");
    Viewer->setOpenLinks(false);
    Viewer->setTextInteractionFlags(Qt::TextBrowserInteraction);
    QPalette paleta = Viewer->palette();
    paleta.setColor(QPalette::Base, Qt::white);
    paleta.setColor(QPalette::Text, Qt::black);
    Viewer->setPalette(paleta);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar1_);
    layout->addWidget(Viewer, 1);

    impressora_.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);

    // FormCreate: size limits from the screen; design size 640 x 480.
    const TLimitesJanela limites = LimitesDaTela(TamanhoDaTela());
    setMinimumSize(limites.Minimo);
    setMaximumSize(limites.Maximo);
    resize(640, 480);
    tamanhoNormal_ = size();
    setWindowState(Qt::WindowMaximized);
}

TfrmFoRelatTormel::~TfrmFoRelatTormel() {
    // FormDestroy: the marked map goes with the window, and so does its
    // folder; nothing else is deleted (rmdir leaves a folder that is not empty).
    if (pastaDoMapa_.isEmpty()) return;
    if (mapaGravado_) QFile::remove(pastaDoMapa_ + '/' + QString::fromLatin1(NomeImagemMapa));
    QDir().rmdir(pastaDoMapa_);
}

void TfrmFoRelatTormel::FormActivate() {
    TDadosRelatorio dados = dados_();
    if (pastaDoMapa_.isEmpty() && dados.MapaVisivel) {
        QTemporaryDir pasta(QDir::tempPath() + QStringLiteral("/tormel21-relatorio-XXXXXX"));
        if (!pasta.isValid())
            throw EInOutError(Ansi("Não foi possível gravar o arquivo ") + NomeImagemMapa +
                              Ansi(": não foi possível criar uma pasta temporária em ") +
                              TextoDoCaminho(QFile::encodeName(QDir::tempPath()).toStdString()));
        pasta.setAutoRemove(false);
        pastaDoMapa_ = pasta.path();
    }
    if (dados.MapaVisivel) mapaGravado_ = true;
    // The whole document is built before anything is shown: an error leaves
    // the viewer with what it showed before.
    const AnsiString html = GeraRelatorio(dados, pastaDoMapa_);
    const QString texto = QString::fromStdString(Cp1252ToUtf8(html));

    // A fresh document every time, so no image of an earlier "Bit.bmp" is
    // served from the old document's cache. Its parent is the viewer, which
    // loads the images it names.
    auto* documento = new QTextDocument(Viewer);
    documento->setDefaultFont(QFont("Times New Roman"));
    // "Bit.bmp" is looked for in the window's own folder only.
    if (!pastaDoMapa_.isEmpty()) documento->setBaseUrl(QUrl::fromLocalFile(pastaDoMapa_ + '/'));
    Viewer->setSearchPaths(pastaDoMapa_.isEmpty() ? QStringList() : QStringList{pastaDoMapa_});
    documento->setHtml(texto);
    Viewer->setDocument(documento);
    delete documento_;
    documento_ = documento;
    Viewer->moveCursor(QTextCursor::Start);
    Viewer->ensureCursorVisible();
}

void TfrmFoRelatTormel::ToolButton1Click() {
    QPrintDialog dialogo(&impressora_, this);
    dialogo.setMinMax(1, 9999);
    if (dialogo.exec() != QDialog::Accepted) return;
    if (dialogo.printRange() == QAbstractPrintDialog::PageRange)
        Imprime(impressora_, dialogo.fromPage(), dialogo.toPage());
    else
        Imprime(impressora_, 1, 9999);
}

void TfrmFoRelatTormel::Imprime(QPrinter& impressora, int primeira, int ultima) {
    // What the viewer shows, named after the document's title.
    const QTextDocument* documento = Viewer->document();
    impressora.setDocName(documento->metaInformation(QTextDocument::DocumentTitle));
    impressora.setFromTo(primeira, ultima);
    impressora.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    // A copy laid out on the printer's page: with a page size of its own the
    // document adds no margins of its own to the printer's. Its parent is the
    // viewer's document, through which it loads the images.
    std::unique_ptr<QTextDocument> copia(documento->clone(const_cast<QTextDocument*>(documento)));
    PaginaParaImpressao(*copia, impressora);
    copia->print(&impressora);
}

namespace {

// The picture at this position of the document at `fator` times its size.
void EscalaFigura(QTextDocument& documento, int posicao, qreal fator) {
    QTextCursor cursor(&documento);
    cursor.setPosition(posicao);
    cursor.setPosition(posicao + 1, QTextCursor::KeepAnchor);
    QTextImageFormat figura = cursor.charFormat().toImageFormat();
    if (!figura.isValid()) return;
    figura.setWidth(figura.width() * fator);
    figura.setHeight(figura.height() * fator);
    cursor.setCharFormat(figura);
}

}  // namespace

void PaginaParaImpressao(QTextDocument& documento, const QPagedPaintDevice& impressora) {
    // The document's units are the screen's pixels, in which its pictures are
    // sized; the printer's page in those units.
    const QScreen* tela = QGuiApplication::primaryScreen();
    const qreal dpi = tela ? qRound(tela->logicalDotsPerInchX()) : 96;
    const QSizeF pagina(impressora.width() * dpi / impressora.logicalDpiX(),
                        impressora.height() * dpi / impressora.logicalDpiY());
    documento.setDocumentMargin(0);
    documento.setPageSize(pagina);

    // A picture wider than the text column (the 550-pixel header on narrow
    // paper) is scaled down into it, keeping its proportions.
    for (QTextBlock bloco = documento.begin(); bloco.isValid(); bloco = bloco.next())
        for (auto it = bloco.begin(); !it.atEnd(); ++it) {
            const QTextImageFormat figura = it.fragment().charFormat().toImageFormat();
            if (figura.isValid() && figura.width() > pagina.width())
                EscalaFigura(documento, it.fragment().position(), pagina.width() / figura.width());
        }

    // The map's heading stands on the page of the map: when the map does not
    // fit below it, the heading goes to the next page; on paper too short for
    // both, the map is first scaled down until they fit on one page. (The
    // heading is searched from the end: a place name cannot stand after it.)
    const QTextCursor titulo = documento.find(QString::fromUtf8("MAPA DE LOCALIZAÇÃO:"),
                                              documento.characterCount() - 1, QTextDocument::FindBackward);
    if (titulo.isNull()) return;
    int posicaoDoMapa = -1;
    QTextBlock blocoDoMapa;
    for (QTextBlock bloco = titulo.block().next(); bloco.isValid() && posicaoDoMapa < 0; bloco = bloco.next())
        for (auto it = bloco.begin(); !it.atEnd() && posicaoDoMapa < 0; ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                posicaoDoMapa = it.fragment().position();
                blocoDoMapa = bloco;
            }
    if (posicaoDoMapa < 0) return;
    QAbstractTextDocumentLayout* leiaute = documento.documentLayout();
    const auto paginaDe = [&](const QTextBlock& b) {
        return static_cast<int>(leiaute->blockBoundingRect(b).top() / pagina.height());
    };
    const qreal conjunto =
        leiaute->blockBoundingRect(blocoDoMapa).bottom() - leiaute->blockBoundingRect(titulo.block()).top();
    const qreal alturaDoMapa = leiaute->blockBoundingRect(blocoDoMapa).height();
    if (conjunto > pagina.height() && alturaDoMapa > 0)   // heading and map taller than a page
        EscalaFigura(documento, posicaoDoMapa, (pagina.height() - (conjunto - alturaDoMapa)) / alturaDoMapa);
    QTextBlockFormat formato = titulo.blockFormat();
    // A page break before the heading; should the spacing at the top of the
    // new page still leave the map too tall, the map shrinks by steps.
    for (int passo = 0; passo < 10 && paginaDe(titulo.block()) != paginaDe(blocoDoMapa); ++passo) {
        if (formato.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) {
            EscalaFigura(documento, posicaoDoMapa, 0.95);
        } else {
            formato.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(titulo.block()).setBlockFormat(formato);
        }
    }
}

void TfrmFoRelatTormel::BFecharClick() { close(); }

bool TfrmFoRelatTormel::event(QEvent* evento) {
    // Every display of the window (the first included) builds the report
    // anew, once the window is up; an error then goes to the program's error
    // box while the window stays open.
    if (evento->type() == QEvent::Show && !evento->spontaneous())
        QMetaObject::invokeMethod(
            this, [this] { ExecutaProtegido([this] { FormActivate(); }); }, Qt::QueuedConnection);
    return QDialog::event(evento);
}

void TfrmFoRelatTormel::changeEvent(QEvent* evento) {
    QDialog::changeEvent(evento);
    if (evento->type() != QEvent::WindowStateChange) return;
    const auto* mudanca = static_cast<QWindowStateChangeEvent*>(evento);
    const bool restaurada = (mudanca->oldState() & (Qt::WindowMaximized | Qt::WindowMinimized)) &&
                            !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    if (restaurada) CentraNaTela();
}

void TfrmFoRelatTormel::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        tamanhoNormal_ = evento->size();
}

void TfrmFoRelatTormel::CentraNaTela() {
    // The size the restore brings the window back to, within its limits;
    // set together with the position so that the window system's own
    // restore, which may arrive later, is followed by this one.
    const QSize tamanho = tamanhoNormal_.expandedTo(minimumSize()).boundedTo(maximumSize());
    const QMargins moldura(geometry().left() - frameGeometry().left(), geometry().top() - frameGeometry().top(),
                           frameGeometry().right() - geometry().right(),
                           frameGeometry().bottom() - geometry().bottom());
    const QSize externo = tamanho.grownBy(moldura);
    const QPoint canto = PosicaoCentrada(TamanhoDaTela(), externo);
    setGeometry(QRect(canto + QPoint(moldura.left(), moldura.top()), tamanho));
}

void MostraRelatorio(TfrmFoConsulta* dono) {
    TfrmFoRelatTormel janela(dono, [dono] { return DadosDaConsulta(*dono); });
    janela.exec();
}
