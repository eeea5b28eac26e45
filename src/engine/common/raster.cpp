// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/raster.hpp"

#include <algorithm>
#include <cstdlib>

namespace kalvor {

namespace {

void setPixel(RgbImage &image, int x, int y, Rgb colour)
{
    if (x < 0 || y < 0 || x >= image.width || y >= image.height)
        return;
    std::uint8_t *p = image.row(y) + 3 * x;
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
}

// Rounds a / b to the nearest whole number, halves away from zero (b > 0).
int roundedQuotient(int a, int b)
{
    return a >= 0 ? (2 * a + b) / (2 * b) : -((-2 * a + b) / (2 * b));
}

void rasterizeRectangle(RgbImage &image, const DrawPrimitive &d)
{
    const int left = std::min(d.x1, d.x2);
    const int right = std::max(d.x1, d.x2) - 1;
    const int top = std::min(d.y1, d.y2);
    const int bottom = std::max(d.y1, d.y2) - 1;
    if (right < left || bottom < top)
        return;
    if (d.filled)
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                setPixel(image, x, y, d.fill);
    for (int x = left; x <= right; ++x) {
        setPixel(image, x, top, d.pen);
        setPixel(image, x, bottom, d.pen);
    }
    for (int y = top; y <= bottom; ++y) {
        setPixel(image, left, y, d.pen);
        setPixel(image, right, y, d.pen);
    }
}

} // namespace

std::vector<PixelPoint> linePixels(int x1, int y1, int x2, int y2)
{
    const int dx = x2 - x1;
    const int dy = y2 - y1;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    std::vector<PixelPoint> pixels;
    pixels.reserve(static_cast<std::size_t>(steps));
    for (int i = 0; i < steps; ++i)
        pixels.push_back({x1 + roundedQuotient(dx * i, steps), y1 + roundedQuotient(dy * i, steps)});
    return pixels;
}

void rasterizeDrawing(RgbImage &image, const Drawing &drawing)
{
    for (const DrawPrimitive &d : drawing) {
        switch (d.shape) {
        case Shape::Line:
            for (const PixelPoint &p : linePixels(d.x1, d.y1, d.x2, d.y2))
                setPixel(image, p.x, p.y, d.pen);
            break;
        case Shape::Rectangle:
            rasterizeRectangle(image, d);
            break;
        case Shape::Ellipse:
        case Shape::Text:
            break;
        }
    }
}

} // namespace kalvor
