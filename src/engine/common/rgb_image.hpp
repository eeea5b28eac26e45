// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An 8-bit RGB picture: width by height pixels, 3 bytes per pixel (R, G, B),
// rows top to bottom with no padding. Byte column = 3 x pixel column.

#include <cstdint>
#include <vector>

namespace kalvor {

struct RgbImage
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    RgbImage() = default;
    RgbImage(int w, int h)
        : width(w)
        , height(h)
        , pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3, 0)
    {
    }

    int rowBytes() const { return width * 3; }
    std::uint8_t *row(int r)
    {
        return pixels.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(rowBytes());
    }
    const std::uint8_t *row(int r) const
    {
        return pixels.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(rowBytes());
    }
    bool empty() const { return width == 0 || height == 0; }
    bool operator==(const RgbImage &) const = default;
};

} // namespace kalvor
