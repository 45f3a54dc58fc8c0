#include "app/Tormel.h"

#include <cxxabi.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "app/Configuracao.h"
#include "app/Tormel21Comp.h"
#include "platform/ArquivoIni.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "ui/Aplicacao.h"
#include "ui/TelaAjuda.h"

namespace {

const char* const TituloAplicacao = "Tormel 2.1";

QString NomeDoTipo(const std::type_info& tipo) {
    int estado = 0;
    std::unique_ptr<char, void (*)(void*)> nome(abi::__cxa_demangle(tipo.name(), nullptr, nullptr, &estado),
                                                std::free);
    return QString::fromUtf8(estado == 0 && nome ? nome.get() : tipo.name());
}

}  // namespace

QString LinhaDoErro(std::exception_ptr erro) {
    try {
        std::rethrow_exception(erro);
    } catch (const Exception& e) {
        return QString::fromUtf8(e.ClassName()) + QStringLiteral(": ") +
               QString::fromStdString(Cp1252ToUtf8(e.Message()));
    } catch (const std::exception& e) {
        return NomeDoTipo(typeid(e)) + QStringLiteral(": ") + QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Erro desconhecido");
    }
}

int TerminaComErro(TAplicacao& app, std::exception_ptr erro) {
    const QString linha = LinhaDoErro(erro);
    std::fprintf(stderr, "%s\n", linha.toUtf8().constData());
    std::fflush(stderr);
    app.Caixas().Erro(QString::fromUtf8(TituloAplicacao), linha);
    return 1;
}

int ExecutaTormel(TAplicacao& app) {
    std::string pasta;
    try {
        pasta = PastaDoPrograma();
    } catch (...) {
        return TerminaComErro(app, std::current_exception());
    }
    return ExecutaTormelEm(app, pasta);
}

int ExecutaTormelEm(TAplicacao& app, const std::string& pastaDoPrograma) {
    try {
        app.setApplicationName(QString::fromUtf8(TituloAplicacao));

        // The help file is named here and read only when help is asked for.
        TTelaAjuda ajuda(pastaDoPrograma + "Tormel21.hlp", app.Caixas());

        auto componente = std::make_unique<TTormel21>(&app, pastaDoPrograma, &ajuda);
        componente->ShowAbout = true;

        TArquivoIni ini(pastaDoPrograma + "Tormel21.ini");
        LeConfiguracao(ini, *componente);
        componente->ArquivoConfiguracao = ini.Caminho();

        if (componente->Execute()) GravaConfiguracao(ini, *componente);
        componente.reset();
        return 0;
    } catch (...) {
        return TerminaComErro(app, std::current_exception());
    }
}
