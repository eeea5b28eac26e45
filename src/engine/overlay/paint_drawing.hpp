// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drawings painted into a picture without a display, for the setup-check
// pictures of a headless run. The box conventions are those of Drawing; text
// uses a built-in 3 x 5 dot font (digits, a few letters and signs, a hollow
// box for the rest) at 2 pixels a dot, so that every machine paints the same
// pixels. Everything is clipped to the picture.

#include "common/drawing.hpp"
#include "common/rgb_image.hpp"

#include <cstdlib>
#include <functional>

namespace kalvor {

void paintDrawing(RgbImage &image, const Drawing &drawing);

// The pixels of a line as every painter of drawings sets them: Bresenham from
// the start pixel up to, not including, the end pixel; visit(x, y) for each,
// in order.
template<class Visit> void forEachLinePixel(int x1, int y1, int x2, int y2, Visit &&visit)
{
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    while (!(x1 == x2 && y1 == y2)) {
        visit(x1, y1);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

// Paints in `colour` every pixel of the region given by `inside` (pixel x, y
// of the picture) that has a 4-neighbour outside it or lies on the picture's
// edge: the region's outline, one pixel wide.
void paintOutline(RgbImage &image, const std::function<bool(int x, int y)> &inside, Rgb colour);

} // namespace kalvor
