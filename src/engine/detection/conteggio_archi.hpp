// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// For each arc and pixel column, the foreground pixels of its segment: the
// mask rows of the band, each masked by the columns that count it, summed
// down the columns in one pass over the band.

#include "detection/spazio_rilevamento.hpp"

namespace kalvor {

// Fills s.conteggi from s.maschera and s.geometria (which must be built).
void countArcs(DetectionWorkspace &s);

} // namespace kalvor
