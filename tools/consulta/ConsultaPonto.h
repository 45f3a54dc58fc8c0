#pragma once
// One point: the place, K, a, b, c and the source, then on request the
// intensities and depths and the contributing stations. Text for people and
// scripts: "Nome: valor" lines, tables with tab-separated columns.
#include <ostream>

#include "OpcoesConsulta.h"
#include "PoolInterpolacao.h"
#include "database/BDPrecipitacao.h"

class TConsultaPonto {
public:
    TConsultaPonto(const TBDPrecipitacao& bd, const TPoolInterpolacao& pool, const TOpcoesConsulta& opcoes)
        : bd_(bd), pool_(pool), opcoes_(opcoes) {}

    // Errors of the coordinates or of the data pass to the caller; the
    // answer is written whole or not at all.
    void Executa(std::ostream& saida) const;

private:
    const TBDPrecipitacao& bd_;
    const TPoolInterpolacao& pool_;
    const TOpcoesConsulta& opcoes_;
};
