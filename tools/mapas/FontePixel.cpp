#include "FontePixel.h"

#include <map>

#include "platform/Erros.h"

namespace {

const std::map<QChar, const char*>& Glifos() {
    // Seven rows of five columns each, '#' for a set pixel.
    static const std::map<QChar, const char*> g = {
        {'A', " ### #   ##   #######   ##   ##   #"}, {'B', "#### #   ##   ##### #   ##   ##### "},
        {'C', " ### #   ##    #    #    #   # ### "}, {'D', "#### #   ##   ##   ##   ##   ##### "},
        {'E', "######    #    #### #    #    #####"}, {'F', "######    #    #### #    #    #    "},
        {'G', " ### #   ##    # ####   ##   # ####"}, {'H', "#   ##   ##   #######   ##   ##   #"},
        {'I', " ###   #    #    #    #    #   ### "}, {'J', "  ###   #    #    # #  # #  #  ##  "},
        {'L', "#    #    #    #    #    #    #####"}, {'M', "#   ### ### # ##   ##   ##   ##   #"},
        {'N', "#   ###  ## # ##  ###   ##   ##   #"}, {'O', " ### #   ##   ##   ##   ##   # ### "},
        {'P', "#### #   ##   ##### #    #    #    "}, {'R', "#### #   ##   ##### # #  #  # #   #"},
        {'S', " ### #   ##     ###     ##   # ### "}, {'T', "#####  #    #    #    #    #    #  "},
        {'U', "#   ##   ##   ##   ##   ##   # ### "}, {'V', "#   ##   ##   ##   ##   # # #   #  "},
    };
    return g;
}

}  // namespace

QRect TFontePixel::Caixa(const QString& texto, int x, int y) {
    int n = static_cast<int>(texto.size());
    return QRect(x, y, n * LarguraLetra + (n > 0 ? (n - 1) * Espaco : 0), AlturaLetra);
}

void TFontePixel::Escreve(QImage& img, const QString& texto, int x, int y, QRgb cor) {
    for (QChar ch : texto) {
        auto it = Glifos().find(ch);
        if (it == Glifos().end()) throw EDadosInvalidos("pixel font has no letter " + QString(ch).toStdString());
        for (int r = 0; r < AlturaLetra; ++r)
            for (int c = 0; c < LarguraLetra; ++c)
                if (it->second[r * LarguraLetra + c] == '#' && img.valid(x + c, y + r)) img.setPixel(x + c, y + r, cor);
        x += LarguraLetra + Espaco;
    }
}
