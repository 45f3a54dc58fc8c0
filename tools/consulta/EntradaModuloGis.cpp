// The GIS module's one exported function: its writers behind a wall that
// turns every exception into a returned error.
#include <new>

#include "GisGrade.h"
#include "GisGradeNacional.h"
#include "GisPontos.h"
#include "ModuloGis.h"
#include "platform/Erros.h"

namespace {

template <typename Funcao>
std::size_t Protege(TErroGis& erro, Funcao&& funcao) {
    try {
        return funcao();
    } catch (const Exception& e) {
        erro.Houve = true;
        erro.Mensagem = e.Message();
    } catch (const std::bad_alloc&) {
        erro.SemMemoria = true;
    }
    return 0;
}

std::size_t Grade(const TPoolInterpolacao& pool, const TOpcoesConsulta& opcoes, std::ostream& progresso,
                  TErroGis& erro) {
    return Protege(erro, [&] { return GravaGrade(pool, opcoes, progresso); });
}

std::size_t Pontos(const TPoolInterpolacao& pool, const TOpcoesConsulta& opcoes, std::istream& entrada,
                   std::ostream& erros, TErroGis& erro) {
    return Protege(erro, [&] { return GravaPontosGis(pool, opcoes, entrada, erros); });
}

void GradeNacional(const TGradeNacional& grade, const TOpcoesConsulta& opcoes, TErroGis& erro) {
    Protege(erro, [&] {
        GravaGradeNacional(grade, opcoes);
        return std::size_t{0};
    });
}

const TModuloGis kModulo{Grade, Pontos, GradeNacional};

}  // namespace

extern "C" __attribute__((visibility("default"))) const TModuloGis* TormelModuloGis() { return &kModulo; }
