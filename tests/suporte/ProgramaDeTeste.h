#pragma once
// Running the test build of the program as a process: it plays the user
// through TORMEL21_TESTE_ACAO ("ok", "cancel", "close", "+ajuda") and prints
// what the window holds and the boxes it would show.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

struct TResultado {
    int Status = -1;          // exit status; -1 when it crashed or never started
    bool Terminou = false;    // ended within the time limit
    QString Saida, Erro;      // standard output and standard error
    QStringList Linhas(const QString& prefixo) const;   // output lines with that prefix
};

// Runs `programa` offscreen with the action, in `pastaDeTrabalho` (the
// temporary folder when empty). `noFilho` runs in the child before exec.
TResultado ExecutaProgramaDeTeste(const QString& programa, const QString& acao,
                                  const QString& pastaDeTrabalho = QString(),
                                  const std::function<void()>& noFilho = {});

QByteArray Bytes(const char* utf8);     // UTF-8 literal as the cp1252 bytes of a file
QByteArray Le(const QString& caminho);  // whole file; empty when it cannot be read
