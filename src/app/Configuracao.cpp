#include "app/Configuracao.h"

#include <cstdint>

#include "app/Tormel21Comp.h"
#include "platform/ArquivoIni.h"
#include "platform/Caminhos.h"

const char* const SecaoPrincipal = "PRINCIPAL";

namespace {
// Only the low 16 bits of the integer read are kept: 65536 gives 0, 65535 -1.
int16_t Baixos16(int valor) { return static_cast<int16_t>(static_cast<uint16_t>(static_cast<unsigned>(valor) & 0xFFFFu)); }
}  // namespace

std::string CaminhoDaConfiguracao(const std::string& pastaDoPrograma) {
    const std::string doUsuario = PastaDeConfiguracaoDoUsuario();
    if (PastaGravavel(pastaDoPrograma) || doUsuario.empty()) return pastaDoPrograma + "Tormel21.ini";
    return doUsuario + "tormel21/Tormel21.ini";
}

void LeConfiguracao(const TArquivoIni& ini, TTormel21& componente) {
    componente.IndEstado = Baixos16(ini.ReadInteger(SecaoPrincipal, "IndEstado", 0));
    componente.IndEstacao = Baixos16(ini.ReadInteger(SecaoPrincipal, "IndEstacao", 0));
    componente.IndLocalidade = Baixos16(ini.ReadInteger(SecaoPrincipal, "IndLocalidade", 0));
    componente.Latitude = ini.ReadString(SecaoPrincipal, "Latitude", "");
    componente.Longitude = ini.ReadString(SecaoPrincipal, "Longitude", "");
}

void GravaConfiguracao(TArquivoIni& ini, const TTormel21& componente) {
    ini.EmLote([&] {
        ini.WriteInteger(SecaoPrincipal, "IndEstado", componente.IndEstado);
        ini.WriteInteger(SecaoPrincipal, "IndEstacao", componente.IndEstacao);
        ini.WriteInteger(SecaoPrincipal, "IndLocalidade", componente.IndLocalidade);
        ini.WriteString(SecaoPrincipal, "Latitude", componente.Latitude);
        ini.WriteString(SecaoPrincipal, "Longitude", componente.Longitude);
    });
}
