#include "database/BDPrecipitacao.h"

#include <algorithm>
#include <string>
#include <utility>

#include <charconv>

#include "database/ArquivosDados.h"
#include "database/Coordenadas.h"
#include "database/Csv.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
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

// The rows of the companion file, checked against the stations just read.
std::array<std::vector<bool>, NumEstados> LeAoNorte(const std::string& caminho, const TEstacoesPorEstado& estacoes) {
    std::array<std::vector<bool>, NumEstados> r;
    for (std::size_t s = 0; s < r.size(); ++s) r[s].assign(estacoes[s].size(), false);
    if (!ArquivoExiste(caminho)) return r;
    std::vector<TErroCsv> erros;
    const std::vector<TLinhaCsv> linhas = TCsv::Le(LeArquivo(caminho), erros);
    const auto ruim = [&](int linha, const std::string& motivo) {
        throw EDadosInvalidos("O arquivo " + TextoDoCaminho(caminho) + ", linha " + std::to_string(linha) + ": " +
                              Utf8ToCp1252(motivo) + ".");
    };
    if (!erros.empty()) ruim(erros[0].Linha, erros[0].Motivo);
    for (std::size_t k = 1; k < linhas.size(); ++k) {   // the first row is the header
        const TLinhaCsv& l = linhas[k];
        if (l.Campos.size() != 3) ruim(l.Numero, "esperados 3 campos (uf,posicao,nome)");
        int estado = -1;
        for (int s = 0; s < NumEstados; ++s)
            if (Utf8ToCp1252(l.Campos[0]) == SiglasEstados[static_cast<std::size_t>(s)]) estado = s;
        std::size_t i = 0;
        const auto [p, ec] = std::from_chars(l.Campos[1].data(), l.Campos[1].data() + l.Campos[1].size(), i);
        if (estado < 0 || ec != std::errc() || p != l.Campos[1].data() + l.Campos[1].size() ||
            i >= estacoes[static_cast<std::size_t>(estado)].size() ||
            TiraBrancosFinais(estacoes[static_cast<std::size_t>(estado)][i].Nome.Text()) !=
                TiraBrancosFinais(Utf8ToCp1252(l.Campos[2])))
            ruim(l.Numero, "não corresponde a uma estação do arquivo de estações");
        r[static_cast<std::size_t>(estado)][i] = true;
    }
    return r;
}

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

void TBDPrecipitacao::CarregaEstacoesNacionais() { LeEstacoes(false, true); }

void TBDPrecipitacao::LeEstacoes(bool soInterpolacao, bool nacional) {
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
    auto aoNorte = soInterpolacao ? decltype(aoNorte_){} : LeAoNorte(pastaDados_ + TArquivosDados::NomeAoNorte, novas);
    auto pool = std::make_unique<TPoolInterpolacao>(novas, TextoDoCaminho(CaminhoEstacoes()), nacional ? &aoNorte : nullptr);
    estacoes_.swap(novas);
    pool_.swap(pool);
    aoNorte_ = std::move(aoNorte);
}

bool TBDPrecipitacao::AoNorte(int estado, std::size_t i) const {
    const auto& v = aoNorte_.at(static_cast<std::size_t>(estado));
    return i < v.size() && v[i];
}

double TBDPrecipitacao::LatitudeComSinal(int estado, std::size_t i) const {
    const double graus = ParseDms(estacoes_.at(static_cast<std::size_t>(estado)).at(i).Latitude.Text());
    return AoNorte(estado, i) ? graus : -graus;
}

void TBDPrecipitacao::DefineEstacoes(TEstacoesPorEstado estacoes) {
    // The new pool is built before anything changes; the arrays' buffers
    // move with the swap, so it points into them afterwards.
    auto pool = std::make_unique<TPoolInterpolacao>(estacoes, TextoDoCaminho(CaminhoEstacoes()));
    estacoes_.swap(estacoes);
    pool_.swap(pool);
    for (auto& v : aoNorte_) v.clear();
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
