// The command-line query's CSV of points, read and computed against a small
// pool of stations, and its output read back with the same reader.
#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "Alvos.h"
#include "ConsultaLote.h"
#include "LeitorCsv.h"
#include "PastaFuzz.h"
#include "ViolacaoDeInvariante.h"
#include "database/BDPrecipitacao.h"
#include "database/Estados.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

namespace {

void Exige(bool condicao, const std::string& oque) {
    if (!condicao) throw ViolacaoDeInvariante("query CSV: " + oque);
}

// One station in each state of the pool, written and loaded once.
struct TDados {
    TBDPrecipitacao Bd;

    static std::string Pasta() {
        std::vector<std::vector<TEstacao>> blocos(NumEstados);
        const struct {
            int Estado;
            const char *Lat, *Lon;
            double K, a, b, c;
        } estacoes[] = {{4, "12\xB0" "58'16\"", "38\xB0" "30'39\"", 1000, 0.2, 10, 0.8},
                        {7, "20\xB0" "19'10\"", "40\xB0" "20'16\"", 900, 0.15, 12, 0.75},
                        {12, "19\xB0" "55'30\"", "43\xB0" "56'15\"", 1447.9, 0.1, 20, 0.84},
                        {15, "25\xB0" "25'40\"", "49\xB0" "16'23\"", 600, 0.5, 0, 1},
                        {18, "22\xB0" "54'10\"", "43\xB0" "12'27\"", 1239, 0.15, 20, 0.74},
                        {24, "23\xB0" "32'51\"", "46\xB0" "38'10\"", 3462.7, 0.172, 22, 1.025},
                        {26, "10\xB0" "11'04\"", "48\xB0" "20'01\"", 1850.2, 0.147, 14.1, 0.77}};
        for (const auto& e : estacoes) {
            TEstacao r{};
            r.Nome.Assign("Estacao " + std::to_string(e.Estado));
            r.K = e.K;
            r.a = e.a;
            r.b = e.b;
            r.c = e.c;
            r.Autor.Assign("AUTOR (2000)");
            r.Latitude.Assign(e.Lat);
            r.Longitude.Assign(e.Lon);
            blocos[static_cast<std::size_t>(e.Estado)].push_back(r);
        }
        std::string dados(1, '\0');
        for (const auto& b : blocos) {
            dados += static_cast<char>(b.size() & 0xFF);
            dados += static_cast<char>(b.size() >> 8);
            dados.append(reinterpret_cast<const char*>(b.data()), b.size() * sizeof(TEstacao));
        }
        TPastaFuzz::Grava("Estados_Tor21.bin", reinterpret_cast<const uint8_t*>(dados.data()), dados.size());
        return TPastaFuzz::Caminho();
    }
    TDados() : Bd(Pasta()) { Bd.CarregaEstacoes(); }
};

}  // namespace

int AlvoCsvConsulta(const uint8_t* dados, std::size_t tamanho) {
    static const TDados base;
    if (tamanho == 0) return 0;
    TOpcoesConsulta o;
    o.Tarefas = 1;
    if (dados[0] & 1) o.Dialeto = TDialetoCsv::Internacional();
    if (dados[0] & 2) o.Convencao = TLeitorCoordenada::Convencao::Negativos;
    if (dados[0] & 4) {
        o.Tr = {2, 25};
        o.Duracoes = {5, (dados[0] & 8) ? 1e-306 : 1440};
    }
    const std::string texto(reinterpret_cast<const char*>(dados) + 1, tamanho - 1);
    const TConsultaLote lote(base.Bd.Pool(), o);

    std::istringstream entrada(texto), mesmaEntrada(texto);
    std::ostringstream saida, erros;
    std::size_t falhas = 0;
    try {
        falhas = lote.Executa(entrada, saida, erros);
    } catch (const Exception&) {   // refused whole (a UTF-16 text without its mark): nothing to check
        return 0;
    }
    TEntradaLote entradaLote;
    std::vector<TConsultaLote::TPonto> pontos;
    try {
        pontos = lote.LePontos(mesmaEntrada, &entradaLote);
    } catch (const Exception&) {   // an input that cannot be read: Executa said so too
        return 0;
    }
    const bool comEvento = entradaLote.ComEvento();
    const std::size_t inicio = entradaLote.Colunas();

    // One output row per point, in order, each whole; the errors counted
    // are the rows with a message.
    const std::size_t colunas = lote.Colunas(o.Dialeto.Decimal, entradaLote).size();
    const std::size_t fimValores = inicio + 10 + 2 * o.Tr.size() * o.Duracoes.size();
    std::istringstream volta(saida.str());
    TLeitorCsv leitor(volta, o.Dialeto.Separador);
    TLinhaCsvPontos linha;
    Exige(leitor.Proxima(linha) && linha.Erro.empty() && linha.Campos.size() == colunas, "header");
    std::size_t n = 0, comErro = 0;
    while (leitor.Proxima(linha)) {
        Exige(linha.Erro.empty(), "output line " + std::to_string(linha.Numero) + " reads back: " + linha.Erro);
        Exige(n < pontos.size(), "more rows than points");
        Exige(linha.Campos.size() == colunas, "row of " + std::to_string(linha.Campos.size()) + " fields");
        Exige(std::equal(pontos[n].Campos.begin(), pontos[n].Campos.end(), linha.Campos.begin()),
              "input columns of row " + std::to_string(n));
        if (!linha.Campos.back().empty()) {
            ++comErro;
        } else {
            for (std::size_t c = inicio + 2; c < fimValores; ++c) {
                if (c == inicio + 4 || c == inicio + 9) continue;   // place, source
                double v = 0;
                Exige(TryStrToFloat(linha.Campos[c], o.Dialeto.Decimal, v) && std::isfinite(v),
                      "value " + linha.Campos[c]);
            }
            // An observed storm has its return period or the reason why not.
            if (pontos[n].TemEvento) {
                const std::string& tr = linha.Campos[colunas - 3];
                double v = 0;
                Exige(tr.empty() ? !linha.Campos[colunas - 2].empty()
                                 : TryStrToFloat(tr, o.Dialeto.Decimal, v) && std::isfinite(v) && v > 0,
                      "return period " + tr);
            }
        }
        ++n;
    }
    Exige(n == pontos.size(), std::to_string(n) + " rows for " + std::to_string(pontos.size()) + " points");
    Exige(comErro == falhas, "failures counted " + std::to_string(falhas) + ", rows with a message " +
                                 std::to_string(comErro));
    // One message per failure, besides the warnings of far points.
    std::istringstream mensagens(erros.str());
    std::size_t semAviso = 0;
    for (std::string m; std::getline(mensagens, m);) semAviso += m.find(": Aten\xC3\xA7\xC3\xA3o: ") == std::string::npos;
    Exige(semAviso == falhas, "one message per failure");
    return 0;
}
