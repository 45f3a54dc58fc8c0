#include "database/DadosDoUsuario.h"

#include <charconv>
#include <cstdio>
#include <dirent.h>
#include <sys/stat.h>

#include "database/ArquivosDados.h"
#include "database/BDPrecipitacao.h"
#include "database/Csv.h"
#include "database/MontagemDados.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"
#include "platform/Numeros.h"

namespace {

const char* const kCabecalhoEstacoes = "uf,nome,K,a,b,c,citacao,latitude,longitude\n";
const char* const kCabecalhoAjustes = "uf,nome,citacao,descricao\n";
const char* const kCabecalhoIntervalos = "uf,nome,tr,duracao,inferior,superior\n";

std::string Pasta(const std::string& caminho) {
    const std::size_t barra = caminho.find_last_of('/');
    return barra == std::string::npos ? std::string() : caminho.substr(0, barra + 1);
}

std::string LeSeExiste(const std::string& caminho, const char* cabecalho) {
    std::string texto = ArquivoExiste(caminho) ? LeArquivo(caminho) : std::string(cabecalho);
    if (!texto.empty() && texto.back() != '\n') texto += '\n';
    return texto;
}

// Numbers with '.' whatever the locale.
std::string Numero(double v) {
    char b[32];
    const auto r = std::to_chars(b, b + sizeof b, v, std::chars_format::general, 6);
    return std::string(b, r.ptr);
}

bool LeNumero(const std::string& texto, double& v) {
    const auto r = std::from_chars(texto.data(), texto.data() + texto.size(), v);
    return r.ec == std::errc() && r.ptr == texto.data() + texto.size();
}

void AcrescentaDescricao(const std::string& pasta, const TEstacaoAdicionada& e) {
    std::string ajustes = LeSeExiste(pasta + "ajustes.csv", kCabecalhoAjustes);
    std::string intervalos = LeSeExiste(pasta + "intervalos.csv", kCabecalhoIntervalos);
    LinhasDoAjuste(e, ajustes, intervalos);
    TArquivosDados::Grava(pasta + "ajustes.csv", ajustes);
    if (!e.Intervalos.empty()) TArquivosDados::Grava(pasta + "intervalos.csv", intervalos);
}

}  // namespace

void LinhasDoAjuste(const TEstacaoAdicionada& e, std::string& ajustes, std::string& intervalos) {
    ajustes += TCsv::Linha({e.Uf, e.Nome, e.Citacao, e.Descricao});
    for (const TIntervaloIdf& i : e.Intervalos)
        intervalos += TCsv::Linha({e.Uf, e.Nome, Numero(i.Tr), Numero(i.Duracao), Numero(i.Inferior), Numero(i.Superior)});
}

namespace {

// Every regular file of `de` copied into `para` (both end with '/').
void CopiaArquivos(const std::string& de, const std::string& para) {
    DIR* d = ::opendir(de.c_str());
    if (!d) throw EInOutError(Ansi("Não foi possível ler a pasta \"") + TextoDoCaminho(de) + "\".");
    std::vector<std::string> nomes;
    while (const dirent* f = ::readdir(d)) {
        const std::string nome = f->d_name;
        if (nome != "." && nome != ".." && ArquivoExiste(de + nome)) nomes.push_back(nome);
    }
    ::closedir(d);
    for (const std::string& nome : nomes) TArquivosDados::Grava(para + nome, LeArquivo(de + nome));
}

std::vector<TLinhaCsv> Linhas(const std::string& caminho) {
    if (!ArquivoExiste(caminho)) return {};
    std::vector<TErroCsv> erros;
    return TCsv::Le(LeArquivo(caminho), erros);
}

}  // namespace

std::string PastaDoConjuntoDoUsuario() {
    const std::string base = PastaDeDadosDoUsuarioBase();
    return base.empty() ? std::string() : base + "tormel21/";
}

bool ConjuntoDoUsuarioEmUso(const std::string&) {
    const std::string p = PastaDoConjuntoDoUsuario();
    return !p.empty() && ArquivoExiste(p + TArquivosDados::NomeEstacoes) &&
           ArquivoExiste(p + TArquivosDados::NomeLocalidades);
}

std::string PastaDadosEmUso(const std::string& pastaDoPrograma) {
    return ConjuntoDoUsuarioEmUso(pastaDoPrograma) ? PastaDoConjuntoDoUsuario() : PastaDados(pastaDoPrograma);
}

void AcrescentaEstacaoAoCsv(const std::string& estacoesCsv, const TEstacaoAdicionada& e) {
    const std::string texto = LeSeExiste(estacoesCsv, kCabecalhoEstacoes) + e.LinhaCsv + "\n";
    TArquivosDados::Grava(estacoesCsv, texto);
    AcrescentaDescricao(Pasta(estacoesCsv), e);
}

std::string AdicionaAosDados(const std::string& pastaDoPrograma, const TEstacaoAdicionada& e) {
    std::string pasta = PastaDadosEmUso(pastaDoPrograma);
    if (!ConjuntoDoUsuarioEmUso(pastaDoPrograma) && !PastaGravavel(pasta)) {
        const std::string usuario = PastaDoConjuntoDoUsuario();
        if (usuario.empty())
            throw EInOutError(Ansi("A pasta de dados \"") + TextoDoCaminho(pasta) +
                              Ansi("\" não pode ser alterada e não há pasta pessoal para uma cópia."));
        CriaPasta(usuario);
        CopiaArquivos(pasta, usuario);
        pasta = usuario;
    }
    const std::string csv = pasta + "estacoes.csv", localidades = pasta + "localidades.csv";
    for (const std::string& f : {csv, localidades})
        if (!ArquivoExiste(f))
            throw EInOutError(Ansi("A pasta de dados não tem o arquivo \"") + TextoDoCaminho(f) +
                              Ansi("\" de onde os arquivos de dados são montados."));
    // The new CSV is checked by building from it; the old pair stays until then.
    const std::string novo = pasta + "estacoes.csv.novo";
    TArquivosDados::Grava(novo, LeArquivo(csv) + (LeArquivo(csv).ends_with('\n') ? "" : "\n") + e.LinhaCsv + "\n");
    const std::string anterior = pasta + "anterior/";
    CriaPasta(anterior);
    for (const char* nome : {TArquivosDados::NomeEstacoes, TArquivosDados::NomeLocalidades, TArquivosDados::NomeAoNorte,
                             "estacoes.csv", "ajustes.csv", "intervalos.csv"})
        if (ArquivoExiste(pasta + nome)) TArquivosDados::Grava(anterior + nome, LeArquivo(pasta + nome));
    TMontagemDados m;
    try {
        m = MontaDados(novo, localidades, pasta, ArquivoExiste(pasta + "contornos.csv") ? pasta + "contornos.csv" : "");
    } catch (...) {
        std::remove(novo.c_str());
        throw;
    }
    if (!m.Erros.empty()) {
        std::remove(novo.c_str());
        std::string texto = "A estação não foi adicionada:";
        for (const TErroImportacao& erro : m.Erros) texto += "\n" + erro.Texto();
        throw EDadosInvalidos(Ansi(texto));
    }
    if (std::rename(novo.c_str(), csv.c_str()) != 0) {
        std::remove(novo.c_str());
        throw EInOutError(Ansi("Não foi possível escrever ") + TextoDoCaminho(csv) + ".");
    }
    AcrescentaDescricao(pasta, e);
    return pasta;
}

std::string DescricaoDoAjuste(const std::string& pastaDados, const std::string& citacao) {
    std::string achada;
    for (const TLinhaCsv& l : Linhas(pastaDados + "ajustes.csv"))
        if (l.Campos.size() == 4 && l.Campos[2] == citacao) achada = l.Campos[3];   // the last one wins
    return achada;
}

std::vector<TIntervaloIdf> IntervalosDoAjuste(const std::string& pastaDados, const std::string& uf,
                                              const std::string& nome) {
    std::vector<TIntervaloIdf> r;
    for (const TLinhaCsv& l : Linhas(pastaDados + "intervalos.csv")) {
        if (l.Campos.size() != 6 || l.Campos[0] != uf || l.Campos[1] != nome) continue;
        TIntervaloIdf i;
        if (!LeNumero(l.Campos[2], i.Tr) || !LeNumero(l.Campos[3], i.Duracao) || !LeNumero(l.Campos[4], i.Inferior) ||
            !LeNumero(l.Campos[5], i.Superior))
            continue;
        // Each table runs Tr by Tr, duration by duration: a step back begins
        // the table of a later fit of the same station, which replaces it.
        if (!r.empty() && (i.Tr < r.back().Tr || (i.Tr == r.back().Tr && i.Duracao <= r.back().Duracao))) r.clear();
        r.push_back(i);
    }
    return r;
}
