// Tormel 2.1: the query of the heavy-rainfall equation parameters.
#include "app/Tormel.h"
#include "ui/Aplicacao.h"

int main(int argc, char** argv) {
    TAplicacao app(argc, argv);
    return ExecutaTormel(app);
}
