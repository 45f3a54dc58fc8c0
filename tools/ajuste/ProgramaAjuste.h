#pragma once
// tormel21-ajuste: an IDF equation fitted to a rainfall record. Exit 0 with a
// fit, 1 when the record cannot give one (the reason in words), 2 for usage.
#include <iosfwd>
#include <string>
#include <vector>

namespace ProgramaAjuste {
constexpr int Sucesso = 0, SemAjuste = 1, UsoInvalido = 2;
int Executa(const std::vector<std::string>& argumentos, std::ostream& saida, std::ostream& erros);
}
