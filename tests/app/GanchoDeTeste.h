#pragma once
// Plays the user for the process tests of the program (test build only).
// Action from TORMEL21_TESTE_ACAO: "ok" clicks "&Fechar", "cancel" clicks
// "&Cancelar", "close" uses the close box; with "+ajuda" after it, "&Ajuda"
// is clicked first and the help window's title printed: AJUDA <title>; with
// "+procura=<text>", Ctrl+F opens "Procurar local", the text is typed and the
// first suggestion chosen with Down and Enter. Any other modal window (the about
// window at the first activation) is closed first. When it acts it prints
//   JANELA estado=<i> estacao=<i> localidade=<i> latitude=<t> longitude=<t>
// and every message box is printed instead of shown:
//   CAIXA <titulo>|<texto>
#include <QObject>
#include <QTimer>

#include "ui/Aplicacao.h"

class TGanchoDeTeste : public QObject, public ICaixas {
public:
    TGanchoDeTeste(TAplicacao& app, QString acao);

    void Erro(const QString& titulo, const QString& texto) override;
    void Informacao(const QString& titulo, const QString& texto) override;

private:
    void Verifica();
    void Procura(QWidget* janela, const QString& texto);

    QString acao_;
    QTimer relogio_;
    int vistas_ = 0;
};
