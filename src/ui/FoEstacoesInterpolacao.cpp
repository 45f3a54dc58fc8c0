#include "ui/FoEstacoesInterpolacao.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "database/Estados.h"
#include "platform/Cp1252.h"
#include "platform/Numeros.h"
#include "ui/Ajuda.h"
#include "ui/Aplicacao.h"
#include "ui/TabelaSomenteLeitura.h"

namespace {
QString T(const char* utf8) { return QString::fromUtf8(utf8); }
QString Q(const AnsiString& ansi) { return QString::fromStdString(Cp1252ToUtf8(ansi)); }
}  // namespace

TfrmEstacoesInterpolacao::TfrmEstacoesInterpolacao(TDadosEstacoesInterpolacao dados, char separador, IAjuda* ajuda,
                                                   QWidget* parent)
    : QDialog(parent), dados_(std::move(dados)), separador_(separador), ajuda_(ajuda) {
    setWindowTitle(T("Estações da interpolação"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setProperty("helpContext", ContextoDeAjuda);
    const TConfianca& c = dados_.Confianca;

    Lugar = new QLabel(dados_.Lugar.toHtmlEscaped().prepend(QStringLiteral("<b>")).append(QStringLiteral("</b>")));
    Situacao = new QLabel;
    Situacao->setWordWrap(true);
    const QString nome = c.MaisProxima() ? Q(TiraBrancosFinais(c.MaisProxima()->Estacao->Nome.Text())) : QString();
    switch (dados_.Tipo) {
    case TDadosEstacoesInterpolacao::TTipo::Estacao:
        Situacao->setText(T("Os valores de K, a, b e c são os da própria estação: não há interpolação."));
        break;
    case TDadosEstacoesInterpolacao::TTipo::NaEstacao:
        Situacao->setText(T("%1 coincide com a estação %2: os valores de K, a, b e c são os da própria estação, "
                            "sem interpolação.")
                              .arg(dados_.Substantivo, nome));
        break;
    case TDadosEstacoesInterpolacao::TTipo::Interpolado:
        Situacao->setText(T("Valores interpolados de %1 estações, com pesos pelo inverso da quinta potência da "
                            "distância em graus; as distâncias abaixo são geodésicas, em km.")
                              .arg(c.Estacoes.size()));
        break;
    }
    Aviso = new QLabel(Q(c.Aviso()));
    Aviso->setWordWrap(true);
    Aviso->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold"));
    Aviso->setVisible(!Aviso->text().isEmpty());

    Tabela = new QTableWidget(0, 9);
    Tabela->setHorizontalHeaderLabels({T("Estação"), T("UF"), T("Distância (km)"), T("Peso (%)"), T("K"), T("a"),
                                       T("b"), T("c"), T("i(10, 60) (mm/h)")});
    Tabela->verticalHeader()->hide();
    PreparaTabelaSomenteLeitura(Tabela);
    Tabela->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Tabela->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    BtnMostrarTodas = new QPushButton(T("mostrar todas"));
    PreencheLinhas(std::min<int>(LinhasIniciais, static_cast<int>(c.Estacoes.size())));
    BtnMostrarTodas->setVisible(static_cast<int>(c.Estacoes.size()) > LinhasIniciais);

    const QString lugarI = dados_.ILugar ? Numero(*dados_.ILugar, "0.00") : T("—");
    Dispersao = new QLabel;
    Dispersao->setWordWrap(true);
    if (c.MenorI && c.MaiorI)
        Dispersao->setText(T("i(10, 60) das cinco estações mais próximas: de %1 a %2 mm/h; neste local: %3 mm/h.")
                               .arg(Numero(*c.MenorI, "0.00"), Numero(*c.MaiorI, "0.00"), lugarI));
    else
        Dispersao->setText(T("i(10, 60) neste local: %1 mm/h.").arg(lugarI));

    BtnAjuda = new QPushButton(T("Aj&uda"));
    BtnAjuda->setAutoDefault(false);
    BtnFechar = new QPushButton(T("&Fechar"));
    BtnFechar->setDefault(true);
    connect(BtnFechar, &QPushButton::clicked, this, [this] { accept(); });
    connect(BtnMostrarTodas, &QPushButton::clicked, this, Protegido([this] { MostrarTodasClick(); }));
    connect(BtnAjuda, &QPushButton::clicked, this, Protegido([this] { AjudaClick(); }));

    auto* botoes = new QHBoxLayout;
    botoes->addWidget(BtnMostrarTodas);
    botoes->addStretch();
    botoes->addWidget(BtnAjuda);
    botoes->addWidget(BtnFechar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Lugar);
    layout->addWidget(Situacao);
    layout->addWidget(Aviso);
    layout->addWidget(Tabela, 1);
    layout->addWidget(Dispersao);
    layout->addLayout(botoes);
    resize(900, 480);
}

QString TfrmEstacoesInterpolacao::Numero(double v, const char* formato) const {
    return QString::fromStdString(FormatFloat(formato, v, separador_));
}

void TfrmEstacoesInterpolacao::PreencheLinhas(int quantas) {
    const auto& lista = dados_.Confianca.Estacoes;
    Tabela->setRowCount(quantas);
    for (int i = 0; i < quantas; ++i) {
        const TEstacaoContribuinte& e = lista[static_cast<std::size_t>(i)];
        const TEstacao& r = *e.Estacao;
        const QString textos[] = {Q(TiraBrancosFinais(r.Nome.Text())),
                                  Q(SiglasEstados[static_cast<std::size_t>(e.EstadoIndice)]),
                                  Numero(e.DistanciaKm, "0.0"),
                                  Numero(e.Parcela * 100, "0.00"),
                                  Numero(r.K, "0.000"),
                                  Numero(r.a, "0.0000"),
                                  Numero(r.b, "0.000"),
                                  Numero(r.c, "0.0000"),
                                  e.I10_60 ? Numero(*e.I10_60, "0.00") : T("—")};
        for (int col = 0; col < 9; ++col) {
            auto* item = new QTableWidgetItem(textos[col]);
            if (col >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Tabela->setItem(i, col, item);
        }
    }
}

void TfrmEstacoesInterpolacao::MostrarTodasClick() {
    PreencheLinhas(static_cast<int>(dados_.Confianca.Estacoes.size()));
    BtnMostrarTodas->hide();
}

void TfrmEstacoesInterpolacao::AjudaClick() {
    if (ajuda_) ajuda_->MostraTopico(ContextoDeAjuda);
}

void TfrmEstacoesInterpolacao::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        ExecutaProtegido([this] { AjudaClick(); });
        return;
    }
    QDialog::keyPressEvent(event);
}

void MostraEstacoesInterpolacao(QWidget* dono, TDadosEstacoesInterpolacao dados, char separador, IAjuda* ajuda) {
    TfrmEstacoesInterpolacao janela(std::move(dados), separador, ajuda, dono);
    janela.exec();
}
