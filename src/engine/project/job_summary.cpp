// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/job_summary.hpp"

#include "common/errors.hpp"
#include "detection/geometria_area.hpp"

#include <algorithm>
#include <cmath>

namespace kalvor {

namespace {

int clampTo(int v, int size)
{
    return std::clamp(v, 0, size - 1);
}

} // namespace

JobSummary summariseJob(const StatoLavoro &s)
{
    JobSummary out;
    const MetricGrid &g = s.GrigliaMetrica;
    if (g.empty())
        return out;
    out.minX = out.maxX = g.at(0, 0, 0);
    out.minY = out.maxY = g.at(0, 0, 1);
    for (int r = 0; r < g.rows; ++r)
        for (int c = 0; c < g.cols; ++c) {
            out.minX = std::min(out.minX, g.at(r, c, 0));
            out.maxX = std::max(out.maxX, g.at(r, c, 0));
            out.minY = std::min(out.minY, g.at(r, c, 1));
            out.maxY = std::max(out.maxY, g.at(r, c, 1));
        }
    try {
        StatoRilevamento det;
        leggiGeometriaArea(s.AreaCaptazione.PuntiRiferimento, det);
        const int x1 = det.ColonnaArea1 / 3;
        const int x2 = det.ColonnaArea2 / 3;
        out.axisPixels = x2 - x1;
        out.axisMetres = g.at(clampTo(det.RigaArea2, g.rows), clampTo(x2, g.cols), 0)
            - g.at(clampTo(det.RigaArea1, g.rows), clampTo(x1, g.cols), 0);
        out.halfBandPixels = semibanda(det);
        const int middle = clampTo((x1 + x2) / 2, g.cols);
        const int axisRow = clampTo(rigaAsse(det, 3 * middle), g.rows);
        const auto y = [&](int row) { return g.at(clampTo(row, g.rows), middle, 1); };
        out.upperArcMetres = std::abs(y(axisRow) - y(axisRow - out.halfBandPixels));
        out.lowerArcMetres = std::abs(y(axisRow + out.halfBandPixels) - y(axisRow));
        out.area = true;
    } catch (const Error &) {
        out.area = false;
    }
    return out;
}

} // namespace kalvor
