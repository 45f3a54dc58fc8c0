#pragma once
// The program's message boxes recorded instead of shown, in the order they
// came, and the one recorder the test mains install in the application.
#include <QList>
#include <QString>
#include <QStringList>

#include "ui/Aplicacao.h"

class TCaixasGravadas : public ICaixas {
public:
    struct TCaixa {
        QString Tipo;   // "Erro" or "Informacao"
        QString Titulo, Texto;
    };
    QList<TCaixa> Caixas;

    void Erro(const QString& titulo, const QString& texto) override;
    void Informacao(const QString& titulo, const QString& texto) override;
    void Limpa() { Caixas.clear(); }

    QStringList Titulos() const;        // of every box
    QStringList Erros() const;          // texts of the error boxes
    QStringList Informacoes() const;    // texts of the information boxes
    QStringList ErrosComTitulo() const; // "title|text" of the error boxes

private:
    QStringList Textos(const QString& tipo, bool comTitulo) const;
};

TCaixasGravadas& Caixas();   // installed by ExecutaTestes (ExecutaTestes.h)
