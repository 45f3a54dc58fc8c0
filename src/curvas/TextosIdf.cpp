#include "curvas/TextosIdf.h"

#include <QFile>
#include <QHeaderView>
#include <QLocale>
#include <QScrollBar>
#include <QTableWidget>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

char SeparadorDoLocal() {
    const QString s = QLocale().decimalPoint();
    if (s.size() == 1 && s.at(0).unicode() < 0x80) return static_cast<char>(s.at(0).unicode());
    return '.';
}

void AjustaLarguraDaTabela(QTableWidget* tabela, int maximo) {
    tabela->resizeColumnsToContents();
    tabela->resizeRowsToContents();
    int largura = 2 * tabela->frameWidth() + tabela->verticalScrollBar()->sizeHint().width() + 4;
    if (!tabela->verticalHeader()->isHidden()) largura += tabela->verticalHeader()->sizeHint().width();
    for (int j = 0; j < tabela->columnCount(); ++j) largura += tabela->columnWidth(j);
    tabela->setMinimumWidth(std::min(largura, maximo));
}

QString NumeroGeral(double v) { return QString::fromStdString(FloatToStr(v, SeparadorDoLocal())); }

namespace {
std::string Padrao(int decimais) { return decimais > 0 ? "0." + std::string(static_cast<std::size_t>(decimais), '0') : "0"; }
}  // namespace

QString NumeroFixo(double v, int decimais) {
    return QString::fromStdString(FormatFloat(Padrao(decimais), v, SeparadorDoLocal()));
}

QString NumeroLegivel(double v, int decimais) {
    if (!std::isfinite(v)) return NumeroGeral(v);
    const double a = std::abs(v);
    if (a < 1e5) return NumeroFixo(v, decimais);
    if (a < 1e6) return NumeroFixo(v, 0);
    int expoente = static_cast<int>(std::floor(std::log10(a)));
    double mantissa = v / std::pow(10.0, expoente);
    QString texto = NumeroFixo(mantissa, 3);
    if (texto.startsWith(QStringLiteral("10")) || texto.startsWith(QStringLiteral("-10"))) {   // 9.9996 rounds to 10
        ++expoente;
        texto = NumeroFixo(mantissa / 10, 3);
    }
    return texto + QString::fromUtf8(" × 10^") + QString::number(expoente);
}

QString CampoCsv(const QString& texto) {
    if (!texto.contains(QLatin1Char(';')) && !texto.contains(QLatin1Char('"')) && !texto.contains(QLatin1Char('\n')))
        return texto;
    QString aspas = texto;
    aspas.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + aspas + QLatin1Char('"');
}

QString NumeroCsv(double v, int decimais) { return QString::fromStdString(FormatFloat(Padrao(decimais), v, ',')); }

AnsiString TextoParaMensagem(const QString& texto) {
    try {
        return Utf8ToCp1252(texto.toStdString());
    } catch (const ECodificacao&) {
        return texto.toLatin1().toStdString();   // cp1252 bytes; what it cannot hold becomes '?'
    }
}

void GravaCsv(const QString& caminho, const QStringList& linhas) {
    QSaveFile arquivo(caminho);
    const auto falha = [&] {
        throw EInOutError(Ansi("Não foi possível gravar o arquivo \"") +
                          TextoDoCaminho(QFile::encodeName(caminho).toStdString()) + Ansi("\": ") +
                          TextoParaMensagem(arquivo.errorString()));
    };
    if (!arquivo.open(QIODevice::WriteOnly)) falha();
    QByteArray dados("\xEF\xBB\xBF");
    for (const QString& linha : linhas) dados += linha.toUtf8() + "\r\n";
    if (arquivo.write(dados) != dados.size() || !arquivo.commit()) falha();
}
