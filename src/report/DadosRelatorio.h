#pragma once
// What the report shows: the query window's current result, as plain values.
// Texts are Windows-1252 bytes, exactly as the window holds or displays them.
#include <QImage>

#include "platform/AnsiString.h"

struct TDadosRelatorio {
    AnsiString NomeLocal;          // station or locality name as stored, or "Não definida"
    AnsiString NomeEstado;         // name of the current state
    AnsiString LatitudeTexto;      // DD°MM'SS"
    AnsiString LongitudeTexto;
    AnsiString K, A, B, C;         // captions of the parameter labels, as displayed
    AnsiString Fonte;              // the source button's caption (a network station's citation gets a section)
    bool MapaVisivel = false;      // the state map (not the map of Brazil) is shown
    QImage Mapa;                   // picture of the state map
    int MarcadorX = 0;             // left edge of the vertical crosshair line
    int MarcadorY = 0;             // top edge of the horizontal crosshair line
    AnsiString PastaPrograma;      // program folder with its trailing '/', as cp1252 text
    AnsiString DataEmissao;        // today's date in the user's short date format
};
