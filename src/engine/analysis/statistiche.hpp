// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Summary statistics of samples. Percentiles interpolate linearly between the
// two nearest ranks of the sorted sample, as a spreadsheet's PERCENTILE.INC:
// with n values v(0) <= ... <= v(n-1) and h = (n - 1) p, the p-th quantile is
// v(floor h) + (h - floor h) (v(floor h + 1) - v(floor h)).

#include <optional>
#include <vector>

namespace kalvor {

std::optional<double> media(const std::vector<double> &valori);

// The harmonic mean of positive values; none when any value is not positive.
std::optional<double> mediaArmonica(const std::vector<double> &valori);

// p between 0 and 1; the values need not be sorted.
std::optional<double> percentile(std::vector<double> valori, double p);

} // namespace kalvor
