// "Chuva de projeto": what each method says of itself, and the storm shown
// written for EPA SWMM and HEC-HMS through the core's writers.
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

#include "curvas/PaginaChuvaDeProjeto.h"
#include "model/SaidasDeChuva.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {
QString T(const char* utf8) { return QString::fromUtf8(utf8); }

void Grava(const QString& caminho, const std::string& texto) {
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly) ||
        arquivo.write(texto.data(), static_cast<qint64>(texto.size())) != static_cast<qint64>(texto.size()) ||
        !arquivo.commit())
        throw EInOutError(Ansi("Não foi possível gravar ") + Utf8ToCp1252(caminho.toStdString()) + ".");
}

QString Escolhe(QWidget* dono, const QString& titulo, const QString& filtros, const QString& sufixo) {
    QFileDialog dialogo(dono, titulo, QString(), filtros);
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setDefaultSuffix(sufixo);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return QString();
    return dialogo.selectedFiles().front();
}
}  // namespace

QString DescricaoDoMetodo(TMetodoChuva metodo) {
    switch (metodo) {
    case TMetodoChuva::BlocosAlternados:
        return T("Método dos blocos alternados: as alturas de chuva dos intervalos de Δt, tiradas da curva "
                 "P(Tr, t), dispostas da maior para a menor, alternadamente depois e antes do pico.");
    case TMetodoChuva::Chicago:
        return T("Chicago (Keifer e Chu, 1957): antes do pico a intensidade é i(tb/r), depois i(ta/(1−r)), com "
                 "i(t) a intensidade instantânea da equação; todo intervalo de duração d que contém o pico e o "
                 "divide na razão r : 1−r recebe P(Tr, d).");
    default:
        return T("Huff, curva mediana (50%) do %1º quartil: P(Tr, D) distribuída pela fração acumulada das "
                 "ordenadas a cada 5% da duração (tabela \"Dimensionless Huff Storm Coefficients\", segundo "
                 "Huff, 1967); a posição do pico não conta.")
            .arg(QuartilDeHuff(metodo));
    }
}

void TPaginaChuvaDeProjeto::ExportaSwmm(const QString& caminho) const {
    if (hietograma_.Blocos.empty()) throw Exception(Ansi("Calcule a chuva de projeto antes de gravá-la."));
    const std::string descricao = "Tormel 2.1 - " + lugar_.Nome.trimmed().toStdString() + " (" +
                                  lugar_.Estado.toStdString() + "), " + LatitudeComHemisferio(lugar_).toStdString() + ", " +
                                  lugar_.Longitude.toStdString() + " W - " + Cp1252ToUtf8(NomeDoMetodo(metodo_));
    const bool serie = QFileInfo(caminho).suffix().compare(T("dat"), Qt::CaseInsensitive) == 0;
    Grava(caminho, serie ? SerieSwmm(hietograma_, descricao) : SecoesSwmm(hietograma_, descricao));
}

void TPaginaChuvaDeProjeto::ExportaHecHms(const QString& caminho) const {
    if (hietograma_.Blocos.empty()) throw Exception(Ansi("Calcule a chuva de projeto antes de gravá-la."));
    Grava(caminho, PadraoHecHms(hietograma_));
}

void TPaginaChuvaDeProjeto::ExportarSwmmClick() {
    const QString caminho = Escolhe(this, T("Chuva para o EPA SWMM"),
                                    T("Série temporal do SWMM (*.dat);;Seções para um .inp (*.inp)"), T("dat"));
    if (!caminho.isEmpty()) ExportaSwmm(caminho);
}

void TPaginaChuvaDeProjeto::ExportarHecHmsClick() {
    const QString caminho =
        Escolhe(this, T("Chuva para o HEC-HMS"), T("Padrão do HEC-HMS, CSV (*.csv);;Todos os arquivos (*)"), T("csv"));
    if (!caminho.isEmpty()) ExportaHecHms(caminho);
}
