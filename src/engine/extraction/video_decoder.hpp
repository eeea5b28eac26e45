// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reads the pictures of a video file through FFmpeg.
//
// Times are seconds from the start of the video: the presentation time of
// the first packet of the video stream is 0, as a media player shows it.
// The picture shown at a position p is the last frame whose time is <= p
// (the first frame for p before it); it stays shown until the next frame's
// time. A file whose data stops early (truncated, damaged) ends where its
// good data ends: reading stops there without an error.

#include "common/rgb_image.hpp"

#include <memory>
#include <optional>
#include <string>

namespace kalvor {

struct DecodedFrame
{
    RgbImage image;
    double time = 0.0; // seconds from the start of the video
};

class VideoDecoder
{
public:
    // FileError naming the file when it cannot be opened or holds no video
    // stream that FFmpeg can decode. threads: decoder threads, 0 = FFmpeg's choice.
    explicit VideoDecoder(const std::string &path, int threads = 1);
    ~VideoDecoder();
    VideoDecoder(const VideoDecoder &) = delete;
    VideoDecoder &operator=(const VideoDecoder &) = delete;

    const std::string &path() const;
    // Length in seconds as the container gives it (0 when unknown).
    double duration() const;
    // Nominal frames per second (0 when unknown).
    double frameRate() const;
    int width() const; // coded picture size
    int height() const;
    // Shape of one coded pixel, width to height (16:15 for PAL 4:3 at 720 x
    // 576); 1:1 when the file does not say.
    struct PixelShape
    {
        int num = 1;
        int den = 1;
    };
    PixelShape sampleAspectRatio() const;

    // Pictures come out at this size (scaled by FFmpeg); 0 x 0 is the coded size.
    void setOutputSize(int width, int height);

    // The next frame in presentation order, or nothing at the end of the video.
    std::optional<DecodedFrame> next();
    // The time of the frame next() would return, without converting it; nothing at the end.
    std::optional<double> peekTime();
    // Drops the frame next() would return (cheap: no conversion).
    void skip();
    // Moves so that next() returns the first frame whose time is >= seconds.
    void seek(double seconds);
    // The picture shown at a position (see above), or nothing for a video
    // without a single decodable frame. Reads forward without seeking when
    // the position lies a little ahead of the previous answer.
    std::optional<DecodedFrame> frameAt(double seconds);

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

// A position as a media player writes it: "mm:ss", minutes and whole seconds
// (truncated), minutes growing beyond 59 for long videos; 0 for negative input.
std::string positionText(double seconds);

} // namespace kalvor
