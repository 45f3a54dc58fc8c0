#pragma once
// Printed pages of the design-value windows: A4 with 2 cm margins, the same
// heading at the top of every page (the place, its equation, the warning),
// the same foot at the bottom (source, date, page number), tables continued
// over as many pages as they need with their column headings on each page
// (and split into groups of columns when they are too wide), and charts on a
// page of their own.
#include <QFont>
#include <QPainter>
#include <QStringList>

#include <vector>

class QPrinter;
class QChartView;

class TFolhaIdf {
public:
    // Starts the printout (raises EInOutError when the printer cannot
    // start). The first line of `cabecalho` is the title.
    TFolhaIdf(QPrinter& impressora, const QString& documento, QStringList cabecalho, QStringList rodape);
    ~TFolhaIdf();

    // A paragraph, wrapped; `cor` for a warning.
    void Texto(const QString& texto, bool negrito = false, const QColor& cor = Qt::black);
    void Espaco(double mm);
    // A table: `titulos` and each line have the same number of cells; the
    // first `fixas` columns are repeated in every group of columns. Rows in
    // `destaque` are bold.
    void Tabela(const QStringList& titulos, const std::vector<QStringList>& linhas, int fixas = 1,
                const std::vector<bool>& destaque = {});
    // The chart within the column's width, in its own proportions: on a page
    // of its own (at most 4/5 of the width tall), or below what is there
    // (0.55 of the width tall) when that fits, else on the next page.
    void Grafico(QChartView* grafico, bool paginaPropria = true);
    // Ends the document; the number of pages written.
    int Conclui();

    static constexpr int ColunasPorGrupo = 12;

private:
    void Cabecalho();
    void Rodape();
    void NovaPagina();
    bool Cabe(double altura) const { return y_ + altura <= limite_; }
    double AlturaDoTexto(const QString& texto, const QFont& fonte) const;

    QPrinter& impressora_;
    QPainter p_;
    QStringList cabecalho_, rodape_;
    QRectF pagina_;
    double mm_ = 1, y_ = 0, limite_ = 0;
    int paginas_ = 1;
    bool ativo_ = false;
    QFont titulo_, texto_, pequeno_;
};
