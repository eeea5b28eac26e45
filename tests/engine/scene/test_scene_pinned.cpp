// SPDX-License-Identifier: GPL-3.0-or-later
// The default scenes feed the demo's example job and many detection tests:
// whatever options the generator gains, today's frames and truth must not
// change by a single byte. The hashes below were taken before any option
// was added.
#include "scene/road_scene.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace kalvor;
using namespace kalvor::scene;

namespace {

std::uint64_t fnv(const std::uint8_t *p, std::size_t n, std::uint64_t h = 0xCBF29CE484222325ULL)
{
    for (std::size_t i = 0; i < n; ++i)
        h = (h ^ p[i]) * 0x100000001B3ULL;
    return h;
}

std::uint64_t framesHash(const RoadScene &s, std::initializer_list<int> frames)
{
    std::uint64_t h = 0xCBF29CE484222325ULL;
    for (int n : frames) {
        const RgbImage f = s.frame(n);
        h = fnv(f.pixels.data(), f.pixels.size(), h);
    }
    return h;
}

std::uint64_t truthHash(const RoadScene &s)
{
    const std::string csv = truthCsv(s);
    return fnv(reinterpret_cast<const std::uint8_t *>(csv.data()), csv.size());
}

} // namespace

TEST(RoadScenePinned, DefaultScenesUnchanged)
{
    struct Case
    {
        int width, height;
        double duration;
        std::uint64_t seed;
        std::uint64_t frames, truth;
    };
    const Case cases[] = {
        {640, 480, 10.0, 1, 0xBCA5858A0DE431DCULL, 0x996E3BC3BA7D0FC6ULL},
        {640, 480, 24.0, 2, 0xB34D56E64125A6D1ULL, 0x022AB568FBD22F9CULL},
        {320, 240, 30.0, 3, 0x5C579CCCFA648348ULL, 0xBBDF3CB9093502A9ULL},
    };
    for (const Case &c : cases) {
        SceneOptions o;
        o.width = c.width;
        o.height = c.height;
        o.duration = c.duration;
        o.seed = c.seed;
        const RoadScene s(o);
        const int last = s.frameCount() - 1;
        const std::uint64_t frames = framesHash(s, {0, 1, 37, 150, last});
        const std::uint64_t truth = truthHash(s);
        EXPECT_EQ(frames, c.frames) << c.width << "x" << c.height << " seed " << c.seed;
        EXPECT_EQ(truth, c.truth) << c.width << "x" << c.height << " seed " << c.seed;
    }
}
