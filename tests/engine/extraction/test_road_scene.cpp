// SPDX-License-Identifier: GPL-3.0-or-later
// The synthetic road scene is the yardstick of detection and tracking tests:
// its geometry and ground truth must be exactly what its header promises.
#include "scene/road_scene.hpp"
#include "support/scoped_number_format.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace kalvor;
using namespace kalvor::testing;
using namespace kalvor::scene;

TEST(RoadScene, GeometryAt640x480)
{
    ScopedNumberFormat comma(NumberFormat::comma());
    const SceneGeometry g = sceneGeometry(640, 480);
    EXPECT_DOUBLE_EQ(g.metresPerPixel, 0.05);
    EXPECT_EQ(g.roadTop, 170);
    EXPECT_EQ(g.roadBottom, 310);
    EXPECT_EQ(g.axisRow, 240);
    EXPECT_EQ(g.laneCentreRow[0], 205.0);
    EXPECT_EQ(g.laneCentreRow[1], 275.0);
    EXPECT_EQ(g.puntiRiferimento(), (TextList {"240", "8", "240", "631", "170", "320", "310", "320"}));
    EXPECT_EQ(g.referenceColumns(), (TextList {"100", "260", "420", "580"}));
    EXPECT_EQ(g.referenceRows(), (TextList {"100", "220", "340", "460"}));
    EXPECT_EQ(g.referenceDistanceTexts(), (TextList {"10", "10", "10"}));
    EXPECT_DOUBLE_EQ(g.metricX(320), 16.0);
    EXPECT_DOUBLE_EQ(g.rowOf(12.0), 240.0);
}

TEST(RoadScene, FramesAreDeterministicAndRandomAccess)
{
    SceneOptions o;
    o.duration = 4;
    const RoadScene a(o);
    const RoadScene b(o);
    EXPECT_EQ(a.frameCount(), 100);
    EXPECT_EQ(a.frame(37), b.frame(37));
    const RgbImage f5 = a.frame(5);
    (void)a.frame(80);
    EXPECT_EQ(a.frame(5), f5);
    EXPECT_NE(a.frame(5), a.frame(6)); // noise differs from frame to frame
    o.seed = 2;
    EXPECT_NE(RoadScene(o).frame(5), f5);
}

// One car in the lower half at 36 km/h (10 m/s = 200 px/s = 8 px per frame).
TEST(RoadScene, SingleVehicleTruthAndPixels)
{
    SceneOptions o;
    o.duration = 5;
    o.noiseSigma = 0;
    o.lightingAmplitude = 0;
    VehicleSpec v;
    v.id = 7;
    v.half = Half::Inf;
    v.lengthM = 4.0; // 80 px
    v.widthM = 2.0; // 40 px
    v.speedKmh = 36.0;
    v.entryTime = 0.0;
    v.colour = {200, 30, 30};
    o.vehicles = {v};
    const RoadScene scene(o);

    EXPECT_TRUE(scene.truth(0).vehicles.empty()); // front exactly on the edge: no pixel yet
    const FrameTruth t = scene.truth(25); // 1 s: front at x = 200 px
    ASSERT_EQ(t.vehicles.size(), 1u);
    const VehicleTruth &vt = t.vehicles[0];
    EXPECT_EQ(vt.id, 7);
    EXPECT_EQ(vt.half, Half::Inf);
    EXPECT_EQ(vt.left, 120);
    EXPECT_EQ(vt.right, 199);
    EXPECT_EQ(vt.top, 255);
    EXPECT_EQ(vt.bottom, 294);
    EXPECT_FALSE(vt.clipped);
    EXPECT_NEAR(vt.frontM, 10.0, 1e-9);
    EXPECT_NEAR(vt.rearM, 6.0, 1e-9);
    EXPECT_NEAR(vt.xM, 8.0, 1e-9);
    EXPECT_NEAR(vt.yM, 13.75, 1e-9);
    EXPECT_NEAR(vt.speedMs, 10.0, 1e-12);

    const RgbImage f = scene.frame(25);
    const RgbImage road = scene.emptyRoad(25);
    int changedInside = 0;
    int changedOutside = 0;
    for (int r = 0; r < 480; ++r)
        for (int c = 0; c < 640; ++c) {
            const bool inside = c >= 120 && c <= 199 && r >= 255 && r <= 294;
            const bool differs = std::memcmp(f.row(r) + 3 * c, road.row(r) + 3 * c, 3) != 0;
            (inside ? changedInside : changedOutside) += differs ? 1 : 0;
        }
    EXPECT_EQ(changedInside, 80 * 40);
    EXPECT_EQ(changedOutside, 0);

    // Partly out at the right edge at 3.5 s: front at 700 px.
    const FrameTruth late = scene.truth(88); // 3.52 s, front 704
    ASSERT_EQ(late.vehicles.size(), 1u);
    EXPECT_TRUE(late.vehicles[0].clipped);
    EXPECT_EQ(late.vehicles[0].right, 639);
    EXPECT_EQ(late.vehicles[0].left, 624);
}

TEST(RoadScene, UpperHalfMovesLeft)
{
    SceneOptions o;
    o.duration = 3;
    VehicleSpec v;
    v.id = 1;
    v.half = Half::Sup;
    v.speedKmh = 72.0; // 20 m/s = 400 px/s
    v.lengthM = 5.0;
    o.vehicles = {v};
    const RoadScene scene(o);
    const FrameTruth t = scene.truth(25);
    ASSERT_EQ(t.vehicles.size(), 1u);
    EXPECT_EQ(t.vehicles[0].half, Half::Sup);
    EXPECT_EQ(t.vehicles[0].left, 240);
    EXPECT_EQ(t.vehicles[0].right, 339);
    EXPECT_NEAR(t.vehicles[0].speedMs, -20.0, 1e-12);
    EXPECT_LT(t.vehicles[0].bottom, scene.geometry().axisRow);
}

TEST(RoadScene, StandardTrafficKeepsLanesApartAndOvertakes)
{
    SceneOptions o;
    o.duration = 60;
    const RoadScene scene(o);
    bool overtakeSeen = false;
    bool bothHalvesAtOnce = false;
    for (int i = 0; i < scene.frameCount(); ++i) {
        const FrameTruth f = scene.truth(i);
        bool sup = false;
        bool inf = false;
        for (std::size_t a = 0; a < f.vehicles.size(); ++a) {
            const auto &va = f.vehicles[a];
            (va.half == Half::Sup ? sup : inf) = true;
            if (va.half != va.travelHalf)
                overtakeSeen = true;
            for (std::size_t b = a + 1; b < f.vehicles.size(); ++b) {
                const auto &vb = f.vehicles[b];
                const bool overlap
                    = va.left <= vb.right && vb.left <= va.right && va.top <= vb.bottom && vb.top <= va.bottom;
                // Only the overtaking car may share rows with the lorry it passes, never its pixels.
                EXPECT_FALSE(overlap) << "frame " << i << " vehicles " << va.id << " and " << vb.id;
            }
        }
        bothHalvesAtOnce = bothHalvesAtOnce || (sup && inf);
    }
    EXPECT_TRUE(overtakeSeen);
    EXPECT_TRUE(bothHalvesAtOnce);
    EXPECT_GE(scene.vehicles().size(), 20u);
}
