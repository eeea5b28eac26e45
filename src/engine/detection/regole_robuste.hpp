// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rules of the robust per-frame detection that its plain and fast
// versions share: the brightness offset's sample and bounds, the shadow test,
// the band-relative occupancy, and how the blobs found in the band become
// records.
//
// The robust detection of one frame:
//  1. the brightness offset: the median of frame - background over the bytes
//     of a sparse grid of band pixels (every kPassoColonneLuce-th pixel column,
//     every kPassoRigheLuce-th row), within +-kMaxScartoLuce; the margins are
//     shifted by it;
//  2. a pixel is foreground when one of its bytes lies outside the shifted
//     margins, unless it is a shadow (isShadow against the shifted background);
//  3. an opening (erosion then dilation) removes specks, a closing of two
//     steps (two dilations, two erosions) bridges small gaps; 3 x 3 squares,
//     pixels outside the picture are background;
//  4. the 8-connected blobs of the mask within the band (per pixel column,
//     the rows within half a band of the axis row of its first scanned byte
//     column);
//  5. each blob belongs to the half where it stands: "inf" when its lowest
//     pixel lies more than occupancyThreshold rows below the axis row of its
//     column (a shadow or a blur leaking across the axis does not move it),
//     "sup" otherwise;
//  6. a blob occupies a column when it has at least occupancyThreshold pixels
//     there; its extent is its first to its last occupied column, and a blob
//     occupying none is dropped;
//  7. recordsFromBlobs: one record per group of blobs of one half whose extents
//     overlap or lie within kGiuntaMetri; a blob at either end of the band is
//     recorded the same way, cut at the end.

#include "common/text_list.hpp"
#include "state/griglia_metrica.hpp"
#include "state/stato_lavoro.hpp"

#include <cstdint>
#include <vector>

namespace kalvor {

constexpr int kPassoColonneLuce = 16;
constexpr int kPassoRigheLuce = 8;
constexpr int kMaxScartoLuce = 48;
// Blobs of one half this close along the road are parts of one vehicle.
constexpr double kGiuntaMetri = 1.0;

// Darker than the background by a ratio of 0.45 to 0.90 of the three bytes'
// sum, no byte brighter, and each byte's share of the sum within 0.04 of the
// background's: a shadow dims the road without changing its colour (a tinted
// windscreen, as dark, shifts it more).
inline bool isShadow(const std::uint8_t *f, const int *b)
{
    if (f[0] > b[0] || f[1] > b[1] || f[2] > b[2])
        return false;
    const int F = f[0] + f[1] + f[2];
    const int B = b[0] + b[1] + b[2];
    if (B < 60 || 20 * F < 9 * B || 10 * F > 9 * B)
        return false;
    for (int c = 0; c < 3; ++c) {
        const int scarto = f[c] * B - b[c] * F;
        if (25 * (scarto < 0 ? -scarto : scarto) > F * B)
            return false;
    }
    return true;
}

// The offset from the sampled differences' lower median, within the bounds;
// 0 without samples.
int boundedOffset(int mediana, bool campioni);

// Pixels a blob needs in a column to occupy it, and rows it must reach below
// the axis to stand in the lower half: an eighth of the half band.
inline int occupancyThreshold(int halfBand)
{
    return halfBand / 8 > 1 ? halfBand / 8 : 1;
}

// One blob's half (0 "sup", 1 "inf") and extent in pixel columns.
struct BlobExtent
{
    int arco = 0;
    int primo = 0;
    int ultimo = 0;
};

// Step 7: appends the records of the blobs to veicoliAtt, ordered by their
// end column, "sup" first on a tie. Length and area are measured like the
// default detection's: on the metric grid at the axis row of the record's
// last byte column. Reorders `macchie`.
void recordsFromBlobs(std::vector<BlobExtent> &macchie, const StatoRilevamento &det, const MetricGrid &griglia,
                      int fotogramma, double tempo, TextList &veicoliAtt);

} // namespace kalvor
