// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A road scene as a camera's H.264 file gives it back: the frames are
// encoded once into a video file (VideoWriter, 4:2:0 colour, a constant
// rate factor) and read back through the program's own video decoder, so
// that detection sees blocks, ringing and smeared colour edges. The truth
// stays the scene's: compression moves no vehicle.

#include "common/rgb_image.hpp"
#include "extraction/video_decoder.hpp"
#include "scene/road_scene.hpp"

#include <memory>
#include <string>

namespace kalvor::scene {

class CompressedScene
{
public:
    // Writes the whole scene to path (its extension picks the container,
    // e.g. ".mp4"); crf 23 is a camera's ordinary quality.
    CompressedScene(const RoadScene &scene, std::string path, int crf = 23);
    ~CompressedScene();
    CompressedScene(const CompressedScene &) = delete;
    CompressedScene &operator=(const CompressedScene &) = delete;

    const std::string &path() const { return m_path; }
    // The decoded picture of frame index (0 <= index < the scene's frame
    // count). Reading forward is cheap; going back reopens the file.
    // std::out_of_range past the decoded frames.
    RgbImage frame(int index);

private:
    std::string m_path;
    std::unique_ptr<VideoDecoder> m_decoder;
    int m_next = 0; // index next() returns
};

} // namespace kalvor::scene
