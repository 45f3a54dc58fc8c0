#pragma once
// The fitting report as text, CSV (every table, one after another, a title
// line before each) and HTML (the printable report), all cp1252 text; the
// decimal separator is passed in.
#include "ajuste/Ajuste.h"

// The report's tables as rows of cells (the first row is the header), in the
// report's order: maxima, years left out, per series its distributions and
// quantiles, the intensities, the equation. The window shows these.
struct TTabelaRelatorio {
    AnsiString Titulo;
    std::vector<std::vector<AnsiString>> Linhas;
};
std::vector<TTabelaRelatorio> TabelasDoRelatorio(const TResultadoAjuste& r, char decimal);

AnsiString RelatorioTexto(const TResultadoAjuste& r, char decimal);
AnsiString RelatorioCsv(const TResultadoAjuste& r, char separador, char decimal);
AnsiString RelatorioHtml(const TResultadoAjuste& r, char decimal);

// One station row of the data builder's CSV (uf,nome,K,a,b,c,citacao,latitude,longitude;
// latitude and longitude as coordinate texts, south and west).
AnsiString LinhaEstacaoCsv(const AnsiString& uf, const AnsiString& nome, const TEquacao& e,
                           const AnsiString& citacao, double latitude, double longitude);
