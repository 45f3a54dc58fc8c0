#pragma once
// "Ponto na grade nacional...": a point typed as coordinate texts (south and
// west), for the states without a data source, where the query window's own
// coordinate entry stays off.
#include <QDialog>

#include "platform/AnsiString.h"

class QPushButton;
class TMascaraCoordenada;

class TPontoNaGrade : public QDialog {
    Q_OBJECT
public:
    explicit TPontoNaGrade(QWidget* dono);

    TMascaraCoordenada* Latitude = nullptr;
    TMascaraCoordenada* Longitude = nullptr;
    QPushButton* BtnOk = nullptr;

    // OK with an incomplete text keeps the dialog open with the masked
    // edit's message.
    void OkClick();
};

// True and the two texts when the user gave a complete point.
bool PedePontoNaGrade(QWidget* dono, AnsiString& latitude, AnsiString& longitude);
