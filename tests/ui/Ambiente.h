#pragma once
// Pieces of the window tests: a help recorder, a data folder of known
// stations, localities and state maps, and window helpers. The recorded
// boxes (Caixas()), Processa and FechaModalAo come from tests/suporte.
#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "platform/AnsiString.h"
#include "suporte/CaixasGravadas.h"
#include "suporte/Cliques.h"
#include "suporte/JanelasModais.h"
#include "suporte/PastaPrograma.h"
#include "ui/Ajuda.h"

class QComboBox;
class QListWidget;
class TfrmFoConsulta;
class TMascaraCoordenada;

struct TAjudaGravada : IAjuda {
    std::vector<int> Topicos;
    int Conteudos = 0, Procuras = 0;
    void MostraTopico(int contexto) override { Topicos.push_back(contexto); }
    void MostraConteudo() override { ++Conteudos; }
    void ProcuraPalavra() override { ++Procuras; }
};

// Data folder <tmp>/Arquivos Comuns beside the program folder <tmp>/bin/:
// Bahia, Goiás, Paraná (with maps but São Paulo's missing), Sergipe empty.
// Bahia's last station, "Vitória", lies beyond the Bahia map's bounds.
// Each block is written in another order than the lists show it.
class TPastaTeste {
public:
    TPastaTeste();
    std::string Programa() const { return pasta_.Programa(); }
    QString Dados() const { return QString::fromStdString(pasta_.Dados()); }

private:
    TPastaPrograma pasta_;
};

AnsiString A(const char* utf8);     // cp1252 text
QString U(const AnsiString& ansi);  // as shown
QString N(const char* numero);      // '.' replaced by the locale's separator

// Opens the window as the component does and lets its activation run; the
// Brazil page gets the test map of Ambiente.cpp.
std::unique_ptr<TfrmFoConsulta> AbreJanela(const TPastaTeste& pasta, IAjuda* ajuda, int estado,
                                           int indEstacao = -1, int indLocalidade = -1,
                                           const char* latitude = nullptr, const char* longitude = nullptr);
void ClicaItem(QListWidget* lista, const QString& texto);
// Clicks into a coordinate edit and types its digits from the first position.
void DigitaCoordenada(TMascaraCoordenada* edit, const QString& digitos);
