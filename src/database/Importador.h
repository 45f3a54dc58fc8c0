#pragma once
// Reads the two data CSV files (UTF-8) into the records of the data files,
// checking every field. Each bad row yields an error naming the file, the
// line and the field; rows with errors are left out. Blocks come out sorted
// in the collation of the window's lists, so a list position is the
// record's index.
//
// A place outside Brazil's extent is refused; a station at the position of
// another, too. A station outside its state's outline (states with a map)
// or extent (the others) is a warning, or an error when strict; a name equal
// to another of its state but for case and accents is a warning.
//
// A station's latitude north of the equator is its text followed by " N":
// the record keeps the text, and the station is named in EstacoesAoNorte.
//
// Station file columns:  uf,nome,K,a,b,c,citacao,latitude,longitude
// Locality file columns: uf,nome,latitude,longitude
// (the first row that is not a comment is this header).
#include <array>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "database/ContornosEstados.h"
#include "database/Estados.h"
#include "database/Registros.h"
#include "Csv.h"

struct TErroImportacao {
    std::string Arquivo;
    int Linha = 0;
    std::string Campo;     // column name, or empty for the row as a whole
    std::string Motivo;    // UTF-8
    std::string Texto() const;   // "<file>, linha <n>, campo <field>: <reason>"
};

using TBlocosEstacoes = std::array<std::vector<TEstacao>, NumEstados>;
using TBlocosLocalidades = std::array<std::vector<TLocalidade>, NumEstados>;

class TImportador {
public:
    // Parse one CSV text held in memory; errors are collected, not raised.
    void LeEstacoes(std::string_view textoUtf8, const std::string& arquivo);
    void LeLocalidades(std::string_view textoUtf8, const std::string& arquivo);
    // Reads a file from disk first (EInOutError when it cannot be read).
    void LeArquivoEstacoes(const std::string& caminho);
    void LeArquivoLocalidades(const std::string& caminho);

    const std::vector<TErroImportacao>& Erros() const { return erros_; }
    // What is accepted but looks wrong (said, not refused).
    const std::vector<TErroImportacao>& Avisos() const { return avisos_; }
    // Strict: what would be a warning of a station's place is an error.
    void Estrito(bool estrito) { estrito_ = estrito; }
    // The states' outlines: a station of a state with a map is then checked
    // against its outline, one of another state against the outline's
    // extent (both within ToleranciaContornoKm). Without them, the states
    // with a map are checked against the map's bounds, the others not.
    void Contornos(const TContornosEstados* contornos) { contornos_ = contornos; }
    static constexpr double ToleranciaContornoKm = 10;
    // EDadosInvalidos listing every error, one per line; nothing when clean.
    void VerificaSemErros() const;

    // The records so far, each block sorted by name.
    TBlocosEstacoes Estacoes() const;
    TBlocosLocalidades Localidades() const;
    // The names (cp1252) of each state's stations north of the equator.
    const std::array<std::set<AnsiString>, NumEstados>& EstacoesAoNorte() const { return aoNorte_; }

private:
    void Erro(const std::string& arquivo, int linha, std::string campo, std::string motivo);
    void Aviso(const std::string& arquivo, int linha, std::string campo, std::string motivo);
    bool ConfereLugar(const AnsiString& lat, const AnsiString& lon, const std::string& arquivo, int linha, int estado,
                      bool estacao, bool norte);
    // The data rows of a CSV text under the expected header; CSV errors, a
    // missing or wrong header and rows with another number of fields are
    // reported and left out.
    std::vector<TLinhaCsv> LinhasDeDados(std::string_view textoUtf8, const std::string& arquivo,
                                         const std::vector<std::string>& colunas);
    bool Cabecalho(const std::vector<std::string>& campos, const std::vector<std::string>& esperado,
                   const std::string& arquivo, int linha);
    bool LeEstado(const std::string& texto, const std::string& arquivo, int linha, int& estado);
    bool LeNome(const std::string& texto, const std::string& arquivo, int linha, int estado,
                std::vector<std::vector<std::string>>& vistos, AnsiString& nome);
    bool LeCoordenada(const std::string& texto, const std::string& arquivo, int linha, const char* campo,
                      AnsiString& valor, bool* norte = nullptr);
    bool LeParametro(const std::string& texto, const std::string& arquivo, int linha, const char* campo,
                     double& valor);

    TBlocosEstacoes estacoes_;
    TBlocosLocalidades localidades_;
    std::vector<std::vector<std::string>> nomesEstacoes_ = std::vector<std::vector<std::string>>(NumEstados);
    std::vector<std::vector<std::string>> nomesLocalidades_ = std::vector<std::vector<std::string>>(NumEstados);
    std::vector<TErroImportacao> erros_;
    std::vector<TErroImportacao> avisos_;
    std::array<std::set<AnsiString>, NumEstados> aoNorte_;
    std::map<AnsiString, int> posicoes_;   // the stations' latitude + longitude texts, with their line
    bool estrito_ = false;
    const TContornosEstados* contornos_ = nullptr;
};
