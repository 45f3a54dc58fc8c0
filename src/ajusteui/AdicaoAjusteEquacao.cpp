// The fitting window's "Adicionar aos meus dados..." and its help key.
#include <QComboBox>
#include <QLineEdit>

#include "ajuste/Ajuste.h"
#include "ajuste/RelatorioAjuste.h"
#include "ajusteui/FoAdicionaEstacao.h"
#include "ajusteui/FoAjusteEquacao.h"
#include "database/DadosDoUsuario.h"
#include "database/Estados.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "ui/Ajuda.h"
#include "ui/Aplicacao.h"

#include <ctime>

std::string TfrmAjusteEquacao::AdicionaEstacao(int estado, const QString& nome, double latitude, double longitude) {
    if (!Resultado() || PastaDoPrograma.empty()) return {};
    const std::time_t agora = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&agora, &tm);
    const TEstacaoAdicionada e =
        EstacaoDoAjuste(*Resultado(), SiglasEstados[static_cast<std::size_t>(estado)],
                        Utf8ToCp1252(nome.trimmed().toStdString()), latitude, longitude, tm.tm_year + 1900);
    const std::string pasta = AdicionaAosDados(PastaDoPrograma, e);
    if (EstacaoAdicionada) EstacaoAdicionada(estado, nome.trimmed());
    return pasta;
}

void TfrmAjusteEquacao::AdicionarClick() {
    if (!Resultado()) return;
    TfrmAdicionaEstacao dialogo(QString::fromStdString(Utf8(Resultado()->Estacao)), this);
    if (dialogo.exec() != QDialog::Accepted) return;
    double latitude = 0, longitude = 0;
    if (!dialogo.Coordenadas(latitude, longitude)) return;
    const std::string pasta =
        AdicionaEstacao(dialogo.CbEstado->currentIndex(), dialogo.EdNome->text(), latitude, longitude);
    if (TAplicacao* app = TAplicacao::Instancia())
        app->Caixas().Informacao(windowTitle(), QString::fromUtf8("A estação %1 foi adicionada aos dados em %2.")
                                                    .arg(dialogo.EdNome->text().trimmed(),
                                                         QString::fromStdString(pasta)));
}

void TfrmAjusteEquacao::AjudaClick() {
    if (Ajuda) Ajuda->MostraTopico(TopicoAjudaAjuste);
}
