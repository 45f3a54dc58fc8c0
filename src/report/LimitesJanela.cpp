#include "report/LimitesJanela.h"

#include <cmath>

namespace {
int Arredonda(double valor) { return static_cast<int>(std::nearbyint(valor)); }
}  // namespace

TLimitesJanela LimitesDaTela(QSize tela) {
    TLimitesJanela limites;
    limites.Maximo = tela;
    limites.Minimo = QSize(Arredonda(tela.width() * 0.8), Arredonda(tela.height() * 0.8));
    return limites;
}

QPoint PosicaoCentrada(QSize tela, QSize janela) {
    return QPoint(Arredonda((tela.width() - janela.width()) / 2.0),
                  Arredonda((tela.height() - janela.height()) / 2.0));
}
