#pragma once
// "Vazão de projeto": peak flow by the rational method over the place's
// equation (model/MetodoRacional): area in ha or km², C typed or from a short
// table of surfaces (its source named), tc typed or by Kirpich from the
// length and the fall, the return period. A field that cannot be used is
// named with its range and changes nothing.
#include <QWidget>

#include <optional>

#include "curvas/LugarIdf.h"
#include "model/MetodoRacional.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TPaginaVazao : public QWidget {
public:
    explicit TPaginaVazao(const TLugarIdf& lugar, QWidget* parent = nullptr);

    QLineEdit *EdArea = nullptr, *EdC = nullptr, *EdTc = nullptr, *EdL = nullptr, *EdH = nullptr, *EdTr = nullptr;
    QComboBox *CbUnidade = nullptr, *CbSuperficie = nullptr;   // unit: 0 ha, 1 km²
    QRadioButton *RbTcDigitado = nullptr, *RbKirpich = nullptr;
    QPushButton* BtnCalcular = nullptr;
    QLabel* Resultado = nullptr;   // the computation, its inputs and its notes

    void CalcularClick();

    // The last computation (empty before one is made) and how tc was had.
    const std::optional<TVazaoDeProjeto>& Vazao() const { return vazao_; }
    // The computation as HTML lines, each saying where its number came from.
    QString TextoDoCalculo() const;

private:
    TLugarIdf lugar_;
    std::optional<TVazaoDeProjeto> vazao_;
    bool kirpich_ = false;
    double comprimento_ = 0, desnivel_ = 0, areaDigitada_ = 0;
    bool hectares_ = false;
};
