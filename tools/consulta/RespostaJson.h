#pragma once
// The pieces of the JSON answers of tormel21-consulta, built from the core's
// results with the one writer (EscritorJson.h) and shared by the one-point
// answer and the batch's JSON Lines. The layout is the schema
// instalacao/tormel21-consulta.schema.json; a new kind of answer is a new
// function here, a member put by its caller, and a property in the schema.
#include <string>
#include <vector>

#include "EscritorJson.h"
#include "database/Confianca.h"
#include "database/Registros.h"
#include "model/ChuvaDeProjeto.h"
#include "platform/AnsiString.h"

inline constexpr int VersaoEsquemaJson = 1;

// {"texto": "19°55'32\"", "graus": -19.925555...}: the coordinate text used
// and its signed decimal degrees (south and west negative).
TJson JsonCoordenada(const AnsiString& texto);

// Puts latitude, longitude, local, estacao_exata, K, a, b, c, unidades,
// fonte and citacao (the reference of the source, null for an
// interpolation or a source outside the table) of an answer.
void PoeResposta(TJson& objeto, const AnsiString& latitude, const AnsiString& longitude, const TEstacao& r);

// [{"tr_anos", "t_min", "i_mm_h", "P_mm"}...] of the pairs, valores as
// ValoresDosPares gives them (i, P for each Tr, then each duration).
TJson JsonPares(const std::vector<double>& tr, const std::vector<double>& duracoes, const std::vector<double>& valores);

// The confidence summary (--confianca).
TJson JsonConfianca(const TConfianca& c);
// Its warning sentence, when one applies, onto avisos (every answer gets it).
void AcrescentaAviso(const TConfianca& c, TJson& avisos);

// The return period of an observed storm of P mm in t min; its
// extrapolation note also goes to avisos.
TJson JsonTrEvento(double t, double altura, const TResposta& tr, TJson& avisos);

// A calculator's answer as a number, or null with the reason in motivo.
void PoeRespostaCalculadora(TJson& objeto, const std::string& nome, const std::string& nomeMotivo,
                            const TResposta& r);
