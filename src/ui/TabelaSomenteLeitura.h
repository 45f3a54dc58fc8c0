#pragma once
// Read-only tables of the windows: Tab and Shift+Tab go on to the next
// control instead of the next cell, Ctrl+C copies the selection as
// tab-separated text with its headings (as a spreadsheet pastes it), and
// Ctrl+A selects every cell.
#include <QString>

#include <functional>

class QTableWidget;

// The heading of a row in the copied text (the table's own row heading when
// not given).
using TRotuloDaLinha = std::function<QString(int linha)>;

// The selected cells inside the rectangle that holds them all, a line per
// row: `canto` and the column headings first, then each row's heading (when
// the table shows row headings or `rotulo` is given) and its cells, empty
// where a cell is not selected. Empty when nothing is selected.
QString TextoDaSelecao(const QTableWidget* tabela, const QString& canto = {}, const TRotuloDaLinha& rotulo = {});

// Sets up the keys above; `texto` gives what Ctrl+C copies (by default
// TextoDaSelecao of the table).
void PreparaTabelaSomenteLeitura(QTableWidget* tabela, std::function<QString()> texto = {});
