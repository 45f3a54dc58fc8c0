#include "ProgramaAjuste.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <new>
#include <sstream>

#include "ErrosConsulta.h"
#include "JsonAjuste.h"
#include "OpcoesLinhaAjuste.h"
#include "PdfAjuste.h"
#include "SaidaConsulta.h"
#include "ajuste/ErrosAjuste.h"
#include "ajuste/RelatorioAjuste.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"

#ifndef TORMEL_VERSAO
#define TORMEL_VERSAO "2.1"
#endif

namespace {

const char* const kPrograma = "tormel21-ajuste";

bool Termina(const std::string& s, const std::string& fim) {
    if (s.size() < fim.size()) return false;
    std::string cauda = s.substr(s.size() - fim.size());
    for (char& ch : cauda) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return cauda == fim;
}

std::string LeTudo(const std::string& caminho, bool& existe) {
    std::ifstream f(caminho, std::ios::binary);
    existe = static_cast<bool>(f);
    std::ostringstream s;
    if (existe) s << f.rdbuf();
    return s.str();
}

// Replaces the file with the text in one rename (written beside it first).
void GravaInteiro(const std::string& caminho, const std::string& texto) {
    const std::string temporario = caminho + ".tmp-ajuste";
    {
        std::ofstream f(temporario, std::ios::binary | std::ios::trunc);
        f << texto;
        f.flush();
        if (!f) {
            std::remove(temporario.c_str());
            throw EInOutError(Ansi("Não foi possível escrever ") + TextoDoCaminho(caminho) + ".");
        }
    }
    if (std::rename(temporario.c_str(), caminho.c_str()) != 0) {
        std::remove(temporario.c_str());
        throw EInOutError(Ansi("Não foi possível escrever ") + TextoDoCaminho(caminho) + ".");
    }
}

// The station row joins the builder's CSV; the fit's description goes to
// "ajustes.csv" in the same folder (uf, nome, citacao, descricao).
void AcrescentaEstacao(const TOpcoesLinhaAjuste& o, const TResultadoAjuste& r, int ano) {
    const AnsiString citacao = r.Citacao(ano);
    const AnsiString linha = LinhaEstacaoCsv(Ansi(o.Uf), Ansi(o.Nome), r.Equacao, citacao, *o.Latitude, *o.Longitude);
    bool existe;
    std::string texto = LeTudo(o.EstacaoCsv, existe);
    if (!existe) texto = "uf,nome,K,a,b,c,citacao,latitude,longitude\n";
    if (!texto.empty() && texto.back() != '\n') texto += '\n';
    const std::size_t barra = o.EstacaoCsv.find_last_of('/');
    const std::string descricoes = (barra == std::string::npos ? std::string() : o.EstacaoCsv.substr(0, barra + 1)) + "ajustes.csv";
    std::string desc = LeTudo(descricoes, existe);
    if (!existe) desc = "uf,nome,citacao,descricao\n";
    if (!desc.empty() && desc.back() != '\n') desc += '\n';
    auto campo = [](const AnsiString& v) {
        std::string q = "\"";
        for (char ch : Utf8(v)) q += ch == '"' ? std::string("\"\"") : std::string(1, ch);
        return q + "\"";
    };
    desc += campo(Ansi(o.Uf)) + "," + campo(Ansi(o.Nome)) + "," + campo(citacao) + "," + campo(r.Descricao()) + "\n";
    GravaInteiro(o.EstacaoCsv, texto + Utf8(linha) + "\n");
    GravaInteiro(descricoes, desc);
}

int Executa(const TOpcoesLinhaAjuste& o, std::ostream& saidaPadrao, std::ostream& erros) {
    TOpcoesAjuste opcoes = o.Ajuste;
    if (!o.Desagregacao.empty() && o.Desagregacao != "cetesb") opcoes.Desagregacao = LeDesagregacao(o.Desagregacao);
    TOpcoesLeitura leitura;
    leitura.Estacao = o.Estacao;
    const TRegistro registro = LeRegistro(o.Registro, leitura);
    const TResultadoAjuste r = AjustaRegistro(registro, opcoes);
    int ano = o.AnoDaCitacao;
    if (ano == 0) {
        const std::time_t agora = std::time(nullptr);
        std::tm tm{};
        gmtime_r(&agora, &tm);
        ano = tm.tm_year + 1900;
    }
    for (const AnsiString& a : r.Avisos) erros << kPrograma << ": aviso: " << Utf8(a) << '\n';

    std::string conteudo;
    const char decimal = o.Dialeto.Decimal;
    if (o.Json) {
        std::ostringstream s;
        EscreveJson(r, ano, s);
        conteudo = s.str();
    } else if (Termina(o.Saida, ".csv")) {
        conteudo = "\xEF\xBB\xBF" + Utf8(RelatorioCsv(r, o.Dialeto.Separador, decimal));
    } else if (Termina(o.Saida, ".html") || Termina(o.Saida, ".htm")) {
        AnsiString html = RelatorioHtml(r, ',');
        const std::size_t p = html.find("windows-1252");
        if (p != AnsiString::npos) html.replace(p, 12, "utf-8");
        conteudo = Utf8(html);
    } else if (Termina(o.Saida, ".pdf")) {
        conteudo = PdfDoHtml(Utf8(RelatorioHtml(r, ',')));
    } else {
        conteudo = Utf8(RelatorioTexto(r, ','));
    }
    if (!o.EstacaoCsv.empty()) AcrescentaEstacao(o, r, ano);
    if (o.Saida.empty()) {
        saidaPadrao << conteudo;
        saidaPadrao.flush();
        if (!saidaPadrao) throw EInOutError(Ansi("Não foi possível escrever na saída padrão."));
    } else {
        TSaidaConsulta arquivo(o.Saida, saidaPadrao);
        arquivo.Fluxo() << conteudo;
        arquivo.Conclui();
    }
    return ProgramaAjuste::Sucesso;
}

}  // namespace

int ProgramaAjuste::Executa(const std::vector<std::string>& argumentos, std::ostream& saida, std::ostream& erros) {
    TOpcoesLinhaAjuste o;
    try {
        o = TOpcoesLinhaAjuste::Le(argumentos);
    } catch (const EUso& e) {
        erros << kPrograma << ": " << e.what() << "\nUse " << kPrograma << " --help para ver as opções.\n";
        return UsoInvalido;
    }
    if (o.Ajuda) { saida << TOpcoesLinhaAjuste::TextoAjuda(); return Sucesso; }
    if (o.Versao) { saida << kPrograma << " (Tormel " << TORMEL_VERSAO << ")\n"; return Sucesso; }
    try {
        return ::Executa(o, saida, erros);
    } catch (const Exception& e) {
        erros << kPrograma << ": " << e.what() << '\n';
    } catch (const std::bad_alloc&) {
        erros << kPrograma << ": mem\xC3\xB3ria insuficiente\n";
    }
    return SemAjuste;
}
