#pragma once
// Help viewer of the program: serves the window's help requests from the help
// file "Tormel21.hlp" beside the program.
//
// File format (UTF-8 text): a sequence of topics, each
//   <topico contexto="7" titulo="Usando o Tormel 2.1" palavras="estado; ajuda">
//     ... Qt rich text (HTML subset) ...
//   </topico>
// The context number is the one the window asks for; "palavras" lists the
// keywords of the index, separated by ';'. A link <a href="#6"> inside a topic
// opens the topic with context 6. Anything outside the topic elements is
// ignored, and so is everything inside <!-- --> comments.
//
// The file is read at the first request, not before: a missing file is only
// noticed when help is asked for, and it is then reported in an error box;
// so is a file the reader refuses (LeituraAjuda.h), and the program goes on
// without help.
// The help window is modeless, a child window of the modal window that is
// active at the first request, so it stays usable beside it.
#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "ui/Ajuda.h"
#include "ui/LeituraAjuda.h"

class ICaixas;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

class TTelaAjuda : public IAjuda {
public:
    using TTopico = TTopicoAjuda;

    // caminhoArquivo: full path of the help file; caixas reports a file that
    // cannot be used.
    TTelaAjuda(std::string caminhoArquivo, ICaixas& caixas);
    ~TTelaAjuda() override;
    TTelaAjuda(const TTelaAjuda&) = delete;
    TTelaAjuda& operator=(const TTelaAjuda&) = delete;

    // Context 0 (none) opens the topics list.
    void MostraTopico(int contexto) override;
    void MostraConteudo() override;
    void ProcuraPalavra() override;

    const std::string& Caminho() const { return caminho_; }
    // The help window, or nullptr before the first successful request (or
    // after its owner window has gone).
    QDialog* Janela() const { return janela_.data(); }
    // Context of the topic shown, 0 when none (or a message) is shown.
    int TopicoAtual() const { return topicoAtual_; }
    const std::vector<TTopico>& Topicos() const { return topicos_; }

    // Topics of a help file's text, in file order (LeituraAjuda.h: topics
    // without a valid context number are skipped, what the limits refuse
    // raises EDadosInvalidos; no images, since there is no folder).
    static std::vector<TTopico> LeTopicos(const QString& texto);

private:
    bool Carrega();
    bool PreparaJanela();
    void ConstroiJanela();
    void PreencheIndice(const QString& filtro);
    void Exibe(int contexto);
    void AbreLink(const QString& link);
    const TTopico* Procura(int contexto) const;

    std::string caminho_;
    ICaixas& caixas_;
    std::vector<TTopico> topicos_;
    bool carregado_ = false;
    int topicoAtual_ = 0;

    QPointer<QDialog> janela_;
    QTabWidget* abas_ = nullptr;
    QListWidget* listaConteudo_ = nullptr;
    QLineEdit* chave_ = nullptr;
    QListWidget* listaIndice_ = nullptr;
    QTextBrowser* texto_ = nullptr;
};
