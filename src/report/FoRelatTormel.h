#pragma once
// Report window: shows the report of the query window's current result,
// prints it, and keeps the marked map "Bit.bmp" in a temporary folder of its
// own, which it removes with what it wrote there when it is destroyed.
#include <QDialog>
#include <QPrinter>
#include <functional>

#include "report/DadosRelatorio.h"

class QTextBrowser;
class QPagedPaintDevice;
class QTextDocument;
class QToolBar;
class QToolButton;

// Lays a copy of the report out on the printer's page, whose margins are the
// only ones: no document margin, pictures wider than the text column scaled
// into it, and the map's heading moved to the next page when the map would
// not stand on its page (the map scaled down first on paper too short for
// both).
void PaginaParaImpressao(QTextDocument& documento, const QPagedPaintDevice& impressora);

class TfrmFoRelatTormel : public QDialog {
    Q_OBJECT
public:
    // `dados` is asked for the current values at every activation.
    TfrmFoRelatTormel(QWidget* dono, std::function<TDadosRelatorio()> dados);
    ~TfrmFoRelatTormel() override;   // deletes its "Bit.bmp" and its folder

    QToolButton* ToolButton1 = nullptr;   // "&Imprimir"
    QToolButton* BFechar = nullptr;       // "Fechar"
    QTextBrowser* Viewer = nullptr;

    // Builds the report anew and shows it; on an error the viewer keeps its document.
    void FormActivate();
    // Print dialog, then the chosen page range (all pages: 1 to 9999).
    void ToolButton1Click();
    void BFecharClick();
    // Prints the pages primeira..ultima that exist, with margins of 2 cm on
    // each side of the paper (see PaginaParaImpressao).
    void Imprime(QPrinter& impressora, int primeira, int ultima);
    // The printer the print dialog sets up (tests point it at a PDF file).
    QPrinter& Impressora() { return impressora_; }
    // The window's own folder of "Bit.bmp" (empty before the first display).
    const QString& PastaDoMapa() const { return pastaDoMapa_; }

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
    QString pastaDoMapa_;   // made at the first display with a map, private to this window
    bool mapaGravado_ = false;   // "Bit.bmp" was (or may have been partly) written there
};
