#pragma once
// Choosing in the window's controls with the mouse, as a user does.
class QComboBox;
class QListWidget;

void EscolheEstado(QComboBox* estados, int indice);   // through the popup
void ClicaLinha(QListWidget* lista, int linha);       // nothing when the row does not exist
