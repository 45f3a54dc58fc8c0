#pragma once
// "Ajustar equação": the fitting chain of the core on a record chosen by the
// user, step by step on pages (record and options, annual maxima,
// distribution, disaggregation, equation, uncertainty), each with its table
// and chart; CSV export of every table and the printed report.
#include <QDialog>
#include <functional>
#include <memory>
#include <string>

class QChartView;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTabWidget;
struct TResultadoAjuste;
class IAjuda;

class TfrmAjusteEquacao : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAjusteEquacao(QWidget* parent = nullptr);
    ~TfrmAjusteEquacao() override;

    // Page "Registro".
    QLineEdit* EdRegistro = nullptr;
    QPushButton* BtnAbrir = nullptr;
    QComboBox* CbEstacao = nullptr;        // the stations of a Hidroweb file
    QComboBox* CbDistribuicao = nullptr;   // automática, Gumbel, GEV
    QComboBox* CbMetodo = nullptr;         // todos, momentos, momentos-L, máxima verossimilhança
    QComboBox* CbMesInicio = nullptr;      // janeiro: civil year
    QDoubleSpinBox* SbFaltas = nullptr;
    QSpinBox* SbReplicas = nullptr;
    QSpinBox* SbSemente = nullptr;
    QLineEdit* EdDesagregacao = nullptr;   // empty: CETESB
    QPushButton* BtnRazoes = nullptr;
    QPushButton* BtnAjustar = nullptr;
    QLabel* LbResumo = nullptr;

    QTabWidget* Paginas = nullptr;
    QTableWidget *TbMaximos = nullptr, *TbDeixados = nullptr, *TbDistribuicoes = nullptr, *TbQuantis = nullptr,
                 *TbDesagregacao = nullptr, *TbEquacao = nullptr, *TbIncerteza = nullptr;
    QComboBox* CbSerie = nullptr;          // the duration shown on the distribution page (a sub-daily record)
    QTableWidget* TbRazoes = nullptr;      // the ratios a sub-daily record measured, beside CETESB's
    QChartView *GrMaximos = nullptr, *GrProbabilidade = nullptr, *GrEquacao = nullptr;
    QLabel* LbEquacao = nullptr;
    QPushButton *BtnExportar = nullptr, *BtnImprimir = nullptr, *BtnFechar = nullptr;
    QPushButton* BtnAdicionar = nullptr;   // "Adicionar aos meus dados..."

    // The program folder whose data set in use takes an added station
    // (empty: the button stays disabled), and who is told of the addition
    // (state index, station name) to show it.
    std::string PastaDoPrograma;
    std::function<void(int estado, const QString& nome)> EstacaoAdicionada;
    IAjuda* Ajuda = nullptr;   // F1 (none: nothing opens)

    // Handlers.
    void CbSerieChange();
    void AbrirClick();          // file dialog, then DefineRegistro
    void RazoesClick();         // file dialog for the ratios
    void AjustarClick();        // the chain; an error leaves the previous fit shown
    void ExportarCsvClick();    // file dialog, then ExportaCsv
    void ImprimirClick();       // print dialog, then Imprime
    void AdicionarClick();      // TfrmAdicionaEstacao, then AdicionaEstacao
    void AjudaClick();          // F1: the window's help topic

    // The fitted station joins the data set in use (AdicionaAosDados);
    // returns the data folder written.
    std::string AdicionaEstacao(int estado, const QString& nome, double latitude, double longitude);

    // The record's path (UTF-8 from Qt); a Hidroweb file fills the station list.
    void DefineRegistro(const QString& caminho);
    void ExportaCsv(const QString& caminho) const;
    void Imprime(QPrinter& impressora) const;
    const TResultadoAjuste* Resultado() const { return resultado_.get(); }

private:
    QWidget* MontaPaginaRegistro();
    void MostraResultado();
    void AtualizaComandos();

    std::unique_ptr<TResultadoAjuste> resultado_;
};

// Help topic of the window (context number of Tormel21.hlp).
constexpr int TopicoAjudaAjuste = 20;

void MostraAjusteEquacao(QWidget* dono, IAjuda* ajuda = nullptr, const std::string& pastaDoPrograma = {},
                         std::function<void(int estado, const QString& nome)> estacaoAdicionada = {});
