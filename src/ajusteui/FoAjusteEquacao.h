#pragma once
// "Ajustar equação": the fitting chain of the core on a record chosen by the
// user, step by step on pages (record and options, annual maxima,
// distribution, disaggregation, equation, uncertainty), each with its table
// and chart; CSV export of every table and the printed report.
#include <QDialog>
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
    QChartView *GrMaximos = nullptr, *GrProbabilidade = nullptr, *GrEquacao = nullptr;
    QLabel* LbEquacao = nullptr;
    QPushButton *BtnExportar = nullptr, *BtnImprimir = nullptr, *BtnFechar = nullptr;

    // Handlers.
    void AbrirClick();          // file dialog, then DefineRegistro
    void RazoesClick();         // file dialog for the ratios
    void AjustarClick();        // the chain; an error leaves the previous fit shown
    void ExportarCsvClick();    // file dialog, then ExportaCsv
    void ImprimirClick();       // print dialog, then Imprime

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

void MostraAjusteEquacao(QWidget* dono);
