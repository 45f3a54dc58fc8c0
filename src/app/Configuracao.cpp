#include "app/Configuracao.h"

#include <cstdint>

#include "app/Tormel21Comp.h"
#include "platform/ArquivoIni.h"
#include "platform/Caminhos.h"

const char* const SecaoPrincipal = "PRINCIPAL";

namespace {
// Only the low 16 bits of the integer read are kept: 65536 gives 0, 65535 -1.
int16_t Baixos16(int valor) { return static_cast<int16_t>(static_cast<uint16_t>(static_cast<unsigned>(valor) & 0xFFFFu)); }

// A coordinate as the file holds it, with its degree sign as the one cp1252
// byte 0xB0: editors that write UTF-8 store "°" as the two bytes C2 B0, and
// "º" (C2 BA in UTF-8, BA in cp1252) is typed for it.
AnsiString ComSinalDeGrau(AnsiString texto) {
    AnsiString saida;
    saida.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        if (c == '\xC2' && i + 1 < texto.size() && (texto[i + 1] == '\xB0' || texto[i + 1] == '\xBA')) {
            saida += '\xB0';
            ++i;
        } else {
            saida += c == '\xBA' ? '\xB0' : c;
        }
    }
    return saida;
}
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
    componente.Latitude = ComSinalDeGrau(ini.ReadString(SecaoPrincipal, "Latitude", ""));
    componente.Longitude = ComSinalDeGrau(ini.ReadString(SecaoPrincipal, "Longitude", ""));
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
