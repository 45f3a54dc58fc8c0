#pragma once
// "Procurar local": a field whose completion offers every station and
// locality of every state by name, accents and case ignored; choosing a
// suggestion (Enter on it, a click, or Enter in the field for the first one)
// closes the dialog with that place. F1 opens the help topic ContextoDeAjuda.
#include <QDialog>

#include <optional>
#include <vector>

#include "database/CoordenadasColadas.h"
#include "platform/AnsiString.h"

class IAjuda;
class QCompleter;
class QLabel;
class QLineEdit;
class QStandardItemModel;

struct TLugarProcurado {
    AnsiString Nome;         // as stored (cp1252)
    int Estado = 0;          // state index
    bool Estacao = false;    // station, else locality
    int Registro = 0;        // index in the state's block, in file order
};

class TProcuraLocal : public QDialog {
    Q_OBJECT

public:
    // ajuda may be nullptr.
    TProcuraLocal(std::vector<TLugarProcurado> lugares, IAjuda* ajuda, QWidget* parent = nullptr);

    static constexpr int ContextoDeAjuda = 13;

    // Text of a suggestion: name, state abbreviation and kind.
    static QString Sugestao(const TLugarProcurado& lugar);

    QLineEdit* Campo = nullptr;
    QCompleter* Completador = nullptr;
    QLabel* SemResultado = nullptr;   // shown while a typed text matches no place

    // The suggestions for the field's current text, best first: names that
    // begin with the text before names with a later word that does, each
    // group in the order of the lists, then by state.
    std::vector<int> Sugestoes() const;
    const std::optional<TLugarProcurado>& Escolhido() const { return escolhido_; }
    // Coordinates typed or pasted instead of a name (Enter on a text that
    // reads as a latitude and a longitude, LeCoordenadasColadas); a text that
    // looks like coordinates but does not read shows why and keeps the dialog.
    const std::optional<TCoordenadasColadas>& Coordenadas() const { return coordenadas_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Atualiza();
    void Escolhe(int indice);

    std::vector<TLugarProcurado> lugares_;
    QStandardItemModel* modelo_ = nullptr;
    std::optional<TLugarProcurado> escolhido_;
    std::optional<TCoordenadasColadas> coordenadas_;
    IAjuda* ajuda_;
};
