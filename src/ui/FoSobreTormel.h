#pragma once
// About window: a borderless picture with the program's name and version,
// closed by a click or by any key that produces a character.
#include <QDialog>

class QLabel;

class TfrmFoSobreTormel : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFoSobreTormel(QWidget* dono);

    QLabel* imgSplash = nullptr;
    QLabel* lGradeNacional = nullptr;   // the national grid's credit

    void BitBtn1Click();

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
};
