// Query window: creation, activation, the two lists with the parameter
// display, closing, the report/about/source commands and help.
#include "ui/FoConsulta.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

#include "database/DadosDoUsuario.h"
#include "database/Citacoes.h"
#include "database/Coordenadas.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"
#include "platform/PontoFlutuante.h"
#include "ui/Ajuda.h"
#include "ui/Aplicacao.h"
#include "ui/Imagem.h"
#include "ui/Janelas.h"
#include "ui/MascaraCoordenada.h"

// Resources of the static library, registered outside any namespace.
static void InicializaImagens() { Q_INIT_RESOURCE(imagens); }

TfrmFoConsulta* frmFoConsulta = nullptr;
const char* const MensagemSemParametros =
    "Não há parâmetros da equação IDF para o local atual.\n\n"
    "Para obtê-los, escolha uma estação ou uma localidade na lista, clique no mapa do estado "
    "ou digite a latitude e a longitude de um ponto e clique em \"Calcular\".";
AnsiString ActivationMarker;
bool TypedPointReplay = false;

namespace {
QString Q(const AnsiString& ansi) { return QString::fromStdString(Cp1252ToUtf8(ansi)); }

// Restores the marker whatever way the state selection ends.
class TMarcaAtivacao {
public:
    TMarcaAtivacao() { ActivationMarker = "FormActivate"; }
    ~TMarcaAtivacao() { ActivationMarker.clear(); }
};
}  // namespace

TfrmFoConsulta::TfrmFoConsulta(const std::string& pastaDoPrograma, IAjuda* ajuda, QWidget* parent)
    : QDialog(parent), pastaDoPrograma_(pastaDoPrograma), ajuda_(ajuda) {
    InicializaImagens();
    MontaJanela();
    LigaEventos();
    qApp->installEventFilter(this);
    try {
        FormCreate();
    } catch (const std::exception& e) {
        // The window is created all the same; the error goes to the same box
        // as any handler's.
        if (TAplicacao* app = TAplicacao::Instancia()) app->MostraErro(e);
        else throw;
    }
}

TfrmFoConsulta::~TfrmFoConsulta() {
    qApp->removeEventFilter(this);
    FormDestroy();
}

// Every handler reached from a signal or a callback runs through Acao: its
// error goes to the error box without unwinding through Qt, and the commands
// that depend on what is shown are brought up to date after it.
void TfrmFoConsulta::LigaEventos() {
    connect(Estados, &QComboBox::activated, this, Acao([this](int) { EstadosClick(); }));
    LBEstacao->AoEscolher = Acao([this] { LBEstacaoClick(); });
    LBLocalidade->AoEscolher = Acao([this] { LBLocalidadeClick(); });
    connect(Autor, &QPushButton::clicked, this, Acao([this] { AutorClick(); }));
    // A click whose release comes before an incomplete coordinate edit has
    // taken the focus back (press and release handled together) calculates
    // nothing: the edit's refusal is the answer, not a half-typed point.
    connect(Calculalalo, &QPushButton::clicked, this, Acao([this] {
                if (PrecLaAux->Completo() && PrecLoAux->Completo()) CalculalaloClick();
            }));
    connect(BtnRelat, &QPushButton::clicked, this, Acao([this] { BtnRelatClick(); }));
    connect(BtnAjuda, &QPushButton::clicked, this, Acao([this] { BtnAjudaClick(); }));
    connect(BtnCancel, &QPushButton::clicked, this, Acao([this] { BtnCancelClick(); }));
    connect(BtnOk, &QPushButton::clicked, this, Acao([this] { BtnOkClick(); }));
    connect(MapadoBrasil1, &QAction::triggered, this, Acao([this] { MapadoBrasil1Click(); }));
    connect(Relatrio1, &QAction::triggered, this, Acao([this] { BtnRelatClick(); }));
    connect(ProcurarLocal1, &QAction::triggered, this, Acao([this] { ProcurarLocal1Click(); }));
    connect(Contedo1, &QAction::triggered, this, Acao([this] { Contedo1Click(); }));
    connect(ObterAjudaSobre1, &QAction::triggered, this, Acao([this] { ObterAjudaSobre1Click(); }));
    connect(Sobre1, &QAction::triggered, this, Acao([this] { Sobre1Click(); }));
    connect(CurvasIdf1, &QAction::triggered, this, Acao([this] { CurvasIdf1Click(); }));
    connect(AjustarEquacao1, &QAction::triggered, this, Acao([this] { AjustarEquacao1Click(); }));
    connect(MostrarEstacoes1, &QAction::triggered, this, Acao([this] { MostrarEstacoes1Click(); }));
    connect(EstacoesInterpolacao1, &QAction::triggered, this, Acao([this] { EstacoesInterpolacao1Click(); }));
    BrasilBMP->AoMover = Acao([this](int x, int y) { BrasilBMPMouseMove(x, y); });
    BrasilBMP->AoSoltar = Acao([this](Qt::MouseButton b, int x, int y) { BrasilBMPMouseUp(b, x, y); });
    EstadoBMP->AoMover = Acao([this](int x, int y) { EstadoBMPMouseMove(x, y); });
    EstadoBMP->AoSoltar = Acao([this](Qt::MouseButton b, int x, int y) { EstadoBMPMouseUp(b, x, y); });
    PrecLaAux->AoPressionarTecla = Acao([this] { PrecLaAuxKeyPress(); });
    PrecLoAux->AoPressionarTecla = Acao([this] { PrecLaAuxKeyPress(); });
    PrecLaAux->AoColar = Acao([this](const QString& texto) { ColaCoordenadas(texto); });
    PrecLoAux->AoColar = Acao([this](const QString& texto) { ColaCoordenadas(texto); });
    // Enter in an edit whose text is not the point last taken calculates it;
    // otherwise it goes on to the default button.
    for (TMascaraCoordenada* edit : {PrecLaAux, PrecLoAux})
        edit->AoEnter = [this] {
            if (PrecLaAux->Texto() == LatitudeText && PrecLoAux->Texto() == LongitudeText) return false;
            ExecutaProtegido([this] { CalculaPontoDigitado(); });
            AtualizaComandos();
            return true;
        };
}

// "&Calcular" from the keyboard (Enter in an edit, Alt+C): no focus change
// reports an incomplete edit, so the refusal is raised here.
void TfrmFoConsulta::CalculaPontoDigitado() {
    for (TMascaraCoordenada* edit : {PrecLaAux, PrecLoAux}) {
        if (!edit->Completo()) {
            QApplication::beep();
            edit->setFocus();
            throw Exception(TMascaraCoordenada::MensagemIncompleto());
        }
    }
    CalculalaloClick();
}

char TfrmFoConsulta::SeparadorDecimal() const {
    const QString s = QLocale().decimalPoint();
    if (s.size() == 1 && s.at(0).unicode() < 0x80) return static_cast<char>(s.at(0).unicode());
    return '.';
}

QString TfrmFoConsulta::LegendaAutor() const { return legendaAutor_; }

void TfrmFoConsulta::SetLegendaAutor(const QString& legenda) {
    legendaAutor_ = legenda;
    QString mostrada = legenda;
    Autor->setText(mostrada.replace(QLatin1Char('&'), QStringLiteral("&&")));
}

int TfrmFoConsulta::EstacaoDaPosicao(int posicao) const {
    if (posicao < 0 || posicao >= static_cast<int>(mapaEstacoes_.size())) return -1;
    return mapaEstacoes_[static_cast<std::size_t>(posicao)];
}

int TfrmFoConsulta::LocalidadeDaPosicao(int posicao) const {
    if (posicao < 0 || posicao >= static_cast<int>(mapaLocalidades_.size())) return -1;
    return mapaLocalidades_[static_cast<std::size_t>(posicao)];
}

void TfrmFoConsulta::SelecionaLinha(QListWidget* lista, int posicao) {
    const QSignalBlocker bloqueio(lista);
    if (posicao >= 0 && posicao < lista->count()) {
        lista->setCurrentRow(posicao);
    } else {
        lista->setCurrentRow(-1);
        lista->clearSelection();
    }
}

void TfrmFoConsulta::FormCreate() {
    FirstActivation = true;
    ShowAbout = false;
    setWindowIcon(QApplication::windowIcon());
    {
        const QSignalBlocker bloqueio(Estados);
        Estados->setCurrentIndex(0);
    }
    Estado = std::make_unique<TEstado>();
    BD = std::make_unique<TBDPrecipitacao>(PastaDadosEmUso(pastaDoPrograma_));
    BD->CarregaEstacoes();
    Autoria.clear();
}

void TfrmFoConsulta::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (ativado_) return;
    ativado_ = true;
    if (QScreen* tela = screen()) move(tela->availableGeometry().center() - rect().center());
    // The activation runs once the modal display has begun, as an event of
    // its own, so that its errors reach the error box like any handler's.
    QMetaObject::invokeMethod(
        this,
        [this] {
            ExecutaProtegido([this] { FormActivate(); });
            AtualizaComandos();
        },
        Qt::QueuedConnection);
}

void TfrmFoConsulta::FormActivate() {
    {
        const QSignalBlocker bloqueio(Estados);
        Estados->setCurrentIndex(Estado->Indice);
    }
    {
        TMarcaAtivacao marca;
        EstadosClick();
    }
    SelecionaLinha(LBEstacao, IndEstacao);
    SelecionaLinha(LBLocalidade, IndLocalidade);
    if (IndEstacao >= 0 && LBEstacao->currentRow() >= 0) LBEstacaoClick();
    if (IndLocalidade >= 0 && IndEstacao == -1 && LBLocalidade->currentRow() >= 0) LBLocalidadeClick();
    if (IndEstacao == -1 && IndLocalidade == -1 && !LatitudeText.empty() && !LongitudeText.empty()) {
        PrecLaAux->SetTexto(LatitudeText);
        PrecLoAux->SetTexto(LongitudeText);
        CalculalaloClick();
    }
    if (FirstActivation && ShowAbout) {
        MostraSobre(this, pastaDoPrograma_);
        FirstActivation = false;
    }
}

void TfrmFoConsulta::FormDestroy() {
    BD.reset();
    Estado.reset();
}

void TfrmFoConsulta::MostraParametrosGerais(const TEstacao& r) {
    const char sep = SeparadorDecimal();
    PrecK->setText(QString::fromStdString(FloatToStr(r.K, sep)));
    PrecA->setText(QString::fromStdString(FloatToStr(r.a, sep)));
    PrecB->setText(QString::fromStdString(FloatToStr(r.b, sep)));
    PrecC->setText(QString::fromStdString(FloatToStr(r.c, sep)));
}

QString TfrmFoConsulta::LatitudeDoLugar() const {
    return Q(LatitudeText) + (lugarAoNorte_ ? QStringLiteral(" N") : QString());
}

void TfrmFoConsulta::LBEstacaoClick() {
    const int posicao = LBEstacao->currentRow();
    const int registro = EstacaoDaPosicao(posicao);
    if (registro < 0) return;
    IndEstacao = static_cast<int16_t>(posicao);
    SelecionaLinha(LBLocalidade, -1);
    CurrentRecord = BD->Estacoes[static_cast<std::size_t>(Estado->Indice)][static_cast<std::size_t>(registro)];
    PlaceName = CurrentRecord.Nome.Text();
    estadoDoLugar_ = Estado->Indice;
    SetLatitudeText(CurrentRecord.Latitude.Text());
    SetLongitudeText(CurrentRecord.Longitude.Text());
    lugarAoNorte_ = BD->AoNorte(Estado->Indice, static_cast<std::size_t>(registro));
    const QString autor = Q(TiraBrancosFinais(CurrentRecord.Autor.Text()));
    if (!EstadoBMP->isHidden()) {
        PrecLaAux->SetTexto(LatitudeText);
        PrecLoAux->SetTexto(LongitudeText);
        MostraParametrosGerais(CurrentRecord);
        MarcaLugarAtual(autor);
    } else {
        NomeCid->setText(Q(TiraBrancosFinais(CurrentRecord.Nome.Text())));
        NomeCid->adjustSize();
        LabelLatitude->setText(LatitudeDoLugar());
        LabelLongitude->setText(Q(LongitudeText));
        LabelLatitude->adjustSize();
        LabelLongitude->adjustSize();
        SetLegendaAutor(autor);
        MostraParametrosGerais(CurrentRecord);
        ShowBrazilPlaceLabels();
    }
    AtualizaAviso();
}

void TfrmFoConsulta::AtualizaAviso() {
    constexpr int Goias = 8;
    constexpr int LinhaDoAviso = 9;   // the tenth row of the citation table
    const bool aviso = Estados->currentIndex() == Goias &&
                       LegendaAutor() == QString::fromUtf8(Citacoes[LinhaDoAviso].Chave);
    lAviso->setVisible(aviso);
}

void TfrmFoConsulta::LBLocalidadeClick() {
    const int posicao = LBLocalidade->currentRow();
    const int registro = LocalidadeDaPosicao(posicao);
    if (registro < 0 || registro >= static_cast<int>(BD->Localidades.size())) return;
    IndLocalidade = static_cast<int16_t>(posicao);
    SelecionaLinha(LBEstacao, -1);
    const TLocalidade local = BD->Localidades[static_cast<std::size_t>(registro)];
    PlaceName = local.Nome.Text();
    estadoDoLugar_ = Estado->Indice;
    SetLatitudeText(local.Latitude.Text());
    SetLongitudeText(local.Longitude.Text());
    CurrentRecord = BD->Interpola(LatitudeText, LongitudeText);
    PrecLaAux->SetTexto(LatitudeText);
    PrecLoAux->SetTexto(LongitudeText);
    const char sep = SeparadorDecimal();
    PrecK->setText(QString::fromStdString(FormatFloat("####.000", CurrentRecord.K, sep)));
    PrecA->setText(QString::fromStdString(FormatFloat("0.000", CurrentRecord.a, sep)));
    PrecB->setText(QString::fromStdString(FormatFloat("##.000", CurrentRecord.b, sep)));
    PrecC->setText(QString::fromStdString(FormatFloat("0.000", CurrentRecord.c, sep)));
    // The values shown are interpolated wherever the point falls on the
    // map: the source says so even when no crosshair can mark it, rather
    // than keep the citation of whatever was shown before.
    MarcaLugarAtual(QString::fromUtf8("Interpolação"));
    SetLegendaAutor(QString::fromUtf8("Interpolação"));
}

// The crosshair at the current place when it falls on the state's area, with
// the source button's caption; otherwise no crosshair and the caption stays.
void TfrmFoConsulta::MarcaLugarAtual(const QString& legendaAutor) {
    MarkerY = StateMapGeoRef.YOfLatitude(Latitude);
    MarkerX = StateMapGeoRef.XOfLongitude(Longitude);
    if (IsInsideState(static_cast<int>(Arredonda(MarkerX)), static_cast<int>(Arredonda(MarkerY)))) {
        LabelLat->setText(Q(LatitudeText));
        LabelLon->setText(Q(LongitudeText));
        PlaceMarker();
        SetLegendaAutor(legendaAutor);
    } else {
        EixoX->hide();
        EixoY->hide();
        LabelLat->hide();
        LabelLon->hide();
    }
}

bool TfrmFoConsulta::TemParametros() const {
    for (const QLabel* p : {PrecK, PrecA, PrecB, PrecC})
        if (p->text().trimmed().isEmpty()) return false;
    return true;
}

void TfrmFoConsulta::BtnOkClick() {
    // With empty parameter boxes there is nothing to hand back: the window
    // stays open and says how to get parameters.
    if (!TemParametros()) {
        if (TAplicacao* app = TAplicacao::Instancia())
            app->Caixas().Informacao(QStringLiteral("Tormel 2.1"), QString::fromUtf8(MensagemSemParametros));
        return;
    }
    IndEstacao = static_cast<int16_t>(LBEstacao->currentRow());
    IndLocalidade = static_cast<int16_t>(LBLocalidade->currentRow());
    // A choice that cannot be stored is reported, and the window closes all
    // the same: the parameters are what the user closed it for.
    try {
        GravaOpcoes();
    } catch (const Exception& e) {
        if (TAplicacao* app = TAplicacao::Instancia()) app->MostraErro(e);
        else throw;
    }
    const QString legenda = LegendaAutor();
    Autoria = legenda == QLatin1String("Autor") ? AnsiString() : Utf8ToCp1252(legenda.toStdString());
    done(1);
}

void TfrmFoConsulta::BtnCancelClick() { done(2); }

void TfrmFoConsulta::AtualizaComandos() {
    CurvasIdf1->setEnabled(TemParametros() && AbreCurvasIdf);
    AjustarEquacao1->setEnabled(static_cast<bool>(AbreAjusteEquacao));
    EstacoesInterpolacao1->setEnabled(TemParametros());
    AtualizaEstacoesNoMapa();
    AtualizaDicaAutor();
}

QString TfrmFoConsulta::NomeDoLugar() const {
    if (LugarEhPonto()) return QStringLiteral("Ponto %1 S, %2 W").arg(Q(LatitudeText), Q(LongitudeText));
    return Q(TiraBrancosFinais(PlaceName));
}

QString TfrmFoConsulta::EstadoDoLugar() const {
    if (estadoDoLugar_ < 0 || estadoDoLugar_ >= NumEstados) return {};
    TEstado estado;
    estado.SetIndice(estadoDoLugar_);
    return Q(estado.Nome());
}

bool TfrmFoConsulta::LugarEhPonto() const { return !LugarEhEstacao() && LBLocalidade->currentRow() < 0; }

TEstacao TfrmFoConsulta::RegistroDoLugar() const {
    return LugarEhEstacao() ? CurrentRecord : BD->Interpola(LatitudeText, LongitudeText);
}

void TfrmFoConsulta::CurvasIdf1Click() {
    if (TemParametros() && AbreCurvasIdf) AbreCurvasIdf(*this);
}

void TfrmFoConsulta::AjustarEquacao1Click() {
    if (AbreAjusteEquacao) AbreAjusteEquacao(*this);
}

void TfrmFoConsulta::reject() { done(2); }

void TfrmFoConsulta::BtnRelatClick() { MostraRelatorio(this); }

void TfrmFoConsulta::Sobre1Click() { MostraSobre(this, pastaDoPrograma_); }

void TfrmFoConsulta::AutorClick() { AutorClickComLegenda(this, LegendaAutor(), PastaDadosEmUso(pastaDoPrograma_)); }

void TfrmFoConsulta::BtnAjudaClick() {
    if (ajuda_) ajuda_->MostraTopico(7);
}

void TfrmFoConsulta::Contedo1Click() {
    if (ajuda_) ajuda_->MostraConteudo();
}

void TfrmFoConsulta::ObterAjudaSobre1Click() {
    if (ajuda_) ajuda_->ProcuraPalavra();
}

int TfrmFoConsulta::ContextoDeAjuda(const QWidget* w) const {
    for (; w; w = w->parentWidget()) {
        if (w == this) return HelpContext;
        const int contexto = w->property("helpContext").toInt();
        if (contexto > 0) return contexto;
    }
    return HelpContext;
}

// Alt+R and Alt+A belong both to a button and to a menu item; the dialog's
// buttons take them, as on the desktop the program was made for. Alt+C names
// two buttons. F1 asks for the focused control's help context.
bool TfrmFoConsulta::TrataAtalho(QEvent* event) {
    auto* tecla = static_cast<QKeyEvent*>(event);
    const auto mods = tecla->modifiers() & ~Qt::KeypadModifier;
    const bool altR = mods == Qt::AltModifier && tecla->key() == Qt::Key_R;
    const bool altA = mods == Qt::AltModifier && tecla->key() == Qt::Key_A;
    const bool altC = mods == Qt::AltModifier && tecla->key() == Qt::Key_C;
    const bool f1 = mods == Qt::NoModifier && tecla->key() == Qt::Key_F1;
    if (!altR && !altA && !altC && !f1) return false;
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (event->type() != QEvent::KeyPress) return true;
    if (altR && BtnRelat->isEnabled()) BtnRelat->click();
    if (altA && BtnAjuda->isEnabled()) BtnAjuda->click();
    // "&Calcular" and "&Cancelar" share the letter: the first enabled of the
    // two in the tab order takes it.
    if (altC) {
        if (Calculalalo->isEnabled()) ExecutaProtegido([this] { CalculaPontoDigitado(); });
        else if (BtnCancel->isEnabled()) BtnCancel->click();
        AtualizaComandos();
    }
    if (f1 && ajuda_) ajuda_->MostraTopico(ContextoDeAjuda(QApplication::focusWidget()));
    return true;
}

bool TfrmFoConsulta::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type tipo = event->type();
    if (tipo == QEvent::ShortcutOverride || tipo == QEvent::KeyPress || tipo == QEvent::KeyRelease) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this && tipo != QEvent::KeyRelease) return TrataAtalho(event);
    }
    return QDialog::eventFilter(watched, event);
}
