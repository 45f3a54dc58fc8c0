#pragma once
// Opening the query window as the query component does, and playing the user
// on it with real pointer events.
#include <QString>

#include <memory>

class QComboBox;
class QListWidget;
class TPastaJanela;
class TfrmFoConsulta;

void Processa();
std::unique_ptr<TfrmFoConsulta> AbreJanela(const TPastaJanela& pasta, int estado, int indEstacao = 0,
                                           int indLocalidade = -1);
void EscolheEstado(QComboBox* estados, int indice);   // through the popup, with the mouse
void ClicaLinha(QListWidget* lista, int linha);
QStringList Itens(const QListWidget* lista);
