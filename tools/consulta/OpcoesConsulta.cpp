#include "OpcoesConsulta.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "ErrosConsulta.h"
#include "GisComum.h"
#include "OpcoesFonte.h"
#include "platform/Cp1252.h"
#include "platform/Numeros.h"

namespace {

[[noreturn]] void Uso(const std::string& mensagemUtf8) { LancaUtf8<EUso>(mensagemUtf8); }

double Positivo(const std::string& opcao, const std::string& item) {
    double v = 0;
    if (!TryStrToFloat(item, '.', v) || !std::isfinite(v) || !(v > 0))
        Uso(opcao + ": \"" + item + "\" não é um número maior que zero (separe os valores por vírgula e "
                                    "use ponto nas casas decimais)");
    return v;
}

std::vector<double> ListaPositiva(const std::string& opcao, const std::string& texto) {
    std::vector<double> valores;
    for (const std::string& item : ItensDaOpcao(texto)) valores.push_back(Positivo(opcao, item));
    return valores;
}

// "TR,D,DT", "TR,D,DT,r" or "TR,D,DT,r,METODO": the first three above 0, r
// from 0 to 1 (empty: 0.5), the method by its short name.
TOpcoesConsulta::THietogramaPedido LeHietograma(const std::string& opcao, const std::string& texto) {
    const std::vector<std::string> itens = ItensDaOpcao(texto);
    if (itens.size() < 3 || itens.size() > 5)
        Uso(opcao + ": dê TR,D,DT, TR,D,DT,r ou TR,D,DT,r,MÉTODO (por exemplo 10,120,10 ou 10,120,10,0.4,chicago)");
    TOpcoesConsulta::THietogramaPedido h;
    h.Tr = Positivo(opcao, itens[0]);
    h.Duracao = Positivo(opcao, itens[1]);
    h.Passo = Positivo(opcao, itens[2]);
    if (itens.size() >= 4 && !(itens.size() == 5 && itens[3].empty()) &&
        (!TryStrToFloat(itens[3], '.', h.Pico) || !(h.Pico >= 0 && h.Pico <= 1)))
        Uso(opcao + ": a posição do pico \"" + itens[3] + "\" deve ser um número de 0 a 1");
    if (itens.size() == 5 && !MetodoDoNome(itens[4], h.Metodo))
        Uso(opcao + ": método \"" + itens[4] + "\" desconhecido (use blocos, chicago, huff1, huff2, huff3 ou huff4)");
    return h;
}

// "A,C,TC,TR" or "A,C,L:H,TR": area (km²), C, tc (min) or Kirpich's length
// (km) and fall (m), return period; the ranges are the core's to check.
TOpcoesConsulta::TVazaoPedida LeVazao(const std::string& opcao, const std::string& texto) {
    const std::vector<std::string> itens = ItensDaOpcao(texto);
    if (itens.size() != 4) Uso(opcao + ": dê A,C,TC,TR ou A,C,L:H,TR (por exemplo 0.5,0.6,20,10 ou 0.5,0.6,1.2:30,10)");
    auto numero = [&](const std::string& item, const char* nome) {
        double v = 0;
        if (!TryStrToFloat(item, '.', v) || !std::isfinite(v))
            Uso(opcao + ": " + nome + " \"" + item + "\" não é um número (use ponto nas casas decimais)");
        return v;
    };
    TOpcoesConsulta::TVazaoPedida v;
    v.Area = numero(itens[0], "a área (km²)");
    v.C = numero(itens[1], "o coeficiente C");
    if (const std::size_t dois = itens[2].find(':'); dois != std::string::npos) {
        v.Comprimento = numero(itens[2].substr(0, dois), "o comprimento L (km)");
        v.Desnivel = numero(itens[2].substr(dois + 1), "o desnível H (m)");
    } else {
        v.Tc = numero(itens[2], "o tempo de concentração (min)");
    }
    v.Tr = numero(itens[3], "o período de retorno (anos)");
    return v;
}

std::size_t Inteiro(const std::string& opcao, const std::string& texto, int minimo) {
    int v = 0;
    if (!TryStrToInt(texto, v) || v < minimo)
        Uso(opcao + ": \"" + texto + "\" não é um número inteiro de " + std::to_string(minimo) + " em diante");
    return static_cast<std::size_t>(v);
}

}  // namespace

bool SaidaDeModelo(const std::string& caminho) {
    auto termina = [&](const char* ext) {
        const std::string e(ext);
        if (caminho.size() <= e.size()) return false;
        std::string fim = caminho.substr(caminho.size() - e.size());
        for (char& c : fim) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return fim == e;
    };
    return termina(".dat") || termina(".inp");
}

std::vector<std::string> ItensDaOpcao(const std::string& texto) {
    std::vector<std::string> itens;
    std::size_t inicio = 0;
    for (;;) {
        const std::size_t fim = texto.find(',', inicio);
        itens.push_back(texto.substr(inicio, fim == std::string::npos ? std::string::npos : fim - inicio));
        if (fim == std::string::npos) return itens;
        inicio = fim + 1;
    }
}

TOpcoesConsulta TOpcoesConsulta::Le(const std::vector<std::string>& argumentos) {
    TOpcoesConsulta o;
    std::vector<std::string> posicionais;
    bool temTr = false, temDuracoes = false;
    for (std::size_t i = 0; i < argumentos.size(); ++i) {
        std::string arg = argumentos[i];
        if (arg.size() < 2 || arg[0] != '-' || (arg[1] != '-' && !std::isalpha(static_cast<unsigned char>(arg[1])))) {
            posicionais.push_back(arg);   // "-", "-19.9" and plain texts
            continue;
        }
        if (arg == "--") {
            posicionais.insert(posicionais.end(), argumentos.begin() + static_cast<long>(i) + 1, argumentos.end());
            break;
        }
        std::string valor;
        bool temValor = false;
        if (const std::size_t igual = arg.find('='); arg.rfind("--", 0) == 0 && igual != std::string::npos) {
            valor = arg.substr(igual + 1);
            arg = arg.substr(0, igual);
            temValor = true;
        }
        auto exigeValor = [&]() -> std::string {
            if (temValor) return valor;
            if (i + 1 >= argumentos.size()) Uso(arg + " precisa de um valor");
            return argumentos[++i];
        };
        auto semValor = [&] {
            if (temValor) Uso(arg + " não aceita valor");
        };

        if (arg == "--help" || arg == "-h") { semValor(); o.Ajuda = true; }
        else if (arg == "--version") { semValor(); o.Versao = true; }
        else if (arg == "--entrada" || arg == "-e") o.Entrada = exigeValor();
        else if (arg == "--saida" || arg == "-o") o.Saida = exigeValor();
        else if (arg == "--colunas") {
            o.ColunasCoordenadas = exigeValor();
            const std::vector<std::string> itens = ItensDaOpcao(o.ColunasCoordenadas);
            if (itens.size() != 2 || itens[0].empty() || itens[1].empty())
                Uso("--colunas: dê as colunas da latitude e da longitude, LAT,LON (nomes do cabeçalho ou números)");
        }
        else if (arg == "--dados") {
            o.PastaDados = exigeValor();
            if (o.PastaDados.empty()) Uso("--dados precisa de uma pasta");
            if (o.PastaDados.back() != '/') o.PastaDados += '/';
        } else if (arg == "--formato") {
            const std::string f = exigeValor();
            if (f == "br") o.Dialeto = TDialetoCsv::Brasileiro();
            else if (f == "int") o.Dialeto = TDialetoCsv::Internacional();
            else Uso("--formato: use br ou int, não \"" + f + "\"");
        } else if (arg == "--negativos") { semValor(); o.Convencao = TLeitorCoordenada::Convencao::Negativos; }
        else if (arg == "--tr") { o.Tr = ListaPositiva(arg, exigeValor()); temTr = true; }
        else if (arg == "--duracoes") { o.Duracoes = ListaPositiva(arg, exigeValor()); temDuracoes = true; }
        else if (arg == "--estacoes") {
            o.Estacoes = true;
            if (temValor) o.MaxEstacoes = Inteiro(arg, valor, 1);
        } else if (arg == "--confianca") { semValor(); o.Confianca = true; }
        else if (arg == "--nacional") { semValor(); o.Nacional = true; }
        else if (arg == "--hietograma") o.Hietograma = LeHietograma(arg, exigeValor());
        else if (arg == "--hec-hms") { semValor(); o.HecHms = true; }
        else if (arg == "--vazao") o.Vazao = LeVazao(arg, exigeValor());
        else if (arg == "--duracao-intensidade") o.IntensidadesAlvo = ListaPositiva(arg, exigeValor());
        else if (arg == "--duracao-altura") o.AlturasAlvo = ListaPositiva(arg, exigeValor());
        else if (arg == "--tr-evento") {
            const std::vector<double> v = ListaPositiva(arg, exigeValor());
            if (v.size() != 2) Uso(arg + ": dê a duração e a altura do evento, T,P (por exemplo 60,80)");
            o.Evento = TEvento{v[0], v[1]};
        }
        else if (arg == "--fonte" || arg == "--desagregacao-grade") LeOpcaoFonte(arg, exigeValor(), o);
        else if (arg == "--json") { semValor(); o.Json = true; }
        else if (arg == "--grade") o.Gis.Grade = exigeValor();
        else if (arg == "--area") o.Gis.LeArea(exigeValor());
        else if (arg == "--passo") o.Gis.LePasso(exigeValor());
        else if (arg == "--tarefas") {
            const std::string texto = exigeValor();
            const std::size_t n = Inteiro(arg, texto, 1);
            o.Tarefas = static_cast<unsigned>(std::min<std::size_t>(n, MaxTarefas));
            if (n > MaxTarefas)
                o.Avisos.push_back("--tarefas " + texto + ": o máximo é " + std::to_string(MaxTarefas) + "; usando " +
                                   std::to_string(MaxTarefas));
        }
        else Uso("opção desconhecida: " + arg);
    }
    if (o.Ajuda || o.Versao) return o;

    const bool perguntas = !o.IntensidadesAlvo.empty() || !o.AlturasAlvo.empty();
    if (perguntas && !temTr) Uso("--duracao-intensidade e --duracao-altura pedem --tr");
    if (temDuracoes && !temTr) Uso("--tr e --duracoes andam juntas");
    if (temTr && !temDuracoes && !perguntas) Uso("--tr e --duracoes andam juntas");
    const bool umPontoSo = perguntas || o.Hietograma || o.Evento || o.Vazao;
    if (!o.ColunasCoordenadas.empty() && o.Entrada.empty()) Uso("--colunas vale só com --entrada");
    if (o.HecHms && !o.Hietograma) Uso("--hec-hms vale só com --hietograma");
    if (o.HecHms && SaidaDeModelo(o.Saida)) Uso("--hec-hms não se combina com -o .dat ou .inp (saídas do SWMM)");
    if (o.Gis.Grade.empty() && (o.Gis.AreaDada || o.Gis.Passo != 60)) Uso("--area e --passo valem só com --grade");
    if (o.Json) {
        // With --json the output is JSON text whatever the name (.json too, not GeoJSON).
        const std::string ext = Gis::Extensao(o.Saida);
        if (!o.Gis.Grade.empty()) Uso("--json não se combina com --grade");
        if (!(ext.empty() || ext == ".json" || ext == ".jsonl" || ext == ".ndjson" || ext == ".txt"))
            Uso("--saida: com --json a saída é texto JSON: use .json, .jsonl, .txt ou nenhuma extensão");
    }
    ConfereOpcoesFonte(o);
    if (!o.Gis.Grade.empty()) {
        if (!o.Entrada.empty() || !posicionais.empty() || o.Estacoes || !o.Saida.empty() || umPontoSo)
            Uso("--grade não se combina com pontos, --entrada, --saida ou --estacoes");
        if (o.Confianca)
            Uso("--confianca não vale com --grade: a grade só tem os parâmetros ou as intensidades (consulte os "
                "pontos com --entrada e --confianca)");
        if (!o.Gis.AreaDada) o.Gis.PoeAreaPadrao();
    } else if (!o.Entrada.empty()) {
        if (!posicionais.empty()) Uso("com --entrada não se dão coordenadas na linha de comando");
        if (o.Estacoes) Uso("--estacoes vale só para um ponto");
        if (umPontoSo)
            Uso("--hietograma, --duracao-intensidade, --duracao-altura, --tr-evento e --vazao valem só para um ponto "
                "(em muitos pontos, dê as colunas t e P no CSV)");
    } else {
        if (posicionais.size() != 2)
            Uso("dê a latitude e a longitude de um ponto, ou --entrada ARQUIVO (veja --help)");
        o.UmPonto = true;
        o.Latitude = posicionais[0];
        o.Longitude = posicionais[1];
    }
    // An extension no format of the tool's is written under is refused
    // before any work.
    if (!o.Gis.Grade.empty()) {
        const TFormatoGis* f = FormatoDeGrade(o.Gis.Grade);
        if (!f) Uso("--grade: \"" + o.Gis.Grade + "\" não tem a extensão de um formato de grade que se grave; use " +
                    FormatosAceitos(true));
        const std::size_t bandas = o.Tr.empty() ? 4 : o.Tr.size() * o.Duracoes.size();
        if (f->UmaBanda && bandas != 1)
            Uso(std::string("--grade: o formato ") + f->Nome + " guarda uma banda só; dê um valor de --tr e um de "
                "--duracoes, ou use .tif ou .nc");
    }
    // A design storm of one point may also go to EPA SWMM (.dat, .inp).
    const bool saidaDeModelo = o.UmPonto && o.Hietograma && SaidaDeModelo(o.Saida);
    if (!o.Saida.empty() && SaidaDeModelo(o.Saida) && !saidaDeModelo && o.UmPonto)
        Uso("--saida: .dat e .inp são saídas do EPA SWMM e pedem --hietograma");
    if (!o.Json && !o.Saida.empty() && !saidaDeModelo && !SaidaDeTexto(o.Saida) && (o.UmPonto || !FormatoDePontos(o.Saida)))
        Uso("--saida: \"" + o.Saida + "\" não tem a extensão de um formato que se grave" +
            (o.UmPonto ? std::string("; um ponto sai em texto: .txt, .csv ou sem extensão")
                       : "; use " + FormatosAceitos(false)));
    return o;
}

const char* TOpcoesConsulta::TextoAjuda() {
    return R"(Uso:
  tormel21-consulta [opções] LATITUDE LONGITUDE
  tormel21-consulta [opções] --entrada ARQUIVO.csv|-
  tormel21-consulta [opções] --grade ARQUIVO.tif [--area ...] [--passo N]

Dá os parâmetros K, a, b e c da equação de chuvas intensas
i = K·Tr^a/(t+b)^c (i em mm/h, t em minutos, Tr em anos) num ponto ou em cada
ponto de um arquivo CSV, com os mesmos dados e o mesmo cálculo do Tormel 2.1:
a estação cujos textos de coordenada são exatamente os do ponto, ou a média
ponderada pelo inverso da quinta potência da distância entre as estações.

Coordenadas:
  DD°MM'SS"      texto de coordenada, usado como escrito (o sinal º também
                 serve); uma estação dada pelos seus próprios textos é achada
                 exatamente. Minutos e segundos até 59.
  graus decimais com ponto ou vírgula (19.925 ou 19,925). Por padrão são
                 positivos para o sul e o oeste (19.925 43.9375); com
                 --negativos, negativos para o sul e o oeste, como escrevem
                 os programas de SIG (-19.925 -43.9375), e uma latitude norte
                 ou longitude leste é recusada. O valor vira o texto
                 DD°MM'SS" por truncamento de minutos e segundos, como faz a
                 janela para um ponto do mapa: 19.9258 vira 19°55'32", e o
                 cálculo segue daí. A saída mostra o texto usado.

Opções:
  -e, --entrada ARQ  muitos pontos: arquivo CSV (- para a entrada padrão), uma
                     linha por ponto, em UTF-8 ou UTF-16 com a marca de início
                     ("Texto Unicode" de uma planilha), campos separados pelo
                     separador do formato ou por tabulações. As colunas de
                     coordenada são as do cabeçalho chamadas lat, latitude ou
                     y e lon, long, longitude ou x (maiúsculas e acentos não
                     contam), ou as dadas em --colunas; senão, o segundo e o
                     terceiro campos (identificador;latitude;longitude). Uma
                     primeira linha que nomeia as coordenadas, ou cujos dois
                     campos de coordenada começam por letra, é cabeçalho.
                     Linhas em branco são puladas.
  --colunas LAT,LON  as colunas da latitude e da longitude: nomes do
                     cabeçalho ou números (1 é a primeira).
  -o, --saida ARQ    escreve no arquivo em vez da saída padrão (um arquivo
                     comum só aparece completo; um pipe ou dispositivo recebe
                     a saída diretamente; um sinal de interrupção apaga os
                     arquivos temporários). O formato é o da extensão: .csv,
                     .txt, .tsv ou nenhuma, texto; para muitos pontos, pontos
                     de SIG em SIRGAS 2000 (EPSG:4674) com as colunas do CSV:
                     .gpkg, .geojson, .json, .geojsonl, .shp (nomes de até 10
                     letras), .fgb, .kml, .gml, .sqlite, .tab, .xlsx, .ods;
                     com --hietograma, .dat e .inp (EPA SWMM, veja abaixo).
                     Outra extensão é recusada.
  --formato br|int   CSV brasileiro (; entre campos e vírgula decimal, padrão)
                     ou internacional (, entre campos e ponto decimal). Vale
                     para a entrada, a saída e os números de um ponto.
  --negativos        graus decimais negativos para sul e oeste.
  --tr LISTA         tempos de retorno em anos, p. ex. 2,5,10,25,50,100
  --duracoes LISTA   durações em minutos, p. ex. 5,10,15,30,60,120,360,1440
                     Com as duas, acrescenta a intensidade média (mm/h) e a
                     altura de chuva (mm) de cada par Tr e duração. Decimais
                     com ponto: --tr 2.33
  --estacoes[=N]     um ponto: lista as estações que entram no cálculo, da mais
                     próxima para a mais distante, com a distância (graus) e a
                     parcela do peso (%); com =N só as N mais próximas.
  --confianca        acrescenta a estação mais próxima, sua distância (km), o
                     número de estações a até 25 e 50 km, o menor e o maior
                     i(10, 60) das cinco mais próximas e um aviso quando a
                     mais próxima passa de 50 km ou o ponto fica fora da área
                     cercada pelas estações.
  --nacional         interpola entre as estações dos 27 estados (as ao norte do
                     equador na sua posição), com os mesmos pesos 1/d⁵. Sem
                     ela, só as estações dos oito estados da interpolação
                     (Bahia, Espírito Santo, Goiás, Minas Gerais, Paraná, Rio
                     de Janeiro, São Paulo e Tocantins) entram, e um ponto de
                     outro estado recebe um aviso que o diz.
  --hietograma TR,D,DT[,r[,MÉTODO]]
                     um ponto: chuva de projeto, Tr em anos, duração total D e
                     intervalo DT em minutos (DT divide D; D até 7 dias; até
                     10000 blocos), pico na fração r de D (0 a 1, padrão 0.5:
                     no centro; vazio também é 0.5). MÉTODO: blocos (blocos
                     alternados, o padrão), chicago (Keifer e Chu: as curvas
                     de intensidade antes e depois do pico tiradas da equação)
                     ou huff1 a huff4 (curvas medianas de Huff do 1º ao 4º
                     quartil; r não conta). Sai em CSV no formato escolhido:
                     início, fim, altura, intensidade e altura acumulada de
                     cada intervalo. Com -o ARQ.dat sai só a série temporal do
                     EPA SWMM ("h:mm intensidade" em mm/h); com -o ARQ.inp, as
                     seções [RAINGAGES] (formato INTENSITY, o intervalo DT) e
                     [TIMESERIES] com a série, para colar num .inp.
  --hec-hms          com --hietograma: sai só o padrão da chuva para o
                     HEC-HMS, CSV de tempo (min) e fração acumulada da altura.
  --vazao A,C,TC,TR ou --vazao A,C,L:H,TR
                     um ponto: vazão de pico pelo método racional,
                     Q = C·i·A/3,6 (m³/s), com A em km², C de 0 a 1, o tempo
                     de concentração TC em minutos ou, com L:H, por Kirpich,
                     tc = 57·(L³/H)^0,385 (L em km, H em m), e i = i(Tr, tc).
                     O método vale para áreas até cerca de 2 km²: além disso,
                     e com tc fora de 5 a 1440 min ou Tr fora de 2 a 100 anos,
                     sai uma nota.
  --duracao-intensidade LISTA
                     um ponto, com --tr: a duração (min) em que a intensidade
                     média, e a instantânea, valem cada i (mm/h) dado.
  --duracao-altura LISTA
                     um ponto, com --tr: a duração (min) em que a altura de
                     chuva vale cada P (mm) dado.
  --tr-evento T,P    um ponto: o tempo de retorno (anos) de uma chuva
                     observada de P mm em T minutos, com uma nota quando fica
                     fora de 2 a 100 anos (extrapolação). Em muitos pontos, as
                     colunas t e P do CSV (nomeadas no cabeçalho) dão o tempo
                     de retorno de cada linha.
  --fonte estacoes|grade|ambas
                     de onde vêm K, a, b e c: das estações (padrão), da grade
                     nacional GRIDF-BR (a célula de 0,1° que contém o ponto,
                     com o R² e o valor-p do teste de Kolmogorov-Smirnov da
                     célula) ou das duas; com ambas, os valores da grade
                     seguem os das estações com o prefixo grade_, mais
                     dif_i10_60, a diferença relativa de i(10, 60) da grade
                     em relação às estações. Uma célula sem valor (mar,
                     litoral) toma o da vizinha mais próxima a até uma
                     célula; senão, "sem dado na grade". Com --grade e
                     --fonte grade, o GeoTIFF tem as próprias células da
                     grade nacional que tocam a área (WGS 84), sem reamostrar.
                     A grade não sai em JSON: --json vale só com as estações.
  --desagregacao-grade raster|estacao|cetesb
                     como a grade desagregou as chuvas diárias: razões das
                     estações telemétricas interpoladas no país (raster,
                     padrão), as da estação telemétrica mais próxima
                     (estacao) ou as razões fixas da CETESB (cetesb).
  --json             a resposta em JSON (números como números, coordenadas
                     como os textos usados e em graus decimais com sinal,
                     fonte e citação, avisos numa lista); com --entrada, um
                     objeto JSON por linha (JSON Lines). Com -o, a saída é
                     JSON em qualquer caso: .json, .jsonl, .txt ou sem
                     extensão. O esquema é o arquivo
                     tormel21-consulta.schema.json.
  --dados PASTA      pasta dos arquivos de dados (padrão: "../Arquivos Comuns/"
                     ao lado da pasta do programa).
  --tarefas N        número de linhas de execução no cálculo de muitos pontos
                     ou da grade (padrão: uma por núcleo; no máximo 256).
  --grade ARQ        em vez de pontos, uma grade (SIRGAS 2000,
                     EPSG:4674, graus com sul e oeste negativos) com uma banda
                     Float64 por parâmetro (K, a, b, c) ou, com --tr e
                     --duracoes, uma banda de intensidade (mm/h) por par
                     (i_Tr10_t60 ...). Cada célula tem o valor do texto de
                     coordenada do seu centro (segundos truncados): a consulta
                     desse texto dá o valor da célula. O formato é o da
                     extensão: .tif (GeoTIFF otimizado para a nuvem, DEFLATE),
                     .nc (NetCDF), .img (Erdas Imagine), .asc (grade ASCII) e
                     .xyz (uma banda só: um --tr e uma --duracoes).
  --area LATMIN,LATMAX,LONMIN,LONMAX
                     caixa da grade em graus decimais com sinal (sul e oeste
                     negativos); padrão: a caixa dos estados da interpolação,
                     -27,-5,-55,-37. A grade começa no canto noroeste.
  --passo SEGUNDOS   lado da célula em segundos de arco (padrão 60).
  -h, --help         esta ajuda.
  --version          versão.

Saída de muitos pontos (CSV UTF-8): todas as colunas da entrada, na ordem
(um nome igual ao de uma coluna do resultado ganha "_entrada"), e então
latitude, longitude (os textos usados), lat_decimal, lon_decimal (seus graus
decimais, sul e oeste negativos), local (nome da estação ou "Interpolação"),
K, a, b, c, fonte, as colunas i_Tr<Tr>_t<t> e P_Tr<Tr>_t<t> pedidas, as de
--confianca (ou só aviso), tr_evento e nota_tr_evento quando a entrada tem as
colunas t e P, e erro. Uma linha com erro sai com o campo erro preenchido e a
mensagem vai à saída de erro com o número da linha; as demais são calculadas.
Números com até 15 algarismos significativos.

Avisos: um ponto fora do Brasil, ou mais longe que 50 km de toda estação, ou
fora da área cercada pelas estações tem a resposta com um aviso na saída de
erro (e na coluna aviso de muitos pontos); o estado de saída segue 0.
Com --saida e --hietograma, o arquivo tem só o CSV dos blocos e o resto da
resposta vai à saída de erro; com -o .dat ou .inp, ou --hec-hms, sai só a
chuva no formato do modelo.

Estado de saída: 0 tudo certo; 1 dado ruim (coordenada, linha do CSV,
arquivo de dados ausente ou ilegível); 2 linha de comando inválida.
)";
}
