#include "EscritorCsv.h"

std::string TEscritorCsv::Campo(const std::string& texto) const {
    if (texto.find_first_of(std::string{separador_, '"', '\n', '\r'}) == std::string::npos) return texto;
    std::string r = "\"";
    for (char c : texto) {
        if (c == '"') r += '"';
        r += c;
    }
    r += '"';
    return r;
}

void TEscritorCsv::Linha(const std::vector<std::string>& campos) {
    std::string linha;
    for (std::size_t i = 0; i < campos.size(); ++i) {
        if (i > 0) linha += separador_;
        linha += Campo(campos[i]);
    }
    linha += '\n';
    saida_ << linha;
}
