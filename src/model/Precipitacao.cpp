#include "model/Precipitacao.h"

#include <exception>

#include "platform/ArquivoIni.h"

namespace {

// Reads both values of the record from one section; false when a read raised
// (the values read so far are kept).
bool LeValores(const TArquivoIni& ini, const AnsiString& secao, double& duracao, double& total) {
    try {
        duracao = ini.ReadFloat(secao, "Duracao", 0);
        total = ini.ReadFloat(secao, "PrecipitacaoTotal", 0);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

TPrecipitacao::TPrecipitacao() { Inicializa(""); }

TPrecipitacao::TPrecipitacao(const AnsiString& nome) { Inicializa(nome); }

void TPrecipitacao::Inicializa(const AnsiString& nome) {
    Nome = nome;
    Limpa();
}

void TPrecipitacao::Limpa() {
    Duracao = 0;
    PrecipitacaoTotal = 0;
}

bool TPrecipitacao::CarregaArquivo(const std::string& nomeArquivo) {
    Limpa();
    try {
        TArquivoIni ini(nomeArquivo);
        const AnsiString secao = Secao(kSecaoPrecipitacao);
        const AnsiString versao = ini.ReadString(secao, "Versao", "TORMEL");
        if (versao == "TORMEL" || versao == "1") {
            const AnsiString legada = Secao(kSecaoLegada);
            const bool lido = LeValores(ini, legada, Duracao, PrecipitacaoTotal);
            // The move is one atomic change: a failure leaves the legacy layout
            // whole, to be read and moved again by the next load.
            try {
                ini.EmLote([&] {
                    ini.WriteString(secao, "Versao", "2");
                    ini.WriteFloat(secao, "Duracao", Duracao, SeparadorDecimal);
                    ini.DeleteKey(legada, "Duracao");
                    ini.WriteFloat(secao, "PrecipitacaoTotal", PrecipitacaoTotal, SeparadorDecimal);
                    ini.DeleteKey(legada, "PrecipitacaoTotal");
                });
            } catch (const std::exception&) {
                // The values were read; the file keeps its old layout.
            }
            return lido;
        }
        if (versao == "2") return LeValores(ini, secao, Duracao, PrecipitacaoTotal);
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

void TPrecipitacao::GravaRegistro(TArquivoIni& ini) {
    const AnsiString secao = Secao(kSecaoPrecipitacao);
    ini.WriteString(secao, "Versao", "2");
    ini.WriteFloat(secao, "Duracao", Duracao, SeparadorDecimal);
    ini.WriteFloat(secao, "PrecipitacaoTotal", PrecipitacaoTotal, SeparadorDecimal);
}

bool TPrecipitacao::SalvaArquivo(const std::string& nomeArquivo) {
    try {
        TArquivoIni ini(nomeArquivo);
        ini.EmLote([&] { GravaRegistro(ini); });
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
