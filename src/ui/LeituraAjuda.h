#pragma once
// Reader of the help file "Tormel21.hlp" (format in TelaAjuda.h) and the
// document its topics are shown in.
//
// The file is text that users and translators edit, and Qt's rich text is no
// sandbox: its layout recurses into nested tables and lists, and it reads any
// file an image names. So the reader takes only what lays out quickly and
// refuses the rest whole, naming the file and the line:
//   - at most LimitesAjuda::Arquivo bytes, Topicos topics, each of at most
//     Texto characters with at most Palavras keywords;
//   - every <topico> closed by </topico>, every <!-- closed by -->;
//   - elements nested at most Aninhamento deep, tables at most Tabelas deep;
//   - images only by the plain name of a regular file beside the help file,
//     of at most ImagemBytes bytes and ImagemLado pixels a side, that reads
//     (Qt's layout can loop forever on a picture it cannot load); every
//     <img> names one.
// The document serves only such images, whatever the text names, and never
// another kind of resource.
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTextDocument>
#include <QUrl>

#include <string>
#include <vector>

struct TTopicoAjuda {
    int Contexto = 0;
    QString Titulo;
    QStringList Palavras;
    QString Texto;   // rich text of the topic
};

namespace LimitesAjuda {
constexpr qint64 Arquivo = 1 << 20;
constexpr int Topicos = 500;
constexpr int Texto = 65536;
constexpr int Palavras = 100;
constexpr int Aninhamento = 32;
constexpr int Tabelas = 4;
constexpr qint64 ImagemBytes = 1 << 20;
constexpr int ImagemLado = 2048;
}  // namespace LimitesAjuda

// The topics of the help file at caminho, in file order; topics without a
// valid context number are skipped. EInOutError when the file cannot be
// read, EDadosInvalidos (naming the file and the line) for what the limits
// above refuse.
std::vector<TTopicoAjuda> LeArquivoAjuda(const std::string& caminho);

// The same for the text of a help file whose folder is pasta (where images
// are looked for); the messages name `nome` as the file.
std::vector<TTopicoAjuda> LeTextoAjuda(const QString& texto, const QString& pasta, const QString& nome);

// Rich text document of a topic: images only through ImagemDaAjuda (one
// transparent pixel for anything else), no other resource.
class TDocumentoAjuda : public QTextDocument {
public:
    TDocumentoAjuda(QString pasta, QObject* dono = nullptr) : QTextDocument(dono), pasta_(std::move(pasta)) {}

protected:
    QVariant loadResource(int tipo, const QUrl& nome) override;

private:
    QString pasta_;
};

// The picture the image name `nome` names in pasta, decoded; a null image
// with the reason in *motivo when it is not the plain name of a regular file
// there, is too big or does not read.
QImage ImagemDaAjuda(const QString& pasta, const QUrl& nome, QString* motivo = nullptr);
