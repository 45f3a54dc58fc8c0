// Query window: coordinates pasted from anywhere into either coordinate
// edit, or typed in "Procurar local...".
#include <QString>

#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "ui/FoConsulta.h"
#include "ui/MascaraCoordenada.h"

void TfrmFoConsulta::ColaCoordenadas(const QString& texto) {
    // Read first: a text that does not read leaves both edits as they were.
    VaiParaCoordenadas(LeCoordenadasColadas(texto.toStdString()));
}

void TfrmFoConsulta::VaiParaCoordenadas(const TCoordenadasColadas& c) {
    if (!PrecLaAux->isEnabled())
        throw Exception(Ansi("O estado escolhido não tem mapa: não há onde calcular um ponto por coordenadas."));
    PrecLaAuxKeyPress();
    PrecLaAux->SetTexto(c.Latitude);
    PrecLoAux->SetTexto(c.Longitude);
    CalculalaloClick();
}
