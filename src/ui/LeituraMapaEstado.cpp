#include "ui/LeituraMapaEstado.h"

#include <QColor>
#include <QFile>
#include <QImageReader>

#include <cstdint>
#include <cstdlib>

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
    if (compressao != 0 && compressao != 3) return false;   // run-length data: the reader checks it
    if (bits > 64 || std::llabs(largura) > 100000 || std::llabs(altura) > 100000) return true;
    const uint64_t linha = (static_cast<uint64_t>(bits) * static_cast<uint64_t>(std::llabs(largura)) + 31) / 32 * 4;
    const uint64_t fim = inicioPixels + linha * static_cast<uint64_t>(std::llabs(altura));
    return fim > static_cast<uint64_t>(d.size());
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

}  // namespace

QImage LeMapaEstado(const std::string& caminho, const AnsiString& nomeEstado) {
    const AnsiString arquivo = "O arquivo " + TextoDoCaminho(caminho);
    QFile f(QString::fromStdString(caminho));
    if (!f.open(QIODevice::ReadOnly))
        throw EInOutError(arquivo + Ansi(" não pode ser lido (mapa do estado ") + nomeEstado + ").");
    const QByteArray dados = f.readAll();

    QImage imagem;
    if (!Incompleto(dados)) imagem = QImage::fromData(dados, "BMP");
    if (imagem.isNull())
        throw EDadosInvalidos(arquivo + Ansi(" não é um bitmap BMP válido ou está incompleto (mapa do estado ") +
                              nomeEstado + ").");
    if (imagem.width() != 450 || imagem.height() != 450)
        throw EDadosInvalidos(arquivo + " tem " + std::to_string(imagem.width()) + Ansi(" × ") +
                              std::to_string(imagem.height()) + " pixels; o mapa do estado " + nomeEstado +
                              Ansi(" deve ter 450 × 450."));
    if (!TemAzulPuro(imagem))
        throw EDadosInvalidos(arquivo + Ansi(" não tem nenhum pixel azul puro: o mapa do estado ") + nomeEstado +
                              Ansi(" não mostra a área do estado."));
    return imagem;
}
