// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/statistiche.hpp"

#include <algorithm>
#include <cmath>

namespace kalvor {

std::optional<double> media(const std::vector<double> &valori)
{
    if (valori.empty())
        return std::nullopt;
    double somma = 0.0;
    for (double v : valori)
        somma += v;
    return somma / static_cast<double>(valori.size());
}

std::optional<double> mediaArmonica(const std::vector<double> &valori)
{
    if (valori.empty())
        return std::nullopt;
    double sommaInversi = 0.0;
    for (double v : valori) {
        if (!(v > 0.0))
            return std::nullopt;
        sommaInversi += 1.0 / v;
    }
    return static_cast<double>(valori.size()) / sommaInversi;
}

std::optional<double> percentile(std::vector<double> valori, double p)
{
    if (valori.empty())
        return std::nullopt;
    std::sort(valori.begin(), valori.end());
    const double h = static_cast<double>(valori.size() - 1) * std::clamp(p, 0.0, 1.0);
    const auto basso = static_cast<std::size_t>(std::floor(h));
    if (basso + 1 >= valori.size())
        return valori.back();
    return valori[basso] + (h - static_cast<double>(basso)) * (valori[basso + 1] - valori[basso]);
}

} // namespace kalvor
