#pragma once
// Shared pieces of the window tests: recorders for boxes and help, a data
// folder of known stations, localities and state maps, and window helpers.
#include <QImage>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "database/Registros.h"
#include "ui/Ajuda.h"
#include "ui/Aplicacao.h"

class TfrmFoConsulta;

struct TCaixasGravadas : ICaixas {
    QStringList Titulos, Erros, Informacoes;
    void Erro(const QString& titulo, const QString& texto) override {
        Titulos << titulo;
        Erros << texto;
    }
    void Informacao(const QString& titulo, const QString& texto) override {
        Titulos << titulo;
        Informacoes << texto;
    }
    void Limpa() { Titulos.clear(), Erros.clear(), Informacoes.clear(); }
};

struct TAjudaGravada : IAjuda {
    std::vector<int> Topicos;
    int Conteudos = 0, Procuras = 0;
    void MostraTopico(int contexto) override { Topicos.push_back(contexto); }
    void MostraConteudo() override { ++Conteudos; }
    void ProcuraPalavra() override { ++Procuras; }
};

// The recorder installed by the test program's main.
TCaixasGravadas& Caixas();

// Records from UTF-8 texts.
TEstacao Estacao(const char* nome, double k, double a, double b, double c, const char* autor, const char* lat,
                 const char* lon);
TLocalidade Localidade(const char* nome, const char* lat, const char* lon);
AnsiString A(const char* utf8);        // cp1252 text
QString U(const AnsiString& ansi);     // shown text

// Bahia, Goiás, Paraná, São Paulo (without its map), Sergipe (no stations).
// Program folder <tmp>/Prog/, data in <tmp>/Arquivos Comuns/.
class TPastaTeste {
public:
    TPastaTeste();
    std::string Programa() const;
    QString Dados() const;
    // Stations written in a different order than the lists show them.
    static std::vector<std::vector<TEstacao>> Estacoes();
    static std::vector<std::vector<TLocalidade>> Localidades();
    static const QRect AzulBahia;   // the blue area of the Bahia test map

private:
    QTemporaryDir dir_;
};

// A 450 x 450 white picture with a pure blue rectangle.
QImage MapaComArea(const QRect& azul);
// A map of Brazil with known colour patches (see Ambiente.cpp).
QImage MapaDoBrasilDeTeste();

// Opens the window as the component does and lets its activation run.
std::unique_ptr<TfrmFoConsulta> AbreJanela(const TPastaTeste& pasta, IAjuda* ajuda, int estado,
                                           int indEstacao = -1, int indLocalidade = -1,
                                           const char* latitude = nullptr, const char* longitude = nullptr);
// Processes events until the window's activation has run.
void Processa();
// Runs `acao` once a modal window is open, then closes that window; returns
// the class name of the modal window seen (empty when none appeared).
QString FechaModalAo(const std::function<void()>& acao);
// Station and locality indices by their names in the test data.
int PosicaoNaLista(const class QListWidget* lista, const QString& texto);

class QComboBox;
// Chooses a state as the user does: opens the combo and clicks the item.
void EscolheEstado(QComboBox* estados, int indice);
// Clicks a list item with the mouse.
void ClicaItem(QListWidget* lista, int posicao);
// A number text with the locale's decimal separator in place of '.'.
QString N(const char* texto);
