#pragma once
// The report document: one line of Windows-1252 HTML built from the query
// window's values, and the state map with the place marked ("Bit.bmp").
#include <QImage>
#include <QString>

#include "platform/AnsiString.h"
#include "report/DadosRelatorio.h"

// Name of the marked map, as the document names it: a file of the folder the
// caller gives (the report window's own temporary folder).
inline constexpr const char* NomeImagemMapa = "Bit.bmp";

// The text with "&", "<", ">" and '"' replaced by their entities.
AnsiString EscapaHtml(const AnsiString& texto);

// The whole document. When the state map is shown, writes "Bit.bmp" into
// pastaDoMapa first (EInOutError when it cannot be written).
AnsiString GeraRelatorio(const TDadosRelatorio& dados, const QString& pastaDoMapa);

// The state map with the black dot of 6 pixels whose bounding box runs from
// (x - 3, y - 3) to (x + 3, y + 3), right and bottom edges excluded.
QImage MapaMarcado(const QImage& mapa, int x, int y);

// Writes the marked map to "Bit.bmp" in pastaDoMapa and returns its image tag.
AnsiString GeraImagemMapa(const TDadosRelatorio& dados, const QString& pastaDoMapa);
