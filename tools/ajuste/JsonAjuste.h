#pragma once
// The fit as one JSON object (UTF-8): record, annual maxima, distributions
// and tests, quantiles, table, K, a, b, c, R², RMSE and the 90% intervals.
#include <ostream>

#include "ajuste/Ajuste.h"

void EscreveJson(const TResultadoAjuste& r, int anoDaCitacao, std::ostream& s);
