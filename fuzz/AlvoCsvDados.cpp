// The data builder's CSV import, and the data file built from what it
// accepted read back by the program's loader.
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

#include "Alvos.h"
#include "database/ArquivosDados.h"
#include "database/Importador.h"
#include "PastaFuzz.h"
#include "ViolacaoDeInvariante.h"
#include "database/BDPrecipitacao.h"
#include "database/Colacao.h"
#include "database/Coordenadas.h"
#include "platform/Erros.h"

namespace {

void Exige(bool condicao, const std::string& oque) {
    if (!condicao) throw ViolacaoDeInvariante("CSV import: " + oque);
}

void VerificaCoordenada(const AnsiString& t) {
    Exige(t.size() == 9 && t[2] == '\xB0' && t[5] == '\'' && t[8] == '"', "accepted coordinate " + t);
    Exige(t.substr(3, 2) < "60" && t.substr(6, 2) < "60", "accepted coordinate " + t);
    try {
        (void)ParseDms(t);
    } catch (const Exception& e) {
        Exige(false, "accepted coordinate " + t + " does not parse: " + e.what());
    }
}

void VerificaNome(const AnsiString& nome) {
    Exige(!nome.empty() && nome.size() <= 68, "accepted name of " + std::to_string(nome.size()) + " bytes");
}

// Each block in strictly ascending collation order, and the order antisymmetric.
template <class Blocos>
void VerificaOrdem(const Blocos& blocos) {
    for (const auto& b : blocos)
        for (std::size_t i = 1; i < b.size(); ++i) {
            const AnsiString x = b[i - 1].Nome.Text(), y = b[i].Nome.Text();
            Exige(ComparaNomes(x, y) < 0 && ComparaNomes(y, x) > 0, "block out of order: " + x + " / " + y);
        }
}

void VerificaErros(const TImportador& imp, const std::string& arquivo, std::string_view texto) {
    // LF, CRLF and a lone CR each end a line.
    int linhas = 1;
    for (std::size_t i = 0; i < texto.size(); ++i)
        linhas += texto[i] == '\n' || (texto[i] == '\r' && (i + 1 == texto.size() || texto[i + 1] != '\n'));
    for (const auto& e : imp.Erros()) {
        Exige(e.Linha >= 1 && e.Linha <= linhas, "error on line " + std::to_string(e.Linha) + " of " +
                                                    std::to_string(linhas) + ": " + e.Motivo);
        Exige(e.Texto().rfind(arquivo + ", linha ", 0) == 0 && !e.Motivo.empty(), "error text " + e.Texto());
    }
    try {
        imp.VerificaSemErros();
        Exige(imp.Erros().empty(), "errors collected but not reported");
    } catch (const EDadosInvalidos& e) {
        Exige(!imp.Erros().empty(), std::string("reported errors that were not collected: ") + e.what());
    }
}

template <class Registro, class Blocos>
void VerificaArquivo(const Blocos& blocos, const std::string& bytes, const char* nome, bool estacoes) {
    TPastaFuzz::Grava(nome, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    TBDPrecipitacao bd(TPastaFuzz::Caminho());
    try {
        if (estacoes) {
            bd.CarregaEstacoes();
            for (std::size_t s = 0; s < blocos.size(); ++s)
                Exige(bd.Estacoes[s].size() == blocos[s].size() &&
                          (blocos[s].empty() || std::memcmp(bd.Estacoes[s].data(), blocos[s].data(), sizeof(Registro) * blocos[s].size()) == 0),
                      "station block " + std::to_string(s) + " does not load back");
        } else {
            for (std::size_t s = 0; s < blocos.size(); ++s) {
                bd.CarregaLocalidades(static_cast<int>(s));
                Exige(bd.Localidades.size() == blocos[s].size() &&
                          (blocos[s].empty() || std::memcmp(bd.Localidades.data(), blocos[s].data(), sizeof(Registro) * blocos[s].size()) == 0),
                      "locality block " + std::to_string(s) + " does not load back");
            }
        }
    } catch (const Exception& e) {
        Exige(false, std::string("the built file does not load: ") + e.what());
    }
}

}  // namespace

int AlvoCsvDados(const uint8_t* dados, std::size_t tamanho) {
    const bool estacoes = tamanho == 0 || dados[0] % 2 == 0;
    const std::string_view texto = tamanho == 0 ? std::string_view()
                                                : std::string_view(reinterpret_cast<const char*>(dados) + 1, tamanho - 1);
    const std::string arquivo = estacoes ? "estacoes.csv" : "localidades.csv";
    TImportador imp;
    try {
        if (estacoes)
            imp.LeEstacoes(texto, arquivo);
        else
            imp.LeLocalidades(texto, arquivo);
    } catch (const Exception& e) {
        Exige(false, std::string("the import raised ") + e.ClassName() + ": " + e.what());
    }
    VerificaErros(imp, arquivo, texto);

    if (estacoes) {
        const TBlocosEstacoes blocos = imp.Estacoes();
        for (const auto& b : blocos)
            for (const TEstacao& e : b) {
                VerificaNome(e.Nome.Text());
                VerificaCoordenada(e.Latitude.Text());
                VerificaCoordenada(e.Longitude.Text());
                const double k = e.K, a = e.a, b2 = e.b, c = e.c;
                for (double v : {k, a, b2, c}) Exige(std::isfinite(v) && v >= 0, "accepted parameter " + std::to_string(v));
            }
        VerificaOrdem(blocos);
        VerificaArquivo<TEstacao>(blocos, TArquivosDados::Estacoes(blocos), TArquivosDados::NomeEstacoes, true);
    } else {
        const TBlocosLocalidades blocos = imp.Localidades();
        for (const auto& b : blocos)
            for (const TLocalidade& l : b) {
                VerificaNome(l.Nome.Text());
                VerificaCoordenada(l.Latitude.Text());
                VerificaCoordenada(l.Longitude.Text());
            }
        VerificaOrdem(blocos);
        VerificaArquivo<TLocalidade>(blocos, TArquivosDados::Localidades(blocos), TArquivosDados::NomeLocalidades,
                                     false);
    }
    return 0;
}
