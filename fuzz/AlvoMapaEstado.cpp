// The state map check, with run-length maps made easy to reach: the first
// byte chooses what the rest is.
//   0: the whole BMP file;
//   1: the RLE8 data of a 450 × 450 map with a four-colour palette;
//   2: the same in RLE4.
// A map taken is 450 × 450 with pure blue, reads the same twice, and a
// run-length map taken has only palette colours (every pixel given).
#include <QImage>

#include <string>

#include "Alvos.h"
#include "PastaFuzz.h"
#include "ViolacaoDeInvariante.h"
#include "platform/Erros.h"
#include "ui/LeituraMapaEstado.h"

namespace {

void Exige(bool condicao, const std::string& oque) {
    if (!condicao) throw ViolacaoDeInvariante("state map: " + oque);
}

const QRgb kPaleta[4] = {qRgb(255, 255, 255), qRgb(0, 0, 255), qRgb(200, 30, 30), qRgb(0, 0, 0)};

std::string Cabecalho(int bits, std::size_t tamanhoPixels) {
    std::string h = "BM";
    auto u32 = [&h](uint32_t v) {
        for (int i = 0; i < 4; ++i) h += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    u32(static_cast<uint32_t>(70 + tamanhoPixels));
    u32(0);
    u32(70);   // 14 + 40 + 4 palette entries
    u32(40);
    u32(450);
    u32(450);
    u32(1u | static_cast<uint32_t>(bits) << 16);
    u32(bits == 8 ? 1 : 2);
    u32(static_cast<uint32_t>(tamanhoPixels));
    u32(2835);
    u32(2835);
    u32(4);
    u32(0);
    for (QRgb c : kPaleta) {
        h += static_cast<char>(qBlue(c));
        h += static_cast<char>(qGreen(c));
        h += static_cast<char>(qRed(c));
        h += '\0';
    }
    return h;
}

QImage Le(const std::string& caminho) {
    try {
        return LeMapaEstado(caminho, "Bahia");
    } catch (const EDadosInvalidos&) {
        return {};
    }
}

}  // namespace

int AlvoMapaEstado(const uint8_t* dados, std::size_t tamanho) {
    if (tamanho == 0) return 0;
    const int modo = dados[0] % 3;
    std::string arquivo(reinterpret_cast<const char*>(dados) + 1, tamanho - 1);
    if (modo != 0) arquivo = Cabecalho(modo == 1 ? 8 : 4, arquivo.size()) + arquivo;
    const std::string caminho =
        TPastaFuzz::Grava("BA.bmp", reinterpret_cast<const uint8_t*>(arquivo.data()), arquivo.size());

    const QImage mapa = Le(caminho);
    if (mapa.isNull()) return 0;
    Exige(mapa.size() == QSize(450, 450), "a map taken is 450 x 450");
    Exige(Le(caminho) == mapa, "the same file reads the same twice");
    bool azul = false;
    const QImage rgb = mapa.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < 450; ++y)
        for (int x = 0; x < 450; ++x) {
            const QRgb p = rgb.pixel(x, y) | 0xFF000000u;
            azul |= p == qRgb(0, 0, 255);
            if (modo != 0)
                Exige(p == kPaleta[0] || p == kPaleta[1] || p == kPaleta[2] || p == kPaleta[3],
                      "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") has no palette colour");
        }
    Exige(azul, "a map taken has pure blue");
    return 0;
}
