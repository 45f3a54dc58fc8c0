// Building the query window: controls at their layout positions, captions,
// hints, help contexts, tab order and the main menu.
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QKeySequence>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>

#include <algorithm>

#include "database/Estados.h"
#include "platform/Cp1252.h"
#include "ui/CamadaEstacoes.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"
#include "ui/ListaLugares.h"
#include "ui/MascaraCoordenada.h"

namespace {
constexpr int LarguraCliente = 742;
constexpr int AlturaCliente = 524;
constexpr int LadoMapa = 450;

QString T(const char* utf8) { return QString::fromUtf8(utf8); }

void Contexto(QWidget* w, int contexto) { w->setProperty("helpContext", contexto); }

QLabel* Rotulo(QWidget* pai, const char* texto, int x, int y, QWidget* alvo = nullptr) {
    auto* r = new QLabel(T(texto), pai);
    r->move(x, y);
    r->adjustSize();
    if (alvo) r->setBuddy(alvo);
    return r;
}

QPushButton* Botao(QWidget* pai, const char* texto, int x, int y, int l, int a) {
    auto* b = new QPushButton(T(texto), pai);
    b->setGeometry(x, y, l, a);
    return b;
}

// A centred parameter label in a white sunken box of 65 x 22.
QLabel* CaixaParametro(QWidget* pai, int x, int y) {
    auto* r = new QLabel(pai);
    r->setGeometry(x, y, 65, 22);
    r->setAlignment(Qt::AlignCenter);
    // The two-pixel sunken edge of the desktop the layout was drawn for: its
    // light outer edge shows against the group, its inner edges against white.
    r->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    r->setAutoFillBackground(true);
    QPalette p = r->palette();
    p.setColor(QPalette::Window, Qt::white);
    r->setPalette(p);
    return r;
}

// A crosshair line: drawn in red, transparent to the pointer so that moves
// and releases reach the state picture below.
QFrame* Eixo(QWidget* pai, int l, int a) {
    auto* f = new QFrame(pai);
    f->setGeometry(0, 0, l, a);
    f->setAutoFillBackground(true);
    QPalette p = f->palette();
    p.setColor(QPalette::Window, Qt::red);
    f->setPalette(p);
    f->setEnabled(false);
    f->setAttribute(Qt::WA_TransparentForMouseEvents);
    f->hide();
    return f;
}

// A label over a map stands in a light box, so that it reads on any colour
// of the picture (the state's pure blue, the dark states of the south).
QLabel* RotuloMapa(QWidget* pai, int x, int y) {
    auto* r = new QLabel(pai);
    r->move(x, y);
    r->setAttribute(Qt::WA_TransparentForMouseEvents);
    r->setStyleSheet(QStringLiteral("QLabel { background-color: rgba(255, 255, 255, 230); color: black;"
                                    " border: 1px solid rgba(0, 0, 0, 110); padding: 0px 2px; }"));
    return r;
}

// A group box framed as on the desktop the layout was drawn for: the frame
// starts half a caption below the top, the caption sits on the frame line,
// so the controls at the layout's positions stand inside the frame.
void EstiloDoGrupo(QGroupBox* grupo) {
    grupo->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 6px; top: 0px; padding: 0px 1px; }"));
}
}  // namespace

void TfrmFoConsulta::MontaJanela() {
    setWindowTitle(T("Tormel 2.1"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // The layout's metrics are those of an 8-point face at 96 dpi: 11 pixels.
    QFont fonte = font();
    fonte.setPixelSize(11);
    setFont(fonte);
    Contexto(this, 0);

    MontaMenu();
    const int alturaMenu = MainMenu1->sizeHint().height();
    MainMenu1->setGeometry(0, 0, LarguraCliente, alturaMenu);

    auto* cliente = new QWidget(this);
    cliente->setObjectName(QStringLiteral("cliente"));
    cliente->setGeometry(0, alturaMenu, LarguraCliente, AlturaCliente);
    setFixedSize(LarguraCliente, AlturaCliente + alturaMenu);

    // "&Estados :" focuses the combo.
    Estados = new QComboBox(cliente);
    Estados->setGeometry(514, 7, 182, Estados->sizeHint().height());
    Estados->setEditable(false);
    Estados->setMaxVisibleItems(27);
    for (const auto& nome : NomesEstados) Estados->addItem(QString::fromStdString(Cp1252ToUtf8(nome)));
    Estados->setToolTip(T("Estados"));
    Contexto(Estados, 7);
    // The caption stands between the map's panel and the combo, whatever the
    // width of the face: a wide face moves the combo right, not the caption
    // over the map.
    QLabel* rotuloEstados = Rotulo(cliente, "&Estados :", 466, 11, Estados);
    constexpr int inicioDaColuna = 461, fimDaColuna = 739;
    const int xCombo = std::max(514, inicioDaColuna + rotuloEstados->width() + 3);
    Estados->setGeometry(xCombo, 7, std::min(182, fimDaColuna - xCombo), Estados->height());
    rotuloEstados->move(std::max(inicioDaColuna, std::min(466, xCombo - 3 - rotuloEstados->width())), 11);

    MontaMapas(cliente);
    MontaListas(cliente);
    MontaCoordenadas(cliente);
    MontaParametros(cliente);
    MontaBotoes(cliente);
    MontaOrdemTab();
}

void TfrmFoConsulta::MontaMenu() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setNativeMenuBar(false);
    MapadoBrasil1 = MainMenu1->addAction(T("&Mapa do Brasil"));
    Relatrio1 = MainMenu1->addAction(T("&Relatório"));
    CurvasIdf1 = MainMenu1->addAction(T("Curvas &IDF..."));
    CurvasIdf1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    CurvasIdf1->setEnabled(false);
    AjustarEquacao1 = MainMenu1->addAction(T("Ajustar e&quação..."));
    AjustarEquacao1->setEnabled(false);
    ProcurarLocal1 = MainMenu1->addAction(T("&Procurar local..."));
    ProcurarLocal1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    QMenu* exibir = MainMenu1->addMenu(T("E&xibir"));
    MostrarEstacoes1 = exibir->addAction(T("Mostrar estações"));
    MostrarEstacoes1->setCheckable(true);
    EstacoesInterpolacao1 = exibir->addAction(T("Estações da interpolação..."));
    EstacoesInterpolacao1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    EstacoesInterpolacao1->setEnabled(false);
    MontaMenuGrade(exibir);
    QMenu* ajuda = MainMenu1->addMenu(T("&Ajuda"));
    Contedo1 = ajuda->addAction(T("&Conteúdo"));
    ajuda->addSeparator();
    ObterAjudaSobre1 = ajuda->addAction(T("Obter Ajuda Sobre ..."));
    ajuda->addSeparator();
    Sobre1 = ajuda->addAction(T("&Sobre o Tormel 2.1"));
}

void TfrmFoConsulta::MontaMapas(QWidget* cliente) {
    Panel3 = new QFrame(cliente);
    Panel3->setGeometry(0, 0, 457, 456);
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Contexto(Panel3, 4);

    Notebook1 = new QStackedWidget(Panel3);
    Notebook1->setGeometry(3, 3, LadoMapa, LadoMapa);

    // Page 0 "Brasil".
    auto* brasil = new QWidget;
    brasil->setObjectName(QStringLiteral("Brasil"));
    BrasilBMP = new TImagem(brasil);
    BrasilBMP->setGeometry(0, 0, LadoMapa, LadoMapa);
    BrasilBMP->SetImagem(QImage(QStringLiteral(":/imagens/BrasilBMP.bmp")));
    BrasilBMP->setCursor(Qt::PointingHandCursor);
    // The station dots lie over the picture and under the place labels.
    CamadaBrasil = new TCamadaEstacoes(brasil, 2);
    CamadaBrasil->setGeometry(BrasilBMP->geometry());
    CamadaBrasil->hide();
    // The place labels stand in the empty lower-left corner of the map.
    NomeCid = RotuloMapa(brasil, 8, 385);
    LatCid = RotuloMapa(brasil, 8, 403);
    LatCid->setText(T("Latitude:"));
    LonCid = RotuloMapa(brasil, 8, 418);
    LonCid->setText(T("Longitude:"));
    LabelLatitude = RotuloMapa(brasil, 71, 403);
    LabelLongitude = RotuloMapa(brasil, 71, 418);
    for (QLabel* r : {NomeCid, LatCid, LonCid, LabelLatitude, LabelLongitude}) {
        r->adjustSize();
        r->hide();
    }
    // The values start after the longer of the two boxed captions.
    const int valores = std::max({71, LatCid->geometry().right() + 3, LonCid->geometry().right() + 3});
    LabelLatitude->move(valores, LabelLatitude->y());
    LabelLongitude->move(valores, LabelLongitude->y());
    Notebook1->addWidget(brasil);

    // Page 1 "Estados".
    auto* estados = new QWidget;
    estados->setObjectName(QStringLiteral("Estados"));
    EstadoBMP = new TImagem(estados);
    EstadoBMP->setGeometry(0, 0, LadoMapa, LadoMapa);
    EstadoBMP->setCursor(Qt::CrossCursor);
    EstadoBMP->hide();
    CamadaEstado = new TCamadaEstacoes(estados, 3);   // under the crosshair
    CamadaEstado->setGeometry(EstadoBMP->geometry());
    CamadaEstado->hide();
    EixoX = Eixo(estados, LadoMapa, 1);
    EixoY = Eixo(estados, 1, LadoMapa);
    LabelLat = RotuloMapa(estados, 71, 43);
    LabelLon = RotuloMapa(estados, 71, 58);
    LabelLat->hide();
    LabelLon->hide();
    Notebook1->addWidget(estados);
    Notebook1->setCurrentIndex(0);
}

void TfrmFoConsulta::MontaListas(QWidget* cliente) {
    Panel4 = new QFrame(cliente);
    Panel4->setGeometry(461, 38, 278, 352);
    Panel4->setFrameStyle(QFrame::Panel | QFrame::Raised);

    // The three list captions focus the state combo, as the layout has them.
    Rotulo(Panel4, "Es&tações :", 4, 6, Estados);

    LBEstacao = new TListaLugares(Panel4);
    LBEstacao->setGeometry(4, 22, 269, 130);
    // One item height for all (a plain list box's): laying out 65,535
    // items one by one would take most of a state change.
    LBEstacao->setUniformItemSizes(true);
    LBEstacao->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LBEstacao->setToolTip(T("Estações"));
    Contexto(LBEstacao, 6);

    LLocalidades = Rotulo(Panel4, "&Localidades :", 4, 162, Estados);

    LBLocalidade = new TListaLugares(Panel4);
    LBLocalidade->setGeometry(4, 179, 269, 130);
    LBLocalidade->setUniformItemSizes(true);
    LBLocalidade->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LBLocalidade->setToolTip(T("Localidades"));
    Contexto(LBLocalidade, 4);

    lAviso = new QLabel(T("Dados obtidos por desagragação da chuva de um dia em chuvas de menor duração, "
                          "segundo metodologia proposta pelo DAEE-CETESB."),
                        Panel4);
    lAviso->setGeometry(23, 210, 233, 68);
    lAviso->setWordWrap(true);
    lAviso->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont fonteAviso = lAviso->font();
    fonteAviso.setPixelSize(13);
    fonteAviso.setStretch(QFont::SemiCondensed);   // the text fits its 68-pixel box
    lAviso->setFont(fonteAviso);
    lAviso->hide();

    Autor = Botao(Panel4, "Autor", 43, 316, 192, 28);
    Autor->setCursor(Qt::PointingHandCursor);
    Autor->setStatusTip(T("Autor"));
    legendaAutor_ = T("Autor");
}

void TfrmFoConsulta::MontaCoordenadas(QWidget* cliente) {
    GroupBox2 = new QGroupBox(cliente);
    GroupBox2->setGeometry(4, 457, 331, 65);
    GroupBox2->setToolTip(T("Localização"));
    EstiloDoGrupo(GroupBox2);
    Contexto(GroupBox2, 2);

    PrecLaAux = new TMascaraCoordenada(GroupBox2);
    PrecLaAux->setGeometry(24, 31, 69, 21);
    PrecLaAux->setToolTip(T("Latitude"));
    Contexto(PrecLaAux, 4);
    Rotulo(GroupBox2, "Latit&ude :", 24, 15, PrecLaAux);

    PrecLoAux = new TMascaraCoordenada(GroupBox2);
    PrecLoAux->setGeometry(120, 31, 69, 21);
    PrecLoAux->setToolTip(T("Longitude"));
    Contexto(PrecLoAux, 4);
    Rotulo(GroupBox2, "L&ongitude :", 120, 15, PrecLoAux);

    Calculalalo = Botao(GroupBox2, "&Calcular", 213, 21, 96, 28);
    Calculalalo->setStatusTip(T("Calcular interpolação"));
}

void TfrmFoConsulta::MontaParametros(QWidget* cliente) {
    Precipitacao = new QGroupBox(T(" Parâmetros da Equação IDF "), cliente);
    Precipitacao->setGeometry(342, 457, 267, 65);
    EstiloDoGrupo(Precipitacao);
    Precipitacao->setToolTip(T("Parâmetros da equação intensidade-duração-freqüência da precipitação"));
    Contexto(Precipitacao, 1);

    PrecK = CaixaParametro(Precipitacao, 47, 15);
    PrecB = CaixaParametro(Precipitacao, 47, 40);
    PrecA = CaixaParametro(Precipitacao, 169, 15);
    PrecC = CaixaParametro(Precipitacao, 169, 39);
    Rotulo(Precipitacao, "K:", 30, 19);
    Rotulo(Precipitacao, "b:", 30, 44);
    Rotulo(Precipitacao, "a:", 152, 19);
    Rotulo(Precipitacao, "c:", 152, 43);
}

void TfrmFoConsulta::MontaBotoes(QWidget* cliente) {
    QStyle* estilo = style();
    BtnRelat = Botao(cliente, "&Relatório", 495, 402, 100, 28);
    BtnRelat->setIcon(estilo->standardIcon(QStyle::SP_FileDialogDetailedView));
    BtnRelat->setStatusTip(T("Relatório"));
    Contexto(BtnRelat, 9);

    BtnAjuda = Botao(cliente, "&Ajuda", 631, 402, 100, 28);
    BtnAjuda->setIcon(estilo->standardIcon(QStyle::SP_MessageBoxQuestion));
    Contexto(BtnAjuda, 7);

    BtnCancel = Botao(cliente, "&Cancelar", 631, 446, 100, 28);
    BtnCancel->setIcon(estilo->standardIcon(QStyle::SP_DialogCancelButton));

    BtnOk = Botao(cliente, "&Fechar", 631, 489, 100, 28);
    BtnOk->setIcon(estilo->standardIcon(QStyle::SP_DialogOkButton));
    BtnOk->setDefault(true);
}

void TfrmFoConsulta::MontaOrdemTab() {
    const QWidget* ordem[] = {Estados, LBEstacao, LBLocalidade, Autor, PrecLaAux, PrecLoAux,
                              Calculalalo, BtnRelat, BtnAjuda, BtnCancel, BtnOk};
    for (std::size_t i = 0; i + 1 < std::size(ordem); ++i)
        setTabOrder(const_cast<QWidget*>(ordem[i]), const_cast<QWidget*>(ordem[i + 1]));
    // The picture and parameter areas take no focus.
    for (QWidget* w : {static_cast<QWidget*>(Notebook1), static_cast<QWidget*>(Panel3),
                       static_cast<QWidget*>(Panel4), static_cast<QWidget*>(GroupBox2),
                       static_cast<QWidget*>(Precipitacao)})
        w->setFocusPolicy(Qt::NoFocus);
}
