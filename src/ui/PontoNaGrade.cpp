#include "ui/PontoNaGrade.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

#include "platform/Erros.h"
#include "ui/Aplicacao.h"
#include "ui/MascaraCoordenada.h"

TPontoNaGrade::TPontoNaGrade(QWidget* dono) : QDialog(dono) {
    setWindowTitle(QString::fromUtf8("Ponto na grade nacional"));
    Latitude = new TMascaraCoordenada;
    Longitude = new TMascaraCoordenada;
    auto* botoes = new QDialogButtonBox;
    BtnOk = botoes->addButton(QString::fromUtf8("&Ok"), QDialogButtonBox::AcceptRole);
    botoes->addButton(QString::fromUtf8("&Cancelar"), QDialogButtonBox::RejectRole);
    BtnOk->setDefault(true);
    auto* layout = new QFormLayout(this);
    layout->addRow(QString::fromUtf8("&Latitude (S):"), Latitude);
    layout->addRow(QString::fromUtf8("L&ongitude (W):"), Longitude);
    layout->addRow(botoes);
    connect(botoes, &QDialogButtonBox::accepted, this, Protegido([this] { OkClick(); }));
    connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter in an edit is OK, whichever button last had the focus.
    for (TMascaraCoordenada* e : {Latitude, Longitude})
        e->AoEnter = [this] {
            ExecutaProtegido([this] { OkClick(); });
            return true;
        };
}

void TPontoNaGrade::OkClick() {
    for (TMascaraCoordenada* e : {Latitude, Longitude})
        if (!e->Completo()) {
            e->setFocus();
            throw Exception(TMascaraCoordenada::MensagemIncompleto());
        }
    accept();
}

bool PedePontoNaGrade(QWidget* dono, AnsiString& latitude, AnsiString& longitude) {
    TPontoNaGrade dialogo(dono);
    if (dialogo.exec() != QDialog::Accepted) return false;
    latitude = dialogo.Latitude->Texto();
    longitude = dialogo.Longitude->Texto();
    return true;
}
