#pragma once
// About window: a borderless picture with the program's name and version,
// closed by a click or by any key that produces a character.
#include <QDialog>
#include <string>

class QLabel;

class TfrmFoSobreTormel : public QDialog {
    Q_OBJECT
public:
    // The data set in use is named at the foot when the program folder is given.
    explicit TfrmFoSobreTormel(QWidget* dono, const std::string& pastaDoPrograma = {});

    QLabel* imgSplash = nullptr;
    QLabel* LbDados = nullptr;   // "Dados: ..." (none without the program folder)
    QLabel* lGradeNacional = nullptr;   // the national grid's credit

    void BitBtn1Click();

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
};
