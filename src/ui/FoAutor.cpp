#include "ui/FoAutor.h"

#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QPushButton>

#include <algorithm>

#include "curvas/GradeDoLugar.h"
#include "database/Citacoes.h"
#include "database/DadosDoUsuario.h"
#include "ui/Aplicacao.h"
#include "ui/Janelas.h"

const char* const MensagemInterpolacao =
    "Interpolação realizada utilizando o Método do Inverso da Quinta Potência da Distância e considerando "
    "as informações de todas as localidades em que a equação de intensidade-duração-freqüência da "
    "precipitação é conhecida nos Estados da Bahia, Espírito Santo, Minas Gerais, Paraná, Rio de Janeiro, "
    "São Paulo e Tocantins.";

TfrmFoAutor::TfrmFoAutor(QWidget* dono) : QDialog(dono) {
    setObjectName("frmFoAutor");
    setWindowTitle("Autor");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    QFont fonte("MS Sans Serif", 8);
    fonte.setBold(true);
    setFont(fonte);
    setFixedSize(547, 144);

    QFont normal = fonte;
    normal.setBold(false);

    Autor = new QLabel(this);
    Autor->setObjectName("Autor");
    Autor->setFont(normal);
    Autor->move(10, 6);

    Livro = new QLabel(this);
    Livro->setObjectName("Livro");
    Livro->setWordWrap(true);
    Livro->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Livro->setGeometry(10, 25, 519, 39);

    Pagina = new QLabel(this);
    Pagina->setObjectName("Pagina");
    Pagina->setFont(normal);
    Pagina->setWordWrap(true);
    Pagina->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Pagina->setGeometry(10, 62, 527, 35);

    for (QLabel* rotulo : {Autor, Livro, Pagina}) rotulo->setTextFormat(Qt::PlainText);

    OK = new QPushButton("&Ok", this);
    OK->setObjectName("OK");
    OK->setGeometry(223, 104, 100, 28);
    OK->setDefault(true);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmFoAutor::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (const QScreen* tela = screen()) move(tela->geometry().center() - QPoint(width() / 2, height() / 2));
}

bool TfrmFoAutor::MostraCitacao(const QString& chave) {
    const int linha = IndiceCitacao(chave.toUtf8().constData());
    if (linha < 0) return false;
    const TCitacao& citacao = Citacoes[static_cast<size_t>(linha)];
    Autor->setText(QString::fromUtf8(citacao.Autores));
    Autor->adjustSize();
    Livro->setText(QString::fromUtf8(citacao.Titulo));
    Pagina->setText(QString::fromUtf8(citacao.Publicacao));
    AjustaAoTexto();
    return true;
}

void TfrmFoAutor::MostraGradeNacional() {
    Autor->setText(QString::fromUtf8("Marcus N. Gomes Jr."));
    Autor->adjustSize();
    Livro->setText(QString::fromUtf8("GRIDF-BR: Gridded Intensity–Duration–Frequency Curves for Brazil"));
    Pagina->setText(QString::fromUtf8(
        "Licença MIT. K, a, b e c ajustados em células de 0,1° sobre a precipitação diária em grade BR-DWGD "
        "(Xavier et al.), sem correção de viés."));
    AjustaAoTexto();
}

void TfrmFoAutor::AjustaAoTexto() {
    // The layout's positions and sizes are the least each control gets; a
    // text that needs more (a long title in a wide font) pushes what lies
    // below it down, and the dialog grows to hold everything.
    constexpr int kEsquerda = 10, kLarguraAutor = 527, kEspaco = 4;
    if (Autor->width() > kLarguraAutor) {
        Autor->setWordWrap(true);
        Autor->setGeometry(kEsquerda, 6, kLarguraAutor, Autor->heightForWidth(kLarguraAutor));
    }
    const auto altura = [](QLabel* rotulo, int minima) {
        return std::max(minima, rotulo->text().isEmpty() ? 0 : rotulo->heightForWidth(rotulo->width()));
    };
    const int topoLivro = std::max(25, Autor->geometry().bottom() + 1 + kEspaco);
    const int alturaLivro = altura(Livro, 39);
    Livro->setGeometry(kEsquerda, topoLivro, 519, alturaLivro);
    // In the layout the publication line begins 37 pixels below the title,
    // where a title of two lines has ended.
    const int fimDoTitulo = topoLivro + (Livro->text().isEmpty() ? 0 : Livro->heightForWidth(519));
    const int topoPagina = std::max(topoLivro + 37, fimDoTitulo + kEspaco);
    const int alturaPagina = altura(Pagina, 35);
    Pagina->setGeometry(kEsquerda, topoPagina, 527, alturaPagina);
    const int topoOk = std::max(104, topoPagina + alturaPagina + 7);
    OK->move(OK->x(), topoOk);
    setFixedSize(547, std::max(144, topoOk + OK->height() + 12));
}

bool TfrmFoAutor::MostraAjuste(const QString& chave, const std::string& pastaDados) {
    const std::string citacao = chave.toUtf8().toStdString();
    if (!CitacaoComDescricao(citacao.c_str())) return false;
    const std::string descricao = DescricaoDoAjuste(pastaDados, citacao);
    if (descricao.empty()) return false;
    const TCitacao* fonte = FonteDaCitacao(citacao.c_str());
    Autor->setText(fonte ? chave + QString::fromUtf8(". ") + QString::fromUtf8(fonte->Autores) : chave);
    Autor->adjustSize();
    Livro->setText(QString::fromUtf8(fonte ? fonte->Titulo : "Equação ajustada pelo usuário a um registro de chuva"));
    Pagina->setText(QString::fromStdString(descricao));
    AjustaAoTexto();
    return true;
}

void AutorClickComLegenda(QWidget* dono, const QString& legendaAutor, const std::string& pastaDados) {
    TfrmFoAutor dialogo(dono);
    dialogo.Autor->clear();
    dialogo.Livro->clear();
    dialogo.Pagina->clear();
    if (legendaAutor == QString::fromUtf8(FonteDaGradeNacional)) {
        dialogo.MostraGradeNacional();
        dialogo.exec();
        return;
    }
    if (!dialogo.MostraCitacao(legendaAutor) && !dialogo.MostraAjuste(legendaAutor, pastaDados)) {
        const QString titulo = QString::fromUtf8("Informação");
        const QString texto = QString::fromUtf8(MensagemInterpolacao);
        if (TAplicacao* app = TAplicacao::Instancia()) {
            app->Caixas().Informacao(titulo, texto);
        } else {
            TCaixasPadrao caixas;
            caixas.Informacao(titulo, texto);
        }
        return;
    }
    if (!dialogo.Autor->text().isEmpty()) dialogo.exec();
}
