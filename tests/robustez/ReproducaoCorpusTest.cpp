// Every committed fuzz corpus file run through its target's entry function:
// the corpora are regression tests, here and under the sanitizers.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Alvos.h"
#include "ViolacaoDeInvariante.h"

namespace fs = std::filesystem;

namespace {

struct TAlvo {
    const char* Pasta;
    int (*Entrada)(const uint8_t*, std::size_t);
};

std::ostream& operator<<(std::ostream& os, const TAlvo& a) { return os << a.Pasta; }

class ReproducaoCorpus : public testing::TestWithParam<TAlvo> {};

TEST_P(ReproducaoCorpus, EveryFileKeepsEveryPromise) {
    const fs::path pasta = fs::path(TORMEL_CORPUS) / GetParam().Pasta;
    std::vector<fs::path> arquivos;
    for (const auto& e : fs::directory_iterator(pasta))
        if (e.is_regular_file()) arquivos.push_back(e.path());
    std::sort(arquivos.begin(), arquivos.end());
    ASSERT_GE(arquivos.size(), 3u) << "corpus missing under " << pasta;

    for (const fs::path& a : arquivos) {
        std::ifstream in(a, std::ios::binary);
        const std::string dados((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        try {
            GetParam().Entrada(reinterpret_cast<const uint8_t*>(dados.data()), dados.size());
        } catch (const ViolacaoDeInvariante& v) {
            ADD_FAILURE() << a.filename() << ": " << v.what();
        } catch (const std::exception& e) {
            ADD_FAILURE() << a.filename() << ": escaped " << typeid(e).name() << ": " << e.what();
        }
    }
}

// Built twice: the plain C++ targets, and (TORMEL_ALVOS_QT) those of the
// Qt code, in a program linked with Qt.
#ifndef TORMEL_ALVOS_QT
INSTANTIATE_TEST_SUITE_P(Alvos, ReproducaoCorpus,
                         testing::Values(TAlvo{"estacoes", AlvoEstacoes}, TAlvo{"localidades", AlvoLocalidades},
                                         TAlvo{"arquivoini", AlvoArquivoIni}, TAlvo{"parsedms", AlvoParseDms},
                                         TAlvo{"csvdados", AlvoCsvDados}, TAlvo{"csvconsulta", AlvoCsvConsulta}),
                         [](const testing::TestParamInfo<TAlvo>& i) { return std::string(i.param.Pasta); });
#else
INSTANTIATE_TEST_SUITE_P(AlvosQt, ReproducaoCorpus,
                         testing::Values(TAlvo{"mapaestado", AlvoMapaEstado}, TAlvo{"ajuda", AlvoAjuda}),
                         [](const testing::TestParamInfo<TAlvo>& i) { return std::string(i.param.Pasta); });
#endif

}  // namespace
