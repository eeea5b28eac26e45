// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The picture a user checks a job's setup by: on a processed frame, the
// reference points numbered in measuring order, the road axis with the band's
// two edges, the outline of the detection mask, and each vehicle record's box
// with its number and length.

#include "common/drawing.hpp"
#include "common/rgb_image.hpp"
#include "detection/spazio_rilevamento.hpp"
#include "state/stato_lavoro.hpp"

namespace kalvor {

// Mask outline colour: cyan, which none of the other overlays uses.
inline constexpr Rgb kMaskOutline {0, 255, 255};

// Red markers numbered 1, 2, ... at the reference points; the axis and its
// end ticks in blue; the upper band edge red and the lower one yellow; the
// records of veicoliAtt as the automatic run draws them, each number followed
// by the length ("3 4,52m"). `det` is the detection state whose background
// was computed (its area geometry is read). Points whose lines are not
// integers are left out.
Drawing setupOverlay(const StatoProspettiva &prospettiva, const StatoRilevamento &det, const TextList &veicoliAtt);

// Pixel coordinates along the bottom and left edges (the top holds the
// frame's caption): a tick and its column (or row) every `step` pixels, in
// white on a black box, so that points can be read off the picture.
Drawing pixelRuler(int width, int height, int step);

// The frame with the drawing above and, when `mask` holds the whole frame's
// mask, its outline under it.
RgbImage setupOverlayPicture(const RgbImage &frame, const Drawing &drawing, const SpazioRilevamento *mask);

} // namespace kalvor
