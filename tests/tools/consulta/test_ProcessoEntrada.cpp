// tormel21-consulta's batch input as spreadsheets and GIS tools save it:
// encodings, tab separators, extra columns, coordinate columns by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <regex>
#include <sstream>

#include "ExecucaoTeste.h"
#include "LeitorCsv.h"
#include "PastaDadosTeste.h"
#include "database/BDPrecipitacao.h"
#include "database/Coordenadas.h"
#include "platform/Cp1252.h"

namespace {

const std::vector<TEstacaoTeste> kEstacoes = {
    {12, "Belo Horizonte", "A (2001)", "19°55'30\"", "43°56'15\"", 1447.9, 0.1, 20, 0.84},
    {24, "São Paulo", "B (1999)", "23°32'51\"", "46°38'10\"", 3462.7, 0.172, 22, 1.025},
};

std::vector<std::vector<std::string>> Csv(const std::string& texto) {
    std::istringstream in(texto);
    TLeitorCsv leitor(in, ';');
    std::vector<std::vector<std::string>> linhas;
    for (TLinhaCsvPontos l; leitor.Proxima(l);) linhas.push_back(l.Campos);
    return linhas;
}

std::string Utf16(const std::string& ascii, bool grande) {
    std::string r = grande ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii) r += grande ? std::string{'\0', c} : std::string{c, '\0'};
    return r;
}

// The coordinate texts used, by row: the columns after the input's.
std::vector<std::string> TextosUsados(const std::vector<std::vector<std::string>>& linhas) {
    std::vector<std::string> textos;
    const auto& cabecalho = linhas.at(0);
    const std::size_t lat = static_cast<std::size_t>(
        std::find(cabecalho.begin(), cabecalho.end(), "latitude") - cabecalho.begin());
    for (std::size_t i = 1; i < linhas.size(); ++i)
        textos.push_back(lat + 1 < linhas[i].size() ? linhas[i][lat] + " " + linhas[i][lat + 1] : "?");
    return textos;
}

}  // namespace

// "Unicode text" of a spreadsheet (UTF-16 with its mark, tabs between the
// fields, CR LF) reads as the same points as the UTF-8 CSV; UTF-16 without
// the mark is refused whole, saying how to save the file.
TEST(ProcessoEntrada, SpreadsheetEncodingsAndTabs) {
    const TPastaDadosTeste pasta(kEstacoes);
    const std::string tabulado = "id\tlat\tlon\r\na\t19,9\t43,9\r\nb\t20\t44\r\nc\t23,5\t46,5\r\nd\t21\t45\r\n";
    const auto referencia = RodaConsulta(pasta.Pasta(), {"--dados", pasta.Pasta(), "-e", "-"},
                                         "id;lat;lon\na;19,9;43,9\nb;20;44\nc;23,5;46,5\nd;21;45\n");
    ASSERT_EQ(0, referencia.Estado) << referencia.Erros;
    ASSERT_EQ(5u, Csv(referencia.Saida).size());
    const std::vector<std::pair<std::string, std::string>> casos = {
        {"UTF-8 com tabulações", "\xEF\xBB\xBF" + tabulado},
        {"UTF-16 LE", Utf16(tabulado, false)},
        {"UTF-16 BE", Utf16(tabulado, true)},
    };
    for (const auto& [nome, conteudo] : casos) {
        SCOPED_TRACE(nome);
        const auto r = RodaConsulta(pasta.Pasta(), {"--dados", pasta.Pasta(), "-e", "-"}, conteudo);
        EXPECT_EQ(0, r.Estado) << r.Erros;
        EXPECT_EQ(referencia.Saida, r.Saida);
    }
    const auto sem = RodaConsulta(pasta.Pasta(), {"--dados", pasta.Pasta(), "-e", "-"},
                                  Utf16(tabulado, false).substr(2));
    EXPECT_EQ(1, sem.Estado);
    EXPECT_EQ("", sem.Saida);
    EXPECT_NE(std::string::npos, sem.Erros.find("Salve a planilha como \"CSV UTF-8\"")) << sem.Erros;
}

// Every input column is kept, in order, in front of the results (a name the
// results use, in any case, gets "_entrada"); the coordinates come from the
// columns named so, or named by --colunas.
TEST(ProcessoEntrada, ExtraColumnsAndCoordinatesByName) {
    const TPastaDadosTeste pasta(kEstacoes);
    struct TCaso {
        std::vector<std::string> Opcoes;
        std::string Entrada;
        std::vector<std::string> Frente;   // the output's first columns
    };
    const std::vector<TCaso> casos = {
        {{}, "id;lat;lon;nome\n1;19,9;43,9;BH\n", {"id", "lat", "lon", "nome", "latitude"}},
        {{}, "nome;Longitude;LATITUDE\nBH;43,9;19,9\n", {"nome", "Longitude_entrada", "LATITUDE_entrada", "latitude"}},
        {{}, "código; X ;Y;Município\n1;43,9;19,9;Belo Horizonte\n", {"código", "X", "Y", "Município", "latitude"}},
        {{}, "id;latitude;longitude\n1;19,9;43,9\n", {"id", "latitude_entrada", "longitude_entrada", "latitude"}},
        {{"--colunas", "b,a"}, "id;a;b;c\n1;43,9;19,9;x\n", {"id", "a_entrada", "b_entrada", "c_entrada", "latitude"}},
        {{"--colunas", "3,1"}, "43,9;x;19,9\n", {"longitude_entrada", "campo2", "latitude_entrada", "latitude"}},
        {{}, "1;19,9;43,9\n", {"id", "latitude_entrada", "longitude_entrada", "latitude"}},
    };
    for (const TCaso& c : casos) {
        SCOPED_TRACE(c.Entrada);
        std::vector<std::string> args = {"--dados", pasta.Pasta(), "-e", "-"};
        args.insert(args.end(), c.Opcoes.begin(), c.Opcoes.end());
        const auto r = RodaConsulta(pasta.Pasta(), args, c.Entrada);
        ASSERT_EQ(0, r.Estado) << r.Erros;
        const auto l = Csv(r.Saida);
        ASSERT_EQ(2u, l.size());
        EXPECT_EQ(c.Frente, std::vector<std::string>(l[0].begin(), l[0].begin() + static_cast<long>(c.Frente.size())));
        EXPECT_EQ(std::vector<std::string>{"19°54'00\" 43°54'00\""}, TextosUsados(l));
        // The data row keeps its input fields as written.
        std::istringstream entrada(c.Entrada);
        std::string primeira, dados;
        std::getline(entrada, primeira);
        if (!std::getline(entrada, dados)) dados = primeira;
        std::vector<std::string> campos;
        std::string erro;
        TLeitorCsv::Divide(dados, ';', campos, erro);
        EXPECT_EQ(campos, std::vector<std::string>(l[1].begin(), l[1].begin() + static_cast<long>(campos.size())));
    }
    const auto falta = RodaConsulta(pasta.Pasta(), {"--dados", pasta.Pasta(), "-e", "-", "--colunas", "la,lo"},
                                    "id;lat;lon\n1;19,9;43,9\n");
    EXPECT_EQ(1, falta.Estado);
    EXPECT_NE(std::string::npos, falta.Erros.find("--colunas: a coluna \"la\" não está no cabeçalho")) << falta.Erros;
}

// Every pool station of the shipped data, given back in signed decimal
// degrees at full precision, is that station (its name in the batch).
TEST(ProcessoEntrada, EveryPoolStationFromItsDecimalDegrees) {
    TBDPrecipitacao bd(TORMEL_DATA_DIR "/");
    bd.CarregaEstacoesDaInterpolacao();
    const TPoolInterpolacao& pool = bd.Pool();
    ASSERT_GT(pool.Tamanho(), 100u);
    std::string csv = "id;lat;lon\n";
    std::vector<std::string> nomes;
    for (std::size_t i = 0; i < pool.Tamanho(); ++i) {
        const TEstacao& e = pool.Estacao(i);
        char linha[128];
        std::snprintf(linha, sizeof linha, "%zu;%.17g;%.17g\n", i, -ParseDms(e.Latitude.Text()),
                      -ParseDms(e.Longitude.Text()));
        csv += linha;
        nomes.push_back(Utf8(TiraBrancosFinais(e.Nome.Text())));
    }
    const TPastaTemporaria pasta("consulta-pool-");
    const auto r = RodaConsulta(pasta.Caminho(), {"--dados", TORMEL_DATA_DIR "/", "--negativos", "--formato", "int",
                                                  "-e", "-"},
                                std::regex_replace(csv, std::regex(";"), ","));
    ASSERT_EQ(0, r.Estado) << r.Erros;
    std::istringstream saida(r.Saida);
    TLeitorCsv leitor(saida, ',');
    TLinhaCsvPontos l;
    ASSERT_TRUE(leitor.Proxima(l));
    const std::size_t local = static_cast<std::size_t>(std::find(l.Campos.begin(), l.Campos.end(), "local") -
                                                       l.Campos.begin());
    std::size_t n = 0, erradas = 0;
    for (; leitor.Proxima(l); ++n) erradas += n < nomes.size() && l.Campos.at(local) != nomes[n];
    EXPECT_EQ(nomes.size(), n);
    EXPECT_EQ(0u, erradas);
}
