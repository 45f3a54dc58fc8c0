// Query window: typed coordinates and "&Calcular".
#include <QFrame>
#include <QLabel>
#include <QListWidget>

#include "platform/PontoFlutuante.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"
#include "ui/MascaraCoordenada.h"

namespace {
// Sets the replay flag for one call and clears it however the call ends.
class TRepeticao {
public:
    TRepeticao() { TypedPointReplay = true; }
    ~TRepeticao() { TypedPointReplay = false; }
};
}  // namespace

void TfrmFoConsulta::PrecLaAuxKeyPress() {
    for (QWidget* w : std::initializer_list<QWidget*>{NomeCid, LatCid, LonCid, LabelLatitude, LabelLongitude,
                                                      EixoX, EixoY, LabelLon, LabelLat})
        w->hide();
}

void TfrmFoConsulta::CalculalaloClick() {
    SelecionaLinha(LBEstacao, -1);
    SelecionaLinha(LBLocalidade, -1);
    SetLatitudeText(PrecLaAux->Texto());
    SetLongitudeText(PrecLoAux->Texto());
    MarkerX = StateMapGeoRef.XOfLongitude(Longitude);
    MarkerY = StateMapGeoRef.YOfLatitude(Latitude);
    LabelLat->clear();
    LabelLon->clear();
    const int x = static_cast<int>(Arredonda(MarkerX));
    const int y = static_cast<int>(Arredonda(MarkerY));
    if (IsInsideState(x, y)) {
        EstadoBMP->setCursor(Qt::CrossCursor);
        TRepeticao repeticao;
        EstadoBMPMouseUp(Qt::RightButton, x, y);
    } else {
        for (QLabel* p : {PrecK, PrecA, PrecB, PrecC}) p->clear();
        EixoY->hide();
        EixoX->hide();
    }
}
