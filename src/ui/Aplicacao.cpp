#include "ui/Aplicacao.h"

#include <QIcon>
#include <QMessageBox>

#include <cstdio>

#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {
const char* const TituloAplicacao = "Tormel 2.1";

QString MensagemDe(const std::exception& e) {
    if (const auto* ex = dynamic_cast<const Exception*>(&e))
        return QString::fromStdString(Cp1252ToUtf8(ex->Message()));
    return QString::fromUtf8(e.what());
}
}  // namespace

void TCaixasPadrao::Erro(const QString& titulo, const QString& texto) {
    QMessageBox caixa(QMessageBox::Critical, titulo, texto, QMessageBox::Ok);
    caixa.exec();
}

void TCaixasPadrao::Informacao(const QString& titulo, const QString& texto) {
    QMessageBox caixa(QMessageBox::Information, titulo, texto, QMessageBox::Ok);
    caixa.exec();
}

QString ComPontoFinal(const QString& mensagem) {
    if (!mensagem.isEmpty() && mensagem.back() > QLatin1Char('.')) return mensagem + QLatin1Char('.');
    return mensagem;
}

// Resources of the static library, registered outside any namespace.
static void InicializaIcone() { Q_INIT_RESOURCE(imagens); }

TAplicacao::TAplicacao(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromUtf8(TituloAplicacao));
    // Every window without an icon of its own takes the program's.
    InicializaIcone();
    setWindowIcon(QIcon(QStringLiteral(":/imagens/tormel21.svg")));
}

bool TAplicacao::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        MostraErro(e);
    }
    return false;
}

ICaixas& TAplicacao::Caixas() { return caixas_ ? *caixas_ : padrao_; }

void TAplicacao::SetCaixas(ICaixas* caixas) { caixas_ = caixas; }

TAplicacao* TAplicacao::Instancia() { return dynamic_cast<TAplicacao*>(QCoreApplication::instance()); }

void TAplicacao::MostraErro(const std::exception& e) {
    Caixas().Erro(QString::fromUtf8(TituloAplicacao), ComPontoFinal(MensagemDe(e)));
}

void ExecutaProtegido(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        if (TAplicacao* app = TAplicacao::Instancia()) app->MostraErro(e);
        else std::fprintf(stderr, "%s\n", qPrintable(ComPontoFinal(MensagemDe(e))));
    }
}
