#pragma once
// One point: the place, K, a, b, c and the source, then on request the
// intensities and depths and the contributing stations. Text for people and
// scripts: "Nome: valor" lines, tables with tab-separated columns.
#include <optional>
#include <ostream>

#include "EscritorJson.h"
#include "OpcoesConsulta.h"
#include "database/GradeNacional.h"
#include "database/PoolInterpolacao.h"
#include "database/PontoDireto.h"
#include "model/TabelaIdf.h"

class TConsultaPonto {
public:
    TConsultaPonto(const TPoolInterpolacao& pool, const TOpcoesConsulta& opcoes) : pool_(&pool), opcoes_(opcoes) {}
    // Straight from the station file (the same answer and errors), for a
    // run that asks this one point: not with --estacoes, which lists every
    // station of the pool.
    TConsultaPonto(const TPontoDireto& direto, const TOpcoesConsulta& opcoes) : direto_(&direto), opcoes_(opcoes) {}

    // Errors of the coordinates or of the data pass to the caller (a corrupt
    // station record that the point reaches is EDadosInvalidos naming it);
    // the answer is written whole or not at all. A point outside Brazil or
    // far from every station gets the core's warning on `avisos` (standard
    // error), with or without --confianca. With -o and --hietograma, the
    // output is the design storm's CSV alone and the rest goes to `avisos`. The
    // notes on answers beyond the fitted ranges go to `avisos` too, one line
    // each, after the answer.
    void Executa(std::ostream& saida, std::ostream* avisos = nullptr) const;
    // The national grid for --fonte grade or ambas (ConsultaPontoGrade.cpp).
    void DefineGrade(const TGradeNacional* grade) { grade_ = grade; }
    // The same answer as one JSON object (--json; ConsultaPontoJson.cpp);
    // the warning is in its avisos, and also said on `avisos`.
    TJson RespostaJson(std::ostream* avisos = nullptr) const;

private:
    // The point's coordinate texts and its answer, straight from the file
    // or from the pool; parameters that are not numbers are refused.
    struct TLocal {
        AnsiString Latitude, Longitude;
        TEstacao Estacao{};
        std::optional<TPontoDireto::TResposta> Direta;
    };
    TLocal Localiza() const;
    // The design storm and the inverse questions asked for, computed in full
    // before anything is written; the design storm's CSV table goes to
    // `tabela`, the notes on answers beyond the fitted ranges to `notas`.
    void EscrevePerguntas(const TParametrosIdf& p, std::ostream& saida, std::ostream& tabela,
                          std::ostream& notas) const;

    void ExecutaGrade(std::ostream& saida, std::ostream* avisos) const;

    const TPoolInterpolacao* pool_ = nullptr;
    const TPontoDireto* direto_ = nullptr;
    const TOpcoesConsulta& opcoes_;
    const TGradeNacional* grade_ = nullptr;
};
