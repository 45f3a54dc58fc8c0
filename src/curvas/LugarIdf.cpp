#include "curvas/LugarIdf.h"

#include "database/Confianca.h"
#include "database/Estados.h"
#include "platform/Cp1252.h"
#include "database/Registros.h"

std::vector<TVizinhaIdf> VizinhasDoLugar(const TConfianca& confianca) {
    std::vector<TVizinhaIdf> vizinhas;
    for (const TEstacaoContribuinte& e : confianca.Estacoes) {
        if (vizinhas.size() == 5) break;
        const AnsiString nome = TiraBrancosFinais(e.Estacao->Nome.Text()) + " (" +
                                SiglasEstados[static_cast<std::size_t>(e.EstadoIndice)] + ")";
        vizinhas.push_back({QString::fromStdString(Cp1252ToUtf8(nome)), e.DistanciaKm});
    }
    return vizinhas;
}

QString LatitudeComHemisferio(const TLugarIdf& lugar) {
    return lugar.Latitude.endsWith(QLatin1Char('N')) ? lugar.Latitude : lugar.Latitude + QStringLiteral(" S");
}
