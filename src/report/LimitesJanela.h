#pragma once
// Size limits and centred position of the report window for a given screen.
#include <QPoint>
#include <QSize>

struct TLimitesJanela {
    QSize Minimo;   // 80 % of the screen, each side rounded to nearest, halves to even
    QSize Maximo;   // the screen
};

TLimitesJanela LimitesDaTela(QSize tela);
// Top-left corner that centres a window of the given size on the screen,
// (screen - window) / 2 rounded to nearest with halves to even.
QPoint PosicaoCentrada(QSize tela, QSize janela);
