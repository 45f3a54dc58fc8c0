#pragma once
// Report window: shows the report of the query window's current result,
// prints it and removes the marked map file when it is destroyed.
#include <QDialog>
#include <QPrinter>
#include <functional>

#include "report/DadosRelatorio.h"

class QTextBrowser;
class QTextDocument;
class QToolBar;
class QToolButton;

class TfrmFoRelatTormel : public QDialog {
    Q_OBJECT
public:
    // `dados` is asked for the current values at every activation.
    TfrmFoRelatTormel(QWidget* dono, std::function<TDadosRelatorio()> dados);
    ~TfrmFoRelatTormel() override;   // deletes "Bit.bmp"

    QToolButton* ToolButton1 = nullptr;   // "&Imprimir"
    QToolButton* BFechar = nullptr;       // "Fechar"
    QTextBrowser* Viewer = nullptr;

    // Builds the report anew and shows it; on an error the viewer keeps its document.
    void FormActivate();
    // Print dialog, then the chosen page range (all pages: 1 to 9999).
    void ToolButton1Click();
    void BFecharClick();
    // Prints the pages primeira..ultima that exist.
    void Imprime(QPrinter& impressora, int primeira, int ultima);
    // The printer the print dialog sets up (tests point it at a PDF file).
    QPrinter& Impressora() { return impressora_; }

protected:
    bool event(QEvent* evento) override;
    void changeEvent(QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void CentraNaTela();

    std::function<TDadosRelatorio()> dados_;
    QToolBar* toolBar1_ = nullptr;
    QTextDocument* documento_ = nullptr;
    QPrinter impressora_;
    QSize tamanhoNormal_;   // size of the window when neither maximized nor minimized
};
