// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The extra indicator columns as text lines that line up with the lines of
// the indicator text area (title, header, one line per row shown), so that the
// screen shows them beside it while the indicator text and its saved file stay
// as they are.

#include "analysis/indicatori_estesi.hpp"
#include "common/numbers.hpp"
#include "common/text_list.hpp"

#include <optional>
#include <vector>

namespace kalvor {

// An empty title line, the header "PET\tHeadway", then one line per row of
// the indicator table, or per row of one vehicle when `veicolo` is given.
TextList testoIndicatoriEstesi(const std::vector<RigaIndicatori> &indicatori,
                               const std::vector<RigaIndicatoriEstesi> &estesi, std::optional<double> veicolo,
                               const NumberFormat &format = currentNumberFormat());

} // namespace kalvor
