#pragma once
// "Calculadora": the inverse questions of the place's equation for a return
// period: duration for an intensity or a depth, depth between two durations,
// and the return period of an observed storm. Each answer names the
// question it belongs to and has its unit, or says in words why there is
// none; it goes when an input it depends on changes.
#include <QWidget>

#include "curvas/LugarIdf.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TPaginaCalculadora : public QWidget {
public:
    explicit TPaginaCalculadora(const TLugarIdf& lugar, QWidget* parent = nullptr);

    QLineEdit* EdTr = nullptr;
    QLineEdit* EdIntensidade = nullptr;
    QLineEdit* EdAltura = nullptr;
    QLineEdit *EdT1 = nullptr, *EdT2 = nullptr;
    QLineEdit *EdDuracaoEvento = nullptr, *EdValorEvento = nullptr;
    QRadioButton *RbEventoAltura = nullptr, *RbEventoIntensidade = nullptr;
    QPushButton *BtnIntensidade = nullptr, *BtnAltura = nullptr, *BtnEntre = nullptr, *BtnEvento = nullptr;
    QLabel *RespIntensidade = nullptr, *RespAltura = nullptr, *RespEntre = nullptr, *RespEvento = nullptr;

    void DuracaoDaIntensidadeClick();
    void DuracaoDaAlturaClick();
    void AlturaEntreClick();
    void PeriodoDoEventoClick();

private:
    double Tr() const;
    void LigaRespostas();

    TLugarIdf lugar_;
};
