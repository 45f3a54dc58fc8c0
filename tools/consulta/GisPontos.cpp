#include "GisPontos.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <memory>
#include <string>
#include <vector>

#include "ConsultaLote.h"
#include "GisComum.h"
#include "database/Coordenadas.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

namespace {

struct TFechaGdal {
    void operator()(GDALDataset* d) const { GDALClose(d); }
};

const AnsiString kInterpolacao = "Interpola\xE7\xE3o";

}  // namespace

std::vector<std::string> NomesCurtos(const std::vector<std::string>& nomes) {
    static const std::pair<const char*, const char*> kAbreviados[] = {
        {"lat_decimal", "lat_dec"},      {"lon_decimal", "lon_dec"},   {"estacao_proxima", "est_prox"},
        {"distancia_km", "dist_km"},     {"estacoes_25km", "est_25km"}, {"estacoes_50km", "est_50km"},
        {"nota_tr_evento", "nota_tr_ev"},
    };
    auto chave = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    std::vector<std::string> r;
    std::set<std::string> usados;
    for (const std::string& nome : nomes) {
        std::string curto = nome;
        for (const auto& [longo, abreviado] : kAbreviados)
            if (nome == longo) curto = abreviado;
        for (char& c : curto)
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') c = '_';
        if (curto.size() > 10) curto.resize(10);
        const std::string base = curto;
        for (int k = 1; usados.count(chave(curto)); ++k) {
            const std::string sufixo = "_" + std::to_string(k);
            curto = base.substr(0, std::min(base.size(), 10 - sufixo.size())) + sufixo;
        }
        usados.insert(chave(curto));
        r.push_back(curto);
    }
    return r;
}

std::size_t GravaPontosGis(const TPoolInterpolacao& pool, const TOpcoesConsulta& opcoes, std::istream& entrada,
                           std::ostream& erros) {
    // The target is checked before any work: a folder, a pipe or a device
    // is refused at once.
    Gis::TArquivoTemporario temporario(opcoes.Saida);
    const TConsultaLote lote(pool, opcoes);
    TEntradaLote colunas;
    const std::vector<TConsultaLote::TPonto> pontos = lote.LePontos(entrada, &colunas);
    const std::vector<TConsultaLote::TResultado> resultados = lote.Calcula(pontos, &erros);
    TConsultaLote::DizErroDosDados(resultados, erros);

    Gis::Inicializa();
    const TFormatoGis* formato = FormatoDePontos(opcoes.Saida);
    const std::string nomeDriver = formato ? formato->Driver : "";
    const bool geojson = nomeDriver == "GeoJSON", shapefile = nomeDriver == "ESRI Shapefile";
    GDALDriver* driver = formato ? GetGDALDriverManager()->GetDriverByName(formato->Driver) : nullptr;
    if (!driver) Gis::Falha(Ansi("O GDAL não tem o formato para escrever"), opcoes.Saida);
    std::unique_ptr<GDALDataset, TFechaGdal> ds(
        driver->Create(temporario.Caminho().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!ds) Gis::Falha(Ansi("Não foi possível criar o arquivo"), opcoes.Saida);
    // GeoJSON keeps every digit of the doubles, as the GeoPackage does.
    const char* const opcoesCamada[] = {geojson ? "SIGNIFICANT_FIGURES=17" : shapefile ? "ENCODING=UTF-8" : nullptr,
                                        nullptr};
    OGRLayer* camada = ds->CreateLayer("pontos", const_cast<OGRSpatialReference*>(&Gis::Sirgas2000()), wkbPoint, const_cast<char**>(opcoesCamada));
    if (!camada) Gis::Falha(Ansi("Não foi possível criar a camada de pontos em"), opcoes.Saida);

    // The columns of the CSV output: the input's as text, then the point's
    // coordinate texts; the decimal degrees, K, a, b, c, the design values
    // and the --confianca figures are numbers, the rest text.
    const std::vector<std::string> nomes = lote.Colunas('.', colunas);
    const std::size_t inicio = colunas.Colunas();               // first result column
    const std::size_t fimValores = inicio + 10 + 2 * opcoes.Tr.size() * opcoes.Duracoes.size();
    auto tipo = [&](std::size_t i) {
        if (i < inicio) return OFTString;
        const std::string& n = nomes[i];
        const std::size_t k = i - inicio;
        if ((k >= 2 && k < 4) || (k >= 5 && k < 9) || (i >= inicio + 10 && i < fimValores) || n == "distancia_km" ||
            n == "i10_60_min" || n == "i10_60_max" || n == "tr_evento")
            return OFTReal;
        return n == "estacoes_25km" || n == "estacoes_50km" ? OFTInteger : OFTString;
    };
    // A Shapefile keeps 10 characters of a name: the names are shortened
    // there so that no two read alike.
    const std::vector<std::string> nomesNoArquivo = shapefile ? NomesCurtos(nomes) : nomes;
    for (std::size_t i = 0; i < nomes.size(); ++i) {
        OGRFieldDefn definicao(nomesNoArquivo[i].c_str(), tipo(i));
        if (camada->CreateField(&definicao) != OGRERR_NONE)
            Gis::Falha(Ansi("Não foi possível criar a coluna ") + nomes[i] + Ansi(" em"), opcoes.Saida);
    }

    std::size_t falhas = 0;
    if (ds->StartTransaction() == OGRERR_FAILURE) Gis::Falha(Ansi("Não foi possível escrever o arquivo"), opcoes.Saida);
    for (std::size_t i = 0; i < pontos.size(); ++i) {
        const TConsultaLote::TPonto& p = pontos[i];
        const TConsultaLote::TResultado& r = resultados[i];
        const std::string erro = p.Erro.empty() ? r.Erro : p.Erro;
        OGRFeature f(camada->GetLayerDefn());
        for (std::size_t k = 0; k < p.Campos.size(); ++k) f.SetField(static_cast<int>(k), p.Campos[k].c_str());
        if (!erro.empty()) {
            ++falhas;
            if (r.ErroDosDados.empty())   // the data's fault was said once, above
                erros << "linha " << p.Linha << (p.Id.empty() ? "" : " (" + p.Id + ")") << ": " << erro << '\n';
            f.SetField(static_cast<int>(nomes.size() - 1), erro.c_str());
        } else {
            TConsultaLote::DizAviso(p, r, erros);
            // The CSV's result fields, with the extras (the --confianca
            // figures, the event's return period) as the CSV writes them;
            // GDAL reads numbers with a point.
            std::vector<std::string> resultado = lote.CamposDeResultado(p, r);
            resultado.insert(resultado.end(), r.Evento.begin(), r.Evento.end());
            for (std::size_t k = 0; k < resultado.size() && inicio + k < nomes.size() - 1; ++k) {
                std::string texto = resultado[k];
                const std::size_t campo = inicio + k;
                if (tipo(campo) != OFTString) std::replace(texto.begin(), texto.end(), ',', '.');
                if (!texto.empty()) f.SetField(static_cast<int>(campo), texto.c_str());
            }
            // The point stands where the input put it; the coordinate texts
            // used are its attributes.
            OGRPoint ponto(p.GrausLongitude, p.GrausLatitude);
            f.SetGeometry(&ponto);
        }
        // A text left empty is the empty text in every column (aviso, erro
        // and the rest alike), a missing number stays null.
        for (std::size_t k = 0; k < nomes.size(); ++k)
            if (tipo(k) == OFTString && !f.IsFieldSet(static_cast<int>(k))) f.SetField(static_cast<int>(k), "");
        if (camada->CreateFeature(&f) != OGRERR_NONE)
            Gis::Falha(Ansi("Não foi possível escrever o arquivo"), opcoes.Saida);
    }
    if (ds->CommitTransaction() == OGRERR_FAILURE) Gis::Falha(Ansi("Não foi possível escrever o arquivo"), opcoes.Saida);
    CPLErrorReset();
    ds.reset();
    if (CPLGetLastErrorType() >= CE_Failure) Gis::Falha(Ansi("Não foi possível concluir o arquivo"), opcoes.Saida);
    temporario.Conclui();
    return falhas;
}
