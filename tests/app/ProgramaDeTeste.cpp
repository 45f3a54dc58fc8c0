// The program with the test hook: the start-up sequence of the shipped
// program, driven by TGanchoDeTeste.
#include "GanchoDeTeste.h"
#include "app/Tormel.h"
#include "ui/Aplicacao.h"

int main(int argc, char** argv) {
    TAplicacao app(argc, argv);
    TGanchoDeTeste gancho(app, qEnvironmentVariable("TORMEL21_TESTE_ACAO"));
    return ExecutaTormel(app);
}
