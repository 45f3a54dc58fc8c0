// The command line: what it takes, and the usage errors that stop a run
// before any data is read.
#include <gtest/gtest.h>

#include "ErrosConsulta.h"
#include "OpcoesConsulta.h"

using A = std::vector<std::string>;

TEST(OpcoesConsulta, OnePointWithOptionsAndBatchDefaults) {
    const auto o = TOpcoesConsulta::Le({"--formato", "int", "--negativos", "-19.925", "-43.9375", "--tr=2,2.33",
                                        "--duracoes", "5,60", "--estacoes=3", "--dados", "/tmp/d", "--tarefas", "2"});
    EXPECT_TRUE(o.UmPonto);
    EXPECT_EQ("-19.925", o.Latitude);   // a negative number is a coordinate, not an option
    EXPECT_EQ(',', o.Dialeto.Separador);
    EXPECT_EQ(TLeitorCoordenada::Convencao::Negativos, o.Convencao);
    EXPECT_EQ((std::vector<double>{2, 2.33}), o.Tr);
    EXPECT_EQ(3u, o.MaxEstacoes);
    EXPECT_EQ("/tmp/d/", o.PastaDados);
    const auto lote = TOpcoesConsulta::Le({"--entrada", "-"});
    EXPECT_FALSE(lote.UmPonto);
    EXPECT_EQ(';', lote.Dialeto.Separador);
    EXPECT_EQ(',', lote.Dialeto.Decimal);
    EXPECT_EQ(TLeitorCoordenada::Convencao::Positivos, lote.Convencao);
}

TEST(OpcoesConsulta, DesignStormAndInverseQuestions) {
    const auto o = TOpcoesConsulta::Le({"1", "2", "--tr", "10", "--duracao-altura", "50,80", "--hietograma",
                                        "10,120,10,0", "--tr-evento", "60,80"});
    EXPECT_TRUE(o.Duracoes.empty());   // --tr alone serves the inverse questions
    EXPECT_EQ((std::vector<double>{50, 80}), o.AlturasAlvo);
    ASSERT_TRUE(o.Hietograma && o.Evento);
    EXPECT_EQ(0, o.Hietograma->Pico);
    EXPECT_EQ(10, o.Hietograma->Passo);
    EXPECT_EQ(80, o.Evento->Altura);
    EXPECT_EQ(0.5, TOpcoesConsulta::Le({"1", "2", "--hietograma", "10,120,10"}).Hietograma->Pico);
}

TEST(OpcoesConsulta, UsageErrors) {
    const std::vector<A> ruins = {
        {}, {"19.9"}, {"1", "2", "3"}, {"-e", "a.csv", "1", "2"}, {"-e", "a.csv", "--estacoes"},
        {"1", "2", "--tr", "10"}, {"1", "2", "--tr", "10,0", "--duracoes", "5"},
        {"1", "2", "--tr", "10,", "--duracoes", "5"}, {"1", "2", "--tr", "2", "--duracoes", "5,-1"},
        {"1", "2", "--formato", "xx"}, {"1", "2", "--formato"}, {"1", "2", "--estacoes=0"},
        {"1", "2", "--tarefas", "0"}, {"1", "2", "--negativos=sim"}, {"1", "2", "--dados="}, {"1", "2", "--x"},
        {"1", "2", "--hietograma", "10,120"}, {"1", "2", "--hietograma", "10,120,10,1.5"},
        {"1", "2", "--hietograma", "10,0,10"}, {"1", "2", "--duracao-altura", "50"},
        {"1", "2", "--duracao-intensidade", "50", "--duracoes", "5"}, {"1", "2", "--tr-evento", "60"},
        {"-e", "a.csv", "--tr-evento", "60,80"}, {"--grade", "g.tif", "--hietograma", "10,120,10"},
    };
    for (const auto& a : ruins) {
        std::string linha;
        for (const auto& s : a) linha += s + " ";
        EXPECT_THROW(TOpcoesConsulta::Le(a), EUso) << linha;
    }
}

TEST(OpcoesConsulta, StormMethodsAndPeakFlow) {
    const auto o = TOpcoesConsulta::Le({"1", "2", "--hietograma", "10,120,10,,huff4", "--vazao", "0.5,0.6,1.2:30,25"});
    EXPECT_EQ(TMetodoChuva::Huff4, o.Hietograma->Metodo);
    EXPECT_EQ(0.5, o.Hietograma->Pico);
    ASSERT_TRUE(o.Vazao);
    EXPECT_EQ(0, o.Vazao->Tc);
    EXPECT_EQ(30, o.Vazao->Desnivel);
    const std::vector<A> ruins = {{"1", "2", "--hietograma", "10,120,10,0.5,huff5"},
                                  {"1", "2", "--hietograma", "10,120,10,0.5,chicago,1"},
                                  {"1", "2", "--hec-hms"},
                                  {"1", "2", "--hietograma", "10,120,10", "--hec-hms", "-o", "x.inp"},
                                  {"1", "2", "--vazao", "0.5,0.6,20"},
                                  {"1", "2", "--vazao", "0.5,0.6,1.2:,20"},
                                  {"-e", "a.csv", "--vazao", "0.5,0.6,20,10"},
                                  {"1", "2", "-o", "x.dat"}};
    for (const auto& a : ruins) EXPECT_THROW(TOpcoesConsulta::Le(a), EUso) << a.back();
}
