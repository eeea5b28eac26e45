// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drawings painted into a picture without a display, for the setup-check
// pictures of a headless run. The box conventions are those of Drawing; text
// uses a built-in 3 x 5 dot font (digits, a few letters and signs, a hollow
// box for the rest) at 2 pixels a dot, so that every machine paints the same
// pixels. Everything is clipped to the picture.

#include "common/drawing.hpp"
#include "common/rgb_image.hpp"

#include <functional>

namespace kalvor {

void paintDrawing(RgbImage &image, const Drawing &drawing);

// Paints in `colour` every pixel of the region given by `inside` (pixel x, y
// of the picture) that has a 4-neighbour outside it or lies on the picture's
// edge: the region's outline, one pixel wide.
void paintOutline(RgbImage &image, const std::function<bool(int x, int y)> &inside, Rgb colour);

} // namespace kalvor
