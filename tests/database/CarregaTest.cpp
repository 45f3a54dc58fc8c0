#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "database/BDPrecipitacao.h"
#include "database/MontagemDados.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "suporte/ArquivosDeTeste.h"

namespace {

const AnsiString kLat = "19\xB0" "55'30\"";
const AnsiString kLon = "43\xB0" "56'15\"";

std::vector<std::vector<TEstacao>> BlocosDeEstacoes() {
    std::vector<std::vector<TEstacao>> blocos(27);
    blocos[0] = {Estacao("Rio Branco", 1, 0.1, 10, 0.7, kLat, kLon)};
    blocos[12] = {Estacao("Belo Horizonte   ", 1447.8712, 0.1, 20, 0.84, kLat, kLon, "PINHEIRO (1997)"),
                  Estacao(Ansi("Uberlândia"), 2, 0.2, 12, 0.8, kLat, kLon)};
    blocos[26] = {Estacao("Palmas", 3, 0.3, 13, 0.9, kLat, kLon)};
    return blocos;
}

void EsperaIgual(const TEstacao& a, const TEstacao& b) {
    EXPECT_EQ(a.Nome.Text(), b.Nome.Text());
    EXPECT_EQ(+a.K, +b.K);
    EXPECT_EQ(+a.a, +b.a);
    EXPECT_EQ(+a.b, +b.b);
    EXPECT_EQ(+a.c, +b.c);
    EXPECT_EQ(a.Autor.Text(), b.Autor.Text());
    EXPECT_EQ(a.Latitude.Text(), b.Latitude.Text());
    EXPECT_EQ(a.Longitude.Text(), b.Longitude.Text());
}

}  // namespace

TEST(PastaDados, ProgramFolderPlusTheRelativeDataFolder) {
    EXPECT_EQ(PastaDados("/opt/tormel/bin/"), "/opt/tormel/bin/../Arquivos Comuns/");
    TBDPrecipitacao bd(PastaDados("/opt/tormel/bin/"));
    EXPECT_EQ(bd.CaminhoEstacoes(), "/opt/tormel/bin/../Arquivos Comuns/Estados_Tor21.bin");
    EXPECT_EQ(bd.CaminhoLocalidades(), "/opt/tormel/bin/../Arquivos Comuns/Localidades_Tor21.bin");
    EXPECT_EQ(EstadosInterpolacao, (std::array<int, 8>{4, 7, 8, 12, 15, 18, 24, 26}));
}

TEST(CarregaEstacoes, LoadsEveryBlockInFileOrderWhateverTheLeadingByte) {
    TPastaTemporaria pasta;
    const auto blocos = BlocosDeEstacoes();
    for (unsigned char inicial : {0, 255}) {
        TBDPrecipitacao bd(pasta.Caminho());
        GravaArquivo(bd.CaminhoEstacoes(), MontaArquivo(blocos, inicial));
        bd.CarregaEstacoes();
        for (int s = 0; s < 27; ++s) {
            ASSERT_EQ(bd.Estacoes[s].size(), blocos[s].size()) << s;
            for (std::size_t i = 0; i < blocos[s].size(); ++i) EsperaIgual(bd.Estacoes[s][i], blocos[s][i]);
        }
        EXPECT_EQ(bd.Estacoes[12][0].Nome.Text(), "Belo Horizonte   ");   // kept as stored
        EXPECT_EQ(+bd.Estacoes[12][0].K, 1447.8712);

        // Only the pool's blocks: the others are passed over, not read.
        bd.CarregaEstacoesDaInterpolacao();
        for (int s = 0; s < 27; ++s) {
            const bool noPool = std::count(EstadosInterpolacao.begin(), EstadosInterpolacao.end(), s) > 0;
            ASSERT_EQ(bd.Estacoes[s].size(), noPool ? blocos[s].size() : 0u) << s;
            for (std::size_t i = 0; i < bd.Estacoes[s].size(); ++i) EsperaIgual(bd.Estacoes[s][i], blocos[s][i]);
        }
        EXPECT_EQ(bd.Pool().Tamanho(), 3u);
    }
}

TEST(CarregaEstacoes, FileOf55BytesGives27EmptyStates) {
    TPastaTemporaria pasta;
    TBDPrecipitacao bd(pasta.Caminho());
    const std::string dados = MontaArquivo(std::vector<std::vector<TEstacao>>{});
    ASSERT_EQ(dados.size(), 55u);
    GravaArquivo(bd.CaminhoEstacoes(), dados);
    TEstacoesPorEstado antes;
    antes[3].resize(2);   // whatever was there is replaced
    bd.DefineEstacoes(antes);
    bd.CarregaEstacoes();
    for (const auto& estado : bd.Estacoes) EXPECT_TRUE(estado.empty());
}

TEST(CarregaEstacoes, MissingFileNamesThePathAndChangesNothing) {
    TPastaTemporaria pasta;
    TBDPrecipitacao bd(pasta.Caminho() + "bin/../Arquivos Comuns/");
    TEstacoesPorEstado antes;
    antes[5].resize(1);
    bd.DefineEstacoes(antes);
    try {
        bd.CarregaEstacoes();
        FAIL();
    } catch (const EArquivoNaoExiste& e) {
        EXPECT_EQ(e.Message(), "O arquivo " + pasta.Caminho() + "bin/../Arquivos Comuns/Estados_Tor21.bin n\xE3o existe.");
    }
    EXPECT_EQ(bd.Estacoes[5].size(), 1u);
}

TEST(CarregaEstacoes, TruncatedFilesAreRejectedNamingTheBlockAndLeaveTheArraysAsTheyWere) {
    TPastaTemporaria pasta;
    TBDPrecipitacao bd(pasta.Caminho());
    const std::string inteiro = MontaArquivo(BlocosDeEstacoes());
    GravaArquivo(bd.CaminhoEstacoes(), inteiro);
    bd.CarregaEstacoes();

    // Offsets: byte 0, block 0 = 2 + 152 (ends at 155), blocks 1..11 = 2 bytes each (ends at 177),
    // block 12 = 2 + 304 (ends at 483).
    struct Caso { std::size_t tamanho; const char* bloco; };
    const Caso casos[] = {{0, nullptr}, {1, "0 (Acre)"}, {2, "0 (Acre)"}, {100, "0 (Acre)"}, {156, "1 (Alagoas)"},
                          {300, "12 (Minas Gerais)"}, {482, "12 (Minas Gerais)"}, {inteiro.size() - 1, "26 (Tocantins)"}};
    for (const Caso& c : casos) {
        GravaArquivo(bd.CaminhoEstacoes(), inteiro.substr(0, c.tamanho));
        try {
            bd.CarregaEstacoes();
            FAIL() << c.tamanho;
        } catch (const EDadosInvalidos& e) {
            EXPECT_NE(e.Message().find(bd.CaminhoEstacoes()), std::string::npos) << e.Message();
            if (c.bloco) EXPECT_NE(e.Message().find(std::string("bloco do estado ") + c.bloco), std::string::npos)
                << e.Message();
        }
        ASSERT_EQ(bd.Estacoes[12].size(), 2u);
        EXPECT_EQ(bd.Estacoes[26][0].Nome.Text(), "Palmas");
    }
}

TEST(CarregaEstacoes, FullCountBlocks) {
    // A count of 65535 is read as unsigned.
    TPastaTemporaria pasta;
    TBDPrecipitacao bd(pasta.Caminho());
    std::vector<std::vector<TEstacao>> blocos(27);
    blocos[24].assign(65535, Estacao("X", 1, 2, 3, 4, kLat, kLon));
    blocos[24].back().Nome.Assign("Ultima");
    GravaArquivo(bd.CaminhoEstacoes(), MontaArquivo(blocos));
    bd.CarregaEstacoes();
    ASSERT_EQ(bd.Estacoes[24].size(), 65535u);
    EXPECT_EQ(bd.Estacoes[24].back().Nome.Text(), "Ultima");
}

namespace {
std::vector<std::vector<TLocalidade>> BlocosDeLocalidades() {
    std::vector<std::vector<TLocalidade>> blocos(27);
    blocos[0] = {Localidade("Cruzeiro do Sul", kLat, kLon)};
    blocos[4] = {Localidade("Feira de Santana", kLat, kLon), Localidade("Salvador", kLat, kLon)};
    blocos[12] = {Localidade("Betim", kLat, kLon), Localidade("Contagem", kLat, kLon),
                  Localidade(Ansi("Ipatinga"), kLat, kLon)};
    blocos[26] = {Localidade(Ansi("Araguaína"), kLat, kLon)};
    return blocos;
}
}  // namespace

TEST(CarregaLocalidades, ReadsOnlyTheRequestedBlock) {
    TPastaTemporaria pasta;
    for (unsigned char inicial : {0, 255}) {
        TBDPrecipitacao bd(pasta.Caminho());
        GravaArquivo(bd.CaminhoLocalidades(), MontaArquivo(BlocosDeLocalidades(), inicial));
        bd.CarregaLocalidades(0);
        ASSERT_EQ(bd.Localidades.size(), 1u);
        EXPECT_EQ(bd.Localidades[0].Nome.Text(), "Cruzeiro do Sul");
        bd.CarregaLocalidades(26);
        ASSERT_EQ(bd.Localidades.size(), 1u);
        EXPECT_EQ(bd.Localidades[0].Nome.Text(), Ansi("Araguaína"));
        bd.CarregaLocalidades(4);
        bd.CarregaLocalidades(12);   // state 12 after state 4: only state 12's
        ASSERT_EQ(bd.Localidades.size(), 3u);
        EXPECT_EQ(bd.Localidades[0].Nome.Text(), "Betim");
        EXPECT_EQ(bd.Localidades[2].Nome.Text(), "Ipatinga");
        EXPECT_EQ(bd.Localidades[1].Latitude.Text(), kLat);
        EXPECT_EQ(bd.Localidades[1].Longitude.Text(), kLon);
        bd.CarregaLocalidades(5);    // count 0
        EXPECT_TRUE(bd.Localidades.empty());
    }
}

TEST(CarregaLocalidades, EmptyFileOf55BytesMissingFileAndBadIndex) {
    TPastaTemporaria pasta;
    TBDPrecipitacao bd(pasta.Caminho());
    GravaArquivo(bd.CaminhoLocalidades(), MontaArquivo(BlocosDeLocalidades()));
    bd.CarregaLocalidades(12);
    try {
        TBDPrecipitacao outro(pasta.Caminho() + "nada/");
        outro.Localidades.resize(2);
        outro.CarregaLocalidades(12);
        FAIL();
    } catch (const EArquivoNaoExiste& e) {
        EXPECT_EQ(e.Message(), "O arquivo " + pasta.Caminho() + "nada/Localidades_Tor21.bin n\xE3o existe.");
    }
    EXPECT_THROW(bd.CarregaLocalidades(27), ENumeroEstado);
    EXPECT_THROW(bd.CarregaLocalidades(-1), ENumeroEstado);

    GravaArquivo(bd.CaminhoLocalidades(), MontaArquivo(std::vector<std::vector<TLocalidade>>{}));
    for (int s = 0; s < 27; ++s) {
        bd.CarregaLocalidades(s);
        EXPECT_TRUE(bd.Localidades.empty()) << s;
    }
}

TEST(CarregaLocalidades, TruncatedFileIsRejectedAndNothingIsHalfLoaded) {
    TPastaTemporaria pasta;
    TBDPrecipitacao bd(pasta.Caminho());
    const std::string inteiro = MontaArquivo(BlocosDeLocalidades());
    // Block 0 ends at 1 + 2 + 89 = 92; blocks 1..3 at 98; block 4 at 98 + 2 + 178 = 278.
    GravaArquivo(bd.CaminhoLocalidades(), inteiro.substr(0, 200));
    bd.CarregaLocalidades(3);        // the blocks up to 3 are whole
    EXPECT_TRUE(bd.Localidades.empty());
    for (int estado : {4, 12, 26}) {
        try {
            bd.CarregaLocalidades(estado);
            FAIL();
        } catch (const EDadosInvalidos& e) {
            EXPECT_NE(e.Message().find(Ansi("bloco do estado 4 (Bahia)")), std::string::npos) << e.Message();
        }
        EXPECT_TRUE(bd.Localidades.empty());
    }
}

// The search's loader: every block at once, each as CarregaLocalidades gives
// it; Localidades untouched; a short file or a missing one refused.
TEST(LeTodasLocalidades, EveryBlockAsTheOneStateLoaderGivesIt) {
    TPastaTemporaria pasta;
    TBDPrecipitacao bd(pasta.Caminho());
    const std::string inteiro = MontaArquivo(BlocosDeLocalidades(), 255);
    GravaArquivo(bd.CaminhoLocalidades(), inteiro);
    bd.CarregaLocalidades(4);
    const auto todas = bd.LeTodasLocalidades();
    ASSERT_EQ(bd.Localidades.size(), 2u);
    const auto salvador = bd.Localidades[1];
    for (int s = 0; s < 27; ++s) {
        TBDPrecipitacao um(pasta.Caminho());
        um.CarregaLocalidades(s);
        ASSERT_EQ(todas[s].size(), um.Localidades.size()) << s;
        for (std::size_t i = 0; i < todas[s].size(); ++i) {
            EXPECT_EQ(todas[s][i].Nome.Text(), um.Localidades[i].Nome.Text());
            EXPECT_EQ(todas[s][i].Latitude.Text(), um.Localidades[i].Latitude.Text());
            EXPECT_EQ(todas[s][i].Longitude.Text(), um.Localidades[i].Longitude.Text());
        }
    }
    EXPECT_EQ(todas[26][0].Nome.Text(), Ansi("Araguaína"));

    // Cut inside the last block (Tocantins): the states before it were whole,
    // yet nothing is given.
    GravaArquivo(bd.CaminhoLocalidades(), inteiro.substr(0, inteiro.size() - 1));
    try {
        (void)bd.LeTodasLocalidades();
        FAIL();
    } catch (const EDadosInvalidos& e) {
        EXPECT_NE(e.Message().find("bloco do estado 26 (Tocantins)"), std::string::npos) << e.Message();
    }
    EXPECT_EQ(bd.Localidades[1].Nome.Text(), salvador.Nome.Text());
    TBDPrecipitacao semArquivo(pasta.Caminho() + "nada/");
    EXPECT_THROW((void)semArquivo.LeTodasLocalidades(), EArquivoNaoExiste);
}

// A station north of the equator: " N" after its latitude in the CSV, the
// record's text without it, the companion file naming it; a companion row
// that names no station of the file is refused with its line.
TEST(EstacoesAoNorte, WrittenByTheBuilderAndReadWithTheStations) {
    TPastaTemporaria pasta("norte_");
    const std::string dados = pasta.Caminho();
    // The same texts on both sides of the equator are two places.
    pasta.Grava("estacoes.csv",
                "uf,nome,K,a,b,c,citacao,latitude,longitude\n"
                "RR,Boa Vista,900,0.15,9.791,0.7244,\"ANA 00260001, 30 anos\",\"02°49'11\"\" N\",\"60°40'24\"\"\"\n"
                "RR,Caracaraí,900,0.15,9.791,0.7244,\"ANA 00161001, 30 anos\",\"01°49'00\"\" N\",\"61°07'00\"\"\"\n"
                "AM,Espelho,900,0.15,9.791,0.7244,\"ANA 00260002, 30 anos\",\"02°49'11\"\"\",\"60°40'24\"\"\"\n");
    pasta.Grava("localidades.csv", "uf,nome,latitude,longitude\n");
    const TMontagemDados m = MontaDados(dados + "estacoes.csv", dados + "localidades.csv", dados);
    for (const auto& e : m.Erros) ADD_FAILURE() << e.Texto();
    TBDPrecipitacao bd(dados);
    bd.CarregaEstacoes();
    ASSERT_EQ(bd.Estacoes[22].size(), 2u);
    EXPECT_EQ(bd.Estacoes[22][0].Latitude.Text(), "02\xB0" "49'11\"");
    EXPECT_TRUE(bd.AoNorte(22, 0));
    EXPECT_TRUE(bd.AoNorte(22, 1));
    EXPECT_FALSE(bd.AoNorte(3, 0));
    EXPECT_GT(bd.LatitudeComSinal(22, 0), 2.8);
    EXPECT_LT(bd.LatitudeComSinal(3, 0), -2.8);

    const struct { const char* texto; const char* erro; } ruins[] = {
        {"uf,posicao,nome\nRR,2,Boa Vista\n", "linha 2"},
        {"uf,posicao,nome\nRR,0,Caracaraí\n", "linha 2"},
        {"uf,posicao,nome\nRR,0,Boa Vista\nXX,0,Boa Vista\n", "linha 3"},
    };
    for (const auto& r : ruins) {
        pasta.Grava("EstacoesAoNorte_Tor21.csv", r.texto);
        try {
            bd.CarregaEstacoes();
            ADD_FAILURE() << r.texto;
        } catch (const EDadosInvalidos& e) {
            EXPECT_NE(std::string(e.what()).find(r.erro), std::string::npos) << e.what();
        }
        EXPECT_TRUE(bd.AoNorte(22, 0));   // a failed load leaves the stations as they were
    }
}
