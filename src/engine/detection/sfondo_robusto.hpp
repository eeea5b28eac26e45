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

// The brightness offset of a frame against a background: the lower median of
// frame - background over the bytes of every kPassoColonneLuce-th pixel column
// of every kPassoRigheLuce-th row, within +-kMaxScartoLuce.
int sampleBrightnessOffset(const RgbImage &fotogramma, const MatriceInteri &sfondo);

// Per pixel, the three bytes of the frame whose byte sum is the median one
// (rank (n - 1) / 2; the first such frame in frame order). A pixel's bytes
// come from one frame: a yellow car standing there for a third of the frames
// is dark in blue like the dark cars and shadows passing at other times, so
// the median of the blue byte alone is theirs, a ghost beside the road's
// red and green; by the sum it is brighter than the road and they darker.
// Empty for no frame.
MatriceInteri pixelMedianOfFrames(const std::vector<RgbImage> &fotogrammi);

// The pixel median of frames whose light drifts: each frame is first shifted
// by its offset against the byte median, so that a pixel's road samples agree
// whatever the hour. Shifts the frames in place.
MatriceInteri leveledMedianOfFrames(std::vector<RgbImage> &fotogrammi);

// The robust background of frames a..b, each read through `fotogramma`, on
// the calling thread: the leveled median of the sample. RefusalError when b < a or a frame's size differs from
// the first's.
MatriceInteri robustBackgroundOf(const std::function<RgbImage(int n)> &fotogramma, int a, int b);

namespace riferimento {

// The median by sorting each byte's values: the definition the fast one meets.
MatriceInteri medianOfFrames(const std::vector<RgbImage> &fotogrammi);
// The pixel median by sorting each pixel's sums.
MatriceInteri pixelMedianOfFrames(const std::vector<RgbImage> &fotogrammi);

} // namespace riferimento

} // namespace kalvor
