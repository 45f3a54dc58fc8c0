#include "database/PoolInterpolacao.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "database/Coordenadas.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"
#include "platform/PontoFlutuante.h"

namespace {

constexpr uint32_t kVazio = UINT32_MAX;
constexpr uint64_t kPrimoFnv = 0x100000001b3ULL;

uint64_t Mistura(uint64_t h, std::string_view s) {
    h = (h ^ s.size()) * kPrimoFnv;
    for (unsigned char ch : s) h = (h ^ ch) * kPrimoFnv;
    return h;
}

// FNV-1a over both texts; its low bits, which pick the slot, follow only
// the low bits of the bytes, so the whole state is folded into them.
uint64_t Espalha(std::string_view latitude, std::string_view longitude) {
    uint64_t h = Mistura(Mistura(0xcbf29ce484222325ULL, latitude), longitude);
    h = (h ^ (h >> 33)) * 0xff51afd7ed558ccdULL;
    return h ^ (h >> 33);
}

// A record's text for a message: control bytes would reach a terminal or a box.
AnsiString Legivel(AnsiString s) {
    for (char& ch : s)
        if (static_cast<unsigned char>(ch) < 0x20) ch = '?';
    return s;
}

}  // namespace

TEstacao passos_interpolacao::Interpolada(const double (&soma)[4], const AnsiString& latitude,
                                          const AnsiString& longitude) {
    TEstacao r;
    r.K = soma[0];
    r.a = soma[1];
    r.b = soma[2];
    r.c = soma[3];
    r.Nome.Assign("");
    r.Autor.Assign("Interpola\xE7\xE3o");
    r.Latitude.Assign(latitude);
    r.Longitude.Assign(longitude);
    return r;
}

TPoolInterpolacao::TPoolInterpolacao(const TEstacoesPorEstado& estacoes, const AnsiString& arquivo,
                                     const std::array<std::vector<bool>, NumEstados>* aoNorte)
    : arquivo_(arquivo), nacional_(aoNorte != nullptr) {
    if (nacional_)
        for (int s = 0; s < NumEstados; ++s) estados_.push_back(s);
    else estados_.assign(EstadosInterpolacao.begin(), EstadosInterpolacao.end());
    for (int s : estados_) {
        inicioEstado_.push_back(estacoes_.size());
        const auto& bloco = estacoes[static_cast<std::size_t>(s)];
        for (std::size_t i = 0; i < bloco.size(); ++i) {
            estacoes_.push_back(&bloco[i]);
            if (nacional_) {
                const auto& marcas = (*aoNorte)[static_cast<std::size_t>(s)];
                norte_.push_back(i < marcas.size() && marcas[i]);
            }
        }
    }
    const std::size_t n = estacoes_.size();
    inicioEstado_.push_back(n);
    ilegivel_.Indice = corrompida_.Indice = n;
    posicoes_.assign(n, {0, 0});
    parametros_.resize(n);
    std::size_t capacidade = 16;
    while (capacidade < 2 * n) capacidade *= 2;
    porTexto_.assign(capacidade, {kVazio, 0});
    std::vector<uint64_t> espalhamentos(n);
    for (std::size_t i = 0; i < n; ++i) {
        const TEstacao& e = *estacoes_[i];
        parametros_[i] = {e.K, e.a, e.b, e.c};
        espalhamentos[i] = Espalha(e.Latitude.Vista(), e.Longitude.Vista());
        // Nothing after the first station whose texts do not read is ever reached.
        if (ilegivel_.Indice == n) Verifica(i);
    }
    // The slots are far apart in memory: each is fetched a few stations ahead.
    constexpr std::size_t kAdiante = 16;
    const std::size_t mascara = porTexto_.size() - 1;
    for (std::size_t i = 0; i < n; ++i) {
        if (i + kAdiante < n) __builtin_prefetch(&porTexto_[espalhamentos[i + kAdiante] & mascara]);
        if (!AoNorte(i)) Indexa(i, espalhamentos[i]);
    }
}

void TPoolInterpolacao::Indexa(std::size_t i, uint64_t h) {
    const TEstacao& e = *estacoes_[i];
    const std::string_view lat = e.Latitude.Vista(), lon = e.Longitude.Vista();
    const uint32_t marca = static_cast<uint32_t>(h >> 32);
    const std::size_t mascara = porTexto_.size() - 1;
    for (std::size_t p = h & mascara;; p = (p + 1) & mascara) {
        TEntrada& entrada = porTexto_[p];
        if (entrada.Indice == kVazio) {
            entrada = {static_cast<uint32_t>(i), marca};
            return;
        }
        if (entrada.Marca != marca) continue;
        const TEstacao& outra = *estacoes_[entrada.Indice];
        if (outra.Latitude.Vista() == lat && outra.Longitude.Vista() == lon) return;   // keeps the first
    }
}

std::size_t TPoolInterpolacao::ProcuraTextos(const AnsiString& latitude, const AnsiString& longitude) const {
    const std::size_t n = Tamanho();
    if (latitude.size() > 9 || longitude.size() > 9) return n;   // no station text is longer
    const uint64_t h = Espalha(latitude, longitude);
    const uint32_t marca = static_cast<uint32_t>(h >> 32);
    const std::size_t mascara = porTexto_.size() - 1;
    for (std::size_t p = h & mascara;; p = (p + 1) & mascara) {
        const TEntrada& entrada = porTexto_[p];
        if (entrada.Indice == kVazio) return n;
        if (entrada.Marca != marca) continue;
        const TEstacao& e = *estacoes_[entrada.Indice];
        if (e.Latitude.Vista() == latitude && e.Longitude.Vista() == longitude) return entrada.Indice;
    }
}

int TPoolInterpolacao::EstadoDaEstacao(std::size_t i) const {
    const std::size_t k =
        static_cast<std::size_t>(std::upper_bound(inicioEstado_.begin(), inicioEstado_.end(), i) - inicioEstado_.begin()) - 1;
    return estados_[k];
}

AnsiString TPoolInterpolacao::Registro(std::size_t i) const {
    const std::size_t k =
        static_cast<std::size_t>(std::upper_bound(inicioEstado_.begin(), inicioEstado_.end(), i) - inicioEstado_.begin()) - 1;
    return DescreveRegistro(*estacoes_[i], estados_[k], i - inicioEstado_[k]);
}

AnsiString DescreveRegistro(const TEstacao& e, int estado, std::size_t posicaoNoBloco) {
    return Ansi("esta\xC3\xA7\xC3\xA3o \"") + Legivel(TiraBrancosFinais(e.Nome.Text())) + "\", registro " +
           std::to_string(posicaoNoBloco + 1) + " do bloco do estado " + std::to_string(estado) + " (" +
           NomesEstados[static_cast<std::size_t>(estado)] + ")";
}

AnsiString MensagemRegistroCorrompido(const AnsiString& arquivo, const AnsiString& registro, const AnsiString& defeito) {
    return "O arquivo " + arquivo + " tem um registro corrompido: " + registro + ": " + defeito + ".";
}

TExameEstacao ExaminaEstacao(const TEstacao& e) {
    TExameEstacao x;
    auto defeito = [&](const AnsiString& detalhe) {
        if (x.Defeito.empty()) x.Defeito = detalhe;
    };
    const struct {
        const char* Nome;
        const TextoFixo<9>& Texto;
        long double& Valor;
    } coordenadas[] = {{"latitude", e.Latitude, x.Lat}, {"longitude", e.Longitude, x.Lon}};
    for (const auto& c : coordenadas) {
        if (c.Texto.Len > 9)
            defeito(std::string(c.Nome) + " com comprimento " + std::to_string(c.Texto.Len) + Ansi(" (no máximo 9)"));
        try {
            c.Valor = ParseDmsL(c.Texto.Text());
        } catch (const EConvertError& erro) {
            x.Legivel = false;
            x.ErroLeitura = erro.Message();
            defeito(std::string(c.Nome) + " \"" + Legivel(c.Texto.Text()) + Ansi("\" ilegível (") + erro.Message() + ")");
            return x;
        }
    }
    // The packed fields are read by value: a reference to them would be misaligned.
    const double K = e.K, a = e.a, b = e.b, c = e.c;
    const std::pair<const char*, double> parametros[] = {{"K", K}, {"a", a}, {"b", b}, {"c", c}};
    for (const auto& [nome, valor] : parametros)
        if (!std::isfinite(valor))
            defeito(Ansi("parâmetro ") + nome + Ansi(" não é um número (") + FloatToStr(valor, '.') + ")");
    return x;
}

void TPoolInterpolacao::Verifica(std::size_t i) {
    const TExameEstacao x = ExaminaEstacao(*estacoes_[i]);
    posicoes_[i] = {AoNorte(i) ? -x.Lat : x.Lat, x.Lon};
    if (!x.Defeito.empty() && corrompida_.Indice == Tamanho())
        corrompida_ = {i, MensagemRegistroCorrompido(arquivo_, Registro(i), x.Defeito)};
    if (!x.Legivel) ilegivel_ = {i, x.ErroLeitura + ": " + Registro(i) + " do arquivo " + arquivo_};
}

std::size_t TPoolInterpolacao::PrimeiraPassagem(const AnsiString& latitude, const AnsiString& longitude,
                                                std::vector<long double>& pesos, long double& soma,
                                                TExigencia exigencia) const {
    const double lat = ParseDms(latitude);
    const double lon = ParseDms(longitude);
    const std::size_t n = Tamanho();
    const std::size_t igual = ProcuraTextos(latitude, longitude);
    const TFalha& falha = exigencia == TExigencia::RegistroIntegro ? corrompida_ : ilegivel_;
    const std::size_t limite = std::min(igual, falha.Indice);

    pesos.resize(n);
    long double total = 0;
    const TPosicao* pos = posicoes_.data();
    long double* w = pesos.data();
    for (std::size_t i = 0; i < limite; ++i) {
        const long double d2 = passos_interpolacao::Distancia2(pos[i].Lat, pos[i].Lon, lat, lon);
        // Different texts for the same place (seconds written as 60, ...):
        // no finite weight exists, so the station is the answer, as with
        // equal texts.
        if (d2 == 0) return i;
        const long double peso = passos_interpolacao::Peso(d2);
        w[i] = peso;
        total += peso;
    }
    if (igual < falha.Indice) return igual;
    if (falha.Indice < n) {
        if (exigencia == TExigencia::RegistroIntegro) throw EDadosInvalidos(falha.Mensagem);
        throw EConvertError(falha.Mensagem);
    }
    // Weights and their sum are finite for any coordinate texts that read
    // (two characters a piece: the smallest non-zero distance is a fraction
    // of a second); checked once here instead of after every addition.
    soma = VerificaL(total);
    return n;
}

TEstacao TPoolInterpolacao::Interpola(const AnsiString& latitude, const AnsiString& longitude,
                                      std::vector<long double>& pesos, TExigencia exigencia) const {
    long double soma = 0;
    const std::size_t n = Tamanho();
    const std::size_t achada = PrimeiraPassagem(latitude, longitude, pesos, soma, exigencia);
    if (achada < n) return *estacoes_[achada];

    double somas[4] = {0, 0, 0, 0};
    const long double* w = pesos.data();
    const TParametros* p = parametros_.data();
    for (std::size_t i = 0; i < n; ++i) passos_interpolacao::Soma(somas, w[i] / soma, p[i].K, p[i].a, p[i].b, p[i].c);
    return passos_interpolacao::Interpolada(somas, latitude, longitude);
}

std::vector<TPoolInterpolacao::TContribuicao> TPoolInterpolacao::Contribuicoes(const AnsiString& latitude,
                                                                               const AnsiString& longitude,
                                                                               TExigencia exigencia,
                                                                               TOrdem ordem) const {
    std::vector<long double> pesos;
    long double soma = 0;
    const std::size_t n = Tamanho();
    const std::size_t achada = PrimeiraPassagem(latitude, longitude, pesos, soma, exigencia);
    const double lat = ParseDms(latitude);
    const double lon = ParseDms(longitude);
    auto distancia = [&](std::size_t i) {
        const long double dLat = posicoes_[i].Lat - lat;
        const long double dLon = posicoes_[i].Lon - lon;
        return static_cast<double>(std::sqrt(dLat * dLat + dLon * dLon));
    };
    if (achada < n) return {{estacoes_[achada], distancia(achada), 1.0}};

    std::vector<TContribuicao> lista;
    lista.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        lista.push_back({estacoes_[i], distancia(i), static_cast<double>(pesos[i] / soma)});
    if (ordem == TOrdem::MaisProximaPrimeiro)
        std::stable_sort(lista.begin(), lista.end(),
                         [](const TContribuicao& x, const TContribuicao& y) { return x.Distancia < y.Distancia; });
    return lista;
}
