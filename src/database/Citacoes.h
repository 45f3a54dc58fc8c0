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
