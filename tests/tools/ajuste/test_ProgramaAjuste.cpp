// tormel21-ajuste in-process: exit statuses, the JSON object, -o outputs,
// the station row, and nothing written when there is no fit.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "ProgramaAjuste.h"
#include "ajuste/Registro.h"
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
    EXPECT_TRUE(Tem(ConteudoDoArquivo(pasta.Caminho("ajustes.csv")), "\nMG,Estação A,Ajuste ANA 01943011 (2026),\"Registro "));
    EXPECT_TRUE(Tem(ConteudoDoArquivo(pasta.Caminho("intervalos.csv")), "\nMG,Estação A,10,60,"));

    ASSERT_EQ(Roda({kBom, "--bootstrap", "0", "-o", pdf}).Estado, 0);
    EXPECT_EQ(ConteudoDoArquivo(pdf).substr(0, 5), "%PDF-");
}

}  // namespace

// A gzip sub-daily series: its interval found and its ratios in the JSON;
// the same file as the disaggregation of a daily record.
TEST(ProgramaAjuste, SubDailyGzipAndItsRatiosForADailyRecord) {
    TPastaTemporaria pasta;
    std::string texto = "datetime_local,p15_mm\n";
    char linha[64];
    for (int dia = DiaCivil(2001, 1, 1); dia < DiaCivil(2013, 1, 1); ++dia)
        for (int q = 1; q <= 96; ++q) {
            int a, m, d, ano, mes, dd;
            DataCivil(q == 96 ? dia + 1 : dia, a, m, d);
            DataCivil(dia, ano, mes, dd);
            const double f = 1 + 0.1 * (ano - 2001) + 0.07 * ((ano * 3) % 4);
            const double v = mes == 2 && dd == 3 && q >= 60 && q < 64 ? (q == 60 ? 12 : q == 61 ? 20 : 6) * f : 0;
            std::snprintf(linha, sizeof linha, "%04d-%02d-%02d %02d:%02d,%.1f\n", a, m, d, (q % 96) / 4, (q % 4) * 15, v);
            texto += linha;
        }
    const std::string simples = pasta.Grava("g.csv", texto);
    const std::string gz = simples + ".gz";
    ASSERT_EQ(std::system(("gzip -c '" + simples + "' > '" + gz + "'").c_str()), 0);
    const TSaida s = Roda({gz, "--bootstrap", "20", "--json"});
    ASSERT_EQ(s.Estado, 0) << s.Erros;
    EXPECT_TRUE(Tem(s.Saida, "\"intervalo_min\":15,\"razoes_medidas\":[{\"duracao_min\":1440,\"base_min\":\"dia\""))
        << s.Saida.substr(0, 300);
    const TSaida d = Roda({kBom, "--bootstrap", "0", "--desagregacao", gz, "--json"});
    ASSERT_EQ(d.Estado, 0) << d.Erros;
    EXPECT_TRUE(Tem(d.Saida, "\"desagregacao\":\"razões medidas no pluviógrafo g.csv.gz (12 anos)\"")) << d.Saida.substr(0, 300);
}
