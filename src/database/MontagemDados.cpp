#include "database/MontagemDados.h"

#include <memory>

#include "database/ArquivosDados.h"
#include "database/ContornosEstados.h"
#include "platform/Caminhos.h"

TMontagemDados MontaDados(const std::string& estacoesCsv, const std::string& localidadesCsv, const std::string& pasta,
                          std::string contornos, bool estrito) {
    TImportador imp;
    imp.Estrito(estrito);
    if (contornos.empty()) {
        const std::size_t barra = estacoesCsv.find_last_of('/');
        const std::string vizinho =
            (barra == std::string::npos ? std::string() : estacoesCsv.substr(0, barra + 1)) + "contornos.csv";
        if (ArquivoExiste(vizinho)) contornos = vizinho;
    }
    std::unique_ptr<TContornosEstados> contornosLidos;
    if (!contornos.empty()) {
        contornosLidos = std::make_unique<TContornosEstados>(LeArquivo(contornos));
        imp.Contornos(contornosLidos.get());
    }
    imp.LeArquivoEstacoes(estacoesCsv);
    imp.LeArquivoLocalidades(localidadesCsv);
    TMontagemDados m;
    m.Avisos = imp.Avisos();
    m.Erros = imp.Erros();
    if (!m.Erros.empty()) return m;
    const auto estacoes = imp.Estacoes();
    const auto localidades = imp.Localidades();
    TArquivosDados::GravaPar(pasta, TArquivosDados::Estacoes(estacoes), TArquivosDados::Localidades(localidades));
    TArquivosDados::Grava(pasta + TArquivosDados::NomeAoNorte, TArquivosDados::AoNorte(estacoes, imp.EstacoesAoNorte()));
    for (const auto& b : estacoes) m.Estacoes += b.size();
    for (const auto& b : localidades) m.Localidades += b.size();
    return m;
}
