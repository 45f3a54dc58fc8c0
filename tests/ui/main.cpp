// Window tests on the offscreen platform. The locale comes from
// TORMEL_TESTE_LOCALE (pt_BR: comma; en_US: point), so every number check
// runs once with each decimal separator.
#include <QLocale>

#include "Ambiente.h"

int ExecutaTesteAplicacao(int argc, char** argv);
int ExecutaTesteConsultaEstados(int argc, char** argv);
int ExecutaTesteConsultaListas(int argc, char** argv);
int ExecutaTesteConsultaMapa(int argc, char** argv);
int ExecutaTesteConsultaComandos(int argc, char** argv);

TCaixasGravadas& Caixas() {
    static TCaixasGravadas caixas;
    return caixas;
}

int main(int argc, char** argv) {
    TAplicacao app(argc, argv);
    app.SetCaixas(&Caixas());
    QLocale::setDefault(QLocale(qEnvironmentVariable("TORMEL_TESTE_LOCALE", QStringLiteral("pt_BR"))));
    int falhas = 0;
    falhas += ExecutaTesteAplicacao(argc, argv);
    falhas += ExecutaTesteConsultaEstados(argc, argv);
    falhas += ExecutaTesteConsultaListas(argc, argv);
    falhas += ExecutaTesteConsultaMapa(argc, argv);
    falhas += ExecutaTesteConsultaComandos(argc, argv);
    app.SetCaixas(nullptr);
    return falhas;
}
