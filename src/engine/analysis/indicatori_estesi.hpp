// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The measures shown after the indicator columns: for each row of
// TabellaIndicatori, the post-encroachment time and the time headway of its
// vehicle behind the one before it on its arc at the reference section. Both
// are 0 (an empty field) when the vehicle has no vehicle before it there.

#include "analysis/analisi_traffico.hpp"
#include "state/tabelle.hpp"

#include <array>
#include <vector>

namespace kalvor {

struct RigaIndicatoriEstesi
{
    double PET = 0.0; // s
    double Headway = 0.0; // s
    bool operator==(const RigaIndicatoriEstesi &) const = default;
};

inline constexpr std::array<ColumnDescriptor<RigaIndicatoriEstesi>, 2> colonneIndicatoriEstesi {{
    {"PET", FormaNumero::Hash, &RigaIndicatoriEstesi::PET},
    {"Headway", FormaNumero::Hash, &RigaIndicatoriEstesi::Headway},
}};

// One row per row of the indicator table, in its order.
std::vector<RigaIndicatoriEstesi> indicatoriEstesi(const std::vector<RigaIndicatori> &indicatori,
                                                   const AnalisiTraffico &a);

} // namespace kalvor
