// Query window: the national grid (GRIDF-BR). "Comparar com a grade
// nacional" adds the grid's cell to the curves window, the disaggregation is
// chosen beside it, "Mapa de intensidades" colours the Brazil page with the
// grid's i(10, 60), and in the states without a data source a click on the
// Brazil page opens the curves window on the grid alone. The choices live
// in [OPCOES].
#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "curvas/FoCurvasIdf.h"
#include "database/Coordenadas.h"
#include "database/GeoReferencia.h"
#include "platform/ArquivoIni.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "ui/CamadaEstacoes.h"
#include "ui/CamadaIntensidades.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"
#include "ui/PontoNaGrade.h"

namespace {
const char* const kSecaoOpcoes = "OPCOES";
QString T(const char* utf8) { return QString::fromUtf8(utf8); }
QString Q(const AnsiString& ansi) { return QString::fromStdString(Cp1252ToUtf8(ansi)); }

struct TOpcaoDesagregacao {
    const char* Rotulo;
    const char* Ajuda;
};
constexpr TOpcaoDesagregacao kDesagregacoes[NumeroDesagregacoes] = {
    {"Grade: desagregação RASTER",
     "Razões de desagregação da chuva diária tiradas das estações telemétricas da rede nacional e interpoladas "
     "sobre o país (padrão)."},
    {"Grade: desagregação STATION",
     "Razões de desagregação da estação telemétrica mais próxima de cada célula."},
    {"Grade: desagregação CETESB",
     "Razões fixas de desagregação da CETESB (1986), as mesmas em todo o país."},
};

// Brazil-page colours of the states without a data source, and their names.
struct TEstadoSemFonte {
    int R, G, B;
    const char* Nome;   // UTF-8
};
constexpr TEstadoSemFonte kSemFonte[] = {
    {13, 13, 13, "Distrito Federal"}, {102, 102, 0, "Sergipe"}, {51, 204, 0, "Roraima"}, {0, 204, 0, "Amapá"}};

// A signed position as the coordinate texts and their hemisphere.
QString TextoComHemisferio(double graus, const char* negativo, const char* positivo) {
    return Q(TextoDeGrausDecimais(std::fabs(graus))) + T(graus < 0 ? negativo : positivo);
}

// The grid stores single-precision numbers: shown by their shortest decimal
// (1354.831, not 1354.83117675781).
double Curto(double v) {
    char texto[32];
    const auto fim = std::to_chars(texto, texto + sizeof texto, static_cast<float>(v)).ptr;
    return std::strtod(std::string(texto, fim).c_str(), nullptr);
}

TGradeDoLugar GradeDoLugar(const TValorGrade& v, TDesagregacaoGrade d, bool comparar) {
    const TCelulaGrade& c = v.Celula;
    TGradeDoLugar g;
    g.Parametros = {Curto(c.K()), Curto(c.A()), Curto(c.B()), Curto(c.C())};
    g.R2 = Curto(c.R2());
    g.KsP = Curto(c.KsP());
    g.Desagregacao = T(NomeDesagregacao(d));
    g.Celula = TextoComHemisferio(c.LatitudeCentro, " S", " N") + T(", ") +
               TextoComHemisferio(c.LongitudeCentro, " W", " E");
    g.DaVizinha = v.DaVizinha;
    g.Comparar = comparar;
    return g;
}
}  // namespace

void TfrmFoConsulta::MontaMenuGrade(QMenu* exibir) {
    exibir->setToolTipsVisible(true);
    exibir->addSeparator();
    CompararComGrade1 = exibir->addAction(T("Comparar com a grade nacional"));
    CompararComGrade1->setCheckable(true);
    CompararComGrade1->setToolTip(
        T("As Curvas IDF mostram, ao lado das do lugar, as da grade nacional GRIDF-BR na célula de 0,1° que "
          "contém o ponto; nos estados sem fonte de dados, um clique no mapa do Brasil as mostra sozinhas."));
    auto* grupo = new QActionGroup(this);
    grupo->setExclusive(true);
    for (int d = 0; d < NumeroDesagregacoes; ++d) {
        QAction* a = exibir->addAction(T(kDesagregacoes[d].Rotulo));
        a->setCheckable(true);
        a->setToolTip(T(kDesagregacoes[d].Ajuda));
        grupo->addAction(a);
        DesagregacaoGrade1[static_cast<std::size_t>(d)] = a;
        connect(a, &QAction::triggered, this, Acao([this] { AtualizaMapaDeIntensidades(); }));
    }
    DesagregacaoGrade1[0]->setChecked(true);
    MapaDeIntensidades1 = exibir->addAction(T("Mapa de intensidades"));
    MapaDeIntensidades1->setCheckable(true);
    MapaDeIntensidades1->setToolTip(
        T("Colore o mapa do Brasil com a intensidade i(10, 60) da grade nacional (Tr = 10 anos, t = 60 min), "
          "em mm/h."));
    PontoNaGrade1 = exibir->addAction(T("Ponto na grade nacional..."));
    PontoNaGrade1->setToolTip(T("Nos estados sem fonte de dados, com a comparação ligada: as Curvas IDF da grade "
                                "nacional num ponto digitado."));
    connect(exibir, &QMenu::aboutToShow, this, [this] {
        const QString estado = Estado ? Q(Estado->Nome()) : QString();
        bool semFonte = false;
        for (const auto& e : kSemFonte) semFonte = semFonte || estado == T(e.Nome);
        PontoNaGrade1->setEnabled(semFonte && CompararComGrade1->isChecked());
    });
    connect(PontoNaGrade1, &QAction::triggered, this, Acao([this] { PontoNaGrade1Click(); }));
    connect(CompararComGrade1, &QAction::triggered, this, Acao([this] { CompararComGrade1Click(); }));
    connect(MapaDeIntensidades1, &QAction::triggered, this, Acao([this] { MapaDeIntensidades1Click(); }));
}

void TfrmFoConsulta::CompararComGrade1Click() {
    if (CompararComGrade1->isChecked()) (void)GradeNacional();   // a missing file is said now
}

void TfrmFoConsulta::MapaDeIntensidades1Click() { AtualizaMapaDeIntensidades(); }

TDesagregacaoGrade TfrmFoConsulta::DesagregacaoGrade() const {
    for (int d = 0; d < NumeroDesagregacoes; ++d)
        if (DesagregacaoGrade1[static_cast<std::size_t>(d)]->isChecked()) return static_cast<TDesagregacaoGrade>(d);
    return TDesagregacaoGrade::Raster;
}

const TGradeNacional& TfrmFoConsulta::GradeNacional() const {
    if (!gradeNacional_) {
        const std::string estacoes = BD->CaminhoEstacoes();
        auto grade = std::make_unique<TGradeNacional>();
        grade->Carrega(estacoes.substr(0, estacoes.rfind('/') + 1) + TGradeNacional::NomeArquivo);
        gradeNacional_ = std::move(grade);
    }
    return *gradeNacional_;
}

void TfrmFoConsulta::AtualizaMapaDeIntensidades() {
    const bool mostrar = MapaDeIntensidades1->isChecked();
    if (!mostrar) {
        if (CamadaIntensidades) CamadaIntensidades->hide();
        return;
    }
    if (!CamadaIntensidades) {
        CamadaIntensidades = new TCamadaIntensidades(BrasilBMP->parentWidget());
        CamadaIntensidades->setGeometry(BrasilBMP->geometry());
        CamadaIntensidades->stackUnder(CamadaBrasil);   // under the dots and the place labels
    }
    if (!CamadaIntensidades->Definida() || CamadaIntensidades->Desagregacao() != DesagregacaoGrade())
        CamadaIntensidades->Define(GradeNacional(), DesagregacaoGrade());
    CamadaIntensidades->show();
}

void TfrmFoConsulta::LeOpcoesGrade() {
    const TArquivoIni ini(ArquivoConfiguracao);
    CompararComGrade1->setChecked(ini.ReadInteger(kSecaoOpcoes, "CompararComGrade", 0) != 0);
    MapaDeIntensidades1->setChecked(ini.ReadInteger(kSecaoOpcoes, "MapaDeIntensidades", 0) != 0);
    const auto d = DesagregacaoDaChave(ini.ReadString(kSecaoOpcoes, "DesagregacaoGrade", "raster"));
    DesagregacaoGrade1[static_cast<std::size_t>(d ? *d : TDesagregacaoGrade::Raster)]->setChecked(true);
    // A grid file that cannot be read must not stop the window: the layer
    // waits for the user's next choice, which then shows the error.
    try {
        AtualizaMapaDeIntensidades();
    } catch (const Exception&) {
        MapaDeIntensidades1->setChecked(false);
    }
}

// Only a changed choice is written, as for MostrarEstacoes.
void TfrmFoConsulta::GravaOpcoesGrade() {
    const TArquivoIni lido(ArquivoConfiguracao);
    const bool comparar = CompararComGrade1->isChecked(), mapa = MapaDeIntensidades1->isChecked();
    const AnsiString chave = ChaveDesagregacao(DesagregacaoGrade());
    if ((lido.ReadInteger(kSecaoOpcoes, "CompararComGrade", 0) != 0) == comparar &&
        (lido.ReadInteger(kSecaoOpcoes, "MapaDeIntensidades", 0) != 0) == mapa &&
        DesagregacaoDaChave(lido.ReadString(kSecaoOpcoes, "DesagregacaoGrade", "raster")) == DesagregacaoGrade())
        return;
    CriaPasta(ArquivoConfiguracao.substr(0, ArquivoConfiguracao.rfind('/') + 1));
    TArquivoIni ini(ArquivoConfiguracao);
    ini.EmLote([&] {
        ini.WriteInteger(kSecaoOpcoes, "CompararComGrade", comparar ? 1 : 0);
        ini.WriteString(kSecaoOpcoes, "DesagregacaoGrade", chave);
        ini.WriteInteger(kSecaoOpcoes, "MapaDeIntensidades", mapa ? 1 : 0);
    });
}

void TfrmFoConsulta::AcrescentaGrade(TLugarIdf& lugar) const {
    if (!CompararComGrade1 || !CompararComGrade1->isChecked()) return;
    const double lat = GrausDecimaisComSinal(LatitudeText);
    const auto v = GradeNacional().Valor(DesagregacaoGrade(), lugarAoNorte_ ? -lat : lat,
                                         GrausDecimaisComSinal(LongitudeText));
    if (!v) {
        lugar.Aviso += (lugar.Aviso.isEmpty() ? QString() : T(" ")) + T("Grade nacional: ") +
                       T(TextoSemDadoNaGrade) + T(".");
        return;
    }
    lugar.Grade = GradeDoLugar(*v, DesagregacaoGrade(), true);
}

bool TfrmFoConsulta::AbreGradeNoBrasil(const QColor& cor, int x, int y) {
    if (!CompararComGrade1->isChecked() || !cor.isValid()) return false;
    const TEstadoSemFonte* estado = nullptr;
    for (const auto& e : kSemFonte)
        if (cor.red() == e.R && cor.green() == e.G && cor.blue() == e.B) estado = &e;
    if (!estado) return false;
    // Signed degrees of the pixel's centre (north and east positive).
    AbreCurvasDaGrade(-GeoReferenciaBrasil.LatitudeOfY(y + 0.5), -GeoReferenciaBrasil.LongitudeOfX(x + 0.5),
                      T(estado->Nome));
    return true;
}

void TfrmFoConsulta::PontoNaGrade1Click() {
    if (!PontoNaGrade1->isEnabled()) return;
    AnsiString latitude, longitude;
    if (!PedePontoNaGrade(this, latitude, longitude)) return;
    AbreCurvasDaGrade(-ParseDms(latitude), -ParseDms(longitude), Q(Estado->Nome()));
}

void TfrmFoConsulta::AbreCurvasDaGrade(double lat, double lon, const QString& estado) {
    const auto v = GradeNacional().Valor(DesagregacaoGrade(), lat, lon);
    if (!v) throw Exception(Ansi("Grade nacional: sem dado na grade neste ponto."));
    TLugarIdf lugar;
    lugar.Nome = T("Ponto na grade nacional");
    lugar.Estado = estado;
    lugar.Latitude = lat < 0 ? Q(TextoDeGrausDecimais(-lat)) : TextoComHemisferio(lat, "", " N");
    lugar.Longitude = Q(TextoDeGrausDecimais(-lon));
    lugar.Grade = GradeDoLugar(*v, DesagregacaoGrade(), false);
    lugar.Parametros = lugar.Grade->Parametros;
    lugar.Fonte = T(FonteDaGradeNacional);
    MostraCurvasIdf(this, lugar, ajuda_, ArquivoConfiguracao);
}
