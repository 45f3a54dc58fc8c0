#pragma once
// Numbers and files of the design-value windows: numbers with the user's
// decimal separator, and the CSV dialect that a Brazilian spreadsheet opens
// directly (";" between fields, decimal comma, UTF-8 with a byte-order mark).
#include <QString>
#include <QStringList>

#include <string>

class QTableWidget;

char SeparadorDoLocal();
// Makes the table as wide as its columns (up to `maximo` pixels).
void AjustaLarguraDaTabela(QTableWidget* tabela, int maximo);
// Up to 15 significant digits, no needless zeros (FloatToStr).
QString NumeroGeral(double v);
// Exactly `decimais` decimals, halves away from zero on the decimal expansion.
QString NumeroFixo(double v, int decimais);

// A number for people: `decimais` decimals while it has at most five
// digits before the separator, none up to 999,999, and beyond that four
// significant digits times a power of ten ("9,249 × 10^7"), so a huge answer
// never runs to dozens of digits.
QString NumeroLegivel(double v, int decimais);

// A text for an error message: cp1252, with any character cp1252 cannot
// hold shown as its Latin-1 stand-in.
std::string TextoParaMensagem(const QString& texto);

// A CSV field: quoted when it holds ";", a quote or a line break.
QString CampoCsv(const QString& texto);
// A number with a decimal comma and `decimais` decimals.
QString NumeroCsv(double v, int decimais);
// Writes the lines (CRLF ends) as UTF-8 with a byte-order mark, replacing the
// file only once it is whole; raises EInOutError naming the file on failure.
void GravaCsv(const QString& caminho, const QStringList& linhas);
