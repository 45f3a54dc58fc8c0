// The Hidroweb "Chuvas" export: "//" preamble, a "//" header line naming the
// columns, one row per station, month and consistency level (1 raw, 2
// consistent; the consistent month wins), ';' between fields, decimal comma,
// ISO-8859-1 text (kept as the single-byte text it is), CR LF ends. Day
// statuses: 0 blank, 1 real, 2 estimated, 3 doubtful, 4 accumulated.
#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "ajuste/ErrosAjuste.h"
#include "ajuste/Registro.h"
#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Numeros.h"

namespace {

[[noreturn]] void Erro(const std::string& caminho, int linha, const std::string& utf8) {
    throw ERegistroInvalido(OndeNaLinha(caminho, linha) + Ansi(utf8));
}

struct TMesLido {
    int Linha = 0;
    std::vector<TDiaChuva> Dias;
};

// Header columns the reader needs, by name.
struct TColunas {
    int Estacao = -1, Nivel = -1, Data = -1;
    int Chuva[31];
    int Status[31];
};

TColunas LeCabecalho(const std::string& linha, const std::string& caminho, int n) {
    const std::vector<std::string> nomes = CamposDaLinha(linha.substr(linha.find("//") + 2), ';');
    TColunas c;
    for (int d = 0; d < 31; ++d) c.Chuva[d] = c.Status[d] = -1;
    for (int j = 0; j < static_cast<int>(nomes.size()); ++j) {
        const std::string nome = SemBrancos(nomes[j]);
        if (nome == "EstacaoCodigo") c.Estacao = j;
        else if (nome == "NivelConsistencia") c.Nivel = j;
        else if (nome == "Data" || nome == "DataHora") c.Data = j;
        else if (nome.size() >= 7 && nome.rfind("Chuva", 0) == 0) {
            int d = 0;
            if (!TryStrToInt(nome.substr(5, 2), d) || d < 1 || d > 31) continue;
            if (nome.size() == 7) c.Chuva[d - 1] = j;
            else if (nome.substr(7) == "Status") c.Status[d - 1] = j;
        }
    }
    std::string falta;
    if (c.Estacao < 0) falta += " EstacaoCodigo";
    if (c.Nivel < 0) falta += " NivelConsistencia";
    if (c.Data < 0) falta += " Data";
    for (int d = 0; d < 31; ++d)
        if (c.Chuva[d] < 0 || c.Status[d] < 0) { falta += " Chuva01..Chuva31 e seus Status"; break; }
    if (!falta.empty()) Erro(caminho, n, "o cabeçalho do Hidroweb não tem as colunas" + falta + ".");
    return c;
}

}  // namespace

bool PareceHidroweb(const std::string& texto) {
    const std::size_t p = texto.find("EstacaoCodigo");
    if (p == std::string::npos) return false;
    const std::size_t inicioLinha = texto.rfind('\n', p);
    const std::string inicio = texto.substr(inicioLinha == std::string::npos ? 0 : inicioLinha + 1, 2);
    return inicio == "//";
}

TRegistro LeHidroweb(const std::string& texto, const std::string& caminho, const TOpcoesLeitura& opcoes) {
    const std::vector<std::string> linhas = LinhasDoTexto(texto);
    TColunas col{};
    bool temCabecalho = false;
    // station -> (first day of month, level) -> month
    std::map<std::string, std::map<std::pair<int, int>, TMesLido>> lidos;
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const std::string& linha = linhas[i];
        if (SemBrancos(linha).empty()) continue;
        if (SemBrancos(linha).rfind("//", 0) == 0) {
            if (linha.find("EstacaoCodigo") != std::string::npos) {
                col = LeCabecalho(linha, caminho, n);
                temCabecalho = true;
            }
            continue;
        }
        if (!temCabecalho) Erro(caminho, n, "dados antes do cabeçalho (a linha \"//EstacaoCodigo;...\").");
        const std::vector<std::string> c = CamposDaLinha(linha, ';');
        auto campo = [&](int j) { return j < static_cast<int>(c.size()) ? SemBrancos(c[j]) : std::string(); };
        const std::string estacao = campo(col.Estacao);
        if (estacao.empty()) Erro(caminho, n, "falta o código da estação.");
        int nivel = 0;
        if (!TryStrToInt(campo(col.Nivel), nivel) || (nivel != 1 && nivel != 2))
            Erro(caminho, n, "NivelConsistencia \"" + Utf8(campo(col.Nivel)) + "\" não é 1 (bruto) nem 2 (consistido).");
        const std::string data = campo(col.Data);
        int d = 0, m = 0, a = 0;
        if (data.size() < 10 || data[2] != '/' || data[5] != '/' || !TryStrToInt(data.substr(0, 2), d) ||
            !TryStrToInt(data.substr(3, 2), m) || !TryStrToInt(data.substr(6, 4), a) || m < 1 || m > 12 || d != 1)
            Erro(caminho, n, "\"" + Utf8(data) + "\" não é o primeiro dia de um mês (dd/mm/aaaa).");
        TMesLido mes;
        mes.Linha = n;
        const int diasNoMes = DiasNoMes(a, m);
        for (int k = 0; k < diasNoMes; ++k) {
            TDiaChuva dia;
            dia.Dia = DiaCivil(a, m, k + 1);
            const std::string valor = campo(col.Chuva[k]);
            const std::string status = campo(col.Status[k]);
            int s = 0;
            if (!status.empty() && (!TryStrToInt(status, s) || s < 0 || s > 4))
                Erro(caminho, n, "Chuva" + std::string(k < 9 ? "0" : "") + std::to_string(k + 1) + "Status \"" +
                                     Utf8(status) + "\" não é um estado (0 a 4).");
            if (!valor.empty()) {
                double v;
                if (!TryStrToFloat(valor, ',', v) || !std::isfinite(v))
                    Erro(caminho, n, "\"" + Utf8(valor) + "\" não é um número (dia " + std::to_string(k + 1) + ").");
                if (v < 0) Erro(caminho, n, "altura negativa (" + Utf8(valor) + " mm, dia " + std::to_string(k + 1) + ").");
                dia.Altura = v;
            }
            if (valor.empty() || s == 0) dia.Estado = EstadoDia::Faltante;
            else if (s == 4) dia.Estado = EstadoDia::Acumulado;
            else dia.Estado = EstadoDia::Valido;
            mes.Dias.push_back(dia);
        }
        auto& meses = lidos[estacao];
        const auto chave = std::make_pair(DiaCivil(a, m, 1), nivel);
        const auto existente = meses.find(chave);
        if (existente != meses.end())
            Erro(caminho, n, "o mês " + data.substr(3, 7) + " da estação " + Utf8(estacao) + " no nível " +
                                 std::to_string(nivel) + " repete o da linha " + std::to_string(existente->second.Linha) + ".");
        meses.emplace(chave, std::move(mes));
    }
    if (!temCabecalho) Erro(caminho, 1, "falta o cabeçalho do Hidroweb (a linha \"//EstacaoCodigo;...\").");
    if (lidos.empty()) throw ERegistroInvalido(TextoDoCaminho(caminho) + Ansi(": o arquivo do Hidroweb não tem nenhum mês."));

    std::string codigos;
    for (const auto& [codigo, meses] : lidos) codigos += (codigos.empty() ? "" : ", ") + Utf8(codigo);
    std::string escolhida = opcoes.Estacao;
    if (escolhida.empty()) {
        if (lidos.size() > 1)
            throw ERegistroInvalido(TextoDoCaminho(caminho) + Ansi(": o arquivo tem " + std::to_string(lidos.size()) +
                                                                  " estações (" + codigos + "); escolha uma (--estacao)."));
        escolhida = lidos.begin()->first;
    } else if (!lidos.count(escolhida)) {
        throw ERegistroInvalido(TextoDoCaminho(caminho) + Ansi(": a estação " + escolhida +
                                                              " não está no arquivo, que tem " + codigos + "."));
    }
    TRegistro r;
    r.Tipo = TipoRegistro::Diario;
    r.Formato = Ansi("Hidroweb (Chuvas)");
    r.Estacao = escolhida;
    const auto& meses = lidos.at(escolhida);
    for (auto it = meses.begin(); it != meses.end(); ++it) {
        // Levels of one month are neighbours in the map: keep the consistent one.
        const auto proximo = std::next(it);
        if (it->first.second == 1 && proximo != meses.end() && proximo->first.first == it->first.first) continue;
        r.Dias.insert(r.Dias.end(), it->second.Dias.begin(), it->second.Dias.end());
    }
    return r;
}

std::vector<std::string> EstacoesDoHidroweb(const std::string& texto) {
    std::vector<std::string> codigos;
    if (!PareceHidroweb(texto)) return codigos;
    int coluna = -1;
    for (const std::string& linha : LinhasDoTexto(texto)) {
        if (SemBrancos(linha).rfind("//", 0) == 0) {
            if (linha.find("EstacaoCodigo") == std::string::npos) continue;
            const std::vector<std::string> nomes = CamposDaLinha(linha.substr(linha.find("//") + 2), ';');
            for (std::size_t j = 0; j < nomes.size(); ++j)
                if (SemBrancos(nomes[j]) == "EstacaoCodigo") coluna = static_cast<int>(j);
            continue;
        }
        if (coluna < 0 || SemBrancos(linha).empty()) continue;
        const std::vector<std::string> c = CamposDaLinha(linha, ';');
        if (coluna >= static_cast<int>(c.size())) continue;
        const std::string codigo = SemBrancos(c[coluna]);
        if (!codigo.empty() && std::find(codigos.begin(), codigos.end(), codigo) == codigos.end()) codigos.push_back(codigo);
    }
    return codigos;
}
