#pragma once
// The query window: state, station or locality, point on a state map or typed
// coordinates, and the IDF parameters K, a, b, c of the chosen place.
//
// The class is implemented in several files, by concern:
//   FoConsulta.cpp             creation, activation, lists, closing, commands, help
//   FoConsultaLayout.cpp       building the controls and the menu
//   FoConsultaEstados.cpp      state selection, state map, marker, coordinate setters
//   FoConsultaPonteiro.cpp     pointer handlers of the two maps
//   FoConsultaCoordenadas.cpp  typed coordinates and "&Calcular"
//   FoConsultaProcura.cpp      "Procurar local...": a place of any state by name
//   FoConsultaEstacoes.cpp     stations on the maps, contributing stations, warnings, options
#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "database/BDPrecipitacao.h"
#include "database/Confianca.h"
#include "database/CoordenadasColadas.h"
#include "database/Estados.h"
#include "database/GradeNacional.h"
#include "database/Registros.h"
#include "platform/AnsiString.h"
#include "ui/Aplicacao.h"
#include "ui/GeoReferencia.h"
#include "ui/ListaLugares.h"   // the lists are used as QListWidget by callers

class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QMenuBar;
class QPushButton;
class QStackedWidget;
class QGroupBox;
class QAction;
class IAjuda;
class TCamadaEstacoes;
class TCamadaIntensidades;
struct TLugarIdf;
class QMenu;
class TImagem;
class TMascaraCoordenada;
struct TLugarProcurado;

class TfrmFoConsulta : public QDialog {
public:
    // pastaDoPrograma: the program's folder with trailing '/'; data lie in
    // pastaDoPrograma + "../Arquivos Comuns/". ajuda may be nullptr (help
    // requests then do nothing). FormCreate runs inside the constructor; an
    // error there is shown through TAplicacao::MostraErro and the window is
    // created all the same.
    TfrmFoConsulta(const std::string& pastaDoPrograma, IAjuda* ajuda, QWidget* parent = nullptr);
    ~TfrmFoConsulta() override;   // FormDestroy

    // Fields, in declaration order.
    bool FirstActivation = true;
    AnsiString LatitudeText, LongitudeText, PlaceName;
    double Latitude = 0, Longitude = 0;
    std::unique_ptr<TBDPrecipitacao> BD;
    std::unique_ptr<TEstado> Estado;
    TEstacao CurrentRecord;
    int16_t IndEstacao = 0, IndLocalidade = 0;
    bool ShowAbout = false;
    AnsiString Autoria;
    int HelpContext = 0;
    // Settings file of this window's options ([OPCOES], read by LeOpcoes,
    // written by "&Fechar") and of the windows opened from it (empty: none).
    std::string ArquivoConfiguracao;
    // Nearest station farther than this (km) is a warning ([OPCOES] DistanciaDeAviso).
    double DistanciaDeAviso = 50;

    // Opens the design-value windows ("Curvas IDF...") for this window's
    // place. Handed in by whoever creates the window (the component), so the
    // query window knows nothing of those windows; while empty the menu item
    // stays disabled.
    std::function<void(TfrmFoConsulta&)> AbreCurvasIdf;
    // "Ajustar equação..." (the fitting window), handed in the same way.
    std::function<void(TfrmFoConsulta&)> AbreAjusteEquacao;
    IAjuda* Ajuda() const { return ajuda_; }

    // The user's locale's decimal separator, used for every number shown.
    char SeparadorDecimal() const;
    const std::string& PastaDoPrograma() const { return pastaDoPrograma_; }

    // Controls (names of the window layout).
    QComboBox* Estados = nullptr;
    TListaLugares* LBEstacao = nullptr;
    TListaLugares* LBLocalidade = nullptr;
    QLabel* LLocalidades = nullptr;
    QLabel* lAviso = nullptr;
    QPushButton* Autor = nullptr;
    QStackedWidget* Notebook1 = nullptr;
    TImagem* BrasilBMP = nullptr;
    TImagem* EstadoBMP = nullptr;
    QFrame* EixoX = nullptr;
    QFrame* EixoY = nullptr;
    QLabel *NomeCid = nullptr, *LatCid = nullptr, *LonCid = nullptr;
    QLabel *LabelLatitude = nullptr, *LabelLongitude = nullptr;
    QLabel *LabelLat = nullptr, *LabelLon = nullptr;
    TMascaraCoordenada* PrecLaAux = nullptr;
    TMascaraCoordenada* PrecLoAux = nullptr;
    QPushButton* Calculalalo = nullptr;
    QLabel *PrecK = nullptr, *PrecA = nullptr, *PrecB = nullptr, *PrecC = nullptr;
    QPushButton *BtnRelat = nullptr, *BtnAjuda = nullptr, *BtnCancel = nullptr, *BtnOk = nullptr;
    QFrame* Panel3 = nullptr;
    QFrame* Panel4 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* Precipitacao = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QAction* MapadoBrasil1 = nullptr;
    QAction* Relatrio1 = nullptr;
    QAction* ProcurarLocal1 = nullptr;
    QAction* Contedo1 = nullptr;
    QAction* ObterAjudaSobre1 = nullptr;
    QAction* Sobre1 = nullptr;
    QAction* CurvasIdf1 = nullptr;
    QAction* AjustarEquacao1 = nullptr;         // "Ajustar equação..." (src/ajusteui)
    QAction* MostrarEstacoes1 = nullptr;        // checkable, [OPCOES] MostrarEstacoes
    QAction* EstacoesInterpolacao1 = nullptr;   // Ctrl+E
    TCamadaEstacoes* CamadaBrasil = nullptr;    // station dots over BrasilBMP
    TCamadaEstacoes* CamadaEstado = nullptr;    // station dots over EstadoBMP
    // The national grid (FoConsultaGrade.cpp), each choice kept in [OPCOES].
    QAction* CompararComGrade1 = nullptr;       // checkable, CompararComGrade
    std::array<QAction*, NumeroDesagregacoes> DesagregacaoGrade1{};   // exclusive, DesagregacaoGrade
    QAction* MapaDeIntensidades1 = nullptr;     // checkable, MapaDeIntensidades
    QAction* PontoNaGrade1 = nullptr;           // a typed point, in the states without a source
    TCamadaIntensidades* CamadaIntensidades = nullptr;   // i(10, 60) over BrasilBMP, made at first use

    // Caption of the source button as text (the button shows '&' literally).
    QString LegendaAutor() const;
    void SetLegendaAutor(const QString& legenda);

    // Handlers.
    void FormCreate();
    void FormActivate();
    void FormDestroy();
    void EstadosClick();
    void MapadoBrasil1Click();
    void LBEstacaoClick();
    void LBLocalidadeClick();
    void BrasilBMPMouseMove(int x, int y);
    void BrasilBMPMouseUp(Qt::MouseButton button, int x, int y);
    void EstadoBMPMouseMove(int x, int y);
    void EstadoBMPMouseUp(Qt::MouseButton button, int x, int y);
    void PrecLaAuxKeyPress();
    void CalculalaloClick();
    // Coordinates pasted into either edit or found by "Procurar local...":
    // read by the core (LeCoordenadasColadas), both edits filled and the
    // point calculated; a text that does not read raises the reason and
    // changes nothing.
    void ColaCoordenadas(const QString& texto);
    void VaiParaCoordenadas(const TCoordenadasColadas& coordenadas);
    void AutorClick();
    void BtnOkClick();
    void BtnCancelClick();
    void BtnRelatClick();
    void Sobre1Click();
    void BtnAjudaClick();
    void Contedo1Click();
    void ObterAjudaSobre1Click();
    void CurvasIdf1Click();
    void AjustarEquacao1Click();
    void ProcurarLocal1Click();
    // Selects the place's state and then the place itself through the same
    // handlers as the user's clicks.
    void SelecionaLugar(const TLugarProcurado& lugar);
    // After a station joined the data set: the data files read again (from
    // the data set now in use), the station's state shown and the station
    // selected as a click on its row would.
    void MostraEstacaoAdicionada(int estado, const QString& nome);
    void MostrarEstacoes1Click();
    void EstacoesInterpolacao1Click();
    void CompararComGrade1Click();
    void MapaDeIntensidades1Click();
    // The grid's cell at the place, added to what the curves window gets
    // when "Comparar com a grade nacional" is checked.
    void AcrescentaGrade(TLugarIdf& lugar) const;
    // A click on the Brazil page in a state without a data source opens the
    // curves window on the grid alone (comparison checked); true if it did.
    bool AbreGradeNoBrasil(const QColor& cor, int x, int y);
    void PontoNaGrade1Click();
    // The curves window on the grid's cell at signed degrees (north, east positive).
    void AbreCurvasDaGrade(double latitude, double longitude, const QString& estado);
    const TGradeNacional& GradeNacional() const;   // read at first use
    TDesagregacaoGrade DesagregacaoGrade() const;

    // Reads [OPCOES] of ArquivoConfiguracao (the component calls it once the
    // path is set); GravaOpcoes writes MostrarEstacoes in one atomic change.
    void LeOpcoes();
    void GravaOpcoes();
    // The warning sentence for the current place (empty for a station, for
    // a place without parameters and when no rule applies).
    QString AvisoAtual() const;

    // Display operations.
    void ClearQueryDisplay();
    void FillPlaceLists();
    void PlaceMarker();
    void MarkerLabelLayout(int left, int top);
    void ShowBrazilPlaceLabels();

    // Current point. The text setters check the state map's bounds while the
    // state map is shown; the value setters take only values within them.
    void SetLatitudeText(const AnsiString& text);
    void SetLongitudeText(const AnsiString& text);
    void SetLatitudeValue(double v);
    void SetLongitudeValue(double v);
    bool IsInsideState(int x, int y) const;

    // Record index of a list position (-1 when the position is not in the list).
    int EstacaoDaPosicao(int posicao) const;
    int LocalidadeDaPosicao(int posicao) const;

    // All four parameter boxes hold a value.
    bool TemParametros() const;
    // The place shown as the windows opened from this one name it: the
    // station's or locality's name without trailing blanks, or for a point
    // chosen on the map or typed "Ponto 12°55'22" S, 41°52'19" W" (PlaceName
    // keeps "Não definida").
    QString NomeDoLugar() const;
    // The state the place was taken in: the station's or the locality's, or
    // the one whose map the point was chosen on, whatever the combo box shows
    // since (empty: none).
    QString EstadoDoLugar() const;
    // The place's latitude text, with " N" for a station north of the
    // equator (the record's text has no hemisphere).
    QString LatitudeDoLugar() const;
    bool LugarAoNorte() const { return lugarAoNorte_; }
    // Neither a station nor a locality: a point chosen on the map or typed.
    bool LugarEhPonto() const;
    // The place's K, a, b, c at all their digits: the station's record, or
    // the interpolation at the current coordinate texts.
    TEstacao RegistroDoLugar() const;
    // The place is the station chosen in the list.
    bool LugarEhEstacao() const;
    // The confidence rules over the current pool (built at first use).
    const TAvaliadorConfianca& Avaliador() const;
    // Commands that depend on what is shown ("Curvas IDF..." needs parameters).
    void AtualizaComandos();

    // Help context of a widget: its own, else its nearest container's, else the window's.
    int ContextoDeAjuda(const QWidget* w) const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;   // close box and Esc: modal result Cancel (2)

private:
    void MontaJanela();
    void MontaMenu();
    void MontaMapas(QWidget* cliente);
    void MontaListas(QWidget* cliente);
    void MontaCoordenadas(QWidget* cliente);
    void MontaParametros(QWidget* cliente);
    void MontaBotoes(QWidget* cliente);
    void MontaOrdemTab();
    void LigaEventos();

    void SelecionaLinha(QListWidget* lista, int posicao);   // no handler runs
    // A handler of a signal or callback: run through ExecutaProtegido, then
    // AtualizaComandos, whatever way the handler ends.
    template <class F>
    auto Acao(F handler) {
        return [this, handler = std::move(handler)](auto&&... args)
                   requires std::invocable<F&, decltype(args)...>
        {
            ExecutaProtegido([&] { handler(std::forward<decltype(args)>(args)...); });
            AtualizaComandos();
        };
    }
    void CalculaPontoDigitado();
    void MostraParametrosGerais(const TEstacao& r);
    void AtualizaAviso();
    void FalhaBitmap(int estadoAnterior);
    // Back to the previous state after a failed selection, or, with none to
    // go back to, the state without its map.
    void VoltaAoEstado(int estadoAnterior);
    void MostraEstadoSemMapa();
    void MostraPaginaDoBrasil();
    void MarcaLugarAtual(const QString& legendaAutor);
    bool TrataAtalho(QEvent* event);
    TConfianca ConfiancaDoLugar() const;
    void AtualizaEstacoesNoMapa();
    void AtualizaDicaAutor();
    void MontaMenuGrade(QMenu* exibir);
    void LeOpcoesGrade();
    void GravaOpcoesGrade();
    void AtualizaMapaDeIntensidades();

    std::string pastaDoPrograma_;
    IAjuda* ajuda_;
    QString legendaAutor_;
    int estadoDoMapa_ = -1;    // state whose map EstadoBMP holds
    int estadoDoLugar_ = -1;   // state the current place was taken in
    bool lugarAoNorte_ = false;   // the current place is a station north of the equator
    std::vector<int> mapaEstacoes_;     // list position -> record index
    std::vector<int> mapaLocalidades_;
    bool ativado_ = false;
    bool restaurandoEstado_ = false;
    // Every state's localities, read when the search first opens.
    std::unique_ptr<std::array<std::vector<TLocalidade>, NumEstados>> todasLocalidades_;
    mutable std::unique_ptr<TAvaliadorConfianca> avaliador_;
    mutable const TPoolInterpolacao* poolDoAvaliador_ = nullptr;
    mutable double distanciaDoAvaliador_ = 0;
    // What the station layers and the source button's hint were last made for.
    std::vector<int> chaveCamadas_;
    std::string chaveDica_;
    mutable std::unique_ptr<TGradeNacional> gradeNacional_;
};

// What "&Fechar" says when the parameter boxes are empty.
extern const char* const MensagemSemParametros;
// The window being shown; set and cleared by the query component.
extern TfrmFoConsulta* frmFoConsulta;
// "FormActivate" while the activation runs the state selection, else empty.
extern AnsiString ActivationMarker;
// True only while "&Calcular" replays a release on the state map.
extern bool TypedPointReplay;
