#pragma once
// Entry points of the modal windows opened from the query window.
// Each creates its window owned by `dono`, shows it modally and destroys it.
#include <QString>
#include <string>

class QWidget;
class TfrmFoConsulta;

// Source reference dialog for the caption of the window's "Autor" button
// (or the interpolation message when no citation key equals it).
void AutorClickComLegenda(QWidget* dono, const QString& legendaAutor, const std::string& pastaDados = {});
// About window.
void MostraSobre(QWidget* dono, const std::string& pastaDoPrograma = {});
// Report window over the query window.
void MostraRelatorio(TfrmFoConsulta* dono);
