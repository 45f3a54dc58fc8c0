#include "app/Tormel21Comp.h"

#include <QDialog>
#include <QLabel>

#include "ajusteui/FoAjusteEquacao.h"
#include "curvas/CurvasDaConsulta.h"
#include "database/BDPrecipitacao.h"
#include "database/Coordenadas.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"
#include "ui/FoConsulta.h"

namespace {

// Owns the query window for one Execute: whatever way Execute leaves, the
// window is destroyed and the unit-level reference cleared.
class TJanelaDaConsulta {
public:
    explicit TJanelaDaConsulta(std::unique_ptr<TfrmFoConsulta> janela) : janela_(std::move(janela)) {
        frmFoConsulta = janela_.get();
    }
    ~TJanelaDaConsulta() {
        janela_.reset();
        frmFoConsulta = nullptr;
    }
    TJanelaDaConsulta(const TJanelaDaConsulta&) = delete;
    TJanelaDaConsulta& operator=(const TJanelaDaConsulta&) = delete;
    TfrmFoConsulta* operator->() const { return janela_.get(); }

private:
    std::unique_ptr<TfrmFoConsulta> janela_;
};

AnsiString SemBrancosNasPontas(const AnsiString& texto) {
    const auto inicio = texto.find_first_not_of(' ');
    if (inicio == AnsiString::npos) return {};
    return texto.substr(inicio, texto.find_last_not_of(' ') - inicio + 1);
}

// A coordinate text that stands for "no coordinate": empty or the empty mask.
// The settings file drops the blanks around a value, so the mask also comes
// back as "°  '  \"": compared without the blanks at its ends.
bool CoordenadaDefinida(const AnsiString& texto) {
    const AnsiString nucleo = SemBrancosNasPontas(texto);
    return !nucleo.empty() && nucleo != SemBrancosNasPontas(TextoCoordenadaVazio);
}

QString Rotulo(const std::string& ansi) { return QString::fromStdString(Cp1252ToUtf8(ansi)); }

double ValorDoRotulo(const QLabel* rotulo, char separador) {
    return StrToFloat(Utf8ToCp1252(rotulo->text().toStdString()), separador);
}

}  // namespace

TTormel21::TTormel21(QObject* owner, std::string pastaDoPrograma, IAjuda* ajuda)
    : QObject(owner),
      pastaDoPrograma_(std::move(pastaDoPrograma)),
      ajuda_(ajuda),
      precipitacao_(std::make_unique<TPrecipitacaoExponencialNegativa>()) {
    Clear();
}

TTormel21::~TTormel21() = default;

void TTormel21::Clear() {
    precipitacao_->Limpa();
    Latitude.clear();
    Longitude.clear();
    IndEstacao = 0;
    IndLocalidade = 0;
    StrCidade.clear();
    IndEstado = -1;
    StrEstado.clear();
    HelpContext = 0;
    ShowAbout = false;
    Secao.clear();
}

bool TTormel21::Execute() {
    propriedadeRecusada_ = nullptr;
    const std::string pastaDados = PastaDados(pastaDoPrograma_);
    if (!PastaExiste(pastaDoPrograma_ + "../Arquivos Comuns"))
        throw Exception(Ansi("Erro. Não foi possível localizar a pasta contendo o banco de dados."));
    if (!ArquivoExiste(pastaDados + "Estados_Tor21.bin"))
        throw Exception(Ansi("Erro. Não foi possível localizar o banco de dados contendo os estados."));
    if (!ArquivoExiste(pastaDados + "Localidades_Tor21.bin"))
        throw Exception(Ansi("Erro. Não foi possível localizar o banco de dados contendo as localidades."));

    TJanelaDaConsulta janela(std::make_unique<TfrmFoConsulta>(pastaDoPrograma_, ajuda_));
    janela->HelpContext = HelpContext;
    janela->ArquivoConfiguracao = ArquivoConfiguracao;
    janela->AbreCurvasIdf = MostraCurvasDaConsulta;
    janela->AbreAjusteEquacao = [](TfrmFoConsulta& consulta) { MostraAjusteEquacao(&consulta); };
    janela->LeOpcoes();

    propriedadeRecusada_ = "IndEstado";
    if (IndEstado < 0) throw Exception(Ansi("É necessário entrar com um índice para o estado"));
    janela->Estado->SetIndice(IndEstado);
    propriedadeRecusada_ = nullptr;

    janela->IndEstacao = IndEstacao;
    janela->IndLocalidade = IndLocalidade;
    janela->ShowAbout = ShowAbout;

    const TPrecipitacaoExponencialNegativa& p = *precipitacao_;
    if (p.K != 0) janela->CurrentRecord.K = p.K;
    if (p.A != 0) janela->CurrentRecord.a = p.A;
    if (p.B != 0) janela->CurrentRecord.b = p.B;
    if (p.C != 0) janela->CurrentRecord.c = p.C;

    propriedadeRecusada_ = "Latitude";
    if (CoordenadaDefinida(Latitude)) janela->SetLatitudeText(Latitude);
    propriedadeRecusada_ = "Longitude";
    if (CoordenadaDefinida(Longitude)) janela->SetLongitudeText(Longitude);
    propriedadeRecusada_ = nullptr;

    const char sep = janela->SeparadorDecimal();
    janela->PrecK->setText(Rotulo(FormatFloat("0.000", p.K, sep)));
    janela->PrecA->setText(Rotulo(FormatFloat("0.0000", p.A, sep)));
    janela->PrecB->setText(Rotulo(FormatFloat("0.000", p.B, sep)));
    janela->PrecC->setText(Rotulo(FormatFloat("0.0000", p.C, sep)));

    if (janela->exec() != QDialog::Accepted) return false;

    IndEstado = janela->Estado->Indice;
    StrEstado = janela->Estado->Nome();

    // The parameters as the user saw them, through the model's setters. They
    // are set on a copy that replaces the model only when all four are taken,
    // so a refused value leaves the previous parameter set whole instead of
    // mixing old and new values.
    TPrecipitacaoExponencialNegativa novo = *precipitacao_;
    const double k = ValorDoRotulo(janela->PrecK, sep);
    const double a = ValorDoRotulo(janela->PrecA, sep);
    const double b = ValorDoRotulo(janela->PrecB, sep);
    const double c = ValorDoRotulo(janela->PrecC, sep);
    novo.SetK(k);
    novo.SetA(a);
    novo.SetB(b);
    novo.SetC(c);
    *precipitacao_ = novo;

    autoria_ = janela->Autoria;
    Latitude = janela->LatitudeText;
    Longitude = janela->LongitudeText;
    IndEstacao = janela->IndEstacao;
    IndLocalidade = janela->IndLocalidade;
    StrCidade = janela->PlaceName;
    return true;
}
