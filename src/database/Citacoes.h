#pragma once
// The program's table of source references: ten rows, in fixed order.
// Texts are UTF-8 here; the key of a row equals, byte for byte after
// conversion to cp1252, the short citation stored in the station records.
#include <array>

struct TCitacao {
    const char* Chave;      // short citation, e.g. "FULANO et al. (1999)"
    const char* Autores;    // dialog label Autor
    const char* Titulo;     // dialog label Livro
    const char* Publicacao; // dialog label Pagina
};

extern const std::array<TCitacao, 10> Citacoes;
// Index of the row whose key equals chave exactly (UTF-8), or -1.
int IndiceCitacao(const char* chaveUtf8);
// A station fitted by the user from a rainfall record ("Ajuste ANA 01943011
// (2026)"): "Ajuste " and at most 30 bytes in cp1252. Its description lives in
// ajustes.csv beside the user's stations, not in the table.
bool CitacaoDeAjuste(const char* chaveUtf8);
// A station of the national network fitted by the data builder from its
// annual maxima: "ANA " and the 8-digit code, ", <n> anos".
bool CitacaoDaRedeNacional(const char* chaveUtf8);
// The source of those stations, as the source dialog and the outputs name it.
extern const TCitacao FonteRedeNacional;
// A 15-minute gauge of the city of Rio de Janeiro's warning system, fitted by
// the data builder: "Alerta Rio " and the gauge's name, 30 bytes at most.
bool CitacaoDoAlertaRio(const char* chaveUtf8);
extern const TCitacao FonteAlertaRio;
// The source of a fitted data set's citation (the network's or the city
// gauges'), nullptr for any other.
const TCitacao* FonteDaCitacao(const char* chaveUtf8);
// Any fitted equation whose description and 90% intervals live in
// ajustes.csv and intervalos.csv beside the stations.
inline bool CitacaoComDescricao(const char* chaveUtf8) {
    return CitacaoDeAjuste(chaveUtf8) || FonteDaCitacao(chaveUtf8) != nullptr;
}
