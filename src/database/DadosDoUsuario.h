#pragma once
// The user's data set. Stations the user adds (a fitted equation) join the
// station CSV of the data folder and both data files are rebuilt from the
// CSV files (MontaDados). When the program's data folder cannot be written
// (an installed package), the data set is copied, at the first addition,
// into tormel21/ of the user's data folder ($XDG_DATA_HOME, else
// ~/.local/share/), and from then on the program and tormel21-consulta read
// it there. Beside the station CSV, ajustes.csv keeps each fit's description
// (uf,nome,citacao,descricao) and intervalos.csv its 90% intervals
// (uf,nome,tr,duracao,inferior,superior: i in mm/h, duration in minutes).
#include <string>
#include <vector>

struct TIntervaloIdf {
    double Tr = 0, Duracao = 0, Inferior = 0, Superior = 0;
};

struct TEstacaoAdicionada {     // texts in UTF-8
    std::string LinhaCsv;       // the builder's station row, without the line end
    std::string Uf, Nome, Citacao, Descricao;
    std::vector<TIntervaloIdf> Intervalos;
};

// tormel21/ in the user's data folder, with a trailing '/'; empty when no home is known.
std::string PastaDoConjuntoDoUsuario();
// The user's folder when it holds both data files, else PastaDados(pastaDoPrograma).
std::string PastaDadosEmUso(const std::string& pastaDoPrograma);
bool ConjuntoDoUsuarioEmUso(const std::string& pastaDoPrograma);

// The row appended to the station CSV (made with its header when missing);
// the description and the intervals to ajustes.csv and intervalos.csv beside it.
void AcrescentaEstacaoAoCsv(const std::string& estacoesCsv, const TEstacaoAdicionada& e);

// The lines of ajustes.csv and intervalos.csv of one station, appended.
void LinhasDoAjuste(const TEstacaoAdicionada& e, std::string& ajustes, std::string& intervalos);

// The station added to the data set in use (the user's made first when the
// program's folder cannot be written): the previous data files and CSV files
// copied into anterior/ of that folder, the row appended, both data files
// rebuilt. A row the builder refuses (EDadosInvalidos listing its errors)
// changes nothing. Returns the data folder written.
std::string AdicionaAosDados(const std::string& pastaDoPrograma, const TEstacaoAdicionada& e);

// What ajustes.csv and intervalos.csv of a data folder keep; empty when nothing.
std::string DescricaoDoAjuste(const std::string& pastaDados, const std::string& citacao);
std::vector<TIntervaloIdf> IntervalosDoAjuste(const std::string& pastaDados, const std::string& uf,
                                              const std::string& nome);
