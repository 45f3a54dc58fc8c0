#pragma once
// Source reference dialog: the full reference of a short citation.
#include <QDialog>
#include <string>

class QLabel;
class QPushButton;

class TfrmFoAutor : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFoAutor(QWidget* dono);

    QLabel* Autor = nullptr;    // authors, one line
    QLabel* Livro = nullptr;    // title, word-wrapped, bold
    QLabel* Pagina = nullptr;   // publication, word-wrapped
    QPushButton* OK = nullptr;  // "&Ok", default button

    // Fills the labels from the citation table row whose key equals the text
    // exactly; false (labels untouched) when no key equals it.
    // The labels are then laid out so that every text reads in full.
    bool MostraCitacao(const QString& chave);
    // A station the user fitted ("Ajuste ..."): the fit's description kept in
    // ajustes.csv of the data folder; false (labels untouched) when none.
    bool MostraAjuste(const QString& chave, const std::string& pastaDados);
    // The national grid's reference (the source "GRIDF-BR (grade nacional)").
    void MostraGradeNacional();

protected:
    void showEvent(QShowEvent* evento) override;   // centred on the screen

private:
    void AjustaAoTexto();
};

// Text of the information box that answers a caption matching no key.
extern const char* const MensagemInterpolacao;
