// Station file loader and the interpolation over whatever it loaded.
#include <cmath>
#include <cstring>
#include <string>

#include "Alvos.h"
#include "Moldura.h"
#include "PastaFuzz.h"
#include "ViolacaoDeInvariante.h"
#include "database/BDPrecipitacao.h"
#include "database/Estados.h"
#include "platform/Caminhos.h"
#include "platform/Erros.h"

namespace {

void Exige(bool condicao, const std::string& oque) {
    if (!condicao) throw ViolacaoDeInvariante("station file: " + oque);
}

bool ParametrosFinitos(const TBDPrecipitacao& bd) {
    for (int s : EstadosInterpolacao)
        for (const TEstacao& e : bd.Estacoes[static_cast<std::size_t>(s)]) {
            const double k = e.K, a = e.a, b = e.b, c = e.c;
            if (!std::isfinite(k) || !std::isfinite(a) || !std::isfinite(b) || !std::isfinite(c)) return false;
        }
    return true;
}

// An interpolation either raises one of the system's conversion or math
// errors or gives finite parameters (when the stations' own are finite).
void VerificaInterpolacao(const TBDPrecipitacao& bd, const AnsiString& lat, const AnsiString& lon) {
    try {
        const TEstacao r = bd.Interpola(lat, lon);
        if (ParametrosFinitos(bd)) {
            const double k = r.K, a = r.a, b = r.b, c = r.c;
            Exige(std::isfinite(k) && std::isfinite(a) && std::isfinite(b) && std::isfinite(c),
                  "interpolation gave a non-finite parameter without an error");
        }
    } catch (const EConvertError&) {
    } catch (const EMathError&) {
    } catch (const Exception& e) {
        Exige(false, std::string("interpolation raised ") + e.ClassName() + ": " + e.what());
    }
}

}  // namespace

int AlvoEstacoes(const uint8_t* dados, std::size_t tamanho) {
    const std::string caminho = TPastaFuzz::Grava("Estados_Tor21.bin", dados, tamanho);
    TBDPrecipitacao bd(TPastaFuzz::Caminho());
    Exige(bd.CaminhoEstacoes() == caminho, "unexpected path " + bd.CaminhoEstacoes());
    // What a failed load must leave alone.
    TEstacoesPorEstado antes;
    antes[3].resize(1);
    antes[3][0].Nome.Assign("sentinela");
    bd.DefineEstacoes(antes);

    const TMoldura m = LeMoldura(dados, tamanho, sizeof(TEstacao));
    try {
        bd.CarregaEstacoes();
    } catch (const EDadosInvalidos& e) {
        Exige(!m.Completa, std::string("a whole file was refused: ") + e.what());
        const AnsiString msg = e.Message();
        Exige(msg.find("O arquivo " + TextoDoCaminho(caminho)) == 0, "message does not name the file: " + msg);
        if (tamanho > 0)
            Exige(msg.find("estado " + std::to_string(m.BlocoIncompleto) + " (") != AnsiString::npos,
                  "message does not name block " + std::to_string(m.BlocoIncompleto) + ": " + msg);
        Exige(bd.Estacoes[3].size() == 1 && bd.Estacoes[3][0].Nome.Text() == "sentinela",
              "a failed load changed the stations");
        for (int s = 0; s < NumEstados; ++s)
            if (s != 3) Exige(bd.Estacoes[static_cast<std::size_t>(s)].empty(), "a failed load changed the stations");
        return 0;
    } catch (const Exception& e) {
        Exige(false, std::string("load raised ") + e.ClassName() + ": " + e.what());
    }

    Exige(m.Completa, "a short file was accepted");
    for (int s = 0; s < NumEstados; ++s) {
        const auto& lidas = bd.Estacoes[static_cast<std::size_t>(s)];
        const TBlocoMoldura& b = m.Blocos[static_cast<std::size_t>(s)];
        Exige(lidas.size() == b.Contagem, "block " + std::to_string(s) + " has the wrong count");
        Exige(b.Contagem == 0 || std::memcmp(lidas.data(), dados + b.Inicio, sizeof(TEstacao) * b.Contagem) == 0,
              "block " + std::to_string(s) + " differs from the file");
    }

    // A point with no station on it, and the first pool station's own place.
    VerificaInterpolacao(bd, "15\xB0" "30'00\"", "45\xB0" "00'00\"");
    for (int s : EstadosInterpolacao) {
        const auto& bloco = bd.Estacoes[static_cast<std::size_t>(s)];
        if (bloco.empty()) continue;
        VerificaInterpolacao(bd, bloco.front().Latitude.Text(), bloco.front().Longitude.Text());
        break;
    }
    return 0;
}
