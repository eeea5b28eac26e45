// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Step 2's shadow test over the packed mask: the foreground pixels that
// isShadow calls shadows against the background shifted by the brightness
// offset are cleared. Sixteen pixels at a time with AVX-512 or AVX2, pixel by
// pixel otherwise; every path gives isShadow's answer for every pixel.

#include "common/rgb_image.hpp"
#include "detection/spazio_rilevamento.hpp"

#include <cstdint>

namespace kalvor {

// Of the pixels set in `candidati` among the 64 pixels whose bytes start at
// f and b (pixel p at 3 * p), those that are shadows. `pixel` (1..64) says how
// many of the 64 exist: no byte beyond them is read.
std::uint64_t shadowBitsOfWord(const std::uint8_t *f, const std::uint8_t *b, int scarto, std::uint64_t candidati,
                               int pixel);

// Clears the shadow pixels of the mask's rows da..a among those set in
// `ammessi`, a second mask laid out like the workspace's.
void removeShadows(const RgbImage &frame, DetectionWorkspace &s, const std::uint64_t *ammessi, int scarto, int da,
                   int a);

} // namespace kalvor
