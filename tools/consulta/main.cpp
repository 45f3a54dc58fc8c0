// tormel21-consulta: the command-line query beside tormel21.
#include <iostream>
#include <string>
#include <vector>

#include "LimpezaSinais.h"
#include "ProgramaConsulta.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    InstalaLimpezaNosSinais();
    const std::vector<std::string> argumentos(argv + 1, argv + argc);
    return TProgramaConsulta::Executa(argumentos, std::cin, std::cout, std::cerr);
}
