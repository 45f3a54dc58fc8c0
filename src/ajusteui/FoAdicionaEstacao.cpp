#include "ajusteui/FoAdicionaEstacao.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "database/Estados.h"
#include "platform/Cp1252.h"
#include "ui/Aplicacao.h"

namespace {

QString T(const char* utf8) { return QString::fromUtf8(utf8); }

bool Numero(const QString& texto, double& v) {
    bool ok = false;
    v = QLocale().toDouble(texto.trimmed(), &ok);
    // A comma or a point as the decimal separator, whatever the locale.
    if (!ok) v = QLocale::c().toDouble(QString(texto.trimmed()).replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    return ok;
}

}  // namespace

TfrmAdicionaEstacao::TfrmAdicionaEstacao(const QString& nome, QWidget* parent) : QDialog(parent) {
    setWindowTitle(T("Adicionar aos meus dados"));
    setMinimumWidth(440);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    CbEstado = new QComboBox(this);
    for (const AnsiString& sigla : SiglasEstados) CbEstado->addItem(QString::fromStdString(Utf8(sigla)));
    EdNome = new QLineEdit(nome, this);
    EdLatitude = new QLineEdit(this);
    EdLongitude = new QLineEdit(this);
    CbEstado->setObjectName("CbEstado");
    EdNome->setObjectName("EdNome");
    EdLatitude->setObjectName("EdLatitude");
    EdLongitude->setObjectName("EdLongitude");
    EdLatitude->setPlaceholderText(T("graus decimais, sul (ex.: 19,5)"));
    EdLongitude->setPlaceholderText(T("graus decimais, oeste (ex.: 43,25)"));
    form->addRow(T("&Estado:"), CbEstado);
    form->addRow(T("&Nome:"), EdNome);
    form->addRow(T("&Latitude:"), EdLatitude);
    form->addRow(T("L&ongitude:"), EdLongitude);
    layout->addLayout(form);
    auto* nota = new QLabel(T("A estação entra no arquivo de estações do conjunto de dados em uso e os arquivos "
                              "de dados são montados de novo; os anteriores ficam na pasta \"anterior\"."),
                            this);
    nota->setWordWrap(true);
    layout->addWidget(nota);
    auto* botoes = new QHBoxLayout;
    BtnOk = new QPushButton(T("&Adicionar"), this);
    BtnCancelar = new QPushButton(T("&Cancelar"), this);
    BtnOk->setDefault(true);
    botoes->addStretch();
    botoes->addWidget(BtnOk);
    botoes->addWidget(BtnCancelar);
    layout->addLayout(botoes);
    connect(BtnOk, &QPushButton::clicked, this, [this] {
        double la, lo;
        if (EdNome->text().trimmed().isEmpty()) {
            TAplicacao::Instancia()->Caixas().Erro(windowTitle(), T("Dê o nome da estação."));
            EdNome->setFocus();
        } else if (!Coordenadas(la, lo)) {
            TAplicacao::Instancia()->Caixas().Erro(windowTitle(), T("Dê a latitude e a longitude em graus decimais."));
            EdLatitude->setFocus();
        } else {
            accept();
        }
    });
    connect(BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmAdicionaEstacao::Coordenadas(double& latitude, double& longitude) const {
    return Numero(EdLatitude->text(), latitude) && Numero(EdLongitude->text(), longitude);
}
