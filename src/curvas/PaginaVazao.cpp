#include "curvas/PaginaVazao.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "curvas/TextosIdf.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "ui/Aplicacao.h"

namespace {
QString T(const char* utf8) { return QString::fromUtf8(utf8); }
QString Q(const std::string& ansi) { return QString::fromStdString(Cp1252ToUtf8(ansi)); }

double Campo(const QLineEdit* edit, const char* item) {
    return LeValor(Utf8ToCp1252(edit->text().toStdString()), Ansi(item));
}
}  // namespace

TPaginaVazao::TPaginaVazao(const TLugarIdf& lugar, QWidget* parent) : QWidget(parent), lugar_(lugar) {
    EdArea = new QLineEdit;
    CbUnidade = new QComboBox;
    CbUnidade->addItems({T("ha"), T("km²")});
    EdC = new QLineEdit;
    CbSuperficie = new QComboBox;
    CbSuperficie->addItem(T("(digitado)"));
    for (const TCoeficienteDeSuperficie& s : CoeficientesDeEscoamento)
        CbSuperficie->addItem(T("%1: %2 a %3").arg(T(s.Superficie), NumeroFixo(s.Minimo, 2), NumeroFixo(s.Maximo, 2)));
    CbSuperficie->setToolTip(T("Fonte da tabela: ") + T(FonteDosCoeficientes));
    RbTcDigitado = new QRadioButton(T("tc &digitado (min):"));
    RbKirpich = new QRadioButton(T("tc por &Kirpich, 57·(L³/H)^0,385:"));
    RbTcDigitado->setChecked(true);
    EdTc = new QLineEdit;
    EdL = new QLineEdit;
    EdH = new QLineEdit;
    EdTr = new QLineEdit(NumeroGeral(10));
    BtnCalcular = new QPushButton(T("Calcular &vazão"));

    auto* area = new QHBoxLayout;
    area->addWidget(EdArea);
    area->addWidget(CbUnidade);
    auto* c = new QHBoxLayout;
    c->addWidget(EdC);
    c->addWidget(CbSuperficie, 1);
    auto* kirpich = new QHBoxLayout;
    auto* rotuloL = new QLabel(T("Comprimento &L (km):"));
    rotuloL->setBuddy(EdL);
    auto* rotuloH = new QLabel(T("Des&nível H (m):"));
    rotuloH->setBuddy(EdH);
    for (QWidget* w : std::initializer_list<QWidget*>{rotuloL, EdL, rotuloH, EdH}) kirpich->addWidget(w);
    auto* campos = new QFormLayout;
    auto* rotuloArea = new QLabel(T("&Área de drenagem:"));
    rotuloArea->setBuddy(EdArea);
    campos->addRow(rotuloArea, area);
    auto* rotuloC = new QLabel(T("Coef&iciente de escoamento C (0 a 1):"));
    rotuloC->setBuddy(EdC);
    campos->addRow(rotuloC, c);
    campos->addRow(RbTcDigitado, EdTc);
    campos->addRow(RbKirpich, kirpich);
    campos->addRow(T("Período de &retorno Tr (anos):"), EdTr);
    auto* fonte = new QLabel(T("Coeficientes da tabela: ") + T(FonteDosCoeficientes) +
                             T(". O método racional, Q = C·i·A/3,6 (Q em m³/s, i em mm/h, A em km²), vale para "
                               "bacias pequenas, com área até cerca de 2 km²."));
    fonte->setWordWrap(true);
    Resultado = new QLabel;
    Resultado->setTextFormat(Qt::RichText);
    Resultado->setWordWrap(true);
    Resultado->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Resultado->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(campos);
    layout->addWidget(fonte);
    layout->addWidget(BtnCalcular, 0, Qt::AlignLeft);
    layout->addWidget(Resultado, 1);

    connect(CbSuperficie, &QComboBox::activated, this, [this](int i) {
        if (i <= 0) return;
        const TCoeficienteDeSuperficie& s = CoeficientesDeEscoamento[static_cast<std::size_t>(i - 1)];
        EdC->setText(NumeroGeral((s.Minimo + s.Maximo) / 2));
    });
    connect(EdC, &QLineEdit::textEdited, this, [this] { CbSuperficie->setCurrentIndex(0); });
    connect(BtnCalcular, &QPushButton::clicked, this, Protegido([this] { CalcularClick(); }));
    for (QLineEdit* e : {EdArea, EdC, EdTc, EdL, EdH, EdTr})
        connect(e, &QLineEdit::returnPressed, this, Protegido([this] { CalcularClick(); }));
    connect(EdTc, &QLineEdit::textEdited, this, [this] { RbTcDigitado->setChecked(true); });
    for (QLineEdit* e : {EdL, EdH}) connect(e, &QLineEdit::textEdited, this, [this] { RbKirpich->setChecked(true); });
}

void TPaginaVazao::CalcularClick() {
    // Every field is read and checked before anything shown changes.
    const double area = Campo(EdArea, "Área de drenagem");
    const bool hectares = CbUnidade->currentIndex() == 0;
    const double c = Campo(EdC, "Coeficiente de escoamento C");
    const bool kirpich = RbKirpich->isChecked();
    double comprimento = 0, desnivel = 0, tc = 0;
    if (kirpich) {
        comprimento = Campo(EdL, "Comprimento do talvegue");
        desnivel = Campo(EdH, "Desnível");
        tc = TempoDeKirpich(comprimento, desnivel);
    } else {
        tc = Campo(EdTc, "Tempo de concentração");
    }
    const double tr = Campo(EdTr, "Período de retorno");
    if (!(area > 0)) throw Exception(Ansi("Área de drenagem inválida: deve ser maior que zero."));
    const TVazaoDeProjeto v = CalculaVazao(lugar_.Parametros, hectares ? area / 100 : area, c, tc, tr);
    vazao_ = v;
    kirpich_ = kirpich;
    comprimento_ = comprimento;
    desnivel_ = desnivel;
    areaDigitada_ = area;
    hectares_ = hectares;
    Resultado->setText(TextoDoCalculo());
}

QString TPaginaVazao::TextoDoCalculo() const {
    if (!vazao_) return QString();
    const TVazaoDeProjeto& v = *vazao_;
    const TParametrosIdf& p = lugar_.Parametros;
    QStringList l;
    l << T("<b>Vazão de projeto pelo método racional</b>");
    l << T("Área A = %1 km²%2 (digitada).")
             .arg(NumeroGeral(v.AreaKm2), hectares_ ? T(" = %1 ha / 100").arg(NumeroGeral(areaDigitada_)) : QString());
    l << T("Coeficiente de escoamento C = %1 (%2).")
             .arg(NumeroGeral(v.C), CbSuperficie->currentIndex() > 0
                                        ? T("tabela: ") + CbSuperficie->currentText().toHtmlEscaped() + T(", ") +
                                              T(FonteDosCoeficientes)
                                        : T("digitado"));
    if (kirpich_)
        l << T("Tempo de concentração por Kirpich: tc = 57·(L³/H)<sup>0,385</sup> = 57·(%1³/%2)<sup>0,385</sup> = "
               "%3 min (L em km, H em m).")
                 .arg(NumeroGeral(comprimento_), NumeroGeral(desnivel_), NumeroFixo(v.Tc, 2));
    else
        l << T("Tempo de concentração tc = %1 min (digitado).").arg(NumeroGeral(v.Tc));
    l << T("Intensidade i(Tr, tc) = K·Tr<sup>a</sup>/(tc+b)<sup>c</sup> = %1·%2<sup>%3</sup>/(%4+%5)<sup>%6</sup> "
           "= <b>%7 mm/h</b> (equação do local, Tr = %2 anos).")
             .arg(NumeroGeral(p.K), NumeroGeral(v.Tr), NumeroGeral(p.a), NumeroFixo(v.Tc, 2), NumeroGeral(p.b),
                  NumeroGeral(p.c), NumeroFixo(v.Intensidade, 2));
    l << T("Vazão de pico Q = C·i·A/3,6 = %1·%2·%3/3,6 = <b>%4 m³/s</b>.")
             .arg(NumeroGeral(v.C), NumeroFixo(v.Intensidade, 2), NumeroGeral(v.AreaKm2), NumeroFixo(v.Vazao, 3));
    for (const std::string& nota : v.Notas) l << T("<span style=\"color:#b00000\">Nota: ") + Q(nota).toHtmlEscaped() + T("</span>");
    return l.join(T("<br>"));
}
