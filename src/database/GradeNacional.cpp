#include "database/GradeNacional.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>

#include "model/EquacaoIdf.h"
#include "platform/Caminhos.h"
#include "platform/Erros.h"

const char* const TextoSemDadoNaGrade = "sem dado na grade";

namespace {

constexpr char kAssinatura[8] = {'T', 'G', 'R', 'A', 'D', 'E', '0', '1'};
// The builder's limit: far above the national grid, low enough that a
// corrupt header cannot ask for gigabytes.
constexpr std::int64_t kMaximoCelulas = 4'000'000;

const char* const kNomes[NumeroDesagregacoes] = {"RASTER", "STATION", "CETESB"};
const char* const kChaves[NumeroDesagregacoes] = {"raster", "estacao", "cetesb"};

class Leitor {
public:
    explicit Leitor(const std::string& caminho) : arquivo_(caminho), caminho_(caminho) {}

    void Bytes(void* destino, std::size_t n, const char* parte) {
        if (arquivo_.Le(destino, n) != n)
            throw EDadosInvalidos("O arquivo " + TextoDoCaminho(caminho_) + " est\xE1 incompleto: termina em " +
                                  parte + ".");
    }
    template <typename T>
    T Valor(const char* parte) {
        unsigned char b[sizeof(T)];
        Bytes(b, sizeof(T), parte);
        std::uint64_t u = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) u |= static_cast<std::uint64_t>(b[i]) << (8 * i);
        T v;
        if constexpr (sizeof(T) == 8) {
            std::memcpy(&v, &u, 8);
        } else if constexpr (sizeof(T) == 4) {
            std::uint32_t u32 = static_cast<std::uint32_t>(u);
            std::memcpy(&v, &u32, 4);
        } else if constexpr (sizeof(T) == 2) {
            std::uint16_t u16 = static_cast<std::uint16_t>(u);
            std::memcpy(&v, &u16, 2);
        } else {
            std::uint8_t u8 = static_cast<std::uint8_t>(u);
            std::memcpy(&v, &u8, 1);
        }
        return v;
    }
    [[noreturn]] void Invalido(const std::string& motivo) const {
        throw EDadosInvalidos("O arquivo " + TextoDoCaminho(caminho_) + " n\xE3o \xE9 uma grade v\xE1lida: " + motivo +
                              ".");
    }

private:
    TArquivoEntrada arquivo_;
    std::string caminho_;
};

template <typename T>
void Escreve(std::string& saida, T v) {
    unsigned char b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));
    saida.append(reinterpret_cast<const char*>(b), sizeof(T));  // little-endian machines only
}

}  // namespace

const char* NomeDesagregacao(TDesagregacaoGrade d) { return kNomes[static_cast<int>(d)]; }
const char* ChaveDesagregacao(TDesagregacaoGrade d) { return kChaves[static_cast<int>(d)]; }

std::optional<TDesagregacaoGrade> DesagregacaoDaChave(const std::string& chave) {
    for (int i = 0; i < NumeroDesagregacoes; ++i) {
        const std::string k = kChaves[i];
        if (k.size() == chave.size() &&
            std::equal(k.begin(), k.end(), chave.begin(),
                       [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); }))
            return static_cast<TDesagregacaoGrade>(i);
    }
    return std::nullopt;
}

bool TCelulaGrade::TemParametros() const {
    for (int b = BandaK; b <= BandaC; ++b)
        if (std::isnan(Valores[static_cast<std::size_t>(b)])) return false;
    return true;
}

void TGradeNacional::Define(int colunas, int linhas, double x0, double dx, double y0, double dy,
                            const AnsiString& fonte) {
    colunas_ = colunas;
    linhas_ = linhas;
    x0_ = x0;
    dx_ = dx;
    y0_ = y0;
    dy_ = dy;
    fonte_ = fonte;
    const auto n = static_cast<std::size_t>(colunas) * static_cast<std::size_t>(linhas);
    for (auto& camada : bandas_)
        for (auto& banda : camada) banda.assign(n, std::numeric_limits<float>::quiet_NaN());
}

void TGradeNacional::DefineValor(TDesagregacaoGrade d, TBandaGrade banda, int coluna, int linha, float valor) {
    bandas_[static_cast<std::size_t>(d)][static_cast<std::size_t>(banda)]
           [static_cast<std::size_t>(linha) * colunas_ + coluna] = valor;
}

void TGradeNacional::Carrega(const std::string& caminho) {
    if (!ArquivoExiste(caminho))
        throw EArquivoNaoExiste("O arquivo " + TextoDoCaminho(caminho) + " n\xE3o existe.");
    Leitor l(caminho);
    char assinatura[8];
    l.Bytes(assinatura, 8, "o cabe\xE7" "alho");
    if (std::memcmp(assinatura, kAssinatura, 8) != 0) l.Invalido("falta a assinatura TGRADE01");
    const auto colunas = l.Valor<std::int32_t>("o cabe\xE7" "alho");
    const auto linhas = l.Valor<std::int32_t>("o cabe\xE7" "alho");
    const auto x0 = l.Valor<double>("o cabe\xE7" "alho"), dx = l.Valor<double>("o cabe\xE7" "alho");
    const auto y0 = l.Valor<double>("o cabe\xE7" "alho"), dy = l.Valor<double>("o cabe\xE7" "alho");
    if (colunas <= 0 || linhas <= 0 || static_cast<std::int64_t>(colunas) * linhas > kMaximoCelulas)
        l.Invalido("tamanho " + std::to_string(colunas) + " x " + std::to_string(linhas));
    if (!std::isfinite(x0) || !std::isfinite(y0) || !(dx > 0 && std::isfinite(dx)) || !(dy < 0 && std::isfinite(dy)))
        l.Invalido("origem ou passo imposs\xEDvel");
    AnsiString fonte(l.Valor<std::uint16_t>("o texto da fonte"), '\0');
    l.Bytes(fonte.data(), fonte.size(), "o texto da fonte");
    if (l.Valor<std::uint8_t>("o n\xFAmero de camadas") != NumeroDesagregacoes) l.Invalido("n\xFAmero de camadas");

    TGradeNacional nova;
    nova.Define(colunas, linhas, x0, dx, y0, dy, fonte);
    const std::size_t n = static_cast<std::size_t>(colunas) * static_cast<std::size_t>(linhas);
    std::vector<unsigned char> mapa((n + 7) / 8);
    std::vector<float> valores;
    for (int d = 0; d < NumeroDesagregacoes; ++d) {
        for (int b = 0; b < NumeroBandasGrade; ++b) {
            const std::string parte = std::string("a camada ") + kNomes[d] + ", banda " + std::to_string(b + 1);
            const auto quantos = l.Valor<std::uint32_t>(parte.c_str());
            if (quantos > n) l.Invalido("contagem de c\xE9lulas em " + parte);
            l.Bytes(mapa.data(), mapa.size(), parte.c_str());
            valores.resize(quantos);
            l.Bytes(valores.data(), quantos * sizeof(float), parte.c_str());
            auto& destino = nova.bandas_[static_cast<std::size_t>(d)][static_cast<std::size_t>(b)];
            std::size_t k = 0;
            for (std::size_t i = 0; i < n; ++i) {
                if (!(mapa[i >> 3] & (1u << (i & 7)))) continue;
                if (k == quantos) l.Invalido("mapa de c\xE9lulas maior que a contagem em " + parte);
                destino[i] = valores[k++];
            }
            if (k != quantos) l.Invalido("mapa de c\xE9lulas menor que a contagem em " + parte);
        }
    }
    *this = std::move(nova);
}

void TGradeNacional::Grava(const std::string& caminho) const {
    std::string saida(kAssinatura, 8);
    Escreve<std::int32_t>(saida, colunas_);
    Escreve<std::int32_t>(saida, linhas_);
    for (double v : {x0_, dx_, y0_, dy_}) Escreve(saida, v);
    Escreve<std::uint16_t>(saida, static_cast<std::uint16_t>(fonte_.size()));
    saida += fonte_;
    Escreve<std::uint8_t>(saida, NumeroDesagregacoes);
    const std::size_t n = static_cast<std::size_t>(colunas_) * static_cast<std::size_t>(linhas_);
    for (const auto& camada : bandas_) {
        for (const auto& banda : camada) {
            std::string mapa((n + 7) / 8, '\0');
            std::string valores;
            std::uint32_t quantos = 0;
            for (std::size_t i = 0; i < n; ++i) {
                if (std::isnan(banda[i])) continue;
                mapa[i >> 3] = static_cast<char>(mapa[i >> 3] | (1u << (i & 7)));
                Escreve(valores, banda[i]);
                ++quantos;
            }
            Escreve(saida, quantos);
            saida += mapa;
            saida += valores;
        }
    }
    std::ofstream f(caminho, std::ios::binary | std::ios::trunc);
    f.write(saida.data(), static_cast<std::streamsize>(saida.size()));
    f.close();
    if (!f) throw EInOutError("N\xE3o foi poss\xEDvel gravar o arquivo " + TextoDoCaminho(caminho) + ".");
}

std::optional<std::pair<int, int>> TGradeNacional::CelulaDoPonto(double latitude, double longitude) const {
    if (Vazia() || !std::isfinite(latitude) || !std::isfinite(longitude)) return std::nullopt;
    // GDALInvGeoTransform and gdallocationinfo, term by term.
    const double px = -x0_ / dx_ + longitude * (1.0 / dx_);
    const double py = -y0_ / dy_ + latitude * (1.0 / dy_);
    const double c = std::floor(px), l = std::floor(py);
    if (c < 0 || l < 0 || c >= colunas_ || l >= linhas_) return std::nullopt;
    return std::make_pair(static_cast<int>(c), static_cast<int>(l));
}

TCelulaGrade TGradeNacional::Celula(TDesagregacaoGrade d, int coluna, int linha) const {
    TCelulaGrade c;
    c.Coluna = coluna;
    c.Linha = linha;
    c.LongitudeCentro = x0_ + (coluna + 0.5) * dx_;
    c.LatitudeCentro = y0_ + (linha + 0.5) * dy_;
    for (int b = 0; b < NumeroBandasGrade; ++b) c.Valores[static_cast<std::size_t>(b)] = Bruto(d, b, coluna, linha);
    return c;
}

std::optional<TValorGrade> TGradeNacional::Valor(TDesagregacaoGrade d, double latitude, double longitude) const {
    const auto celula = CelulaDoPonto(latitude, longitude);
    if (!celula) return std::nullopt;
    const auto [coluna, linha] = *celula;
    TValorGrade v{Celula(d, coluna, linha), false};
    if (v.Celula.TemParametros()) return v;
    std::optional<TValorGrade> melhor;
    double menor = 0;
    for (int dl = -1; dl <= 1; ++dl) {
        for (int dc = -1; dc <= 1; ++dc) {
            const int c = coluna + dc, l = linha + dl;
            if ((dc == 0 && dl == 0) || c < 0 || l < 0 || c >= colunas_ || l >= linhas_) continue;
            TCelulaGrade vizinha = Celula(d, c, l);
            if (!vizinha.TemParametros()) continue;
            // Distance in cell widths to the neighbour's centre: the first
            // of equal distances in row-major order wins.
            const double ex = (longitude - vizinha.LongitudeCentro) / dx_;
            const double ey = (latitude - vizinha.LatitudeCentro) / dy_;
            const double dist = ex * ex + ey * ey;
            if (!melhor || dist < menor) {
                melhor = TValorGrade{vizinha, true};
                menor = dist;
            }
        }
    }
    return melhor;
}

std::optional<double> Intensidade10x60(const TCelulaGrade& celula) {
    if (!celula.TemParametros()) return std::nullopt;
    try {
        const double i = ValoresDeProjeto(celula.K(), celula.A(), celula.B(), celula.C(), 10, 60).Intensidade;
        if (!std::isfinite(i)) return std::nullopt;
        return i;
    } catch (const EMathError&) {
        return std::nullopt;
    }
}
