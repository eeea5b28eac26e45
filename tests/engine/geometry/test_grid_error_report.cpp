// SPDX-License-Identifier: GPL-3.0-or-later
// How far the grid's x lies from the true distance along the road, at the
// reference points and halfway between them. Prints a table; the checks only
// hold the errors to the size the fill's one- and two-step offsets explain.
#include "geometry/trasformazione.hpp"
#include "scene/road_scene.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>

using namespace kalvor;
using kalvor::testing::ScopedNumberFormat;

namespace {

struct Probe
{
    const char *where;
    double column;
    double trueX; // along the road, metres, same origin as the table's first point
};

// Prints one line per probe and returns the largest absolute error.
double report(const char *title, const StatoLavoro &s, const std::vector<Probe> &probes)
{
    std::printf("\n%s\n%-10s %8s %12s %12s %10s\n", title, "where", "column", "true x [m]", "grid x [m]", "error [m]");
    double worst = 0.0;
    for (const Probe &p : probes) {
        const int c = static_cast<int>(std::lround(p.column));
        const double grid = s.GrigliaMetrica.at(0, c, 0);
        const double err = grid - p.trueX;
        worst = std::max(worst, std::abs(err));
        std::printf("%-10s %8d %12.6f %12.6f %10.6f\n", p.where, c, p.trueX, grid, err);
    }
    std::printf("largest error %.6f m\n", worst);
    return worst;
}

} // namespace

// The shared synthetic scene: no perspective, 0.05 m per pixel, road along
// the rows; true along-road x of column c is c * 0.05.
TEST(GridErrorReport, SyntheticSceneWithoutPerspective)
{
    ScopedNumberFormat f(NumberFormat::comma());
    const auto g = kalvor::scene::sceneGeometry(640, 480);
    StatoLavoro s;
    s.Prospettiva.coordinataXPixelP = g.referenceColumns();
    s.Prospettiva.coordinataYPixelP = g.referenceRows();
    s.Prospettiva.DistanzeRealiP = g.referenceDistanceTexts();
    chooseReadingDirection(s.SceltaVersoLetture, ReadingDirection::Origine00);
    runTransformation(s, g.width, g.height);
    std::vector<Probe> probes;
    for (std::size_t k = 0; k < g.referencePoints.size(); ++k) {
        const double c = g.referencePoints[k].column;
        probes.push_back({"point", c, g.metricX(c)});
        probes.push_back({"after", c + 1, g.metricX(c + 1)});
        if (k + 1 < g.referencePoints.size()) {
            const double mid = (c + g.referencePoints[k + 1].column) / 2;
            probes.push_back({"halfway", mid, g.metricX(mid)});
        }
    }
    probes.push_back({"right edge", 639, g.metricX(639)});
    const double worst = report("Synthetic scene, 640x480, 0.05 m/px, four points 10 m apart", s, probes);
    // The point columns carry one extra ratio step, the first point two
    // (0.051 m each: the first band's span is two short of its column).
    EXPECT_LT(worst, 2 * 0.0511);
}

// A road seen in perspective, made here: along-road distance X (metres)
// appears at column 40 + 1000 X / (X + 60), nearly along the rows. Points are
// picked on whole pixels at X = 10, 20, ... 50 and the typed distances are
// the true 10 m, so the error also holds the picking round-off.
TEST(GridErrorReport, PerspectiveRoad)
{
    const auto columnOf = [](double x) { return 40.0 + 1000.0 * x / (x + 60.0); };
    const auto alongRoad = [](double c) { return 60.0 * (c - 40.0) / (1000.0 - (c - 40.0)); };
    const auto rowOf = [](double c) { return 240.0 + 0.05 * (c - 320.0); };
    StatoLavoro s;
    std::vector<double> marks = {10, 20, 30, 40, 50};
    std::vector<int> cols;
    for (double x : marks) {
        const int c = static_cast<int>(std::lround(columnOf(x)));
        cols.push_back(c);
        s.Prospettiva.coordinataXPixelP.append(intText(c));
        s.Prospettiva.coordinataYPixelP.append(intText(static_cast<int>(std::lround(rowOf(c)))));
    }
    for (std::size_t k = 1; k < marks.size(); ++k)
        s.Prospettiva.DistanzeRealiP.append("10");
    chooseReadingDirection(s.SceltaVersoLetture, ReadingDirection::Origine00);
    runTransformation(s, 640, 480);
    // Same origin for both: the first point's metric x in the table.
    const double x0 = s.TabellaRiferimenti[0][rif::MetricX];
    std::vector<Probe> probes;
    for (std::size_t k = 0; k < marks.size(); ++k) {
        probes.push_back({"point", double(cols[k]), x0 + alongRoad(cols[k]) - alongRoad(cols[0])});
        if (k + 1 < marks.size()) {
            const double mid = columnOf(marks[k] + 5);
            probes.push_back({"halfway", mid, x0 + alongRoad(std::lround(mid)) - alongRoad(cols[0])});
        }
    }
    const double worst = report("Perspective road, points every 10 m from 10 to 50 m", s, probes);
    // Within a segment the scale changes by up to 40 % here; halfway errors
    // come from that, not from the fill.
    EXPECT_LT(worst, 1.0);
}
