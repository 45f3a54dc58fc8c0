// The CSV import: one test per kind of bad row, the order of the blocks, and
// a round trip CSV -> data files -> records read by the program's loader.
#include <gtest/gtest.h>

#include <algorithm>

#include "ArquivosDados.h"
#include "Importador.h"
#include "database/BDPrecipitacao.h"
#include "database/Colacao.h"
#include "platform/Cp1252.h"
#include "platform/Caminhos.h"
#include "platform/Erros.h"
#include "suporte/ArquivosDeTeste.h"

namespace {

const std::string CabecalhoEstacoes = "uf,nome,K,a,b,c,citacao,latitude,longitude\n";
const std::string CabecalhoLocalidades = "uf,nome,latitude,longitude\n";
const std::string Coords = R"("12°30'00""","40°10'20""")";

std::string Estacao(const std::string& uf, const std::string& nome, const std::string& params = "1200.5,0.15,10,0.8",
                    const std::string& citacao = "FULANO et al. (1999)", const std::string& coords = Coords) {
    return uf + "," + nome + "," + params + "," + citacao + "," + coords + "\n";
}

// Distinct positions (stations may not share one): seconds i of 12°30'.
std::string Em(int i) {
    const std::string ss = (i < 10 ? "0" : "") + std::to_string(i);
    return "\"12°30'" + ss + "\"\"\",\"40°10'20\"\"\"";
}

// Imports a station CSV and expects exactly one error, on that line and field.
TErroImportacao UmErro(const std::string& corpo, int linha, const std::string& campo) {
    TImportador imp;
    imp.LeEstacoes(CabecalhoEstacoes + corpo, "estacoes.csv");
    EXPECT_EQ(imp.Erros().size(), 1u);
    if (imp.Erros().empty()) return {};
    const auto& e = imp.Erros()[0];
    EXPECT_EQ(e.Arquivo, "estacoes.csv");
    EXPECT_EQ(e.Linha, linha);
    EXPECT_EQ(e.Campo, campo);
    return e;
}

size_t Total(const TBlocosEstacoes& b) {
    size_t n = 0;
    for (const auto& v : b) n += v.size();
    return n;
}

}  // namespace

TEST(ImportadorErros, EstadoDesconhecido) {
    auto e = UmErro(Estacao("SP", "Campinas") + Estacao("XX", "Lugar"), 3, "uf");
    EXPECT_NE(e.Motivo.find("XX"), std::string::npos);
    EXPECT_EQ(e.Texto().rfind("estacoes.csv, linha 3, campo uf: ", 0), 0u) << e.Texto();
    // Abbreviations are exact: lower case and full names are unknown too.
    TImportador imp;
    imp.LeEstacoes(CabecalhoEstacoes + Estacao("sp", "A") + Estacao("Bahia", "B"), "e.csv");
    EXPECT_EQ(imp.Erros().size(), 2u);
}

TEST(ImportadorErros, NomeLongoDemais) {
    // 68 cp1252 bytes fit; 69 do not. "ã" is two UTF-8 bytes but one cp1252 byte.
    std::string cabe = std::string(67, 'a') + "ã";
    TImportador ok;
    ok.LeEstacoes(CabecalhoEstacoes + Estacao("SP", cabe), "e.csv");
    EXPECT_TRUE(ok.Erros().empty());
    EXPECT_EQ(ok.Estacoes()[24].at(0).Nome.Len, 68);
    auto e = UmErro(Estacao("SP", cabe + "b"), 2, "nome");
    EXPECT_NE(e.Motivo.find("69"), std::string::npos) << e.Motivo;
}

TEST(ImportadorErros, NomeForaDoCp1252) {
    UmErro(Estacao("SP", "Cidade \xE2\x88\x9E"), 2, "nome");   // U+221E has no cp1252 byte
    UmErro(Estacao("SP", "Cidade \xC3"), 2, "nome");            // broken UTF-8
    UmErro(Estacao("SP", ""), 2, "nome");
    UmErro(Estacao("SP", "\"Duas\nlinhas\""), 2, "nome");   // a line break would break the list line
}

TEST(ImportadorErros, NomeRepetidoNoEstado) {
    // The same name in another state is fine; a repeat within a state would
    // make two list lines that cannot be told apart.
    TImportador imp;
    const std::string p = "1200.5,0.15,10,0.8", c = "FULANO et al. (1999)";
    imp.LeEstacoes(CabecalhoEstacoes + Estacao("SP", "Lins", p, c, Em(1)) + Estacao("PR", "Lins", p, c, Em(2)) +
                       Estacao("SP", "Lins", p, c, Em(3)),
                   "e.csv");
    ASSERT_EQ(imp.Erros().size(), 1u);
    EXPECT_EQ(imp.Erros()[0].Linha, 4);
    EXPECT_EQ(imp.Erros()[0].Campo, "nome");
}

TEST(ImportadorErros, CoordenadaMalFormada) {
    const char* ruins[] = {
        R"("12°30'00")",      // no closing double quote
        R"("12.5")",          // decimal degrees
        R"("1°30'00""")",     // one-digit degrees
        R"("12°60'00""")",    // 60 minutes
        R"("12°30'75""")",    // 75 seconds
        R"("12o30'00""")",    // letter instead of the degree sign
        R"("-12°30'00""")",   // signed
        R"("")",              // empty
    };
    for (const char* r : ruins) {
        SCOPED_TRACE(r);
        UmErro(Estacao("BA", "Lugar", "1200,0.15,10,0.8", "BELTRANO et al. (2002)", std::string(r) + R"(,"40°10'20""")"),
               2, "latitude");
        UmErro(Estacao("BA", "Lugar", "1200,0.15,10,0.8", "BELTRANO et al. (2002)", R"("12°30'00""",)" + std::string(r)),
               2, "longitude");
    }
}

TEST(ImportadorErros, ParametroNegativo) {
    auto e = UmErro(Estacao("SP", "A", "1200,-0.15,10,0.8"), 2, "a");
    EXPECT_NE(e.Motivo.find("negativo"), std::string::npos);
    UmErro(Estacao("SP", "A", "-0,0.15,10,0.8"), 2, "K");
    UmErro(Estacao("SP", "A", "1200,0.15,10,-1e-9"), 2, "c");
}

TEST(ImportadorErros, ParametroNaoNumerico) {
    UmErro(Estacao("SP", "A", "1200,0.15,dez,0.8"), 2, "b");
    UmErro(Estacao("SP", "A", "\"1200,5\",0.15,10,0.8"), 2, "K");   // decimal comma
    UmErro(Estacao("SP", "A", "1200,0.15,10,"), 2, "c");
    UmErro(Estacao("SP", "A", "1200,0.15,10,nan"), 2, "c");
    UmErro(Estacao("SP", "A", "1200,0.15x,10,0.8"), 2, "a");
}

TEST(ImportadorErros, CitacaoForaDaTabela) {
    auto e = UmErro(Estacao("SP", "A", "1200,0.15,10,0.8", "FULANO et al. (2000)"), 2, "citacao");
    EXPECT_NE(e.Motivo.find("FULANO et al. (2000)"), std::string::npos);
    UmErro(Estacao("SP", "A", "1200,0.15,10,0.8", "fulano et al. (1999)"), 2, "citacao");
    UmErro(Estacao("SP", "A", "1200,0.15,10,0.8", "Interpolação"), 2, "citacao");
}

TEST(ImportadorErros, CitacaoDeUmAjusteDoUsuario) {
    TImportador imp;
    imp.LeEstacoes(CabecalhoEstacoes + Estacao("SP", "A", "1200,0.15,10,0.8", "Ajuste ANA 01943011 (2026)"), "e.csv");
    EXPECT_TRUE(imp.Erros().empty());
    UmErro(Estacao("SP", "A", "1200,0.15,10,0.8", "Ajuste ANA 01943011 de 1941 a 1971"), 2, "citacao");   // 34 bytes
}

TEST(ImportadorErros, LinhaComCamposDeMaisOuDeMenos) {
    UmErro("SP,A,1200,0.15,10,0.8,FULANO et al. (1999),\"12°30'00\"\"\"\n", 2, "");
    TImportador imp;
    imp.LeLocalidades(CabecalhoLocalidades + "SP,A,\"12°30'00\"\"\",\"40°10'20\"\"\",extra\n", "l.csv");
    ASSERT_EQ(imp.Erros().size(), 1u);
    EXPECT_EQ(imp.Erros()[0].Texto(), "l.csv, linha 2: esperados 4 campos, encontrados 5");
}

TEST(ImportadorErros, CabecalhoErradoOuAspasAbertas) {
    TImportador imp;
    imp.LeEstacoes("uf,nome,K,a,b,c,autor,latitude,longitude\n" + Estacao("SP", "A"), "e.csv");
    ASSERT_EQ(imp.Erros().size(), 1u);
    EXPECT_EQ(imp.Erros()[0].Linha, 1);
    EXPECT_EQ(Total(imp.Estacoes()), 0u);

    TImportador aberto;
    aberto.LeLocalidades(CabecalhoLocalidades + "SP,Itu,\"23°15'52\"\"\",\"47°17'57\"\"\"\nSP,\"Sem fim,12°30'00,x\n", "l.csv");
    ASSERT_EQ(aberto.Erros().size(), 1u);
    EXPECT_EQ(aberto.Erros()[0].Linha, 3);
    EXPECT_EQ(aberto.Localidades()[24].size(), 1u);   // the row before it is kept
}

TEST(ImportadorErros, TodosOsErrosSaoRelatadosEBloqueiamAGravacao) {
    TImportador imp;
    imp.LeEstacoes(CabecalhoEstacoes + Estacao("ZZ", "A") + Estacao("SP", "B", "x,-1,y,0.8") + Estacao("SP", "C"), "e.csv");
    imp.LeLocalidades(CabecalhoLocalidades + "BA,Feira,12°30'00,40°10'20\n", "l.csv");
    // uf; K, a, b; both coordinates of the locality.
    ASSERT_EQ(imp.Erros().size(), 6u);
    EXPECT_EQ(Total(imp.Estacoes()), 1u);   // only the good row
    try {
        imp.VerificaSemErros();
        FAIL() << "no error raised";
    } catch (const EDadosInvalidos& e) {
        std::string m = e.what();
        EXPECT_NE(m.find("e.csv, linha 2, campo uf"), std::string::npos) << m;
        EXPECT_NE(m.find("e.csv, linha 3, campo b"), std::string::npos) << m;
        EXPECT_NE(m.find("l.csv, linha 2, campo longitude"), std::string::npos) << m;
    }
}

TEST(ImportadorOrdem, BlocosSeguemAColacaoDasListas) {
    TImportador imp;
    const std::string p = "1200.5,0.15,10,0.8", c = "FULANO et al. (1999)";
    imp.LeEstacoes(CabecalhoEstacoes + Estacao("MG", "Uberaba", p, c, Em(1)) +
                       Estacao("MG", "águas Formosas", p, c, Em(2)) + Estacao("MG", "Abaeté", p, c, Em(3)) +
                       Estacao("MG", "Zona", p, c, Em(4)) + Estacao("MG", "Ábaco", p, c, Em(5)) +
                       Estacao("MG", "abadia", p, c, Em(6)),
                   "e.csv");
    ASSERT_TRUE(imp.Erros().empty());
    const auto estacoes = imp.Estacoes();
    const auto& mg = estacoes[12];
    ASSERT_EQ(mg.size(), 6u);
    for (size_t i = 1; i < mg.size(); ++i)
        EXPECT_LT(ComparaNomes(mg[i - 1].Nome.Text(), mg[i].Nome.Text()), 0)
            << Utf8(mg[i - 1].Nome.Text()) << " / " << Utf8(mg[i].Nome.Text());
    // Accents and case do not put a name at the end of the list.
    EXPECT_EQ(Utf8(mg.back().Nome.Text()), "Zona");
}

TEST(ImportadorIdaEVolta, CsvArquivosRegistros) {
    TImportador imp;
    imp.LeEstacoes("\xEF\xBB\xBF# comment line\r\n" + CabecalhoEstacoes +
                       "TO,Palmas,2150.75,0.1834,21.5,0.9123,BELTRANO et al. (2003),\"10°11'04\"\"\",\"48°20'01\"\"\"\r\n"
                       "SP,\"São Paulo, capital\",3500.1234,0.2,15.25,0.85,IFDEMO (2001),\"23°32'51\"\"\",\"46°38'10\"\"\"\n"
                       "AC,Rio Branco,1000,0.1,5,0.65,SICRANO e ZUTANO (1982),\"09°58'28\"\"\",\"67°48'36\"\"\"\n",
                   "e.csv");
    imp.LeLocalidades(CabecalhoLocalidades + "SP,Itu,\"23°15'52\"\"\",\"47°17'57\"\"\"\nSP,Ibiúna,\"23°39'24\"\"\",\"47°13'21\"\"\"\n",
                      "l.csv");
    ASSERT_TRUE(imp.Erros().empty()) << imp.Erros()[0].Texto();

    const TPastaTemporaria pasta("tormel_dados_");
    const std::string p = pasta.Caminho();
    std::string bytes = TArquivosDados::Estacoes(imp.Estacoes());
    EXPECT_EQ(bytes.size(), 1 + 27 * 2 + 3 * 152u);
    TArquivosDados::Grava(p + TArquivosDados::NomeEstacoes, bytes);
    TArquivosDados::Grava(p + TArquivosDados::NomeLocalidades, TArquivosDados::Localidades(imp.Localidades()));

    TBDPrecipitacao bd(p);
    bd.CarregaEstacoes();
    ASSERT_EQ(bd.Estacoes[26].size(), 1u);
    ASSERT_EQ(bd.Estacoes[24].size(), 1u);
    ASSERT_EQ(bd.Estacoes[0].size(), 1u);
    const TEstacao& sp = bd.Estacoes[24][0];
    EXPECT_EQ(sp.Nome.Text(), Ansi("São Paulo, capital"));
    EXPECT_DOUBLE_EQ(sp.K, 3500.1234);
    EXPECT_DOUBLE_EQ(sp.a, 0.2);
    EXPECT_DOUBLE_EQ(sp.b, 15.25);
    EXPECT_DOUBLE_EQ(sp.c, 0.85);
    EXPECT_EQ(sp.Autor.Text(), "IFDEMO (2001)");
    EXPECT_EQ(sp.Latitude.Text(), "23\xB0" "32'51\"");
    EXPECT_EQ(sp.Longitude.Text(), "46\xB0" "38'10\"");
    EXPECT_EQ(Utf8(bd.Estacoes[26][0].Nome.Text()), "Palmas");
    EXPECT_EQ(bd.Estacoes[26][0].Autor.Text(), "BELTRANO et al. (2003)");

    bd.CarregaLocalidades(24);
    ASSERT_EQ(bd.Localidades.size(), 2u);
    EXPECT_EQ(Utf8(bd.Localidades[0].Nome.Text()), "Ibiúna");   // sorted
    EXPECT_EQ(Utf8(bd.Localidades[1].Nome.Text()), "Itu");
    EXPECT_EQ(bd.Localidades[1].Latitude.Text(), "23\xB0" "15'52\"");
    bd.CarregaLocalidades(4);
    EXPECT_TRUE(bd.Localidades.empty());
}

TEST(ImportadorIdaEVolta, ArquivoVazioTemVinteESeteBlocosVazios) {
    TBlocosEstacoes vazio;
    std::string b = TArquivosDados::Estacoes(vazio);
    EXPECT_EQ(b, std::string(55, '\0'));
    TBlocosLocalidades grande;
    grande[3].resize(65536);
    EXPECT_THROW(TArquivosDados::Localidades(grande), EDadosInvalidos);
    grande[3].resize(65535);
    std::string g = TArquivosDados::Localidades(grande);
    EXPECT_EQ(static_cast<unsigned char>(g[1 + 3 * 2]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(g[1 + 3 * 2 + 1]), 0xFF);
}

// Places that cannot be: outside Brazil or a second station at one position
// are refused; outside the state's bounds (a state with a map) is a warning,
// an error when strict; names equal but for case and accents are a warning.
TEST(ImportadorLugares, ImpossiveisRecusadosEDuvidososAvisados) {
    const std::string p = "1200.5,0.15,10,0.8", c = "FULANO et al. (1999)";
    const std::string manaus = R"("03°06'07""","60°01'30""")", saoPaulo = R"("23°32'51""","46°38'10""")";
    struct TCaso {
        std::string Corpo;
        bool Estrito;
        std::vector<std::string> Erros, Avisos;   // "linha:campo"
    };
    const std::vector<TCaso> casos = {
        {Estacao("AM", "Norte", p, c, R"("99°59'59""","60°00'00""")"), false, {"2:latitude"}, {}},
        {Estacao("RS", "Mar", p, c, R"("34°30'00""","52°00'00""")"), false, {"2:latitude"}, {}},
        {Estacao("AM", "Manaus", p, c, manaus), false, {}, {}},
        {Estacao("SP", "Manaus", p, c, manaus), false, {}, {"2:latitude"}},
        {Estacao("SP", "Manaus", p, c, manaus), true, {"2:latitude"}, {}},
        {Estacao("SP", "A", p, c, saoPaulo) + Estacao("SP", "B", p, c, saoPaulo) + Estacao("RJ", "C", p, c, saoPaulo),
         false, {"3:latitude", "4:latitude"}, {"4:latitude"}},
        {Estacao("SP", "São Paulo", p, c, Em(1)) + Estacao("SP", "São paulo", p, c, Em(2)) +
             Estacao("SP", "Sao Paulo", p, c, Em(3)) + Estacao("RJ", "Sao Paulo", p, c, Em(4)),
         false, {}, {"2:latitude", "3:latitude", "3:nome", "4:latitude", "4:nome", "5:latitude"}},
    };
    auto lista = [](const std::vector<TErroImportacao>& v) {
        std::vector<std::string> r;
        for (const auto& e : v) r.push_back(std::to_string(e.Linha) + ":" + e.Campo);
        std::sort(r.begin(), r.end());
        return r;
    };
    for (const TCaso& caso : casos) {
        SCOPED_TRACE(caso.Corpo);
        TImportador imp;
        imp.Estrito(caso.Estrito);
        imp.LeEstacoes(CabecalhoEstacoes + caso.Corpo, "e.csv");
        EXPECT_EQ(caso.Erros, lista(imp.Erros()));
        EXPECT_EQ(caso.Avisos, lista(imp.Avisos()));
    }
}

// With the states' outlines: a station of a state with a map is checked
// against its outline, one of another state against the outline's extent.
TEST(ImportadorLugares, ContornoEExtensaoDoEstado) {
    const TContornosEstados contornos(LeArquivo(TORMEL_SOURCE_DIR "/data/contornos.csv"));
    const std::string p = "1200.5,0.15,10,0.8", c = "FULANO et al. (1999)";
    struct TCaso {
        std::string Corpo;
        bool Estrito;
        std::size_t Erros, Avisos;
    };
    const std::vector<TCaso> casos = {
        {Estacao("SP", "Capital", p, c, R"("23°32'51""","46°38'10""")"), false, 0, 0},
        // Varginha (MG), inside the box of São Paulo's map, outside its outline.
        {Estacao("SP", "Varginha", p, c, R"("21°33'05""","45°25'48""")"), false, 0, 1},
        {Estacao("SP", "Varginha", p, c, R"("21°33'05""","45°25'48""")"), true, 1, 0},
        {Estacao("GO", "Goiânia", p, c, R"("16°40'43""","49°15'14""")"), false, 0, 0},
        {Estacao("GO", "Salvador", p, c, R"("12°58'16""","38°30'39""")"), false, 0, 1},   // Goiás has no map
    };
    for (const TCaso& caso : casos) {
        SCOPED_TRACE(caso.Corpo);
        TImportador imp;
        imp.Estrito(caso.Estrito);
        imp.Contornos(&contornos);
        imp.LeEstacoes(CabecalhoEstacoes + caso.Corpo, "e.csv");
        EXPECT_EQ(caso.Erros, imp.Erros().size());
        EXPECT_EQ(caso.Avisos, imp.Avisos().size());
    }
}
