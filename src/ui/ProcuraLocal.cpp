#include "ui/ProcuraLocal.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include <algorithm>

#include "database/Colacao.h"
#include "database/Estados.h"
#include "platform/Cp1252.h"
#include "ui/Ajuda.h"
#include "ui/Aplicacao.h"

namespace {
constexpr int PapelIndice = Qt::UserRole + 1;

QString Q(const AnsiString& s) { return QString::fromStdString(Cp1252ToUtf8(s)); }

AnsiString SemBrancosFinais(const AnsiString& s) {
    const auto fim = s.find_last_not_of(' ');
    return fim == AnsiString::npos ? AnsiString() : s.substr(0, fim + 1);
}
}  // namespace

TProcuraLocal::TProcuraLocal(std::vector<TLugarProcurado> lugares, IAjuda* ajuda, QWidget* parent)
    : QDialog(parent), lugares_(std::move(lugares)), ajuda_(ajuda) {
    setWindowTitle(QStringLiteral("Procurar local"));
    setObjectName(QStringLiteral("ProcuraLocal"));
    setProperty("helpContext", ContextoDeAjuda);
    auto* layout = new QVBoxLayout(this);
    auto* rotulo = new QLabel(QStringLiteral("&Nome da estação ou da localidade:"), this);
    Campo = new QLineEdit(this);
    Campo->setMinimumWidth(380);
    rotulo->setBuddy(Campo);
    SemResultado = new QLabel(QStringLiteral("Nenhuma estação ou localidade com esse nome."), this);
    SemResultado->hide();
    layout->addWidget(rotulo);
    layout->addWidget(Campo);
    layout->addWidget(SemResultado);

    // The completer shows the model as it is: the filtering is the
    // collation's, done here at every edit.
    modelo_ = new QStandardItemModel(this);
    Completador = new QCompleter(modelo_, this);
    Completador->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    Completador->setWidget(Campo);
    Completador->setMaxVisibleItems(12);
    connect(Campo, &QLineEdit::textEdited, this, [this] { Atualiza(); });
    connect(Completador, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& i) { Escolhe(i.data(PapelIndice).toInt()); });
    Campo->setPlaceholderText(QStringLiteral("nome, ou coordenadas como -23.5505, -46.6333"));
    connect(Campo, &QLineEdit::returnPressed, this, [this] {
        if (modelo_->rowCount() > 0) Escolhe(modelo_->item(0)->data(PapelIndice).toInt());
        else if (PareceCoordenada(Campo->text().toStdString()))
            ExecutaProtegido([this] {
                coordenadas_ = LeCoordenadasColadas(Campo->text().toStdString());
                accept();
            });
    });
}

QString TProcuraLocal::Sugestao(const TLugarProcurado& lugar) {
    return QStringLiteral("%1 (%2, %3)")
        .arg(Q(SemBrancosFinais(lugar.Nome)), QString::fromLatin1(SiglasEstados[static_cast<std::size_t>(lugar.Estado)]),
             lugar.Estacao ? QStringLiteral("estação") : QStringLiteral("localidade"));
}

std::vector<int> TProcuraLocal::Sugestoes() const {
    // A character that no name can hold matches nothing.
    const std::string texto = Campo->text().toStdString();
    if (!IsCp1252Representable(texto)) return {};
    const AnsiString procura = Utf8ToCp1252(texto);
    std::vector<std::pair<int, int>> achados;   // (0 start of name, 1 later word), place
    for (std::size_t i = 0; i < lugares_.size(); ++i) {
        const int onde = ProcuraNoNome(lugares_[i].Nome, procura);
        if (onde >= 0) achados.emplace_back(onde, static_cast<int>(i));
    }
    std::stable_sort(achados.begin(), achados.end(), [this](const auto& x, const auto& y) {
        if (x.first != y.first) return x.first < y.first;
        const TLugarProcurado &a = lugares_[static_cast<std::size_t>(x.second)],
                              &b = lugares_[static_cast<std::size_t>(y.second)];
        if (const int c = ComparaNomes(a.Nome, b.Nome)) return c < 0;
        if (a.Estado != b.Estado) return a.Estado < b.Estado;
        return a.Estacao > b.Estacao;
    });
    std::vector<int> r;
    r.reserve(achados.size());
    for (const auto& a : achados) r.push_back(a.second);
    return r;
}

void TProcuraLocal::Atualiza() {
    modelo_->clear();
    for (int i : Sugestoes()) {
        auto* item = new QStandardItem(Sugestao(lugares_[static_cast<std::size_t>(i)]));
        item->setData(i, PapelIndice);
        item->setEditable(false);
        modelo_->appendRow(item);
    }
    if (modelo_->rowCount() > 0) Completador->complete();
    else Completador->popup()->hide();
    SemResultado->setVisible(modelo_->rowCount() == 0 && !Campo->text().trimmed().isEmpty());
}

void TProcuraLocal::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        ExecutaProtegido([this] {
            if (ajuda_) ajuda_->MostraTopico(ContextoDeAjuda);
        });
        return;
    }
    QDialog::keyPressEvent(event);
}

void TProcuraLocal::Escolhe(int indice) {
    if (indice < 0 || indice >= static_cast<int>(lugares_.size())) return;
    escolhido_ = lugares_[static_cast<std::size_t>(indice)];
    accept();
}
