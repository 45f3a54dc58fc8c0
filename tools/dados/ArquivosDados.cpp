#include "ArquivosDados.h"

#include <cstdio>
#include <fstream>

#include "platform/Caminhos.h"
#include "platform/Erros.h"

namespace {

template <class T>
std::string Serializa(const std::array<std::vector<T>, NumEstados>& blocos) {
    std::string r(1, '\0');
    for (int s = 0; s < NumEstados; ++s) {
        const auto& b = blocos[static_cast<size_t>(s)];
        if (b.size() > 65535)
            throw EDadosInvalidos("O estado " + NomesEstados[static_cast<size_t>(s)] + " tem " +
                                  std::to_string(b.size()) + " registros (máximo 65535)");
        r += static_cast<char>(b.size() & 0xFF);
        r += static_cast<char>(b.size() >> 8);
        r.append(reinterpret_cast<const char*>(b.data()), b.size() * sizeof(T));
    }
    return r;
}

}  // namespace

std::string TArquivosDados::Estacoes(const TBlocosEstacoes& blocos) { return Serializa(blocos); }
std::string TArquivosDados::Localidades(const TBlocosLocalidades& blocos) { return Serializa(blocos); }

void TArquivosDados::Grava(const std::string& caminho, const std::string& bytes) {
    std::string temp = caminho + ".tmp";
    {
        std::ofstream f(temp, std::ios::binary | std::ios::trunc);
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        f.close();
        if (!f) {
            std::remove(temp.c_str());
            throw EInOutError("Não foi possível gravar o arquivo " + TextoDoCaminho(caminho));
        }
    }
    if (std::rename(temp.c_str(), caminho.c_str()) != 0) {
        std::remove(temp.c_str());
        throw EInOutError("Não foi possível gravar o arquivo " + TextoDoCaminho(caminho));
    }
}
