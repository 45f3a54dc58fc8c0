#pragma once
// The query component: one call, Execute, runs the whole query dialogue. The
// host sets the input properties, calls Execute and, when it returns true,
// reads back the state, the place, the coordinates, the data source and the
// parameters K, a, b, c (in the model object that the component owns).
#include <QObject>

#include <cstdint>
#include <memory>
#include <string>

#include "model/PrecipitacaoExponencialNegativa.h"
#include "platform/AnsiString.h"

class IAjuda;

class TTormel21 : public QObject {
public:
    // owner: destroys the component with itself unless it is freed before.
    // pastaDoPrograma: the program's folder with its trailing '/'; the data
    // folder is pastaDoPrograma + "../Arquivos Comuns". ajuda serves the query
    // window's help requests (may be nullptr).
    TTormel21(QObject* owner, std::string pastaDoPrograma, IAjuda* ajuda);
    ~TTormel21() override;

    // Properties, in declaration order.
    AnsiString Secao;       // kept and cleared only
    AnsiString Latitude;    // in: place to restore; out: place shown at closing
    AnsiString Longitude;
    int16_t IndLocalidade = 0;
    int16_t IndEstacao = 0;
    int16_t IndEstado = -1;  // in: 0..26, must be set before Execute
    AnsiString StrCidade;    // out: place name as stored (blanks kept)
    AnsiString StrEstado;    // out: state name
    const AnsiString& Autoria() const { return autoria_; }   // out, read only
    int HelpContext = 0;
    bool ShowAbout = false;

    // The parameters K, A, B, C: in, passed to the window when not 0; out,
    // the values the user saw at closing.
    TPrecipitacaoExponencialNegativa& Precipitacao() { return *precipitacao_; }
    const TPrecipitacaoExponencialNegativa& Precipitacao() const { return *precipitacao_; }

    const std::string& PastaDoPrograma() const { return pastaDoPrograma_; }

    // Every property back to its initial value (Autoria excepted).
    void Clear();
    // Checks the data folder and files, shows the query window modally and
    // returns true for "&Fechar", false for "&Cancelar" or the close box.
    // Errors are raised; the window is destroyed on every path.
    bool Execute();
    // The input property whose value the last Execute refused ("IndEstado",
    // "Latitude" or "Longitude"), nullptr when it refused none: the host names
    // where that value came from.
    const char* PropriedadeRecusada() const { return propriedadeRecusada_; }

private:
    std::string pastaDoPrograma_;
    IAjuda* ajuda_;
    AnsiString autoria_;
    const char* propriedadeRecusada_ = nullptr;
    std::unique_ptr<TPrecipitacaoExponencialNegativa> precipitacao_;
};
