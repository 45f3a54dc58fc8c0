#pragma once
// tormel21-consulta run as a process by the tests: to the end with an input
// text, or left running on an open pipe so that it can be signalled.
#include <sys/types.h>

#include <string>
#include <vector>

struct TExecucaoTeste {
    int Estado = -1;   // exit status; -1 when ended by a signal
    int Sinal = 0;     // the signal that ended it
    std::string Saida, Erros;
};

// Standard input from `entrada`; standard output and error through files in
// `pasta` (a folder ending with '/').
TExecucaoTeste RodaConsulta(const std::string& pasta, const std::vector<std::string>& argumentos,
                            const std::string& entrada = "");

// Started with standard input on a pipe left open (the program waits on it).
class TConsultaEmCurso {
public:
    TConsultaEmCurso(const std::string& pasta, const std::vector<std::string>& argumentos);
    ~TConsultaEmCurso();
    // Sends the signal and waits for the end.
    TExecucaoTeste Termina(int sinal);

private:
    pid_t pid_ = -1;
    int escrita_ = -1;
    std::string pasta_;
};

// Names in the folder, sorted.
std::vector<std::string> NomesNaPasta(const std::string& pasta);
