#include "PastaJanela.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtGlobal>

#include <vector>

#include "suporte/ArquivosDeTeste.h"
#include "platform/Cp1252.h"

TPastaJanela::TPastaJanela() {
    QDir(dir_.path()).mkpath(QStringLiteral("bin"));
    QDir(dir_.path()).mkpath(QStringLiteral("Arquivos Comuns"));
    Grava(QStringLiteral("Estados_Tor21.bin"), ArquivoEstacoes());
    Grava(QStringLiteral("Localidades_Tor21.bin"), ArquivoLocalidades());
    Grava(QStringLiteral("BA.bmp"), MapaAzul());
    Grava(QStringLiteral("MG.bmp"), MapaAzul());
}

std::string TPastaJanela::Programa() const { return (dir_.path() + QStringLiteral("/bin/")).toStdString(); }
QString TPastaJanela::Dados() const { return dir_.path() + QStringLiteral("/Arquivos Comuns/"); }

QString TPastaJanela::CaminhoComoOProgramaVe(const QString& arquivo) const {
    return dir_.path() + QStringLiteral("/bin/../Arquivos Comuns/") + arquivo;
}

void TPastaJanela::Grava(const QString& arquivo, const QByteArray& dados) const {
    QFile f(Dados() + arquivo);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(dados) != dados.size())
        qFatal("cannot write %s", qPrintable(f.fileName()));
}

QByteArray TPastaJanela::ArquivoEstacoes() {
    auto e = [](const char* nome, double k, const char* lat, const char* lon) {
        return Estacao(Ansi(nome), k, 0.15, 12.0, 0.8, Ansi(lat), Ansi(lon), "SICRANO (1985)");
    };
    std::vector<std::vector<TEstacao>> blocos(27);
    blocos[0] = {e("Rio Branco", 1300.5, "09°58'29\"", "67°48'36\"")};
    blocos[4] = {e("Salvador", 1100.5, "12°58'16\"", "38°30'39\"")};
    blocos[8] = {e("Goiânia", 950.25, "16°40'00\"", "49°15'00\"")};
    blocos[12] = {e("Belo Horizonte", 1447.5, "19°55'00\"", "43°56'00\""),
                  e("Juiz de Fora", 1200.75, "21°45'00\"", "43°21'00\""),
                  e("Montes Claros", 800.125, "16°43'00\"", "43°52'00\"")};
    return QByteArray::fromStdString(MontaArquivo<TEstacao>(blocos));
}

QByteArray TPastaJanela::ArquivoLocalidades() {
    std::vector<std::vector<TLocalidade>> blocos(27);
    blocos[4] = {Localidade("Acajutiba", Ansi("11°39'43\""), Ansi("38°01'01\""))};
    blocos[12] = {Localidade("Contagem", Ansi("19°55'00\""), Ansi("44°03'00\""))};
    return QByteArray::fromStdString(MontaArquivo<TLocalidade>(blocos));
}

QByteArray TPastaJanela::MapaAzul(int largura, int altura, const char* formato) {
    QImage imagem(largura, altura, QImage::Format_RGB32);
    imagem.fill(QColor(0, 0, 255));
    QByteArray dados;
    QBuffer buffer(&dados);
    buffer.open(QIODevice::WriteOnly);
    if (!imagem.save(&buffer, formato)) qFatal("cannot encode the map");
    return dados;
}
