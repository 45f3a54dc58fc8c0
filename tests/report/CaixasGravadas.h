#pragma once
// Records the program's message boxes instead of showing them.
#include <QString>
#include <QStringList>

#include "ui/Aplicacao.h"

class TCaixasGravadas : public ICaixas {
public:
    struct Caixa {
        QString Tipo, Titulo, Texto;
    };
    QList<Caixa> Caixas;

    void Erro(const QString& titulo, const QString& texto) override { Caixas.append({"Erro", titulo, texto}); }
    void Informacao(const QString& titulo, const QString& texto) override {
        Caixas.append({"Informacao", titulo, texto});
    }
};

// main() of a Qt Test class run inside the program's application object with
// the boxes recorded and the locale pinned to Brazilian Portuguese.
#define TORMEL_TEST_MAIN(Classe)                                  \
    int main(int argc, char** argv) {                              \
        TAplicacao app(argc, argv);                                \
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); \
        Classe teste;                                              \
        return QTest::qExec(&teste, argc, argv);                   \
    }
