#include "ui/LeituraAjuda.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QStringView>

#include <algorithm>

#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {

// Value of attribute `nome` in the attribute text of a <topico> tag.
QString Atributo(const QString& atributos, const QString& nome) {
    const QRegularExpression re(QStringLiteral("\\b%1\\s*=\\s*\"([^\"]*)\"").arg(nome));
    const auto m = re.match(atributos);
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

// Entities the attribute values may carry, so titles can hold '&' and quotes.
QString SemEntidades(QString s) {
    s.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return s;
}

// A message as cp1252 text; a character cp1252 lacks (in a name the file
// gives) becomes '?', so the message itself never fails.
AnsiString Mensagem(const QString& texto) {
    AnsiString r;
    for (const char32_t c : texto.toUcs4()) {
        const std::string utf8 = QString::fromUcs4(&c, 1).toStdString();
        r += IsCp1252Representable(utf8) ? Utf8ToCp1252(utf8) : AnsiString("?");
    }
    return r;
}

bool Letra(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Elements that hold no content, and those that close an open one of their
// own kind (the nearest, when no list, table or block lies between).
const QStringList kVazios = {"br", "hr", "img", "meta", "link", "input", "col", "area", "base", "param", "wbr"};
const QStringList kFechaIrmao = {"p", "li", "dt", "dd", "td", "th", "tr", "option"};
const QStringList kEscopos = {"ul", "ol", "dl", "table", "tr", "td", "th", "li", "blockquote", "div", "body", "html"};

class TLeitor {
public:
    TLeitor(const QString& texto, const QString& pasta, const QString& nome)
        : texto_(texto), pasta_(pasta), nome_(nome) {}

    std::vector<TTopicoAjuda> Le() {
        std::vector<TTopicoAjuda> topicos;
        int lidos = 0;
        qsizetype p = 0;
        for (;;) {
            const qsizetype i = texto_.indexOf(QLatin1Char('<'), p);
            if (i < 0) break;
            if (Em(i, u"<!--")) {
                p = FimDoComentario(i);
                continue;
            }
            if (!Em(i, u"<topico") || (i + 7 < texto_.size() && Letra(texto_[i + 7]))) {
                p = i + 1;
                continue;
            }
            if (++lidos > LimitesAjuda::Topicos)
                Falha(i, QStringLiteral("mais de %1 tópicos").arg(LimitesAjuda::Topicos));
            TTopicoAjuda t;
            p = LeTopico(i, t);
            if (t.Contexto > 0) topicos.push_back(std::move(t));
        }
        return topicos;
    }

private:
    bool Em(qsizetype i, const char16_t* marca) const {
        return QStringView(texto_).mid(i).startsWith(QStringView(marca), Qt::CaseInsensitive);
    }

    [[noreturn]] void Falha(qsizetype pos, const QString& motivo) const {
        const qsizetype linha = 1 + QStringView(texto_).left(pos).count(QLatin1Char('\n'));
        throw EDadosInvalidos(
            Mensagem(QStringLiteral("O arquivo de ajuda %1, linha %2: %3.").arg(nome_).arg(linha).arg(motivo)));
    }

    qsizetype FimDoComentario(qsizetype i) const {
        const qsizetype f = texto_.indexOf(QStringLiteral("-->"), i + 4);
        if (f < 0) Falha(i, QStringLiteral("o comentário <!-- não termina com -->"));
        return f + 3;
    }

    // The topic whose tag begins at i; returns the position after its end.
    qsizetype LeTopico(qsizetype i, TTopicoAjuda& t) {
        const qsizetype fimMarca = texto_.indexOf(QLatin1Char('>'), i);
        if (fimMarca < 0) Falha(i, QStringLiteral("a marca <topico não termina com >"));
        if (fimMarca - i > 4096) Falha(i, QStringLiteral("a marca <topico tem mais de 4096 caracteres"));
        const QString atributos = texto_.mid(i + 7, fimMarca - i - 7);

        // The text up to </topico>, without its comments.
        QString corpo;
        qsizetype p = fimMarca + 1, inicio = p, fim = -1;
        for (;;) {
            const qsizetype j = texto_.indexOf(QLatin1Char('<'), p);
            if (j < 0) Falha(i, QStringLiteral("o tópico não termina com </topico>"));
            if (Em(j, u"<!--")) {
                corpo += QStringView(texto_).mid(inicio, j - inicio);
                p = inicio = FimDoComentario(j);
            } else if (Em(j, u"</topico")) {
                qsizetype k = j + 8;
                while (k < texto_.size() && texto_[k].isSpace()) ++k;
                if (k >= texto_.size() || texto_[k] != QLatin1Char('>')) {
                    p = j + 1;
                    continue;
                }
                corpo += QStringView(texto_).mid(inicio, j - inicio);
                fim = k + 1;
                VerificaMarcacao(fimMarca + 1, j);
                break;
            } else if (Em(j, u"<topico") && (j + 7 >= texto_.size() || !Letra(texto_[j + 7]))) {
                Falha(j, QStringLiteral("um <topico> começa antes de terminar o anterior (falta </topico>)"));
            } else {
                p = j + 1;
            }
            if (p - fimMarca > LimitesAjuda::Texto + 16)
                Falha(i, QStringLiteral("o tópico tem mais de %1 caracteres").arg(LimitesAjuda::Texto));
        }

        t.Texto = corpo.trimmed();
        if (t.Texto.size() > LimitesAjuda::Texto)
            Falha(i, QStringLiteral("o tópico tem mais de %1 caracteres").arg(LimitesAjuda::Texto));
        bool ok = false;
        const int contexto = Atributo(atributos, QStringLiteral("contexto")).toInt(&ok);
        if (!ok || contexto <= 0) return fim;   // skipped
        t.Contexto = contexto;
        t.Titulo = SemEntidades(Atributo(atributos, QStringLiteral("titulo")));
        if (t.Titulo.isEmpty()) t.Titulo = QStringLiteral("Tópico %1").arg(contexto);
        for (const QString& palavra : SemEntidades(Atributo(atributos, QStringLiteral("palavras"))).split(QLatin1Char(';')))
            if (!palavra.trimmed().isEmpty()) t.Palavras << palavra.trimmed();
        if (t.Palavras.size() > LimitesAjuda::Palavras)
            Falha(i, QStringLiteral("o tópico tem mais de %1 palavras-chave").arg(LimitesAjuda::Palavras));
        return fim;
    }

    // The elements of a topic's text [de, ate): nesting and images.
    void VerificaMarcacao(qsizetype de, qsizetype ate) const {
        QStringList abertos;
        qsizetype p = de;
        for (;;) {
            const qsizetype i = texto_.indexOf(QLatin1Char('<'), p);
            if (i < 0 || i >= ate) return;
            if (Em(i, u"<!--")) {
                p = FimDoComentario(i);
                continue;
            }
            const bool fecha = i + 1 < ate && texto_[i + 1] == QLatin1Char('/');
            qsizetype n = i + (fecha ? 2 : 1);
            const qsizetype inicioNome = n;
            while (n < ate && (texto_[n].isLetterOrNumber())) ++n;
            if (n == inicioNome) {   // "<!DOCTYPE", "< 3", a stray '<': text or nothing
                p = i + 1;
                continue;
            }
            const QString nome = texto_.mid(inicioNome, n - inicioNome).toLower();
            // The end of the tag, quotes in attribute values skipped.
            QChar aspas;
            qsizetype f = n;
            for (; f < ate; ++f) {
                const QChar c = texto_[f];
                if (!aspas.isNull()) {
                    if (c == aspas) aspas = QChar();
                } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                    aspas = c;
                } else if (c == QLatin1Char('>')) {
                    break;
                }
            }
            if (f >= ate) return;   // an unfinished tag at the end: the rest is text
            p = f + 1;
            if (fecha) {
                const qsizetype k = abertos.lastIndexOf(nome);
                if (k >= 0) abertos.resize(k);
                continue;
            }
            if (nome == QLatin1String("img")) VerificaImagem(i, texto_.mid(n, f - n));
            if (kVazios.contains(nome) || texto_[f - 1] == QLatin1Char('/')) continue;
            if (nome == QLatin1String("style") || nome == QLatin1String("script")) {   // no elements inside
                const qsizetype fim = texto_.indexOf(QStringLiteral("</") + nome, p, Qt::CaseInsensitive);
                p = fim < 0 || fim >= ate ? ate : fim;
                continue;
            }
            if (kFechaIrmao.contains(nome)) {
                for (qsizetype k = abertos.size() - 1; k >= 0; --k) {
                    if (abertos[k] == nome) {
                        abertos.resize(k);
                        break;
                    }
                    if (kEscopos.contains(abertos[k])) break;
                }
            }
            abertos << nome;
            if (abertos.size() > LimitesAjuda::Aninhamento)
                Falha(i, QStringLiteral("elementos aninhados em mais de %1 níveis").arg(LimitesAjuda::Aninhamento));
            if (nome == QLatin1String("table") && abertos.count(nome) > LimitesAjuda::Tabelas)
                Falha(i, QStringLiteral("tabelas aninhadas em mais de %1 níveis").arg(LimitesAjuda::Tabelas));
        }
    }

    // Every src of the tag must name a picture that reads: Qt's layout can
    // loop forever on a picture it cannot load that has a width.
    void VerificaImagem(qsizetype i, const QString& atributos) const {
        static const QRegularExpression src(QStringLiteral("\\bsrc\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"),
                                            QRegularExpression::CaseInsensitiveOption);
        bool alguma = false;
        for (auto it = src.globalMatch(atributos); it.hasNext();) {
            const auto m = it.next();
            QString nome;
            for (int k = 1; k <= 3 && nome.isEmpty(); ++k) nome = m.captured(k);
            alguma = true;
            if (!imagens_.contains(nome)) {
                QString motivo;
                if (nome.contains(QLatin1Char('&')))   // an entity: Qt would read another name
                    motivo = QStringLiteral("não é o nome de um arquivo ao lado do arquivo de ajuda");
                else
                    ImagemDaAjuda(pasta_, QUrl(nome), &motivo);
                imagens_.insert(nome, motivo);
            }
            const QString motivo = imagens_.value(nome);
            if (!motivo.isEmpty()) Falha(i, QStringLiteral("a imagem \"%1\" %2").arg(nome, motivo));
        }
        if (!alguma) Falha(i, QStringLiteral("uma imagem sem src, o nome do arquivo da figura"));
    }

    const QString& texto_;
    QString pasta_, nome_;
    mutable QHash<QString, QString> imagens_;   // src -> why it is refused (empty: taken)
};

}  // namespace

QImage ImagemDaAjuda(const QString& pasta, const QUrl& url, QString* motivo) {
    auto recusa = [&](const QString& m) {
        if (motivo) *motivo = m;
        return QImage();
    };
    const QString nome = url.path(QUrl::FullyDecoded);
    if (!url.isValid() || !url.scheme().isEmpty() || !url.host().isEmpty() || url.hasQuery() || nome.isEmpty() ||
        nome.contains(QLatin1Char('/')) || nome.contains(QLatin1Char('\\')) || nome == QLatin1String(".") ||
        nome == QLatin1String("..") || pasta.isEmpty())
        return recusa(QStringLiteral("não é o nome de um arquivo ao lado do arquivo de ajuda"));
    const QString caminho = QDir(pasta).filePath(nome);
    const QFileInfo info(caminho);
    if (!info.isFile()) return recusa(QStringLiteral("não é um arquivo comum ao lado do arquivo de ajuda"));
    if (info.size() > LimitesAjuda::ImagemBytes)
        return recusa(QStringLiteral("tem mais de %1 bytes").arg(LimitesAjuda::ImagemBytes));
    QImageReader leitor(caminho);
    const QSize tamanho = leitor.size();
    if (!tamanho.isValid()) return recusa(QStringLiteral("não é uma imagem que se possa ler"));
    if (tamanho.width() > LimitesAjuda::ImagemLado || tamanho.height() > LimitesAjuda::ImagemLado)
        return recusa(QStringLiteral("tem mais de %1 pixels de lado").arg(LimitesAjuda::ImagemLado));
    const QImage imagem = leitor.read();
    if (imagem.isNull()) return recusa(QStringLiteral("não é uma imagem que se possa ler"));
    return imagem;
}

QVariant TDocumentoAjuda::loadResource(int tipo, const QUrl& nome) {
    if (tipo != QTextDocument::ImageResource) return {};
    // What is refused is shown as one transparent pixel: Qt's layout can
    // loop forever on a picture it cannot load.
    QImage imagem = ImagemDaAjuda(pasta_, nome);
    if (imagem.isNull()) {
        imagem = QImage(1, 1, QImage::Format_ARGB32);
        imagem.fill(Qt::transparent);
    }
    addResource(tipo, nome, imagem);
    return imagem;
}

std::vector<TTopicoAjuda> LeTextoAjuda(const QString& texto, const QString& pasta, const QString& nome) {
    return TLeitor(texto, pasta, nome).Le();
}

std::vector<TTopicoAjuda> LeArquivoAjuda(const std::string& caminho) {
    const QString nome = QFile::decodeName(QByteArray::fromStdString(caminho));
    QFile arquivo(nome);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw EInOutError(
            Mensagem(QStringLiteral("Não foi possível ler o arquivo de ajuda %1 (%2).").arg(nome, arquivo.errorString())));
    // Read no more than the limit allows, whatever the file is.
    const QByteArray dados = arquivo.read(LimitesAjuda::Arquivo + 1);
    if (dados.size() > LimitesAjuda::Arquivo)
        throw EDadosInvalidos(
            Mensagem(QStringLiteral("O arquivo de ajuda %1 tem mais de %2 bytes.").arg(nome).arg(LimitesAjuda::Arquivo)));
    return LeTextoAjuda(QString::fromUtf8(dados), QFileInfo(nome).absolutePath(), nome);
}
