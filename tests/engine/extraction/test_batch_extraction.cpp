// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "common/files.hpp"
#include "extraction/batch_extraction.hpp"
#include "extraction/caption.hpp"
#include "extraction/png_io.hpp"
#include "extraction/video_decoder.hpp"
#include "scene/road_scene.hpp"
#include "scene/video_writer.hpp"
#include "support/scoped_number_format.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace kalvor;
using namespace kalvor::testing;
using namespace kalvor::scene;

namespace {

SceneOptions clip(double duration, int w = 160, int h = 120)
{
    SceneOptions o;
    o.width = w;
    o.height = h;
    o.duration = duration;
    o.seed = 5;
    return o;
}

// What the extraction must write for a scene frame.
RgbImage expectedFrame(const RoadScene &scene, int index, int number)
{
    RgbImage img = scene.frame(index);
    drawCaption(img, captionText(number, scene.frameTime(index)));
    return img;
}

// The rule, spelled out over a list of frame times: for each target the first
// frame at or after it; a frame that answers several targets is written once.
std::vector<double> referenceSelection(const std::vector<double> &times, double from, double step, double to)
{
    std::vector<double> out;
    for (long long k = 0;; ++k) {
        const double target = from + k * step;
        if (to >= 0 && target > to + 1e-6)
            break;
        auto it = std::find_if(times.begin(), times.end(), [&](double t) { return t >= target - 1e-6; });
        if (it == times.end() || (to >= 0 && *it > to + 1e-6))
            break;
        if (out.empty() || out.back() != *it)
            out.push_back(*it);
    }
    return out;
}

std::vector<double> timesOf(const BatchResult &r)
{
    std::vector<double> t;
    for (const auto &f : r.frames)
        t.push_back(f.time);
    return t;
}

} // namespace

// A known video: numbers, times and every file, identical from both implementations.
TEST(BatchExtraction, KnownVideoPlainAndPipelinedAgree)
{
    TempDir dir;
    const RoadScene scene(clip(4.0));
    const std::string video = dir.file("road.mkv");
    encodeScene(scene, video, VideoSettings {});
    for (bool pipelined : {false, true}) {
        const std::string out = dir.file(pipelined ? "fast/" : "plain/");
        std::filesystem::create_directories(out);
        BatchRequest r;
        r.video = video;
        r.folder = out;
        r.pipelined = pipelined;
        const BatchResult res = extractFrames(r);
        ASSERT_EQ(res.frames.size(), 20u);
        EXPECT_EQ(res.size, (FrameSize {160, 120}));
        for (int k = 0; k < 20; ++k) {
            EXPECT_EQ(res.frames[k].number, k);
            EXPECT_NEAR(res.frames[k].time, k * 0.2, 1e-9);
            EXPECT_TRUE(readPng(out + std::to_string(k) + ".png") == expectedFrame(scene, 5 * k, k)) << k;
        }
        EXPECT_FALSE(std::filesystem::exists(out + "20.png"));
    }
    for (int k = 0; k < 20; ++k) {
        const std::string name = std::to_string(k) + ".png";
        EXPECT_EQ(readFileBytes(dir.file("plain/" + name)), readFileBytes(dir.file("fast/" + name))) << name;
    }
}

TEST(BatchExtraction, FirstNumberFromAndTo)
{
    ScopedNumberFormat comma(NumberFormat::comma());
    TempDir dir;
    const RoadScene scene(clip(4.0));
    const std::string video = dir.file("road.avi");
    encodeScene(scene, video, VideoSettings {});
    BatchRequest r;
    r.video = video;
    r.folder = dir.path();
    r.firstNumber = 100;
    r.from = 1.0;
    r.to = 2.0;
    r.step = 0.25;
    const BatchResult res = extractFrames(r);
    ASSERT_EQ(res.frames.size(), 5u);
    const double want[] = {1.0, 1.28, 1.52, 1.76, 2.0}; // first frames at or after 1, 1.25, 1.5, 1.75, 2
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(res.frames[i].number, 100 + i);
        EXPECT_NEAR(res.frames[i].time, want[i], 1e-9);
    }
    EXPECT_TRUE(readPng(dir.file("101.png")) == expectedFrame(scene, 32, 101));
    EXPECT_FALSE(std::filesystem::exists(dir.file("105.png")));
    EXPECT_EQ(frameListText(res.frames), (TextList {"100\t1", "101\t1,28", "102\t1,52", "103\t1,76", "104\t2"}));
}

// Steps that do not divide the frame spacing, and gaps in the timestamps:
// the selection is the rule's, each frame at most once, its own time recorded.
TEST(BatchExtraction, SelectionFollowsTheRuleWithGapsAndOddSteps)
{
    TempDir dir;
    const RoadScene scene(clip(3.0, 64, 48));
    const std::string video = dir.file("gaps.mkv");
    const std::vector<int> skip = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 40, 41};
    encodeScene(scene, video, VideoSettings {}, 0, 75, skip);
    std::vector<double> times;
    for (int i = 0; i < 75; ++i)
        if (std::find(skip.begin(), skip.end(), i) == skip.end())
            times.push_back(i / 25.0);
    struct Case
    {
        double from, step, to;
    };
    const Case cases[] = {{0, 0.2, -1}, {0, 0.03, -1},     {0, 0.04, -1},  {0.5, 0.1, 2.0}, {0.01, 0.07, -1},
                          {0, 1.0, -1}, {0.39, 0.01, 0.9}, {2.9, 0.2, -1}, {0, 0.5, 0.5},   {5.0, 0.2, -1}};
    for (const auto &c : cases) {
        BatchRequest r;
        r.video = video;
        r.folder = dir.path();
        r.from = c.from;
        r.step = c.step;
        r.to = c.to;
        const auto got = timesOf(extractFrames(r));
        const auto want = referenceSelection(times, c.from, c.step, c.to);
        ASSERT_EQ(got.size(), want.size()) << c.from << " " << c.step << " " << c.to;
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i], want[i], 1e-9) << c.from << " " << c.step << " " << i;
    }
    // The gap 0.4 .. 0.76 swallows targets 0.4 and 0.6: frame 0.8 is written once.
    BatchRequest r;
    r.video = video;
    r.folder = dir.path();
    const auto got = timesOf(extractFrames(r));
    ASSERT_GE(got.size(), 4u);
    EXPECT_NEAR(got[2], 0.8, 1e-9);
    EXPECT_NEAR(got[3], 1.0, 1e-9);
}

TEST(BatchExtraction, FrameSizeRule)
{
    TempDir dir;
    const RoadScene big(clip(0.2, 800, 600));
    const std::string video = dir.file("big.mkv");
    encodeScene(big, video, VideoSettings {});
    BatchRequest r;
    r.video = video;
    r.folder = dir.path();
    EXPECT_EQ(extractFrames(r).size, (FrameSize {640, 480}));
    EXPECT_EQ(readPng(dir.file("0.png")).width, 640);
    r.nativeSize = true;
    EXPECT_EQ(extractFrames(r).size, (FrameSize {800, 600}));
    EXPECT_EQ(readPng(dir.file("0.png")).height, 600);
    r.nativeSize = false;
    r.size = {200, 100};
    EXPECT_EQ(extractFrames(r).size, (FrameSize {200, 100}));
    EXPECT_EQ(readPng(dir.file("0.png")).width, 200);
}

TEST(BatchExtraction, RefusalsAndFailures)
{
    TempDir dir;
    const RoadScene scene(clip(1.0, 64, 48));
    const std::string video = dir.file("v.mkv");
    encodeScene(scene, video, VideoSettings {});
    BatchRequest good;
    good.video = video;
    good.folder = dir.path();

    auto r = good;
    r.step = 0;
    EXPECT_THROW(extractFrames(r), RefusalError);
    r = good;
    r.from = -1;
    EXPECT_THROW(extractFrames(r), RefusalError);
    r = good;
    r.from = 2;
    r.to = 1;
    EXPECT_THROW(extractFrames(r), RefusalError);
    r = good;
    r.firstNumber = -1;
    EXPECT_THROW(extractFrames(r), RefusalError);
    r = good;
    r.size = {5, 5};
    EXPECT_THROW(extractFrames(r), RefusalError);
    r = good;
    r.video = dir.file("none.mp4");
    EXPECT_THROW(extractFrames(r), FileError);

    // A folder that cannot be written: one error naming the first frame file, for both implementations.
    for (bool pipelined : {false, true}) {
        r = good;
        r.folder = dir.file("absent/");
        r.pipelined = pipelined;
        try {
            extractFrames(r);
            ADD_FAILURE() << "no error";
        } catch (const FileError &e) {
            EXPECT_NE(std::string(e.what()).find("absent/0.png"), std::string::npos) << e.what();
        }
    }
}

TEST(BatchExtraction, StopAndProgress)
{
    TempDir dir;
    const RoadScene scene(clip(2.0, 64, 48));
    const std::string video = dir.file("v.mkv");
    encodeScene(scene, video, VideoSettings {});
    BatchRequest r;
    r.video = video;
    r.folder = dir.path();
    int calls = 0;
    BatchProgress last;
    const BatchResult all = extractFrames(r, [&](const BatchProgress &p) {
        ++calls;
        last = p;
    });
    EXPECT_GE(calls, 1);
    EXPECT_EQ(last.framesWritten, 10);
    EXPECT_NEAR(last.duration, 2.0, 0.05);

    std::atomic<bool> stop {true};
    for (bool pipelined : {false, true}) {
        r.pipelined = pipelined;
        const BatchResult stopped = extractFrames(r, {}, &stop);
        EXPECT_TRUE(stopped.stopped);
        EXPECT_LT(stopped.frames.size(), all.frames.size());
    }
}
