// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.hpp"
#include "common/files.hpp"
#include "extraction/video_decoder.hpp"
#include "scene/road_scene.hpp"
#include "scene/video_writer.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace kalvor;
using namespace kalvor::testing;
using namespace kalvor::scene;

namespace {

// 2 s at 25 fps, small so that encoding stays quick.
SceneOptions smallScene()
{
    SceneOptions o;
    o.width = 160;
    o.height = 120;
    o.duration = 2.0;
    o.seed = 11;
    VehicleSpec car;
    car.id = 1;
    car.speedKmh = 60;
    car.lengthM = 4.5;
    car.entryTime = 0.1;
    o.vehicles = {car};
    return o;
}

class LosslessContainer : public ::testing::TestWithParam<const char *>
{
};

} // namespace

// Every frame comes back bit for bit with its exact time, in order.
TEST_P(LosslessContainer, DecodesEveryFrameExactly)
{
    TempDir dir;
    const RoadScene scene(smallScene());
    const std::string path = dir.file(std::string("scene.") + GetParam());
    encodeScene(scene, path, VideoSettings {});

    VideoDecoder d(path);
    EXPECT_EQ(d.width(), 160);
    EXPECT_EQ(d.height(), 120);
    EXPECT_DOUBLE_EQ(d.frameRate(), 25.0);
    EXPECT_NEAR(d.duration(), 2.0, 0.041);
    int n = 0;
    while (auto f = d.next()) {
        ASSERT_LT(n, 50);
        EXPECT_NEAR(f->time, n / 25.0, 1e-9) << n;
        EXPECT_TRUE(f->image == scene.frame(n)) << "frame " << n;
        ++n;
    }
    EXPECT_EQ(n, 50);
    EXPECT_FALSE(d.next().has_value());
}

// The picture shown at a position is the last frame at or before it, in any
// order of requests (backward, forward, far, near).
TEST_P(LosslessContainer, FrameAtLandsOnTheShownFrame)
{
    TempDir dir;
    const RoadScene scene(smallScene());
    const std::string path = dir.file(std::string("scene.") + GetParam());
    encodeScene(scene, path, VideoSettings {});
    VideoDecoder d(path);
    struct Case
    {
        double position;
        int frame;
    };
    const Case cases[] = {{1.0, 25}, {0.999, 24}, {0.5, 12},  {0.0, 0},   {-3.0, 0},   {1.96, 49}, {7.0, 49},
                          {0.04, 1}, {0.52, 13},  {0.53, 13}, {1.58, 39}, {0.0399, 0}, {1.2, 30},  {1.21, 30}};
    for (const auto &c : cases) {
        const auto f = d.frameAt(c.position);
        ASSERT_TRUE(f.has_value()) << c.position;
        EXPECT_NEAR(f->time, c.frame / 25.0, 1e-9) << "position " << c.position;
        EXPECT_TRUE(f->image == scene.frame(c.frame)) << "position " << c.position;
    }
    // Stepping on from a shown frame gives the following ones.
    d.frameAt(0.7);
    for (int k = 18; k < 22; ++k) {
        const auto f = d.next();
        ASSERT_TRUE(f.has_value());
        EXPECT_TRUE(f->image == scene.frame(k)) << k;
    }
    // seek: next() gives the first frame at or after the position.
    d.seek(1.3);
    auto f = d.next();
    ASSERT_TRUE(f.has_value());
    EXPECT_NEAR(f->time, 1.32, 1e-9);
    EXPECT_TRUE(f->image == scene.frame(33));
    d.seek(0.4);
    f = d.next();
    ASSERT_TRUE(f.has_value());
    EXPECT_TRUE(f->image == scene.frame(10));
}

INSTANTIATE_TEST_SUITE_P(Containers, LosslessContainer, ::testing::Values("mkv", "avi", "mp4", "nut"));

// Real cameras write H.264 in MPEG transport streams with a non-zero start
// time and B-frames; positions still start at 0 and seeks still land on frames.
TEST(VideoDecoder, LossyTransportStreamStartsAtZero)
{
    TempDir dir;
    const RoadScene scene(smallScene());
    const std::string path = dir.file("camera.mts");
    VideoSettings s;
    s.codec = VideoCodec::H264;
    encodeScene(scene, path, s);
    VideoDecoder d(path);
    std::vector<double> times;
    while (auto f = d.next())
        times.push_back(f->time);
    ASSERT_EQ(times.size(), 50u);
    for (std::size_t i = 0; i < times.size(); ++i)
        EXPECT_NEAR(times[i], i / 25.0, 1e-6);
    const auto f = d.frameAt(1.5);
    ASSERT_TRUE(f.has_value());
    EXPECT_NEAR(f->time, 1.48, 1e-6);
    // Lossy, but close to the original picture.
    double diff = 0;
    const RgbImage ref = scene.frame(37);
    for (std::size_t i = 0; i < ref.pixels.size(); ++i)
        diff += std::abs(int(ref.pixels[i]) - int(f->image.pixels[i]));
    EXPECT_LT(diff / ref.pixels.size(), 8.0);
}

TEST(VideoDecoder, Mpeg4InAvi)
{
    TempDir dir;
    const RoadScene scene(smallScene());
    const std::string path = dir.file("old.avi");
    VideoSettings s;
    s.codec = VideoCodec::Mpeg4;
    s.quality = 4;
    encodeScene(scene, path, s);
    VideoDecoder d(path);
    int n = 0;
    while (d.next())
        ++n;
    EXPECT_EQ(n, 50);
    EXPECT_NEAR(d.frameAt(0.9)->time, 0.88, 1e-9);
}

// A gap in the timestamps (a camera that skipped frames) is kept.
TEST(VideoDecoder, VariableFrameRateKeepsGaps)
{
    TempDir dir;
    const RoadScene scene(smallScene());
    const std::string path = dir.file("gaps.mkv");
    encodeScene(scene, path, VideoSettings {}, 0, 50, {10, 11, 12, 13, 14});
    VideoDecoder d(path);
    std::vector<double> times;
    while (auto f = d.next())
        times.push_back(f->time);
    ASSERT_EQ(times.size(), 45u);
    EXPECT_NEAR(times[9], 0.36, 1e-9);
    EXPECT_NEAR(times[10], 0.60, 1e-9);
    const auto f = d.frameAt(0.5); // inside the gap: the frame before it is still shown
    EXPECT_NEAR(f->time, 0.36, 1e-9);
    EXPECT_TRUE(f->image == scene.frame(9));
}

// A file cut short ends where its data ends; what comes before is intact.
TEST(VideoDecoder, TruncatedFileEndsCleanly)
{
    TempDir dir;
    const RoadScene scene(smallScene());
    for (const char *ext : {"mkv", "avi", "mts"}) {
        const std::string path = dir.file(std::string("cut.") + ext);
        VideoSettings s;
        s.codec = std::string(ext) == "mts" ? VideoCodec::H264 : VideoCodec::Lossless;
        encodeScene(scene, path, s);
        const auto size = std::filesystem::file_size(path);
        std::filesystem::resize_file(path, size * 6 / 10);
        VideoDecoder d(path);
        int n = 0;
        std::optional<DecodedFrame> f;
        EXPECT_NO_THROW({
            while ((f = d.next())) {
                if (s.codec == VideoCodec::Lossless && n < 20) {
                    EXPECT_TRUE(f->image == scene.frame(n)) << ext << " frame " << n;
                }
                ++n;
            }
        });
        EXPECT_GT(n, 15) << ext;
        EXPECT_LT(n, 50) << ext;
        EXPECT_NO_THROW(d.frameAt(1.9)) << ext; // past the good data: the last good frame or nothing
    }
}

TEST(VideoDecoder, UnreadableFilesAreClearErrors)
{
    TempDir dir;
    const std::string text = dir.file("notes.avi");
    writeFileAtomically(text, std::string(5000, 'x'));
    const std::string empty = dir.file("empty.mp4");
    writeFileAtomically(empty, "");
    for (const std::string &path : {text, empty, dir.file("missing.mkv")}) {
        try {
            VideoDecoder d(path);
            ADD_FAILURE() << "opened " << path;
        } catch (const FileError &e) {
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        }
    }
    // FFmpeg's English reason alone said "No such file or directory".
    try {
        VideoDecoder d(dir.file("missing.mkv"));
    } catch (const FileError &e) {
        EXPECT_EQ(e.what(), "Impossibile aprire il filmato \"" + dir.file("missing.mkv") + "\": il file non esiste.");
    }
}

TEST(VideoDecoder, PositionText)
{
    struct Case
    {
        double seconds;
        const char *text;
    };
    const Case cases[] = {{0, "00:00"},     {3.0, "00:03"},  {3.999, "00:03"}, {59.99, "00:59"},  {60, "01:00"},
                          {754.2, "12:34"}, {3600, "60:00"}, {-1, "00:00"},    {6000.5, "100:00"}};
    for (const auto &c : cases)
        EXPECT_EQ(positionText(c.seconds), c.text) << c.seconds;
}

TEST(VideoDecoder, TallNarrowPicturesConvertWithinTheirRows)
{
    // 184 bytes found by fuzzing: an MPEG-4 stream of 3 x 3584 pixels.
    // swscale wrote past the end of the picture's last short row.
    const std::string bytes(
        "\x00\x93\x3d\xb0\x46\x64\x13\x41\x54\xda\x38\xce\x01\x61\xf9\xf7\x00\x00\x01\xb6\x9b\xe0\x44\x97"
        "\x30\xe8\x16\xa0\xc1\x8a\x47\x06\xcc\x00\x00\xd3\x00\x00\x01\x18\x00\x00\xd1\x00\x00\x00\xdb\x00"
        "\x00\x01\x2a\x00\x00\x25\x00\xda\x00\x00\x00\xce\x00\x00\x01\x15\x00\x00\x00\xd0\x00\x00\x88\x77"
        "\x28\x52\x88\x1c\x2d\x07\x25\xe8\x7a\x65\x00\x00\x01\xb6\x56\x60\x22\x30\x07\x39\x18\xd4\x97\x75"
        "\x08\x80\x80\x80\x20\x11\x00\x00\x00\x00\x03\x0d\x40\x20\x00\xca\x50\x05\x80\x80\x80\x30\x00\x00"
        "\x01\xb0\xff\xff\xff\x18\xf1\x00\x00\x01\xb5\xa9\x13\x02\x00\x01\x00\x00\x00\x01\x20\x08\xd4\x8d"
        "\x08\x00\xcd\x02\x04\x06\x14\x18\x3f\x00\x00\x01\xb2\x4c\xa9\x76\x74\x60\x2d\xbf\x00\x00\x01\x00"
        "\x00\x00\x00\x4c\x61\x76\x66\x35\x38\x2e\x32\x37\x2e\x31\x30\x30",
        184);
    TempDir dir;
    const std::string path = dir.file("stretto.avi");
    writeFileAtomically(path, bytes);
    int frames = 0;
    try {
        VideoDecoder d(path);
        while (const auto f = d.next()) {
            EXPECT_EQ(f->image.pixels.size(), static_cast<std::size_t>(f->image.width) * f->image.height * 3);
            ++frames;
        }
    } catch (const FileError &) {
    }
    EXPECT_LE(frames, 4);
}
