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
    setFixedSize(559, 340);

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
        LbDados->setGeometry(0, 318, 559, 22);
        LbDados->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    // The national grid's credit, under the picture's own lines.
    lGradeNacional = new QLabel(this);
    lGradeNacional->setObjectName("lGradeNacional");
    lGradeNacional->setText(QString::fromUtf8(
        "Grade nacional: GRIDF-BR (Marcus N. Gomes Jr., licença MIT), sobre a chuva diária em grade BR-DWGD "
        "(Xavier et al.)"));
    lGradeNacional->setWordWrap(true);
    QFont fonte = lGradeNacional->font();
    fonte.setPointSizeF(7);
    lGradeNacional->setFont(fonte);
    lGradeNacional->setStyleSheet(QStringLiteral("color: #0b2a66"));
    lGradeNacional->setGeometry(304, 278, 250, 38);
    lGradeNacional->setAttribute(Qt::WA_TransparentForMouseEvents);
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
