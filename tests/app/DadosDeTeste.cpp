#include "DadosDeTeste.h"

#include <vector>

#include "platform/Cp1252.h"
#include "suporte/ArquivosDeTeste.h"
#include "suporte/PastasQt.h"

namespace DadosDeTeste {

AnsiString LatitudeBeloHorizonte() { return Ansi("19°55'00\""); }
AnsiString LongitudeBeloHorizonte() { return Ansi("43°56'00\""); }
AnsiString LatitudeContagem() { return Ansi("19°55'00\""); }
AnsiString LongitudeContagem() { return Ansi("44°03'00\""); }
AnsiString LatitudeRioBranco() { return Ansi("09°58'29\""); }
AnsiString LongitudeRioBranco() { return Ansi("67°48'36\""); }
AnsiString LatitudeCruzeiro() { return Ansi("07°37'51\""); }
AnsiString LongitudeCruzeiro() { return Ansi("72°40'12\""); }

std::string CriaPastas(const TPastaPrograma& pasta) {
    std::vector<std::vector<TEstacao>> estacoes(27);
    estacoes[0] = {Estacao(Ansi("Cruzeiro do Sul"), 1200.5, 0.12, 11, 0.8, LatitudeCruzeiro(), LongitudeCruzeiro(),
                           Ansi("SILVA et al. (1999)")),
                   Estacao(Ansi("Rio Branco"), 1300.25, 0.13, 12, 0.81, LatitudeRioBranco(), LongitudeRioBranco(),
                           Ansi("SILVA et al. (1999)"))};
    estacoes[12] = {Estacao(Ansi("Belo Horizonte"), KBeloHorizonte, ABeloHorizonte, BBeloHorizonte, CBeloHorizonte,
                            LatitudeBeloHorizonte(), LongitudeBeloHorizonte(), Ansi("PINHEIRO (1997)   ")),
                    Estacao(Ansi("Juiz de Fora"), 2000.5, 0.15, 12.5, 0.9, Ansi("21°45'00\""), Ansi("43°21'00\""),
                            Ansi("PINHEIRO (1997)")),
                    Estacao(Ansi("Montes Claros   "), 900.25, 0.2, 9.5, 0.75, Ansi("16°43'00\""),
                            Ansi("43°52'00\""), Ansi("PINHEIRO (1997)"))};
    pasta.GravaEstacoes(estacoes);

    std::vector<std::vector<TLocalidade>> localidades(27);
    localidades[12] = {Localidade(Ansi("Contagem"), LatitudeContagem(), LongitudeContagem()),
                       Localidade(Ansi("Uberaba"), Ansi("19°45'00\""), Ansi("47°55'00\""))};
    pasta.GravaLocalidades(localidades);

    GravaMapa(pasta, "MG.bmp", MapaLiso());
    return pasta.Programa();
}

}  // namespace DadosDeTeste
