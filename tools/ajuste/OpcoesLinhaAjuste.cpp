#include "OpcoesLinhaAjuste.h"

#include <cmath>

#include "ErrosConsulta.h"
#include "platform/Cp1252.h"
#include "platform/Numeros.h"

namespace {

[[noreturn]] void Uso(const std::string& utf8) { throw EUso(Ansi(utf8)); }

double Numero(const std::string& opcao, const std::string& texto) {
    double v;
    if (!TryStrToFloat(texto, '.', v) && !TryStrToFloat(texto, ',', v)) Uso(opcao + ": \"" + texto + "\" não é um número");
    if (!std::isfinite(v)) Uso(opcao + ": \"" + texto + "\" não é um número");
    return v;
}

long long Inteiro(const std::string& opcao, const std::string& texto, long long minimo, long long maximo) {
    std::size_t usados = 0;
    long long v = 0;
    try { v = std::stoll(texto, &usados); } catch (...) { usados = 0; }
    if (usados == 0 || usados != texto.size() || v < minimo || v > maximo)
        Uso(opcao + ": \"" + texto + "\" não é um inteiro de " + std::to_string(minimo) + " a " + std::to_string(maximo));
    return v;
}

std::vector<double> Lista(const std::string& opcao, const std::string& texto, double minimoExclusivo) {
    std::vector<double> v;
    std::string item;
    for (char ch : texto + ',') {
        if (ch != ',' && ch != ';') { item += ch; continue; }
        if (item.empty()) Uso(opcao + ": valor vazio na lista \"" + texto + "\"");
        const double x = Numero(opcao, item);
        if (!(x > minimoExclusivo)) Uso(opcao + ": " + item + " deve ser maior que " + Utf8(FloatToStr(minimoExclusivo, ',')));
        for (double y : v) if (y == x) Uso(opcao + ": " + item + " repetido");
        v.push_back(x);
        item.clear();
    }
    return v;
}

}  // namespace

TOpcoesLinhaAjuste TOpcoesLinhaAjuste::Le(const std::vector<std::string>& args) {
    TOpcoesLinhaAjuste o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto valor = [&]() -> std::string {
            if (i + 1 >= args.size()) Uso(arg + " precisa de um valor");
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") o.Ajuda = true;
        else if (arg == "--version") o.Versao = true;
        else if (arg == "--distribuicao") {
            const std::string v = valor();
            if (v == "gumbel") o.Ajuste.Dist = Distribuicao::Gumbel;
            else if (v == "gev") o.Ajuste.Dist = Distribuicao::Gev;
            else if (v == "auto") o.Ajuste.Dist.reset();
            else Uso("--distribuicao: use gumbel, gev ou auto, não \"" + v + "\"");
        } else if (arg == "--metodo") {
            const std::string v = valor();
            if (v == "momentos") o.Ajuste.Met = Metodo::Momentos;
            else if (v == "lmomentos") o.Ajuste.Met = Metodo::LMomentos;
            else if (v == "mv") o.Ajuste.Met = Metodo::MaximaVerossimilhanca;
            else Uso("--metodo: use momentos, lmomentos ou mv, não \"" + v + "\"");
        } else if (arg == "--desagregacao") o.Desagregacao = valor();
        else if (arg == "--ano-hidrologico") o.Ajuste.Maximos.MesInicio = static_cast<int>(Inteiro(arg, valor(), 1, 12));
        else if (arg == "--faltas-max") {
            const double p = Numero(arg, valor());
            if (p < 0 || p > 100) Uso("--faltas-max: dê um percentual de 0 a 100");
            o.Ajuste.Maximos.FaltasMax = p;
        } else if (arg == "--bootstrap") o.Ajuste.Bootstrap = static_cast<int>(Inteiro(arg, valor(), 0, 100000));
        else if (arg == "--semente") o.Ajuste.Semente = static_cast<std::uint64_t>(Inteiro(arg, valor(), 0, 9007199254740991LL));
        else if (arg == "--tr") o.Ajuste.Tr = Lista(arg, valor(), 1);
        else if (arg == "--duracoes") o.Ajuste.Duracoes = Lista(arg, valor(), 0);
        else if (arg == "-o" || arg == "--saida") o.Saida = valor();
        else if (arg == "--json") o.Json = true;
        else if (arg == "--estacao") o.Estacao = valor();
        else if (arg == "--formato") {
            const std::string f = valor();
            if (f == "br") o.Dialeto = TDialetoCsv::Brasileiro();
            else if (f == "int") o.Dialeto = TDialetoCsv::Internacional();
            else Uso("--formato: use br ou int, não \"" + f + "\"");
        } else if (arg == "--estacao-csv") o.EstacaoCsv = valor();
        else if (arg == "--nome") o.Nome = valor();
        else if (arg == "--uf") o.Uf = valor();
        else if (arg == "--lat") o.Latitude = Numero(arg, valor());
        else if (arg == "--lon") o.Longitude = Numero(arg, valor());
        else if (arg == "--ano-citacao") o.AnoDaCitacao = static_cast<int>(Inteiro(arg, valor(), 1900, 9999));
        else if (arg.size() > 1 && arg[0] == '-') Uso("opção desconhecida: " + arg);
        else if (o.Registro.empty()) o.Registro = arg;
        else Uso("um registro só; sobrou \"" + arg + "\"");
    }
    if (o.Ajuda || o.Versao) return o;
    if (o.Registro.empty()) Uso("falta o arquivo do registro de chuva");
    if (o.Ajuste.Tr.size() + 0 < 2) Uso("--tr: dê pelo menos dois períodos de retorno");
    if (!o.EstacaoCsv.empty()) {
        if (o.Nome.empty() || o.Uf.size() != 2 || !o.Latitude || !o.Longitude)
            Uso("--estacao-csv pede também --nome, --uf (duas letras), --lat e --lon");
        if (std::abs(*o.Latitude) >= 90 || std::abs(*o.Longitude) >= 100) Uso("--lat/--lon fora do intervalo");
    } else if (!o.Nome.empty() || !o.Uf.empty() || o.Latitude || o.Longitude) {
        Uso("--nome, --uf, --lat e --lon só valem com --estacao-csv");
    }
    if (o.Ajuste.Dist == Distribuicao::Gev && o.Ajuste.Met == Metodo::Momentos)
        Uso("a GEV não é ajustada pelo método dos momentos; use --metodo lmomentos ou mv");
    if (o.Json && !o.Saida.empty()) Uso("--json escreve na saída padrão; não use com -o");
    return o;
}

std::string TOpcoesLinhaAjuste::TextoAjuda() {
    return R"(Uso: tormel21-ajuste REGISTRO [opções]

Ajusta K, a, b, c da equação i = K·Tr^a/(t+b)^c a um registro de chuva:
máximos anuais, distribuição de Gumbel ou GEV, desagregação da chuva de um
dia, mínimos quadrados não lineares e intervalos de 90% por bootstrap.

REGISTRO: exportação "Chuvas" do Hidroweb, série diária (data; mm), tabela de
máximos anuais de um dia (ano; mm) ou de máximos subdiários (ano; uma coluna
por duração em minutos, sem desagregação).

  --distribuicao gumbel|gev|auto  distribuição (auto: o melhor p do Anderson-Darling)
  --metodo momentos|lmomentos|mv  método de ajuste (GEV: lmomentos ou mv)
  --desagregacao cetesb|ARQUIVO   razões de desagregação (padrão: CETESB); um arquivo de
                   pluviógrafo (série subdiária) dá as razões medidas nele
  --ano-hidrologico MES           ano hidrológico a partir do mês (1 a 12)
  --faltas-max PCT                máximo de dias faltando num ano (padrão 10)
  --bootstrap N                   réplicas do bootstrap (padrão 1000; 0: nenhuma)
  --semente S                     semente do bootstrap (padrão fixa)
  --tr LISTA                      períodos de retorno (padrão 2,5,10,15,20,25,50,100)
  --duracoes LISTA                durações em minutos (padrão: as das razões)
  --estacao CODIGO                estação de um arquivo do Hidroweb com várias
  -o ARQUIVO                      relatório .pdf, .html ou .csv (as tabelas)
  --formato br|int                dialeto do CSV (padrão br: ; e vírgula decimal)
  --json                          um objeto JSON na saída padrão
  --estacao-csv ARQUIVO --nome NOME --uf UF --lat GRAUS --lon GRAUS
                                  acrescenta a estação ao CSV de estações
  --ano-citacao ANO               ano da citação (padrão: o atual)
  --help, --version

Saída: 0 com um ajuste, 1 quando o registro não dá um ajuste (o motivo em
palavras), 2 para uma linha de comando inválida.
)";
}
