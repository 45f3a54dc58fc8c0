#include "curvas/TextosIdf.h"

#include <QFile>
#include <QHeaderView>
#include <QLocale>
#include <QScrollBar>
#include <QStyle>
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

// The widths come from the texts' font metrics, not from each cell's size
// hint through the delegate: 10,000 cells are measured in milliseconds.
void AjustaLarguraDaTabela(QTableWidget* tabela, int maximo) {
    const QFontMetrics normal(tabela->font());
    QFont f = tabela->font();
    f.setBold(true);
    const QFontMetrics negrito(f);
    const QFontMetrics cabecalho(tabela->horizontalHeader()->font());
    const int margem = 2 * tabela->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tabela) + 10;
    QHeaderView* colunas = tabela->horizontalHeader();
    colunas->setSectionResizeMode(QHeaderView::Interactive);
    for (int j = 0; j < tabela->columnCount(); ++j) {
        const QTableWidgetItem* titulo = tabela->horizontalHeaderItem(j);
        int w = titulo ? cabecalho.horizontalAdvance(titulo->text()) + margem + 6 : 0;
        for (int i = 0; i < tabela->rowCount(); ++i)
            if (const QTableWidgetItem* celula = tabela->item(i, j))
                w = std::max(w, (celula->font().bold() ? negrito : normal).horizontalAdvance(celula->text()) + margem);
        tabela->setColumnWidth(j, w);
    }
    QHeaderView* linhas = tabela->verticalHeader();
    linhas->setSectionResizeMode(QHeaderView::Fixed);
    linhas->setDefaultSectionSize(std::max(negrito.height(), cabecalho.height()) + 6);
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
