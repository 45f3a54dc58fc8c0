#pragma once
// "Adicionar aos meus dados": the state, name and place of the fitted
// station, asked before it joins the user's data set.
#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

class TfrmAdicionaEstacao : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAdicionaEstacao(const QString& nome, QWidget* parent = nullptr);

    QComboBox* CbEstado = nullptr;     // state abbreviations, in state-index order
    QLineEdit* EdNome = nullptr;
    QLineEdit* EdLatitude = nullptr;   // decimal degrees, south (sign ignored)
    QLineEdit* EdLongitude = nullptr;  // decimal degrees, west (sign ignored)
    QPushButton *BtnOk = nullptr, *BtnCancelar = nullptr;

    // The coordinates with the locale's separator, a comma or a point; false when
    // one is not a number.
    bool Coordenadas(double& latitude, double& longitude) const;
};
