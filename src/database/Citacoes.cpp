#include "database/Citacoes.h"

#include <cstring>
#include <string>

#include "platform/Cp1252.h"

// Demonstration references: the shipped data set is synthetic, so its
// sources are placeholders too (Portuguese placeholder surnames and an
// invented agency, IFDEMO). Each key is the short citation stored in the
// "Autor" field of the station records (at most 30 cp1252 bytes).
const std::array<TCitacao, 10> Citacoes = {{
    {"FULANO et al. (1999)",
     "FULANO, A. B., BELTRANO, C. D., SICRANO, E. F.",
     "Equações de chuvas intensas do Estado de São Paulo (referência de demonstração que "
     "descreve os dados de demonstração do programa)",
     "Revista Fictícia de Hidrologia de Demonstração, v. 1, n. 1, p. 1-12, 1999."},
    {"BELTRANO et al. (2002)",
     "BELTRANO, C. D., MENGANO, G. H., ZUTANO, I. J.",
     "Chuvas intensas no Estado da Bahia (referência de demonstração que descreve os dados "
     "de demonstração do programa)",
     "Revista Fictícia de Hidrologia de Demonstração, v. 4, n. 2, p. 45-58, 2002."},
    {"BELTRANO et al. (2003)",
     "BELTRANO, C. D., MENGANO, G. H., ZUTANO, I. J.",
     "Chuvas intensas no Estado do Tocantins (referência de demonstração que descreve os "
     "dados de demonstração do programa)",
     "Revista Fictícia de Hidrologia de Demonstração, v. 5, n. 1, p. 13-27, 2003."},
    {"IFDEMO (2001)",
     "IFDEMO - INSTITUTO FICTÍCIO DE DADOS DE DEMONSTRAÇÃO",
     "Equações de chuvas intensas dos Estados do Rio de Janeiro, Espírito Santo, São Paulo, "
     "Tocantins e Bahia: relatório técnico final de projeto de pesquisa (demonstração)",
     "Cidade Fictícia: IFDEMO, 2001. 120 p."},
    {"SICRANO (1999)",
     "SICRANO, E. F.",
     "Chuvas intensas nos Estados do Rio de Janeiro e do Espírito Santo (dissertação de "
     "mestrado de demonstração que descreve os dados de demonstração do programa)",
     "Cidade Fictícia: Universidade Fictícia de Demonstração, 1999. 98 p."},
    {"MENGANO et al. (2001)",
     "MENGANO, G. H., FULANO, A. B., SICRANO, E. F.",
     "Chuvas intensas no Estado de Minas Gerais (livro de demonstração que descreve os "
     "dados de demonstração do programa)",
     "Cidade Fictícia: Editora Fictícia, 2001. 212 p."},
    {"ZUTANO e FULANO (1992)",
     "ZUTANO, I. J., FULANO, A. B.",
     "Chuvas intensas no Estado do Paraná (resumo de demonstração que descreve os dados de "
     "demonstração do programa)",
     "Cidade Fictícia: Editora Fictícia, 1992. 8 p."},
    {"MENGANO (1998)",
     "MENGANO, G. H.",
     "Chuvas intensas no Paraná (livro de demonstração que descreve os dados de "
     "demonstração do programa)",
     "Cidade Fictícia: Editora Fictícia, 1998. 150 p."},
    {"SICRANO e ZUTANO (1982)",
     "SICRANO, E. F., ZUTANO, I. J.",
     "Revista Fictícia de Engenharia de Demonstração",
     "Chuvas intensas no Brasil: equações de demonstração que descrevem os dados de "
     "demonstração do programa, v. 3, p. 101-140, 1982."},
    {"ZUTANO et al. (2005)",
     "ZUTANO, I. J., BELTRANO, C. D., MENGANO, G. H.",
     "Revista Fictícia de Recursos Hídricos de Demonstração",
     "Chuvas intensas no Estado de Goiás e no Distrito Federal, por desagregação da chuva "
     "de um dia (dados de demonstração do programa), v. 10, n. 2, p. 21-34, 2005."},
}};

int IndiceCitacao(const char* chaveUtf8) {
    if (chaveUtf8 == nullptr) return -1;
    for (std::size_t i = 0; i < Citacoes.size(); ++i)
        if (std::strcmp(Citacoes[i].Chave, chaveUtf8) == 0) return static_cast<int>(i);
    return -1;
}

bool CitacaoDeAjuste(const char* chaveUtf8) {
    const std::string chave = chaveUtf8;
    return chave.rfind("Ajuste ", 0) == 0 && IsCp1252Representable(chave) && Utf8ToCp1252(chave).size() <= 30;
}

const TCitacao FonteRedeNacional = {
    "ANA",
    "ANA - Agência Nacional de Águas e Saneamento Básico: Rede Hidrometeorológica Nacional (dados abertos)",
    "Máximos anuais de chuva de um dia das estações pluviométricas da rede, 1889-2021, na compilação pública "
    "PrecipitacaoMaximaAnual (T. Q. Duval); posições, nomes e municípios do inventário da rede (pacote hydroDataBR, "
    "licença MIT)",
    "Equação ajustada pelo Tormel 2.1 aos máximos anuais da estação: triagem dos valores, distribuição de Gumbel ou "
    "GEV escolhida pelo teste de Anderson-Darling, desagregação CETESB (1986), K, a, b, c por mínimos quadrados e "
    "intervalos de 90% por bootstrap."};

bool CitacaoDaRedeNacional(const char* chaveUtf8) {
    const std::string c = chaveUtf8 ? chaveUtf8 : "";
    // "ANA dddddddd, n anos"
    if (c.size() < 19 || c.size() > 30 || c.compare(0, 4, "ANA ") != 0 || c.compare(12, 2, ", ") != 0 ||
        c.compare(c.size() - 5, 5, " anos") != 0)
        return false;
    const auto digitos = [&](std::size_t de, std::size_t ate) {
        if (de >= ate) return false;
        for (std::size_t i = de; i < ate; ++i)
            if (c[i] < '0' || c[i] > '9') return false;
        return true;
    };
    return digitos(4, 12) && digitos(14, c.size() - 5) && c[14] != '0';
}

const TCitacao FonteAlertaRio = {
    "Alerta Rio",
    "Alerta Rio: sistema de alerta de chuvas da Prefeitura da cidade do Rio de Janeiro (dados públicos)",
    "Chuva de 15 minutos dos pluviógrafos da cidade, 1997-2024, reconstruída dos arquivos mensais republicados no "
    "repositório público Eventos-Extremos-Cidade-do-Rio-de-Janeiro; posições do repositório público "
    "COR-RIO/dados-rio-chuvas",
    "Equação ajustada pelo Tormel 2.1 aos máximos anuais de cada duração (15 min a 24 h) medidos no pluviógrafo, "
    "sem desagregação: distribuição escolhida pelo teste de Anderson-Darling, K, a, b, c por mínimos quadrados e "
    "intervalos de 90% por bootstrap."};

bool CitacaoDoAlertaRio(const char* chaveUtf8) {
    const std::string c = chaveUtf8 ? chaveUtf8 : "";
    return c.size() > 11 && c.compare(0, 11, "Alerta Rio ") == 0 && IsCp1252Representable(c) &&
           Utf8ToCp1252(c).size() <= 30;
}

const TCitacao* FonteDaCitacao(const char* chaveUtf8) {
    if (CitacaoDaRedeNacional(chaveUtf8)) return &FonteRedeNacional;
    if (CitacaoDoAlertaRio(chaveUtf8)) return &FonteAlertaRio;
    return nullptr;
}
