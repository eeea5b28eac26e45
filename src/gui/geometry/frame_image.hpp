// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include <string>

namespace kalvor::gui {

// Reads a frame file through the engine's PNG reader (FileError when it cannot).
QImage loadFrameImage(const std::string &path);

} // namespace kalvor::gui
