#include "ajusteui/FoAjusteEquacao.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <fstream>
#include <sstream>

#include "ajuste/Ajuste.h"
#include "ajuste/RelatorioAjuste.h"
#include "ajusteui/GraficosAjuste.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "ui/Aplicacao.h"

namespace {

QString T(const char* utf8) { return QString::fromUtf8(utf8); }
QString A(const AnsiString& ansi) { return QString::fromStdString(Utf8(ansi)); }

QTableWidget* NovaTabela(QWidget* pai) {
    auto* t = new QTableWidget(pai);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setTabKeyNavigation(false);
    t->verticalHeader()->setVisible(false);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return t;
}

void Preenche(QTableWidget* t, const TTabelaRelatorio& dados) {
    t->clear();
    if (dados.Linhas.empty()) return;
    t->setColumnCount(static_cast<int>(dados.Linhas[0].size()));
    t->setRowCount(static_cast<int>(dados.Linhas.size()) - 1);
    QStringList cab;
    for (const AnsiString& c : dados.Linhas[0]) cab << A(c);
    t->setHorizontalHeaderLabels(cab);
    for (std::size_t i = 1; i < dados.Linhas.size(); ++i)
        for (std::size_t j = 0; j < dados.Linhas[i].size(); ++j) {
            auto* item = new QTableWidgetItem(A(dados.Linhas[i][j]));
            item->setTextAlignment(j == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            t->setItem(static_cast<int>(i) - 1, static_cast<int>(j), item);
        }
}

QChartView* NovoGrafico(QWidget* pai) {
    auto* v = new QChartView(pai);
    v->setRenderHint(QPainter::Antialiasing);
    v->setMinimumHeight(260);
    return v;
}

void TrocaGrafico(QChartView* v, QChart* novo) {
    QChart* antigo = v->chart();
    v->setChart(novo);
    delete antigo;
}

char Decimal() { return QLocale().decimalPoint().at(0).toLatin1(); }

// A page of one or two tables above a chart.
QWidget* Pagina(QWidget* pai, std::initializer_list<QWidget*> tabelas, QWidget* grafico) {
    auto* p = new QWidget(pai);
    auto* l = new QVBoxLayout(p);
    auto* divisor = new QSplitter(Qt::Vertical, p);
    auto* cima = new QWidget(divisor);
    auto* h = new QHBoxLayout(cima);
    h->setContentsMargins(0, 0, 0, 0);
    for (QWidget* t : tabelas) h->addWidget(t);
    divisor->addWidget(cima);
    if (grafico) divisor->addWidget(grafico);
    l->addWidget(divisor);
    return p;
}

}  // namespace

TfrmAjusteEquacao::TfrmAjusteEquacao(QWidget* parent) : QDialog(parent) {
    setWindowTitle(T("Ajustar equação"));
    resize(900, 680);
    auto* layout = new QVBoxLayout(this);
    Paginas = new QTabWidget(this);
    layout->addWidget(Paginas);
    Paginas->addTab(MontaPaginaRegistro(), T("1. Registro"));

    TbMaximos = NovaTabela(this);
    TbDeixados = NovaTabela(this);
    GrMaximos = NovoGrafico(this);
    Paginas->addTab(Pagina(this, {TbMaximos, TbDeixados}, GrMaximos), T("2. Máximos anuais"));
    TbDistribuicoes = NovaTabela(this);
    TbQuantis = NovaTabela(this);
    GrProbabilidade = NovoGrafico(this);
    QWidget* distribuicao = Pagina(this, {TbDistribuicoes, TbQuantis}, GrProbabilidade);
    {
        auto* linha = new QHBoxLayout;
        CbSerie = new QComboBox(distribuicao);
        CbSerie->setObjectName("CbSerie");
        auto* rotulo = new QLabel(T("Dura&ção:"), distribuicao);
        rotulo->setBuddy(CbSerie);
        linha->addWidget(rotulo);
        linha->addWidget(CbSerie);
        linha->addStretch();
        static_cast<QVBoxLayout*>(distribuicao->layout())->insertLayout(0, linha);
        connect(CbSerie, qOverload<int>(&QComboBox::activated), this, Protegido([this] { CbSerieChange(); }));
    }
    Paginas->addTab(distribuicao, T("3. Distribuição"));
    TbDesagregacao = NovaTabela(this);
    TbRazoes = NovaTabela(this);
    TbRazoes->hide();
    Paginas->addTab(Pagina(this, {TbDesagregacao, TbRazoes}, nullptr), T("4. Desagregação"));
    auto* equacao = new QWidget(this);
    auto* le = new QVBoxLayout(equacao);
    LbEquacao = new QLabel(equacao);
    LbEquacao->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LbEquacao->setWordWrap(true);
    TbEquacao = NovaTabela(equacao);
    GrEquacao = NovoGrafico(equacao);
    le->addWidget(LbEquacao);
    le->addWidget(Pagina(equacao, {TbEquacao}, GrEquacao));
    Paginas->addTab(equacao, T("5. Equação"));
    TbIncerteza = NovaTabela(this);
    Paginas->addTab(Pagina(this, {TbIncerteza}, nullptr), T("6. Incerteza"));

    auto* botoes = new QHBoxLayout;
    BtnExportar = new QPushButton(T("Exportar &CSV..."), this);
    BtnImprimir = new QPushButton(T("&Imprimir..."), this);
    BtnFechar = new QPushButton(T("&Fechar"), this);
    BtnAdicionar = new QPushButton(T("Adicionar aos me&us dados..."), this);
    botoes->addWidget(BtnExportar);
    botoes->addWidget(BtnImprimir);
    botoes->addWidget(BtnAdicionar);
    botoes->addStretch();
    botoes->addWidget(BtnFechar);
    layout->addLayout(botoes);
    for (QPushButton* b : {BtnAbrir, BtnRazoes, BtnAjustar, BtnExportar, BtnImprimir, BtnAdicionar, BtnFechar}) b->setAutoDefault(false);

    connect(BtnAbrir, &QPushButton::clicked, this, Protegido([this] { AbrirClick(); }));
    connect(BtnRazoes, &QPushButton::clicked, this, Protegido([this] { RazoesClick(); }));
    connect(BtnAjustar, &QPushButton::clicked, this, Protegido([this] { AjustarClick(); }));
    connect(EdRegistro, &QLineEdit::returnPressed, this, Protegido([this] { DefineRegistro(EdRegistro->text()); AjustarClick(); }));
    connect(EdRegistro, &QLineEdit::editingFinished, this, Protegido([this] { DefineRegistro(EdRegistro->text()); }));
    connect(BtnExportar, &QPushButton::clicked, this, Protegido([this] { ExportarCsvClick(); }));
    connect(BtnImprimir, &QPushButton::clicked, this, Protegido([this] { ImprimirClick(); }));
    connect(BtnAdicionar, &QPushButton::clicked, this, Protegido([this] { AdicionarClick(); }));
    connect(BtnFechar, &QPushButton::clicked, this, &QDialog::accept);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, Protegido([this] { AjudaClick(); }));
    AtualizaComandos();
}

TfrmAjusteEquacao::~TfrmAjusteEquacao() = default;

QWidget* TfrmAjusteEquacao::MontaPaginaRegistro() {
    auto* p = new QWidget(this);
    auto* form = new QFormLayout(p);
    auto* linha = new QHBoxLayout;
    EdRegistro = new QLineEdit(p);
    BtnAbrir = new QPushButton(T("A&brir..."), p);
    linha->addWidget(EdRegistro);
    linha->addWidget(BtnAbrir);
    auto* rotulo = new QLabel(T("&Registro de chuva:"), p);
    rotulo->setBuddy(EdRegistro);
    form->addRow(rotulo, linha);
    CbEstacao = new QComboBox(p);
    form->addRow(T("E&stação:"), CbEstacao);
    CbDistribuicao = new QComboBox(p);
    CbDistribuicao->addItems({T("Automática (melhor p de Anderson-Darling)"), T("Gumbel"), T("GEV")});
    form->addRow(T("&Distribuição:"), CbDistribuicao);
    CbMetodo = new QComboBox(p);
    CbMetodo->addItems({T("Todos os da distribuição"), T("Momentos"), T("Momentos-L"), T("Máxima verossimilhança")});
    form->addRow(T("&Método:"), CbMetodo);
    CbMesInicio = new QComboBox(p);
    CbMesInicio->addItems({T("janeiro (ano civil)"), T("fevereiro"), T("março"), T("abril"), T("maio"), T("junho"),
                           T("julho"), T("agosto"), T("setembro"), T("outubro"), T("novembro"), T("dezembro")});
    form->addRow(T("&Ano começa em:"), CbMesInicio);
    SbFaltas = new QDoubleSpinBox(p);
    SbFaltas->setRange(0, 100);
    SbFaltas->setDecimals(1);
    SbFaltas->setValue(10);
    SbFaltas->setSuffix(T(" %"));
    form->addRow(T("Dias fal&tando no máximo:"), SbFaltas);
    SbReplicas = new QSpinBox(p);
    SbReplicas->setRange(0, 100000);
    SbReplicas->setValue(1000);
    form->addRow(T("Ré&plicas do bootstrap:"), SbReplicas);
    SbSemente = new QSpinBox(p);
    SbSemente->setRange(0, 2147483647);
    SbSemente->setValue(20260101);
    form->addRow(T("Se&mente:"), SbSemente);
    auto* razoes = new QHBoxLayout;
    EdDesagregacao = new QLineEdit(p);
    EdDesagregacao->setPlaceholderText(T("CETESB (1986)"));
    BtnRazoes = new QPushButton(T("Ra&zões..."), p);
    razoes->addWidget(EdDesagregacao);
    razoes->addWidget(BtnRazoes);
    auto* rotuloRazoes = new QLabel(T("Desa&gregação:"), p);
    rotuloRazoes->setBuddy(EdDesagregacao);
    form->addRow(rotuloRazoes, razoes);
    BtnAjustar = new QPushButton(T("A&justar"), p);
    form->addRow(QString(), BtnAjustar);
    LbResumo = new QLabel(p);
    LbResumo->setWordWrap(true);
    LbResumo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(LbResumo);
    return p;
}

void TfrmAjusteEquacao::AbrirClick() {
    const QString caminho = QFileDialog::getOpenFileName(this, T("Registro de chuva"), QString(),
                                                         T("Registros (*.txt *.csv *.gz);;Todos os arquivos (*)"));
    if (!caminho.isEmpty()) DefineRegistro(caminho);
}

void TfrmAjusteEquacao::RazoesClick() {
    const QString caminho = QFileDialog::getOpenFileName(this, T("Razões de desagregação"), QString(),
                                                         T("Razões ou série de pluviógrafo (*.csv *.txt *.gz);;Todos os arquivos (*)"));
    if (!caminho.isEmpty()) EdDesagregacao->setText(caminho);
}

void TfrmAjusteEquacao::DefineRegistro(const QString& caminho) {
    if (EdRegistro->text() != caminho) EdRegistro->setText(caminho);
    CbEstacao->clear();
    std::ifstream f(caminho.toStdString(), std::ios::binary);
    std::ostringstream s;
    if (f) s << f.rdbuf();
    for (const std::string& codigo : EstacoesDoHidroweb(s.str())) CbEstacao->addItem(QString::fromLatin1(codigo));
    CbEstacao->setEnabled(CbEstacao->count() > 1);
}

void TfrmAjusteEquacao::AjustarClick() {
    const std::string caminho = EdRegistro->text().toStdString();
    if (caminho.empty()) throw EInOutError(Ansi("Escolha o arquivo do registro de chuva."));
    CaminhoCp1252(caminho);   // a path cp1252 cannot hold is refused here, before any work
    TOpcoesAjuste o;
    if (CbDistribuicao->currentIndex() == 1) o.Dist = Distribuicao::Gumbel;
    if (CbDistribuicao->currentIndex() == 2) o.Dist = Distribuicao::Gev;
    if (CbMetodo->currentIndex() == 1) o.Met = Metodo::Momentos;
    if (CbMetodo->currentIndex() == 2) o.Met = Metodo::LMomentos;
    if (CbMetodo->currentIndex() == 3) o.Met = Metodo::MaximaVerossimilhanca;
    if (o.Dist == Distribuicao::Gev && o.Met == Metodo::Momentos)
        throw Exception(Ansi("A GEV não é ajustada pelo método dos momentos; escolha momentos-L ou máxima verossimilhança."));
    o.Maximos.MesInicio = CbMesInicio->currentIndex() + 1;
    o.Maximos.FaltasMax = SbFaltas->value();
    o.Bootstrap = SbReplicas->value();
    o.Semente = static_cast<std::uint64_t>(SbSemente->value());
    if (!EdDesagregacao->text().trimmed().isEmpty()) o.Desagregacao = LeDesagregacao(EdDesagregacao->text().trimmed().toStdString());
    TOpcoesLeitura leitura;
    if (CbEstacao->count() > 1) leitura.Estacao = CbEstacao->currentText().toStdString();

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    struct TRestaura { ~TRestaura() { QGuiApplication::restoreOverrideCursor(); } } restaura;
    auto r = std::make_unique<TResultadoAjuste>(AjustaRegistro(LeRegistro(caminho, leitura), o));
    resultado_ = std::move(r);
    MostraResultado();
}

void TfrmAjusteEquacao::MostraResultado() {
    const TResultadoAjuste& r = *resultado_;
    const char d = Decimal();
    const std::vector<TTabelaRelatorio> tabelas = TabelasDoRelatorio(r, d);
    auto tabela = [&](const char* inicio) -> const TTabelaRelatorio& {
        for (const TTabelaRelatorio& t : tabelas)
            if (t.Titulo.rfind(Ansi(inicio), 0) == 0) return t;
        return tabelas.front();
    };
    QString resumo = A(r.Descricao());
    for (const AnsiString& a : r.Avisos) resumo += T("\n\nAviso: ") + A(a);
    LbResumo->setText(resumo);
    Preenche(TbMaximos, tabelas[0]);
    Preenche(TbDeixados, tabelas[1]);
    Preenche(TbDesagregacao, tabela("Intensidades"));
    Preenche(TbEquacao, tabela("Equação"));
    // Uncertainty: the parameters, then each quantile of the first series.
    TTabelaRelatorio incerteza = tabela("Equação");
    incerteza.Linhas.resize(5);
    const TTabelaRelatorio& quantis = tabela("Quantis");
    for (std::size_t i = 1; i < quantis.Linhas.size(); ++i)
        incerteza.Linhas.push_back({Ansi("Altura Tr ") + quantis.Linhas[i][0] + Ansi(" (mm)"), quantis.Linhas[i][1],
                                    quantis.Linhas[i][2], quantis.Linhas[i][3]});
    Preenche(TbIncerteza, incerteza);
    const QLocale l;
    LbEquacao->setText(T("<b>i = %1·Tr<sup>%2</sup>/(t + %3)<sup>%4</sup></b> (i em mm/h, t em min, Tr em anos)"
                         "&nbsp;&nbsp;&nbsp;R² = %5&nbsp;&nbsp;&nbsp;RMSE = %6 mm/h&nbsp;&nbsp;&nbsp;maior erro relativo = %7%")
                           .arg(l.toString(r.Equacao.K, 'f', 3), l.toString(r.Equacao.a, 'f', 4),
                                l.toString(r.Equacao.b, 'f', 3), l.toString(r.Equacao.c, 'f', 4),
                                l.toString(r.Qualidade.R2, 'f', 4), l.toString(r.Qualidade.Rmse, 'f', 2),
                                l.toString(100 * r.Qualidade.ErroRelativoMaximo, 'f', 1)));
    TrocaGrafico(GrMaximos, GraficoMaximosAnuais(r));
    TrocaGrafico(GrEquacao, GraficoEquacaoAjustada(r));
    // A sub-daily record: a duration at a time on the distribution page, and its ratios.
    CbSerie->clear();
    for (const TAnaliseSerie& s : r.Series)
        CbSerie->addItem(s.Duracao == 1440 && r.Series.size() == 1 ? T("1 dia") : T("%1 min").arg(l.toString(s.Duracao)));
    CbSerie->setEnabled(r.Series.size() > 1);
    CbSerieChange();
    const bool razoes = r.Maximos.Intervalo > 0;
    TbRazoes->setVisible(razoes);
    if (razoes) Preenche(TbRazoes, tabelas.back());
    AtualizaComandos();
}

void TfrmAjusteEquacao::CbSerieChange() {
    if (!resultado_) return;
    const std::size_t k = static_cast<std::size_t>(std::max(0, CbSerie->currentIndex()));
    const std::vector<TTabelaRelatorio> tabelas = TabelasDoRelatorio(*resultado_, Decimal());
    auto tabela = [&](const char* inicio) -> const TTabelaRelatorio& {
        std::size_t visto = 0;
        for (const TTabelaRelatorio& t : tabelas)
            if (t.Titulo.rfind(Ansi(inicio), 0) == 0 && visto++ == k) return t;
        return tabelas.front();
    };
    Preenche(TbDistribuicoes, tabela("Distribuições"));
    Preenche(TbQuantis, tabela("Quantis"));
    TrocaGrafico(GrProbabilidade, GraficoProbabilidade(*resultado_, k));
}

void TfrmAjusteEquacao::AtualizaComandos() {
    const bool tem = resultado_ != nullptr;
    for (int i = 1; i < Paginas->count(); ++i) Paginas->setTabEnabled(i, tem);
    BtnExportar->setEnabled(tem);
    BtnImprimir->setEnabled(tem);
    BtnAdicionar->setEnabled(tem && !PastaDoPrograma.empty());
}

void MostraAjusteEquacao(QWidget* dono, IAjuda* ajuda, const std::string& pastaDoPrograma,
                         std::function<void(int estado, const QString& nome)> estacaoAdicionada) {
    TfrmAjusteEquacao janela(dono);
    janela.Ajuda = ajuda;
    janela.PastaDoPrograma = pastaDoPrograma;
    janela.EstacaoAdicionada = std::move(estacaoAdicionada);
    janela.exec();
}
