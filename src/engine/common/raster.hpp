// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The lines and rectangles of a drawing set straight into an RGB image, by the
// pixel rules of drawing.hpp: the reference the screens' painter is held to,
// and a way to draw overlays where there is no Qt. Ellipses and text are left
// to the painter: their pixels are the font's and the painter's business.

#include "common/drawing.hpp"
#include "common/rgb_image.hpp"

#include <vector>

namespace kalvor {

struct PixelPoint
{
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint &) const = default;
};

// The pixels of a line from its start pixel up to, not including, its end
// pixel: max(|dx|, |dy|) of them, one per step along the longer axis.
std::vector<PixelPoint> linePixels(int x1, int y1, int x2, int y2);

// Paints the lines and rectangles of drawing in order; pixels outside the image are skipped.
void rasterizeDrawing(RgbImage &image, const Drawing &drawing);

} // namespace kalvor
