#include "ProgramaConsulta.h"

#include <cmath>
#include <fstream>
#include <iostream>
#include <memory>
#include <new>
#include <optional>

#include <sys/stat.h>

#include "ConsultaLote.h"
#include "ConsultaPonto.h"
#include "ErrosConsulta.h"
#include "GisOpcoes.h"
#include "LimpezaSinais.h"
#include "ModuloGis.h"
#include "OpcoesConsulta.h"
#include "RespostaGrade.h"
#include "SaidaConsulta.h"
#include "database/BDPrecipitacao.h"
#include "database/DadosDoUsuario.h"
#include "database/PontoDireto.h"
#include "model/ChuvaDeProjeto.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

#ifndef TORMEL_VERSAO
#define TORMEL_VERSAO "2.1"
#endif

namespace {

const char* const kPrograma = "tormel21-consulta";

// The notes on the asked return periods and durations beyond the ranges the
// equations are fitted on, one per value.
void NotasDasFaixas(const TOpcoesConsulta& o, std::ostream& erros) {
    const char sep = o.Dialeto.Decimal;
    for (double tr : o.Tr) {
        const std::string nota = NotaDeExtrapolacao(tr, NAN);
        if (!nota.empty()) erros << kPrograma << ": Tr = " << FloatToStr(tr, sep) << " anos: " << Utf8(nota) << '\n';
    }
    for (double t : o.Duracoes) {
        const std::string nota = NotaDeExtrapolacao(NAN, t);
        if (!nota.empty()) erros << kPrograma << ": t = " << FloatToStr(t, sep) << " min: " << Utf8(nota) << '\n';
    }
}

// The names the GIS module writes under (its own temporary file and
// SQLite's companions), removed if a signal ends the run.
struct TVigiaGis {
    explicit TVigiaGis(const std::string& caminho) {
        const std::string nome = NomeTemporarioGis(caminho);
        vigias.push_back(std::make_unique<TTemporarioVigiado>(nome));
        for (const std::string& outro : CompanheirosGis(nome)) vigias.push_back(std::make_unique<TTemporarioVigiado>(outro));
    }
    std::vector<std::unique_ptr<TTemporarioVigiado>> vigias;
};

int Executa(const TOpcoesConsulta& opcoes, std::istream& entrada, std::ostream& saidaPadrao, std::ostream& erros) {
    TOpcoesConsulta o = opcoes;
    // A folder is refused before any work (reading one fails only later).
    if (struct stat st {}; !o.Entrada.empty() && o.Entrada != "-" && ::stat(o.Entrada.c_str(), &st) == 0 &&
                           S_ISDIR(st.st_mode))
        throw EInOutError(Ansi("O arquivo de entrada ") + TextoDoCaminho(o.Entrada) +
                          Ansi(" é uma pasta: dê um arquivo CSV."));
    const std::string pasta = o.PastaDados.empty() ? PastaDadosEmUso(PastaDoPrograma()) : o.PastaDados;
    TBDPrecipitacao bd(pasta);
    if (ArquivoExiste(pasta + "contornos.csv"))
        o.Contornos = std::make_shared<const TContornosEstados>(LeArquivo(pasta + "contornos.csv"));
    // One point (without the list of every station, without the grid) is
    // answered straight from the file; the rest prepare the pool once.
    // Only the pool states are read: no answer uses the others.
    std::optional<TPontoDireto> direto;
    if (o.Nacional) bd.CarregaEstacoesNacionais();
    else if (o.UmPonto && !o.Estacoes && o.Gis.Grade.empty() && o.Fonte == TOpcoesConsulta::TFonte::Estacoes)
        direto.emplace(bd.CaminhoEstacoes());
    else bd.CarregaEstacoesDaInterpolacao();
    const TPoolInterpolacao& pool = bd.Pool();
    if ((direto ? direto->Tamanho() : pool.Tamanho()) == 0)
        throw EDadosInvalidos(Ansi("O arquivo ") + TextoDoCaminho(bd.CaminhoEstacoes()) +
                              Ansi(" não tem estações nos estados usados na interpolação."));

    const std::unique_ptr<TGradeNacional> grade = CarregaGradeDasOpcoes(o, pasta);

    for (const std::string& aviso : o.Avisos) erros << kPrograma << ": " << aviso << '\n';
    NotasDasFaixas(o, erros);
    if (grade && !o.Gis.Grade.empty()) {
        const TVigiaGis vigia(o.Gis.Grade);
        GravaGradeNacionalGis(*grade, o);
        return TProgramaConsulta::Sucesso;
    }
    if (!o.Gis.Grade.empty()) {
        const TVigiaGis vigia(o.Gis.Grade);
        const std::size_t semValor = GravaGradeGis(pool, o, erros);
        if (semValor == 0) return TProgramaConsulta::Sucesso;
        erros << kPrograma << ": " << semValor << (semValor == 1 ? " célula ficou" : " células ficaram")
              << " sem valor\n";
        return TProgramaConsulta::DadoRuim;
    }
    std::unique_ptr<TSaidaConsulta> arquivo;
    if (!o.Saida.empty() && !o.SaidaDeSig()) arquivo = std::make_unique<TSaidaConsulta>(o.Saida, saidaPadrao);
    std::ostream& saida = arquivo ? arquivo->Fluxo() : saidaPadrao;

    int estado = TProgramaConsulta::Sucesso;
    if (o.UmPonto) {
        TConsultaPonto consulta = direto ? TConsultaPonto(*direto, o) : TConsultaPonto(pool, o);
        consulta.DefineGrade(grade.get());
        consulta.Executa(saida, &erros);
    } else {
        std::ifstream arquivoEntrada;
        std::istream* in = &entrada;
        if (o.Entrada != "-") {
            arquivoEntrada.open(o.Entrada, std::ios::binary);
            if (!arquivoEntrada)
                throw EInOutError(Ansi("Não foi possível abrir o arquivo ") + TextoDoCaminho(o.Entrada) + ".");
            in = &arquivoEntrada;
        }
        std::optional<TVigiaGis> vigia;
        if (o.SaidaDeSig()) vigia.emplace(o.Saida);
        const std::size_t falhas = o.SaidaDeSig() ? GravaPontosGisModulo(pool, o, *in, erros)
                                                  : TConsultaLote(pool, o, grade.get()).Executa(*in, saida, erros);
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
