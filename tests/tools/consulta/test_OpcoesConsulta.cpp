// The command line: what it takes, and the usage errors that stop a run
// before any data is read.
#include <gtest/gtest.h>

#include "ErrosConsulta.h"
#include "OpcoesConsulta.h"

namespace {
using A = std::vector<std::string>;
TOpcoesConsulta Le(const A& a) { return TOpcoesConsulta::Le(a); }
}  // namespace

TEST(OpcoesConsulta, OnePointWithEveryOption) {
    const auto o = Le({"--formato", "int", "--negativos", "-19.925", "-43.9375", "--tr=2,10,2.33", "--duracoes",
                       "5,60", "--estacoes=3", "--dados", "/tmp/d", "-o", "out.txt", "--tarefas", "2"});
    EXPECT_TRUE(o.UmPonto);
    EXPECT_EQ("-19.925", o.Latitude);
    EXPECT_EQ("-43.9375", o.Longitude);
    EXPECT_EQ(',', o.Dialeto.Separador);
    EXPECT_EQ('.', o.Dialeto.Decimal);
    EXPECT_EQ(TLeitorCoordenada::Convencao::Negativos, o.Convencao);
    EXPECT_EQ((std::vector<double>{2, 10, 2.33}), o.Tr);
    EXPECT_EQ((std::vector<double>{5, 60}), o.Duracoes);
    EXPECT_TRUE(o.Estacoes);
    EXPECT_EQ(3u, o.MaxEstacoes);
    EXPECT_EQ("/tmp/d/", o.PastaDados);
    EXPECT_EQ("out.txt", o.Saida);
    EXPECT_EQ(2u, o.Tarefas);
}

TEST(OpcoesConsulta, Defaults) {
    const auto o = Le({"--entrada", "-"});
    EXPECT_FALSE(o.UmPonto);
    EXPECT_EQ("-", o.Entrada);
    EXPECT_EQ(';', o.Dialeto.Separador);
    EXPECT_EQ(',', o.Dialeto.Decimal);
    EXPECT_EQ(TLeitorCoordenada::Convencao::Positivos, o.Convencao);
    EXPECT_TRUE(o.Tr.empty());
    EXPECT_EQ("", o.PastaDados);
    EXPECT_EQ(0u, o.Tarefas);
    EXPECT_TRUE(Le({"--help"}).Ajuda);
    EXPECT_TRUE(Le({"x", "--version"}).Versao);   // answered whatever else is there
    // After "--" everything is a coordinate.
    EXPECT_EQ("--x", Le({"--", "1", "--x"}).Longitude);
}

TEST(OpcoesConsulta, UsageErrors) {
    const std::vector<A> ruins = {
        {},
        {"19.9"},
        {"1", "2", "3"},
        {"--entrada", "a.csv", "1", "2"},
        {"--entrada", "a.csv", "--estacoes"},
        {"1", "2", "--tr", "10"},
        {"1", "2", "--duracoes", "10"},
        {"1", "2", "--tr", "10,0", "--duracoes", "5"},
        {"1", "2", "--tr", "10,", "--duracoes", "5"},
        {"1", "2", "--tr", "2,5", "--duracoes", "5,-1"},
        {"1", "2", "--formato", "xx"},
        {"1", "2", "--formato"},
        {"1", "2", "--estacoes=0"},
        {"1", "2", "--tarefas", "0"},
        {"1", "2", "--negativos=sim"},
        {"1", "2", "--dados="},
        {"1", "2", "--inexistente"},
    };
    for (const auto& a : ruins) {
        std::string linha;
        for (const auto& s : a) linha += s + " ";
        EXPECT_THROW(Le(a), EUso) << linha;
    }
}
