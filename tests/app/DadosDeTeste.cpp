#include "DadosDeTeste.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <stdexcept>
#include <vector>

#include "database/Registros.h"
#include "platform/Cp1252.h"

namespace DadosDeTeste {

AnsiString LatitudeBeloHorizonte() { return Ansi("19°55'00\""); }
AnsiString LongitudeBeloHorizonte() { return Ansi("43°56'00\""); }
AnsiString LatitudeContagem() { return Ansi("19°55'00\""); }
AnsiString LongitudeContagem() { return Ansi("44°03'00\""); }
AnsiString LatitudeRioBranco() { return Ansi("09°58'29\""); }
AnsiString LongitudeRioBranco() { return Ansi("67°48'36\""); }
AnsiString LatitudeCruzeiro() { return Ansi("07°37'51\""); }
AnsiString LongitudeCruzeiro() { return Ansi("72°40'12\""); }

namespace {

TEstacao Estacao(const char* nome, double k, double a, double b, double c, const AnsiString& lat,
                 const AnsiString& lon, const char* autor) {
    TEstacao e;
    e.Nome.Assign(Ansi(nome));
    e.K = k;
    e.a = a;
    e.b = b;
    e.c = c;
    e.Autor.Assign(Ansi(autor));
    e.Latitude.Assign(lat);
    e.Longitude.Assign(lon);
    return e;
}

TLocalidade Localidade(const char* nome, const AnsiString& lat, const AnsiString& lon) {
    TLocalidade l;
    l.Nome.Assign(Ansi(nome));
    l.Latitude.Assign(lat);
    l.Longitude.Assign(lon);
    return l;
}

template <typename Registro>
QByteArray Arquivo(const std::vector<std::vector<Registro>>& blocos) {
    QByteArray dados(1, '\0');
    for (std::size_t s = 0; s < 27; ++s) {
        const std::size_t n = s < blocos.size() ? blocos[s].size() : 0;
        dados.append(static_cast<char>(n & 0xFF));
        dados.append(static_cast<char>((n >> 8) & 0xFF));
        if (n) dados.append(reinterpret_cast<const char*>(blocos[s].data()), static_cast<qsizetype>(n * sizeof(Registro)));
    }
    return dados;
}

void Grava(const QString& caminho, const QByteArray& dados) {
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly) || f.write(dados) != dados.size())
        throw std::runtime_error("cannot write " + caminho.toStdString());
}

}  // namespace

std::string CriaPastas(const QString& raiz) {
    QDir dir(raiz);
    if (!dir.mkpath(QStringLiteral("bin")) || !dir.mkpath(QStringLiteral("Arquivos Comuns")))
        throw std::runtime_error("cannot create the test folders");
    const QString dados = raiz + QStringLiteral("/Arquivos Comuns/");

    std::vector<std::vector<TEstacao>> estacoes(27);
    estacoes[0] = {Estacao("Cruzeiro do Sul", 1200.5, 0.12, 11, 0.8, LatitudeCruzeiro(), LongitudeCruzeiro(),
                           "SILVA et al. (1999)"),
                   Estacao("Rio Branco", 1300.25, 0.13, 12, 0.81, LatitudeRioBranco(), LongitudeRioBranco(),
                           "SILVA et al. (1999)")};
    estacoes[12] = {Estacao("Belo Horizonte", KBeloHorizonte, ABeloHorizonte, BBeloHorizonte, CBeloHorizonte,
                            LatitudeBeloHorizonte(), LongitudeBeloHorizonte(), "PINHEIRO (1997)   "),
                    Estacao("Juiz de Fora", 2000.5, 0.15, 12.5, 0.9, Ansi("21°45'00\""), Ansi("43°21'00\""),
                            "PINHEIRO (1997)"),
                    Estacao("Montes Claros   ", 900.25, 0.2, 9.5, 0.75, Ansi("16°43'00\""), Ansi("43°52'00\""),
                            "PINHEIRO (1997)")};
    Grava(dados + QStringLiteral("Estados_Tor21.bin"), Arquivo(estacoes));

    std::vector<std::vector<TLocalidade>> localidades(27);
    localidades[12] = {Localidade("Contagem", LatitudeContagem(), LongitudeContagem()),
                       Localidade("Uberaba", Ansi("19°45'00\""), Ansi("47°55'00\""))};
    Grava(dados + QStringLiteral("Localidades_Tor21.bin"), Arquivo(localidades));

    QImage mapa(450, 450, QImage::Format_RGB32);
    mapa.fill(QColor(0, 0, 255));
    if (!mapa.save(dados + QStringLiteral("MG.bmp"), "BMP")) throw std::runtime_error("cannot write MG.bmp");

    return (raiz + QStringLiteral("/bin/")).toStdString();
}

void ApagaArquivo(const QString& raiz, const QString& nome) {
    const QString caminho = raiz + QStringLiteral("/Arquivos Comuns/") + nome;
    if (nome.isEmpty()) {
        QDir(raiz + QStringLiteral("/Arquivos Comuns")).removeRecursively();
    } else if (!QFile::remove(caminho)) {
        throw std::runtime_error("cannot remove " + caminho.toStdString());
    }
}

}  // namespace DadosDeTeste
