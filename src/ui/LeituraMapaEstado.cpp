#include "ui/LeituraMapaEstado.h"

#include <QColor>
#include <QFile>
#include <QImageReader>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {

uint32_t U32(const QByteArray& d, int p) {
    return static_cast<uint32_t>(static_cast<unsigned char>(d[p])) |
           static_cast<uint32_t>(static_cast<unsigned char>(d[p + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(d[p + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(d[p + 3])) << 24;
}

// A BMP whose uncompressed pixel rows end before the file says they do. The
// image reader would show such a file with its missing rows blank.
bool Incompleto(const QByteArray& d) {
    if (d.size() < 54 || !d.startsWith("BM")) return true;
    const uint32_t inicioPixels = U32(d, 10);
    const auto largura = static_cast<int32_t>(U32(d, 18));
    const auto altura = static_cast<int32_t>(U32(d, 22));
    const uint32_t bits = static_cast<uint32_t>(static_cast<unsigned char>(d[28])) |
                          static_cast<uint32_t>(static_cast<unsigned char>(d[29])) << 8;
    const uint32_t compressao = U32(d, 30);
    if (compressao != 0 && compressao != 3) return false;   // other compressions: the reader's to refuse
    if (bits > 64 || std::llabs(largura) > 100000 || std::llabs(altura) > 100000) return true;
    const uint64_t linha = (static_cast<uint64_t>(bits) * static_cast<uint64_t>(std::llabs(largura)) + 31) / 32 * 4;
    const uint64_t fim = inicioPixels + linha * static_cast<uint64_t>(std::llabs(altura));
    return fim > static_cast<uint64_t>(d.size());
}

uint16_t U16(const QByteArray& d, qsizetype p) {
    return static_cast<uint16_t>(static_cast<unsigned char>(d[p]) | static_cast<unsigned char>(d[p + 1]) << 8);
}

// The header of a run-length BMP (RLE8: compression 1, 8 bits; RLE4:
// compression 2, 4 bits) with its palette.
struct TCabecalhoRle {
    int Largura = 0, Altura = 0, Bits = 0;
    uint32_t InicioPixels = 0;
    std::vector<QRgb> Paleta;
};

bool ComprimidoRle(const QByteArray& d) {
    return d.size() >= 54 && d.startsWith("BM") && U32(d, 14) >= 40 && (U32(d, 30) == 1 || U32(d, 30) == 2);
}

// False when the header cannot be a run-length bitmap: bits that do not go
// with the compression, a top-down picture (run-length data is bottom-up),
// a palette outside the file.
bool LeCabecalhoRle(const QByteArray& d, TCabecalhoRle& c) {
    const uint32_t tamanhoInfo = U32(d, 14);
    c.Largura = static_cast<int32_t>(U32(d, 18));
    c.Altura = static_cast<int32_t>(U32(d, 22));
    c.Bits = U16(d, 28);
    const uint32_t compressao = U32(d, 30);
    if ((compressao == 1 && c.Bits != 8) || (compressao == 2 && c.Bits != 4)) return false;
    if (c.Largura <= 0 || c.Altura <= 0) return false;
    c.InicioPixels = U32(d, 10);
    const uint32_t maximo = 1u << c.Bits;
    uint32_t cores = U32(d, 46);
    if (cores == 0) cores = maximo;
    if (cores > maximo) return false;
    const uint64_t inicioPaleta = 14 + static_cast<uint64_t>(tamanhoInfo);
    if (inicioPaleta + 4 * static_cast<uint64_t>(cores) > static_cast<uint64_t>(d.size())) return false;
    for (uint32_t i = 0; i < cores; ++i) {
        const auto p = static_cast<qsizetype>(inicioPaleta + 4 * i);
        c.Paleta.push_back(qRgb(static_cast<unsigned char>(d[p + 2]), static_cast<unsigned char>(d[p + 1]),
                                static_cast<unsigned char>(d[p])));
    }
    return c.InicioPixels <= static_cast<uint64_t>(d.size());
}

// Decodes the run-length data into a picture of which every pixel was
// given by the data; a null picture for data that ends early (cut short,
// an early end of bitmap), skips pixels (a delta escape, a line ended
// early), writes outside the picture or names a colour the palette lacks.
QImage DecodificaRle(const QByteArray& d, const TCabecalhoRle& c) {
    QImage imagem(c.Largura, c.Altura, QImage::Format_RGB32);
    if (imagem.isNull()) return {};
    const auto fim = static_cast<qsizetype>(d.size());
    qsizetype p = c.InicioPixels;
    int x = 0, y = 0;   // y counts rows from the bottom
    uint64_t definidos = 0;
    auto pinta = [&](unsigned indice) {
        if (x >= c.Largura || y >= c.Altura || indice >= c.Paleta.size()) return false;
        reinterpret_cast<QRgb*>(imagem.scanLine(c.Altura - 1 - y))[x++] = c.Paleta[indice];
        ++definidos;
        return true;
    };
    const bool quatro = c.Bits == 4;
    while (p + 2 <= fim) {
        const auto n = static_cast<unsigned char>(d[p]);
        const auto v = static_cast<unsigned char>(d[p + 1]);
        p += 2;
        if (n > 0) {   // a run of n pixels
            for (unsigned i = 0; i < n; ++i)
                if (!pinta(quatro ? (i % 2 == 0 ? v >> 4 : v & 0x0F) : v)) return {};
        } else if (v == 0) {   // end of line: the line must be whole
            if (x != c.Largura) return {};
            x = 0;
            ++y;
        } else if (v == 1) {   // end of bitmap
            break;
        } else if (v == 2) {   // delta: skips pixels, which then have no colour
            return {};
        } else {   // v pixels given one by one, padded to a 16-bit boundary
            const qsizetype bytes = quatro ? (v + 1) / 2 : v;
            if (p + bytes > fim) return {};
            for (unsigned i = 0; i < v; ++i) {
                const auto b = static_cast<unsigned char>(d[p + (quatro ? i / 2 : i)]);
                if (!pinta(quatro ? (i % 2 == 0 ? b >> 4 : b & 0x0F) : b)) return {};
            }
            p += bytes + (bytes & 1);
        }
    }
    if (definidos != static_cast<uint64_t>(c.Largura) * static_cast<uint64_t>(c.Altura)) return {};
    return imagem;
}

bool TemAzulPuro(const QImage& imagem) {
    const QImage rgb = imagem.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* linha = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if (qRed(linha[x]) == 0 && qGreen(linha[x]) == 0 && qBlue(linha[x]) == 255) return true;
    }
    return false;
}

[[noreturn]] void Tamanho(const AnsiString& arquivo, int largura, int altura, const AnsiString& nomeEstado) {
    throw EDadosInvalidos(arquivo + " tem " + std::to_string(largura) + Ansi(" × ") + std::to_string(altura) +
                          " pixels; o mapa do estado " + nomeEstado + Ansi(" deve ter 450 × 450."));
}

}  // namespace

QImage LeMapaEstado(const std::string& caminho, const AnsiString& nomeEstado) {
    const AnsiString arquivo = "O arquivo " + TextoDoCaminho(caminho);
    QFile f(QString::fromStdString(caminho));
    if (!f.open(QIODevice::ReadOnly))
        throw EInOutError(arquivo + Ansi(" não pode ser lido (mapa do estado ") + nomeEstado + ").");
    const QByteArray dados = f.readAll();

    QImage imagem;
    if (ComprimidoRle(dados)) {
        // The image reader shows run-length data that ends early with
        // whatever memory held: decoded here, where every pixel is checked.
        TCabecalhoRle c;
        if (LeCabecalhoRle(dados, c)) {
            if (c.Largura != 450 || c.Altura != 450) Tamanho(arquivo, c.Largura, c.Altura, nomeEstado);
            imagem = DecodificaRle(dados, c);
        }
    } else if (!Incompleto(dados)) {
        imagem = QImage::fromData(dados, "BMP");
    }
    if (imagem.isNull())
        throw EDadosInvalidos(arquivo + Ansi(" não é um bitmap BMP válido ou está incompleto (mapa do estado ") +
                              nomeEstado + ").");
    if (imagem.width() != 450 || imagem.height() != 450)
        Tamanho(arquivo, imagem.width(), imagem.height(), nomeEstado);
    if (!TemAzulPuro(imagem))
        throw EDadosInvalidos(arquivo + Ansi(" não tem nenhum pixel azul puro: o mapa do estado ") + nomeEstado +
                              Ansi(" não mostra a área do estado."));
    return imagem;
}
