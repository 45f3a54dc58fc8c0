// Settings file: the program's reads and its one atomic write of the five
// keys, a real value written and read back, and the IDF model's load and
// save, on a file of any content.
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Alvos.h"
#include "PastaFuzz.h"
#include "ViolacaoDeInvariante.h"
#include "model/PrecipitacaoExponencialNegativa.h"
#include "platform/ArquivoIni.h"
#include "platform/Erros.h"

namespace {

void Exige(bool condicao, const std::string& oque) {
    if (!condicao) throw ViolacaoDeInvariante("settings file: " + oque);
}

const char* const kChaves[] = {"IndEstado", "IndEstacao", "IndLocalidade", "Latitude", "Longitude"};
const char* const kValores[] = {"12", "-1", "3", "19\xB0" "55'00\"", "43\xB0" "56'00\""};

bool Branco(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

std::string_view Apara(std::string_view s) {
    while (!s.empty() && Branco(s.front())) s.remove_prefix(1);
    while (!s.empty() && Branco(s.back())) s.remove_suffix(1);
    return s;
}

bool IgualSemCaixa(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto m = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
        if (m(a[i]) != m(b[i])) return false;
    }
    return true;
}

bool EhUmaDasCinco(std::string_view chave) {
    for (const char* k : kChaves)
        if (IgualSemCaixa(Apara(chave), k)) return true;
    return false;
}

// Lines split at LF, CRLF or a lone CR, each without its line end.
std::vector<std::string_view> Linhas(std::string_view texto) {
    std::vector<std::string_view> r;
    while (!texto.empty()) {
        const std::size_t fim = texto.find_first_of("\r\n");
        r.push_back(texto.substr(0, fim));
        if (fim == std::string_view::npos) break;
        const bool crlf = texto[fim] == '\r' && fim + 1 < texto.size() && texto[fim + 1] == '\n';
        texto.remove_prefix(fim + (crlf ? 2 : 1));
    }
    return r;
}

// Section and key names that the text seems to hold: a sample of what the
// file's other readers might look up.
void Candidatos(std::string_view texto, std::vector<std::string>& secoes, std::vector<std::string>& chaves) {
    for (std::string_view l : Linhas(texto)) {
        l = Apara(l);
        if (l.size() > 200) continue;
        if (!l.empty() && l.front() == '[') {
            const std::size_t f = l.rfind(']');
            if (f != std::string_view::npos && secoes.size() < 6) secoes.emplace_back(Apara(l.substr(1, f - 1)));
        } else if (const std::size_t igual = l.find('='); igual != std::string_view::npos && chaves.size() < 6) {
            const std::string_view k = Apara(l.substr(0, igual));
            if (!k.empty() && k.front() != ';') chaves.emplace_back(k);
        }
    }
}

std::string LeTudo(const std::string& caminho) {
    std::string r;
    std::FILE* f = std::fopen(caminho.c_str(), "rb");
    Exige(f != nullptr, "cannot read the file back");
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) r.append(buf, n);
    std::fclose(f);
    return r;
}

}  // namespace

int AlvoArquivoIni(const uint8_t* dados, std::size_t tamanho) {
    const std::string original(reinterpret_cast<const char*>(dados), tamanho);
    const std::string caminho = TPastaFuzz::Grava("Tormel21.ini", dados, tamanho);
    TArquivoIni ini(caminho);

    std::vector<std::string> secoes{"PRINCIPAL"}, chaves;
    Candidatos(original, secoes, chaves);
    std::vector<std::pair<std::pair<std::string, std::string>, AnsiString>> antes;
    try {
        // The program's start: five reads that never raise.
        for (const char* k : kChaves) {
            (void)ini.ReadInteger("PRINCIPAL", k, 0);
            (void)ini.ReadString("PRINCIPAL", k, "");
        }
        for (const auto& s : secoes)
            for (const auto& k : chaves) antes.push_back({{s, k}, ini.ReadString(s, k, "\x01")});
    } catch (const Exception& e) {
        Exige(false, std::string("a read raised ") + e.ClassName() + ": " + e.what());
    }

    // The program's end: the five keys in one atomic change.
    try {
        ini.EmLote([&] {
            for (int i = 0; i < 5; ++i) ini.WriteString("PRINCIPAL", kChaves[i], kValores[i]);
        });
    } catch (const Exception& e) {
        Exige(false, std::string("the write raised ") + e.ClassName() + ": " + e.what());
    }
    const std::string gravado = LeTudo(caminho);
    for (int i = 0; i < 5; ++i)
        Exige(ini.ReadString("PRINCIPAL", kChaves[i], "") == kValores[i],
              std::string(kChaves[i]) + " does not read back");
    for (const auto& [nome, valor] : antes) {
        if (IgualSemCaixa(Apara(nome.first), "PRINCIPAL") && EhUmaDasCinco(nome.second)) continue;
        Exige(ini.ReadString(nome.first, nome.second, "\x01") == valor,
              "[" + nome.first + "] " + nome.second + " changed by the write");
    }
    // Every line other than those of the five keys is still there, in order.
    {
        const auto novas = Linhas(gravado);
        std::size_t j = 0;
        for (std::string_view l : Linhas(original)) {
            const std::size_t igual = l.find('=');
            if (igual != std::string_view::npos && EhUmaDasCinco(l.substr(0, igual))) continue;
            while (j < novas.size() && novas[j] != l) ++j;
            Exige(j < novas.size(), "line lost by the write: " + std::string(l.substr(0, 80)));
            ++j;
        }
    }

    // A real value, in the general format with a comma, reads back.
    if (tamanho >= sizeof(double)) {
        double x;
        std::memcpy(&x, dados, sizeof x);
        if (std::isfinite(x)) {
            try {
                ini.WriteFloat("FUZZ", "Valor", x, ',');
            } catch (const Exception& e) {
                Exige(false, std::string("WriteFloat raised ") + e.ClassName() + ": " + e.what());
            }
            const double lido = ini.ReadFloat("FUZZ", "Valor", std::nan(""));
            Exige(std::fabs(lido - x) <= 1e-14 * std::fabs(x) + 1e-320,
                  "real " + std::to_string(x) + " read back as " + std::to_string(lido));
        }
    }

    // The IDF model: load never raises, save and load give the values back.
    TPrecipitacaoExponencialNegativa qualquer;
    (void)qualquer.CarregaArquivo(caminho);
    TPrecipitacaoExponencialNegativa m;
    m.SetK(1234.5678);
    m.SetA(0.15);
    m.SetB(10.25);
    m.SetC(0.8125);
    Exige(m.SalvaArquivo(caminho), "the model's save failed");
    TPrecipitacaoExponencialNegativa lido;
    Exige(lido.CarregaArquivo(caminho), "the model's load failed after its save");
    const double k = lido.K, a = lido.A, b = lido.B, c = lido.C;
    Exige(k == 1234.5678 && a == 0.15 && b == 10.25 && c == 0.8125, "the model's values did not read back");
    return 0;
}
