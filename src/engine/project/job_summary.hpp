// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a confirmed job holds, in the figures a user checks a setup by: the
// grid's extent in metres, the axis and the band in pixels and in metres.

#include "state/stato_lavoro.hpp"

namespace kalvor {

struct JobSummary
{
    // Over the whole grid; all 0 when the grid is empty.
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool area = false; // the rest only when the area's points convert
    int axisPixels = 0; // column span x2 - x1
    double axisMetres = 0; // metric x at P2 minus metric x at P1
    int halfBandPixels = 0; // rows of each arc
    // Metric y across each arc at the axis' middle column: from the axis row
    // to the band's edge, so the lengths a vehicle's width is measured in.
    double upperArcMetres = 0;
    double lowerArcMetres = 0;
};

// Reads GrigliaMetrica and PuntiRiferimento of a job that confirmJob passed.
JobSummary summariseJob(const StatoLavoro &stato);

} // namespace kalvor
