// Record readers: the Hidroweb export on files written here in its layout,
// the plain daily series in both dialects, the tables of annual maxima, and
// bad input named by file and line.
#include <gtest/gtest.h>

#include <cmath>

#include "ajuste/ErrosAjuste.h"
#include "ajuste/Registro.h"
#include "platform/Cp1252.h"
#include "suporte/ArquivosDeTeste.h"

namespace {

// One Hidroweb row: days given as {value, status}; the rest of the 31 empty.
std::string LinhaHidroweb(const std::string& estacao, int nivel, const std::string& data,
                          const std::vector<std::pair<std::string, std::string>>& dias, bool dataHora = false) {
    std::string l = estacao + ";" + std::to_string(nivel) + ";" + data + (dataHora ? " 00:00:00" : "") +
                    ";1;;;;;;;;;;";
    for (int d = 0; d < 31; ++d) l += (d < static_cast<int>(dias.size()) ? dias[d].first : "") + ";";
    for (int d = 0; d < 31; ++d) l += (d < static_cast<int>(dias.size()) ? dias[d].second : "") + ";";
    if (dataHora) l += "15/03/2019 10:00:00;";
    return l + "\r\n";
}

std::string CabecalhoHidroweb(bool dataHora) {
    std::string c = "//Sistema de Informa\xE7\xF5" "es Hidrol\xF3gicas\r\n//\r\n//EstacaoCodigo;NivelConsistencia;" +
                    std::string(dataHora ? "DataHora" : "Data") +
                    ";TipoMedicaoChuvas;Maxima;Total;DiaMaxima;NumDiasDeChuva;MaximaStatus;TotalStatus;"
                    "NumDiasDeChuvaStatus;TotalAnual;TotalAnualStatus;";
    char b[24];
    for (int d = 1; d <= 31; ++d) { std::snprintf(b, sizeof b, "Chuva%02d;", d); c += b; }
    for (int d = 1; d <= 31; ++d) { std::snprintf(b, sizeof b, "Chuva%02dStatus;", d); c += b; }
    if (dataHora) c += "DataIns;";
    return c + "\r\n";
}

std::vector<std::pair<std::string, std::string>> Mes(int dias, const std::string& valor) {
    return std::vector<std::pair<std::string, std::string>>(dias, {valor, "1"});
}

// Two stations; station 02043000 has February 2001 raw and consistent, and
// March 2001 raw only with every status on days 1 to 5.
std::string ArquivoHidroweb(bool dataHora) {
    std::vector<std::pair<std::string, std::string>> marco = {{"5,0", "0"}, {"12,5", "1"}, {"7,0", "2"},
                                                              {"3,2", "3"}, {"40,0", "4"}, {"", "1"}};
    return CabecalhoHidroweb(dataHora) + LinhaHidroweb("02043000", 1, "01/03/2001", marco, dataHora) +
           LinhaHidroweb("02043000", 1, "01/02/2001", Mes(28, "9,9"), dataHora) +
           LinhaHidroweb("02043000", 2, "01/02/2001", Mes(28, "1,5"), dataHora) +
           LinhaHidroweb("01943011", 2, "01/02/2001", Mes(28, "2,0"), dataHora);
}

TEST(LeitorHidroweb, ConsistentMonthWinsAndStatusesGiveValidMissingOrAccumulatedDays) {
    for (bool dataHora : {false, true}) {
        SCOPED_TRACE(dataHora ? "DataHora/DataIns" : "Data");
        TOpcoesLeitura o;
        o.Estacao = "02043000";
        const TRegistro r = LeRegistroDoTexto(ArquivoHidroweb(dataHora), "chuvas.txt", o);
        EXPECT_EQ(r.Estacao, "02043000");
        ASSERT_EQ(r.Dias.size(), 28u + 31u);   // February of 2001 has 28 days; March all 31
        EXPECT_EQ(TextoData(r.Dias.front().Dia), "2001-02-01");
        for (int d = 0; d < 28; ++d) EXPECT_DOUBLE_EQ(r.Dias[d].Altura, 1.5) << d;
        const struct { int dia; EstadoDia estado; double altura; } casos[] = {
            {1, EstadoDia::Faltante, 0}, {2, EstadoDia::Valido, 12.5}, {3, EstadoDia::Valido, 7.0},
            {4, EstadoDia::Valido, 3.2}, {5, EstadoDia::Acumulado, 40}, {6, EstadoDia::Faltante, 0},
            {31, EstadoDia::Faltante, 0}};
        for (const auto& c : casos) {
            const TDiaChuva& d = r.Dias[27 + c.dia];
            EXPECT_EQ(TextoData(d.Dia), "2001-03-" + std::string(c.dia < 10 ? "0" : "") + std::to_string(c.dia));
            EXPECT_EQ(d.Estado, c.estado) << c.dia;
            if (c.estado == EstadoDia::Valido) EXPECT_DOUBLE_EQ(d.Altura, c.altura);
        }
    }
}

TEST(LeitorHidroweb, RefusesNamingCodesOrBothLines) {
    const std::string repetida = CabecalhoHidroweb(false) + LinhaHidroweb("02043000", 2, "01/02/2001", Mes(28, "1")) +
                                 LinhaHidroweb("02043000", 2, "01/02/2001", Mes(28, "2"));
    const struct { std::string texto, estacao; std::vector<std::string> trechos; } casos[] = {
        {ArquivoHidroweb(false), "", {"chuvas.txt", "2 estações", "01943011", "02043000", "--estacao"}},
        {ArquivoHidroweb(false), "99999999", {"99999999", "01943011, 02043000"}},
        {repetida, "", {"chuvas.txt, linha 5", "repete o da linha 4", "02/2001"}},
        {CabecalhoHidroweb(false) + LinhaHidroweb("1", 2, "01/02/2001", {{"-3,0", "1"}}), "", {"linha 4", "negativa"}},
        {CabecalhoHidroweb(false) + LinhaHidroweb("1", 2, "01/02/2001", {{"x", "1"}}), "", {"linha 4", "\"x\""}},
        {CabecalhoHidroweb(false) + LinhaHidroweb("1", 3, "01/02/2001", {}), "", {"linha 4", "NivelConsistencia"}},
    };
    for (const auto& c : casos) {
        TOpcoesLeitura o;
        o.Estacao = c.estacao;
        try {
            LeRegistroDoTexto(c.texto, "chuvas.txt", o);
            ADD_FAILURE() << c.trechos[0];
        } catch (const ERegistroInvalido& e) {
            for (const std::string& t : c.trechos) EXPECT_NE(std::string(e.what()).find(t), std::string::npos) << e.what();
        }
    }
}

TEST(LeitorSerie, BothDialectsAndTheTablesReadTheSameValues) {
    const struct { std::string texto; TipoRegistro tipo; std::size_t n; double ultimo; } casos[] = {
        {"Date,Rain_mm_day\n2000-01-01,1.5\n2000-01-02,\n2000-01-03,12.25\n", TipoRegistro::Diario, 3, 12.25},
        {"data;mm\r\n01/01/2000;1,5\r\n02/01/2000;\r\n03/01/2000;12,25\r\n", TipoRegistro::Diario, 3, 12.25},
        {"ano;mm\n1990;80,5\n1991;\n1992;64,0\n", TipoRegistro::MaximosDiarios, 3, 64.0},
        {"ano,5,60,1440\n1990,12.0,40.5,90\n1991,10,35,80.25\n", TipoRegistro::MaximosSubdiarios, 2, 80.25},
    };
    for (const auto& c : casos) {
        const TRegistro r = LeRegistroDoTexto(c.texto, "r_00012345.csv");
        EXPECT_EQ(r.Tipo, c.tipo);
        EXPECT_EQ(r.Estacao, "00012345");
        if (c.tipo == TipoRegistro::Diario) {
            ASSERT_EQ(r.Dias.size(), c.n);
            EXPECT_EQ(r.Dias[1].Estado, EstadoDia::Faltante);
            EXPECT_DOUBLE_EQ(r.Dias.back().Altura, c.ultimo);
            EXPECT_EQ(TextoData(r.Dias.back().Dia), "2000-01-03");
        } else {
            ASSERT_EQ(r.Maximos.size(), c.n);
            EXPECT_DOUBLE_EQ(r.Maximos.back().Alturas.back(), c.ultimo);
        }
    }
    EXPECT_EQ(LeRegistroDoTexto("ano,5,60,1440\n1990,1,2,3\n", "x").Duracoes, (std::vector<double>{5, 60, 1440}));
}

TEST(LeitorSerie, BadInputNamedByFileAndLine) {
    const struct { std::string texto; std::vector<std::string> trechos; } casos[] = {
        {"", {"serie.csv", "vazio"}},
        {"\r\n\r\n", {"serie.csv", "vazio"}},
        {"<html>\n<body>\n", {"serie.csv, linha 2", "Hidroweb", "série diária", "máximos anuais"}},
        {"data,mm\n2000-01-01,1\n2000-01-02,-0.5\n", {"serie.csv, linha 3", "negativa"}},
        {"data,mm\n2000-01-01,1\n2000-01-02,abc\n", {"serie.csv, linha 3", "\"abc\" não é um número"}},
        {"data,mm\n2000-01-01,1\n2000-01-03,1\n2000-01-02,1\n", {"serie.csv, linha 4", "2000-01-02", "2000-01-03", "linha 3"}},
        {"data,mm\n2000-01-01,1\n2000-01-01,2\n", {"serie.csv, linha 3", "repete", "linha 2"}},
        {"data,mm\n2000-01-01,1\n2000-02-30,2\n", {"serie.csv, linha 3", "não é uma data"}},
        {"ano;mm\n1990;1\n1990;2\n", {"serie.csv, linha 3", "1990 repete", "linha 2"}},
        {"ano;5;x\n1990;1;2\n", {"serie.csv, linha 1", "\"x\" não é uma duração"}},
    };
    for (const auto& c : casos) {
        try {
            LeRegistroDoTexto(c.texto, "serie.csv");
            ADD_FAILURE() << c.trechos[1];
        } catch (const ERegistroInvalido& e) {
            for (const std::string& t : c.trechos) EXPECT_NE(std::string(e.what()).find(t), std::string::npos) << e.what();
        }
    }
}

}  // namespace
