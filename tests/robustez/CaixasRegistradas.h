#pragma once
// The message boxes a test provoked, recorded instead of shown.
#include <QStringList>

#include "ui/Aplicacao.h"

class TCaixasRegistradas : public ICaixas {
public:
    void Erro(const QString& titulo, const QString& texto) override { Erros << titulo + QLatin1Char('|') + texto; }
    void Informacao(const QString& titulo, const QString& texto) override {
        Informacoes << titulo + QLatin1Char('|') + texto;
    }
    void Limpa() {
        Erros.clear();
        Informacoes.clear();
    }
    QStringList Erros, Informacoes;
};

TCaixasRegistradas& Caixas();   // installed by the test program's main
