// Query window: "Procurar local..." finds a station or a locality of any
// state by name and selects it as the user's own clicks would.
#include <QApplication>
#include <QComboBox>
#include <QSignalBlocker>

#include <optional>

#include "database/GeoReferencia.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "ui/FoConsulta.h"
#include "ui/ProcuraLocal.h"

void TfrmFoConsulta::ProcurarLocal1Click() {
    if (!todasLocalidades_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        try {
            todasLocalidades_ =
                std::make_unique<std::array<std::vector<TLocalidade>, NumEstados>>(BD->LeTodasLocalidades());
        } catch (...) {
            QApplication::restoreOverrideCursor();
            throw;
        }
        QApplication::restoreOverrideCursor();
    }
    // Localities only of the states whose map the window shows: the others
    // have no locality list to choose them in.
    std::vector<TLugarProcurado> lugares;
    for (int s = 0; s < NumEstados; ++s) {
        const auto& estacoes = BD->Estacoes[static_cast<std::size_t>(s)];
        for (std::size_t i = 0; i < estacoes.size(); ++i)
            lugares.push_back({estacoes[i].Nome.Text(), s, true, static_cast<int>(i)});
        if (!EstadoComMapa(s)) continue;
        const auto& locais = (*todasLocalidades_)[static_cast<std::size_t>(s)];
        for (std::size_t i = 0; i < locais.size(); ++i)
            lugares.push_back({locais[i].Nome.Text(), s, false, static_cast<int>(i)});
    }
    TProcuraLocal dialogo(std::move(lugares), ajuda_, this);
    if (dialogo.exec() != QDialog::Accepted) return;
    if (dialogo.Coordenadas()) return VaiParaCoordenadas(*dialogo.Coordenadas());
    if (!dialogo.Escolhido()) return;
    SelecionaLugar(*dialogo.Escolhido());
}

void TfrmFoConsulta::SelecionaLugar(const TLugarProcurado& lugar) {
    // The state as a choice in the combo box makes it.
    {
        const QSignalBlocker bloqueio(Estados);
        Estados->setCurrentIndex(lugar.Estado);
    }
    EstadosClick();
    if (Estado->Indice != lugar.Estado) return;

    // Then the list line of the record, as a click on it. The record is
    // found by its place in the block and, should the locality file have
    // changed since the search read it, by its name.
    TListaLugares* lista = lugar.Estacao ? LBEstacao : LBLocalidade;
    auto nomeNaPosicao = [&](int p) -> std::optional<AnsiString> {
        const int registro = lugar.Estacao ? EstacaoDaPosicao(p) : LocalidadeDaPosicao(p);
        if (registro < 0) return std::nullopt;
        const auto r = static_cast<std::size_t>(registro);
        if (lugar.Estacao) return BD->Estacoes[static_cast<std::size_t>(lugar.Estado)].at(r).Nome.Text();
        if (r >= BD->Localidades.size()) return std::nullopt;
        return BD->Localidades[r].Nome.Text();
    };
    int posicao = -1;
    for (int p = 0; p < lista->count() && posicao < 0; ++p)
        if ((lugar.Estacao ? EstacaoDaPosicao(p) : LocalidadeDaPosicao(p)) == lugar.Registro &&
            nomeNaPosicao(p) == lugar.Nome)
            posicao = p;
    for (int p = 0; p < lista->count() && posicao < 0; ++p)
        if (nomeNaPosicao(p) == lugar.Nome) posicao = p;
    if (posicao < 0)
        throw Exception(Ansi("O local ") + lugar.Nome + Ansi(" não está mais na lista de ") + Estado->Nome() + ".");
    SelecionaLinha(lista, posicao);
    lista->scrollToItem(lista->item(posicao));
    if (lugar.Estacao) LBEstacaoClick();
    else LBLocalidadeClick();
}
