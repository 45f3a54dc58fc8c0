// The help file reader, and every topic it takes laid out as the help
// window lays it out: what the reader lets through must lay out at once
// (libFuzzer's -timeout catches a slow one), within the reader's limits.
#include <QGuiApplication>
#include <QImage>

#include <string>

#include "Alvos.h"
#include "PastaFuzz.h"
#include "ViolacaoDeInvariante.h"
#include "platform/Erros.h"
#include "ui/LeituraAjuda.h"

namespace {

void Exige(bool condicao, const std::string& oque) {
    if (!condicao) throw ViolacaoDeInvariante("help file: " + oque);
}

// Text layout needs a GUI application; the offscreen platform serves.
void Aplicacao() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nome[] = "fuzz_ajuda";
    static char* argv[] = {nome, nullptr};
    static QGuiApplication aplicacao(argc, argv);
    // A picture beside the help file, for the text to name.
    QImage figura(4, 4, QImage::Format_RGB32);
    figura.fill(Qt::blue);
    figura.save(QString::fromStdString(TPastaFuzz::Caminho() + "figura.png"), "PNG");
}

}  // namespace

// Fontconfig keeps the patterns of Qt's font fallback for the whole process;
// LeakSanitizer would report them at the first layout that needs a fallback.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

int AlvoAjuda(const uint8_t* dados, std::size_t tamanho) {
    Aplicacao();
    const std::string caminho = TPastaFuzz::Grava("Tormel21.hlp", dados, tamanho);
    std::vector<TTopicoAjuda> topicos;
    try {
        topicos = LeArquivoAjuda(caminho);
    } catch (const EDadosInvalidos& e) {
        Exige(std::string(e.what()).rfind("O arquivo de ajuda " + caminho, 0) == 0, "message " + std::string(e.what()));
        return 0;
    }
    Exige(topicos.size() <= LimitesAjuda::Topicos, "topic count");
    for (const auto& t : topicos) {
        Exige(t.Contexto > 0 && !t.Titulo.isEmpty(), "topic without context or title");
        Exige(t.Texto.size() <= LimitesAjuda::Texto && t.Palavras.size() <= LimitesAjuda::Palavras, "topic size");
        TDocumentoAjuda documento(QString::fromStdString(TPastaFuzz::Caminho()));
        documento.setTextWidth(480);
        documento.setHtml(t.Texto);
        (void)documento.size();
    }
    return 0;
}
