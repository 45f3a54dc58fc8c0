// Query window: the stations on the maps ("Mostrar estações"), the
// contributing stations of the current place ("Estações da interpolação"),
// the warning in the source button's hint and the window's [OPCOES].
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

#include "database/Coordenadas.h"
#include "database/GeoReferencia.h"
#include "model/EquacaoIdf.h"
#include "platform/ArquivoIni.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "ui/CamadaEstacoes.h"
#include "ui/FoConsulta.h"
#include "ui/FoEstacoesInterpolacao.h"
#include "ui/Imagem.h"

namespace {
const char* const kSecaoOpcoes = "OPCOES";
QString Q(const AnsiString& ansi) { return QString::fromStdString(Cp1252ToUtf8(ansi)); }
}  // namespace

void TfrmFoConsulta::LeOpcoes() {
    if (ArquivoConfiguracao.empty()) return;
    const TArquivoIni ini(ArquivoConfiguracao);
    MostrarEstacoes1->setChecked(ini.ReadInteger(kSecaoOpcoes, "MostrarEstacoes", 0) != 0);
    const double aviso = ini.ReadFloat(kSecaoOpcoes, "DistanciaDeAviso", DistanciaDeAvisoPadrao);
    DistanciaDeAviso = aviso > 0 ? aviso : DistanciaDeAvisoPadrao;
    chaveCamadas_.clear();
    chaveDica_ = "?";
    LeOpcoesGrade();
    AtualizaComandos();
}

// Only a changed choice is written, so a file (or a first run) that never
// used the dots stays as it was.
void TfrmFoConsulta::GravaOpcoes() {
    if (ArquivoConfiguracao.empty()) return;
    GravaOpcoesGrade();
    const bool mostrar = MostrarEstacoes1->isChecked();
    if ((TArquivoIni(ArquivoConfiguracao).ReadInteger(kSecaoOpcoes, "MostrarEstacoes", 0) != 0) == mostrar) return;
    CriaPasta(ArquivoConfiguracao.substr(0, ArquivoConfiguracao.rfind('/') + 1));   // the user's folder on a first write
    TArquivoIni ini(ArquivoConfiguracao);
    ini.EmLote([&] { ini.WriteInteger(kSecaoOpcoes, "MostrarEstacoes", mostrar ? 1 : 0); });
}

bool TfrmFoConsulta::LugarEhEstacao() const {
    return LBEstacao->currentRow() >= 0 && EstacaoDaPosicao(LBEstacao->currentRow()) >= 0;
}

// Built once for the stations loaded (the hull of half a million stations
// takes a while), again only if the pool or the warning distance changes.
const TAvaliadorConfianca& TfrmFoConsulta::Avaliador() const {
    if (!avaliador_ || poolDoAvaliador_ != &BD->Pool() || distanciaDoAvaliador_ != DistanciaDeAviso) {
        avaliador_ = std::make_unique<TAvaliadorConfianca>(BD->Pool(), DistanciaDeAviso);
        poolDoAvaliador_ = &BD->Pool();
        distanciaDoAvaliador_ = DistanciaDeAviso;
    }
    return *avaliador_;
}

TConfianca TfrmFoConsulta::ConfiancaDoLugar() const { return Avaliador().Avalia(LatitudeText, LongitudeText); }

QString TfrmFoConsulta::AvisoAtual() const {
    if (!BD || LugarEhEstacao() || !TemParametros()) return {};
    return Q(Avaliador().Resumo(LatitudeText, LongitudeText).Aviso());
}

void TfrmFoConsulta::MostrarEstacoes1Click() { AtualizaEstacoesNoMapa(); }

// The dots of the shown state on its map and of every state on the Brazil
// page, from the core's geo-references; redrawn only when what they show
// changes (this runs after every handler, pointer moves included).
void TfrmFoConsulta::AtualizaEstacoesNoMapa() {
    if (!BD || !Estado) return;
    const bool mostrar = MostrarEstacoes1->isChecked();
    const int estado = Estado->Indice;
    const int destaque = LugarEhEstacao() ? EstacaoDaPosicao(LBEstacao->currentRow()) : -1;
    std::vector<int> chave{mostrar, estado, destaque, EstadoBMP->isHidden()};
    if (chave == chaveCamadas_) return;
    chaveCamadas_ = std::move(chave);
    CamadaBrasil->setVisible(mostrar);
    CamadaEstado->setVisible(mostrar && !EstadoBMP->isHidden());
    if (!mostrar) return;

    // Centre of the pixel the position falls on, as the crosshair marks it.
    auto centro = [](double x, double y) {
        return QPointF(PixelArredondado(x) + 0.5, PixelArredondado(y) + 0.5);
    };
    const TEstadoComMapa* mapa = estado >= 0 && estado < NumEstados ? EstadoComMapa(estado) : nullptr;
    std::vector<QPointF> brasil, doEstado;
    int destaqueBrasil = -1, destaqueEstado = -1;
    for (int uf = 0; uf < NumEstados; ++uf) {
        const auto& estacoes = BD->Estacoes[static_cast<std::size_t>(uf)];
        for (std::size_t i = 0; i < estacoes.size(); ++i) {
            double lat = 0, lon = 0;
            try {
                lat = ParseDms(estacoes[i].Latitude.Text());
                if (BD->AoNorte(uf, i)) lat = -lat;   // degrees south here
                lon = ParseDms(estacoes[i].Longitude.Text());
            } catch (const EConvertError&) {
                continue;   // a station that stands nowhere has no dot
            }
            const bool atual = uf == estado && static_cast<int>(i) == destaque;
            if (atual) destaqueBrasil = static_cast<int>(brasil.size());
            brasil.push_back(centro(GeoReferenciaBrasil.XOfLongitude(lon), GeoReferenciaBrasil.YOfLatitude(lat)));
            if (uf == estado && mapa) {
                if (atual) destaqueEstado = static_cast<int>(doEstado.size());
                doEstado.push_back(centro(mapa->XOfLongitude(lon), mapa->YOfLatitude(lat)));
            }
        }
    }
    CamadaBrasil->DefinePontos(std::move(brasil), destaqueBrasil);
    CamadaEstado->DefinePontos(std::move(doEstado), destaqueEstado);
}

// The warning of the current place in the source button's hint, worked out
// again only when the place changes.
void TfrmFoConsulta::AtualizaDicaAutor() {
    if (!BD) return;
    const bool interpolado = TemParametros() && !LugarEhEstacao();
    const std::string chave = interpolado ? LatitudeText + '|' + LongitudeText : std::string();
    if (chave == chaveDica_) return;
    chaveDica_ = chave;
    QString aviso;
    // A place whose interpolation fails has had its error shown by the
    // handler that took it; the hint then says nothing more.
    if (interpolado) {
        try {
            aviso = Q(Avaliador().Resumo(LatitudeText, LongitudeText).Aviso());
        } catch (const Exception&) {
        }
    }
    Autor->setToolTip(aviso);
}

void TfrmFoConsulta::EstacoesInterpolacao1Click() {
    if (!TemParametros()) return;
    TDadosEstacoesInterpolacao d;
    const QString estado = EstadoDoLugar();
    d.Lugar = NomeDoLugar() + (estado.isEmpty() ? QString() : QString::fromUtf8(" — ") + estado);
    if (!LugarEhPonto())
        d.Lugar += QStringLiteral(", latitude %1, longitude %2 W")
                       .arg(LatitudeDoLugar() + (lugarAoNorte_ ? QString() : QStringLiteral(" S")), Q(LongitudeText));
    const TEstacao p = RegistroDoLugar();
    try {
        d.ILugar = ValoresDeProjeto(p.K, p.a, p.b, p.c, TrComparacao, DuracaoComparacao).Intensidade;
    } catch (const Exception&) {
        d.ILugar.reset();   // no value of the equation there: the dialog shows a dash
    }
    d.Confianca = ConfiancaDoLugar();
    if (LugarEhEstacao()) {
        // The station's own record, whatever the pool holds at its coordinates;
        // the spread of its five nearest stays.
        d.Tipo = TDadosEstacoesInterpolacao::TTipo::Estacao;
        d.Confianca.Exata = true;
        d.Confianca.Longe = d.Confianca.ForaDaEnvoltoria = false;
        d.Confianca.Estacoes = {{&CurrentRecord, Estado->Indice, 0, 1, d.ILugar}};
        // North of the equator the pool's stations were found about the
        // station's mirror image: their spread says nothing of it.
        if (lugarAoNorte_) d.Confianca.MenorI = d.Confianca.MaiorI = std::nullopt;
    } else {
        d.Tipo = d.Confianca.Exata ? TDadosEstacoesInterpolacao::TTipo::NaEstacao
                                   : TDadosEstacoesInterpolacao::TTipo::Interpolado;
        d.Substantivo = QString::fromUtf8(LBLocalidade->currentRow() >= 0 ? "Esta localidade" : "Este ponto");
    }
    MostraEstacoesInterpolacao(this, std::move(d), SeparadorDecimal(), ajuda_);
}
