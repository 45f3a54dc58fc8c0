#pragma once
// Shared pieces of the window tests: recorders for boxes and help, a data
// folder of known stations, localities and state maps, and window helpers.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/AnsiString.h"
#include "ui/Ajuda.h"
#include "ui/Aplicacao.h"

class QComboBox;
class QListWidget;
class TfrmFoConsulta;

struct TCaixasGravadas : ICaixas {
    QStringList Titulos, Erros, Informacoes;
    void Erro(const QString& titulo, const QString& texto) override { Titulos << titulo, Erros << texto; }
    void Informacao(const QString& titulo, const QString& texto) override { Titulos << titulo, Informacoes << texto; }
    void Limpa() { Titulos.clear(), Erros.clear(), Informacoes.clear(); }
};

struct TAjudaGravada : IAjuda {
    std::vector<int> Topicos;
    int Conteudos = 0, Procuras = 0;
    void MostraTopico(int contexto) override { Topicos.push_back(contexto); }
    void MostraConteudo() override { ++Conteudos; }
    void ProcuraPalavra() override { ++Procuras; }
};

TCaixasGravadas& Caixas();   // installed by the test program's main

// Data folder <tmp>/Arquivos Comuns beside the program folder <tmp>/Prog/:
// Bahia, Goiás, Paraná (with maps but São Paulo's missing), Sergipe empty.
// Each block is written in another order than the lists show it.
class TPastaTeste {
public:
    TPastaTeste();
    std::string Programa() const;
    QString Dados() const;

private:
    QTemporaryDir dir_;
};

AnsiString A(const char* utf8);     // cp1252 text
QString U(const AnsiString& ansi);  // as shown
QString N(const char* numero);      // '.' replaced by the locale's separator

// Opens the window as the component does and lets its activation run; the
// Brazil page gets the test map of Ambiente.cpp.
std::unique_ptr<TfrmFoConsulta> AbreJanela(const TPastaTeste& pasta, IAjuda* ajuda, int estado,
                                           int indEstacao = -1, int indLocalidade = -1,
                                           const char* latitude = nullptr, const char* longitude = nullptr);
void Processa();
// Runs `acao`, closing the first modal window that opens; gives its class name.
QString FechaModalAo(const std::function<void()>& acao);
void EscolheEstado(QComboBox* estados, int indice);   // through the popup, with the mouse
void ClicaItem(QListWidget* lista, const QString& texto);
