// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The mask of the packed detection: difference and classification fused into
// one bit per pixel, then erosion 1, dilation 3, erosion 1, dilation 3 on
// 64-pixel words with the same asymmetric neighbourhood as the plain
// pipeline. Both work on a range of rows so that a frame detected for its
// records alone computes only the band its scan reads.

#include "common/rgb_image.hpp"
#include "detection/spazio_rilevamento.hpp"

#include <cstdint>

namespace kalvor {

// Erosion and dilation steps in one frame: each reads one row above and below.
constexpr int kPassiMaschera = 8;

// Classifies rows da..a of the frame against the background bytes into the
// workspace mask (sized for the frame).
void classifyRows(const RgbImage &frame, const std::uint8_t *sfondo, int superiore, int inferiore, int da, int a,
                  DetectionWorkspace &s);

// The four operations over rows da..a. Rows 0 and the last stay as
// classified. When da > 0 or a is not the last row, only rows
// da + kPassiMaschera .. a - kPassiMaschera come out exact.
void maskOperations(DetectionWorkspace &s, int da, int a);

} // namespace kalvor
