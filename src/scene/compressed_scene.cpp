// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/compressed_scene.hpp"

#include "scene/video_writer.hpp"

#include <stdexcept>

namespace kalvor::scene {

CompressedScene::CompressedScene(const RoadScene &scene, std::string path, int crf)
    : m_path(std::move(path))
{
    VideoSettings settings;
    settings.codec = VideoCodec::H264;
    settings.quality = crf;
    encodeScene(scene, m_path, settings);
}

CompressedScene::~CompressedScene() = default;

RgbImage CompressedScene::frame(int index)
{
    if (index < 0)
        throw std::out_of_range("compressed scene: negative frame");
    if (!m_decoder || index < m_next) {
        m_decoder = std::make_unique<VideoDecoder>(m_path);
        m_next = 0;
    }
    for (; m_next < index; ++m_next)
        m_decoder->skip();
    auto f = m_decoder->next();
    if (!f)
        throw std::out_of_range("compressed scene: frame past the end");
    ++m_next;
    return std::move(f->image);
}

} // namespace kalvor::scene
