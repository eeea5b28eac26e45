// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the column scan may read: the area as drawn, clipped to the image and
// to the metric grid, so that an area reaching outside either reads nothing
// there instead of memory that is not the frame's.

#include "state/griglia_metrica.hpp"
#include "state/stato_lavoro.hpp"

#include <algorithm>

namespace kalvor {

struct ScanLimits
{
    int primaColonna = 0; // first byte column scanned
    int ultimaColonna = -1; // last byte column scanned (inclusive)
    int righe = 0; // rows readable in the mask and in the grid

    int rigaGriglia(int r) const { return std::clamp(r, 0, righe - 1); }
};

inline ScanLimits scanLimits(const StatoRilevamento &det, const MetricGrid &griglia)
{
    ScanLimits l;
    const int colonnePixel = std::min(det.LarghezzaRiga / 3, griglia.cols);
    l.righe = std::min(det.AltezzaImmagine, griglia.rows);
    l.primaColonna = std::max(det.ColonnaArea1, 0);
    l.ultimaColonna = std::min(det.ColonnaArea2, 3 * colonnePixel - 1);
    if (l.righe <= 0)
        l.ultimaColonna = l.primaColonna - 1;
    return l;
}

} // namespace kalvor
