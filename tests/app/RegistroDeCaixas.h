#pragma once
// Message boxes recorded instead of shown.
#include <QStringList>

#include "ui/Aplicacao.h"

class TRegistroDeCaixas : public ICaixas {
public:
    QStringList Erros, Informacoes;
    void Erro(const QString& titulo, const QString& texto) override { Erros << titulo + QStringLiteral("|") + texto; }
    void Informacao(const QString& titulo, const QString& texto) override {
        Informacoes << titulo + QStringLiteral("|") + texto;
    }
    void Limpa() {
        Erros.clear();
        Informacoes.clear();
    }
};
