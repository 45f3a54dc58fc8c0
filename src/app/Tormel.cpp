#include "app/Tormel.h"

#include <cxxabi.h>

#include <QApplication>
#include <QFile>
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
#include "ui/TraducaoQt.h"

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

int TerminaComErro(TAplicacao& app, std::exception_ptr erro, const QString& origem) {
    QString linha = LinhaDoErro(erro);
    if (!origem.isEmpty()) linha += QStringLiteral(" (") + origem + ')';
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
    // Beside the program, or in the user's settings folder when the program's
    // folder cannot be written.
    const std::string caminhoIni = CaminhoDaConfiguracao(pastaDoPrograma);
    // A value of the settings file that the component refuses: the error names
    // the file and the key (the component's properties carry the keys' names).
    const char* chaveRecusada = nullptr;
    try {
        app.setApplicationName(QString::fromUtf8(TituloAplicacao));
        InstalaTraducaoQt(app);
        // The program folder becomes cp1252 text in messages and in the
        // report: a folder that cp1252 cannot name stops the program here,
        // before any file is looked for under a garbled name.
        CaminhoCp1252(pastaDoPrograma);

        // The help file is named here and read only when help is asked for.
        TTelaAjuda ajuda(pastaDoPrograma + "Tormel21.hlp", app.Caixas());

        auto componente = std::make_unique<TTormel21>(&app, pastaDoPrograma, &ajuda);
        componente->ShowAbout = true;

        TArquivoIni ini(caminhoIni);
        LeConfiguracao(ini, *componente);

        bool fechar = false;
        try {
            fechar = componente->Execute();
        } catch (...) {
            chaveRecusada = componente->PropriedadeRecusada();
            throw;
        }
        if (fechar) {
            CriaPasta(caminhoIni.substr(0, caminhoIni.rfind('/') + 1));   // the user's folder on a first write
            GravaConfiguracao(ini, *componente);
        }
        componente.reset();
        return 0;
    } catch (...) {
        const QString origem = chaveRecusada ? QStringLiteral("arquivo \"%1\", chave \"%2\"")
                                                   .arg(QFile::decodeName(QByteArray::fromStdString(caminhoIni)),
                                                        QString::fromLatin1(chaveRecusada))
                                             : QString();
        return TerminaComErro(app, std::current_exception(), origem);
    }
}
