#pragma once
// "Estações da interpolação": the stations behind the current place's K, a,
// b, c with their distances, shares and i(10, 60), nearest first; the spread
// of i(10, 60) over the five nearest beside the place's own value; and the
// warning sentence, or, for a station, that the values are its own. F1 and
// "Ajuda" open the help topic ContextoDeAjuda.
#include <QDialog>
#include <QString>

#include <optional>

#include "database/Confianca.h"

class IAjuda;
class QLabel;
class QPushButton;
class QTableWidget;

struct TDadosEstacoesInterpolacao {
    enum class TTipo {
        Interpolado,      // a locality or a point between stations
        Estacao,          // a station chosen in the list
        NaEstacao,        // a locality or a point that coincides with a station
    };
    QString Lugar;        // one line: name, state, coordinates
    QString Substantivo;  // "Esta localidade" / "Este ponto" (for NaEstacao)
    TTipo Tipo = TTipo::Interpolado;
    TConfianca Confianca;
    std::optional<double> ILugar;   // i(10, 60) of the place's parameters
};

class TfrmEstacoesInterpolacao : public QDialog {
    Q_OBJECT

public:
    // ajuda may be nullptr.
    TfrmEstacoesInterpolacao(TDadosEstacoesInterpolacao dados, char separador, IAjuda* ajuda,
                             QWidget* parent = nullptr);

    static constexpr int LinhasIniciais = 10;
    static constexpr int ContextoDeAjuda = 12;

    QLabel* Lugar = nullptr;
    QLabel* Situacao = nullptr;
    QLabel* Aviso = nullptr;
    QTableWidget* Tabela = nullptr;
    QPushButton* BtnMostrarTodas = nullptr;   // "mostrar todas", while rows are held back
    QLabel* Dispersao = nullptr;
    QPushButton* BtnAjuda = nullptr;
    QPushButton* BtnFechar = nullptr;

    void MostrarTodasClick();
    void AjudaClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void PreencheLinhas(int quantas);
    QString Numero(double v, const char* formato) const;

    TDadosEstacoesInterpolacao dados_;
    char separador_;
    IAjuda* ajuda_;
};

void MostraEstacoesInterpolacao(QWidget* dono, TDadosEstacoesInterpolacao dados, char separador, IAjuda* ajuda);
