#include "PastaDadosTeste.h"

#include "database/Estados.h"
#include "platform/Cp1252.h"

TPastaDadosTeste::TPastaDadosTeste(const std::vector<TEstacaoTeste>& estacoes) {
    std::vector<std::vector<TEstacao>> porEstado(NumEstados);
    for (const auto& e : estacoes)
        porEstado.at(static_cast<std::size_t>(e.Estado))
            .push_back(Estacao(Ansi(e.Nome), e.K, e.a, e.b, e.c, Ansi(e.Latitude), Ansi(e.Longitude), Ansi(e.Autor)));
    Arquivo("Estados_Tor21.bin", MontaArquivo(porEstado, 0x07));   // the leading byte carries nothing
}
