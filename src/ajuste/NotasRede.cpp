#include "ajuste/NotasRede.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "database/Estados.h"
#include "database/GradeNacional.h"
#include "platform/Cp1252.h"
#include "platform/Numeros.h"

namespace {

std::string N(double v, const char* formato = "0.0") { return Utf8(FormatFloat(formato, v, ',')); }

// The kind of a screening reason: its words up to the first parenthesis or digit.
std::string Tipo(const std::string& motivo) {
    if (motivo.rfind("zero", 0) == 0) return "zero";
    if (motivo.rfind("acima de", 0) == 0) return "acima do máximo físico";
    if (motivo.rfind("código de erro (o mesmo", 0) == 0) return "código de erro (mesmo valor em várias estações no ano)";
    if (motivo.rfind("código de erro", 0) == 0) return "código de erro (999)";
    if (motivo.rfind("baixo atípico", 0) == 0) return "baixo atípico (Grubbs-Beck múltiplo)";
    if (motivo.rfind("mais de", 0) == 0) return "muito acima da mediana da estação";
    return motivo;
}

std::string Celula(const std::string& s) {
    std::string r;
    for (char c : s) r += c == '|' ? '/' : c;
    return r;
}

}  // namespace

std::vector<TComparacaoGrade> ComparaComGrade(const TRedeAjustada& rede, const TGradeNacional& grade) {
    std::vector<TComparacaoGrade> v;
    for (const TEstacaoRede& e : rede.Estacoes) {
        const auto valor = grade.Valor(TDesagregacaoGrade::Cetesb, e.Latitude, e.Longitude);
        if (!valor) continue;
        const auto i = Intensidade10x60(valor->Celula);
        if (!i || !(*i > 0)) continue;
        v.push_back({e.Codigo, e.Uf, e.Nome, e.I10_60, *i});
    }
    return v;
}

std::string NotasDaRede(const TRedeAjustada& rede, const TOpcoesRede& o,
                        const std::vector<TErroImportacao>& avisos, const TGradeNacional* grade,
                        const std::vector<TPluviografoRede>& pluviografos) {
    std::string t;
    t += "# Notas dos dados: estações da rede hidrometeorológica nacional\n\n";
    t += "Arquivo gerado pelo construtor de dados (`tormel21-dados --maximos-anuais " + o.NomeMaximos +
         " --inventario " + o.NomeInventario + "`); não edite à mão.\n\n";
    t += "## Fontes e termos\n\n"
         "- Máximos anuais de chuva de um dia (`" + o.NomeMaximos + "`): observações públicas das estações "
         "pluviométricas da Rede Hidrometeorológica Nacional, coordenada pela ANA (Agência Nacional de Águas e "
         "Saneamento Básico), em dados abertos; compilados por ano hidrológico no repositório público "
         "PrecipitacaoMaximaAnual (T. Q. Duval), que não declara licença. A coluna `Date` é o primeiro dia do "
         "ano hidrológico da estação; o ano citado aqui é o ano em que ele começa.\n"
         "- Inventário da rede (`" + o.NomeInventario + "`): código, nome, estado, município e posição das "
         "estações, do pacote hydroDataBR (licença MIT), que o lê dos serviços da ANA.\n"
         "- Grade nacional de comparação: GRIDF-BR (Marcus N. Gomes Jr., licença MIT), desagregação CETESB.\n\n";
    t += "## Método\n\n"
         "1. Triagem de cada estação, nesta ordem: zeros; valores acima de " + N(o.MaximoFisico, "0") +
         " mm, que nenhuma chuva de um dia alcança; códigos de erro (parte inteira 999 ou 9999, o valor que marca "
         "a falta de dado; um mesmo valor acima de " + N(o.LimiarCodigo, "0") +
         " mm em duas ou mais estações no mesmo ano); valores mais de " + N(o.RazaoDaMediana, "0.#") +
         " vezes a mediana dos outros máximos anuais da estação (um total mensal, uma vírgula deslocada: nenhum "
         "dia de chuva fica tão acima dos anos da própria estação); baixos atípicos pelo teste de Grubbs-Beck múltiplo (Cohn et "
         "al., 2013; Boletim 17C), nos logaritmos, com os quantis da estatística simulados em amostras normais. "
         "Valores acima do limiar alto de Grubbs-Beck (10%) ou de " + N(o.LimiarAlto, "0") +
         " mm ficam e são sinalizados.\n"
         "2. Pelo menos " + std::to_string(o.MinimoDeAnos) + " anos utilizáveis depois da triagem.\n"
         "3. O ajuste da janela de ajuste: Gumbel (momentos, momentos-L) e GEV (momentos-L, máxima verossimilhança), "
         "escolhida a de melhor valor-p de Anderson-Darling (" + std::to_string(o.ReplicasAderencia) +
         " réplicas); desagregação CETESB (1986); K, a, b, c por mínimos quadrados não lineares; intervalos de 90% "
         "por bootstrap da cadeia inteira (" + std::to_string(o.Bootstrap) + " réplicas; semente " +
         std::to_string(o.Semente) + " mais o código da estação).\n"
         "4. Nome do registro: nome da estação e município do inventário; citação `ANA <código>, <n> anos`; a "
         "descrição completa e os intervalos de cada estação ficam em `ajustes.csv` e `intervalos.csv`. Estações ao "
         "norte do equador ficam em `EstacoesAoNorte_Tor21.csv`, ao lado dos arquivos de dados.\n\n";

    // Summary.
    std::map<std::string, std::size_t> porTipo;
    for (const TValorTriado& v : rede.Removidos) ++porTipo[Tipo(v.Motivo)];
    t += "## Resumo\n\n";
    t += "- Estações na tabela: " + std::to_string(rede.EstacoesNaTabela) + "; valores: " +
         std::to_string(rede.ValoresNaTabela) + ".\n";
    t += "- Estações ajustadas: " + std::to_string(rede.Estacoes.size()) + "; deixadas de fora: " +
         std::to_string(rede.Deixadas.size()) + ".\n";
    t += "- Valores removidos: " + std::to_string(rede.Removidos.size()) + " (";
    bool primeiro = true;
    for (const auto& [tipo, n] : porTipo) t += (primeiro ? "" : "; ") + tipo + ": " + std::to_string(n), primeiro = false;
    t += "); sinalizados e mantidos: " + std::to_string(rede.Sinalizados.size()) + ".\n\n";

    t += "## Estações por estado\n\n| UF | estado | estações | anos (mediana) | ao norte do equador |\n|---|---|---:|---:|---:|\n";
    for (int s = 0; s < NumEstados; ++s) {
        const std::string uf = Utf8(SiglasEstados[static_cast<std::size_t>(s)]);
        std::vector<double> anos;
        std::size_t norte = 0;
        for (const TEstacaoRede& e : rede.Estacoes)
            if (e.Uf == uf) anos.push_back(static_cast<double>(e.Anos)), norte += e.Latitude > 0;
        std::vector<double> a = anos;
        t += "| " + uf + " | " + Utf8(NomesEstados[static_cast<std::size_t>(s)]) + " | " + std::to_string(anos.size()) +
             " | " + (anos.empty() ? std::string("-") : N(Percentil(a, 0.5), "0")) + " | " + std::to_string(norte) + " |\n";
    }
    t += "| | total | " + std::to_string(rede.Estacoes.size()) + " | | |\n\n";

    if (grade) {
        std::vector<TComparacaoGrade> c = ComparaComGrade(rede, *grade);
        std::vector<double> razoes;
        for (const auto& x : c) razoes.push_back(x.Razao());
        t += "## Comparação com a grade nacional (GRIDF-BR, CETESB)\n\n";
        t += "Razão entre i(10 anos, 60 min) da equação da estação e o da célula da grade que a contém (ou da vizinha "
             "mais próxima com parâmetros), em " + std::to_string(c.size()) + " estações. A grade foi ajustada à chuva "
             "diária interpolada em células de 0,1° (BR-DWGD), sem correção de viés, que suaviza os extremos de um "
             "ponto: espera-se que as estações fiquem acima dela.\n\n";
        if (!razoes.empty()) {
            std::size_t dentro25 = 0, dentro50 = 0;
            for (double r : razoes) dentro25 += std::abs(std::log(r)) <= std::log(1.25), dentro50 += std::abs(std::log(r)) <= std::log(1.5);
            t += "| mínimo | 5% | 25% | mediana | 75% | 95% | máximo |\n|---:|---:|---:|---:|---:|---:|---:|\n| ";
            for (double p : {0.0, 0.05, 0.25, 0.5, 0.75, 0.95, 1.0}) {
                std::vector<double> r = razoes;
                t += N(Percentil(r, p), "0.00") + (p < 1 ? " | " : " |\n\n");
            }
            t += "Dentro de 25% da grade: " + std::to_string(dentro25) + " estações; dentro de 50%: " +
                 std::to_string(dentro50) + ".\n\n";
        }
        t += "### Estações a revisar (mais que o dobro ou menos que a metade da grade)\n\n"
             "Ficam no conjunto de dados; a diferença pede revisão, não remoção.\n\n"
             "| código | UF | nome | i(10, 60) estação | i(10, 60) grade | razão |\n|---|---|---|---:|---:|---:|\n";
        std::size_t n = 0;
        for (const auto& x : c)
            if (x.Razao() > 2 || x.Razao() < 0.5)
                t += "| " + x.Codigo + " | " + x.Uf + " | " + Celula(x.Nome) + " | " + N(x.Estacao) + " | " + N(x.Grade) +
                     " | " + N(x.Razao(), "0.00") + " |\n", ++n;
        if (n == 0) t += "| | | nenhuma | | | |\n";
        t += "\n";
    }

    if (!pluviografos.empty()) {
        t += "## Pluviógrafos do Alerta Rio\n\n"
             "Chuva de 15 minutos dos pluviógrafos da cidade do Rio de Janeiro (Alerta Rio, dados públicos), cada um "
             "ajustado aos máximos anuais de cada duração (15 min a 24 h), por somas móveis de intervalos com valor, "
             "sem desagregação; um ano com mais de 10% dos intervalos faltando fica de fora. Nenhuma correção de "
             "intervalo fixo é aplicada à duração mais curta. As razões medidas são as das médias dos máximos anuais, "
             "ao lado das da CETESB (1986).\n\n"
             "| pluviógrafo | anos | 1 h / 24 h | CETESB | 30 min / 1 h | CETESB | 24 h / 1 dia | CETESB |\n"
             "|---|---:|---:|---:|---:|---:|---:|---:|\n";
        auto razao = [](const TDesagregacao& d, double t, double base) {
            for (const TRazao& z : d.Razoes)
                if (z.Duracao == t && z.Base == base) return N(z.Razao, "0.000");
            return std::string("-");
        };
        const TDesagregacao cetesb = DesagregacaoCetesb();
        for (const TPluviografoRede& p : pluviografos)
            t += "| " + Celula(p.Nome) + " | " + std::to_string(p.Anos) + " | " + razao(p.Razoes, 60, 1440) + " | " +
                 razao(cetesb, 60, 1440) + " | " + razao(p.Razoes, 30, 60) + " | " + razao(cetesb, 30, 60) + " | " +
                 razao(p.Razoes, 1440, 0) + " | " + razao(cetesb, 1440, 0) + " |\n";
        t += "\n";
    }
    t += "## Avisos da montagem\n\n";
    if (avisos.empty()) t += "Nenhum.\n";
    for (const auto& a : avisos) t += "- " + a.Texto() + "\n";
    t += "\n## Estações deixadas de fora\n\n| código | UF | nome no inventário | motivo |\n|---|---|---|---|\n";
    for (const auto& d : rede.Deixadas) t += "| " + d.Codigo + " | " + d.Uf + " | " + Celula(d.Nome) + " | " + Celula(d.Motivo) + " |\n";
    t += "\n## Valores removidos na triagem\n\n| código | ano | valor (mm) | motivo |\n|---|---:|---:|---|\n";
    for (const auto& v : rede.Removidos)
        t += "| " + v.Codigo + " | " + std::to_string(v.Ano) + " | " + N(v.Valor) + " | " + Celula(v.Motivo) + " |\n";
    t += "\n## Valores altos sinalizados e mantidos\n\n| código | ano | valor (mm) | motivo |\n|---|---:|---:|---|\n";
    for (const auto& v : rede.Sinalizados)
        t += "| " + v.Codigo + " | " + std::to_string(v.Ano) + " | " + N(v.Valor) + " | " + Celula(v.Motivo) + " |\n";
    return t;
}
