#pragma once
// Opening the query window as the query component does, and playing the user
// on it with real pointer events.
#include <QString>

#include <memory>

#include "suporte/Cliques.h"
#include "suporte/JanelasModais.h"

class QComboBox;
class QListWidget;
class TPastaJanela;
class TfrmFoConsulta;

std::unique_ptr<TfrmFoConsulta> AbreJanela(const TPastaJanela& pasta, int estado, int indEstacao = 0,
                                           int indLocalidade = -1);
QStringList Itens(const QListWidget* lista);
