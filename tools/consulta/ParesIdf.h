#pragma once
// The intensity and depth of each pair (Tr, t) asked for: i then P, Tr by
// Tr and within it duration by duration. All are computed before any is
// used, and a pair that cannot be computed (an overflow, say) raises the
// error of its evaluation with the pair named in the message, so a caller
// never shows part of a table.
#include <vector>


std::vector<double> ValoresDosPares(double K, double a, double b, double c, const std::vector<double>& tr,
                                    const std::vector<double>& duracoes, char decimal);
