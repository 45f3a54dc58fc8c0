#include "Csv.h"

std::vector<TLinhaCsv> TCsv::Le(std::string_view texto, std::vector<TErroCsv>& erros) {
    if (texto.starts_with("\xEF\xBB\xBF")) texto.remove_prefix(3);
    std::vector<TLinhaCsv> linhas;
    size_t i = 0;
    int numero = 1;
    while (i < texto.size()) {
        // Comment or blank line.
        if (texto[i] == '#' || texto[i] == '\n' || (texto[i] == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n')) {
            while (i < texto.size() && texto[i] != '\n') ++i;
            ++i;
            ++numero;
            continue;
        }
        TLinhaCsv linha;
        linha.Numero = numero;
        std::string campo;
        bool fimDaLinha = false;
        while (!fimDaLinha) {
            campo.clear();
            if (i < texto.size() && texto[i] == '"') {
                ++i;
                bool fechado = false;
                while (i < texto.size()) {
                    char c = texto[i++];
                    if (c == '"') {
                        if (i < texto.size() && texto[i] == '"') { campo += '"'; ++i; }
                        else { fechado = true; break; }
                    } else {
                        if (c == '\n') ++numero;
                        campo += c;
                    }
                }
                if (!fechado) {
                    erros.push_back({linha.Numero, "aspas abertas sem fechamento"});
                    return linhas;
                }
                // Anything up to the next separator after the closing quote is kept.
                while (i < texto.size() && texto[i] != ',' && texto[i] != '\n' && texto[i] != '\r') campo += texto[i++];
            } else {
                while (i < texto.size() && texto[i] != ',' && texto[i] != '\n' && texto[i] != '\r') campo += texto[i++];
            }
            linha.Campos.push_back(campo);
            if (i < texto.size() && texto[i] == ',') { ++i; continue; }
            if (i < texto.size() && texto[i] == '\r') ++i;
            if (i < texto.size() && texto[i] == '\n') ++i;
            ++numero;
            fimDaLinha = true;
        }
        linhas.push_back(std::move(linha));
    }
    return linhas;
}

std::string TCsv::Campo(std::string_view valor) {
    if (valor.find_first_of(",\"\r\n") == std::string_view::npos && !valor.starts_with('#')) return std::string(valor);
    std::string r = "\"";
    for (char c : valor) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + '"';
}

std::string TCsv::Linha(const std::vector<std::string>& campos) {
    std::string r;
    for (size_t k = 0; k < campos.size(); ++k) {
        if (k) r += ',';
        r += Campo(campos[k]);
    }
    return r + '\n';
}
