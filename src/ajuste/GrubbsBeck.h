#pragma once
// Outlier tests of flood-frequency practice on a series of annual maxima,
// in the base-10 logarithms of the values.
//
// Low outliers: the multiple Grubbs-Beck test (Cohn et al., 2013, the test of
// Bulletin 17C). For k = 1 .. n/2, the k-th smallest value against the mean
// and standard deviation of the values above it:
//     w_k = (x(k) - mean(x(k+1..n))) / sd(x(k+1..n)).
// A k whose w_k is below the 0.5% quantile of w_k in normal samples of size n
// marks k low outliers (outward sweep); from there, or from the smallest, a
// run of consecutive k below the 10% quantile extends them (inward sweep).
// The quantiles come from simulated normal samples (fixed seed per n), so
// they are the same on every run and platform.
//
// High values: the Grubbs-Beck threshold mean + K_n·sd at the 10% level
// (K_n = -0.9043 + 3.345·sqrt(log n) - 0.4046·log n, log base 10), as
// Bulletin 17B states it; a value above it is flagged, never removed.
#include <cstddef>
#include <vector>

struct TTesteBaixos {
    std::size_t Quantos = 0;          // the Quantos smallest values are low outliers
    double Limiar = 0;                // mm: the values below it are the outliers (0 when none)
};

// values: positive, any order; fewer than 5 values: no outliers.
TTesteBaixos GrubbsBeckMultiplo(const std::vector<double>& valores);
// The 10% Grubbs-Beck high threshold in mm (infinite for fewer than 5 values).
double LimiarAltoGrubbsBeck(const std::vector<double>& valores);

// The simulated quantiles of w_k for samples of size n (k = 1 .. n/2, index
// k - 1): exposed for the tests.
struct TQuantisGrubbsBeck {
    std::vector<double> Q005, Q10;
};
const TQuantisGrubbsBeck& QuantisGrubbsBeck(std::size_t n);
