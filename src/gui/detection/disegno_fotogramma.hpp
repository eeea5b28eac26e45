// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Frames and the engine's drawing primitives on Qt images.

#include "common/drawing.hpp"
#include "common/rgb_image.hpp"

#include <QImage>

namespace kalvor::gui {

QImage immagineQt(const RgbImage &image);

// Paints the primitives in order with a clear brush where not filled.
void disegna(QImage &image, const Drawing &drawing);

} // namespace kalvor::gui
