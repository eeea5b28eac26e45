// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/rgb_image.hpp"

#include <cstdint>
#include <random>

namespace kalvor::testing {

// Every byte uniformly random: the content that compresses worst.
inline RgbImage noiseImage(int w, int h, unsigned seed)
{
    RgbImage img(w, h);
    std::mt19937 rng(seed);
    for (auto &b : img.pixels)
        b = static_cast<std::uint8_t>(rng());
    return img;
}

} // namespace kalvor::testing
