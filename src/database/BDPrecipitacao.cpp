#include "database/BDPrecipitacao.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/Caminhos.h"
#include "platform/Erros.h"

std::string PastaDados(const std::string& pastaDoPrograma) {
    return pastaDoPrograma + "../Arquivos Comuns/";
}

void ExigeArquivoDeDados(const std::string& caminho) {
    if (!ArquivoExiste(caminho))
        throw EArquivoNaoExiste("O arquivo " + TextoDoCaminho(caminho) + " n\xE3o existe.");
}

AnsiString MensagemSemByteInicial(const std::string& caminho) {
    return "O arquivo " + TextoDoCaminho(caminho) + " est\xE1 vazio: falta o byte inicial.";
}

AnsiString MensagemArquivoIncompleto(const std::string& caminho, int estado) {
    return "O arquivo " + TextoDoCaminho(caminho) + " est\xE1 incompleto: os dados terminam no bloco do estado " +
           std::to_string(estado) + " (" + NomesEstados[static_cast<std::size_t>(estado)] + ").";
}

namespace {

const char* const kArquivoEstacoes = "Estados_Tor21.bin";
const char* const kArquivoLocalidades = "Localidades_Tor21.bin";

void ExigeArquivo(const std::string& caminho) { ExigeArquivoDeDados(caminho); }

// Reads a data file front to back, each record straight into its array, and
// never past its end: a file shorter than its counts announce is reported,
// naming the state block whose data ran out.
class Leitor {
public:
    explicit Leitor(const std::string& caminho) : arquivo_(caminho), caminho_(caminho) {}

    void PulaByteInicial() {
        char byte;
        if (arquivo_.Le(&byte, 1) != 1)
            throw EDadosInvalidos(MensagemSemByteInicial(caminho_));
    }

    uint16_t Contagem(int estado) {
        unsigned char n[2];
        Exige(arquivo_.Le(n, 2) == 2, estado);
        return static_cast<uint16_t>(n[0] | (n[1] << 8));
    }

    template <typename Registro>
    void Registros(std::vector<Registro>& destino, uint16_t n, int estado) {
        destino.resize(n);
        const std::size_t bytes = sizeof(Registro) * n;
        Exige(arquivo_.Le(destino.data(), bytes) == bytes, estado);
    }

    void Pula(std::size_t bytes, int estado) { Exige(arquivo_.Pula(bytes) == bytes, estado); }

private:
    void Exige(bool inteiro, int estado) const {
        if (!inteiro) throw EDadosInvalidos(MensagemArquivoIncompleto(caminho_, estado));
    }

    TArquivoEntrada arquivo_;
    const std::string& caminho_;
};

bool NoPool(int estado) {
    return std::find(EstadosInterpolacao.begin(), EstadosInterpolacao.end(), estado) != EstadosInterpolacao.end();
}

}  // namespace

TBDPrecipitacao::TBDPrecipitacao(std::string pastaDados)
    : Estacoes(estacoes_),
      pastaDados_(std::move(pastaDados)),
      pool_(std::make_unique<TPoolInterpolacao>(estacoes_, TextoDoCaminho(CaminhoEstacoes()))) {}

TBDPrecipitacao::~TBDPrecipitacao() = default;

std::string TBDPrecipitacao::CaminhoEstacoes() const { return pastaDados_ + kArquivoEstacoes; }
std::string TBDPrecipitacao::CaminhoLocalidades() const { return pastaDados_ + kArquivoLocalidades; }

void TBDPrecipitacao::CarregaEstacoes() { LeEstacoes(false); }
void TBDPrecipitacao::CarregaEstacoesDaInterpolacao() { LeEstacoes(true); }

void TBDPrecipitacao::LeEstacoes(bool soInterpolacao) {
    const std::string caminho = CaminhoEstacoes();
    ExigeArquivo(caminho);

    // Loaded aside and swapped in only when the whole file has been read.
    TEstacoesPorEstado novas;
    Leitor leitor(caminho);
    leitor.PulaByteInicial();
    for (int s = 0; s < NumEstados; ++s) {
        const uint16_t n = leitor.Contagem(s);
        if (soInterpolacao && !NoPool(s)) leitor.Pula(sizeof(TEstacao) * n, s);
        else leitor.Registros(novas[static_cast<std::size_t>(s)], n, s);
    }
    DefineEstacoes(std::move(novas));
}

void TBDPrecipitacao::DefineEstacoes(TEstacoesPorEstado estacoes) {
    // The new pool is built before anything changes; the arrays' buffers
    // move with the swap, so it points into them afterwards.
    auto pool = std::make_unique<TPoolInterpolacao>(estacoes, TextoDoCaminho(CaminhoEstacoes()));
    estacoes_.swap(estacoes);
    pool_.swap(pool);
}

void TBDPrecipitacao::CarregaLocalidades(int estado) {
    Localidades.clear();
    if (estado < 0 || estado >= NumEstados)
        throw ENumeroEstado(" N\xE3o existe estado com \xEDndice igual a " + std::to_string(estado));
    const std::string caminho = CaminhoLocalidades();
    ExigeArquivo(caminho);

    std::vector<TLocalidade> novas;
    Leitor leitor(caminho);
    leitor.PulaByteInicial();
    for (int s = 0; s < estado; ++s) leitor.Pula(sizeof(TLocalidade) * leitor.Contagem(s), s);
    const uint16_t n = leitor.Contagem(estado);
    leitor.Registros(novas, n, estado);
    Localidades.swap(novas);
}

std::array<std::vector<TLocalidade>, NumEstados> TBDPrecipitacao::LeTodasLocalidades() const {
    const std::string caminho = CaminhoLocalidades();
    ExigeArquivo(caminho);

    std::array<std::vector<TLocalidade>, NumEstados> todas;
    Leitor leitor(caminho);
    leitor.PulaByteInicial();
    for (int s = 0; s < NumEstados; ++s) {
        const uint16_t n = leitor.Contagem(s);
        leitor.Registros(todas[static_cast<std::size_t>(s)], n, s);
    }
    return todas;
}

TEstacao TBDPrecipitacao::Interpola(const AnsiString& latitude, const AnsiString& longitude) const {
    std::vector<long double> pesos;
    return pool_->Interpola(latitude, longitude, pesos);
}
