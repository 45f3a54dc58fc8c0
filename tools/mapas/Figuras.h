#pragma once
// The report header picture (550 x 73) and the about picture (559 x 340).
#include <QImage>

#include "Contornos.h"

class TFiguras {
public:
    static QImage Cabecalho(const TContornos& contornos);
    static QImage Sobre(const TContornos& contornos);   // 24-bit when saved as BMP
};
