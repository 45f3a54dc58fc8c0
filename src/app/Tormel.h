#pragma once
// The program's start-up sequence: settings file, help file, the query
// component, and the last-chance report of an error that escapes them.
#include <QString>
#include <exception>
#include <string>

class TAplicacao;

// Runs the program with its files beside the running executable; returns the
// exit status: 0 after a normal end, 1 after an error.
int ExecutaTormel(TAplicacao& app);
// The same with the program folder given (with its trailing '/').
int ExecutaTormelEm(TAplicacao& app, const std::string& pastaDoPrograma);

// "<class name>: <message>" of an error that no event loop caught.
QString LinhaDoErro(std::exception_ptr erro);
// Shows that line in an error box titled "Tormel 2.1", prints it to standard
// error and gives the exit status 1. A non-empty origem (where a refused value
// came from) is added in parentheses.
int TerminaComErro(TAplicacao& app, std::exception_ptr erro, const QString& origem = QString());
