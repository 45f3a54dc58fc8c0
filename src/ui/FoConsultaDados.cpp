// Query window: the data set read again after the user added a station.
#include "database/DadosDoUsuario.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "ui/FoConsulta.h"
#include "ui/ProcuraLocal.h"

void TfrmFoConsulta::MostraEstacaoAdicionada(int estado, const QString& nome) {
    auto novo = std::make_unique<TBDPrecipitacao>(PastaDadosEmUso(pastaDoPrograma_));
    novo->CarregaEstacoes();
    BD = std::move(novo);
    todasLocalidades_.reset();
    const AnsiString procurado = Utf8ToCp1252(nome.toStdString());
    const auto& estacoes = BD->Estacoes.at(static_cast<std::size_t>(estado));
    for (std::size_t i = 0; i < estacoes.size(); ++i)
        if (estacoes[i].Nome.Text() == procurado) {
            SelecionaLugar({procurado, estado, true, static_cast<int>(i)});
            return;
        }
    throw Exception(Ansi("A estação ") + procurado + Ansi(" não está nos dados lidos."));
}
