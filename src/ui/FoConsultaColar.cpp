// Query window: coordinates pasted from anywhere into either coordinate
// edit, or typed in "Procurar local...".
#include <QComboBox>
#include <QLocale>
#include <QSignalBlocker>
#include <QString>

#include "database/Coordenadas.h"
#include "database/Estados.h"
#include "database/GeoReferencia.h"
#include "platform/Numeros.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "ui/FoConsulta.h"
#include "ui/MascaraCoordenada.h"

void TfrmFoConsulta::ColaCoordenadas(const QString& texto) {
    // Read first: a text that does not read leaves the window as it was.
    VaiParaCoordenadas(LeCoordenadasColadas(texto.toStdString()));
}

void TfrmFoConsulta::VaiParaCoordenadas(const TCoordenadasColadas& c) {
    // The current state's map when its bounds hold the point, else the first
    // map state whose bounds do, chosen as the user's choice in the combo box.
    const double latitude = ParseDms(c.Latitude), longitude = ParseDms(c.Longitude);
    const TEstadoComMapa* atual = EstadoComMapa(Estado->Indice);
    if (!atual || !atual->DentroDosLimites(latitude, longitude)) {
        const TEstadoComMapa* outro = nullptr;
        for (const TEstadoComMapa& e : EstadosComMapa)
            if (!outro && e.DentroDosLimites(latitude, longitude)) outro = &e;
        if (!outro) {
            AnsiString siglas;
            for (const TEstadoComMapa& e : EstadosComMapa) siglas += AnsiString(siglas.empty() ? "" : ", ") + e.Sigla;
            throw Exception(Ansi("O ponto ") + c.Latitude + Ansi(" S, ") + c.Longitude +
                            Ansi(" W fica fora dos mapas de estado (") + siglas + Ansi("): não há onde calculá-lo."));
        }
        {
            const QSignalBlocker bloqueio(Estados);
            Estados->setCurrentIndex(outro->Indice);
        }
        EstadosClick();
        if (Estado->Indice != outro->Indice) return;
    }
    PrecLaAuxKeyPress();
    PrecLaAux->SetTexto(c.Latitude);
    PrecLoAux->SetTexto(c.Longitude);
    CalculalaloClick();
}
