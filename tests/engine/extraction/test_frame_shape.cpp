// SPDX-License-Identifier: GPL-3.0-or-later
// Frames keep the picture's shape when its pixels are not square.
#include "extraction/batch_extraction.hpp"
#include "extraction/extractor.hpp"
#include "extraction/png_io.hpp"
#include "extraction/video_decoder.hpp"
#include "scene/video_writer.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

using namespace kalvor;

TEST(FrameShape, FittedSizeHonoursTheSampleAspectRatio)
{
    struct Case
    {
        int w, h, num, den;
        FrameSize want;
    };
    const Case cases[] = {
        {720, 576, 16, 15, {640, 480}}, // PAL 4:3: 768 x 576 shown
        {720, 576, 64, 45, {640, 360}}, // PAL 16:9: 1024 x 576 shown
        {720, 480, 8, 9, {640, 480}}, // NTSC 4:3: 640 x 480 shown
        {352, 288, 12, 11, {384, 288}}, // small enough: kept, in square pixels
        {720, 576, 1, 1, {600, 480}}, // square pixels as before
        {1920, 1080, 1, 1, {640, 360}}, {720, 576, 0, 1, {600, 480}}, // unknown shape reads as square
        {1440, 1080, 4, 3, {640, 360}}, // HDV: 1920 x 1080 shown
    };
    for (const auto &c : cases)
        EXPECT_EQ(fittedFrameSize(c.w, c.h, c.num, c.den), c.want) << c.w << "x" << c.h << " " << c.num << ":" << c.den;
}

TEST(FrameShape, ExtractedFramesOfAPalVideoWithWidePixelsAre640By480)
{
    kalvor::testing::TempDir dir;
    const std::string video = dir.file("pal.mkv");
    kalvor::scene::VideoSettings v;
    v.pixelWidth = 16;
    v.pixelHeight = 15;
    {
        kalvor::scene::VideoWriter writer(video, 720, 576, v);
        for (int k = 0; k < 3; ++k)
            writer.write(RgbImage(720, 576), k);
    }
    const VideoDecoder decoder(video);
    EXPECT_EQ(decoder.sampleAspectRatio().num, 16);
    EXPECT_EQ(decoder.sampleAspectRatio().den, 15);

    BatchRequest r;
    r.video = video;
    r.folder = dir.path();
    r.step = 0.04;
    const BatchResult result = extractFrames(r);
    EXPECT_EQ(result.size, (FrameSize {640, 480}));
    ASSERT_FALSE(result.frames.empty());
    const RgbImage first = readPng(dir.file("0.png"));
    EXPECT_EQ(first.width, 640);
    EXPECT_EQ(first.height, 480);
}
