// Query window: the pointer on the map of Brazil and on the state map.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

#include <array>

#include "database/Coordenadas.h"
#include "platform/Cp1252.h"
#include "platform/Numeros.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"
#include "ui/MascaraCoordenada.h"

namespace {
struct TCorEstado {
    int R, G, B;
    int Estado;
};

// Colours of the map of Brazil, in the order they are tried.
constexpr std::array<TCorEstado, 23> CoresDosEstados{{
    {0, 0, 255, 12},     {0, 255, 255, 7},     {0, 153, 255, 18},    {0, 0, 153, 24},
    {102, 0, 0, 20},     {153, 0, 0, 23},      {204, 0, 0, 15},      {161, 161, 161, 10},
    {67, 67, 67, 11},    {102, 102, 102, 8},   {255, 255, 153, 4},   {255, 255, 0, 1},
    {204, 204, 0, 16},   {255, 204, 102, 14},  {255, 153, 0, 19},    {204, 102, 0, 5},
    {153, 102, 0, 17},   {102, 51, 0, 9},      {0, 51, 0, 0},        {0, 102, 0, 3},
    {0, 153, 0, 13},     {102, 255, 51, 21},   {153, 255, 153, 26},
}};

// White, black, Distrito Federal, Sergipe, Roraima, Amapá.
constexpr std::array<std::array<int, 3>, 6> CoresNeutras{{
    {255, 255, 255}, {0, 0, 0}, {13, 13, 13}, {102, 102, 0}, {51, 204, 0}, {0, 204, 0},
}};

bool Igual(const QColor& c, int r, int g, int b) {
    return c.isValid() && c.red() == r && c.green() == g && c.blue() == b;
}

QString Q(const AnsiString& ansi) { return QString::fromStdString(Cp1252ToUtf8(ansi)); }
}  // namespace

void TfrmFoConsulta::BrasilBMPMouseMove(int x, int y) {
    const QColor cor = BrasilBMP->CorDoPixel(x, y);
    bool neutra = false;
    for (const auto& n : CoresNeutras)
        if (Igual(cor, n[0], n[1], n[2])) neutra = true;
    BrasilBMP->setCursor(neutra ? Qt::ArrowCursor : Qt::PointingHandCursor);
}

void TfrmFoConsulta::BrasilBMPMouseUp(Qt::MouseButton, int x, int y) {
    const QColor cor = BrasilBMP->CorDoPixel(x, y);
    for (const auto& c : CoresDosEstados) {
        if (Igual(cor, c.R, c.G, c.B)) {
            const QSignalBlocker bloqueio(Estados);
            Estados->setCurrentIndex(c.Estado);
            break;
        }
    }
    EstadosClick();
    AbreGradeNoBrasil(cor, x, y);
}

void TfrmFoConsulta::EstadoBMPMouseMove(int x, int y) {
    if (!IsInsideState(x, y)) {
        PrecLaAux->SetTexto(TextoCoordenadaZero);
        PrecLoAux->SetTexto(TextoCoordenadaZero);
        EstadoBMP->setCursor(Qt::ArrowCursor);
        return;
    }
    EstadoBMP->setCursor(Qt::CrossCursor);
    PrecLaAux->SetTexto(FormatDms(StateMapGeoRef.LatitudeFromY(y)));
    PrecLoAux->SetTexto(FormatDms(StateMapGeoRef.LongitudeFromX(x)));
}

void TfrmFoConsulta::EstadoBMPMouseUp(Qt::MouseButton, int x, int y) {
    if (EstadoBMP->cursor().shape() != Qt::CrossCursor) {
        EixoY->hide();
        EixoX->hide();
        LabelLat->hide();
        LabelLon->hide();
        return;
    }
    PlaceName = Ansi("Não definida");
    estadoDoLugar_ = estadoDoMapa_;   // the map's state, not the combo's
    SelecionaLinha(LBEstacao, -1);
    SelecionaLinha(LBLocalidade, -1);
    for (QLabel* r : {NomeCid, LatCid, LonCid, LabelLatitude, LabelLongitude}) r->hide();
    if (!TypedPointReplay) SetLatitudeValue(StateMapGeoRef.LatitudeFromY(y));
    PrecLaAux->SetTexto(LatitudeText);
    LabelLat->setText(Q(LatitudeText));
    if (!TypedPointReplay) SetLongitudeValue(StateMapGeoRef.LongitudeFromX(x));
    PrecLoAux->SetTexto(LongitudeText);
    LabelLon->setText(Q(LongitudeText));
    const TEstacao resultado = BD->Interpola(LatitudeText, LongitudeText);
    EixoY->move(x, EixoY->y());
    EixoX->move(EixoX->x(), y);
    MarkerLabelLayout(x, y);
    EixoY->show();
    EixoX->show();
    LabelLon->show();
    LabelLat->show();
    const char sep = SeparadorDecimal();
    PrecK->setText(QString::fromStdString(FormatFloat("###0.000", resultado.K, sep)));
    PrecA->setText(QString::fromStdString(FormatFloat("0.000", resultado.a, sep)));
    PrecB->setText(QString::fromStdString(FormatFloat("#0.000", resultado.b, sep)));
    PrecC->setText(QString::fromStdString(FormatFloat("0.000", resultado.c, sep)));
    SetLegendaAutor(QString::fromUtf8("Interpolação"));
}
