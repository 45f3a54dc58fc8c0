#include "RespostaGrade.h"

#include <cmath>

#include "ParesIdf.h"
#include "database/Coordenadas.h"
#include "model/EquacaoIdf.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

const char* const FonteGradeNacional = "GRIDF-BR (grade nacional)";

namespace {
const char* const kNomesBandas[NumeroBandasGrade] = {"K", "a", "b", "c", "R2", "KS_p"};

std::string Numero(double v, char dec) { return std::isnan(v) ? std::string() : FloatToStr(v, dec); }
}  // namespace

std::unique_ptr<TGradeNacional> CarregaGradeDasOpcoes(const TOpcoesConsulta& o, const std::string& pastaDados) {
    if (o.Fonte == TOpcoesConsulta::TFonte::Estacoes) return nullptr;
    auto grade = std::make_unique<TGradeNacional>();
    grade->Carrega(pastaDados + TGradeNacional::NomeArquivo);
    return grade;
}

TRespostaGrade RespostaDaGrade(const TGradeNacional& grade, const TOpcoesConsulta& o, const AnsiString& latitude,
                               const AnsiString& longitude) {
    const auto v = grade.Valor(o.Desagregacao, GrausDecimaisComSinal(latitude), GrausDecimaisComSinal(longitude));
    if (!v) throw EConvertError(TextoSemDadoNaGrade);
    const TCelulaGrade& c = v->Celula;
    return {*v, ValoresDosPares(c.K(), c.A(), c.B(), c.C(), o.Tr, o.Duracoes, o.Dialeto.Decimal)};
}

std::optional<double> DiferencaRelativa10x60(const TCelulaGrade& grade, double K, double a, double b, double c) {
    const auto ig = Intensidade10x60(grade);
    if (!ig) return std::nullopt;
    try {
        const double ie = ValoresDeProjeto(K, a, b, c, 10, 60).Intensidade;
        if (!(ie != 0) || !std::isfinite(ie)) return std::nullopt;
        return (*ig - ie) / ie;
    } catch (const EMathError&) {
        return std::nullopt;
    }
}

std::vector<std::string> ColunasGrade(const TOpcoesConsulta& o, char decimal) {
    std::vector<std::string> nomes;
    for (const char* b : kNomesBandas) nomes.push_back(std::string("grade_") + b);
    for (double tr : o.Tr)
        for (double t : o.Duracoes) {
            const std::string sufixo = "_Tr" + FloatToStr(tr, decimal) + "_t" + FloatToStr(t, decimal);
            nomes.push_back("grade_i" + sufixo);
            nomes.push_back("grade_P" + sufixo);
        }
    if (o.Fonte == TOpcoesConsulta::TFonte::Ambas) nomes.push_back("dif_i10_60");
    return nomes;
}

std::vector<std::string> CamposGrade(const TRespostaGrade& r, const TOpcoesConsulta& o,
                                     const std::optional<std::array<double, 4>>& estacoes) {
    const char dec = o.Dialeto.Decimal;
    std::vector<std::string> campos;
    for (double v : r.Valor.Celula.Valores) campos.push_back(Numero(v, dec));
    for (double v : r.Pares) campos.push_back(FloatToStr(v, dec));
    if (o.Fonte == TOpcoesConsulta::TFonte::Ambas) {
        std::optional<double> dif;
        if (estacoes) dif = DiferencaRelativa10x60(r.Valor.Celula, (*estacoes)[0], (*estacoes)[1], (*estacoes)[2],
                                                   (*estacoes)[3]);
        campos.push_back(dif ? FloatToStr(*dif, dec) : std::string());
    }
    return campos;
}

void EscreveRespostaGrade(const TRespostaGrade& r, const TGradeNacional& grade, const TOpcoesConsulta& o,
                          const std::optional<std::array<double, 4>>& estacoes, std::ostream& saida) {
    const char dec = o.Dialeto.Decimal;
    const std::vector<std::string> nomes = ColunasGrade(o, dec);
    const std::vector<std::string> campos = CamposGrade(r, o, estacoes);
    const TCelulaGrade& c = r.Valor.Celula;
    saida << "grade_fonte: " << FonteGradeNacional << ", " << NomeDesagregacao(o.Desagregacao) << '\n'
          << "grade_celula: " << FloatToStr(c.LatitudeCentro, dec) << ' ' << FloatToStr(c.LongitudeCentro, dec)
          << " (centro, graus; lado " << FloatToStr(grade.Dx(), dec) << ")"
          << (r.Valor.DaVizinha ? " \xE2\x80\x94 vizinha: a c\xC3\xA9lula do ponto n\xC3\xA3o tem valor" : "") << '\n';
    // The six bands, then dif_i10_60; the pairs go to their own table below.
    for (int b = 0; b < NumeroBandasGrade; ++b)
        saida << nomes[static_cast<std::size_t>(b)] << ": " << campos[static_cast<std::size_t>(b)] << '\n';
    if (o.Fonte == TOpcoesConsulta::TFonte::Ambas) saida << "dif_i10_60: " << campos.back() << '\n';
    if (!o.Duracoes.empty()) {
        saida << "\nTr (anos)\tt (min)\tgrade_i (mm/h)\tgrade_P (mm)\n";
        std::size_t v = 0;
        for (double tr : o.Tr)
            for (double t : o.Duracoes) {
                saida << FloatToStr(tr, dec) << '\t' << FloatToStr(t, dec) << '\t' << FloatToStr(r.Pares[v], dec)
                      << '\t' << FloatToStr(r.Pares[v + 1], dec) << '\n';
                v += 2;
            }
    }
}
