#include "ModuloGis.h"

#include <dlfcn.h>

#include <new>

#include "platform/Caminhos.h"
#include "platform/Cp1252.h"
#include "platform/Erros.h"

namespace {

const TModuloGis& Modulo() {
    static const TModuloGis* modulo = [] {
        const std::string caminho = PastaDoPrograma() + "tormel21-consulta-gis.so";
        void* biblioteca = ::dlopen(caminho.c_str(), RTLD_NOW | RTLD_LOCAL);
        const char* motivo = nullptr;
        TEntradaModuloGis entrada = nullptr;
        if (!biblioteca) motivo = ::dlerror();
        else if (!(entrada = reinterpret_cast<TEntradaModuloGis>(::dlsym(biblioteca, kEntradaModuloGis))))
            motivo = ::dlerror();
        if (!entrada)
            throw EInOutError(Ansi("Não foi possível carregar o módulo de SIG ") + TextoDoCaminho(caminho) +
                              (motivo ? " (" + AnsiDaEntrada(motivo) + ")" : AnsiString()) + ".");
        return entrada();
    }();
    return *modulo;
}

std::size_t Confere(std::size_t resultado, const TErroGis& erro) {
    if (erro.SemMemoria) throw std::bad_alloc();
    if (erro.Houve) throw EInOutError(erro.Mensagem);
    return resultado;
}

}  // namespace

std::size_t GravaGradeGis(const TPoolInterpolacao& pool, const TOpcoesConsulta& opcoes, std::ostream& progresso) {
    TErroGis erro;
    return Confere(Modulo().GravaGrade(pool, opcoes, progresso, erro), erro);
}

std::size_t GravaPontosGisModulo(const TPoolInterpolacao& pool, const TOpcoesConsulta& opcoes, std::istream& entrada,
                                 std::ostream& erros) {
    TErroGis erro;
    return Confere(Modulo().GravaPontos(pool, opcoes, entrada, erros, erro), erro);
}

void GravaGradeNacionalGis(const TGradeNacional& grade, const TOpcoesConsulta& opcoes) {
    TErroGis erro;
    Modulo().GravaGradeNacional(grade, opcoes, erro);
    Confere(0, erro);
}
