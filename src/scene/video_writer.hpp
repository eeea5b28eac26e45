// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Encodes pictures into a video file through FFmpeg's libraries; the
// container follows the file's extension (.mkv, .avi, .mp4, .mov, .mts, ...).
//
// Lossless keeps every pixel: FFV1 in planar RGB (Matroska, AVI, MOV,
// NUT) or H.264 RGB at quantiser 0 where FFV1 does not fit (MP4). A decoder
// must give back exactly the pictures that went in. Mpeg4 and H264 are the
// lossy codecs of real cameras. Frame k is stamped at k / fps seconds.

#include "common/rgb_image.hpp"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kalvor::scene {

class RoadScene;

enum class VideoCodec { Lossless, Mpeg4, H264 };

struct VideoSettings
{
    VideoCodec codec = VideoCodec::Lossless;
    int fps = 25;
    int threads = 1;
    int quality = 23; // H.264 CRF, or MPEG-4 fixed quantiser (2..31) when codec is Mpeg4
    int pixelWidth = 1; // shape of a pixel, width to height, as the file declares it
    int pixelHeight = 1;
};

class VideoWriter
{
public:
    // std::runtime_error naming the file when the container or codec is unavailable.
    VideoWriter(const std::string &path, int width, int height, const VideoSettings &settings);
    ~VideoWriter();
    VideoWriter(const VideoWriter &) = delete;
    VideoWriter &operator=(const VideoWriter &) = delete;

    // Appends a picture shown from frame slot `slot` (time slot / fps).
    // Slots must increase; a skipped slot is a gap (variable frame rate).
    void write(const RgbImage &image, long long slot);
    // Flushes the encoder and writes the trailer; also done by the destructor.
    void finish();

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

// Frames first..first+count-1 of the scene into one video file; the frames
// whose index is in `skip` are left out (their time shows a gap).
void encodeScene(const RoadScene &scene, const std::string &path, const VideoSettings &settings, int first = 0,
                 int count = -1, const std::vector<int> &skip = {});

} // namespace kalvor::scene
