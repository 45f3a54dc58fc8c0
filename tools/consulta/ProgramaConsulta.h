#pragma once
// tormel21-consulta as a function of its arguments and streams, so that it
// runs the same from main and from a test.
#include <iosfwd>
#include <string>
#include <vector>

class TProgramaConsulta {
public:
    enum Estado { Sucesso = 0, DadoRuim = 1, UsoInvalido = 2 };

    // argumentos without the program name.
    static int Executa(const std::vector<std::string>& argumentos, std::istream& entrada, std::ostream& saida,
                       std::ostream& erros);
};
