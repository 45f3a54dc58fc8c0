// Query window: state selection, the state map with its geo-reference, the
// crosshair marker and the setters of the current point.
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QStackedWidget>

#include <algorithm>
#include <numeric>

#include "database/Colacao.h"
#include "database/Coordenadas.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/PontoFlutuante.h"
#include "ui/FoConsulta.h"
#include "ui/Imagem.h"
#include "ui/LeituraMapaEstado.h"
#include "ui/MascaraCoordenada.h"

namespace {
enum class TGrupo { ComMapa, SemFonte, Outro };

TGrupo GrupoDoEstado(const QString& nome) {
    static const char* const comMapa[] = {"Bahia", "Espírito Santo", "Minas Gerais", "Paraná",
                                          "Rio de Janeiro", "São Paulo", "Tocantins"};
    static const char* const semFonte[] = {"Amapá", "Distrito Federal", "Roraima", "Sergipe"};
    for (const char* n : comMapa)
        if (nome == QString::fromUtf8(n)) return TGrupo::ComMapa;
    for (const char* n : semFonte)
        if (nome == QString::fromUtf8(n)) return TGrupo::SemFonte;
    return TGrupo::Outro;
}

// Screen-wide hourglass, put back also when an error leaves the handler.
class TCursorEspera {
public:
    TCursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TCursorEspera() { Restaura(); }
    void Restaura() {
        if (ativo_) QApplication::restoreOverrideCursor();
        ativo_ = false;
    }

private:
    bool ativo_ = true;
};

// Clears a flag when the scope ends, however it ends.
class TFlagTemporaria {
public:
    explicit TFlagTemporaria(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagTemporaria() { flag_ = false; }

private:
    bool& flag_;
};

template <class Registro>
std::vector<int> OrdemDosNomes(const std::vector<Registro>& registros) {
    // The collation key of each name, made once: the sort compares bytes.
    std::vector<AnsiString> chaves;
    chaves.reserve(registros.size());
    for (const Registro& r : registros) chaves.push_back(ChaveDeColacao(r.Nome.Vista()));
    std::vector<int> ordem(registros.size());
    std::iota(ordem.begin(), ordem.end(), 0);
    std::stable_sort(ordem.begin(), ordem.end(), [&](int a, int b) {
        return chaves[static_cast<std::size_t>(a)] < chaves[static_cast<std::size_t>(b)];
    });
    return ordem;
}

template <class Registro>
void PreencheLista(QListWidget* lista, const std::vector<Registro>& registros, const std::vector<int>& ordem) {
    const QSignalBlocker bloqueio(lista);
    lista->clear();
    QStringList itens;
    itens.reserve(static_cast<qsizetype>(ordem.size()));
    for (int i : ordem) {
        const std::string_view nome = registros[static_cast<std::size_t>(i)].Nome.Vista();
        QString item(static_cast<qsizetype>(nome.size()), Qt::Uninitialized);
        Cp1252ParaUtf16(nome, reinterpret_cast<char16_t*>(item.data()));
        itens.push_back(std::move(item));
    }
    lista->addItems(itens);
}

int Pixel(double v) { return static_cast<int>(Arredonda(v)); }
}  // namespace

void TfrmFoConsulta::EstadosClick() {
    TCursorEspera espera;
    ClearQueryDisplay();
    const int indice = Estados->currentIndex();
    const auto mapa = EstadoComMapa(indice);
    if (mapa) StateMapGeoRef = static_cast<const TGeoReferencia&>(*mapa);
    const int anterior = Estado->Indice;
    Estado->SetIndice(indice);
    BD->Localidades.clear();
    setWindowTitle(QStringLiteral("Tormel 2.1 - Estado: ") + QString::fromStdString(Cp1252ToUtf8(Estado->Nome())) +
                   QStringLiteral("     "));
    Autor->setEnabled(true);
    switch (GrupoDoEstado(Estados->currentText())) {
    case TGrupo::ComMapa: {
        Notebook1->setCurrentIndex(1);
        PrecLoAux->setEnabled(true);
        PrecLaAux->setEnabled(true);
        Calculalalo->setEnabled(true);
        const std::string caminho = PastaDados(pastaDoPrograma_) + (mapa ? mapa->Sigla : "") + ".bmp";
        if (!ArquivoExiste(caminho)) {
            espera.Restaura();
            FalhaBitmap(anterior);
        }
        // A map that cannot serve, or a locality file that cannot be read,
        // fails the selection as a missing map does: the previous state
        // comes back, so that the state, its map and its lists never part.
        try {
            EstadoBMP->SetImagem(LeMapaEstado(caminho, Estado->Nome()));
            estadoDoMapa_ = Estado->Indice;
            BD->CarregaLocalidades(Estado->Indice);
        } catch (const std::exception&) {
            espera.Restaura();
            VoltaAoEstado(anterior);
            throw;
        }
        EstadoBMP->show();
        break;
    }
    case TGrupo::SemFonte:
        // A data set with stations for the state shows them as any other
        // state without a map does; a previous state's map would otherwise
        // stay and refuse their positions.
        if (!BD->Estacoes[static_cast<std::size_t>(Estado->Indice)].empty()) {
            MostraPaginaDoBrasil();
            break;
        }
        SetLegendaAutor(QString());
        Autor->setEnabled(false);
        break;
    case TGrupo::Outro:
        MostraPaginaDoBrasil();
        break;
    }
    FillPlaceLists();
    espera.Restaura();
    if (ActivationMarker != "FormActivate" && !BD->Estacoes[static_cast<std::size_t>(Estado->Indice)].empty())
        LBEstacaoClick();
}

// The chosen state's bitmap is missing: go back to the previous state and
// fail. When there is no other state to go back to (the failing state was
// already current, or this is the going-back itself), the state stays chosen
// without its map instead of selecting itself again without end.
void TfrmFoConsulta::FalhaBitmap(int estadoAnterior) {
    const AnsiString mensagem =
        Ansi("Erro. Não foi possível localizar o arquivo BMP do estado selecinado (") + Estado->Nome() + ").";
    VoltaAoEstado(estadoAnterior);
    throw Exception(mensagem);
}

void TfrmFoConsulta::VoltaAoEstado(int estadoAnterior) {
    if (estadoAnterior != Estado->Indice && !restaurandoEstado_) {
        TFlagTemporaria restaurando(restaurandoEstado_);
        Estado->SetIndice(estadoAnterior);
        {
            const QSignalBlocker bloqueio(Estados);
            Estados->setCurrentIndex(estadoAnterior);
        }
        EstadosClick();
    } else {
        MostraEstadoSemMapa();
    }
}

void TfrmFoConsulta::MostraEstadoSemMapa() {
    MostraPaginaDoBrasil();
    FillPlaceLists();
    SelecionaLinha(LBEstacao, -1);
}

// The Brazil page as a state without a map shows it: coordinate entry off,
// no crosshair, the state map hidden.
void TfrmFoConsulta::MostraPaginaDoBrasil() {
    Notebook1->setCurrentIndex(0);
    PrecLoAux->setEnabled(false);
    PrecLaAux->setEnabled(false);
    Calculalalo->setEnabled(false);
    EixoX->hide();
    EixoY->hide();
    LabelLat->clear();
    LabelLon->clear();
    EstadoBMP->hide();
}

void TfrmFoConsulta::MapadoBrasil1Click() {
    if (GrupoDoEstado(Estados->currentText()) == TGrupo::ComMapa) {
        {
            const QSignalBlocker bloqueio(Estados);
            Estados->setCurrentIndex(0);
        }
        EstadosClick();
    }
    Notebook1->setCurrentIndex(0);
}

void TfrmFoConsulta::ClearQueryDisplay() {
    EixoX->hide();
    EixoY->hide();
    LabelLat->clear();
    LabelLon->clear();
    LabelLat->hide();
    LabelLon->hide();
    for (QLabel* p : {PrecK, PrecA, PrecB, PrecC}) p->clear();
    PrecLaAux->SetTexto(TextoCoordenadaZero);
    PrecLoAux->SetTexto(TextoCoordenadaZero);
    for (QLabel* r : {NomeCid, LatCid, LonCid, LabelLatitude, LabelLongitude}) r->hide();
}

void TfrmFoConsulta::FillPlaceLists() {
    if (BD->Localidades.empty()) {
        LBLocalidade->hide();
        LLocalidades->hide();
    } else {
        LBLocalidade->show();
        LLocalidades->show();
        mapaLocalidades_ = OrdemDosNomes(BD->Localidades);
        PreencheLista(LBLocalidade, BD->Localidades, mapaLocalidades_);
        SelecionaLinha(LBLocalidade, 0);
    }
    const auto& estacoes = BD->Estacoes[static_cast<std::size_t>(Estado->Indice)];
    mapaEstacoes_ = OrdemDosNomes(estacoes);
    PreencheLista(LBEstacao, estacoes, mapaEstacoes_);
    SelecionaLinha(LBEstacao, 0);
}

void TfrmFoConsulta::PlaceMarker() {
    EixoY->move(Pixel(MarkerX), EixoY->y());
    EixoX->move(EixoX->x(), Pixel(MarkerY));
    MarkerLabelLayout(EixoY->x(), EixoX->y());
    EixoY->show();
    EixoX->show();
    LabelLon->show();
    LabelLat->show();
}

void TfrmFoConsulta::MarkerLabelLayout(int left, int top) {
    LabelLat->adjustSize();
    LabelLon->adjustSize();
    LabelLon->move(450 - left < 250 ? left - 62 : left + 5, top > 100 ? 15 : 420);
    LabelLat->move(left > 100 ? 10 : 385, top > 30 ? top - 20 : top + 10);
}

void TfrmFoConsulta::ShowBrazilPlaceLabels() {
    for (QLabel* r : {NomeCid, LatCid, LonCid, LabelLatitude, LabelLongitude}) r->show();
    EixoY->hide();
    EixoX->hide();
    LabelLon->show();
    LabelLat->show();
    LabelLat->move(71, 43);
    LabelLon->move(71, 58);
}

bool TfrmFoConsulta::IsInsideState(int x, int y) const {
    const QColor cor = EstadoBMP->CorDoPixel(x, y);
    return cor.isValid() && cor.red() == 0 && cor.green() == 0 && cor.blue() == 255;
}

void TfrmFoConsulta::SetLatitudeText(const AnsiString& text) {
    const double v = ParseDms(text, SeparadorDecimal());
    if (!EstadoBMP->isHidden() && (v < StateMapGeoRef.NorthLatitude || v > StateMapGeoRef.SouthLatitude)) {
        PrecLaAux->SetTexto(TextoCoordenadaZero);
        PrecLaAux->setFocus();
        throw Exception(Ansi("Latitude ") + text + Ansi(" não definida."));
    }
    Latitude = v;
    LatitudeText = text;
    lugarAoNorte_ = false;   // a station's handler says otherwise after this
}

void TfrmFoConsulta::SetLongitudeText(const AnsiString& text) {
    const double v = ParseDms(text, SeparadorDecimal());
    if (!EstadoBMP->isHidden() && (v < StateMapGeoRef.EastLongitude || v > StateMapGeoRef.WestLongitude)) {
        PrecLoAux->SetTexto(TextoCoordenadaZero);
        PrecLoAux->setFocus();
        throw Exception(Ansi("Longitude ") + text + Ansi(" não definida."));
    }
    Longitude = v;
    LongitudeText = text;
}

void TfrmFoConsulta::SetLatitudeValue(double v) {
    if (StateMapGeoRef.NorthLatitude <= v && v <= StateMapGeoRef.SouthLatitude) {
        Latitude = v;
        LatitudeText = FormatDms(v);
    }
}

void TfrmFoConsulta::SetLongitudeValue(double v) {
    if (StateMapGeoRef.EastLongitude <= v && v <= StateMapGeoRef.WestLongitude) {
        Longitude = v;
        LongitudeText = FormatDms(v);
    }
}
