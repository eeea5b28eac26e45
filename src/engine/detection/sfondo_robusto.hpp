// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The background of the robust profile: the per-byte temporal median of an
// evenly spaced sample of the interval's frames. A vehicle that stands for a
// while, or passes, moves the median only when it covers a pixel in more
// than half of the sampled frames, where the mean keeps a ghost of it. The
// sample is bounded, so that hours of video cost no more than a minute's.

#include "common/rgb_image.hpp"
#include "state/matrice_interi.hpp"

#include <cstdint>
#include <functional>
#include <vector>

namespace kalvor {

// At most this many frames enter the median (odd: the median is one of them).
constexpr int kMaxCampioniSfondo = 31;
// The sampled frames are held in memory together: fewer are taken when
// kMaxCampioniSfondo frames of this size would not fit in this many bytes.
constexpr std::int64_t kMemoriaCampioniSfondo = 256LL * 1024 * 1024;

// How many frames of `byteFotogramma` bytes the median of an interval of
// `fotogrammi` frames samples: all of them up to the bound, at least one.
int backgroundSampleCount(std::int64_t fotogrammi, std::int64_t byteFotogramma);

// The i-th of n sampled frame numbers of a..b: a, b and evenly spaced ones
// between them (rounded down), in increasing order.
int backgroundSampleFrame(int a, int b, int n, int i);

// The per-byte median (the element of rank (n - 1) / 2 in increasing order)
// of n frames of the same size. Empty for no frame.
MatriceInteri medianOfFrames(const std::vector<RgbImage> &fotogrammi);

// The robust background of frames a..b, each read through `fotogramma`, on
// the calling thread. RefusalError when b < a or a frame's size differs from
// the first's.
MatriceInteri robustBackgroundOf(const std::function<RgbImage(int n)> &fotogramma, int a, int b);

namespace riferimento {

// The median by sorting each byte's values: the definition the fast one meets.
MatriceInteri medianOfFrames(const std::vector<RgbImage> &fotogrammi);

} // namespace riferimento

} // namespace kalvor
