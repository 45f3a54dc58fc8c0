// Window tests of bad data on the offscreen platform.
#include "suporte/ExecutaTestes.h"

int ExecutaTesteMapasRuins(int argc, char** argv);
int ExecutaTesteCoordenadaMascara(int argc, char** argv);
int ExecutaTesteRelatorioRuim(int argc, char** argv);
int ExecutaTesteAjudaRuim(int argc, char** argv);

int main(int argc, char** argv) {
    return ExecutaTestes(argc, argv, {ExecutaTesteMapasRuins, ExecutaTesteCoordenadaMascara, ExecutaTesteRelatorioRuim,
                          ExecutaTesteAjudaRuim},
                         LocaleBrasil());
}
