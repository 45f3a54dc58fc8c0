#include "ProgramaConsulta.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "ConsultaLote.h"
#include "ConsultaPonto.h"
#include "ErrosConsulta.h"
#include "GisGrade.h"
#include "GisPontos.h"
#include "OpcoesConsulta.h"
#include "PoolInterpolacao.h"
#include "database/BDPrecipitacao.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

#ifndef TORMEL_VERSAO
#define TORMEL_VERSAO "2.1"
#endif

namespace {

const char* const kPrograma = "tormel21-consulta";

// An output file appears whole or not at all: written beside the target
// under a temporary name and renamed over it once complete.
class SaidaArquivo {
public:
    explicit SaidaArquivo(std::string caminho) : caminho_(std::move(caminho)) {
        std::string modelo = caminho_ + ".XXXXXX";
        const int fd = ::mkstemp(modelo.data());
        if (fd < 0) Falha();
        // mkstemp makes the file private; give it the mode the file has, or
        // the one a new file gets.
        struct stat st {};
        mode_t modo = 0;
        if (::stat(caminho_.c_str(), &st) == 0) {
            modo = st.st_mode & 07777;
        } else {
            const mode_t mascara = ::umask(0);
            ::umask(mascara);
            modo = 0666 & ~mascara;
        }
        const bool ok = ::fchmod(fd, modo) == 0;
        ::close(fd);
        if (!ok) {
            std::remove(modelo.c_str());
            Falha();
        }
        temporario_ = modelo;
        arquivo_.open(temporario_, std::ios::binary | std::ios::trunc);
        if (!arquivo_) Falha();
    }
    ~SaidaArquivo() {
        if (!temporario_.empty()) std::remove(temporario_.c_str());
    }
    std::ostream& Fluxo() { return arquivo_; }
    void Conclui() {
        arquivo_.close();
        if (arquivo_.fail() || std::rename(temporario_.c_str(), caminho_.c_str()) != 0) Falha();
        temporario_.clear();
    }

private:
    [[noreturn]] void Falha() const {
        throw EInOutError(Ansi("Não foi possível escrever o arquivo ") + TextoDoCaminho(caminho_) + ".");
    }
    std::string caminho_, temporario_;
    std::ofstream arquivo_;
};

int Executa(const TOpcoesConsulta& o, std::istream& entrada, std::ostream& saidaPadrao, std::ostream& erros) {
    TBDPrecipitacao bd(o.PastaDados.empty() ? PastaDados(PastaDoPrograma()) : o.PastaDados);
    bd.CarregaEstacoes();
    const TPoolInterpolacao pool(bd);
    if (pool.Tamanho() == 0)
        throw EDadosInvalidos(Ansi("O arquivo ") + TextoDoCaminho(bd.CaminhoEstacoes()) +
                              Ansi(" não tem estações nos estados usados na interpolação."));

    if (!o.Gis.Grade.empty()) {
        const std::size_t semValor = GravaGrade(pool, o, erros);
        if (semValor == 0) return TProgramaConsulta::Sucesso;
        erros << kPrograma << ": " << semValor << (semValor == 1 ? " célula ficou" : " células ficaram")
              << " sem valor\n";
        return TProgramaConsulta::DadoRuim;
    }
    std::unique_ptr<SaidaArquivo> arquivo;
    if (!o.Saida.empty() && !SaidaGis(o.Saida)) arquivo = std::make_unique<SaidaArquivo>(o.Saida);
    std::ostream& saida = arquivo ? arquivo->Fluxo() : saidaPadrao;

    int estado = TProgramaConsulta::Sucesso;
    if (o.UmPonto) {
        TConsultaPonto(bd, pool, o).Executa(saida);
    } else {
        std::ifstream arquivoEntrada;
        std::istream* in = &entrada;
        if (o.Entrada != "-") {
            arquivoEntrada.open(o.Entrada, std::ios::binary);
            if (!arquivoEntrada)
                throw EInOutError(Ansi("Não foi possível abrir o arquivo ") + TextoDoCaminho(o.Entrada) + ".");
            in = &arquivoEntrada;
        }
        const std::size_t falhas = SaidaGis(o.Saida) ? GravaPontosGis(pool, o, *in, erros)
                                                     : TConsultaLote(pool, o).Executa(*in, saida, erros);
        if (in->bad())
            throw EInOutError(Ansi("Erro de leitura em ") + TextoDoCaminho(o.Entrada == "-" ? "stdin" : o.Entrada) + ".");
        if (falhas > 0) {
            erros << kPrograma << ": " << falhas << (falhas == 1 ? " linha falhou" : " linhas falharam") << '\n';
            estado = TProgramaConsulta::DadoRuim;
        }
    }
    saida.flush();
    if (arquivo) arquivo->Conclui();
    else if (!saida) throw EInOutError(Ansi("Não foi possível escrever na saída padrão."));
    return estado;
}

}  // namespace

int TProgramaConsulta::Executa(const std::vector<std::string>& argumentos, std::istream& entrada,
                               std::ostream& saida, std::ostream& erros) {
    TOpcoesConsulta o;
    try {
        o = TOpcoesConsulta::Le(argumentos);
    } catch (const EUso& e) {
        erros << kPrograma << ": " << e.what() << "\nUse " << kPrograma << " --help para ver as opções.\n";
        return UsoInvalido;
    }
    if (o.Ajuda) {
        saida << TOpcoesConsulta::TextoAjuda();
        return Sucesso;
    }
    if (o.Versao) {
        saida << kPrograma << " (Tormel " << TORMEL_VERSAO << ")\n";
        return Sucesso;
    }
    try {
        return ::Executa(o, entrada, saida, erros);
    } catch (const Exception& e) {
        erros << kPrograma << ": " << e.what() << '\n';
    } catch (const std::bad_alloc&) {
        erros << kPrograma << ": mem\xC3\xB3ria insuficiente\n";
    }
    return DadoRuim;
}
