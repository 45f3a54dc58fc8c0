// Locality file loader, one state's block.
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
    if (!condicao) throw ViolacaoDeInvariante("locality file: " + oque);
}
}  // namespace

int AlvoLocalidades(const uint8_t* dados, std::size_t tamanho) {
    const int estado = tamanho > 0 ? dados[0] % NumEstados : 0;
    const uint8_t* arquivo = tamanho > 0 ? dados + 1 : dados;
    const std::size_t tamanhoArquivo = tamanho > 0 ? tamanho - 1 : 0;

    const std::string caminho = TPastaFuzz::Grava("Localidades_Tor21.bin", arquivo, tamanhoArquivo);
    TBDPrecipitacao bd(TPastaFuzz::Caminho());
    bd.Localidades.resize(2);   // the previous state's localities

    const TMoldura m = LeMoldura(arquivo, tamanhoArquivo, sizeof(TLocalidade), estado + 1);
    try {
        bd.CarregaLocalidades(estado);
    } catch (const EDadosInvalidos& e) {
        Exige(!m.Completa, std::string("a file holding the block was refused: ") + e.what());
        const AnsiString msg = e.Message();
        Exige(msg.find("O arquivo " + TextoDoCaminho(caminho)) == 0, "message does not name the file: " + msg);
        if (tamanhoArquivo > 0)
            Exige(msg.find("estado " + std::to_string(m.BlocoIncompleto) + " (") != AnsiString::npos,
                  "message does not name block " + std::to_string(m.BlocoIncompleto) + ": " + msg);
        Exige(bd.Localidades.empty(), "a failed load left localities behind");
        return 0;
    } catch (const Exception& e) {
        Exige(false, std::string("load raised ") + e.ClassName() + ": " + e.what());
    }

    Exige(m.Completa, "a file short of the block was accepted");
    const TBlocoMoldura& b = m.Blocos.back();
    Exige(bd.Localidades.size() == b.Contagem, "wrong count for state " + std::to_string(estado));
    Exige(b.Contagem == 0 ||
              std::memcmp(bd.Localidades.data(), arquivo + b.Inicio, sizeof(TLocalidade) * b.Contagem) == 0,
          "records differ from the file");
    return 0;
}
