#pragma once
#include <memory>
#include <string>
#include <vector>

#include "database/Estados.h"
#include "database/PoolInterpolacao.h"
#include "database/Registros.h"

// Path rule: program folder + "../Arquivos Comuns/" (text used unchanged).
std::string PastaDados(const std::string& pastaDoPrograma);

// The checks of a data file's frame, in the words every reader of it uses:
// EArquivoNaoExiste for a missing file; the messages of EDadosInvalidos for
// a file without its first byte and for one shorter than its counts.
void ExigeArquivoDeDados(const std::string& caminho);
AnsiString MensagemSemByteInicial(const std::string& caminho);
AnsiString MensagemArquivoIncompleto(const std::string& caminho, int estado);

class TBDPrecipitacao {
public:
    // pastaDados ends with a separator; data file paths are pastaDados + name.
    explicit TBDPrecipitacao(std::string pastaDados);
    ~TBDPrecipitacao();
    TBDPrecipitacao(const TBDPrecipitacao&) = delete;
    TBDPrecipitacao& operator=(const TBDPrecipitacao&) = delete;

    // Read-only: the stations change only as a whole, by CarregaEstacoes or
    // DefineEstacoes, which rebuild the interpolation pool with them.
    const TEstacoesPorEstado& Estacoes;
    std::vector<TLocalidade> Localidades;

    std::string CaminhoEstacoes() const;     // pastaDados + "Estados_Tor21.bin"
    std::string CaminhoLocalidades() const;  // pastaDados + "Localidades_Tor21.bin"

    // Missing file: EArquivoNaoExiste "O arquivo <path> não existe.".
    // A file shorter than its counts: EDadosInvalidos naming file and state
    // block; the stations keep their previous content. The records are read
    // straight into their arrays.
    void CarregaEstacoes();
    // The same file and the same checks of its frame, keeping only the
    // blocks of the interpolation pool (the other states stay empty, their
    // records are not read): all that the interpolation needs.
    void CarregaEstacoesDaInterpolacao();
    // Every state's block and the stations north of the equator, with the
    // national pool (every state, the northern ones where they stand).
    void CarregaEstacoesNacionais();
    void DefineEstacoes(TEstacoesPorEstado estacoes);
    // Whether the i-th station of a state lies north of the equator (named
    // by the data folder's EstacoesAoNorte_Tor21.csv, read with the
    // stations: a row that does not name a station of the file is
    // EDadosInvalidos naming the file and the line).
    bool AoNorte(int estado, std::size_t i) const;
    // Signed decimal degrees of a station's latitude (south negative).
    double LatitudeComSinal(int estado, std::size_t i) const;
    void CarregaLocalidades(int estado);

    // Every state's block of the locality file, in file order, for a search
    // over all states; Localidades is left as it is. Same errors as
    // CarregaLocalidades; a file shorter than its counts gives nothing.
    std::array<std::vector<TLocalidade>, NumEstados> LeTodasLocalidades() const;

    // The pool of the stations now loaded.
    const TPoolInterpolacao& Pool() const { return *pool_; }
    // The pool's answer; a station text that does not read raises
    // EConvertError naming the file and the station.
    TEstacao Interpola(const AnsiString& latitude, const AnsiString& longitude) const;

private:
    void LeEstacoes(bool soInterpolacao, bool nacional = false);

    std::string pastaDados_;
    TEstacoesPorEstado estacoes_;
    std::unique_ptr<TPoolInterpolacao> pool_;
    std::array<std::vector<bool>, NumEstados> aoNorte_;
};
