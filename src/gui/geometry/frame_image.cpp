// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/geometry/frame_image.hpp"

#include "extraction/png_io.hpp"

namespace kalvor::gui {

QImage loadFrameImage(const std::string &path)
{
    const RgbImage rgb = readPng(path);
    QImage image(rgb.width, rgb.height, QImage::Format_RGB888);
    for (int y = 0; y < rgb.height; ++y)
        std::copy_n(rgb.row(y), static_cast<std::size_t>(rgb.width) * 3, image.scanLine(y));
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace kalvor::gui
