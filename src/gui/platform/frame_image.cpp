// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/frame_image.hpp"

#include "extraction/png_io.hpp"

namespace kalvor::gui {

QImage toQImage(const RgbImage &image)
{
    if (image.width <= 0 || image.height <= 0)
        return {};
    const QImage view(image.pixels.data(), image.width, image.height, image.rowBytes(), QImage::Format_RGB888);
    return view.convertToFormat(QImage::Format_RGB32);
}

QImage loadFrameImage(const std::string &path)
{
    return toQImage(readPng(path));
}

} // namespace kalvor::gui
