#pragma once
// main() of the Qt Test programs: the test classes run one after the other
// inside the program's application object, with the boxes recorded in
// Caixas() and, when one is given, the default locale pinned.
#include <QLocale>
#include <QTest>

#include <initializer_list>
#include <optional>

#include "suporte/CaixasGravadas.h"

using TExecutaTeste = int (*)(int argc, char** argv);

template <class Classe>
int ExecutaClasse(int argc, char** argv) {
    Classe teste;
    return QTest::qExec(&teste, argc, argv);
}

// Returns the sum of the classes' failures.
int ExecutaTestes(int argc, char** argv, std::initializer_list<TExecutaTeste> testes,
                  const std::optional<QLocale>& local = std::nullopt);

inline QLocale LocaleBrasil() { return QLocale(QLocale::Portuguese, QLocale::Brazil); }
inline QLocale LocaleEstadosUnidos() { return QLocale(QLocale::English, QLocale::UnitedStates); }

// TORMEL_TEST_MAIN(Classe) or TORMEL_TEST_MAIN(Classe, locale)
#define TORMEL_TEST_MAIN(Classe, ...)                                                      \
    int main(int argc, char** argv) {                                                      \
        return ExecutaTestes(argc, argv, {&ExecutaClasse<Classe>} __VA_OPT__(, ) __VA_ARGS__); \
    }
