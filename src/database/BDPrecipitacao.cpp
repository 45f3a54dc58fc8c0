#include "database/BDPrecipitacao.h"

#include <cmath>
#include <cstring>
#include <string>
#include <utility>

#include "database/Coordenadas.h"
#include "platform/Caminhos.h"
#include "platform/Erros.h"
#include "platform/PontoFlutuante.h"

std::string PastaDados(const std::string& pastaDoPrograma) {
    return pastaDoPrograma + "../Arquivos Comuns/";
}

const std::array<int, 8> EstadosInterpolacao = {4, 7, 8, 12, 15, 18, 24, 26};

namespace {

const char* const kArquivoEstacoes = "Estados_Tor21.bin";
const char* const kArquivoLocalidades = "Localidades_Tor21.bin";

void ExigeArquivo(const std::string& caminho) {
    if (!ArquivoExiste(caminho))
        throw EArquivoNaoExiste("O arquivo " + TextoDoCaminho(caminho) + " n\xE3o existe.");
}

// Reads the memory copy of a data file front to back and never past its end:
// a file shorter than its counts announce is reported, naming the state block
// whose data ran out.
class Leitor {
public:
    Leitor(const std::string& dados, const std::string& caminho) : dados_(dados), caminho_(caminho) {}

    void PulaByteInicial() {
        if (dados_.empty())
            throw EDadosInvalidos("O arquivo " + TextoDoCaminho(caminho_) +
                                  " est\xE1 vazio: falta o byte inicial.");
        pos_ = 1;
    }

    uint16_t Contagem(int estado) {
        Exige(2, estado);
        const auto lo = static_cast<unsigned char>(dados_[pos_]);
        const auto hi = static_cast<unsigned char>(dados_[pos_ + 1]);
        pos_ += 2;
        return static_cast<uint16_t>(lo | (hi << 8));
    }

    template <typename Registro>
    void Registros(std::vector<Registro>& destino, uint16_t n, int estado) {
        const std::size_t bytes = sizeof(Registro) * n;
        Exige(bytes, estado);
        destino.resize(n);
        if (bytes > 0) std::memcpy(destino.data(), dados_.data() + pos_, bytes);
        pos_ += bytes;
    }

    void Pula(std::size_t bytes, int estado) {
        Exige(bytes, estado);
        pos_ += bytes;
    }

private:
    void Exige(std::size_t bytes, int estado) const {
        if (dados_.size() - pos_ < bytes)
            throw EDadosInvalidos("O arquivo " + TextoDoCaminho(caminho_) +
                                  " est\xE1 incompleto: os dados terminam no bloco do estado " +
                                  std::to_string(estado) + " (" + NomesEstados[static_cast<std::size_t>(estado)] +
                                  ").");
    }

    const std::string& dados_;
    const std::string& caminho_;
    std::size_t pos_ = 0;
};

}  // namespace

TBDPrecipitacao::TBDPrecipitacao(std::string pastaDados) : pastaDados_(std::move(pastaDados)) {}

std::string TBDPrecipitacao::CaminhoEstacoes() const { return pastaDados_ + kArquivoEstacoes; }
std::string TBDPrecipitacao::CaminhoLocalidades() const { return pastaDados_ + kArquivoLocalidades; }

void TBDPrecipitacao::CarregaEstacoes() {
    const std::string caminho = CaminhoEstacoes();
    ExigeArquivo(caminho);
    const std::string dados = LeArquivo(caminho);

    // Loaded aside and swapped in only when the whole file has been read.
    std::array<std::vector<TEstacao>, NumEstados> novas;
    Leitor leitor(dados, caminho);
    leitor.PulaByteInicial();
    for (int s = 0; s < NumEstados; ++s) {
        const uint16_t n = leitor.Contagem(s);
        leitor.Registros(novas[static_cast<std::size_t>(s)], n, s);
    }
    Estacoes.swap(novas);
}

void TBDPrecipitacao::CarregaLocalidades(int estado) {
    Localidades.clear();
    if (estado < 0 || estado >= NumEstados)
        throw ENumeroEstado(" N\xE3o existe estado com \xEDndice igual a " + std::to_string(estado));
    const std::string caminho = CaminhoLocalidades();
    ExigeArquivo(caminho);
    const std::string dados = LeArquivo(caminho);

    std::vector<TLocalidade> novas;
    Leitor leitor(dados, caminho);
    leitor.PulaByteInicial();
    for (int s = 0; s < estado; ++s) leitor.Pula(sizeof(TLocalidade) * leitor.Contagem(s), s);
    const uint16_t n = leitor.Contagem(estado);
    leitor.Registros(novas, n, estado);
    Localidades.swap(novas);
}

std::array<std::vector<TLocalidade>, NumEstados> TBDPrecipitacao::LeTodasLocalidades() const {
    const std::string caminho = CaminhoLocalidades();
    ExigeArquivo(caminho);
    const std::string dados = LeArquivo(caminho);

    std::array<std::vector<TLocalidade>, NumEstados> todas;
    Leitor leitor(dados, caminho);
    leitor.PulaByteInicial();
    for (int s = 0; s < NumEstados; ++s) {
        const uint16_t n = leitor.Contagem(s);
        leitor.Registros(todas[static_cast<std::size_t>(s)], n, s);
    }
    return todas;
}

TEstacao TBDPrecipitacao::Interpola(const AnsiString& latitude, const AnsiString& longitude) const {
    const double lat = ParseDms(latitude);
    const double lon = ParseDms(longitude);

    // First pass: exact match or weight 1/d^5 of every pool station.
    std::vector<long double> pesos;
    long double soma = 0;
    for (int s : EstadosInterpolacao) {
        for (const TEstacao& e : Estacoes[static_cast<std::size_t>(s)]) {
            if (e.Latitude.Text() == latitude && e.Longitude.Text() == longitude) return e;
            const long double latE = ParseDmsL(e.Latitude.Text());
            const long double lonE = ParseDmsL(e.Longitude.Text());
            const long double dLat = latE - lat;
            const long double dLon = lonE - lon;
            const long double d2 = dLat * dLat + dLon * dLon;
            // Different texts for the same place (seconds written as 60, ...):
            // no finite weight exists, so the station is the answer, as with
            // equal texts.
            if (d2 == 0) return e;
            // (d²)^2.5 as d²·d²·√d², in extended precision: the same power as
            // powl to within an extended ulp or two, at a fraction of its cost.
            const long double peso = DivideL(1.0L, VerificaL(d2 * d2 * std::sqrt(d2)));
            pesos.push_back(peso);
            soma = VerificaL(soma + peso);
        }
    }

    // Second pass: weighted means, summed in extended precision and stored
    // as doubles after each station.
    TEstacao r;
    r.K = r.a = r.b = r.c = 0;
    std::size_t i = 0;
    for (int s : EstadosInterpolacao) {
        for (const TEstacao& e : Estacoes[static_cast<std::size_t>(s)]) {
            const long double fator = DivideL(pesos[i++], soma);
            r.K = static_cast<double>(r.K + fator * e.K);
            r.a = static_cast<double>(r.a + fator * e.a);
            r.b = static_cast<double>(r.b + fator * e.b);
            r.c = static_cast<double>(r.c + fator * e.c);
        }
    }
    r.Nome.Assign("");
    r.Autor.Assign("Interpola\xE7\xE3o");
    r.Latitude.Assign(latitude);
    r.Longitude.Assign(longitude);
    return r;
}
