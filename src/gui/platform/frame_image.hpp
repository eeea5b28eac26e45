// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The engine's RGB images as Qt images: the one conversion every screen uses.

#include "common/rgb_image.hpp"

#include <QImage>

#include <string>

namespace kalvor::gui {

// A deep copy in QImage::Format_RGB32 (the format Qt paints fastest).
QImage toQImage(const RgbImage &image);

// Reads a frame file through the engine's PNG reader (FileError when it cannot).
QImage loadFrameImage(const std::string &path);

} // namespace kalvor::gui
