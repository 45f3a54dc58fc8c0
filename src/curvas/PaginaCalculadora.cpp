#include "curvas/PaginaCalculadora.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <string>
#include <vector>

#include "curvas/TextosIdf.h"
#include "model/ChuvaDeProjeto.h"
#include "platform/Cp1252.h"
#include "ui/Aplicacao.h"

namespace {
QString T(const char* utf8) { return QString::fromUtf8(utf8); }

double Campo(const QLineEdit* edit, const char* item) {
    return LeValor(Utf8ToCp1252(edit->text().toStdString()), Ansi(item));
}

QLabel* Resposta() {
    auto* r = new QLabel;
    r->setWordWrap(true);
    r->setTextInteractionFlags(Qt::TextSelectableByMouse);
    r->setMinimumWidth(420);
    r->setMinimumHeight(4 * r->fontMetrics().lineSpacing());   // the page does not move as answers come
    r->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return r;
}

// The answer with the question it belongs to ("Tr = 10 anos") and its unit,
// or the reason in words; an answer beyond the fitted ranges with the note.
QString Texto(const TResposta& r, const QString& rotuloDoValor, int decimais, const QString& unidade,
              const std::string& nota = {}) {
    if (!r.Existe)
        return QStringLiteral("<span style=\"color:#a00000\">%1</span>")
            .arg(QString::fromStdString(Cp1252ToUtf8(r.Motivo)).toHtmlEscaped());
    QString texto = QStringLiteral("<b>%1 = %2 %3</b>").arg(rotuloDoValor, NumeroLegivel(r.Valor, decimais), unidade);
    if (!nota.empty())
        texto += QStringLiteral("<br><span style=\"color:#a00000\">%1</span>")
                     .arg(QString::fromStdString(Cp1252ToUtf8(nota)).toHtmlEscaped());
    return texto;
}

QString ParaTr(double tr) { return QString::fromUtf8("Tr = %1 anos: ").arg(NumeroGeral(tr)); }

QGroupBox* Grupo(const char* titulo, QLineEdit* const* edits, const char* const* rotulos, int n, QPushButton* botao,
                 QLabel* resposta, QWidget* extra = nullptr) {
    auto* g = new QGroupBox(T(titulo));
    auto* l = new QGridLayout(g);
    for (int i = 0; i < n; ++i) {
        auto* r = new QLabel(T(rotulos[i]));
        r->setBuddy(edits[i]);
        l->addWidget(r, 0, 2 * i);
        edits[i]->setMaximumWidth(110);
        l->addWidget(edits[i], 0, 2 * i + 1);
    }
    int coluna = 2 * n;
    if (extra) l->addWidget(extra, 0, coluna++);
    l->addWidget(botao, 0, coluna);
    l->addWidget(resposta, 1, 0, 1, coluna + 1);
    l->setColumnStretch(coluna + 1, 1);
    return g;
}
}  // namespace

TPaginaCalculadora::TPaginaCalculadora(const TLugarIdf& lugar, QWidget* parent) : QWidget(parent), lugar_(lugar) {
    EdTr = new QLineEdit(NumeroGeral(10));
    EdTr->setMaximumWidth(110);
    EdIntensidade = new QLineEdit;
    EdAltura = new QLineEdit;
    EdT1 = new QLineEdit;
    EdT2 = new QLineEdit;
    EdDuracaoEvento = new QLineEdit;
    EdValorEvento = new QLineEdit;
    RbEventoAltura = new QRadioButton(T("altura (mm)"));
    RbEventoIntensidade = new QRadioButton(T("intensidade média (mm/h)"));
    RbEventoAltura->setChecked(true);
    auto* tipos = new QButtonGroup(this);
    tipos->addButton(RbEventoAltura);
    tipos->addButton(RbEventoIntensidade);
    auto* tipoDoEvento = new QWidget;
    auto* lt = new QVBoxLayout(tipoDoEvento);
    lt->setContentsMargins(0, 0, 0, 0);
    lt->addWidget(RbEventoAltura);
    lt->addWidget(RbEventoIntensidade);
    BtnIntensidade = new QPushButton(T("Calcular"));
    BtnAltura = new QPushButton(T("Calcular"));
    BtnEntre = new QPushButton(T("Calcular"));
    BtnEvento = new QPushButton(T("Calcular"));
    RespIntensidade = Resposta();
    RespAltura = Resposta();
    RespEntre = Resposta();
    RespEvento = Resposta();

    auto* linhaTr = new QHBoxLayout;
    auto* rotuloTr = new QLabel(T("Período de &retorno Tr (anos), para as três primeiras perguntas:"));
    rotuloTr->setBuddy(EdTr);
    linhaTr->addWidget(rotuloTr);
    linhaTr->addWidget(EdTr);
    linhaTr->addStretch();

    QLineEdit* const intensidade[] = {EdIntensidade};
    const char* const rIntensidade[] = {"&Intensidade i (mm/h):"};
    QLineEdit* const altura[] = {EdAltura};
    const char* const rAltura[] = {"&Altura de chuva P (mm):"};
    QLineEdit* const entre[] = {EdT1, EdT2};
    const char* const rEntre[] = {"t&1 (min):", "t&2 (min):"};
    QLineEdit* const evento[] = {EdDuracaoEvento, EdValorEvento};
    const char* const rEvento[] = {"&Duração t (min):", "Chuva o&bservada:"};

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(linhaTr);
    layout->addWidget(Grupo("Duração em que a intensidade vale i", intensidade, rIntensidade, 1, BtnIntensidade,
                            RespIntensidade));
    layout->addWidget(Grupo("Duração em que a altura de chuva vale P", altura, rAltura, 1, BtnAltura, RespAltura));
    layout->addWidget(Grupo("Altura de chuva entre as durações t1 e t2", entre, rEntre, 2, BtnEntre, RespEntre));
    layout->addWidget(Grupo("Período de retorno de uma chuva observada", evento, rEvento, 2, BtnEvento, RespEvento,
                            tipoDoEvento));
    layout->addStretch();

    connect(BtnIntensidade, &QPushButton::clicked, this, Protegido([this] { DuracaoDaIntensidadeClick(); }));
    connect(BtnAltura, &QPushButton::clicked, this, Protegido([this] { DuracaoDaAlturaClick(); }));
    connect(BtnEntre, &QPushButton::clicked, this, Protegido([this] { AlturaEntreClick(); }));
    connect(BtnEvento, &QPushButton::clicked, this, Protegido([this] { PeriodoDoEventoClick(); }));
    for (auto [edit, botao] : {std::pair{EdIntensidade, BtnIntensidade}, std::pair{EdAltura, BtnAltura},
                               std::pair{EdT1, BtnEntre}, std::pair{EdT2, BtnEntre},
                               std::pair{EdDuracaoEvento, BtnEvento}, std::pair{EdValorEvento, BtnEvento}})
        connect(edit, &QLineEdit::returnPressed, botao, &QPushButton::click);
    LigaRespostas();
}

double TPaginaCalculadora::Tr() const { return Campo(EdTr, "Período de retorno"); }

// An answer goes as soon as an input it depends on changes, and before its
// question is read again, so a refused input leaves no answer beside it.
void TPaginaCalculadora::LigaRespostas() {
    const auto limpa = [this](std::initializer_list<QLabel*> respostas) {
        return [respostas = std::vector<QLabel*>(respostas)] {
            for (QLabel* r : respostas) r->clear();
        };
    };
    connect(EdTr, &QLineEdit::textChanged, this, limpa({RespIntensidade, RespAltura, RespEntre}));
    connect(EdIntensidade, &QLineEdit::textChanged, this, limpa({RespIntensidade}));
    connect(EdAltura, &QLineEdit::textChanged, this, limpa({RespAltura}));
    for (QLineEdit* e : {EdT1, EdT2}) connect(e, &QLineEdit::textChanged, this, limpa({RespEntre}));
    for (QLineEdit* e : {EdDuracaoEvento, EdValorEvento}) connect(e, &QLineEdit::textChanged, this, limpa({RespEvento}));
    connect(RbEventoAltura, &QRadioButton::toggled, this, limpa({RespEvento}));
}

void TPaginaCalculadora::DuracaoDaIntensidadeClick() {
    RespIntensidade->clear();
    const double tr = Tr();
    const double i = Campo(EdIntensidade, "Intensidade");
    const TResposta media = DuracaoDaIntensidadeMedia(lugar_.Parametros, tr, i);
    const TResposta instantanea = DuracaoDaIntensidadeInstantanea(lugar_.Parametros, tr, i);
    const auto nota = [&](const TResposta& r) { return r.Existe ? NotaDeExtrapolacao(tr, r.Valor) : std::string(); };
    RespIntensidade->setText(ParaTr(tr) + Texto(media, T("intensidade média: t"), 2, T("min"), nota(media)) +
                             QStringLiteral("<br>") +
                             Texto(instantanea, T("intensidade instantânea: t"), 2, T("min"), nota(instantanea)));
}

void TPaginaCalculadora::DuracaoDaAlturaClick() {
    RespAltura->clear();
    const double tr = Tr();
    const TResposta t = DuracaoDaAltura(lugar_.Parametros, tr, Campo(EdAltura, "Altura de chuva"));
    RespAltura->setText(ParaTr(tr) + Texto(t, T("t"), 2, T("min"), t.Existe ? NotaDeExtrapolacao(tr, t.Valor) : ""));
}

void TPaginaCalculadora::AlturaEntreClick() {
    RespEntre->clear();
    const double tr = Tr();
    const double t1 = Campo(EdT1, "Duração t1"), t2 = Campo(EdT2, "Duração t2");
    const TResposta p = AlturaEntre(lugar_.Parametros, tr, t1, t2);
    std::string nota = NotaDeExtrapolacao(tr, t2);
    if (nota.empty() && t1 > 0) nota = NotaDeExtrapolacao(tr, t1);
    RespEntre->setText(ParaTr(tr) + Texto(p, T("P"), 2, T("mm"), p.Existe ? nota : ""));
}

void TPaginaCalculadora::PeriodoDoEventoClick() {
    RespEvento->clear();
    const double t = Campo(EdDuracaoEvento, "Duração do evento");
    const bool altura = RbEventoAltura->isChecked();
    const double valor = Campo(EdValorEvento, altura ? "Altura do evento" : "Intensidade do evento");
    const TResposta r = altura ? PeriodoDeRetornoDaAltura(lugar_.Parametros, t, valor)
                               : PeriodoDeRetorno(lugar_.Parametros, t, valor);
    const QString pergunta = QString::fromUtf8("t = %1 min, %2 = %3 %4: ")
                                 .arg(NumeroGeral(t), altura ? T("P") : T("i"), NumeroGeral(valor),
                                      altura ? T("mm") : T("mm/h"));
    RespEvento->setText(pergunta + Texto(r, T("Tr"), 1, T("anos"), r.Existe ? NotaDeExtrapolacao(r.Valor, t) : ""));
}
