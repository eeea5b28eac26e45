// SPDX-License-Identifier: GPL-3.0-or-later
// The harder scenes must stay truthful: shadows, light, a standing vehicle,
// perspective and compression change the pictures, never the truth.
#include "scene/compressed_scene.hpp"
#include "scene/road_scene.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <tuple>

using namespace kalvor;
using namespace kalvor::scene;

namespace {

SceneOptions quietCar(double duration)
{
    SceneOptions o;
    o.duration = duration;
    o.noiseSigma = 0;
    o.lightingAmplitude = 0;
    VehicleSpec v;
    v.id = 1;
    v.half = Half::Inf;
    v.lengthM = 4.0;
    v.widthM = 2.0;
    v.speedKmh = 36.0;
    o.vehicles = {v};
    return o;
}

bool boxesOverlap(const VehicleTruth &a, const VehicleTruth &b)
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

} // namespace

// 10 m/s braking at 2.5 m/s2: 20 m and 4 s to stop, so braking starts at the
// entry edge when the vehicle is to stand with its front 20 m in.
TEST(SceneOptions, StoppingVehicleTravelsByTheBook)
{
    VehicleSpec v;
    v.speedKmh = 36.0;
    v.entryTime = 1.0;
    v.stopAtM = 20.0;
    v.stopSeconds = 10.0;
    v.brakingMs2 = 2.5;
    struct Case
    {
        double time, metres, speed;
    };
    const Case cases[] = {
        {0.0, -10.0, 10.0}, // before the entry: cruising
        {1.0, 0.0, 10.0},   {3.0, 15.0, 5.0}, // braking
        {5.0, 20.0, 0.0},   {14.99, 20.0, 0.0}, // standing
        {16.0, 21.25, 2.5}, // pulling away
        {21.0, 60.0, 10.0}, // cruising again: 20 + 20 + 10 x 2
    };
    for (const Case &c : cases) {
        double speed = -1;
        EXPECT_NEAR(RoadScene::travelled(v, c.time, &speed), c.metres, 1e-9) << c.time;
        EXPECT_NEAR(speed, c.speed, 1e-9) << c.time;
    }
}

TEST(SceneOptions, StoppedVehicleBoxStandsStillForTenSeconds)
{
    SceneOptions o;
    o.duration = 30;
    o.stopSeconds = 10;
    const RoadScene scene(o);
    const auto stopper = std::find_if(scene.vehicles().begin(), scene.vehicles().end(),
                                      [](const VehicleSpec &v) { return v.stopSeconds > 0; });
    ASSERT_NE(stopper, scene.vehicles().end());
    // Standing from t2 (braking over) for 10 s.
    const double cruise = stopper->speedKmh / 3.6;
    const double brakeS = cruise / stopper->brakingMs2;
    const double t2 = stopper->entryTime + (stopper->stopAtM - cruise * brakeS / 2) / cruise + brakeS;
    int standing = 0;
    VehicleTruth stand {};
    for (int i = 0; i < scene.frameCount(); ++i) {
        const FrameTruth f = scene.truth(i);
        for (std::size_t a = 0; a < f.vehicles.size(); ++a)
            for (std::size_t b = a + 1; b < f.vehicles.size(); ++b)
                EXPECT_FALSE(boxesOverlap(f.vehicles[a], f.vehicles[b])) << "frame " << i;
        const auto it = std::find_if(f.vehicles.begin(), f.vehicles.end(),
                                     [&](const VehicleTruth &t) { return t.id == stopper->id; });
        const bool shouldStand = f.time >= t2 && f.time < t2 + 10.0;
        if (it == f.vehicles.end()) {
            EXPECT_FALSE(shouldStand) << "frame " << i;
            continue;
        }
        if (shouldStand) {
            if (standing++ == 0)
                stand = *it;
            EXPECT_EQ(it->speedMs, 0.0) << "frame " << i;
            EXPECT_EQ(std::tie(it->left, it->top, it->right, it->bottom),
                      std::tie(stand.left, stand.top, stand.right, stand.bottom))
                << "frame " << i;
        } else {
            EXPECT_GT(it->speedMs, 0.0) << "frame " << i;
        }
    }
    EXPECT_EQ(standing, 250); // 10 s at 25 fps
    // It stands with its centre in the middle of the picture, in the band.
    const FrameTruth mid = scene.truth(static_cast<int>((t2 + 5.0) * 25));
    const auto it = std::find_if(mid.vehicles.begin(), mid.vehicles.end(),
                                 [&](const VehicleTruth &t) { return t.id == stopper->id; });
    ASSERT_NE(it, mid.vehicles.end());
    EXPECT_NEAR(it->xM, 16.0, 1e-9);
    EXPECT_FALSE(it->clipped);
}

TEST(SceneOptions, ShadowsDarkenTheGroundNeverTheVehicles)
{
    SceneOptions plain = quietCar(5);
    SceneOptions shaded = plain;
    shaded.shadowDepth = 0.5;
    const RoadScene a(plain);
    const RoadScene b(shaded);
    EXPECT_EQ(truthCsv(a), truthCsv(b));
    // 1 s: body columns 120..199, rows 255..294; the shadow is the body moved
    // 1 m left and 1.2 m down: columns 100..179, rows 279..318.
    const RgbImage fa = a.frame(25);
    const RgbImage fb = b.frame(25);
    for (int r = 255; r <= 294; ++r)
        EXPECT_EQ(std::memcmp(fa.row(r) + 3 * 120, fb.row(r) + 3 * 120, 3 * 80), 0) << r;
    struct Px
    {
        int row, column;
        bool shaded;
    };
    const Px probes[] = {{300, 150, true},  {318, 100, true}, {285, 110, true}, {300, 180, false},
                         {319, 150, false}, {260, 99, false}, {250, 150, false}};
    for (const Px &p : probes)
        for (int ch = 0; ch < 3; ++ch) {
            const int ground = fa.row(p.row)[3 * p.column + ch];
            const int expected = p.shaded ? static_cast<int>(std::lround(ground * 0.5)) : ground;
            EXPECT_EQ(fb.row(p.row)[3 * p.column + ch], expected) << p.row << "," << p.column;
        }
}

TEST(SceneOptions, LightDriftsLinearly)
{
    SceneOptions o = quietCar(20);
    o.lightDrift = -0.25;
    const RoadScene scene(o);
    EXPECT_DOUBLE_EQ(scene.lighting(0), 1.0);
    EXPECT_DOUBLE_EQ(scene.lighting(10), 0.875);
    EXPECT_DOUBLE_EQ(scene.lighting(20), 0.75);
    const RgbImage start = scene.emptyRoad(0);
    const RgbImage end = scene.emptyRoad(500);
    for (std::size_t i : {std::size_t {0}, std::size_t {123457}, std::size_t {700001}})
        EXPECT_EQ(end.pixels[i], std::lround(start.pixels[i] * 0.75));
    EXPECT_EQ(truthCsv(scene), truthCsv(RoadScene(quietCar(20))));
}

// Perspective 2 at 640 x 480: 13.3 px/m at the left edge, 20 at the centre,
// 26.7 at the right edge; the field runs from -8 m to 28 m.
TEST(SceneOptions, PerspectiveMetresAtKnownPoints)
{
    const SceneGeometry g = sceneGeometry(640, 480, 2.0);
    EXPECT_NEAR(g.scaleAt(0), 40.0 / 3, 1e-9);
    EXPECT_NEAR(g.scaleAt(320), 20.0, 1e-9);
    EXPECT_NEAR(g.scaleAt(640), 80.0 / 3, 1e-9);
    struct Case
    {
        double column, row, x, y;
    };
    const Case cases[] = {{320, 240, 16.0, 12.0},
                          {0, 240, -8.0, 12.0},
                          {640, 240, 28.0, 12.0},
                          {0, 100, -8.0, 1.5},
                          {640, 380, 28.0, 17.25}};
    const MetricGrid grid = g.metricGrid();
    for (const Case &c : cases) {
        const auto m = g.metricAt(c.column, c.row);
        EXPECT_NEAR(m.x, c.x, 1e-9) << c.column << "," << c.row;
        EXPECT_NEAR(m.y, c.y, 1e-9) << c.column << "," << c.row;
        EXPECT_NEAR(g.columnAt(m.x), c.column, 1e-9);
        EXPECT_NEAR(g.rowAt(c.column, m.y), c.row, 1e-9);
        if (c.column < 640) {
            EXPECT_NEAR(grid.at(static_cast<int>(c.row), static_cast<int>(c.column), 0), c.x, 1e-9);
            EXPECT_NEAR(grid.at(static_cast<int>(c.row), static_cast<int>(c.column), 1), c.y, 1e-9);
        }
    }
    // The road (7 m) is 187 px high at the near edge: the band holds it.
    EXPECT_EQ(g.roadTop, 240 - 94);
    EXPECT_EQ(g.roadBottom, 240 + 94);
    for (const auto &p : g.referencePoints) {
        EXPECT_GE(p.column, 0);
        EXPECT_LT(p.column, 640);
        EXPECT_GE(p.row, 0);
        EXPECT_LT(p.row, 480);
    }
    // (100,100) -> (260,220): metres from the homography, not the plain scale.
    const auto p = g.metricAt(100, 100);
    const auto q = g.metricAt(260, 220);
    EXPECT_NEAR(g.referenceDistances[0], std::hypot(q.x - p.x, q.y - p.y), 1e-12);
    EXPECT_GT(std::abs(g.referenceDistances[0] - 10.0), 1.0);
}

// A 4 m car at 10 m/s from the left edge (-8 m): at 2.4 s its front is at
// 16 m (column 320) and its rear at 12 m (column 246.15).
TEST(SceneOptions, PerspectiveVehicleTruthAndPixels)
{
    SceneOptions o = quietCar(6);
    o.perspective = 2.0;
    const RoadScene scene(o);
    const FrameTruth f = scene.truth(60);
    ASSERT_EQ(f.vehicles.size(), 1u);
    const VehicleTruth &t = f.vehicles[0];
    EXPECT_NEAR(t.frontM, 16.0, 1e-9);
    EXPECT_NEAR(t.rearM, 12.0, 1e-9);
    EXPECT_NEAR(t.yM, 13.75, 1e-9);
    EXPECT_EQ(t.left, 246);
    EXPECT_EQ(t.right, 319);
    EXPECT_EQ(t.half, Half::Inf);
    EXPECT_FALSE(t.clipped);
    // Rows at column 319 (scale 19.97 px/m): 12.75 m .. 14.75 m.
    EXPECT_EQ(t.bottom, static_cast<int>(std::ceil(240 + 2.75 * scene.geometry().scaleAt(319.5) - 0.5)) - 1);
    const RgbImage frame = scene.frame(60);
    const RgbImage road = scene.emptyRoad(60);
    int outside = 0;
    for (int r = 0; r < 480; ++r)
        for (int c = 0; c < 640; ++c) {
            const bool differs = std::memcmp(frame.row(r) + 3 * c, road.row(r) + 3 * c, 3) != 0;
            const bool inBox = c >= t.left && c <= t.right && r >= t.top && r <= t.bottom;
            outside += differs && !inBox ? 1 : 0;
        }
    EXPECT_EQ(outside, 0);
    // The same car 4 s later (front at 32 m, off the right edge at 28 m) is clipped.
    EXPECT_TRUE(scene.truth(160).vehicles.empty() || scene.truth(160).vehicles[0].clipped);
}

TEST(SceneOptions, HarderTrafficNeverOverlaps)
{
    struct Case
    {
        const char *name;
        bool sideBySide;
        double perspective, stop;
    };
    const Case cases[] = {{"affiancati", true, 1.0, 0.0}, {"prospettiva", false, 2.0, 0.0}, {"tutto", true, 2.0, 10.0}};
    for (const Case &c : cases) {
        SceneOptions o;
        o.duration = 30;
        o.sideBySide = c.sideBySide;
        o.perspective = c.perspective;
        o.stopSeconds = c.stop;
        const RoadScene scene(o);
        int sideBySideFrames = 0;
        for (int i = 0; i < scene.frameCount(); ++i) {
            const FrameTruth f = scene.truth(i);
            for (std::size_t a = 0; a < f.vehicles.size(); ++a)
                for (std::size_t b = a + 1; b < f.vehicles.size(); ++b) {
                    const auto &va = f.vehicles[a];
                    const auto &vb = f.vehicles[b];
                    EXPECT_FALSE(boxesOverlap(va, vb)) << c.name << " frame " << i;
                    if (va.half != vb.half && va.left <= vb.right && vb.left <= va.right)
                        ++sideBySideFrames;
                }
        }
        EXPECT_GE(scene.vehicles().size(), 10u) << c.name;
        if (c.sideBySide) {
            EXPECT_GE(sideBySideFrames, 40) << c.name;
        }
    }
}

// Pairs meet at mid-picture: the two centres are at 16 m at the same moment.
TEST(SceneOptions, PairsMeetAtMidPicture)
{
    const auto pairs = pairedTraffic(30, 1, 32.0);
    ASSERT_GE(pairs.size(), 10u);
    for (std::size_t i = 0; i + 1 < pairs.size(); i += 2) {
        const VehicleSpec &a = pairs[i];
        const VehicleSpec &b = pairs[i + 1];
        ASSERT_NE(a.half, b.half);
        const double ta = a.entryTime + (16.0 + a.lengthM / 2) / (a.speedKmh / 3.6);
        const double tb = b.entryTime + (16.0 + b.lengthM / 2) / (b.speedKmh / 3.6);
        EXPECT_NEAR(ta, tb, 1e-9);
        EXPECT_GE(a.entryTime, 0.2 - 1e-9);
    }
}

TEST(SceneOptions, CompressedSceneDecodesCloseToTheFrames)
{
    kalvor::testing::TempDir dir;
    SceneOptions o;
    o.width = 320;
    o.height = 240;
    o.duration = 2;
    const RoadScene scene(o);
    CompressedScene compressed(scene, dir.file("scena.mp4"));
    const RgbImage f10 = compressed.frame(10);
    const RgbImage f49 = compressed.frame(49);
    EXPECT_EQ(compressed.frame(10), f10); // going back reopens and finds the same picture
    EXPECT_THROW(compressed.frame(50), std::out_of_range);
    for (const auto &[decoded, index] : {std::pair {&f10, 10}, std::pair {&f49, 49}}) {
        const RgbImage original = scene.frame(index);
        ASSERT_EQ(decoded->width, 320);
        ASSERT_EQ(decoded->height, 240);
        double sum = 0;
        for (std::size_t i = 0; i < original.pixels.size(); ++i)
            sum += std::abs(int(original.pixels[i]) - int(decoded->pixels[i]));
        const double mean = sum / static_cast<double>(original.pixels.size());
        EXPECT_GT(mean, 0.2) << index; // lossy
        EXPECT_LT(mean, 6.0) << index; // but the same scene
    }
}
