// tormel21-ajuste: an IDF equation fitted to a rainfall record.
#include <iostream>
#include <string>
#include <vector>

#include "ProgramaAjuste.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return ProgramaAjuste::Executa(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
