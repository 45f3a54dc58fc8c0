#include "CaixasGravadas.h"

void TCaixasGravadas::Erro(const QString& titulo, const QString& texto) {
    Caixas.append({QStringLiteral("Erro"), titulo, texto});
}

void TCaixasGravadas::Informacao(const QString& titulo, const QString& texto) {
    Caixas.append({QStringLiteral("Informacao"), titulo, texto});
}

QStringList TCaixasGravadas::Titulos() const {
    QStringList r;
    for (const TCaixa& c : Caixas) r << c.Titulo;
    return r;
}

QStringList TCaixasGravadas::Textos(const QString& tipo, bool comTitulo) const {
    QStringList r;
    for (const TCaixa& c : Caixas)
        if (c.Tipo == tipo) r << (comTitulo ? c.Titulo + QLatin1Char('|') + c.Texto : c.Texto);
    return r;
}

QStringList TCaixasGravadas::Erros() const { return Textos(QStringLiteral("Erro"), false); }
QStringList TCaixasGravadas::Informacoes() const { return Textos(QStringLiteral("Informacao"), false); }
QStringList TCaixasGravadas::ErrosComTitulo() const { return Textos(QStringLiteral("Erro"), true); }

TCaixasGravadas& Caixas() {
    static TCaixasGravadas caixas;
    return caixas;
}
