// Window and program tests of bad data on the offscreen platform.
#include <QLocale>

#include "CaixasRegistradas.h"
#include "ui/Aplicacao.h"

int ExecutaTesteMapasRuins(int argc, char** argv);
int ExecutaTesteCoordenadaMascara(int argc, char** argv);
int ExecutaTesteRelatorioRuim(int argc, char** argv);

TCaixasRegistradas& Caixas() {
    static TCaixasRegistradas caixas;
    return caixas;
}

int main(int argc, char** argv) {
    TAplicacao app(argc, argv);
    app.SetCaixas(&Caixas());
    QLocale::setDefault(QLocale(QStringLiteral("pt_BR")));
    int falhas = 0;
    falhas += ExecutaTesteMapasRuins(argc, argv);
    falhas += ExecutaTesteCoordenadaMascara(argc, argv);
    falhas += ExecutaTesteRelatorioRuim(argc, argv);
    app.SetCaixas(nullptr);
    return falhas;
}
