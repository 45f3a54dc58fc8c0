// The road from a network's annual maxima to station rows: screening, the
// low-outlier test, names and citations, a northern station, and the shipped
// rows regenerated from the tables of a sample of their stations.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "ajuste/GrubbsBeck.h"
#include "ajuste/RedeNacional.h"
#include "database/Citacoes.h"
#include "platform/Caminhos.h"
#include "platform/Erros.h"

namespace {

const std::string kAna = TORMEL_DADOS_ANA;

// A lognormal-like series with a known spread (fixed seed).
std::vector<double> Serie(std::size_t n, double mediana, std::uint64_t semente) {
    std::mt19937_64 g(semente);
    std::normal_distribution<double> z(0, 0.15);
    std::vector<double> v;
    for (std::size_t i = 0; i < n; ++i) v.push_back(std::round(mediana * std::pow(10.0, z(g)) * 10) / 10);
    return v;
}

TEST(GrubbsBeck, PlantedLowValuesAreFoundAndACleanSeriesKeepsAll) {
    // Planted values far below a series about 100 mm are always found; once
    // several are, the inward sweep may take the next natural ones with them.
    const struct {
        std::size_t n;
        std::vector<double> plantados;
        std::size_t minimo, maximo;
    } casos[] = {
        {40, {}, 0, 0},
        {40, {2.0}, 1, 1},
        {30, {30.0}, 1, 1},
        {40, {1.5, 3.0, 4.0}, 3, 5},
        {80, {6.0, 8.0}, 2, 4},
    };
    for (const auto& c : casos) {
        std::vector<double> v = Serie(c.n, 100, c.n);
        v.insert(v.end(), c.plantados.begin(), c.plantados.end());
        const TTesteBaixos t = GrubbsBeckMultiplo(v);
        EXPECT_GE(t.Quantos, c.minimo) << c.n << " + " << c.plantados.size();
        EXPECT_LE(t.Quantos, c.maximo) << c.n << " + " << c.plantados.size();
        for (double p : c.plantados) EXPECT_LT(p, t.Limiar);
    }
    // The simulated quantiles: at the 10% level w_1 is well below zero and
    // above its 0.5% quantile.
    const TQuantisGrubbsBeck& q = QuantisGrubbsBeck(40);
    ASSERT_EQ(q.Q10.size(), 20u);
    EXPECT_LT(q.Q005[0], q.Q10[0]);
    EXPECT_LT(q.Q10[0], -1.0);
    EXPECT_GT(LimiarAltoGrubbsBeck(Serie(40, 100, 3)), 150);
}

// A table of four stations written here, and their inventory.
struct TTabela {
    std::string maximos = "\"Date\",\"Pdmax\",\"Estacao_codigo\"\n";
    std::string inventario =
        "station_code,station_name,station_type,state_code,municipality,latitude,longitude\n";
    void Estacao(const std::string& codigo, const std::string& nome, const std::string& uf, const std::string& municipio,
                 double lat, double lon, const std::vector<double>& valores, int ano0 = 1970) {
        for (std::size_t i = 0; i < valores.size(); ++i) {
            std::ostringstream l;
            l << "\"01/10/" << ano0 + static_cast<int>(i) << "\"," << valores[i] << "," << std::stoi(codigo) << "\n";
            maximos += l.str();
        }
        std::ostringstream l;
        l.precision(10);
        l << codigo << "," << nome << ",Pluviometrica," << uf << "," << municipio << "," << lat << "," << lon << "\n";
        inventario += l.str();
    }
};

TEST(RedeNacional, ScreeningNamesCitationsAndTheNorth) {
    TTabela t;
    std::vector<double> a = Serie(30, 90, 1), b = Serie(30, 110, 2), c = Serie(26, 95, 3), d = Serie(30, 100, 4);
    a[3] = 0;         // 1973: zero
    a[5] = 1999.8;    // 1975: above the physical limit
    a[7] = 999.9;     // 1977: the missing-value code
    a[9] = 612.4;     // 1979: the same odd value at two stations in one year
    b[9] = 612.4;
    b[12] = 2.1;      // 1982: a low outlier
    a[11] = 350.0;    // 1981: kept and flagged
    b[20] = 700.0;    // 1990: beyond five times the station's median
    c[0] = 0;         // 25 usable years left: one short of 26
    t.Estacao("02345006", "SALTO GRANDE", "SP", "ITARARÉ", -23.6, -49.1, a);
    t.Estacao("02345007", "SALTO GRANDE", "SP", "ITARARÉ", -23.7, -49.2, b);
    t.Estacao("02345008", "FAZENDA SÃO JOÃO II", "MG", "SÃO JOÃO DEL REI", -21.1, -44.2, c);
    t.Estacao("00260001", "BOA VISTA", "RR", "BOA VISTA", 2.82, -60.67, d);
    TOpcoesRede o;
    o.MinimoDeAnos = 26;
    o.Bootstrap = 20;
    o.ReplicasAderencia = 20;
    o.Tarefas = 2;
    const TRedeAjustada r = AjustaRedeDoTexto(t.maximos, t.inventario, o);

    std::map<std::pair<std::string, int>, std::string> removidos;
    for (const auto& v : r.Removidos) removidos[{v.Codigo, v.Ano}] = v.Motivo;
    const struct { const char* codigo; int ano; const char* motivo; } casos[] = {
        {"02345006", 1973, "zero"},
        {"02345006", 1975, "acima de 1000,0 mm"},
        {"02345006", 1977, "código de erro (999"},
        {"02345006", 1979, "código de erro (o mesmo valor em 2 estações no ano 1979)"},
        {"02345007", 1979, "código de erro (o mesmo valor em 2 estações"},
        {"02345007", 1982, "baixo atípico pelo teste de Grubbs-Beck múltiplo"},
        {"02345007", 1990, "mais de 5 vezes a mediana dos outros máximos da estação"},
        {"02345008", 1970, "zero"},
    };
    for (const auto& k : casos) {
        const auto it = removidos.find({k.codigo, k.ano});
        ASSERT_NE(it, removidos.end()) << k.codigo << " " << k.ano;
        EXPECT_EQ(it->second.rfind(k.motivo, 0), 0u) << it->second;
    }
    EXPECT_EQ(removidos.size(), std::size(casos));
    ASSERT_EQ(r.Sinalizados.size(), 1u);
    EXPECT_EQ(r.Sinalizados[0].Ano, 1981);

    ASSERT_EQ(r.Deixadas.size(), 1u);
    EXPECT_EQ(r.Deixadas[0].Codigo, "02345008");
    ASSERT_EQ(r.Estacoes.size(), 3u);
    std::map<std::string, const TEstacaoRede*> porCodigo;
    for (const auto& e : r.Estacoes) porCodigo[e.Codigo] = &e;
    // Equal names in one state carry their codes; the citation counts the years used.
    EXPECT_EQ(porCodigo["02345006"]->Nome, "Salto Grande (Itararé) - 02345006");
    EXPECT_EQ(porCodigo["02345006"]->Dados.Citacao, "ANA 02345006, 26 anos");
    EXPECT_TRUE(CitacaoDaRedeNacional(porCodigo["02345006"]->Dados.Citacao.c_str()));
    EXPECT_EQ(porCodigo["00260001"]->Nome, "Boa Vista");
    EXPECT_NE(porCodigo["02345006"]->Dados.Descricao.find("1979 (612,4 mm: código de erro"), std::string::npos);
    EXPECT_EQ(porCodigo["02345006"]->Dados.Intervalos.size(), 8u * 12u);

    // The rows: the northern latitude keeps its hemisphere.
    const TCsvsRede csv = CsvsDaRede(r);
    EXPECT_NE(csv.Estacoes.find("RR,Boa Vista,"), std::string::npos);
    EXPECT_NE(csv.Estacoes.find("\"02°49'12\"\" N\""), std::string::npos) << csv.Estacoes;
    EXPECT_EQ(NomeProprio("RIO DAS VELHAS - SANTA LUZIA DE D'ÁGUA"), "Rio das Velhas - Santa Luzia de d'Água");
}

TEST(RedeNacional, BadTablesAreRefusedWithTheirLines) {
    const struct { const char* maximos; const char* inventario; const char* mensagem; } casos[] = {
        {"Date,Pdmax\n", "station_code,station_name,state_code,municipality,latitude,longitude\n",
         "coluna \"Estacao_codigo\" ausente"},
        {"Date,Pdmax,Estacao_codigo\n31/02/1990,50,123\n",
         "station_code,station_name,state_code,municipality,latitude,longitude\n00000123,X,SP,Y,-23,-46\n",
         "m.csv, linha 2, campo Date"},
        {"Date,Pdmax,Estacao_codigo\n01/10/1990,50,123\n01/08/1990,60,123\n",
         "station_code,station_name,state_code,municipality,latitude,longitude\n00000123,X,SP,Y,-23,-46\n",
         "repete o da linha 2"},
        {"Date,Pdmax,Estacao_codigo\n01/10/1990,50,124\n",
         "station_code,station_name,state_code,municipality,latitude,longitude\n00000123,X,SP,Y,-23,-46\n",
         "00000124 dos máximos não está no inventário"},
    };
    for (const auto& c : casos) {
        try {
            AjustaRedeDoTexto(c.maximos, c.inventario, {}, "m.csv", "i.csv");
            ADD_FAILURE() << c.mensagem;
        } catch (const EDadosInvalidos& e) {
            EXPECT_NE(std::string(e.what()).find(c.mensagem), std::string::npos) << e.what();
        }
    }
}

// The shipped rows of a sample of stations across the states, regenerated
// from their own lines of the two tables, are the committed rows to the byte.
TEST(RedeNacional, TheShippedRowsComeBackFromTheTables) {
    TOpcoesRede o;
    const TRedeAjustada r = AjustaRedeDoTexto(LeArquivo(kAna + "/maximos_amostra.csv"),
                                              LeArquivo(kAna + "/inventario_amostra.csv"), o);
    const TCsvsRede novo = CsvsDaRede(r);
    const std::string dados = TORMEL_DADOS_PROJETO;
    for (const auto& [gerado, arquivo] : {std::pair{&novo.Estacoes, "estacoes.csv"}, std::pair{&novo.Ajustes, "ajustes.csv"},
                                          std::pair{&novo.Intervalos, "intervalos.csv"}}) {
        const std::string entregue = LeArquivo(dados + "/" + arquivo);
        std::istringstream linhas(*gerado);
        std::string linha;
        std::size_t n = 0;
        std::getline(linhas, linha);   // the header, or the first comment line
        while (std::getline(linhas, linha)) {
            if (linha.empty() || linha[0] == '#' || linha.rfind("uf,", 0) == 0) continue;
            EXPECT_NE(entregue.find("\n" + linha + "\n"), std::string::npos) << arquivo << ": " << linha.substr(0, 120);
            ++n;
        }
        EXPECT_GE(n, 20u) << arquivo;
    }
    std::set<std::string> estados;
    for (const auto& e : r.Estacoes) estados.insert(e.Uf);
    EXPECT_GE(estados.size(), 15u);
}

}  // namespace
