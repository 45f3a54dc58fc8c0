#pragma once
// A list of places whose choice is the user's alone: a click on an item (also
// on the one already highlighted) or a keyboard move (arrows, pages, typing a
// name) reports the chosen row once; taking the keyboard focus never makes a
// row current, and a change made from code reports nothing.
#include <QListWidget>

#include <functional>

class TListaLugares : public QListWidget {
public:
    explicit TListaLugares(QWidget* parent = nullptr);

    // Runs once per click on an item and once per keyboard move to another row.
    std::function<void()> AoEscolher;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Escolhe();
    bool pressionadoNumItem_ = false;
};
