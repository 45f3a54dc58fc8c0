#include "ui/TelaAjuda.h"

#include <QApplication>
#include <QCollator>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/Erros.h"
#include "ui/Aplicacao.h"

namespace {

const QString TituloJanela = QStringLiteral("Ajuda do Tormel 2.1");

QString CaminhoVisivel(const std::string& caminho) { return QFile::decodeName(QByteArray::fromStdString(caminho)); }

}  // namespace

TTelaAjuda::TTelaAjuda(std::string caminhoArquivo, ICaixas& caixas)
    : caminho_(std::move(caminhoArquivo)), caixas_(caixas) {}

TTelaAjuda::~TTelaAjuda() {
    // A help window without an owner window is ours to close.
    if (janela_ && !janela_->parent()) delete janela_.data();
}

std::vector<TTelaAjuda::TTopico> TTelaAjuda::LeTopicos(const QString& texto) {
    return LeTextoAjuda(texto, QString(), QStringLiteral("Tormel21.hlp"));
}

bool TTelaAjuda::Carrega() {
    if (carregado_) return true;
    const QString caminho = CaminhoVisivel(caminho_);
    QFile arquivo(caminho);
    if (!arquivo.exists()) {
        caixas_.Erro(QStringLiteral("Tormel 2.1"),
                     QStringLiteral("O arquivo de ajuda %1 não foi encontrado. A ajuda não está disponível.")
                         .arg(caminho));
        return false;
    }
    std::vector<TTopico> topicos;
    try {
        topicos = LeArquivoAjuda(caminho_);
    } catch (const Exception& e) {
        // The program goes on without help.
        caixas_.Erro(QStringLiteral("Tormel 2.1"),
                     QString::fromUtf8(e.what()) + QStringLiteral(" A ajuda não está disponível."));
        return false;
    }
    if (topicos.empty()) {
        caixas_.Erro(QStringLiteral("Tormel 2.1"),
                     QStringLiteral("O arquivo de ajuda %1 não contém nenhum tópico de ajuda.").arg(caminho));
        return false;
    }
    topicos_ = std::move(topicos);
    carregado_ = true;
    return true;
}

const TTelaAjuda::TTopico* TTelaAjuda::Procura(int contexto) const {
    for (const auto& t : topicos_) {
        if (t.Contexto == contexto) return &t;
    }
    return nullptr;
}

bool TTelaAjuda::PreparaJanela() {
    if (!Carrega()) return false;
    if (!janela_) ConstroiJanela();
    janela_->show();
    janela_->raise();
    janela_->activateWindow();
    return true;
}

void TTelaAjuda::ConstroiJanela() {
    // A child of the active modal window, so that window's modality does not
    // block it; it goes away with that window.
    QWidget* dono = QApplication::activeModalWidget();
    auto* janela = new QDialog(dono, Qt::Window);
    janela->setObjectName(QStringLiteral("TelaAjuda"));
    janela->setWindowTitle(TituloJanela);
    janela->setModal(false);
    janela->setAttribute(Qt::WA_DeleteOnClose, false);
    janela->resize(760, 520);

    abas_ = new QTabWidget;
    abas_->setObjectName(QStringLiteral("Abas"));

    listaConteudo_ = new QListWidget;
    listaConteudo_->setObjectName(QStringLiteral("ListaConteudo"));
    for (const auto& t : topicos_) {
        auto* item = new QListWidgetItem(t.Titulo, listaConteudo_);
        item->setData(Qt::UserRole, t.Contexto);
    }
    abas_->addTab(listaConteudo_, QStringLiteral("&Conteúdo"));

    auto* paginaIndice = new QWidget;
    auto* layoutIndice = new QVBoxLayout(paginaIndice);
    auto* rotulo = new QLabel(QStringLiteral("&Digite as primeiras letras da palavra:"));
    chave_ = new QLineEdit;
    chave_->setObjectName(QStringLiteral("Chave"));
    rotulo->setBuddy(chave_);
    listaIndice_ = new QListWidget;
    listaIndice_->setObjectName(QStringLiteral("ListaIndice"));
    layoutIndice->addWidget(rotulo);
    layoutIndice->addWidget(chave_);
    layoutIndice->addWidget(listaIndice_);
    abas_->addTab(paginaIndice, QStringLiteral("Índ&ice"));

    texto_ = new QTextBrowser;
    texto_->setObjectName(QStringLiteral("Texto"));
    // Images only from beside the help file, within the reader's limits.
    texto_->setDocument(new TDocumentoAjuda(QFileInfo(CaminhoVisivel(caminho_)).absolutePath(), texto_));
    texto_->setOpenLinks(false);

    auto* divisor = new QSplitter(Qt::Horizontal);
    divisor->addWidget(abas_);
    divisor->addWidget(texto_);
    divisor->setStretchFactor(1, 1);
    divisor->setSizes({280, 480});
    auto* layout = new QHBoxLayout(janela);
    layout->addWidget(divisor);

    // The handlers run through Protegido, as every handler of the program's
    // windows: an error that leaves one goes to the error box, not through
    // Qt's signal emission or the list views.
    auto mostraItem = [this](QListWidgetItem* item) {
        if (item) Exibe(item->data(Qt::UserRole).toInt());
    };
    QObject::connect(listaConteudo_, &QListWidget::currentItemChanged, janela,
                     Protegido([mostraItem](QListWidgetItem* atual, QListWidgetItem*) { mostraItem(atual); }));
    QObject::connect(listaConteudo_, &QListWidget::itemActivated, janela, Protegido(mostraItem));
    QObject::connect(listaIndice_, &QListWidget::currentItemChanged, janela,
                     Protegido([mostraItem](QListWidgetItem* atual, QListWidgetItem*) { mostraItem(atual); }));
    QObject::connect(listaIndice_, &QListWidget::itemActivated, janela, Protegido(mostraItem));
    // Only the focus moves here.
    QObject::connect(abas_, &QTabWidget::currentChanged, janela, [this](int aba) {
        if (aba == 1) chave_->setFocus();
    });
    QObject::connect(chave_, &QLineEdit::textChanged, janela,
                     Protegido([this](const QString& t) { PreencheIndice(t); }));
    QObject::connect(chave_, &QLineEdit::returnPressed, janela, Protegido([this] {
                         if (listaIndice_->count() > 0) listaIndice_->setCurrentRow(0);
                     }));
    QObject::connect(texto_, &QTextBrowser::anchorClicked, janela,
                     Protegido([this](const QUrl& url) { AbreLink(url.toString()); }));

    janela_ = janela;
    PreencheIndice(QString());
}

void TTelaAjuda::PreencheIndice(const QString& filtro) {
    struct TEntrada {
        QString Palavra;
        int Contexto;
    };
    std::vector<TEntrada> entradas;
    for (const auto& t : topicos_) {
        for (const QString& p : t.Palavras) entradas.push_back({p, t.Contexto});
    }
    QCollator colacao{QLocale(QLocale::Portuguese, QLocale::Brazil)};
    colacao.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(entradas.begin(), entradas.end(),
                     [&](const TEntrada& x, const TEntrada& y) { return colacao.compare(x.Palavra, y.Palavra) < 0; });

    QHash<QString, int> vezes;
    for (const auto& e : entradas) ++vezes[e.Palavra.toCaseFolded()];

    const QSignalBlocker bloqueio(listaIndice_);
    listaIndice_->clear();
    const QString chave = filtro.trimmed();
    for (const auto& e : entradas) {
        if (!chave.isEmpty() && !e.Palavra.startsWith(chave, Qt::CaseInsensitive)) continue;
        // A keyword of several topics names the topic beside it.
        const bool repetida = vezes.value(e.Palavra.toCaseFolded()) > 1;
        QString rotulo = e.Palavra;
        if (repetida) rotulo += QStringLiteral(" (%1)").arg(Procura(e.Contexto)->Titulo);
        auto* item = new QListWidgetItem(rotulo, listaIndice_);
        item->setData(Qt::UserRole, e.Contexto);
    }
}

void TTelaAjuda::Exibe(int contexto) {
    const TTopico* t = Procura(contexto);
    if (!t) {
        topicoAtual_ = 0;
        janela_->setWindowTitle(TituloJanela);
        texto_->setHtml(QStringLiteral("<h3>Tópico não encontrado</h3>"
                                       "<p>O arquivo de ajuda não tem um tópico para o contexto %1. "
                                       "Escolha um tópico na lista de conteúdo.</p>")
                            .arg(contexto));
        return;
    }
    topicoAtual_ = contexto;
    texto_->setHtml(t->Texto);
    janela_->setWindowTitle(TituloJanela + QStringLiteral(" - ") + t->Titulo);
    // Keep the contents list in step with the topic shown.
    const QSignalBlocker bloqueio(listaConteudo_);
    for (int i = 0; i < listaConteudo_->count(); ++i) {
        if (listaConteudo_->item(i)->data(Qt::UserRole).toInt() == contexto) listaConteudo_->setCurrentRow(i);
    }
}

void TTelaAjuda::AbreLink(const QString& link) {
    // "#7" (or "topico:7") opens a topic; other links are not followed.
    QString alvo = link;
    if (alvo.startsWith(QLatin1Char('#'))) alvo.remove(0, 1);
    else if (alvo.startsWith(QStringLiteral("topico:"))) alvo.remove(0, 7);
    bool ok = false;
    const int contexto = alvo.toInt(&ok);
    if (ok) Exibe(contexto);
}

void TTelaAjuda::MostraTopico(int contexto) {
    // No context (a control and its containers without one): the topics list.
    if (contexto <= 0) {
        MostraConteudo();
        return;
    }
    if (!PreparaJanela()) return;
    Exibe(contexto);
}

void TTelaAjuda::MostraConteudo() {
    if (!PreparaJanela()) return;
    abas_->setCurrentIndex(0);
    listaConteudo_->setFocus();
    if (topicoAtual_ == 0) Exibe(topicos_.front().Contexto);
}

void TTelaAjuda::ProcuraPalavra() {
    if (!PreparaJanela()) return;
    abas_->setCurrentIndex(1);
    chave_->clear();
    PreencheIndice(QString());
    chave_->setFocus();
}
