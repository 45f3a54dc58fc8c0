#include "ui/FoSobreTormel.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>

#include "database/DadosDoUsuario.h"
#include "ui/Janelas.h"

// The pictures are compiled into the user-interface library.
static void InicializaImagens() { Q_INIT_RESOURCE(imagens); }

TfrmFoSobreTormel::TfrmFoSobreTormel(QWidget* dono, const std::string& pastaDoPrograma) : QDialog(dono) {
    InicializaImagens();
    setObjectName("frmFoSobreTormel");
    setWindowTitle("Sobre");
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    // The picture, then a strip of its own for the credits of the stations
    // and of the national grid and, when the program's folder is known, the
    // line of the data in use.
    constexpr int kFigura = 340, kCredito = 40, kDados = 22;

    imgSplash = new QLabel(this);
    imgSplash->setObjectName("imgSplash");
    imgSplash->setGeometry(0, 0, 559, 340);
    imgSplash->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imgSplash->setPixmap(QPixmap(":/imagens/Sobre.bmp"));
    // Clicks on the picture are clicks on the window.
    imgSplash->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (!pastaDoPrograma.empty()) {
        const bool usuario = ConjuntoDoUsuarioEmUso(pastaDoPrograma);
        LbDados = new QLabel(this);
        LbDados->setObjectName("LbDados");
        LbDados->setText((usuario ? QString::fromUtf8("Dados: seu conjunto, em ") : QString::fromUtf8("Dados: conjunto distribuído, em ")) +
                         QString::fromStdString(PastaDadosEmUso(pastaDoPrograma)));
        LbDados->setStyleSheet(QStringLiteral("background: rgba(255, 255, 255, 200); padding: 1px 4px;"));
        LbDados->setGeometry(0, kFigura + kCredito, 559, kDados);
        LbDados->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    lGradeNacional = new QLabel(this);
    lGradeNacional->setObjectName("lGradeNacional");
    lGradeNacional->setText(QString::fromUtf8(
        "Estações: Rede Hidrometeorológica Nacional (ANA, dados abertos), máximos anuais de chuva de um dia "
        "1889-2021, equações ajustadas pelo Tormel 2.1. Grade nacional: GRIDF-BR (Marcus N. Gomes Jr., licença MIT), "
        "sobre a chuva diária em grade BR-DWGD (Xavier et al.)"));
    lGradeNacional->setWordWrap(true);
    QFont fonte = lGradeNacional->font();
    fonte.setPointSizeF(7);
    lGradeNacional->setFont(fonte);
    lGradeNacional->setStyleSheet(QStringLiteral("color: #0b2a66; background: white; padding: 0px 4px;"));
    lGradeNacional->setGeometry(0, kFigura, 559, kCredito);
    lGradeNacional->setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(559, kFigura + kCredito + (LbDados ? kDados : 0));
}

void TfrmFoSobreTormel::BitBtn1Click() { reject(); }

void TfrmFoSobreTormel::keyPressEvent(QKeyEvent* evento) {
    // Enter, Esc, letters, digits and the space bar produce a character;
    // arrows, function keys and lone modifiers do not and leave it open.
    if (!evento->text().isEmpty())
        BitBtn1Click();
    else
        evento->ignore();
}

void TfrmFoSobreTormel::mouseReleaseEvent(QMouseEvent* evento) {
    if (rect().contains(evento->position().toPoint())) BitBtn1Click();
}

void TfrmFoSobreTormel::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (const QScreen* tela = screen())
        move(tela->geometry().center() - QPoint(width() / 2, height() / 2));
}

void MostraSobre(QWidget* dono, const std::string& pastaDoPrograma) {
    TfrmFoSobreTormel janela(dono, pastaDoPrograma);
    janela.exec();
}
