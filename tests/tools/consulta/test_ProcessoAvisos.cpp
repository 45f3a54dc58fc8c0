// tormel21-consulta as a process: warnings for points far from the data,
// inputs that cannot be read, runs ended by a signal.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <thread>

#include "ExecucaoTeste.h"
#include "PastaDadosTeste.h"

namespace {

const std::vector<TEstacaoTeste> kEstacoes = {
    {12, "Belo Horizonte", "A (2001)", "19°55'30\"", "43°56'15\"", 1447.9, 0.1, 20, 0.84},
    {24, "São Paulo", "B (1999)", "23°32'51\"", "46°38'10\"", 3462.7, 0.172, 22, 1.025},
    {4, "Salvador", "C (2002)", "12°58'16\"", "38°30'39\"", 1000, 0.2, 10, 0.8},
};

bool Contem(const std::string& texto, const std::string& parte) { return texto.find(parte) != std::string::npos; }

// True once a name in the folder starts with `prefixo` and is not `exceto`.
bool EsperaNome(const std::string& pasta, const std::string& prefixo, const std::string& exceto) {
    for (int i = 0; i < 500; ++i) {
        for (const std::string& n : NomesNaPasta(pasta))
            if (n.rfind(prefixo, 0) == 0 && n != exceto) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

}  // namespace

// Far from every station or outside Brazil: the answer stands (status 0) and
// the warning goes to standard error; a station's own place has none.
TEST(ProcessoAvisos, FarPointsAreWarnedOfOnStandardError) {
    const TPastaDadosTeste pasta(kEstacoes);
    struct TCaso {
        std::vector<std::string> Ponto;
        std::string Aviso;   // empty: no warning
    };
    const std::vector<TCaso> casos = {
        {{"0", "0"}, "fora do Brasil"},                            // Gulf of Guinea
        {{"33", "70"}, "a estação mais próxima está a "},          // Chile: within the box, far from all
        {{"--negativos", "-33.5", "-20"}, "fora do Brasil"},       // the Atlantic
        {{"19°55'30\"", "43°56'15\""}, ""},                        // a station
    };
    for (const TCaso& c : casos) {
        std::vector<std::string> args = {"--dados", pasta.Pasta()};
        args.insert(args.end(), c.Ponto.begin(), c.Ponto.end());
        const auto r = RodaConsulta(pasta.Pasta(), args);
        SCOPED_TRACE(c.Ponto.back());
        EXPECT_EQ(0, r.Estado);
        EXPECT_TRUE(Contem(r.Saida, "\nK: ")) << r.Saida;
        if (c.Aviso.empty()) EXPECT_EQ("", r.Erros);
        else EXPECT_TRUE(Contem(r.Erros, "Atenção: ") && Contem(r.Erros, c.Aviso)) << r.Erros;
    }

    // A batch has the aviso column with or without --confianca, and says it
    // on standard error by line.
    for (bool confianca : {false, true}) {
        std::vector<std::string> args = {"--dados", pasta.Pasta(), "-e", "-", "--formato", "int"};
        if (confianca) args.push_back("--confianca");
        const auto r = RodaConsulta(pasta.Pasta(), args, "id,lat,lon\ng,0,0\nbh,19°55'30\",43°56'15\"\n");
        EXPECT_EQ(0, r.Estado) << r.Erros;
        const std::string cabecalho = r.Saida.substr(0, r.Saida.find('\n'));
        EXPECT_TRUE(cabecalho.ends_with(",aviso,erro")) << cabecalho;
        EXPECT_TRUE(Contem(r.Saida, "Atenção: o ponto fica fora do Brasil")) << r.Saida;
        EXPECT_TRUE(Contem(r.Erros, "linha 2 (g): Atenção: o ponto fica fora do Brasil")) << r.Erros;
        EXPECT_FALSE(Contem(r.Erros, "linha 3")) << r.Erros;
    }
}

// A folder or a file that fails on reading: a message, status 1, and -o's
// target untouched with no temporary file beside it.
TEST(ProcessoAvisos, InputThatCannotBeReadEndsCleanly) {
    const TPastaDadosTeste pasta(kEstacoes);
    const std::string destino = pasta.Arquivo("saida.csv", "antigo\n");
    const std::vector<std::pair<std::string, std::string>> casos = {
        {pasta.Pasta(), "é uma pasta"},
        {"/proc/self/mem", "Não foi possível ler /proc/self/mem ("},
    };
    const auto antes = NomesNaPasta(pasta.Pasta());
    for (const auto& [entrada, mensagem] : casos) {
        for (const std::string& saida : {destino, pasta.Pasta() + "saida.gpkg"}) {
            SCOPED_TRACE(entrada + " -> " + saida);
            const auto r = RodaConsulta(pasta.Pasta(), {"--dados", pasta.Pasta(), "-e", entrada, "-o", saida});
            EXPECT_EQ(1, r.Estado);
            EXPECT_TRUE(Contem(r.Erros, mensagem)) << r.Erros;
            EXPECT_EQ(antes, NomesNaPasta(pasta.Pasta()));
            EXPECT_EQ("antigo\n", TPastaDadosTeste::Le(destino));
        }
    }
}

// SIGINT, SIGTERM or SIGHUP while -o's temporary file exists: the program
// ends by that signal, the temporary file is gone, the target is as it was.
TEST(ProcessoAvisos, SignalsRemoveTheTemporaryFiles) {
    const TPastaDadosTeste pasta(kEstacoes);
    const std::string destino = pasta.Arquivo("saida.csv", "antigo\n");
    const std::string grade = pasta.Arquivo("grade.tif", "antiga\n");
    struct TCaso {
        std::vector<std::string> Argumentos;
        std::string Prefixo;   // of the temporary file waited for
        int Sinal;
    };
    const std::vector<TCaso> casos = {
        {{"-e", "-", "-o", destino}, "saida.csv.", SIGINT},        // waits on its input
        {{"-e", "-", "-o", destino}, "saida.csv.", SIGTERM},
        {{"--grade", grade, "--passo", "1", "--tarefas", "1"}, "grade.tmp", SIGTERM},   // hours of cells
        {{"--grade", grade, "--passo", "1", "--tarefas", "1"}, "grade.tmp", SIGHUP},
    };
    const auto antes = NomesNaPasta(pasta.Pasta());
    for (const TCaso& c : casos) {
        SCOPED_TRACE(c.Prefixo + " " + std::to_string(c.Sinal));
        std::vector<std::string> args = {"--dados", pasta.Pasta()};
        args.insert(args.end(), c.Argumentos.begin(), c.Argumentos.end());
        TConsultaEmCurso execucao(pasta.Pasta(), args);
        ASSERT_TRUE(EsperaNome(pasta.Pasta(), c.Prefixo, "saida.csv"));
        const auto r = execucao.Termina(c.Sinal);
        EXPECT_EQ(c.Sinal, r.Sinal) << r.Erros;
        auto depois = NomesNaPasta(pasta.Pasta());
        std::erase_if(depois, [](const std::string& n) { return n.starts_with("std"); });
        EXPECT_EQ(antes, depois);
        EXPECT_EQ("antigo\n", TPastaDadosTeste::Le(destino));
        EXPECT_EQ("antiga\n", TPastaDadosTeste::Le(grade));
    }
}
