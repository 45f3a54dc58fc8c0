// A station added to the data set in use: where it goes (the program's data
// folder, or the user's copy made when that folder cannot be written), the
// rebuilt data files, the backup, and a refused row that changes nothing.
#include <gtest/gtest.h>

#include <functional>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "database/BDPrecipitacao.h"
#include "database/DadosDoUsuario.h"
#include "database/MontagemDados.h"
#include "database/Estados.h"
#include "platform/Caminhos.h"
#include "platform/Erros.h"
#include "suporte/ArquivosDeTeste.h"

namespace {

constexpr int kMG = 12;
const char* const kEstacoes =
    "uf,nome,K,a,b,c,citacao,latitude,longitude\n"
    "MG,Belo Horizonte,1447.87,0.10,20.0,0.84,FULANO et al. (1999),\"19\xC2\xB0" "55'00\"\"\",\"43\xC2\xB0" "56'00\"\"\"\n";
const char* const kLocalidades = "uf,nome,latitude,longitude\nMG,Lavras,\"21\xC2\xB0" "14'43\"\"\",\"44\xC2\xB0" "59'59\"\"\"\n";
const char* const kNova =
    "MG,Ajustada,766.65,0.1384,9.791,0.7244,Ajuste ANA 01943011 (2026),\"19\xC2\xB0" "30'00\"\"\",\"43\xC2\xB0" "15'00\"\"\"";
// The same place as Belo Horizonte: the builder refuses it.
const char* const kRecusada =
    "MG,Outra,766.65,0.1384,9.791,0.7244,Ajuste ANA 01943011 (2026),\"19\xC2\xB0" "55'00\"\"\",\"43\xC2\xB0" "56'00\"\"\"";

struct TCaso {
    const char* Nome;
    bool PastaSomenteLeitura;   // the program's data folder cannot be written
    bool ConjuntoJaFeito;       // the user's data set exists before
    const char* Linha;
    bool Aceita;
    bool NoUsuario;             // the data set written is the user's
};

const TCaso kCasos[] = {
    {"pasta do programa gravável", false, false, kNova, true, false},
    {"pasta do programa só de leitura", true, false, kNova, true, true},
    {"conjunto do usuário já em uso", false, true, kNova, true, true},
    {"linha recusada pelo importador", false, false, kRecusada, false, false},
};

class TAdicaoAosDados : public ::testing::TestWithParam<TCaso> {};

std::size_t EstacoesEmMG(const std::string& pasta) {
    TBDPrecipitacao bd(pasta);
    bd.CarregaEstacoes();
    return bd.Estacoes[kMG].size();
}

// Runs `acao` as a user whom permission bits bind: in a child process as
// "nobody" when the test runs as root. 0: done; 1: an Exception; 2: could not switch.
int ComoUsuarioComum(const std::function<void()>& acao) {
    if (::geteuid() != 0) {
        try { acao(); } catch (const Exception&) { return 1; }
        return 0;
    }
    const passwd* ninguem = ::getpwnam("nobody");
    if (!ninguem) return 2;
    const pid_t filho = ::fork();
    if (filho == 0) {
        if (::setgid(ninguem->pw_gid) != 0 || ::setuid(ninguem->pw_uid) != 0) ::_exit(2);
        try { acao(); } catch (const Exception&) { ::_exit(1); }
        ::_exit(0);
    }
    int estado = 0;
    ::waitpid(filho, &estado, 0);
    return WIFEXITED(estado) ? WEXITSTATUS(estado) : 3;
}

TEST_P(TAdicaoAosDados, VaiParaOConjuntoEmUsoEGuardaOsAnteriores) {
    const TCaso& c = GetParam();
    TPastaTemporaria raiz;
    const std::string programa = raiz.Caminho("bin/"), dados = raiz.Caminho("Arquivos Comuns/");
    const std::string xdg = raiz.Caminho("xdg/"), usuario = xdg + "tormel21/";
    CriaPasta(programa);
    CriaPasta(dados);
    CriaPasta(xdg);
    raiz.Grava("Arquivos Comuns/estacoes.csv", kEstacoes);
    raiz.Grava("Arquivos Comuns/localidades.csv", kLocalidades);
    TEstacaoAdicionada e;
    e.LinhaCsv = c.Linha;
    e.Uf = "MG";
    e.Nome = "Ajustada";
    e.Citacao = "Ajuste ANA 01943011 (2026)";
    e.Descricao = "Registro 01943011, 27 anos, Gumbel por momentos";
    e.Intervalos = {{2, 5, 100, 120}, {2, 60, 40, 50}, {10, 5, 150, 180}, {10, 60, 43.68, 53.55}};
    // The shipped set: the data files built from its CSV files.
    ASSERT_TRUE(MontaDados(dados + "estacoes.csv", dados + "localidades.csv", dados).Erros.empty());
    if (c.ConjuntoJaFeito) {
        CriaPasta(usuario);
        for (const char* f : {"estacoes.csv", "localidades.csv", "Estados_Tor21.bin", "Localidades_Tor21.bin"})
            raiz.Grava("xdg/tormel21/" + std::string(f), LeArquivo(dados + f));
    }
    const std::string binAntes = LeArquivo(dados + "Estados_Tor21.bin"), csvAntes = LeArquivo(dados + "estacoes.csv");
    ASSERT_EQ(::setenv("XDG_DATA_HOME", xdg.c_str(), 1), 0);
    // Folders open to the user the child becomes; the data folder then only to read.
    for (const std::string& p : {raiz.Caminho(), programa, dados}) ::chmod(p.c_str(), 0755);
    ::chmod(xdg.c_str(), 0777);
    if (c.ConjuntoJaFeito) ::chmod(usuario.c_str(), 0777);
    for (const char* f : {"estacoes.csv", "localidades.csv", "Estados_Tor21.bin", "Localidades_Tor21.bin"})
        ::chmod((dados + f).c_str(), 0644);
    if (c.PastaSomenteLeitura) ::chmod(dados.c_str(), 0555);
    std::string escrita;
    int saida = 0;
    if (c.PastaSomenteLeitura) {
        saida = ComoUsuarioComum([&] { AdicionaAosDados(programa, e); });
        if (saida == 2) GTEST_SKIP() << "no user to run as";
    } else {
        try {
            escrita = AdicionaAosDados(programa, e);
        } catch (const EDadosInvalidos& erro) {
            saida = 1;
            EXPECT_NE(std::string(erro.what()).find("linha 3"), std::string::npos) << erro.what();
        }
    }
    ::chmod(dados.c_str(), 0755);
    ASSERT_EQ(saida, c.Aceita ? 0 : 1);
    const std::string conjunto = c.NoUsuario ? usuario : PastaDados(programa);
    EXPECT_EQ(PastaDadosEmUso(programa), conjunto);
    if (!escrita.empty()) EXPECT_EQ(escrita, conjunto);
    if (!c.Aceita) {
        EXPECT_EQ(LeArquivo(dados + "Estados_Tor21.bin"), binAntes);
        EXPECT_EQ(LeArquivo(dados + "estacoes.csv"), csvAntes);
        EXPECT_FALSE(ArquivoExiste(dados + "estacoes.csv.novo"));
        EXPECT_FALSE(ArquivoExiste(dados + "ajustes.csv"));
        return;
    }
    EXPECT_EQ(EstacoesEmMG(conjunto), 2u);
    EXPECT_EQ(LeArquivo(conjunto + "anterior/Estados_Tor21.bin"), binAntes);
    EXPECT_EQ(LeArquivo(conjunto + "anterior/estacoes.csv"), csvAntes);
    EXPECT_EQ(LeArquivo(conjunto + "estacoes.csv"), csvAntes + kNova + "\n");
    EXPECT_EQ(DescricaoDoAjuste(conjunto, e.Citacao), e.Descricao);
    const auto intervalos = IntervalosDoAjuste(conjunto, "MG", "Ajustada");
    ASSERT_EQ(intervalos.size(), 4u);
    EXPECT_DOUBLE_EQ(intervalos[3].Inferior, 43.68);
    EXPECT_DOUBLE_EQ(intervalos[3].Superior, 53.55);
    if (c.NoUsuario) {   // the shipped set is as it was
        EXPECT_EQ(LeArquivo(dados + "Estados_Tor21.bin"), binAntes);
        EXPECT_EQ(EstacoesEmMG(dados), 1u);
    }
    ::unsetenv("XDG_DATA_HOME");
}

INSTANTIATE_TEST_SUITE_P(Casos, TAdicaoAosDados, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::to_string(info.index); });

}  // namespace
