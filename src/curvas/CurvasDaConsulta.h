#pragma once
// The design-value windows opened from the query window: the place as the
// query window shows it, and the opener the component hands the window.
#include "curvas/LugarIdf.h"

class TfrmFoConsulta;

// The query window's place: name ("Ponto ..." for a point), the state it was
// taken in, coordinate texts, source as shown, K, a, b, c at all their
// digits and the warning sentence.
TLugarIdf LugarAtual(const TfrmFoConsulta& consulta);
// "Curvas IDF" for that place, modal over the query window.
void MostraCurvasDaConsulta(TfrmFoConsulta& consulta);
