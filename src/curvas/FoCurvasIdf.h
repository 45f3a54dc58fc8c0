#pragma once
// "Curvas IDF": the design intensities and depths of one place as a table
// (durations by return periods) and a chart, with export, print and the
// lists remembered in the settings file.
#include <QDialog>
#include <string>
#include <vector>

#include "curvas/LugarIdf.h"

class IAjuda;
class QButtonGroup;
class QChartView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTabWidget;
class TFolhaIdf;
class TGraficoIdf;
class TPaginaCalculadora;
class TPaginaChuvaDeProjeto;
class TPaginaVazao;
class TGraficoAltura;
class TGraficoPorPeriodo;

// Section and keys of the settings file.
inline constexpr const char* kSecaoCurvas = "CURVAS";
extern const char* const DuracoesPadrao;   // "5; 10; 15; ..."
extern const char* const PeriodosPadrao;   // "2; 5; 10; ..."

class TfrmCurvasIdf : public QDialog {
    Q_OBJECT
public:
    // arquivoIni: the settings file whose [CURVAS] section holds the lists
    // (empty: nothing is read or written). ajuda may be nullptr.
    TfrmCurvasIdf(const TLugarIdf& lugar, IAjuda* ajuda, std::string arquivoIni, QWidget* parent = nullptr);

    static constexpr int ContextoDeAjuda = 11;

    // Controls.
    QLabel* Cabecalho = nullptr;
    QTabWidget* Paginas = nullptr;
    QLineEdit* EdDuracoes = nullptr;
    QLineEdit* EdPeriodos = nullptr;
    QPushButton* BtnAplicar = nullptr;
    QRadioButton* RbIntensidade = nullptr;
    QRadioButton* RbAltura = nullptr;
    QCheckBox* CbEscalaLog = nullptr;
    QTableWidget* Tabela = nullptr;
    TGraficoIdf* Grafico = nullptr;
    // The national grid's table beside the place's (with a place's grid only).
    QLabel* RotuloGrade = nullptr;
    QTableWidget* TabelaGrade = nullptr;
    TPaginaChuvaDeProjeto* ChuvaDeProjeto = nullptr;
    TPaginaCalculadora* Calculadora = nullptr;
    TPaginaVazao* Vazao = nullptr;
    QTabWidget* Graficos = nullptr;   // Grafico, GraficoAltura, GraficoPorPeriodo
    TGraficoAltura* GraficoAltura = nullptr;
    TGraficoPorPeriodo* GraficoPorPeriodo = nullptr;
    QPushButton* BtnMemorial = nullptr;
    // "Memorial de cálculo...": one A4 PDF of what was done for the place.
    void ImprimeMemorial(QPrinter& impressora) const;
    void MemorialClick();
    QPushButton *BtnExportar = nullptr, *BtnSalvarGrafico = nullptr, *BtnImprimir = nullptr;
    QPushButton *BtnAjuda = nullptr, *BtnFechar = nullptr;

    // Handlers.
    void AplicarClick();        // reads both lists; a bad entry changes nothing
    void GrandezaClick();       // intensity or depth in the table
    void EscalaLogClick();
    void ExportarCsvClick();    // file dialog, then ExportaCsv
    void SalvarGraficoClick();  // file dialog, then SalvaGrafico
    void ImprimirClick();       // print dialog, then Imprime
    void AjudaClick();
    void FecharClick();         // applies the typed lists, closes with OK

    void PaginaClick();         // outputs follow the page shown
    // Applies the typed fields of the page shown when they differ from what
    // it shows (a bad entry raises its message).
    void AplicaCampos();

    // The work behind the dialogs, for the page shown: the curves' table and
    // chart, or the design storm's.
    void ExportaCsv(const QString& caminho) const;
    void SalvaGrafico(const QString& caminho) const;   // .svg as SVG, else PNG
    void Imprime(QPrinter& impressora) const;
    // The selected cells as tab-separated text with their row and column
    // headings, numbers with the locale's decimal separator.
    QString TextoDaSelecao() const;

    const TLugarIdf& Lugar() const { return lugar_; }
    const std::vector<double>& Duracoes() const { return duracoes_; }
    const std::vector<double>& Periodos() const { return periodos_; }
    bool MostraAltura() const;

    // Every way of closing stores the lists.
    void done(int resultado) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void MontaJanela();
    QWidget* MontaPaginaCurvas();
    void LeOpcoes();
    void GravaOpcoes() const;
    void PreencheTabela();
    QString TextoDoCabecalho() const;
    // Lines of the header block of the CSV and of the printout.
    QStringList LinhasDoLugar() const;
    QStringList LinhasDoAviso() const;
    QStringList CabecalhoImpresso(const QString& titulo) const;
    QStringList RodapeImpresso() const;
public:
    // The note on the lists' entries beyond the fitted ranges (5 to 1,440
    // min, 2 to 100 years), naming them; empty when all are inside.
    QString NotaDaTabela() const;
    QLabel* Nota = nullptr;   // that note under the lists

private:
    void ImprimeCurvas(QPrinter& impressora) const;
    QChartView* GraficoDaPagina() const;
    // The national grid beside the place (ComparacaoGrade.cpp).
    bool ComparaGrade() const { return lugar_.Grade && lugar_.Grade->Comparar; }
    void MontaComparacao();
    void PreencheTabelaGrade();
    QString TextoDaGradeHtml() const;
    QStringList LinhasDaGrade() const;                        // plain text: parameters, R², KS, difference
    QStringList LinhasCsvDaGrade() const;                     // its lines and tables in the CSV
    void ImprimeGrade(TFolhaIdf& folha) const;                 // its lines and table in the printout

    TLugarIdf lugar_;
    IAjuda* ajuda_;
    std::string arquivoIni_;
    std::vector<double> duracoes_, periodos_;
    TTabelaIdf tabela_;
    TTabelaIdf tabelaGrade_;
};

// Opens the window modally over `dono` and destroys it when it closes.
void MostraCurvasIdf(QWidget* dono, const TLugarIdf& lugar, IAjuda* ajuda, const std::string& arquivoIni);
