// tormel21-ajuste in-process: exit statuses, the JSON object, -o outputs,
// the station row, and nothing written when there is no fit.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "ProgramaAjuste.h"
#include "suporte/ArquivosDeTeste.h"

namespace {

const std::string kAna = TORMEL_DADOS_ANA;
const std::string kBom = kAna + "/rainfall_01943011.csv";
const std::string kPoucos = kAna + "/rainfall_00765000.csv";

struct TSaida {
    int Estado;
    std::string Saida, Erros;
};

TSaida Roda(std::vector<std::string> args) {
    std::ostringstream saida, erros;
    const int e = ProgramaAjuste::Executa(args, saida, erros);
    return {e, saida.str(), erros.str()};
}

bool Tem(const std::string& s, const std::string& trecho) { return s.find(trecho) != std::string::npos; }

TEST(ProgramaAjuste, ExitStatusesAndReasons) {
    TPastaTemporaria pasta;
    const std::string vazio = pasta.Grava("vazio.csv", "");
    const struct { std::vector<std::string> args; int estado; std::string erro; } casos[] = {
        {{}, 2, "falta o arquivo"},
        {{kBom, "--distribuicao", "weibull"}, 2, "gumbel, gev ou auto"},
        {{kBom, "--distribuicao", "gev", "--metodo", "momentos"}, 2, "momentos"},
        {{kBom, "--tr", "2,x"}, 2, "\"x\""},
        {{kBom, "--estacao-csv", "e.csv"}, 2, "--nome"},
        {{kPoucos, "--bootstrap", "0"}, 1, "(1995, 1996, 2005)"},
        {{vazio}, 1, "vazio.csv: o arquivo está vazio"},
        {{kBom, "--bootstrap", "0", "--duracoes", "7"}, 1, "7 min; as razões (CETESB (1986)) dão 5, 10, 15,"},
        {{kBom, "--bootstrap", "20"}, 0, ""},
    };
    for (const auto& c : casos) {
        const TSaida s = Roda(c.args);
        EXPECT_EQ(s.Estado, c.estado) << s.Erros;
        if (!c.erro.empty()) EXPECT_TRUE(Tem(s.Erros, c.erro)) << s.Erros;
    }
}

TEST(ProgramaAjuste, JsonCarriesRecordFitAndIntervals) {
    const TSaida s = Roda({kBom, "--bootstrap", "50", "--json", "--ano-citacao", "2026"});
    ASSERT_EQ(s.Estado, 0) << s.Erros;
    EXPECT_EQ(s.Saida.front(), '{');
    EXPECT_EQ(s.Saida.substr(s.Saida.size() - 2), "}\n");
    for (const char* trecho : {"\"estacao\":\"01943011\"", "\"anos_deixados\":[{\"ano\":\"1941\",\"motivo\":\"153 de 365 dias",
                               "\"anos_usados\":[\"1944\",", "\"K\":", "\"R2\":0.99", "\"ic90\":{\"K\":[",
                               "\"citacao\":\"Ajuste ANA 01943011 (2026)\"", "\"replicas\":50"})
        EXPECT_TRUE(Tem(s.Saida, trecho)) << trecho;
}

TEST(ProgramaAjuste, OutputsAndStationRowWrittenOnlyWithAFit) {
    TPastaTemporaria pasta;
    const std::string csv = pasta.Caminho("relatorio.csv"), pdf = pasta.Caminho("relatorio.pdf");
    const std::string estacoes = pasta.Grava("estacoes.csv", "uf,nome,K,a,b,c,citacao,latitude,longitude\n");
    const std::vector<std::string> estacao = {"--estacao-csv", estacoes, "--nome", "Estação A", "--uf", "MG",
                                              "--lat", "-19.5", "--lon", "-43.25", "--ano-citacao", "2026"};
    std::vector<std::string> falha = {kPoucos, "-o", csv};
    falha.insert(falha.end(), estacao.begin(), estacao.end());
    EXPECT_EQ(Roda(falha).Estado, 1);
    EXPECT_FALSE(std::filesystem::exists(csv));
    EXPECT_EQ(ConteudoDoArquivo(estacoes), "uf,nome,K,a,b,c,citacao,latitude,longitude\n");

    std::vector<std::string> bom = {kBom, "--bootstrap", "20", "-o", csv, "--formato", "int"};
    bom.insert(bom.end(), estacao.begin(), estacao.end());
    ASSERT_EQ(Roda(bom).Estado, 0);
    const std::string tabelas = ConteudoDoArquivo(csv);
    EXPECT_EQ(tabelas.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_TRUE(Tem(tabelas, "1962,133.0\r\n"));
    EXPECT_TRUE(Tem(tabelas, "1941,153 de 365 dias faltando (41,9%, mais que 10,0%)\r\n") ||
                Tem(tabelas, "1941,\"153 de 365 dias faltando (41,9%, mais que 10,0%)\"\r\n"));
    const std::string linhas = ConteudoDoArquivo(estacoes);
    EXPECT_TRUE(Tem(linhas, "\nMG,Estação A,")) << linhas;
    EXPECT_TRUE(Tem(linhas, ",Ajuste ANA 01943011 (2026),\"19°30'00\"\"\",\"43°15'00\"\"\"\n")) << linhas;
    EXPECT_TRUE(Tem(ConteudoDoArquivo(pasta.Caminho("ajustes.csv")), "\"MG\",\"Estação A\",\"Ajuste ANA 01943011 (2026)\",\"Registro "));

    ASSERT_EQ(Roda({kBom, "--bootstrap", "0", "-o", pdf}).Estado, 0);
    EXPECT_EQ(ConteudoDoArquivo(pdf).substr(0, 5), "%PDF-");
}

}  // namespace
